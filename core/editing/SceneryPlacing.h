#pragma once
// Placing scenery items from the palette: the ghost's turns, the roundhouse's fit round a
// turntable, and the drop with its level.

#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <string>

namespace plandor {

// The R key and the right button turn a scenery ghost by 15 degrees (a wheel notch by 30, or 15
// with Shift, as for pieces).
constexpr double kSceneryTurnStep = 15.0;

// The roundhouse stands radially outside a turntable within this distance of the drop point.
constexpr const char* kRoundhouseKey = "72886";
constexpr const char* kTurntableKey = "turntable";
constexpr double kTurntableReach = 700.0;
constexpr double kTurntableRingOffset = 349.6;
constexpr double kTurntableStallAngle = 12.0;

// Where an item of `key` dropped with the ghost at `ghost` goes: the ghost pose, or for the
// roundhouse near a turntable its place on the ring (heading on a 12-degree stop, position
// catalogue depth / 2 + 349.6 mm out from the nearest turntable's centre).
Pose sceneryDropPose(const Layout& layout, const SceneryDef& def, const std::string& key,
                     Pose ghost);

// Drops an item of `key` at the ghost pose: a new id, scale 1 x 1, the highest visible level,
// selected alone. Returns the new id, or -1 (nothing changed) for a key not in the catalogue.
int32_t dropScenery(Layout& layout, const std::string& key, Pose ghost,
                    const SceneryCatalog& catalog = SceneryCatalog::instance());

} // namespace plandor
