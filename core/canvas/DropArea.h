#pragma once
// The part of the plan a drop of a piece changes, so that the canvas redraws only that part of
// its kept picture.

#include "core/base/Geometry.h"
#include "core/base/ViewTransform.h"
#include "core/document/Change.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <vector>

namespace plandor {

// What the layout looked like, as far as the drawing of a drop goes, before the drop.
struct DropBefore {
    std::vector<int32_t> selectedPieces;
    bool otherSelected = false; // scenery, labels, measurements or shapes were selected
    std::size_t levelCount = 0;
};

DropBefore recordBeforeDrop(const Layout& layout);

// The world boxes of every piece whose drawing the drop changed: one round the `touched` pieces
// (the new ones and those they joined), one round the pieces that lost the selection, which
// may lie far away; each with room for a grade arrow when one of them ends a graded run. None
// when the drop's effect cannot be bounded that way: other objects lost the selection, a level
// was added, or the layout has a helix (a new joint can link track to a helix far away).
std::vector<Bounds> dropArea(const Layout& layout, const DropBefore& before,
                             const std::vector<int32_t>& touched);

// Around a changed piece the plan also draws marks that its world box leaves out: part
// numbers, connector dots and pens, partly in pixels and partly growing with the zoom.
constexpr double kRedrawMarginMm = 10.0;
constexpr int kRedrawMarginPx = 48;
// How far a grade run's arrow and its text reach beyond the piece the run ends on.
constexpr double kGradeArrowReachMm = 80.0;
// Above this share of the surface a redraw of the whole picture costs about the same.
constexpr double kMostOfTheSurface = 0.4;

struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
};

// What of a kept picture of the plan a change needs redrawn: the whole picture, or one
// rectangle of it (empty when the change lies off the surface).
struct RedrawRegion {
    bool whole = true;
    PixelRect rect;
};

// The whole picture when the change is not bounded or its rectangle would cover most of the
// surface.
RedrawRegion redrawRegion(const Change& change, const ViewTransform& view, int width, int height);

// The same with one rectangle for each of the change's boxes, so that boxes far apart do not
// redraw all that lies between them; the whole picture when together they cover most of it.
struct RedrawRects {
    bool whole = true;
    std::vector<PixelRect> rects; // none on the surface: nothing to redraw
};
RedrawRects redrawRects(const Change& change, const ViewTransform& view, int width, int height);
// The same for a world box that changed (empty: not bounded).
RedrawRegion redrawRegion(const Bounds& area, const ViewTransform& view, int width, int height);

} // namespace plandor
