#pragma once
// What lies under a screen point. Every test returns the id of the object hit, or -1.
// Objects on a hidden level are never hit.

#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"
#include "core/render/ViewTransform.h"

#include <cstdint>

namespace plandor {

// Half-width of a piece's clickable band: 20 mm, 7 mm for Z-Track.
double pieceHitHalfWidth(const PieceDef& def);
// Whether a point in the piece's own frame lies on its clickable footprint.
bool pieceFootprintContains(const PieceDef& def, double localX, double localY);
// How far from its origin a piece's footprint can reach; a click farther away cannot hit it.
double pieceFootprintReach(const PieceDef& def);

// The piece under the point: the higher level wins, then the origin nearer the click;
// later pieces are preferred on a tie.
int32_t hitPiece(const Layout& layout, const ViewTransform& view, ScreenPoint click,
                 const TrackCatalog& catalog);
int32_t hitPiece(const Layout& layout, const ViewTransform& view, ScreenPoint click);

// The first label whose fixed 124 x 28 pixel box (from 4 px left of and above its anchor)
// contains the point.
int32_t hitLabel(const Layout& layout, const ViewTransform& view, ScreenPoint click);

// The first measurement whose length label or segment lies under the point.
int32_t hitMeasurement(const Layout& layout, const ViewTransform& view, ScreenPoint click);

// The helix one of whose rings passes under the point: higher level, then nearer centre.
int32_t hitHelix(const Layout& layout, const ViewTransform& view, ScreenPoint click);

// The scenery item whose footprint (plus 3 mm) lies under the point: highest level, then
// nearest position.
int32_t hitScenery(const Layout& layout, const ViewTransform& view, ScreenPoint click,
                   const SceneryCatalog& catalog);
int32_t hitScenery(const Layout& layout, const ViewTransform& view, ScreenPoint click);

// The polygon shape with an edge within 8 pixels of the point or the point inside it;
// the shape drawn last (on top) wins.
int32_t hitShape(const Layout& layout, const ViewTransform& view, ScreenPoint click);

// Plane geometry shared by the tests above.
double distanceToSegment(Point p, Point a, Point b);
bool polygonContains(const std::vector<Point>& polygon, Point p);

// Height of a level for choosing between hits; an unknown level counts as height 0.
double levelHeight(const Layout& layout, int32_t levelId);
// The level a helix is drawn on: that of its first placed piece, level 1 when it has none.
int32_t helixLevel(const Layout& layout, int32_t helixId);

} // namespace plandor
