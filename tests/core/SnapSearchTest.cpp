#include "EditingTestSupport.h"

#include "editing/Placing.h"
#include "editing/Snap.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

// A C-Track straight whose connector 1 sits exactly at the origin, facing +x (heading 0).
Layout straightEndingAtOrigin(const std::string& part = "24188", double length = 188.3) {
    Layout layout = emptyLayout();
    put(layout, part, -length, 0);
    return layout;
}

struct GhostCase {
    const char* name;
    double x, y, heading; // ghost 24188 pose; its connector 0 is at (x, y) facing heading + 180
    bool snaps;
};

class GhostSnapTolerance : public ::testing::TestWithParam<GhostCase> {};

TEST_P(GhostSnapTolerance, SnapsExactlyWithinDistanceAndAngle) {
    const GhostCase& c = GetParam();
    const Layout layout = straightEndingAtOrigin();
    const SnapResult r = snapGhost(layout, "24188", Pose{c.x, c.y, c.heading});
    EXPECT_EQ(r.found, c.snaps);
    if (c.snaps) {
        EXPECT_EQ(r.targetPiece, layout.pieces[0].id);
        EXPECT_EQ(r.targetConn, 1);
        EXPECT_EQ(r.newConn, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GhostSnapTolerance,
    ::testing::Values(GhostCase{"Distance25_0", 0, 25.0, 0, true},
                      GhostCase{"Distance25_1", 0, 25.1, 0, false},
                      GhostCase{"DistanceDiagonalInside", 17.0, 17.0, 0, true},   // 24.04 mm
                      GhostCase{"DistanceDiagonalOutside", 18.0, 18.0, 0, false}, // 25.46 mm
                      GhostCase{"Angle19_9AtDistance0", 0, 0, 199.9, false},
                      GhostCase{"Angle20AtDistance0", 0, 0, 200.0, true},
                      GhostCase{"Angle20FoldedFrom340", 0, 0, 160.0, true},
                      GhostCase{"Angle19_9FoldedFrom340_1", 0, 0, 160.1, false},
                      GhostCase{"SameHeadingNeverJoins", 0, 0, 180.0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GhostSnap, SnappedPoseMeetsTheTargetHeadOn) {
    const Layout layout = straightEndingAtOrigin();
    // 40 degrees off and 10 mm away: the snap turns the ghost to face the target squarely.
    const SnapResult r = snapGhost(layout, "24188", Pose{6, 8, 220});
    ASSERT_TRUE(r.found);
    EXPECT_DOUBLE_EQ(r.distance, 10.0);
    const Pose mate = worldConnector(r.pose, *TrackCatalog::instance().find("24188"), 0);
    EXPECT_NEAR(mate.x, 0, 1e-9);
    EXPECT_NEAR(mate.y, 0, 1e-9);
    EXPECT_NEAR(mate.heading, 180, 1e-9);
    EXPECT_NEAR(r.pose.heading, 0, 1e-9);
}

TEST(GhostSnap, JoinedConnectorIsNeverATarget) {
    Layout layout = straightEndingAtOrigin();
    const int32_t other = put(layout, "24188", 0, 0);
    layout.join(layout.pieces[0].id, 1, other, 0);
    // The ghost's connector 0 sits on the joined pair; only free ends elsewhere could attract it.
    EXPECT_FALSE(snapGhost(layout, "24188", Pose{0, 3, 0}).found);
}

TEST(GhostSnap, FirstOfEqualPairsWins) {
    Layout layout = emptyLayout();
    // Two free ends 10 mm either side of the ghost's connector 0.
    const int32_t first = put(layout, "24188", -188.3, -10);
    put(layout, "24188", -188.3, 10);
    const SnapResult r = snapGhost(layout, "24188", Pose{0, 0, 0});
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.targetPiece, first);
}

TEST(GhostSnap, NearerLaterPairReplacesEarlier) {
    Layout layout = emptyLayout();
    put(layout, "24188", -188.3, -10);
    const int32_t nearer = put(layout, "24188", -188.3, 9.9);
    EXPECT_EQ(snapGhost(layout, "24188", Pose{0, 0, 0}).targetPiece, nearer);
}

TEST(GhostSnap, HiddenLevelsNeitherAttractNorBlock) {
    Layout layout = emptyLayout();
    layout.levels.push_back(Level{2, "Level 2", false, 100});
    put(layout, "24188", -188.3, 2, 0, 2); // hidden, nearer
    const int32_t visible = put(layout, "24188", -188.3, 12, 0, 1);
    const SnapResult r = snapGhost(layout, "24188", Pose{0, 0, 0});
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.targetPiece, visible);
}

TEST(GhostSnap, PieceOnAMissingLevelCountsAsVisible) {
    Layout layout = emptyLayout();
    const int32_t id = put(layout, "24188", -188.3, 0, 0, 42);
    EXPECT_EQ(snapGhost(layout, "24188", Pose{0, 5, 0}).targetPiece, id);
}

TEST(GhostSnap, SnapSwitchOffFindsNothing) {
    Layout layout = straightEndingAtOrigin();
    layout.snapOn = false;
    EXPECT_FALSE(snapGhost(layout, "24188", Pose{0, 0, 0}).found);
}

TEST(GhostSnap, OtherTrackSystemDoesNotAttract) {
    const Layout layout = straightEndingAtOrigin();
    EXPECT_FALSE(snapGhost(layout, "2200", Pose{0, 0, 0}).found); // K-Track straight
}

TEST(GhostSnap, AdapterJoinsCTrackAtOneEndAndKTrackAtTheOther) {
    Layout layout = emptyLayout();
    const int32_t ctrack = put(layout, "24188", -188.3, 0); // free C-Track end at the origin
    const int32_t ktrack = put(layout, "2200", 1000, 0);    // free K-Track end at (1000, 0)
    const PieceDef* adapter = TrackCatalog::instance().find("24922");

    SnapResult r = snapGhost(layout, "24922", Pose{2, 0, 0});
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.targetPiece, ctrack);
    EXPECT_EQ(r.newConn, 0);

    r = snapGhost(layout, "24922", Pose{822, 0, 0}); // connector 1 two mm from the K-Track end
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.targetPiece, ktrack);
    EXPECT_EQ(r.newConn, 1);

    // Turned round, its K-Track end faces the C-Track end: no snap, and a clash.
    EXPECT_FALSE(snapGhost(layout, "24922", Pose{180, 0, 180}).found);
    const IncompatiblePair clash =
        findIncompatiblePair(layout, SnapSubject{adapter, Pose{180, 0, 180}, nullptr});
    ASSERT_TRUE(clash.found);
    EXPECT_EQ(clash.ghostSystem, KTrack);
    EXPECT_EQ(clash.placedSystem, CTrack);
}

