// Drawing of single items: track pieces (with their bodies by kind, labels and connector
// dots), ghosts, helix rings and scenery items.
#include "core/base/Geometry.h"
#include "core/render/LayoutRenderer.h"

#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/render/DrawSupport.h"
#include "core/render/RenderColors.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace plandor {

namespace {

constexpr double kTintFromZ = 0.5;     // pieces at or below this height keep their colours
constexpr double kFlatGrade = 0.001;   // grade magnitude below which a helix piece is flat
constexpr double kLabelMinScale = 0.2; // part numbers and dots need at least this zoom

bool hasContactBox(const PieceDef& def) {
    return def.partNumber == "24994" || def.partNumber == "24294";
}

bool isStraightLike(PieceKind kind) {
    return kind == PieceKind::Straight || kind == PieceKind::Bumper ||
           kind == PieceKind::Unassigned7;
}

int partNumberFontSize(const ViewTransform& view) {
    const int size = view.scaled(9);
    return size < 7 ? 6 : size;
}

int bridgePenWidth(const ViewTransform& view) {
    return std::max(1, truncPx(view.scale * 1.5));
}

Color bandFill(const Color& fill, BandShade shade) {
    switch (shade) {
    case BandShade::Branch:
        return darkened(fill, 15, 15, 10);
    case BandShade::Crossing:
        return darkened(fill, 10, 10, 5);
    case BandShade::SlipCrossing:
        return darkened(fill, 8, 8, 4);
    default:
        return fill;
    }
}

// Kinds whose ghost shows its connector dots while it is being placed.
bool ghostShowsDots(PieceKind kind) {
    switch (kind) {
    case PieceKind::TurnoutLeft:
    case PieceKind::TurnoutRight:
    case PieceKind::CurvedTurnout:
    case PieceKind::DoubleSlip:
    case PieceKind::Crossing:
    case PieceKind::OffsetCurvedTurnout:
        return true;
    default:
        return false;
    }
}

// The screen box around a local box placed by `frame`: the turned box's extent, without
// turning its corners one by one.
Bounds placedScreenBox(const Bounds& b, const PieceFrame& frame, const ViewTransform& view) {
    const double cx = (b.minX + b.maxX) / 2, cy = (b.minY + b.maxY) / 2;
    const double hx = (b.maxX - b.minX) / 2, hy = (b.maxY - b.minY) / 2;
    const Point centre = frame.apply(Point{cx, cy});
    const double ex = std::fabs(frame.c) * hx + std::fabs(frame.s) * hy;
    const double ey = std::fabs(frame.s) * hx + std::fabs(frame.c) * hy;
    return Bounds{
        (centre.x - ex) * view.scale + view.panX, (centre.y - ey) * view.scale + view.panY,
        (centre.x + ex) * view.scale + view.panX, (centre.y + ey) * view.scale + view.panY};
}

} // namespace

// ---- colours ------------------------------------------------------------------------------

PieceStyle LayoutRenderer::pieceStyle(const PlacedPiece& piece, const PieceDef& def,
                                      const Level* level, bool selected, bool inTunnel) const {
    PieceStyle style;
    style.turntableDisc = colors::TurntableDisc;
    style.turntableBridge = selected ? colors::PieceOutlineSelected : colors::TurntableBridge;
    if (selected) {
        style.fill = colors::PieceFillSelected;
        style.outline = colors::PieceOutlineSelected;
        return style;
    }
    style.fill = def.system == KTrack ? colors::PieceFillKTrack : colors::PieceFill;
    style.outline = colors::PieceOutline;
    if (level && level->useTrackColor)
        style.fill = level->trackColor;
    if (piece.hasColor)
        style.fill = piece.color;

    const bool flatHelixPiece = std::fabs(piece.grade) < kFlatGrade &&
                                (piece.helix != -1 || helixLinked_.count(piece.id) > 0);
    if (piece.z > kTintFromZ && !flatHelixPiece) {
        style.fill = elevationFill(piece.z);
        style.outline = darkened(style.fill, 60, 60, 30);
    }
    if (inTunnel) {
        style.fill = washedOut(style.fill);
        style.outline = washedOut(style.outline);
    }
    return style;
}

