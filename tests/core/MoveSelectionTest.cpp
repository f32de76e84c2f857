#include "EditingTestSupport.h"
#include "LayoutFaults.h"

#include "core/editing/MoveSelection.h"
#include "core/editing/MoveSnapIndex.h"

#include <gtest/gtest.h>
#include <random>

using namespace plandor;
using namespace plandor::testing;

namespace {

// Moves the selected objects by (to - from) the way a drag does.
void moveSelected(Layout& layout, Point from, Point to) {
    ScriptedPrompter prompter;
    bool graded = true;
    SelectionMove move;
    EXPECT_TRUE(move.begin(layout, prompter, graded, from));
    move.motion(layout, to);
    move.release(layout);
}

TEST(MoveGesture, SelectionMovesRigidlyAndBreaksOnlyJointsToUnselectedPieces) {
    Layout layout = emptyLayout();
    layout.snapOn = false;
    const std::vector<int32_t> ids = addChain(layout, "24188", 4);
    layout.findPiece(ids[1])->selected = layout.findPiece(ids[2])->selected = true;
    addScenery(layout, "tree", 10, 20).selected = true;
    moveSelected(layout, Point{200, 0}, Point{220, 300});
    EXPECT_DOUBLE_EQ(layout.findPiece(ids[1])->x, 188.3 + 20);
    EXPECT_DOUBLE_EQ(layout.findPiece(ids[2])->y, 300);
    EXPECT_DOUBLE_EQ(layout.scenery[0].x, 30);
    EXPECT_EQ(layoutFaults(layout), ""); // every joint still mirrored
    EXPECT_EQ(freeJointCount(*layout.findPiece(ids[0])) + freeJointCount(*layout.findPiece(ids[3])),
              4);
    EXPECT_TRUE(joinedBothWays(layout, ids[1], 1, ids[2], 0));
}

TEST(MoveSnap, ReleaseLandsTheSelectionHeadOnAndCarriesTheHeight) {
    Layout layout = emptyLayout();
    const int32_t target = addPiece(layout, "24188", -188.3, 0).id;
    layout.findPiece(target)->z = 20;
    // A pair turned 10 degrees, dragged so that a's connector 0 ends 10 mm from the target end.
    const int32_t a = addPiece(layout, "24188", 500, 500, 10).id;
    const Pose aEnd = connectorOf(layout, a, 1);
    const int32_t b = addPiece(layout, "24188", aEnd.x, aEnd.y, 10).id;
    layout.join(a, 1, b, 0);
    layout.findPiece(a)->selected = layout.findPiece(b)->selected = true;
    moveSelected(layout, Point{500, 500}, Point{6, 8});
    EXPECT_TRUE(joinedBothWays(layout, target, 1, a, 0));
    EXPECT_TRUE(joinedBothWays(layout, a, 1, b, 0));
    const Pose t = connectorOf(layout, target, 1), m = connectorOf(layout, a, 0);
    EXPECT_NEAR(m.x, t.x, 1e-9);
    EXPECT_NEAR(m.y, t.y, 1e-9);
    EXPECT_NEAR(layout.findPiece(a)->heading, 0, 1e-9);
    const Pose ae = connectorOf(layout, a, 1), bs = connectorOf(layout, b, 0);
    EXPECT_NEAR(ae.x, bs.x, 1e-9); // the pair stayed rigid
    EXPECT_NEAR(ae.y, bs.y, 1e-9);
    EXPECT_DOUBLE_EQ(layout.findPiece(b)->z, 20);
}

// Random layouts on a coarse lattice make equal distances common, so the tie order is tested.
TEST(MoveSnapIndex, AgreesWithThePlainScanOnRandomLayouts) {
    const char* parts[] = {"24188", "24130", "24612", "2200", "24922", "24977"};
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> part(0, 5), cell(0, 40), turn(0, 23), coin(0, 3);
    int found = 0;
    for (int round = 0; round < 20; ++round) {
        Layout layout = emptyLayout();
        layout.levels.push_back(Level{2, "Level 2", false, 0});
        for (int i = 0; i < 120; ++i) {
            const int32_t id = addPiece(layout, parts[part(rng)], 20.0 * cell(rng),
                                        20.0 * cell(rng), 15.0 * turn(rng), coin(rng) == 0 ? 2 : 1)
                                   .id;
            layout.findPiece(id)->selected = coin(rng) == 1;
            if (i > 0 && coin(rng) == 2)
                layout.join(id, 0, layout.pieces[i - 1].id, 0);
        }
        ScriptedPrompter prompter;
        bool graded = true;
        SelectionMove move;
        ASSERT_TRUE(move.begin(layout, prompter, graded, Point{0, 0}));
        const MoveSnapIndex index(layout);
        for (int step = 0; step < 10; ++step) {
            move.motion(layout, Point{20.0 * (step - 5), 7.0 * (step % 3)});
            const MoveSnap plain = findMoveSnapPlain(layout);
            const MoveSnap fast = index.find(layout);
            ASSERT_EQ(fast.snap.found, plain.snap.found) << round << "/" << step;
            if (!plain.snap.found)
                continue;
            ++found;
            EXPECT_EQ(fast.movingPiece, plain.movingPiece);
            EXPECT_EQ(fast.snap.targetPiece, plain.snap.targetPiece);
            EXPECT_EQ(fast.snap.targetConn, plain.snap.targetConn);
            EXPECT_EQ(fast.snap.newConn, plain.snap.newConn);
            EXPECT_EQ(fast.snap.pose.x, plain.snap.pose.x);
        }
    }
    EXPECT_GT(found, 50);
}

} // namespace

TEST(MoveSnapIndex, PiecesGoneSinceTheIndexWasMadeAreNeverUsed) {
    Layout layout = emptyLayout();
    const int32_t mover = addPiece(layout, "24188", 0, 0).id;
    addPiece(layout, "24188", 1000, 0);
    const int32_t last = addPiece(layout, "24188", 2000, 0).id;
    layout.findPiece(mover)->selected = true;
    const MoveSnapIndex index(layout);
    // The list is replaced (as undo does): the middle piece is gone, the last takes its place.
    layout.pieces.erase(layout.pieces.begin() + 1);
    layout.findPiece(mover)->x = 1000 - 188.3; // its end where the gone piece's end was
    EXPECT_FALSE(index.find(layout).snap.found);
    EXPECT_EQ(index.joinTouching(layout), 0);
    for (const PlacedPiece& p : layout.pieces)
        for (const Joint& j : p.joints)
            EXPECT_TRUE(j.isFree()) << p.id;
    EXPECT_NE(layout.findPiece(last), nullptr);
}
