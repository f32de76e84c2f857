#include "core/render/LayoutRenderer.h"
#include "core/base/Geometry.h"

#include "core/base/Units.h"
#include "core/catalog/HelixVariants.h"
#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/render/DrawSupport.h"
#include "core/render/RenderColors.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {

constexpr double kFlatHelixZ = 0.5;        // helix pieces below this height are the bottom set
constexpr double kMinDimensionEdge = 10.0; // shorter baseboard edges get no dimension text
constexpr double kDimensionOffset = 12.0;  // mm from an edge's mid-point to its text

double levelHeight(const Layout& layout, int32_t levelId) {
    const Level* level = layout.findLevel(levelId);
    return level ? level->height : 0.0;
}

} // namespace

void LayoutRenderer::drawLayout(Painter& painter, const Layout& layout, const ViewTransform& view,
                                int width, int height) {
    drawLayout(painter, layout, RenderOptions::of(layout), view, width, height);
}

void LayoutRenderer::drawLayout(Painter& painter, const Layout& layout,
                                const RenderOptions& options, const ViewTransform& view, int width,
                                int height) {
    drawLayoutWithin(painter, layout, options, view, width, height,
                     Bounds{0, 0, double(width), double(height)}, Subset::Everything);
}

int LayoutRenderer::textPoints(int points, const ViewTransform& view) const {
    return options_.textFollowsScale ? std::max(1, view.scaled(points)) : points;
}

bool LayoutRenderer::levelShown(const Layout& layout, int32_t levelId) const {
    const Level* level = layout.findLevel(levelId);
    if (level == nullptr)
        return true;
    switch (options_.levels) {
    case RenderOptions::Levels::All:
        return true;
    case RenderOptions::Levels::OnlyOne:
        return levelId == options_.onlyLevel;
    case RenderOptions::Levels::AsShown:
        break;
    }
    return level->visible;
}

void LayoutRenderer::drawLayoutArea(Painter& painter, const Layout& layout,
                                    const ViewTransform& view, int width, int height, int x, int y,
                                    int w, int h) {
    drawLayoutWithin(painter, layout, RenderOptions::of(layout), view, width, height,
                     Bounds{double(x), double(y), double(x + w), double(y + h)},
                     Subset::Everything);
}

void LayoutRenderer::drawLayoutWithoutSelection(Painter& painter, const Layout& layout,
                                                const ViewTransform& view, int width, int height) {
    drawLayoutWithin(painter, layout, RenderOptions::of(layout), view, width, height,
                     Bounds{0, 0, double(width), double(height)}, Subset::AllButSelection);
}

// Scenery under and over the track, tunnelled pieces, helices and the grade arrows: the part
// of the plan that a moving selection redraws on its own.
void LayoutRenderer::drawTrackAndScenery(Painter& painter, const Layout& layout,
                                         const ViewTransform& view) {
    drawScenery(painter, layout, view, false);
    collectTunnelPieces(layout);
    collectHelixGroups(layout);
    drawPieceGroup(painter, layout, view, true);
    drawHelices(painter, layout, view);
    drawPieceGroup(painter, layout, view, false);
    drawScenery(painter, layout, view, true);
    drawGradeArrows(painter, layout, view);
}

void LayoutRenderer::drawSelection(Painter& painter, const Layout& layout,
                                   const ViewTransform& view, int width, int height) {
    layout_ = &layout;
    options_ = RenderOptions::of(layout);
    culling_ = true;
    area_ = Bounds{0, 0, double(width), double(height)};
    subset_ = Subset::SelectionOnly;
    labelExtents_.clear();
    labelFontSize_ = 0;

    drawTrackAndScenery(painter, layout, view);

    subset_ = Subset::Everything;
    culling_ = false;
    layout_ = nullptr;
}