// ---- pieces -------------------------------------------------------------------------------

void LayoutRenderer::drawPiece(Painter& painter, const PlacedPiece& piece, const PieceDef& def,
                               const ViewTransform& view, bool selected, bool labelsOn,
                               bool inTunnel) {
    const bool labels = labelsOn && view.scale >= kLabelMinScale;
    if (culling_ && pieceOffSurface(painter, def, piece, view, labels))
        return;
    const PieceFrame frame(piece.x, piece.y, piece.heading);
    const Level* level = layout_ ? layout_->findLevel(piece.level) : nullptr;
    const PieceStyle style = pieceStyle(piece, def, level, selected, inTunnel);

    drawPieceBody(painter, piece, def, frame, view, style);
    if (isStraightLike(def.kind) && def.isBridge)
        drawStraightBridgeArch(painter, piece, def, frame, view);
    if (hasContactBox(def))
        drawContactBox(painter, def, frame, view);
    if (labels) {
        drawPartNumber(painter, piece, def, frame, view, selected);
        drawConnectorDots(painter, piece, def, view);
    }
}

void LayoutRenderer::drawGhostPiece(Painter& painter, const PieceDef& def, double x, double y,
                                    double heading, const ViewTransform& view) {
    PlacedPiece ghost;
    ghost.part = def.partNumber;
    ghost.x = x;
    ghost.y = y;
    ghost.heading = heading;
    const PieceFrame frame(x, y, heading);
    PieceStyle style;
    style.fill = colors::GhostFill;
    style.outline = colors::GhostOutline;
    style.turntableDisc = colors::GhostTurntableDisc;
    style.turntableBridge = colors::TurntableBridge;
    drawPieceBody(painter, ghost, def, frame, view, style);
    if (hasContactBox(def))
        drawContactBox(painter, def, frame, view);
    if (ghostShowsDots(def.kind))
        drawConnectorDots(painter, ghost, def, view);
}

void LayoutRenderer::drawPieceBody(Painter& painter, const PlacedPiece& piece, const PieceDef& def,
                                   const PieceFrame& frame, const ViewTransform& view,
                                   const PieceStyle& style) {
    if (def.kind == PieceKind::Turntable) {
        drawTurntable(painter, piece, def, frame, view, style);
        return;
    }
    const double halfWidth = trackHalfWidth(def);
    const TrackBands bands = trackBands(def);
    painter.setPen(solidPen(style.outline, 1));
    for (int i = 0; i < bands.count; ++i) {
        localPoints_.clear();
        appendBandOutline(bands.band[i], halfWidth, localPoints_);
        painter.setBrush(solidBrush(bandFill(style.fill, bands.band[i].shade)));
        drawLocalPolygon(painter, frame, view);
    }

    if (def.kind == PieceKind::Curve && def.isBridge) {
        const Point mid = frame.apply(pieceMidPoint(def));
        const ScreenPoint c = view.toScreen(mid.x, mid.y);
        const int k = truncPx(def.radius * 0.22 * view.scale);
        const int h = 2 * k / 3;
        const bool negativeSide = def.connectors.size() > 1 && def.connectors[1].y < 0;
        const double start = piece.heading + (negativeSide ? -90.0 : 90.0);
        painter.setPen(solidPen(colors::CurveBridgeArch, bridgePenWidth(view)));
        painter.setBrush(Brush::none());
        painter.drawEllipticArc(c.x - k, c.y - h / 2, 2 * k, h, start, start + 180);
    }
    if (def.kind == PieceKind::DoubleSlip)
        drawSlipLenses(painter, def, frame, view, style);
}

