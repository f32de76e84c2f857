#include "EditingTestSupport.h"

#include "editing/Rotate.h"
#include "editing/Selection.h"
#include "model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

struct AltDragCase {
    const char* name;
    double cursorAngle;
    double heading;
    bool flash;
};

// One straight at (100, 0), heading 0, turned about its own position by a cursor circling it.
TEST(FreeRotationSnap, LandsOnRightAnglesWithinTwoDegrees) {
    const AltDragCase cases[] = {{"JustInside88", 88.000001, 90, true},
                                 {"At87_99", 87.99, 87.99, false},
                                 {"At91_9", 91.9, 90, true},
                                 {"At92_1", 92.1, 92.1, false},
                                 {"AtMinus1ToZero", -1.0, 0, true},
                                 {"At181", 181.0, 180, true}};
    for (const AltDragCase& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = emptyLayout();
        const int32_t id = addPiece(layout, "24188", 100, 0).id;
        layout.findPiece(id)->selected = true;
        const auto at = [](double degrees) {
            const double t = degrees * 3.141592653589793 / 180.0;
            return Point{100 + 50 * std::cos(t), 50 * std::sin(t)};
        };
        ScriptedPrompter prompter;
        FreeRotation rotation;
        ASSERT_TRUE(rotation.begin(layout, prompter, at(0)));
        rotation.motion(layout, at(45)); // an earlier motion away from any right angle
        EXPECT_EQ(rotation.motion(layout, at(c.cursorAngle)), c.flash);
        if (c.flash)
            EXPECT_EQ(layout.findPiece(id)->heading, c.heading); // exactly
        else
            EXPECT_NEAR(layout.findPiece(id)->heading, c.heading, 1e-9);
        EXPECT_DOUBLE_EQ(layout.findPiece(id)->x, 100);
    }
}

TEST(FreeRotation, HelixAndTunnelLocksRefuseAndChangeNothing) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    const int32_t plain = addPiece(layout, "24188", 0, 0).id;
    selectAll(layout);
    ScriptedPrompter prompter;
    FreeRotation r;
    EXPECT_FALSE(r.begin(layout, prompter, Point{}));
    EXPECT_EQ(prompter.messages.back().text, "Selection includes track that is part of a helix. "
                                             "Helix track cannot be rotated individually.");
    clearSelection(layout);
    layout.findPiece(plain)->selected = true;
    layout.tunnels.push_back(Tunnel{77, -1, -1, plain, plain, {plain}});
    EXPECT_FALSE(r.begin(layout, prompter, Point{}));
    EXPECT_EQ(prompter.messages.back().text,
              "Selection includes tunnel track or portals. Remove the tunnel first, then rotate.");
    EXPECT_DOUBLE_EQ(layout.findPiece(plain)->heading, 0);
}

} // namespace
