#include "core/canvas/SelectionBounds.h"
#include "core/base/Geometry.h"

#include "core/model/PartLookup.h"

#include <cmath>

namespace plandor {

namespace {

// The point of a curved piece's frame where the selection box takes its arc's bulge.
Point bulgePoint(const PieceDef& def) {
    const double s = def.radius * (1 - std::cos(def.angle * kDegToRad / 2));
    return Point{def.length / 2, def.angle >= 0 ? -s : s};
}
} // namespace

Bounds selectionBounds(const Layout& layout, const TrackCatalog& catalog,
                       const SceneryCatalog& scenery) {
    Bounds box;
    PartLookup parts(catalog);
    for (const PlacedPiece& p : layout.pieces) {
        if (!p.selected)
            continue;
        box.add(p.x, p.y);
        const PieceDef* def = parts.find(p.part);
        if (def == nullptr)
            continue;
        const Pose placed{p.x, p.y, p.heading};
        for (int c = 0; c < static_cast<int>(def->connectors.size()); ++c) {
            const Pose w = worldConnector(placed, *def, c);
            box.add(w.x, w.y);
        }
        if (def->radius > 0 && def->connectors.size() >= 2) {
            const Point b = bulgePoint(*def);
            const double t = p.heading * kDegToRad;
            box.add(p.x + b.x * std::cos(t) - b.y * std::sin(t),
                    p.y + b.x * std::sin(t) + b.y * std::cos(t));
        }
    }
    for (const SceneryItem& s : layout.scenery) {
        if (!s.selected)
            continue;
        const SceneryDef* def = scenery.find(s.item);
        if (def == nullptr)
            continue;
        const double hw = std::fabs(def->width * s.scaleX) / 2;
        const double hd = std::fabs(def->depth * s.scaleY) / 2;
        box.add(s.x - hw, s.y - hd);
        box.add(s.x + hw, s.y + hd);
    }
    return box;
}

} // namespace plandor