void LayoutRenderer::drawSlipLenses(Painter& painter, const PieceDef& def, const PieceFrame& frame,
                                    const ViewTransform& view, const PieceStyle& style) {
    const TrackBands slips = slipCurves(def);
    const double halfWidth = trackHalfWidth(def);
    const Color lens = lightened(style.fill, 10, 10, 18);
    for (int i = 0; i < slips.count; ++i) {
        const TrackBand& slip = slips.band[i];
        localPoints_.clear();
        appendBandOutline(slip, halfWidth, localPoints_);
        painter.setBrush(solidBrush(lens));
        painter.setPen(Pen::none());
        drawLocalPolygon(painter, frame, view);

        painter.setPen(solidPen(style.outline, 1));
        for (double offset : {-halfWidth, halfWidth}) {
            localPoints_.clear();
            appendBandEdge(slip, offset, localPoints_);
            toScreen(frame, localPoints_, view);
            painter.drawPolyline(screenPoints_);
        }
        for (double t : {0.0, 1.0}) {
            const Point a = frame.apply(bandPoint(slip, t, -halfWidth));
            const Point b = frame.apply(bandPoint(slip, t, halfWidth));
            painter.drawLine(view.toScreen(a.x, a.y), view.toScreen(b.x, b.y));
        }
    }
}

void LayoutRenderer::drawTurntable(Painter& painter, const PlacedPiece& piece, const PieceDef& def,
                                   const PieceFrame& frame, const ViewTransform& view,
                                   const PieceStyle& style) {
    const ScreenPoint centre = view.toScreen(frame.x, frame.y);
    const double outerRadius = def.length / 2;
    painter.setPen(solidPen(style.outline, 1));
    painter.setBrush(solidBrush(style.turntableDisc));
    painter.drawCircle(centre, view.scaled(outerRadius));
    painter.setBrush(solidBrush(style.fill));
    painter.drawCircle(centre, view.scaled(def.radius));

    const Point a = frame.apply(Point{-def.radius, 0});
    const Point b = frame.apply(Point{def.radius, 0});
    painter.setPen(solidPen(style.turntableBridge, 3));
    painter.drawLine(view.toScreen(a.x, a.y), view.toScreen(b.x, b.y));

    painter.setPen(solidPen(colors::TurntableApproach, 2));
    for (std::size_t i = 0; i < def.connectors.size(); ++i) {
        if (piece.jointAt(static_cast<int>(i)).isFree())
            continue;
        const ConnectorDef& c = def.connectors[i];
        const double angle = std::atan2(c.y, c.x);
        const Point from =
            frame.apply(Point{outerRadius * std::cos(angle), outerRadius * std::sin(angle)});
        const Point to = frame.apply(Point{c.x, c.y});
        painter.drawLine(view.toScreen(from.x, from.y), view.toScreen(to.x, to.y));
    }

    const int discRadius = std::max(2, view.scaled(3));
    painter.setPen(Pen::none());
    painter.setBrush(solidBrush(colors::TurntableConnector));
    for (const ConnectorDef& c : def.connectors) {
        const Point p = frame.apply(Point{c.x, c.y});
        painter.drawCircle(view.toScreen(p.x, p.y), discRadius);
    }
}

void LayoutRenderer::drawStraightBridgeArch(Painter& painter, const PlacedPiece& piece,
                                            const PieceDef& def, const PieceFrame& frame,
                                            const ViewTransform& view) {
    const Point mid = frame.apply(pieceMidPoint(def));
    const ScreenPoint c = view.toScreen(mid.x, mid.y);
    const int w = truncPx(def.length * view.scale);
    const int h = w / 4;
    painter.setPen(solidPen(colors::StraightBridgeArch, bridgePenWidth(view)));
    painter.setBrush(Brush::none());
    painter.drawEllipticArc(c.x - w / 2, c.y - h / 2, w, h, piece.heading + 180,
                            piece.heading + 360);
}

void LayoutRenderer::drawContactBox(Painter& painter, const PieceDef& def, const PieceFrame& frame,
                                    const ViewTransform& view) {
    const Point mid = frame.apply(pieceMidPoint(def));
    const ScreenPoint c = view.toScreen(mid.x, mid.y);
    const int hw = std::max(3, view.scaled(8));
    const int hh = std::max(2, view.scaled(4));
    painter.setPen(solidPen(colors::ContactBoxPen, 1));
    painter.setBrush(solidBrush(colors::ContactBoxFill));
    painter.drawRectangle(c.x - hw, c.y - hh, 2 * hw, 2 * hh);
}

