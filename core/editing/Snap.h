#pragma once
// The snap search: which free connector of a placed piece the connectors of a ghost (or of
// a moving piece) join, and the head-on pose that makes them meet.

#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

constexpr double kSnapDistance = 25.0; // mm, inclusive
constexpr double kMinSnapAngle = 20.0; // degrees; smaller heading differences never join

struct SnapResult {
    bool found = false;
    int32_t targetPiece = -1;
    int targetConn = -1;
    int newConn = -1;
    Pose pose; // the snapped pose of the ghost or moving piece
    double distance = 0;
};

// |a - b| folded into [0, 180].
double headingDifference(double a, double b);

// Distance between two connector positions; every snap comparison uses this one formula.
inline double connectorDistance(const Pose& a, const Pose& b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

// Farthest connector of the definition from its origin.
double maxConnectorExtent(const PieceDef& def);

// The piece being snapped: its definition at a pose, with its joint slots (connectors
// beyond the list are free).
struct SnapSubject {
    const PieceDef* def = nullptr;
    Pose pose;
    const std::vector<Joint>* joints = nullptr;
};

// Which placed pieces may be targets: those on visible levels, and with `unselectedOnly`
// only the unselected ones (the move snap).
struct SnapCandidates {
    bool unselectedOnly = false;
};

// Nearest accepted pair (equal systems, <= 25 mm, headings >= 20 degrees apart); the first
// of equal pairs wins. Ignores the snap switch.
SnapResult findSnap(const Layout& layout, const SnapSubject& subject,
                    SnapCandidates candidates = {});

// The ghost snap: nothing found when the layout's snap switch is off or the part is unknown.
SnapResult snapGhost(const Layout& layout, const std::string& part, const Pose& ghost);

// The first pair within snapping range whose track systems differ.
struct IncompatiblePair {
    bool found = false;
    uint32_t ghostSystem = 0;
    uint32_t placedSystem = 0;
};
IncompatiblePair findIncompatiblePair(const Layout& layout, const SnapSubject& subject);

constexpr const char* kIncompatibleTitle = "Incompatible Track Systems";
// The refusal naming the ghost's system first, then the placed piece's.
std::string incompatibleSystemsText(uint32_t ghostSystem, uint32_t placedSystem);

} // namespace plandor
