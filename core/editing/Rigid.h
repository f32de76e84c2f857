#pragma once
// Turning pieces, scenery items and helices about a pivot, shared by the moves and rotations
// of a selection.

#include "core/base/Geometry.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"

#include <cmath>
#include <unordered_set>

namespace plandor {

// p turned by `degrees` (clockwise on screen, as headings are) about the pivot.
inline Point rotateAbout(Point p, Point pivot, double degrees) {
    const double t = degrees * kDegToRad;
    const double c = std::cos(t), s = std::sin(t);
    const double dx = p.x - pivot.x, dy = p.y - pivot.y;
    return Point{pivot.x + dx * c - dy * s, pivot.y + dx * s + dy * c};
}

// An angle difference folded into [-180, 180].
inline double foldAngle(double degrees) {
    double a = std::fmod(degrees, 360.0);
    if (a > 180.0)
        a -= 360.0;
    else if (a < -180.0)
        a += 360.0;
    return a;
}

inline void turnAbout(double& x, double& y, double& heading, Point pivot, double degrees) {
    const Point q = rotateAbout(Point{x, y}, pivot, degrees);
    x = q.x;
    y = q.y;
    heading = normalizeHeading(heading + degrees);
}
inline void turnAbout(PlacedPiece& p, Point pivot, double degrees) {
    turnAbout(p.x, p.y, p.heading, pivot, degrees);
}
inline void turnAbout(SceneryItem& s, Point pivot, double degrees) {
    turnAbout(s.x, s.y, s.heading, pivot, degrees);
}
inline void turnAbout(Helix& h, Point pivot, double degrees) {
    turnAbout(h.cx, h.cy, h.heading, pivot, degrees);
}

// Ids of the helices that have selected pieces and no unselected ones.
inline std::unordered_set<int32_t> wholeSelectedHelices(const Layout& layout) {
    std::unordered_set<int32_t> selected, unselected;
    for (const PlacedPiece& p : layout.pieces)
        if (p.helix != -1)
            (p.selected ? selected : unselected).insert(p.helix);
    for (int32_t id : unselected)
        selected.erase(id);
    return selected;
}

} // namespace plandor