void LayoutRenderer::drawLayoutWithin(Painter& painter, const Layout& layout,
                                      const RenderOptions& options, const ViewTransform& view,
                                      int width, int height, const Bounds& area, Subset subset) {
    layout_ = &layout;
    options_ = options;
    culling_ = true;
    area_ = area;
    // Items are culled by boxes that can fall a pixel short of their antialiased edges; within
    // a surface that is invisible, at the edge of a redrawn area it would show.
    const bool partial = area.minX > 0 || area.minY > 0 || area.maxX < width || area.maxY < height;
    if (partial)
        area_ = Bounds{area.minX - 4, area.minY - 4, area.maxX + 4, area.maxY + 4};
    subset_ = subset;
    labelExtents_.clear();
    labelFontSize_ = 0;

    if (!partial) {
        painter.clear(colors::Background);
    } else {
        painter.setPen(Pen::none());
        painter.setBrush(solidBrush(colors::Background));
        painter.drawRectangle(int(area.minX), int(area.minY), int(area.maxX - area.minX),
                              int(area.maxY - area.minY));
    }
    drawBaseboardFill(painter, layout, view);
    drawLevelOutlines(painter, layout, view);
    if (options_.grid)
        drawGrid(painter, layout, view, width, height);
    drawBaseboardOutline(painter, layout, view);
    drawShapes(painter, layout, view);
    drawTrackAndScenery(painter, layout, view);
    drawLabels(painter, layout, view);
    drawMeasurements(painter, layout, view);

    // Pieces drawn on their own later (previews) must not reach a layout that may be gone.
    subset_ = Subset::Everything;
    culling_ = false;
    layout_ = nullptr;
    options_ = RenderOptions{};
}

// ---- surface and coordinate helpers -------------------------------------------------------

Bounds LayoutRenderer::textBoxBound(double x, double y, const std::string& text, int pointSize) {
    // No glyph of the bold fonts is wider than a point size in pixels twice over, nor is a line
    // taller.
    const double reach = 2.0 * std::max(1, pointSize);
    const double lines = 1.0 + double(std::count(text.begin(), text.end(), '\n'));
    return Bounds{x, y, x + reach * double(text.size()) + 4, y + reach * lines + 4};
}

bool LayoutRenderer::onSurface(const Bounds& box, double margin) const {
    if (!culling_)
        return true;
    return box.maxX + margin >= area_.minX && box.maxY + margin >= area_.minY &&
           box.minX - margin < area_.maxX && box.minY - margin < area_.maxY;
}

Bounds LayoutRenderer::screenBoxOf(const std::vector<ScreenPoint>& points) const {
    Bounds box{0, 0, -1, -1};
    if (points.empty())
        return box;
    box = {double(points[0].x), double(points[0].y), double(points[0].x), double(points[0].y)};
    for (const ScreenPoint& p : points) {
        box.add(p.x, p.y);
    }
    return box;
}

void LayoutRenderer::toScreen(const PieceFrame& frame, const std::vector<Point>& local,
                              const ViewTransform& view) {
    screenPoints_.clear();
    for (const Point& p : local) {
        const Point w = frame.apply(p);
        const ScreenPoint s = view.toScreen(w.x, w.y);
        // Repeated points add nothing to the outline; far out they are common.
        if (!screenPoints_.empty() && screenPoints_.back().x == s.x &&
            screenPoints_.back().y == s.y)
            continue;
        screenPoints_.push_back(s);
    }
    // A shape shrunk to one pixel still shows as a dot of its pen.
    if (screenPoints_.size() == 1 && local.size() > 1)
        screenPoints_.push_back(screenPoints_[0]);
}

void LayoutRenderer::toScreen(const std::vector<Point>& world, const ViewTransform& view) {
    toScreen(PieceFrame{}, world, view);
}

void LayoutRenderer::drawLocalPolygon(Painter& painter, const PieceFrame& frame,
                                      const ViewTransform& view) {
    toScreen(frame, localPoints_, view);
    painter.drawPolygon(screenPoints_);
}

// ---- baseboard, levels, grid --------------------------------------------------------------

