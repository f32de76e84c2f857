#include "EditingTestSupport.h"

#include "editing/EditLocks.h"
#include "editing/MoveSelection.h"
#include "editing/Selection.h"
#include "model/HelixPlacement.h"

#include <gtest/gtest.h>
#include <random>

using namespace plandor;
using namespace plandor::testing;

namespace {

// Drives a press / motion / release gesture the way the canvas does, at scale 1.
struct Gesture {
    Layout& layout;
    ScriptedPrompter prompter;
    bool gradedMoveAccepted = false;
    ViewTransform view{1, 0, 0};
    PendingPieceDrag pending;
    SelectionMove move;

    explicit Gesture(Layout& l) : layout(l) {}
    void press(int32_t piece, Point world, bool ctrl = false, bool shift = false) {
        clickPiece(layout, piece, ctrl, shift);
        pending = PendingPieceDrag{true, view.toScreen(world.x, world.y), world, piece};
    }
    void motion(Point world) {
        if (pending.active) {
            if (!pastDragThreshold(pending.pressScreen, view.toScreen(world.x, world.y)))
                return;
            pending.active = false;
            if (!move.begin(layout, prompter, gradedMoveAccepted, pending.pressWorld))
                return;
        }
        move.motion(layout, world);
    }
    void release() {
        pending.active = false;
        move.release(layout);
    }
    void drag(int32_t piece, Point from, Point to) {
        press(piece, from);
        motion(to);
        release();
    }
};

TEST(DragThreshold, StartsAtFivePixels) {
    EXPECT_FALSE(pastDragThreshold({10, 10}, {14, 12})); // 20
    EXPECT_TRUE(pastDragThreshold({10, 10}, {14, 13}));  // 25
    EXPECT_TRUE(pastDragThreshold({10, 10}, {5, 10}));
    EXPECT_FALSE(pastDragThreshold({10, 10}, {10, 6}));
}

TEST(MoveGesture, PressAndReleaseWithinFivePixelsSelectsWithoutMoving) {
    Layout layout = emptyLayout();
    const int32_t id = put(layout, "24188", 100, 100);
    Gesture g(layout);
    g.press(id, Point{150, 100});
    g.motion(Point{153, 103});
    g.release();
    EXPECT_TRUE(layout.findPiece(id)->selected);
    EXPECT_DOUBLE_EQ(layout.findPiece(id)->x, 100);
    EXPECT_EQ(layout.undoDepth(), 0u);
}

TEST(MoveGesture, DragMovesTheSelectionRigidlyWithOneUndoStep) {
    Layout layout = emptyLayout();
    layout.snapOn = false;
    const int32_t a = put(layout, "24188", 0, 0);
    const int32_t b = put(layout, "24188", 188.3, 0);
    layout.join(a, 1, b, 0);
    layout.scenery.push_back(SceneryItem{50, "tree", 10, 20, 0, true});
    Gesture g(layout);
    g.press(a, Point{50, 0}, true);
    g.press(b, Point{250, 0}, true); // Ctrl adds b, keeping the scenery item
    g.motion(Point{260, 100});
    g.motion(Point{270, 300});
    g.release();
    EXPECT_DOUBLE_EQ(layout.findPiece(a)->x, 20);
    EXPECT_DOUBLE_EQ(layout.findPiece(b)->y, 300);
    EXPECT_DOUBLE_EQ(layout.scenery[0].x, 30);
    EXPECT_TRUE(joinedBothWays(layout, a, 1, b, 0));
    EXPECT_EQ(layout.undoDepth(), 1u);
    layout.undo();
    EXPECT_DOUBLE_EQ(layout.findPiece(a)->x, 0);
}

TEST(MoveGesture, JointsToUnselectedPiecesBreakOnBothSides) {
    Layout layout = emptyLayout();
    layout.snapOn = false;
    std::vector<int32_t> ids;
    for (int i = 0; i < 4; ++i) {
        ids.push_back(put(layout, "24188", 188.3 * i, 0));
        if (i)
            layout.join(ids[i - 1], 1, ids[i], 0);
    }
    Gesture g(layout);
    g.press(ids[1], Point{200, 0});
    g.press(ids[2], Point{400, 0}, true);
    g.motion(Point{400, 200});
    g.release();
    EXPECT_TRUE(layout.findPiece(ids[0])->jointAt(1).isFree());
    EXPECT_TRUE(layout.findPiece(ids[1])->jointAt(0).isFree());
    EXPECT_TRUE(layout.findPiece(ids[2])->jointAt(1).isFree());
    EXPECT_TRUE(layout.findPiece(ids[3])->jointAt(0).isFree());
    EXPECT_TRUE(joinedBothWays(layout, ids[1], 1, ids[2], 0));
}

TEST(MoveGesture, OneHalfOfARampPairBringsTheOther) {
    Layout layout = emptyLayout();
    layout.snapOn = false;
    const int32_t first = put(layout, "74618", 0, 0);
    const int32_t second = put(layout, "74618", 180, 0);
    layout.join(first, 1, second, 0);
    layout.findPiece(first)->grade = 2;
    layout.findPiece(second)->grade = 2;
    Gesture g(layout);
    g.drag(second, Point{200, 0}, Point{200, 100}); // graded: answered No, nothing changes
    EXPECT_FALSE(layout.findPiece(first)->selected);
    EXPECT_DOUBLE_EQ(layout.findPiece(second)->y, 0);
    g.prompter.answers = {PromptAnswer::Yes};
    g.drag(second, Point{200, 0}, Point{200, 100});
    EXPECT_DOUBLE_EQ(layout.findPiece(first)->y, 100);
    EXPECT_DOUBLE_EQ(layout.findPiece(second)->y, 100);
    EXPECT_TRUE(joinedBothWays(layout, first, 1, second, 0));
}

TEST(MoveChecks, ThreeOfFourHelixStubsAreRefusedAndNothingChanges) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    layout.clearHistory();
    for (int i = 0; i < 3; ++i)
        layout.pieces[i].selected = true;
    const std::vector<PlacedPiece> before = layout.pieces;
    ScriptedPrompter prompter;
    bool graded = false;
    SelectionMove move;
    EXPECT_FALSE(move.begin(layout, prompter, graded, Point{1000, 140}));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].title, "Helix partially selected");
    EXPECT_EQ(prompter.shown[0].text,
              "Selection contains part of a helix. Either select the whole helix (click any of its "
              "stubs) or exclude it from the selection before moving.");
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Information);
    EXPECT_EQ(layout.undoDepth(), 0u);
    EXPECT_EQ(layout.pieces[3].selected, before[3].selected);
    EXPECT_FALSE(move.active());
}

