#include "core/editing/Snap.h"

#include "core/model/LevelFilter.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace plandor {

double headingDifference(double a, double b) {
    double d = std::fmod(std::fabs(a - b), 360.0);
    if (d > 180.0)
        d = 360.0 - d;
    return d;
}

double maxConnectorExtent(const PieceDef& def) {
    double extent = 0;
    for (const ConnectorDef& c : def.connectors)
        extent = std::max(extent, std::sqrt(c.x * c.x + c.y * c.y));
    return extent;
}

namespace {

// The farthest any catalogue connector lies from its piece's origin: lets the search skip a
// piece by its origin alone, before looking its definition up.
double catalogueMaxExtent() {
    static const double extent = [] {
        double e = 0;
        for (const PieceDef& def : TrackCatalog::instance().pieces())
            e = std::max(e, maxConnectorExtent(def));
        return e;
    }();
    return extent;
}

// maxConnectorExtent of a catalogue definition, worked out once per definition.
double extentOf(const PieceDef& def) {
    const std::vector<PieceDef>& all = TrackCatalog::instance().pieces();
    static const std::vector<double> extents = [&all] {
        std::vector<double> e;
        for (const PieceDef& d : all)
            e.push_back(maxConnectorExtent(d));
        return e;
    }();
    const std::less<const PieceDef*> before;
    if (!before(&def, all.data()) && before(&def, all.data() + all.size()))
        return extents[&def - all.data()];
    return maxConnectorExtent(def);
}

struct SubjectConnector {
    int index;
    Pose world;
    uint32_t system;
};

std::vector<SubjectConnector> freeConnectorsOf(const SnapSubject& s) {
    std::vector<SubjectConnector> out;
    for (int c = 0; c < static_cast<int>(s.def->connectors.size()); ++c) {
        if (!s.def->connectors[c].joinable)
            continue;
        if (s.joints && c < static_cast<int>(s.joints->size()) && !(*s.joints)[c].isFree())
            continue;
        out.push_back({c, worldConnector(s.pose, *s.def, c), s.def->connectorSystem(c)});
    }
    return out;
}

// Calls visit(piece, connector index, world pose, system, subject connector, distance) for every
// free connector of a candidate piece within snapping range of a free subject connector, in
// layout order, then connector order, then subject connector order. Stops when visit returns true.
template <typename Visit>
void forEachPairInRange(const Layout& layout, const SnapSubject& subject, SnapCandidates candidates,
                        Visit visit) {
    if (!subject.def)
        return;
    const std::vector<SubjectConnector> mine = freeConnectorsOf(subject);
    if (mine.empty())
        return;
    const HiddenLevels hidden(layout);
    // A margin keeps rounding from dropping a pair exactly at the snapping distance.
    const double subjectReach = kSnapDistance + maxConnectorExtent(*subject.def) + 1.0;
    const double reach = catalogueMaxExtent() + subjectReach;
    const double reachSq = reach * reach;
    const TrackCatalog& catalog = TrackCatalog::instance();
    for (const PlacedPiece& piece : layout.pieces) {
        if (candidates.unselectedOnly && piece.selected)
            continue;
        const double ox = piece.x - subject.pose.x, oy = piece.y - subject.pose.y;
        if (ox * ox + oy * oy > reachSq || hidden.hides(piece.level))
            continue;
        const PieceDef* def = catalog.find(piece.part);
        if (!def)
            continue;
        const double pieceReach = extentOf(*def) + subjectReach;
        if (ox * ox + oy * oy > pieceReach * pieceReach)
            continue;
        const Pose placed{piece.x, piece.y, piece.heading};
        for (int c = 0; c < static_cast<int>(def->connectors.size()); ++c) {
            if (!def->connectors[c].joinable || !piece.jointAt(c).isFree())
                continue;
            const Pose world = worldConnector(placed, *def, c);
            const uint32_t system = def->connectorSystem(c);
            for (const SubjectConnector& g : mine) {
                const double d = connectorDistance(world, g.world);
                if (d > kSnapDistance ||
                    headingDifference(world.heading, g.world.heading) < kMinSnapAngle)
                    continue;
                if (visit(piece, c, world, system, g, d))
                    return;
            }
        }
    }
}

} // namespace

SnapResult findSnap(const Layout& layout, const SnapSubject& subject, SnapCandidates candidates) {
    SnapResult best;
    Pose target;
    forEachPairInRange(layout, subject, candidates,
                       [&](const PlacedPiece& piece, int c, const Pose& world, uint32_t system,
                           const SubjectConnector& g, double d) {
                           if (system != g.system || (best.found && !(d < best.distance)))
                               return false;
                           best.found = true;
                           best.targetPiece = piece.id;
                           best.targetConn = c;
                           best.newConn = g.index;
                           best.distance = d;
                           target = world;
                           return false;
                       });
    if (best.found)
        best.pose = poseForMate(*subject.def, best.newConn, target.x, target.y, target.heading);
    return best;
}

SnapResult snapGhost(const Layout& layout, const std::string& part, const Pose& ghost) {
    if (!layout.snapOn)
        return SnapResult{};
    const PieceDef* def = TrackCatalog::instance().find(part);
    if (!def)
        return SnapResult{};
    return findSnap(layout, SnapSubject{def, ghost, nullptr});
}

IncompatiblePair findIncompatiblePair(const Layout& layout, const SnapSubject& subject) {
    IncompatiblePair found;
    forEachPairInRange(layout, subject, SnapCandidates{},
                       [&](const PlacedPiece&, int, const Pose&, uint32_t system,
                           const SubjectConnector& g, double) {
                           if (system == g.system)
                               return false;
                           found = IncompatiblePair{true, g.system, system};
                           return true;
                       });
    return found;
}

std::string incompatibleSystemsText(uint32_t ghostSystem, uint32_t placedSystem) {
    return systemChooserLabel(ghostSystem) + " cannot connect to " +
           systemChooserLabel(placedSystem) +
           ".\n\nThese track systems are not compatible.\nUse adapter track 24922 to connect "
           "C-Track to K-Track.";
}

} // namespace plandor