void LayoutRenderer::drawBaseboardFill(Painter& painter, const Layout& layout,
                                       const ViewTransform& view) {
    if (!options_.baseboard || layout.baseboard.size() < 3)
        return;
    toScreen(layout.baseboard, view);
    if (!onSurface(screenBoxOf(screenPoints_), 2))
        return;
    painter.setBrush(solidBrush(colors::BaseboardFill));
    painter.setPen(solidPen(colors::BaseboardPen, 2));
    painter.drawPolygon(screenPoints_);
}

void LayoutRenderer::drawLevelOutlines(Painter& painter, const Layout& layout,
                                       const ViewTransform& view) {
    order_.clear();
    for (int i = 0; i < static_cast<int>(layout.levels.size()); ++i)
        order_.push_back(i);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        return layout.levels[a].height < layout.levels[b].height;
    });
    for (int i : order_) {
        const Level& level = layout.levels[i];
        if (!levelShown(layout, level.id) || level.outline.size() < 3)
            continue;
        toScreen(level.outline, view);
        if (!onSurface(screenBoxOf(screenPoints_), 2))
            continue;
        painter.setBrush(solidBrush(level.useTrackColor ? levelOutlineFill(level.trackColor)
                                                        : colors::LevelFill));
        painter.setPen(solidPen(colors::BaseboardPen, 2));
        painter.drawPolygon(screenPoints_);
    }
}

void LayoutRenderer::drawGrid(Painter& painter, const Layout& layout, const ViewTransform& view,
                              int width, int height) {
    const double d = layout.gridSpacing * view.scale;
    if (!(d >= 6 && d <= 400))
        return;
    painter.setPen(solidPen(colors::GridLine, 1));
    for (double x = std::floor(-view.panX / d) * d + view.panX; x < width; x += d)
        painter.drawLine(ScreenPoint{truncPx(x), 0}, ScreenPoint{truncPx(x), height});
    for (double y = std::floor(-view.panY / d) * d + view.panY; y < height; y += d)
        painter.drawLine(ScreenPoint{0, truncPx(y)}, ScreenPoint{width, truncPx(y)});

    // The origin cross, when any of it can show.
    const ScreenPoint o = view.toScreen(0, 0);
    if (o.x + 12 < 0 || o.y + 12 < 0 || o.x - 12 >= width || o.y - 12 >= height)
        return;
    painter.setPen(solidPen(colors::OriginCross, 2));
    painter.drawLine(ScreenPoint{o.x - 10, o.y}, ScreenPoint{o.x + 10, o.y});
    painter.drawLine(ScreenPoint{o.x, o.y - 10}, ScreenPoint{o.x, o.y + 10});
}

void LayoutRenderer::drawBaseboardOutline(Painter& painter, const Layout& layout,
                                          const ViewTransform& view) {
    const std::vector<Point>& v = layout.baseboard;
    if (!options_.baseboard || v.size() < 3)
        return;
    toScreen(v, view);
    if (onSurface(screenBoxOf(screenPoints_), 2)) {
        painter.setBrush(Brush::none());
        painter.setPen(solidPen(colors::BaseboardPen, 2));
        painter.drawPolygon(screenPoints_);
    }

    painter.setFont(boldFont(textPoints(11, view)));
    painter.setTextColor(colors::DimensionText);
    painter.setTextBackground(colors::Background, false);
    Point centroid;
    for (const Point& p : v) {
        centroid.x += p.x;
        centroid.y += p.y;
    }
    centroid.x /= v.size();
    centroid.y /= v.size();

    const std::size_t n = v.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = v[i];
        const Point& b = v[(i + 1) % n];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length < kMinDimensionEdge)
            continue;
        const Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
        double nx = -(b.y - a.y) / length, ny = (b.x - a.x) / length;
        if (nx * (centroid.x - mid.x) + ny * (centroid.y - mid.y) > 0) {
            nx = -nx;
            ny = -ny;
        }
        const ScreenPoint c =
            view.toScreen(mid.x + nx * kDimensionOffset, mid.y + ny * kDimensionOffset);
        const std::string text = formatDimension(length, layout.units);
        const TextExtent e = painter.textExtent(text);
        const int bx = c.x - e.width / 2 - 4, by = c.y - e.height / 2 - 2;
        if (!onSurface(
                Bounds{double(bx), double(by), double(bx + e.width + 8), double(by + e.height + 4)},
                2))
            continue;
        painter.setBrush(solidBrush(colors::DimensionBoxFill));
        painter.setPen(solidPen(colors::DimensionBoxPen, 1));
        painter.drawRoundedRectangle(bx, by, e.width + 8, e.height + 4, 3);
        painter.drawText(text, c.x - e.width / 2, c.y - e.height / 2);
    }
}

