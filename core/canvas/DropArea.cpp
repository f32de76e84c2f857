#include "core/canvas/DropArea.h"

#include "core/catalog/TrackCatalog.h"
#include "core/render/PieceGeometry.h"

#include <algorithm>
#include <cmath>

namespace plandor {

DropBefore recordBeforeDrop(const Layout& layout) {
    DropBefore before;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected)
            before.selectedPieces.push_back(p.id);
    auto selected = [](const auto& r) { return r.selected; };
    before.otherSelected =
        std::any_of(layout.scenery.begin(), layout.scenery.end(), selected) ||
        std::any_of(layout.labels.begin(), layout.labels.end(), selected) ||
        std::any_of(layout.measurements.begin(), layout.measurements.end(), selected) ||
        std::any_of(layout.shapes.begin(), layout.shapes.end(), selected);
    before.levelCount = layout.levels.size();
    return before;
}

namespace {

void addPieceBox(Bounds& area, const PlacedPiece& piece, const PieceDef& def) {
    const Bounds b = pieceLocalBounds(def);
    const PieceFrame frame(piece.x, piece.y, piece.heading);
    for (const Point corner : {Point{b.minX, b.minY}, Point{b.maxX, b.minY}, Point{b.minX, b.maxY},
                               Point{b.maxX, b.maxY}}) {
        const Point w = frame.apply(corner);
        area.add(w.x, w.y);
    }
}

bool contains(const std::vector<int32_t>& ids, int32_t id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

std::vector<Bounds> dropArea(const Layout& layout, const DropBefore& before,
                             const std::vector<int32_t>& touched) {
    if (before.otherSelected || layout.levels.size() != before.levelCount ||
        !layout.helices.empty())
        return {};
    const TrackCatalog& catalog = TrackCatalog::instance();
    Bounds placed, unselected;
    for (const PlacedPiece& p : layout.pieces) {
        if (p.helix != -1)
            return {};
        const bool isTouched = contains(touched, p.id);
        if (!isTouched && !contains(before.selectedPieces, p.id))
            continue;
        const PieceDef* def = catalog.find(p.part);
        if (!def)
            return {};
        addPieceBox(isTouched ? placed : unselected, p, *def);
    }
    // A grade run's arrow and its text stand out beside the piece the run ends on; the run may
    // have moved on from the joined piece to the new one.
    for (const GradeRun& run : layout.gradeRuns)
        if (contains(touched, run.anchor) || contains(before.selectedPieces, run.anchor)) {
            for (Bounds* box : {&placed, &unselected})
                if (!box->empty())
                    box->expand(kGradeArrowReachMm);
            break;
        }
    std::vector<Bounds> boxes;
    for (const Bounds& box : {placed, unselected})
        if (!box.empty())
            boxes.push_back(box);
    return boxes;
}

RedrawRegion redrawRegion(const Change& change, const ViewTransform& view, int width, int height) {
    return redrawRegion(change.area, view, width, height);
}

RedrawRects redrawRects(const Change& change, const ViewTransform& view, int width, int height) {
    RedrawRects out;
    const std::vector<Bounds> boxes = change.areaBoxes();
    if (boxes.empty())
        return out;
    double covered = 0;
    for (const Bounds& box : boxes) {
        const RedrawRegion region = redrawRegion(box, view, width, height);
        if (region.whole)
            return RedrawRects{};
        if (region.rect.empty())
            continue;
        covered += double(region.rect.w) * double(region.rect.h);
        out.rects.push_back(region.rect);
    }
    if (covered > kMostOfTheSurface * double(width) * double(height))
        return RedrawRects{};
    out.whole = false;
    return out;
}

RedrawRegion redrawRegion(const Bounds& area, const ViewTransform& view, int width, int height) {
    if (area.empty())
        return RedrawRegion{};
    Bounds box = area;
    box.expand(kRedrawMarginMm);
    const double x0 = std::floor(box.minX * view.scale + view.panX) - kRedrawMarginPx;
    const double y0 = std::floor(box.minY * view.scale + view.panY) - kRedrawMarginPx;
    const double x1 = std::ceil(box.maxX * view.scale + view.panX) + kRedrawMarginPx;
    const double y1 = std::ceil(box.maxY * view.scale + view.panY) + kRedrawMarginPx;
    // Clipped in doubles first: far outside the view the pixel values overflow an int.
    const double cx0 = std::max(0.0, x0), cy0 = std::max(0.0, y0);
    const double cx1 = std::min(double(width), x1), cy1 = std::min(double(height), y1);
    RedrawRegion region;
    region.whole = false;
    if (cx1 <= cx0 || cy1 <= cy0)
        return region;
    if ((cx1 - cx0) * (cy1 - cy0) > kMostOfTheSurface * double(width) * double(height))
        return RedrawRegion{};
    region.rect = PixelRect{int(cx0), int(cy0), int(cx1 - cx0), int(cy1 - cy0)};
    return region;
}

} // namespace plandor
