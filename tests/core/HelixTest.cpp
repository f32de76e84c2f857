#include "LayoutBuilder.h"
#include "core/catalog/HelixVariants.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;

TEST(HelixPlacing, HeadingTurnsTheStubsAndAnUnknownVariantFallsBack) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 450, "no_such_helix"));
    const Helix& h = layout.helices.at(0);
    EXPECT_EQ(h.variant, defaultHelixVariantId());
    const PlacedPiece& bottomR1 = *layout.findPiece(h.bottomR1);
    EXPECT_DOUBLE_EQ(bottomR1.heading, 90); // 450 wraps round
    EXPECT_NEAR(bottomR1.x, 1000 + findHelixVariant(h.variant)->r1, 1e-9);
    EXPECT_NEAR(bottomR1.y, 500, 1e-9);
    EXPECT_DOUBLE_EQ(layout.findPiece(h.topR2)->z, findHelixVariant(h.variant)->rise);

    ASSERT_TRUE(placeHelix(layout, 0, 0, 0, "proses_3_5_r2r3"));
    EXPECT_EQ(layout.helices.at(1).variant, "proses_3_5_r2r3");
    EXPECT_DOUBLE_EQ(layout.findPiece(layout.helices[1].topR2)->z, 340);
}

// Every drawing and count of a helix takes its ring pieces from one place: twelve a turn, each
// 30 degrees on from the last, starting beside the stubs and turned with the helix.
TEST(HelixRings, PosesAndCountsComeFromTheVariant) {
    HelixVariant v;
    v.turns = 2.5;
    EXPECT_EQ(helixRingPieceCount(v), 30);
    v.turns = 1.99;
    EXPECT_EQ(helixRingPieceCount(v), 23) << "a part turn is cut off";

    Helix helix;
    helix.cx = 100;
    helix.cy = 50;
    struct Case {
        const char* what;
        double heading;
        int step;
        Pose want;
    } const cases[] = {
        {"first piece, beside the stubs", 0, 0, {100, -150, 0}},
        {"a quarter turn on", 0, 3, {300, 50, 90}},
        {"the other way round", 0, -3, {-100, 50, -90}},
        {"the next turn lies on the first", 0, 15, {300, 50, 450}},
        {"turned with the helix", 90, 0, {300, 50, 90}},
    };
    for (const Case& c : cases) {
        helix.heading = c.heading;
        const Pose p = helixRingPose(helix, 200, c.step);
        EXPECT_NEAR(p.x, c.want.x, 1e-9) << c.what;
        EXPECT_NEAR(p.y, c.want.y, 1e-9) << c.what;
        EXPECT_NEAR(p.heading, c.want.heading, 1e-9) << c.what;
    }

    Helix unknown;
    unknown.variant = "no_such_helix";
    ASSERT_NE(helixVariantOf(unknown), nullptr);
    EXPECT_EQ(helixVariantOf(unknown)->id, defaultHelixVariantId());
}