// ---- shapes and scenery -------------------------------------------------------------------

namespace {
constexpr int kShapeLabelPoints = 11;
} // namespace

void LayoutRenderer::drawShapes(Painter& painter, const Layout& layout, const ViewTransform& view) {
    order_.clear();
    for (int i = 0; i < static_cast<int>(layout.shapes.size()); ++i)
        order_.push_back(i);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        return levelHeight(layout, layout.shapes[a].level) <
               levelHeight(layout, layout.shapes[b].level);
    });
    for (int i : order_) {
        const PolygonShape& shape = layout.shapes[i];
        if (shape.vertices.size() < 3 || !levelShown(layout, shape.level))
            continue;
        toScreen(shape.vertices, view);
        if (onSurface(screenBoxOf(screenPoints_), 4)) {
            painter.setBrush(solidBrush(shape.fill));
            if (!shape.outline)
                painter.setPen(Pen::none());
            else if (shown(shape.selected))
                painter.setPen(solidPen(colors::SelectionBlue, 3));
            else
                painter.setPen(solidPen(Color{uint8_t(shape.fill.r / 2), uint8_t(shape.fill.g / 2),
                                              uint8_t(shape.fill.b / 2)},
                                        2));
            painter.drawPolygon(screenPoints_);
        }
        if (shape.label.empty())
            continue;
        Point mean;
        for (const Point& p : shape.vertices) {
            mean.x += p.x;
            mean.y += p.y;
        }
        const ScreenPoint c =
            view.toScreen(mean.x / shape.vertices.size(), mean.y / shape.vertices.size());
        // Measuring text is dear, and a large plan's labels mostly lie far off the surface.
        const int points = textPoints(kShapeLabelPoints, view);
        const Bounds most = textBoxBound(0, 0, shape.label, points);
        const double halfW = most.maxX / 2, halfH = most.maxY / 2;
        if (!onSurface(Bounds{c.x - halfW, c.y - halfH, c.x + halfW, c.y + halfH}, 1))
            continue;
        painter.setFont(boldFont(points));
        const TextExtent e = painter.textExtent(shape.label);
        const int tx = c.x - e.width / 2, ty = c.y - e.height / 2;
        if (!onSurface(Bounds{double(tx), double(ty), double(tx + e.width), double(ty + e.height)},
                       1))
            continue;
        painter.setTextColor(colors::PlainText);
        painter.setTextBackground(colors::Background, false);
        painter.drawText(shape.label, tx, ty);
    }
}

void LayoutRenderer::drawScenery(Painter& painter, const Layout& layout, const ViewTransform& view,
                                 bool portals) {
    if (layout.scenery.empty())
        return;
    portalIds_.clear();
    for (const Tunnel& t : layout.tunnels) {
        portalIds_.insert(t.portalA);
        portalIds_.insert(t.portalB);
    }
    const SceneryCatalog& catalog = SceneryCatalog::instance();
    for (int pass = 0; pass < 2; ++pass) {
        const bool selectedPass = pass == 1;
        if (!inSubset(selectedPass))
            continue;
        for (const SceneryItem& item : layout.scenery) {
            if (shown(item.selected) != selectedPass)
                continue;
            if ((portalIds_.count(item.id) > 0) != portals)
                continue;
            if (!levelShown(layout, item.level))
                continue;
            const SceneryDef* def = catalog.find(item.item);
            if (!def)
                continue;
            drawSceneryItem(painter, *def, item.x, item.y, item.heading, view, shown(item.selected),
                            item.scaleX, item.scaleY);
        }
    }
}

