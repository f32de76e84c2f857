#include "EditingTestSupport.h"

#include "editing/Rotate.h"
#include "editing/Selection.h"
#include "model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

TEST(WheelRotation, TurnsAboutThePivotAndKeepsJointsToTheOutside) {
    Layout layout = emptyLayout();
    const int32_t fixed = put(layout, "24188", -188.3, 0);
    const int32_t turned = put(layout, "24188", 0, 0);
    layout.join(fixed, 1, turned, 0);
    layout.scenery.push_back(SceneryItem{9, "tree", 100, 0, 350, true});
    layout.findPiece(turned)->selected = true;
    rotateSelection(layout, Point{0, 0}, 90);
    const PlacedPiece* p = layout.findPiece(turned);
    EXPECT_NEAR(p->heading, 90, 1e-12);
    EXPECT_NEAR(layout.scenery[0].x, 0, 1e-12);
    EXPECT_NEAR(layout.scenery[0].y, 100, 1e-12);
    EXPECT_NEAR(layout.scenery[0].heading, 80, 1e-12);
    EXPECT_TRUE(joinedBothWays(layout, fixed, 1, turned, 0));
    EXPECT_EQ(layout.undoDepth(), 1u);
    EXPECT_DOUBLE_EQ(layout.findPiece(fixed)->heading, 0);
}

// One straight at (100, 0), heading 0; its position is the pivot of a free rotation.
struct FreeTurn {
    Layout layout = emptyLayout();
    int32_t id;
    ScriptedPrompter prompter;
    FreeRotation rotation;
    FreeTurn() {
        id = put(layout, "24188", 100, 0);
        layout.findPiece(id)->selected = true;
    }
    // Cursor at the given angle (degrees) about the pivot, starting from angle 0.
    Point at(double degrees) {
        const double t = degrees * 3.141592653589793 / 180.0;
        return Point{100 + 50 * std::cos(t), 50 * std::sin(t)};
    }
};

struct AltDragCase {
    const char* name;
    double cursorAngle;
    double heading;
    bool flash;
};

class FreeRotationSnap : public ::testing::TestWithParam<AltDragCase> {};

