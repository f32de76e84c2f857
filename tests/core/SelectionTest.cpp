// Selecting by click, chain, band and pair, and turning the selection freely.
#include "EditingTestSupport.h"

#include "core/editing/Rotate.h"
#include "core/editing/Selection.h"
#include "core/model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

std::vector<int32_t> selectedIds(const Layout& layout) {
    std::vector<int32_t> ids;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected)
            ids.push_back(p.id);
    return ids;
}

TEST(ClickPiece, ShiftChainRunsAroundALoopTheShortWay) {
    Layout layout = emptyLayout();
    const auto ids = addChain(layout, "24188", 10);
    layout.join(ids[9], 1, ids[0], 0); // close the loop (geometry does not matter here)
    clickPiece(layout, ids[1], false, false);
    clickPiece(layout, ids[8], false, true);
    EXPECT_EQ(selectedIds(layout), (std::vector<int32_t>{ids[0], ids[1], ids[8], ids[9]}));
}

TEST(ClickPiece, OneStubSelectsTheWholeHelix) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    clickPiece(layout, layout.pieces[3].id, false, false);
    EXPECT_TRUE(selectionIsOneWholeHelix(layout));
    // Ctrl-clicking a stub off brings it straight back: helices are selected whole.
    clickPiece(layout, layout.pieces[2].id, true, false);
    EXPECT_EQ(selectedIds(layout).size(), 4u);
}

struct BandCase {
    const char* name;
    ScreenPoint a, b;
    std::size_t selected;
};

TEST(RubberBand, SelectsOriginsInsideTheBandOnVisibleLevelsAndEmptiesTheClipboard) {
    const BandCase cases[] = {{"EdgesIncluded", {150, 105}, {100, 95}, 2},
                              {"OnePixelShort", {101, 95}, {149, 105}, 0},
                              {"TooSmall4x4", {98, 98}, {102, 102}, 0},
                              {"FiveWideCounts", {98, 99}, {103, 101}, 1}};
    for (const BandCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Pieces at screen (100, 100), (150, 100) and a hidden one at (120, 100); scale 0.5.
        Layout layout = emptyLayout();
        layout.levels.push_back(Level{2, "Level 2", false, 0});
        addPiece(layout, "24188", 200, 200);
        addPiece(layout, "24188", 300, 200);
        addPiece(layout, "24188", 240, 200, 0, 2);
        Clipboard clipboard;
        clipboard.pieces.push_back(layout.pieces[0]);
        rubberBandSelect(layout, clipboard, ViewTransform{0.5, 0, 0}, c.a, c.b);
        EXPECT_EQ(selectedPieceIndices(layout).size(), c.selected);
        EXPECT_TRUE(clipboard.empty());
    }
}

TEST(PairedHalves, EitherHalfBringsItsTwin) {
    Layout layout = emptyLayout();
    const auto [a, b, plain] = addRampPair(layout);
    layout.findPiece(b)->selected = true;
    addPairedHalves(layout);
    EXPECT_EQ(selectedIds(layout), (std::vector<int32_t>{a, b}));
}

// One straight at (100, 0), heading 0, turned about its own position by a cursor circling it.
TEST(FreeRotationSnap, LandsOnRightAnglesWithinTwoDegrees) {
    const struct {
        const char* name;
        double cursorAngle, heading;
        bool flash;
    } cases[] = {{"JustInside88", 88.000001, 90, true},
                 {"At87_99", 87.99, 87.99, false},
                 {"At91_9", 91.9, 90, true},
                 {"At92_1", 92.1, 92.1, false},
                 {"AtMinus1ToZero", -1.0, 0, true},
                 {"At181", 181.0, 180, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = emptyLayout();
        PlacedPiece& piece = addPiece(layout, "24188", 100, 0);
        piece.selected = true;
        const auto at = [](double degrees) {
            return Point{100 + 50 * std::cos(degToRad(degrees)), 50 * std::sin(degToRad(degrees))};
        };
        ScriptedPrompter prompter;
        FreeRotation rotation;
        ASSERT_TRUE(rotation.begin(layout, prompter, at(0)));
        rotation.motion(layout, at(45)); // an earlier motion away from any right angle
        EXPECT_EQ(rotation.motion(layout, at(c.cursorAngle)), c.flash);
        if (c.flash)
            EXPECT_EQ(piece.heading, c.heading); // exactly
        else
            EXPECT_NEAR(piece.heading, c.heading, 1e-9);
        EXPECT_DOUBLE_EQ(piece.x, 100);
    }
}

// The tunnel lock is checked with the other tunnel refusals.
TEST(FreeRotation, HelixLockRefusesAndChangesNothing) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    addPiece(layout, "24188", 0, 0);
    selectAll(layout);
    const Layout before = layout;
    ScriptedPrompter prompter;
    FreeRotation r;
    EXPECT_FALSE(r.begin(layout, prompter, Point{}));
    EXPECT_EQ(prompter.messages.back().text, "Selection includes track that is part of a helix. "
                                             "Helix track cannot be rotated individually.");
    EXPECT_EQ(layout.pieces, before.pieces);
}

} // namespace