// ---- pieces and helices -------------------------------------------------------------------

void LayoutRenderer::collectTunnelPieces(const Layout& layout) {
    tunnelPieces_.clear();
    for (const Tunnel& t : layout.tunnels)
        tunnelPieces_.insert(t.covers.begin(), t.covers.end());
}

void LayoutRenderer::collectHelixGroups(const Layout& layout) {
    helixLinked_.clear();
    inBottomGroup_.clear();
    const int n = static_cast<int>(layout.pieces.size());
    const bool anyHelix = std::any_of(layout.pieces.begin(), layout.pieces.end(),
                                      [](const PlacedPiece& p) { return p.helix != -1; });
    if (!anyHelix)
        return;

    inBottomGroup_.assign(n, 0);
    indexById_.clear();
    for (int i = 0; i < n; ++i)
        indexById_.emplace(layout.pieces[i].id, i);

    // From the bottom (or top) helix pieces, walk the joints through track that belongs to
    // no helix; every piece reached is linked to that end.
    auto walk = [&](bool bottom) {
        visited_.assign(n, 0);
        walkQueue_.clear();
        for (int i = 0; i < n; ++i) {
            const PlacedPiece& p = layout.pieces[i];
            if (p.helix == -1 || (p.z < kFlatHelixZ) != bottom)
                continue;
            helixLinked_.insert(p.id);
            if (bottom)
                inBottomGroup_[i] = 1;
            visited_[i] = 1;
            walkQueue_.push_back(i);
        }
        for (std::size_t q = 0; q < walkQueue_.size(); ++q) {
            for (const Joint& j : layout.pieces[walkQueue_[q]].joints) {
                if (j.target == -1)
                    continue;
                auto it = indexById_.find(j.target);
                if (it == indexById_.end() || visited_[it->second])
                    continue;
                const PlacedPiece& next = layout.pieces[it->second];
                if (next.helix != -1)
                    continue;
                visited_[it->second] = 1;
                helixLinked_.insert(next.id);
                if (bottom)
                    inBottomGroup_[it->second] = 1;
                walkQueue_.push_back(it->second);
            }
        }
    };
    walk(true);
    walk(false);
}

void LayoutRenderer::drawPieceGroup(Painter& painter, const Layout& layout,
                                    const ViewTransform& view, bool bottomGroup) {
    if (bottomGroup && inBottomGroup_.empty())
        return;
    const TrackCatalog& catalog = TrackCatalog::instance();
    const bool anyTunnel = !tunnelPieces_.empty();
    // Most pieces of a large plan lie far off the surface; their origin alone settles them.
    const double reach = culling_ ? catalogueReach(view, options_.labels) : 0;
    for (int pass = 0; pass < 2; ++pass) {
        const bool selectedPass = pass == 1;
        if (!inSubset(selectedPass))
            continue;
        for (std::size_t i = 0; i < layout.pieces.size(); ++i) {
            const PlacedPiece& piece = layout.pieces[i];
            if (shown(piece.selected) != selectedPass)
                continue;
            if (culling_) {
                const double x = piece.x * view.scale + view.panX;
                const double y = piece.y * view.scale + view.panY;
                if (!onSurface(Bounds{x, y, x, y}, reach))
                    continue;
            }
            const bool inBottom = !inBottomGroup_.empty() && inBottomGroup_[i];
            if (inBottom != bottomGroup)
                continue;
            if (!levelShown(layout, piece.level))
                continue;
            const PieceDef* def = catalog.find(piece.part);
            if (!def)
                continue;
            const bool inTunnel = anyTunnel && tunnelPieces_.count(piece.id) > 0;
            drawPiece(painter, piece, *def, view, shown(piece.selected), options_.labels, inTunnel);
        }
    }
}