TEST(MoveChecks, WholeHelixMovesWithItsCentre) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    layout.snapOn = false;
    Gesture g(layout);
    g.drag(layout.pieces[0].id, Point{1000, 140}, Point{1100, 190});
    EXPECT_DOUBLE_EQ(layout.helices[0].cx, 1100);
    EXPECT_DOUBLE_EQ(layout.helices[0].cy, 550);
    EXPECT_DOUBLE_EQ(layout.pieces[3].y, 937.5 + 50);
}

TEST(MoveChecks, TunnelTrackAndPortalsAreLocked) {
    Layout layout = emptyLayout();
    const int32_t a = put(layout, "24188", 0, 0);
    const int32_t b = put(layout, "24188", 188.3, 0);
    layout.scenery.push_back(SceneryItem{90, "tunnel_portal_single", 0, 0, 180});
    layout.scenery.push_back(SceneryItem{91, "tunnel_portal_single", 376.6, 0, 0});
    layout.tunnels.push_back(Tunnel{92, 90, 91, a, b, {a, b}});
    ScriptedPrompter prompter;
    bool graded = false;
    SelectionMove move;
    layout.findPiece(b)->selected = true;
    EXPECT_FALSE(move.begin(layout, prompter, graded, Point{}));
    clearSelection(layout);
    layout.scenery[1].selected = true;
    EXPECT_FALSE(move.begin(layout, prompter, graded, Point{}));
    ASSERT_EQ(prompter.shown.size(), 2u);
    for (const Prompt& p : prompter.shown) {
        EXPECT_EQ(p.title, "Tunnel is locked");
        EXPECT_EQ(
            p.text,
            "Selection includes tunnel track or portals. Remove the tunnel first, then move.");
    }
    EXPECT_EQ(layout.undoDepth(), 0u);
}

