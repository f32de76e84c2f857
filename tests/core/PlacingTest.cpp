#include "EditingTestSupport.h"

#include "core/editing/Placing.h"

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

TEST(Drop, SnapOffDropsAtTheCursorWithoutMessageAndSelectsOnlyTheNewPiece) {
    Layout layout = emptyLayout();
    addPiece(layout, "24188", -188.3, 0).selected = true;
    layout.snapOn = false;
    ScriptedPrompter prompter;
    const PlaceOutcome out = dropAt(layout, prompter, "2200", Point{3, 10}, 30);
    ASSERT_TRUE(out.placed);
    const PlacedPiece* added = layout.findPiece(out.pieceId);
    EXPECT_DOUBLE_EQ(added->x, 3);
    EXPECT_DOUBLE_EQ(added->y, 10);
    EXPECT_DOUBLE_EQ(added->heading, 30);
    EXPECT_EQ(freeJointCount(*added), 2);
    EXPECT_TRUE(added->selected);
    EXPECT_FALSE(layout.pieces[0].selected);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(Drop, LevelComesFromTheTargetOrTheHighestVisibleLevel) {
    Layout layout = emptyLayout();
    layout.levels.push_back(Level{2, "Level 2", true, 80});
    layout.levels.push_back(Level{3, "Level 3", false, 200});
    layout.levels.push_back(Level{4, "Level 4", true, 80});
    layout.activeLevel = 1;
    EXPECT_EQ(dropLevel(layout), 2); // highest visible; the first of a tie; hidden 3 ignored
    addPiece(layout, "24188", -188.3, 0, 0, 4);
    ScriptedPrompter prompter;
    EXPECT_EQ(layout.findPiece(dropAt(layout, prompter, "24188", Point{0, 0}).pieceId)->level, 4);
    EXPECT_EQ(layout.findPiece(dropAt(layout, prompter, "24188", Point{5000, 0}).pieceId)->level,
              2);
}

TEST(Drop, PairedRampPlacesItsTwinInOneUndoStepAndIdsAreNotReused) {
    Document doc;
    Layout& layout = (doc.layout = emptyLayout());
    ScriptedPrompter prompter;
    PlaceOutcome out;
    editStep(doc, [&] {
        out = dropAt(layout, prompter, "74618", Point{100, 100});
        return out.placed;
    });
    ASSERT_NE(out.twinId, -1);
    EXPECT_TRUE(joinedBothWays(layout, out.pieceId, 1, out.twinId, 0));
    EXPECT_NEAR(layout.findPiece(out.twinId)->x, 280, 1e-9);
    doc.undo();
    EXPECT_TRUE(layout.pieces.empty());
    EXPECT_GT(dropAt(layout, prompter, "24188", Point{0, 0}).pieceId, out.twinId);
}

struct AutoConnectCase {
    const char* name;
    std::vector<int> joinedConnectors; // of the selected 24612 right turnout
    int expectedFrom;                  // its connector the new piece joins, -1 for nothing
    int expectedNewConn;
};

TEST(AutoConnectChoice, JoinsAtTheConnectorTheRulesChoose) {
    const AutoConnectCase cases[] = {{"AllFreeTakesConnector1", {}, 1, 0},
                                     {"OneJoinedTakes0WithNew1", {1}, 0, 1},
                                     {"ZeroAndOneJoinedTakes2", {0, 1}, 2, 0},
                                     {"AllJoinedDoesNothing", {0, 1, 2}, -1, -1}};
    for (const AutoConnectCase& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = emptyLayout();
        const int32_t turnout = addPiece(layout, "24612", 0, 0).id;
        for (int conn : c.joinedConnectors) {
            const Pose at = connectorOf(layout, turnout, conn);
            const Pose p =
                poseForMate(*TrackCatalog::instance().find("24188"), 0, at.x, at.y, at.heading);
            layout.join(turnout, conn, addPiece(layout, "24188", p.x, p.y, p.heading).id, 0);
        }
        layout.findPiece(turnout)->selected = true;
        const PlaceOutcome out = autoConnect(layout, "24188");
        ASSERT_EQ(out.placed, c.expectedFrom >= 0);
        if (!out.placed)
            continue;
        EXPECT_TRUE(
            joinedBothWays(layout, turnout, c.expectedFrom, out.pieceId, c.expectedNewConn));
        const Pose a = connectorOf(layout, turnout, c.expectedFrom);
        const Pose b = connectorOf(layout, out.pieceId, c.expectedNewConn);
        EXPECT_NEAR(a.x, b.x, 1e-9);
        EXPECT_NEAR(a.y, b.y, 1e-9);
        EXPECT_NEAR(headingDifference(a.heading, b.heading), 180, 1e-9);
    }
}

TEST(CloneAndExtend, ExtendsFromTheFreeEndWithTheSamePart) {
    Layout layout = emptyLayout();
    const int32_t curve = addPiece(layout, "24130", 0, 0).id;
    PlaceOutcome out = cloneAndExtend(layout, curve);
    ASSERT_TRUE(out.placed);
    EXPECT_EQ(layout.findPiece(out.pieceId)->part, "24130");
    EXPECT_TRUE(joinedBothWays(layout, curve, 1, out.pieceId, 0));
    EXPECT_NEAR(layout.findPiece(out.pieceId)->heading, 30, 1e-9);
    out = cloneAndExtend(layout, curve); // connector 1 taken: joins connector 0 by its 1
    ASSERT_TRUE(out.placed);
    EXPECT_TRUE(joinedBothWays(layout, curve, 0, out.pieceId, 1));
    EXPECT_FALSE(cloneAndExtend(layout, curve).placed);
}

} // namespace

TEST(Drop, OntoTheTipOfAGradeRunContinuesIt) {
    Layout layout = emptyLayout();
    const int32_t first = addPiece(layout, "24188", -188.3, 0).id;
    layout.gradeRuns.push_back(GradeRun{3.0, first, 0});
    layout.restoreGradeState();
    layout.findPiece(first)->grade = 3.0;
    ScriptedPrompter prompter;
    const PlaceOutcome next = dropAt(layout, prompter, "24188", Point{2, 3});
    ASSERT_TRUE(next.placed);
    const PlacedPiece graded = *layout.findPiece(next.pieceId);
    EXPECT_NEAR(graded.grade, 3.0, 1e-9);
    EXPECT_NEAR(graded.z, 188.3 * std::sin(degToRad(3.0)), 1e-6);
    EXPECT_EQ(layout.gradeAnchor, next.pieceId);
}