void LayoutRenderer::drawHelices(Painter& painter, const Layout& layout,
                                 const ViewTransform& view) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    for (const Helix& helix : layout.helices) {
        const HelixVariant* variant = findHelixVariant(helix.variant);
        if (!variant)
            variant = findHelixVariant(defaultHelixVariantId());
        if (!variant)
            continue;
        const PieceDef* inner = catalog.find(variant->innerCurvePart);
        const PieceDef* outer = catalog.find(variant->outerCurvePart);
        if (!inner || !outer)
            continue;
        int32_t level = 1;
        bool levelFound = false;
        bool selected = false;
        for (const PlacedPiece& p : layout.pieces) {
            if (p.helix != helix.id)
                continue;
            if (!levelFound) {
                level = p.level;
                levelFound = true;
            }
            selected = selected || p.selected;
        }
        if (!levelShown(layout, level) || !inSubset(selected))
            continue;
        const int rings = static_cast<int>(std::trunc(variant->turns * 12));
        drawHelixRing(painter, helix, variant->r1, *inner, view, rings, level, shown(selected));
        drawHelixRing(painter, helix, variant->r2, *outer, view, rings, level, shown(selected));
    }
}

// ---- annotations --------------------------------------------------------------------------

void LayoutRenderer::drawGradeArrows(Painter& painter, const Layout& layout,
                                     const ViewTransform& view) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    for (const GradeRun& run : layout.gradeRuns) {
        if (run.anchor < 0)
            continue;
        const PlacedPiece* piece = layout.findPiece(run.anchor);
        if (!piece || !inSubset(piece->selected))
            continue;
        const PieceDef* def = catalog.find(piece->part);
        if (!def)
            continue;
        const double h = piece->heading * kDegToRad;
        double ux = std::cos(h), uy = std::sin(h);
        // A run laid from the far end points back against the piece's heading.
        if (piece->jointAt(0).isFree() && !piece->jointAt(1).isFree()) {
            ux = -ux;
            uy = -uy;
        }
        const double px = -uy, py = ux;
        // The arrow runs beside the piece's part number, not over it.
        const double aside =
            view.pixelsToMm(partNumberClearance(painter, *def, view, options_.labels, px, py));
        const double sx = piece->x + ux * def->length / 2 + px * aside;
        const double sy = piece->y + uy * def->length / 2 + py * aside;
        const double ex = sx + 20 * ux, ey = sy + 20 * uy;
        const ScreenPoint s = view.toScreen(sx, sy);
        const ScreenPoint e = view.toScreen(ex, ey);
        screenPoints_.clear();
        screenPoints_.push_back(e);
        screenPoints_.push_back(view.toScreen(ex - 8 * ux + 6 * px, ey - 8 * uy + 6 * py));
        screenPoints_.push_back(view.toScreen(ex - 8 * ux - 6 * px, ey - 8 * uy - 6 * py));
        Bounds box = screenBoxOf(screenPoints_);
        box.add(s.x, s.y);

        const Color color = run.deg < 0 ? colors::GradeFalling : colors::GradeRising;
        const bool withText = view.scale >= 0.25;
        std::string text;
        TextExtent extent;
        if (withText) {
            text = formatText("%+.1f deg", run.deg);
            painter.setFont(boldFont(std::max(7, view.scaled(8))));
            extent = painter.textExtent(text);
            box.maxX = std::max(box.maxX, double(e.x + 4 + extent.width));
            box.minY = std::min(box.minY, double(e.y - 10));
            box.maxY = std::max(box.maxY, double(e.y - 10 + extent.height));
        }
        if (!onSurface(box, 4))
            continue;
        painter.setPen(solidPen(color, 3));
        painter.setBrush(solidBrush(color));
        painter.drawLine(s, e);
        painter.drawPolygon(screenPoints_);
        if (withText) {
            painter.setTextColor(color);
            painter.setTextBackground(colors::Background, false);
            painter.drawText(text, e.x + 4, e.y - 10);
        }
    }
}

