#include "EditingTestSupport.h"

#include "editing/Rotate.h"
#include "editing/Selection.h"
#include "model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

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
