#include "EditingTestSupport.h"

#include "editing/Placing.h"
#include "editing/Selection.h"
#include "model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

PlaceOutcome dropAt(Layout& layout, ScriptedPrompter& prompter, const std::string& part, Point at,
                    double heading = 0) {
    PlacingState placing;
    EXPECT_TRUE(beginPlacing(placing, part, Point{0, 0}));
    rotateGhost(placing, layout, heading);
    updateGhost(placing, layout, at);
    return dropPiece(layout, placing, prompter);
}

TEST(Placing, BeginRefusesUnknownOrEmptyPartNumbers) {
    PlacingState placing;
    EXPECT_FALSE(beginPlacing(placing, "", Point{}));
    EXPECT_FALSE(beginPlacing(placing, "24188 ", Point{}));
    EXPECT_FALSE(placing.active);
    EXPECT_TRUE(beginPlacing(placing, "24188", Point{5, 6}));
    EXPECT_TRUE(placing.active);
    EXPECT_DOUBLE_EQ(placing.ghost.x, 5);
    EXPECT_DOUBLE_EQ(placing.ghost.heading, 0);
}

TEST(Placing, TurningTheGhostSnapsAgainAtTheCursor) {
    Layout layout = emptyLayout();
    put(layout, "24188", -188.3, 0);
    PlacingState placing;
    beginPlacing(placing, "24188", Point{});
    rotateGhost(placing, layout, 180); // connector 0 now faces the target's heading: refused
    updateGhost(placing, layout, Point{0, 0});
    EXPECT_FALSE(placing.snap.found);
    rotateGhost(placing, layout, 180);
    EXPECT_TRUE(placing.snap.found);
}

TEST(Drop, SnappedDropJoinsBothSidesAndSelectsTheNewPiece) {
    Layout layout = emptyLayout();
    const int32_t target = put(layout, "24188", -188.3, 0, 0, 1);
    layout.pieces[0].selected = true;
    ScriptedPrompter prompter;
    const PlaceOutcome out = dropAt(layout, prompter, "24188", Point{4, 7}, 10);
    ASSERT_TRUE(out.placed);
    EXPECT_TRUE(joinedBothWays(layout, target, 1, out.pieceId, 0));
    const PlacedPiece* added = layout.findPiece(out.pieceId);
    EXPECT_NEAR(added->x, 0, 1e-9);
    EXPECT_NEAR(added->y, 0, 1e-9);
    EXPECT_NEAR(added->heading, 0, 1e-9);
    EXPECT_EQ(added->helix, -1);
    EXPECT_EQ(out.status, "Pieces: 2");
    EXPECT_EQ(layout.undoDepth(), 1u);
    EXPECT_TRUE(added->selected);
    EXPECT_FALSE(layout.findPiece(target)->selected);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(Drop, KTrackNearFreeCTrackShowsTheMessageAndPlacesNothing) {
    Layout layout = emptyLayout();
    put(layout, "24188", -188.3, 0);
    ScriptedPrompter prompter;
    const PlaceOutcome out = dropAt(layout, prompter, "2200", Point{0, 10});
    EXPECT_FALSE(out.placed);
    EXPECT_EQ(layout.pieces.size(), 1u);
    EXPECT_EQ(layout.undoDepth(), 0u);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].title, "Incompatible Track Systems");
    EXPECT_EQ(prompter.shown[0].text.rfind("Marklin K-Track cannot connect to Marklin C-Track.", 0),
              0u);
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Exclamation);
}