void LayoutRenderer::drawLabels(Painter& painter, const Layout& layout, const ViewTransform& view) {
    if (layout.labels.empty())
        return;
    const int fontSize = std::max(8, view.scaled(11));
    painter.setFont(boldFont(fontSize));
    for (const LayoutLabel& label : layout.labels) {
        const ScreenPoint p = view.toScreen(label.x, label.y);
        // Measuring a text costs more than drawing a piece: far-off labels are skipped unmeasured.
        if (!onSurface(textBoxBound(p.x, p.y, label.text, fontSize), 2))
            continue;
        const TextExtent e = painter.textExtent(label.text);
        if (!onSurface(Bounds{p.x - 2.0, p.y - 2.0, p.x + e.width + 2.0, p.y + e.height + 2.0}, 1))
            continue;
        painter.setTextColor(shown(label.selected) ? colors::SelectionBlue : colors::PlainText);
        painter.setTextBackground(colors::LabelBackground, true);
        painter.drawText(label.text, p.x, p.y);
        if (shown(label.selected)) {
            painter.setPen(dottedPen(colors::SelectionBlue));
            painter.setBrush(Brush::none());
            painter.drawRectangle(p.x - 2, p.y - 2, e.width + 4, e.height + 4);
        }
    }
}

void LayoutRenderer::drawMeasurements(Painter& painter, const Layout& layout,
                                      const ViewTransform& view) {
    if (layout.measurements.empty())
        return;
    painter.setFont(boldFont(textPoints(10, view)));
    for (const Measurement& m : layout.measurements) {
        const bool selected = shown(m.selected);
        const Color color = selected ? colors::SelectionBlue : colors::MeasurementLine;
        const int width = selected ? 3 : 2;
        const ScreenPoint a = view.toScreen(m.x1, m.y1);
        const ScreenPoint b = view.toScreen(m.x2, m.y2);
        const std::string text =
            formatDimension(std::hypot(m.x2 - m.x1, m.y2 - m.y1), layout.units);
        const TextExtent e = painter.textExtent(text);
        const ScreenPoint c = view.toScreen((m.x1 + m.x2) / 2 + m.dx, (m.y1 + m.y2) / 2 + m.dy);
        const int bx = c.x - e.width / 2 - 5, by = c.y - e.height / 2 - 2;

        Bounds box{double(std::min(a.x, b.x)), double(std::min(a.y, b.y)),
                   double(std::max(a.x, b.x)), double(std::max(a.y, b.y))};
        const bool lineVisible = onSurface(box, width + 6);
        const bool textVisible = onSurface(
            Bounds{double(bx), double(by), double(bx + e.width + 10), double(by + e.height + 4)},
            1);
        if (!lineVisible && !textVisible)
            continue;

        painter.setPen(solidPen(color, width));
        painter.drawLine(a, b);
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double len = std::hypot(dx, dy);
        if (len > 6) {
            const double ux = dx / len, uy = dy / len;
            painter.setBrush(solidBrush(color));
            auto arrowhead = [&](ScreenPoint tip, double baseX, double baseY) {
                screenPoints_.clear();
                screenPoints_.push_back(tip);
                screenPoints_.push_back(screenPoint(baseX - 5 * uy, baseY + 5 * ux));
                screenPoints_.push_back(screenPoint(baseX + 5 * uy, baseY - 5 * ux));
                painter.drawPolygon(screenPoints_);
            };
            arrowhead(b, b.x - 10 * ux, b.y - 10 * uy);
            arrowhead(a, a.x + 10 * ux, a.y + 10 * uy);
        }
        painter.setBrush(
            solidBrush(selected ? colors::MeasurementBoxSelected : colors::MeasurementBox));
        painter.setPen(solidPen(color, 1));
        painter.drawRoundedRectangle(bx, by, e.width + 10, e.height + 4, 3);
        painter.setTextColor(colors::PlainText);
        painter.setTextBackground(colors::Background, false);
        painter.drawText(text, c.x - e.width / 2, c.y - e.height / 2);
    }
}

} // namespace plandor