TextExtent LayoutRenderer::partNumberExtent(Painter& painter, const PieceDef& def, int fontSize) {
    if (!culling_)
        return painter.textExtent(def.partNumber);
    // Within one drawLayout every label has the same size; measure each part number once.
    if (fontSize != labelFontSize_) {
        labelExtents_.clear();
        labelFontSize_ = fontSize;
    }
    auto it = labelExtents_.find(&def);
    if (it != labelExtents_.end())
        return it->second;
    const TextExtent e = painter.textExtent(def.partNumber);
    labelExtents_.emplace(&def, e);
    return e;
}

int LayoutRenderer::partNumberClearance(Painter& painter, const PieceDef& def,
                                        const ViewTransform& view, bool labelsOn, double dx,
                                        double dy) {
    if (!labelsOn || view.scale < kLabelMinScale)
        return 0;
    const int fontSize = partNumberFontSize(view);
    painter.setFont(boldFont(fontSize));
    const TextExtent e = partNumberExtent(painter, def, fontSize);
    constexpr double kGapPx = 3;
    return static_cast<int>(
        std::ceil(std::abs(dx) * e.width / 2.0 + std::abs(dy) * e.height / 2.0 + kGapPx));
}

void LayoutRenderer::drawPartNumber(Painter& painter, const PlacedPiece& piece, const PieceDef& def,
                                    const PieceFrame& frame, const ViewTransform& view,
                                    bool selected) {
    const int fontSize = partNumberFontSize(view);
    painter.setFont(boldFont(fontSize));
    painter.setTextColor(selected ? colors::PieceLabelSelected : colors::PieceLabel);
    painter.setTextBackground(colors::Background, false);
    const TextExtent e = partNumberExtent(painter, def, fontSize);
    const Point mid = frame.apply(pieceMidPoint(def));
    const ScreenPoint c = view.toScreen(mid.x, mid.y);
    painter.drawText(piece.part, c.x - e.width / 2, c.y - e.height / 2);
}

void LayoutRenderer::drawConnectorDots(Painter& painter, const PlacedPiece& piece,
                                       const PieceDef& def, const ViewTransform& view) {
    if (view.scale < kLabelMinScale)
        return;
    const int radius = std::max(3, truncPx(view.scale * 2.5));
    const PieceFrame frame(piece.x, piece.y, piece.heading);
    for (std::size_t i = 0; i < def.connectors.size(); ++i) {
        const bool joined = !piece.jointAt(static_cast<int>(i)).isFree();
        const Color color = joined ? colors::DotJoined : colors::DotFree;
        painter.setBrush(solidBrush(color));
        painter.setPen(solidPen(changeLightness(color, 70), 1));
        const Point p = frame.apply(Point{def.connectors[i].x, def.connectors[i].y});
        painter.drawCircle(view.toScreen(p.x, p.y), radius);
    }
}

// ---- helices ------------------------------------------------------------------------------

void LayoutRenderer::drawHelixRing(Painter& painter, const Helix& helix, double ringRadius,
                                   const PieceDef& ringDef, const ViewTransform& view,
                                   int ringCount, int32_t level, bool selected) {
    const double rc = std::cos(helix.heading * kDegToRad), rs = std::sin(helix.heading * kDegToRad);
    PlacedPiece& ring = ringPiece_;
    ring.part = ringDef.partNumber;
    ring.level = level;
    ring.selected = selected;
    ring.joints.clear();
    for (int i = 1; i <= ringCount; ++i) {
        const double a = -90.0 - 30.0 * i;
        const double lx = ringRadius * std::cos(a * kDegToRad);
        const double ly = ringRadius * std::sin(a * kDegToRad);
        ring.x = helix.cx + lx * rc - ly * rs;
        ring.y = helix.cy + lx * rs + ly * rc;
        ring.heading = a + 90.0 + helix.heading;
        drawPiece(painter, ring, ringDef, view, selected, false, false);
    }
}