TEST(IncompatibleSystems, MessageNamesTheGhostSystemFirst) {
    EXPECT_EQ(incompatibleSystemsText(KTrack, CTrack),
              "Marklin K-Track cannot connect to Marklin C-Track.\n\nThese track systems are not "
              "compatible.\nUse adapter track 24922 to connect C-Track to K-Track.");
    EXPECT_EQ(incompatibleSystemsText(ZTrack, 9),
              "Marklin Z-Track cannot connect to Unknown.\n\nThese track systems are not "
              "compatible.\nUse adapter track 24922 to connect C-Track to K-Track.");
}

TEST(IncompatibleSystems, HiddenPiecesAndFarPiecesDoNotCount) {
    Layout layout = emptyLayout();
    layout.levels.push_back(Level{2, "Level 2", false, 0});
    put(layout, "24188", -188.3, 0, 0, 2);
    const PieceDef* k = TrackCatalog::instance().find("2200");
    EXPECT_FALSE(findIncompatiblePair(layout, SnapSubject{k, Pose{0, 0, 0}, nullptr}).found);
    layout.pieces[0].level = 1;
    EXPECT_TRUE(findIncompatiblePair(layout, SnapSubject{k, Pose{0, 0, 0}, nullptr}).found);
    EXPECT_FALSE(findIncompatiblePair(layout, SnapSubject{k, Pose{0, 25.1, 0}, nullptr}).found);
}

TEST(SnapSearch, FarPiecesAreSkippedButEveryPieceInRangeIsSeen) {
    // A long K-Track flex piece (900 mm) has its far end near the ghost although its origin
    // is far away: the quick skip must not lose it.
    Layout layout = emptyLayout();
    const int32_t flex = put(layout, "2205", -900, 0);
    EXPECT_EQ(snapGhost(layout, "2200", Pose{0, 20, 0}).targetPiece, flex);
}

} // namespace
