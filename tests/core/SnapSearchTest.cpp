#include "EditingTestSupport.h"

#include "core/editing/Placing.h"
#include "core/editing/Snap.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

struct GhostCase {
    const char* name;
    double x, y, heading; // ghost 24188 pose; its connector 0 is at (x, y) facing heading + 180
    bool snaps;
};

// A free C-Track end sits at the origin facing +x.
TEST(GhostSnapTolerance, SnapsExactlyWithinDistanceAndAngle) {
    const GhostCase cases[] = {
        {"Distance25_0", 0, 25.0, 0, true},          {"Distance25_1", 0, 25.1, 0, false},
        {"Angle19_9", 0, 0, 199.9, false},           {"Angle20", 0, 0, 200.0, true},
        {"Angle20FoldedFrom340", 0, 0, 160.0, true}, {"SameHeadingNeverJoins", 0, 0, 180.0, false}};
    for (const GhostCase& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = emptyLayout();
        const int32_t target = addPiece(layout, "24188", -188.3, 0).id;
        const SnapResult r = snapGhost(layout, "24188", Pose{c.x, c.y, c.heading});
        EXPECT_EQ(r.found, c.snaps);
        if (c.snaps) {
            EXPECT_EQ(r.targetPiece, target);
            EXPECT_EQ(r.targetConn, 1);
            EXPECT_EQ(r.newConn, 0);
        }
    }
}

// Ends to the left of a ghost at the origin, 188.3 mm straights ending at x = 0.
TEST(GhostSnap, NearestFreeVisibleEndWinsAndATieKeepsTheFirst) {
    Layout layout = emptyLayout();
    layout.levels.push_back(Level{2, "Level 2", false, 100});
    const auto target = [&] { return snapGhost(layout, "24188", Pose{0, 0, 0}).targetPiece; };
    const int32_t first = addPiece(layout, "24188", -188.3, -10).id;
    addPiece(layout, "24188", -188.3, 10);
    EXPECT_EQ(target(), first);
    const int32_t nearer = addPiece(layout, "24188", -188.3, 9.9).id;
    EXPECT_EQ(target(), nearer);
    addPiece(layout, "24188", -188.3, 2, 0, 2);
    EXPECT_EQ(target(), nearer) << "a hidden level does not attract";
    const int32_t joined = addPiece(layout, "24188", -188.3, 0).id;
    layout.join(joined, 1, addPiece(layout, "24188", 0, 0).id, 0);
    EXPECT_EQ(target(), nearer) << "a joined end is never a target";

    Layout hidden = emptyLayout();
    hidden.levels.push_back(Level{2, "Level 2", false, 100});
    addPiece(hidden, "24188", -188.3, 2, 0, 2);
    const PieceDef* k = TrackCatalog::instance().find("2200");
    EXPECT_FALSE(findIncompatiblePair(hidden, SnapSubject{k, Pose{0, 0, 0}, nullptr}).found)
        << "nor does it block";
}

// A K-Track ghost by a C-Track end is refused on the canvas; the adapter joins both.
TEST(GhostSnap, TheAdapterJoinsBothSystemsAndClashesTurnedRound) {
    Layout layout = emptyLayout();
    const int32_t ctrack = addPiece(layout, "24188", -188.3, 0).id; // C-Track end at the origin
    const int32_t ktrack = addPiece(layout, "2200", 1000, 0).id;    // K-Track end at (1000, 0)
    SnapResult r = snapGhost(layout, "24922", Pose{2, 0, 0});
    EXPECT_EQ(r.targetPiece, ctrack);
    EXPECT_EQ(r.newConn, 0);
    r = snapGhost(layout, "24922", Pose{822, 0, 0}); // connector 1 two mm from the K-Track end
    EXPECT_EQ(r.targetPiece, ktrack);
    EXPECT_EQ(r.newConn, 1);

    // Turned round, its K-Track end faces the C-Track end: no snap, and a clash.
    const PieceDef* adapter = TrackCatalog::instance().find("24922");
    EXPECT_FALSE(snapGhost(layout, "24922", Pose{180, 0, 180}).found);
    const IncompatiblePair clash =
        findIncompatiblePair(layout, SnapSubject{adapter, Pose{180, 0, 180}, nullptr});
    ASSERT_TRUE(clash.found);
    EXPECT_EQ(clash.ghostSystem, KTrack);
    EXPECT_EQ(clash.placedSystem, CTrack);
}

} // namespace