// ---- scenery ------------------------------------------------------------------------------

void LayoutRenderer::drawSceneryItem(Painter& painter, const SceneryDef& def, double x, double y,
                                     double heading, const ViewTransform& view, bool selected,
                                     double scaleX, double scaleY) {
    const PieceFrame frame(x, y, heading);
    if (culling_ && sceneryOffSurface(painter, def, frame, view, scaleX, scaleY))
        return;
    const double w = scaleX * def.width, h = scaleY * def.depth;
    auto local = [&](double px, double py) {
        return Point{scaleX * px - w / 2, scaleY * py - h / 2};
    };
    auto screen = [&](double px, double py) {
        const Point p = frame.apply(local(px, py));
        return view.toScreen(p.x, p.y);
    };
    auto drawBox = [&](double bx, double by, double bw, double bh) {
        localPoints_.clear();
        localPoints_.push_back(local(bx, by));
        localPoints_.push_back(local(bx + bw, by));
        localPoints_.push_back(local(bx + bw, by + bh));
        localPoints_.push_back(local(bx, by + bh));
        drawLocalPolygon(painter, frame, view);
    };

    for (const SceneryPrimitive& prim : def.primitives) {
        Color fill = prim.fill;
        if (selected)
            fill = Color{uint8_t(std::trunc(0.7 * fill.r + 30)),
                         uint8_t(std::trunc(0.7 * fill.g + 48)),
                         uint8_t(std::trunc(0.7 * fill.b + 66)), fill.a};
        const Color stroke = prim.stroke;
        const int strokeWidth = static_cast<int>(prim.strokeWidth);
        const Brush brush = fill.a != 0 ? solidBrush(fill) : Brush::none();
        const Pen pen =
            stroke.a != 0 && strokeWidth > 0 ? solidPen(stroke, strokeWidth) : Pen::none();

        switch (prim.type) {
        case PrimitiveType::FilledRect:
        case PrimitiveType::OutlineRect:
            painter.setBrush(prim.type == PrimitiveType::OutlineRect ? Brush::none() : brush);
            painter.setPen(pen);
            drawBox(prim.x, prim.y, prim.w, prim.h);
            break;
        case PrimitiveType::FilledEllipse:
        case PrimitiveType::OutlineEllipse: {
            painter.setBrush(prim.type == PrimitiveType::OutlineEllipse ? Brush::none() : brush);
            painter.setPen(pen);
            const int n =
                std::min(64, std::max(12, truncPx(std::max(prim.w, prim.h) * view.scale * 0.5)));
            const double cx = prim.x + prim.w / 2, cy = prim.y + prim.h / 2;
            localPoints_.clear();
            for (int i = 0; i < n; ++i) {
                const double t = 2 * kPi * i / n;
                localPoints_.push_back(
                    local(cx + prim.w / 2 * std::cos(t), cy + prim.h / 2 * std::sin(t)));
            }
            drawLocalPolygon(painter, frame, view);
            break;
        }
        case PrimitiveType::Polygon:
            painter.setBrush(brush);
            painter.setPen(pen);
            localPoints_.clear();
            for (const auto& p : prim.points)
                localPoints_.push_back(local(p.first, p.second));
            drawLocalPolygon(painter, frame, view);
            break;
        case PrimitiveType::Line:
            painter.setPen(solidPen(fill.a != 0 ? fill : stroke, strokeWidth));
            painter.setBrush(Brush::none());
            painter.drawLine(screen(prim.x, prim.y), screen(prim.w, prim.h));
            break;
        case PrimitiveType::Text: {
            const int size = truncPx(prim.h * view.scale);
            painter.setFont(boldFont(size < 9 ? 8 : size));
            painter.setTextColor(fill);
            painter.setTextBackground(colors::Background, false);
            const TextExtent e = painter.textExtent(prim.text);
            const ScreenPoint c = screen(prim.x, prim.y);
            painter.drawText(prim.text, c.x - e.width / 2, c.y - e.height / 2);
            break;
        }
        }
    }
    if (selected) {
        painter.setBrush(Brush::none());
        painter.setPen(dottedPen(colors::SceneryFrameBlue));
        drawBox(0, 0, def.width, def.depth);
    }
}

