#include "EditingTestSupport.h"
#include "catalog/HelixVariants.h"
#include "catalog/TrackCatalog.h"
#include "model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using plandor::testing::editStep;

TEST(HelixVariants, Lookup) {
    const std::vector<HelixVariant>& all = helixVariants();
    ASSERT_EQ(all.size(), 10u);
    EXPECT_EQ(all.front().id, defaultHelixVariantId());
    EXPECT_EQ(findHelixVariant("proses_3_5_r2r3"), &all[4]);
    for (const char* unknown : {"", "proses_9_9", "PROSES_2_5_R1R2", "proses_2_5_r1r2 "})
        EXPECT_EQ(findHelixVariant(unknown), nullptr) << unknown;
}

TEST(HelixPlacing, DefaultHelixStubsIdsAndHeights) {
    Layout layout;
    layout.ensureDefaultLevel();
    layout.nextId = 10;
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    ASSERT_EQ(layout.helices.size(), 1u);
    const Helix& h = layout.helices[0];
    EXPECT_EQ(h.id, 10);
    EXPECT_EQ(h.variant, "proses_2_5_r1r2");
    EXPECT_EQ(std::vector<int32_t>({h.bottomR1, h.bottomR2, h.topR1, h.topR2}),
              std::vector<int32_t>({11, 12, 13, 14}));
    EXPECT_EQ(layout.nextId, 15u);

    const double expected[][3] = {
        {11, 140, 0}, {12, 62.5, 0}, {13, 860, 260}, {14, 937.5, 260}}; // id, y, z
    ASSERT_EQ(layout.pieces.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const PlacedPiece& p = layout.pieces[i];
        SCOPED_TRACE(p.id);
        EXPECT_EQ(p.id, expected[i][0]);
        EXPECT_EQ(p.part, "24188");
        EXPECT_NEAR(p.x, 1000, 1e-9);
        EXPECT_NEAR(p.y, expected[i][1], 1e-9);
        EXPECT_DOUBLE_EQ(p.z, expected[i][2]);
        EXPECT_EQ(p.helix, 10);
        ASSERT_EQ(p.joints.size(), 2u);
        EXPECT_TRUE(p.joints[0].isFree() && p.joints[1].isFree());
    }
}

TEST(HelixPlacing, HeadingAndVariantChoice) {
    struct Case {
        const char* name;
        double heading;
        const char* requested;
        const char* used;
        double bottomR1x, bottomR1y, topR2x, topR2y, rise;
    };
    const Case cases[] = {
        {"heading 90", 90, "proses_2_5_r1r2", "proses_2_5_r1r2", 1360, 500, 562.5, 500, 260},
        {"heading 450 wraps to 90", 450, "", "proses_2_5_r1r2", 1360, 500, 562.5, 500, 260},
        {"other variant", 0, "proses_3_5_r2r3", "proses_3_5_r2r3", 1000, 62.5, 1000, 1015, 340},
        {"unknown variant falls back", 0, "no_such_helix", "proses_2_5_r1r2", 1000, 140, 1000,
         937.5, 260},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        layout.ensureDefaultLevel();
        ASSERT_TRUE(placeHelix(layout, 1000, 500, c.heading, c.requested));
        const Helix& h = layout.helices.at(0);
        EXPECT_EQ(h.variant, c.used);
        const PlacedPiece* bottomR1 = layout.findPiece(h.bottomR1);
        const PlacedPiece* topR2 = layout.findPiece(h.topR2);
        ASSERT_TRUE(bottomR1 && topR2);
        EXPECT_NEAR(bottomR1->x, c.bottomR1x, 1e-9);
        EXPECT_NEAR(bottomR1->y, c.bottomR1y, 1e-9);
        EXPECT_NEAR(topR2->x, c.topR2x, 1e-9);
        EXPECT_NEAR(topR2->y, c.topR2y, 1e-9);
        EXPECT_DOUBLE_EQ(topR2->z, c.rise);
        EXPECT_DOUBLE_EQ(bottomR1->heading, normalizeHeading(c.heading));
    }
}

TEST(HelixPlacing, OneUndoStepRemovesTheWholeHelix) {
    Document doc;
    Layout& layout = doc.layout;
    layout.ensureDefaultLevel();
    addPiece(layout, "24188");
    ASSERT_TRUE(editStep(doc, [&] { return placeHelix(layout, 0, 0, 0, ""); }));
    EXPECT_EQ(doc.undoDepth(), 1u);
    doc.undo();
    EXPECT_TRUE(layout.helices.empty());
    ASSERT_EQ(layout.pieces.size(), 1u);
    EXPECT_EQ(layout.nextId, 7u); // ids are never handed out twice
}