TEST(Drop, SnapOffDropsAtTheCursorWithoutMessage) {
    Layout layout = emptyLayout();
    put(layout, "24188", -188.3, 0);
    layout.snapOn = false;
    ScriptedPrompter prompter;
    const PlaceOutcome out = dropAt(layout, prompter, "2200", Point{3, 10}, 30);
    ASSERT_TRUE(out.placed);
    const PlacedPiece* added = layout.findPiece(out.pieceId);
    EXPECT_DOUBLE_EQ(added->x, 3);
    EXPECT_DOUBLE_EQ(added->y, 10);
    EXPECT_DOUBLE_EQ(added->heading, 30);
    EXPECT_EQ(freeJointCount(*added), 2);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(Drop, LevelComesFromTheTargetOrTheHighestVisibleLevel) {
    Layout layout = emptyLayout();
    layout.levels.push_back(Level{2, "Level 2", true, 80});
    layout.levels.push_back(Level{3, "Level 3", false, 200});
    layout.levels.push_back(Level{4, "Level 4", true, 80});
    layout.activeLevel = 1;
    EXPECT_EQ(dropLevel(layout), 2); // highest visible; the first of a tie; hidden 3 ignored
    put(layout, "24188", -188.3, 0, 0, 4);
    ScriptedPrompter prompter;
    EXPECT_EQ(layout.findPiece(dropAt(layout, prompter, "24188", Point{0, 0}).pieceId)->level, 4);
    EXPECT_EQ(layout.findPiece(dropAt(layout, prompter, "24188", Point{5000, 0}).pieceId)->level,
              2);
    for (Level& l : layout.levels)
        l.visible = false;
    layout.activeLevel = 3;
    EXPECT_EQ(dropLevel(layout), 3);
}

TEST(Drop, VanishedTargetPlacesAtTheSnappedPoseWithoutJoints) {
    Layout layout = emptyLayout();
    put(layout, "24188", -188.3, 0, 0, 1);
    layout.activeLevel = 7;
    PlacingState placing;
    beginPlacing(placing, "24188", Point{});
    updateGhost(placing, layout, Point{5, 5});
    ASSERT_TRUE(placing.snap.found);
    layout.pieces.clear();
    ScriptedPrompter prompter;
    const PlaceOutcome out = dropPiece(layout, placing, prompter);
    ASSERT_TRUE(out.placed);
    const PlacedPiece* added = layout.findPiece(out.pieceId);
    EXPECT_NEAR(added->x, 0, 1e-9);
    EXPECT_EQ(added->level, 7);
    EXPECT_EQ(freeJointCount(*added), 2);
    EXPECT_FALSE(placing.active);
}

TEST(Drop, PairedRampPlacesItsTwinJoinedAtConnectorOneInOneUndoStep) {
    Layout layout = emptyLayout();
    ScriptedPrompter prompter;
    const PlaceOutcome out = dropAt(layout, prompter, "74618", Point{100, 100});
    ASSERT_NE(out.twinId, -1);
    EXPECT_EQ(layout.pieces.size(), 2u);
    EXPECT_TRUE(joinedBothWays(layout, out.pieceId, 1, out.twinId, 0));
    EXPECT_NEAR(layout.findPiece(out.twinId)->x, 280, 1e-9);
    EXPECT_EQ(layout.undoDepth(), 1u);
    layout.undo();
    EXPECT_TRUE(layout.pieces.empty());
}

TEST(Drop, FirstZTrackPieceAsksForTheLargeView) {
    Layout layout = emptyLayout();
    ScriptedPrompter prompter;
    EXPECT_TRUE(dropAt(layout, prompter, "8500", Point{0, 0}).resetViewLarge);
    EXPECT_FALSE(dropAt(layout, prompter, "8500", Point{500, 0}).resetViewLarge);
    Layout ctrack = emptyLayout();
    EXPECT_FALSE(dropAt(ctrack, prompter, "24188", Point{0, 0}).resetViewLarge);
}

TEST(Drop, IdsAreNeverReusedAfterUndo) {
    Layout layout = emptyLayout();
    ScriptedPrompter prompter;
    const int32_t first = dropAt(layout, prompter, "24188", Point{0, 0}).pieceId;
    layout.undo();
    const int32_t second = dropAt(layout, prompter, "24188", Point{0, 0}).pieceId;
    EXPECT_GT(second, first);
}

struct AutoConnectCase {
    const char* name;
    std::vector<int> joinedConnectors; // of the selected 24612 right turnout
    int expectedFrom;                  // its connector the new piece joins, -1 for nothing
    int expectedNewConn;
};

class AutoConnectChoice : public ::testing::TestWithParam<AutoConnectCase> {};

TEST_P(AutoConnectChoice, JoinsAtTheConnectorTheRulesChoose) {
    const AutoConnectCase& c = GetParam();
    Layout layout = emptyLayout();
    const int32_t turnout = put(layout, "24612", 0, 0);
    for (int conn : c.joinedConnectors) {
        const Pose at = connectorOf(layout, turnout, conn);
        const PieceDef* s = TrackCatalog::instance().find("24188");
        const Pose p = poseForMate(*s, 0, at.x, at.y, at.heading);
        const int32_t other = put(layout, "24188", p.x, p.y, p.heading);
        layout.join(turnout, conn, other, 0);
    }
    layout.findPiece(turnout)->selected = true;
    const std::size_t before = layout.pieces.size();
    const PlaceOutcome out = autoConnect(layout, "24188");
    if (c.expectedFrom < 0) {
        EXPECT_FALSE(out.placed);
        EXPECT_EQ(layout.pieces.size(), before);
        return;
    }
    ASSERT_TRUE(out.placed);
    EXPECT_TRUE(joinedBothWays(layout, turnout, c.expectedFrom, out.pieceId, c.expectedNewConn));
    const Pose a = connectorOf(layout, turnout, c.expectedFrom);
    const Pose b = connectorOf(layout, out.pieceId, c.expectedNewConn);
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
    EXPECT_NEAR(headingDifference(a.heading, b.heading), 180, 1e-9);
    EXPECT_TRUE(layout.findPiece(out.pieceId)->selected);
    EXPECT_FALSE(layout.findPiece(turnout)->selected);
}

INSTANTIATE_TEST_SUITE_P(Cases, AutoConnectChoice,
                         ::testing::Values(AutoConnectCase{"AllFreeTakesConnector1", {}, 1, 0},
                                           AutoConnectCase{"OneJoinedTakes0WithNew1", {1}, 0, 1},
                                           AutoConnectCase{"ZeroAndOneJoinedTakes2", {0, 1}, 2, 0},
                                           AutoConnectCase{
                                               "AllJoinedDoesNothing", {0, 1, 2}, -1, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AutoConnect, UsesTheSelectedPieceWithTheHighestIdAndItsLevel) {
    Layout layout = emptyLayout();
    put(layout, "24188", 0, 0, 0, 1);
    const int32_t highest = put(layout, "24188", 0, 500, 0, 3);
    std::swap(layout.pieces[0], layout.pieces[1]); // list order must not matter
    selectAll(layout);
    const PlaceOutcome out = autoConnect(layout, "24188");
    ASSERT_TRUE(out.placed);
    EXPECT_TRUE(joinedBothWays(layout, highest, 1, out.pieceId, 0));
    EXPECT_EQ(layout.findPiece(out.pieceId)->level, 3);
    EXPECT_EQ(out.status, "Pieces: 3");
    EXPECT_EQ(layout.undoDepth(), 1u);
}

TEST(AutoConnect, UnknownPartOrNoSelectionDoesNothing) {
    Layout layout = emptyLayout();
    put(layout, "24188", 0, 0);
    EXPECT_FALSE(autoConnect(layout, "24188").placed);
    selectAll(layout);
    EXPECT_FALSE(autoConnect(layout, "99999").placed);
    EXPECT_EQ(layout.undoDepth(), 0u);
}

TEST(CloneAndExtend, ExtendsFromTheFreeEndWithTheSamePart) {
    Layout layout = emptyLayout();
    const int32_t curve = put(layout, "24130", 0, 0);
    PlaceOutcome out = cloneAndExtend(layout, curve);
    ASSERT_TRUE(out.placed);
    EXPECT_EQ(layout.findPiece(out.pieceId)->part, "24130");
    EXPECT_TRUE(joinedBothWays(layout, curve, 1, out.pieceId, 0));
    EXPECT_NEAR(layout.findPiece(out.pieceId)->heading, 30, 1e-9);
    // Connector 1 is taken now: the next clone goes on connector 0, joined by its connector 1.
    out = cloneAndExtend(layout, curve);
    ASSERT_TRUE(out.placed);
    EXPECT_TRUE(joinedBothWays(layout, curve, 0, out.pieceId, 1));
    // Both ends taken: nothing happens.
    EXPECT_FALSE(cloneAndExtend(layout, curve).placed);
    EXPECT_EQ(layout.pieces.size(), 3u);
}

TEST(CloneAndExtend, ConnectorNamedByAnotherPieceCountsAsTaken) {
    Layout layout = emptyLayout();
    const int32_t a = put(layout, "24188", 0, 0);
    const int32_t b = put(layout, "24188", 188.3, 0);
    // A one-sided joint (as a damaged file might hold): b says it is joined to a's connector 1.
    layout.findPiece(b)->joints[0] = Joint{a, 1};
    const PlaceOutcome out = cloneAndExtend(layout, a);
    ASSERT_TRUE(out.placed);
    EXPECT_TRUE(joinedBothWays(layout, a, 0, out.pieceId, 1));
}

TEST(CloneAndExtend, HelixPiecesAreNeverCloned) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    const std::size_t before = layout.pieces.size();
    EXPECT_FALSE(cloneAndExtend(layout, layout.pieces[0].id).placed);
    EXPECT_EQ(layout.pieces.size(), before);
}

} // namespace