void LayoutRenderer::drawGhostScenery(Painter& painter, const SceneryDef& def, double x, double y,
                                      double heading, const ViewTransform& view) {
    drawSceneryItem(painter, def, x, y, heading, view, false, 1, 1);
    const PieceFrame frame(x, y, heading);
    localPoints_.clear();
    localPoints_.push_back(Point{-def.width / 2, -def.depth / 2});
    localPoints_.push_back(Point{def.width / 2, -def.depth / 2});
    localPoints_.push_back(Point{def.width / 2, def.depth / 2});
    localPoints_.push_back(Point{-def.width / 2, def.depth / 2});
    painter.setBrush(Brush::none());
    painter.setPen(dottedPen(colors::GhostOutline));
    drawLocalPolygon(painter, frame, view);
}

// ---- culling ------------------------------------------------------------------------------

const Bounds& LayoutRenderer::cachedLocalBounds(const PieceDef& def) {
    // Catalogue definitions never change, so their extents are kept by catalogue position.
    const std::vector<PieceDef>& all = TrackCatalog::instance().pieces();
    const std::less<const PieceDef*> before;
    if (all.empty() || before(&def, all.data()) || !before(&def, all.data() + all.size())) {
        scratchBounds_ = pieceLocalBounds(def);
        return scratchBounds_;
    }
    const std::size_t index = static_cast<std::size_t>(&def - all.data());
    if (catalogueBounds_.size() != all.size()) {
        catalogueBounds_.assign(all.size(), Bounds{});
        catalogueBoundsKnown_.assign(all.size(), 0);
    }
    if (!catalogueBoundsKnown_[index]) {
        catalogueBounds_[index] = pieceLocalBounds(def);
        catalogueBoundsKnown_[index] = 1;
    }
    return catalogueBounds_[index];
}

int LayoutRenderer::surfaceMargin(const PieceDef& def, const ViewTransform& view) const {
    // Pixel-sized marks centred inside the body: pens, discs, boxes and dots.
    int margin = 3;
    if (def.kind == PieceKind::Turntable)
        margin = std::max(margin, std::max(2, view.scaled(3)) + 3);
    if (def.isBridge)
        margin += bridgePenWidth(view);
    if (hasContactBox(def))
        margin = std::max(margin, std::max(3, view.scaled(8)) + 3);
    return margin;
}

int LayoutRenderer::labelMargin(Painter& painter, const PieceDef& def, const ViewTransform& view) {
    const int fontSize = partNumberFontSize(view);
    painter.setFont(boldFont(fontSize));
    const TextExtent e = partNumberExtent(painter, def, fontSize);
    return std::max(e.width, e.height) / 2 + 2;
}

double LayoutRenderer::catalogueReach(const ViewTransform& view, bool labelsOn) {
    const bool labels = labelsOn && view.scale >= kLabelMinScale;
    // The catalogue never changes, so the answer holds for as long as the scale does; a
    // dragged selection is drawn on every mouse motion.
    if (reachKnown_ && reachScale_ == view.scale && reachLabels_ == labels)
        return reach_;
    double most = 0;
    for (const PieceDef& def : TrackCatalog::instance().pieces()) {
        const Bounds& b = cachedLocalBounds(def);
        int margin = surfaceMargin(def, view);
        if (labels) {
            const int fontSize = partNumberFontSize(view);
            const Bounds text = textBoxBound(0, 0, def.partNumber, fontSize);
            margin = std::max({margin, std::max(3, truncPx(view.scale * 2.5)) + 3,
                               static_cast<int>(std::max(text.maxX, text.maxY)) / 2 + 3});
        }
        const double reach =
            std::hypot(std::max(-b.minX, b.maxX), std::max(-b.minY, b.maxY)) * view.scale;
        most = std::max(most, reach + margin);
    }
    reachKnown_ = true;
    reachScale_ = view.scale;
    reachLabels_ = labels;
    reach_ = most + 1;
    return reach_;
}