TEST(MoveChecks, GradedPiecesAskOnceARun) {
    Layout layout = emptyLayout();
    const int32_t id = put(layout, "24188", 0, 0);
    layout.findPiece(id)->grade = 0.0011;
    const int32_t flat = put(layout, "24188", 0, 500);
    layout.findPiece(flat)->grade = -0.001; // flat within tolerance
    Gesture g(layout);
    g.prompter.answers = {PromptAnswer::No};
    g.drag(id, Point{10, 0}, Point{10, 50});
    EXPECT_DOUBLE_EQ(layout.findPiece(id)->y, 0);
    EXPECT_EQ(layout.undoDepth(), 0u);
    ASSERT_EQ(g.prompter.shown.size(), 1u);
    EXPECT_EQ(g.prompter.shown[0].title, "Move");
    EXPECT_EQ(g.prompter.shown[0].text, kGradedMoveText);
    EXPECT_TRUE(g.prompter.lastDefaultNo);

    g.prompter.answers = {PromptAnswer::Yes};
    g.drag(id, Point{10, 0}, Point{10, 50});
    EXPECT_DOUBLE_EQ(layout.findPiece(id)->y, 50);
    g.drag(id, Point{10, 50}, Point{10, 100}); // not asked again
    EXPECT_EQ(g.prompter.shown.size(), 2u);
    EXPECT_DOUBLE_EQ(layout.findPiece(id)->y, 100);

    Gesture flatOnly(layout);
    flatOnly.drag(flat, Point{10, 500}, Point{10, 600});
    EXPECT_TRUE(flatOnly.prompter.shown.empty());
}

TEST(MoveSnap, ReleaseLandsTheSelectionHeadOnAndCarriesTheHeight) {
    Layout layout = emptyLayout();
    const int32_t target = put(layout, "24188", -188.3, 0);
    layout.findPiece(target)->z = 20;
    // A pair turned 10 degrees, dragged so that a's connector 0 ends 10 mm from the target end.
    const int32_t a = put(layout, "24188", 500, 500, 10);
    const PieceDef* straight = TrackCatalog::instance().find("24188");
    const Pose aEnd = worldConnector(Pose{500, 500, 10}, *straight, 1);
    const int32_t b = put(layout, "24188", aEnd.x, aEnd.y, 10);
    layout.join(a, 1, b, 0);
    Gesture g(layout);
    g.press(b, Point{aEnd.x, aEnd.y});
    g.press(a, Point{500, 500}, true);
    g.motion(Point{6, 8});
    ASSERT_TRUE(g.move.snap().snap.found);
    EXPECT_EQ(g.move.snap().movingPiece, a);
    g.release();
    EXPECT_TRUE(joinedBothWays(layout, target, 1, a, 0));
    EXPECT_TRUE(joinedBothWays(layout, a, 1, b, 0));
    const Pose t = connectorOf(layout, target, 1);
    const Pose m = connectorOf(layout, a, 0);
    EXPECT_NEAR(m.x, t.x, 1e-9);
    EXPECT_NEAR(m.y, t.y, 1e-9);
    EXPECT_NEAR(layout.findPiece(a)->heading, 0, 1e-9);
    const Pose ae = connectorOf(layout, a, 1), bs = connectorOf(layout, b, 0);
    EXPECT_NEAR(ae.x, bs.x, 1e-9); // the pair stayed rigid
    EXPECT_NEAR(ae.y, bs.y, 1e-9);
    EXPECT_DOUBLE_EQ(layout.findPiece(a)->z, 20);
    EXPECT_DOUBLE_EQ(layout.findPiece(b)->z, 20);
}

struct TouchCase {
    const char* name;
    double gap; // mm between the moved piece's free end and the other free end
    bool joins;
};

class TouchJoin : public ::testing::TestWithParam<TouchCase> {};