TEST_P(FreeRotationSnap, LandsOnRightAnglesWithinTwoDegrees) {
    const AltDragCase& c = GetParam();
    FreeTurn f;
    ASSERT_TRUE(f.rotation.begin(f.layout, f.prompter, f.at(0)));
    f.rotation.motion(f.layout, f.at(45)); // an earlier motion away from any right angle
    EXPECT_FALSE(f.rotation.flash());
    EXPECT_EQ(f.rotation.motion(f.layout, f.at(c.cursorAngle)), c.flash);
    EXPECT_NEAR(f.layout.findPiece(f.id)->heading, c.heading, 1e-9);
    if (c.flash)
        EXPECT_EQ(f.layout.findPiece(f.id)->heading, c.heading); // exactly
    EXPECT_EQ(f.rotation.flash(), c.flash);
    EXPECT_NEAR(f.rotation.referenceHeading(), c.heading, 1e-9);
    EXPECT_DOUBLE_EQ(f.layout.findPiece(f.id)->x, 100); // turning about its own position
    EXPECT_EQ(f.layout.undoDepth(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, FreeRotationSnap,
                         ::testing::Values(AltDragCase{"At88_5", 88.5, 90, true},
                                           AltDragCase{"JustInside88", 88.000001, 90, true},
                                           AltDragCase{"At87_99", 87.99, 87.99, false},
                                           AltDragCase{"At87_9", 87.9, 87.9, false},
                                           AltDragCase{"At91_9", 91.9, 90, true},
                                           AltDragCase{"At92_1", 92.1, 92.1, false},
                                           AltDragCase{"AtMinus1ToZero", -1.0, 0, true},
                                           AltDragCase{"At181", 181.0, 180, true},
                                           AltDragCase{"At200", 200.0, 200, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FreeRotation, FlashEndsOnlyWhenTheTimerSaysSo) {
    FreeTurn f;
    ASSERT_TRUE(f.rotation.begin(f.layout, f.prompter, f.at(0)));
    EXPECT_TRUE(f.rotation.motion(f.layout, f.at(89)));
    f.rotation.motion(f.layout, f.at(60));
    EXPECT_TRUE(f.rotation.flash());
    f.rotation.endFlash();
    EXPECT_FALSE(f.rotation.flash());
}

TEST(FreeRotation, PivotIsTheMeanAndTheSelectionTurnsRigidly) {
    Layout layout = emptyLayout();
    const int32_t a = put(layout, "24188", 0, 0);
    const int32_t b = put(layout, "24188", 188.3, 0);
    layout.join(a, 1, b, 0);
    selectAll(layout);
    ScriptedPrompter prompter;
    FreeRotation r;
    ASSERT_TRUE(r.begin(layout, prompter, Point{200, 0}));
    EXPECT_DOUBLE_EQ(r.pivot().x, 94.15);
    r.motion(layout, Point{94.15, 100}); // a quarter turn
    const Pose end = connectorOf(layout, a, 1), start = connectorOf(layout, b, 0);
    EXPECT_NEAR(end.x, start.x, 1e-9);
    EXPECT_NEAR(end.y, start.y, 1e-9);
    EXPECT_EQ(layout.findPiece(b)->heading, 90);
}

TEST(FreeRotation, HelixAndTunnelLocksRefuseWithTheRotateVerb) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    const int32_t plain = put(layout, "24188", 0, 0);
    layout.clearHistory();
    selectAll(layout);
    ScriptedPrompter prompter;
    FreeRotation r;
    EXPECT_FALSE(r.begin(layout, prompter, Point{}));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].title, "Helix track is locked");
    EXPECT_EQ(prompter.shown[0].text, "Selection includes track that is part of a helix. Helix "
                                      "track cannot be rotated individually.");

    clearSelection(layout);
    layout.findPiece(plain)->selected = true;
    layout.tunnels.push_back(Tunnel{77, -1, -1, plain, plain, {plain}});
    EXPECT_FALSE(r.begin(layout, prompter, Point{}));
    EXPECT_EQ(prompter.shown.back().title, "Tunnel is locked");
    EXPECT_EQ(prompter.shown.back().text,
              "Selection includes tunnel track or portals. Remove the tunnel first, then rotate.");
    EXPECT_EQ(layout.undoDepth(), 0u);
    EXPECT_FALSE(r.active());

    clearSelection(layout);
    EXPECT_FALSE(r.begin(layout, prompter, Point{})); // nothing selected: nothing starts
    EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST(FreeRotation, OneWholeHelixTurnsAboutItsCentre) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    selectHelixOf(layout, layout.pieces[0].id);
    ScriptedPrompter prompter;
    FreeRotation r;
    ASSERT_TRUE(r.begin(layout, prompter, Point{1100, 500}));
    EXPECT_DOUBLE_EQ(r.pivot().x, 1000);
    r.motion(layout, Point{1000, 600});
    EXPECT_EQ(layout.helices[0].heading, 90);
    EXPECT_NEAR(layout.pieces[0].x, 1360, 1e-9); // bottom R1 stub, as a helix placed at 90
    EXPECT_NEAR(layout.pieces[0].y, 500, 1e-9);
    EXPECT_TRUE(prompter.shown.empty());
}

struct CommandStepCase {
    const char* item;
    double step;
};

TEST(CommandRotation, SceneryStepFollowsTheCategory) {
    const SceneryCatalog& catalog = SceneryCatalog::instance();
    for (const CommandStepCase& c : {CommandStepCase{"platform", 30},
                                     {"signal_color_stop", 30},
                                     {"signal_box", 15},
                                     {"tree_conifer", 15},
                                     {"no_such", 15}})
        EXPECT_EQ(sceneryCommandStep(catalog.find(c.item)), c.step) << c.item;
}

TEST(CommandRotation, PiecesTurnThirtyDegreesAboutTheFirstSelectedPiece) {
    Layout layout = emptyLayout();
    const int32_t first = put(layout, "24188", 100, 100);
    const int32_t second = put(layout, "24188", 300, 100);
    layout.scenery.push_back(SceneryItem{20, "platform", 100, 200, 0});
    layout.scenery.push_back(SceneryItem{21, "tree_conifer", 100, 300, 0});
    selectAll(layout);
    ScriptedPrompter prompter;
    ASSERT_TRUE(rotateSelectionByCommand(layout, prompter));
    EXPECT_DOUBLE_EQ(layout.findPiece(first)->x, 100);
    EXPECT_DOUBLE_EQ(layout.findPiece(first)->heading, 30);
    EXPECT_NEAR(layout.findPiece(second)->x, 100 + 200 * std::cos(3.141592653589793 / 6), 1e-9);
    EXPECT_NEAR(layout.findPiece(second)->y, 100 + 200 * std::sin(3.141592653589793 / 6), 1e-9);
    EXPECT_DOUBLE_EQ(layout.scenery[0].heading, 30);
    EXPECT_DOUBLE_EQ(layout.scenery[1].heading, 15);
    EXPECT_NEAR(layout.scenery[1].x, 100 - 200 * std::sin(3.141592653589793 / 12), 1e-9);
    EXPECT_EQ(layout.undoDepth(), 1u);
}

TEST(CommandRotation, SceneryAloneTurnsAboutTheFirstItemAndLocksRefuse) {
    Layout layout = emptyLayout();
    layout.scenery.push_back(SceneryItem{20, "tree_conifer", 50, 50, 350, true});
    ScriptedPrompter prompter;
    ASSERT_TRUE(rotateSelectionByCommand(layout, prompter));
    EXPECT_DOUBLE_EQ(layout.scenery[0].x, 50);
    EXPECT_DOUBLE_EQ(layout.scenery[0].heading, 5);

    layout.tunnels.push_back(Tunnel{30, 20, 21, -1, -1, {}});
    EXPECT_FALSE(rotateSelectionByCommand(layout, prompter));
    EXPECT_EQ(prompter.shown.back().title, "Tunnel is locked");
    EXPECT_EQ(layout.undoDepth(), 1u);
    EXPECT_DOUBLE_EQ(layout.scenery[0].heading, 5);
}

TEST(CommandRotation, OneWholeHelixTurnsAboutItsCentreAndStoresItsAngle) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    layout.helices[0].heading = 345;
    selectHelixOf(layout, layout.pieces[1].id);
    ScriptedPrompter prompter;
    ASSERT_TRUE(rotateSelectionByCommand(layout, prompter));
    EXPECT_DOUBLE_EQ(layout.helices[0].heading, 15);
    EXPECT_DOUBLE_EQ(layout.helices[0].cx, 1000);
    EXPECT_NEAR(layout.pieces[0].x, 1000 + 360 * std::sin(3.141592653589793 / 6), 1e-9);
    EXPECT_TRUE(prompter.shown.empty());
}

} // namespace
