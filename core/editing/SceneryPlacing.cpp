#include "core/editing/SceneryPlacing.h"

#include "core/editing/Placing.h"
#include "core/editing/Selection.h"

#include <cmath>

namespace plandor {

namespace {

// The turntable nearest to the point within reach, or null.
const SceneryItem* nearestTurntable(const Layout& layout, Point at) {
    const SceneryItem* best = nullptr;
    double bestDistance = kTurntableReach;
    for (const SceneryItem& item : layout.scenery) {
        if (item.item != kTurntableKey)
            continue;
        const double d = std::hypot(item.x - at.x, item.y - at.y);
        if (d <= bestDistance) {
            best = &item;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

Pose sceneryDropPose(const Layout& layout, const SceneryDef& def, const std::string& key,
                     Pose ghost) {
    if (key != kRoundhouseKey)
        return ghost;
    const SceneryItem* turntable = nearestTurntable(layout, Point{ghost.x, ghost.y});
    if (!turntable)
        return ghost;
    double heading = std::round(ghost.heading / kTurntableStallAngle) * kTurntableStallAngle;
    heading = normalizeHeading(heading);
    const double r = def.depth / 2 + kTurntableRingOffset;
    const double a = degToRad(heading);
    // R(heading) applied to (0, r), the item's local y axis pointing away from the turntable.
    return Pose{turntable->x - r * std::sin(a), turntable->y + r * std::cos(a), heading};
}

int32_t dropScenery(Layout& layout, const std::string& key, Pose ghost,
                    const SceneryCatalog& catalog) {
    const SceneryDef* def = catalog.find(key);
    if (!def)
        return -1;
    const Pose pose = sceneryDropPose(layout, *def, key, ghost);
    layout.ensureDefaultLevel();
    SceneryItem item;
    item.item = key;
    item.x = pose.x;
    item.y = pose.y;
    item.heading = pose.heading;
    item.level = dropLevel(layout);
    clearSelection(layout);
    item.id = layout.takeId();
    item.selected = true;
    layout.scenery.push_back(std::move(item));
    return layout.scenery.back().id;
}

} // namespace plandor