TEST_P(TouchJoin, ReleaseJoinsEndsCloserThanFourMillimetres) {
    const TouchCase& c = GetParam();
    Layout layout = emptyLayout();
    layout.snapOn = false;
    const int32_t fixed = put(layout, "24188", 0, 0);
    const int32_t moved = put(layout, "24188", 188.3, 500);
    Gesture g(layout);
    g.drag(moved, Point{200, 500}, Point{200, c.gap});
    EXPECT_EQ(joinedBothWays(layout, fixed, 1, moved, 0), c.joins);
    EXPECT_EQ(freeJointCount(*layout.findPiece(fixed)), c.joins ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, TouchJoin,
                         ::testing::Values(TouchCase{"ThreeMm", 3.0, true},
                                           TouchCase{"JustUnderFour", 3.999, true},
                                           TouchCase{"FourMm", 4.0, false},
                                           TouchCase{"Touching", 0.0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TouchJoinSystems, EndsOfDifferentSystemsAreNotJoined) {
    Layout layout = emptyLayout();
    layout.snapOn = false;
    const int32_t fixed = put(layout, "24188", 0, 0);
    const int32_t moved = put(layout, "2200", 188.3, 500);
    Gesture g(layout);
    g.drag(moved, Point{200, 500}, Point{200, 1});
    EXPECT_EQ(freeJointCount(*layout.findPiece(fixed)), 2);
}

// Random layouts on a coarse lattice make equal distances common, so the tie order is tested.
Layout randomLayout(std::mt19937& rng, int n) {
    const char* parts[] = {"24188", "24130", "24612", "24094", "2200", "24922", "24977"};
    std::uniform_int_distribution<int> part(0, 6), cell(0, 40), turn(0, 23), coin(0, 3);
    Layout layout = emptyLayout();
    layout.levels.push_back(Level{2, "Level 2", false, 0});
    for (int i = 0; i < n; ++i) {
        const int32_t id = put(layout, parts[part(rng)], 20.0 * cell(rng), 20.0 * cell(rng),
                               15.0 * turn(rng), coin(rng) == 0 ? 2 : 1);
        layout.findPiece(id)->selected = coin(rng) == 1;
        if (i > 0 && coin(rng) == 2) // some joints, inner and outer, to occupy connectors
            layout.join(id, 0, layout.pieces[i - 1].id, 0);
    }
    return layout;
}

TEST(MoveSnapIndex, AgreesWithThePlainScanOnRandomLayouts) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> shift(-30, 30);
    int found = 0;
    for (int round = 0; round < 40; ++round) {
        Layout layout = randomLayout(rng, 120);
        ScriptedPrompter prompter;
        bool graded = true;
        SelectionMove move;
        ASSERT_TRUE(move.begin(layout, prompter, graded, Point{0, 0}));
        const MoveSnapIndex index(layout);
        for (int step = 0; step < 10; ++step) {
            const Point to = step % 2 ? Point{shift(rng), shift(rng)}
                                      : Point{20.0 * (step - 5), 0}; // lattice moves tie often
            move.motion(layout, to);
            const MoveSnap plain = findMoveSnapPlain(layout);
            const MoveSnap fast = index.find(layout);
            ASSERT_EQ(fast.snap.found, plain.snap.found) << round << "/" << step;
            EXPECT_EQ(move.snap().snap.found, plain.snap.found);
            if (!plain.snap.found)
                continue;
            ++found;
            EXPECT_EQ(fast.movingPiece, plain.movingPiece);
            EXPECT_EQ(fast.snap.targetPiece, plain.snap.targetPiece);
            EXPECT_EQ(fast.snap.targetConn, plain.snap.targetConn);
            EXPECT_EQ(fast.snap.newConn, plain.snap.newConn);
            EXPECT_EQ(fast.snap.distance, plain.snap.distance);
            EXPECT_EQ(fast.snap.pose.x, plain.snap.pose.x);
            EXPECT_EQ(fast.snap.pose.heading, plain.snap.pose.heading);
        }
    }
    EXPECT_GT(found, 100);
}

} // namespace
