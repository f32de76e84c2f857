#include "EditingTestSupport.h"
#include "core/catalog/HelixVariants.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using plandor::testing::editStep;

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