bool LayoutRenderer::pieceOffSurface(Painter& painter, const PieceDef& def,
                                     const PlacedPiece& piece, const ViewTransform& view,
                                     bool labels) {
    const Bounds& b = cachedLocalBounds(def);
    int margin = surfaceMargin(def, view);
    if (labels)
        margin = std::max(margin, std::max(3, truncPx(view.scale * 2.5)) + 3);
    // Most pieces of a large plan lie far off the surface: a square around the origin that
    // holds the piece however it is turned settles them without turning anything.
    const double reach =
        std::hypot(std::max(-b.minX, b.maxX), std::max(-b.minY, b.maxY)) * view.scale;
    const double x = piece.x * view.scale + view.panX, y = piece.y * view.scale + view.panY;
    const Bounds square{x - reach, y - reach, x + reach, y + reach};
    if (!onSurface(square, margin) &&
        (!labels || !onSurface(square, std::max(margin, labelMargin(painter, def, view)))))
        return true;

    const Bounds box = placedScreenBox(b, PieceFrame(piece.x, piece.y, piece.heading), view);
    if (!labels || onSurface(box, margin))
        return !onSurface(box, margin);
    return !onSurface(box, std::max(margin, labelMargin(painter, def, view)));
}

bool LayoutRenderer::sceneryOffSurface(Painter& painter, const SceneryDef& def,
                                       const PieceFrame& frame, const ViewTransform& view,
                                       double scaleX, double scaleY) {
    // Extent of the footprint and of every primitive, in the item's frame.
    const double w = scaleX * def.width, h = scaleY * def.depth;
    Bounds b{-w / 2, -h / 2, w / 2, h / 2};
    int maxStroke = 1;
    auto include = [&](double px, double py) { b.add(scaleX * px - w / 2, scaleY * py - h / 2); };
    for (const SceneryPrimitive& prim : def.primitives) {
        maxStroke =
            std::max(maxStroke, static_cast<int>(std::min<uint32_t>(prim.strokeWidth, 1000)));
        switch (prim.type) {
        case PrimitiveType::Polygon:
            for (const auto& p : prim.points)
                include(p.first, p.second);
            break;
        case PrimitiveType::Text:
            include(prim.x, prim.y);
            break;
        case PrimitiveType::Line:
            include(prim.x, prim.y);
            include(prim.w, prim.h);
            break;
        default:
            include(prim.x, prim.y);
            include(prim.x + prim.w, prim.y + prim.h);
            break;
        }
    }
    const Bounds box = placedScreenBox(b, frame, view);
    if (onSurface(box, maxStroke + 3))
        return false;

    // Texts stick out of the shapes; measure them only for items that are otherwise hidden.
    for (const SceneryPrimitive& prim : def.primitives) {
        if (prim.type != PrimitiveType::Text)
            continue;
        const int size = truncPx(prim.h * view.scale);
        const Point p = frame.apply(Point{scaleX * prim.x - w / 2, scaleY * prim.y - h / 2});
        const double sx = p.x * view.scale + view.panX, sy = p.y * view.scale + view.panY;
        // Centred on (sx, sy): a bound twice the size each way holds it without measuring.
        const Bounds bound = textBoxBound(sx, sy, prim.text, size < 9 ? 8 : size);
        if (!onSurface(Bounds{2 * sx - bound.maxX, 2 * sy - bound.maxY, bound.maxX, bound.maxY}, 3))
            continue;
        painter.setFont(boldFont(size < 9 ? 8 : size));
        const TextExtent e = painter.textExtent(prim.text);
        if (onSurface(Bounds{sx - e.width / 2.0, sy - e.height / 2.0, sx + e.width / 2.0,
                             sy + e.height / 2.0},
                      3))
            return false;
    }
    return true;
}

} // namespace plandor
