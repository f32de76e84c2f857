#include "catalog/HelixVariants.h"
#include "catalog/TrackCatalog.h"
#include "model/HelixPlacement.h"

#include <gtest/gtest.h>

#include <set>

using namespace plandor;

TEST(HelixVariants, TableAndLookup) {
    const std::vector<HelixVariant>& all = helixVariants();
    ASSERT_EQ(all.size(), 10u);
    EXPECT_EQ(defaultHelixVariantId(), "proses_2_5_r1r2");
    EXPECT_EQ(all.front().id, defaultHelixVariantId());
    EXPECT_EQ(all.front().name, "Proses 2.5 R1&R2 26cm/10.2\"");
    EXPECT_EQ(all.back().id, "proses_4_5_r4r5");

    EXPECT_EQ(findHelixVariant("proses_3_5_r2r3"), &all[4]);
    EXPECT_EQ(findHelixVariant("proses_3_5_r2r3")->name, "Proses 3.5 R2&R3 34cm/13.4\"");
    for (const char* unknown : {"", "proses_9_9", "PROSES_2_5_R1R2", "proses_2_5_r1r2 "})
        EXPECT_EQ(findHelixVariant(unknown), nullptr) << unknown;
}

// Each variant's curves are the C-Track curves of its two radii, so counting and drawing agree.
TEST(HelixVariants, PartsAreCTrackPiecesOfTheVariantRadii) {
    const TrackCatalog& cat = TrackCatalog::instance();
    std::set<std::string> ids;
    for (const HelixVariant& v : helixVariants()) {
        SCOPED_TRACE(v.id);
        EXPECT_TRUE(ids.insert(v.id).second);
        EXPECT_LT(v.r1, v.r2);
        EXPECT_GT(v.turns, 0);
        EXPECT_GT(v.rise, 0);
        const PieceDef* straight = cat.find(v.straightPart);
        const PieceDef* inner = cat.find(v.innerCurvePart);
        const PieceDef* outer = cat.find(v.outerCurvePart);
        ASSERT_TRUE(straight && inner && outer);
        EXPECT_EQ(straight->kind, PieceKind::Straight);
        for (const PieceDef* curve : {inner, outer}) {
            EXPECT_EQ(curve->system, CTrack);
            EXPECT_EQ(curve->kind, PieceKind::Curve);
            EXPECT_DOUBLE_EQ(curve->angle, 30);
        }
        EXPECT_DOUBLE_EQ(inner->radius, v.r1);
        EXPECT_DOUBLE_EQ(outer->radius, v.r2);
    }
}

namespace {

Layout layoutWithNextId(uint32_t nextId) {
    Layout layout;
    layout.ensureDefaultLevel();
    layout.nextId = nextId;
    return layout;
}

} // namespace

TEST(HelixPlacing, DefaultHelixStubsIdsAndHeights) {
    Layout layout = layoutWithNextId(10);
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));

    ASSERT_EQ(layout.helices.size(), 1u);
    const Helix& h = layout.helices[0];
    EXPECT_EQ(h.id, 10);
    EXPECT_EQ(h.variant, "proses_2_5_r1r2");
    EXPECT_DOUBLE_EQ(h.cx, 1000);
    EXPECT_DOUBLE_EQ(h.cy, 500);
    EXPECT_DOUBLE_EQ(h.heading, 0);
    EXPECT_EQ(h.bottomR1, 11);
    EXPECT_EQ(h.bottomR2, 12);
    EXPECT_EQ(h.topR1, 13);
    EXPECT_EQ(h.topR2, 14);
    EXPECT_EQ(layout.nextId, 15u);

    struct Stub {
        int32_t id;
        double x, y, z;
    };
    const Stub expected[] = {
        {11, 1000, 140, 0}, {12, 1000, 62.5, 0}, {13, 1000, 860, 260}, {14, 1000, 937.5, 260}};
    ASSERT_EQ(layout.pieces.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const PlacedPiece& p = layout.pieces[i];
        SCOPED_TRACE(p.id);
        EXPECT_EQ(p.id, expected[i].id);
        EXPECT_EQ(p.part, "24188");
        EXPECT_NEAR(p.x, expected[i].x, 1e-9);
        EXPECT_NEAR(p.y, expected[i].y, 1e-9);
        EXPECT_DOUBLE_EQ(p.z, expected[i].z);
        EXPECT_DOUBLE_EQ(p.heading, 0);
        EXPECT_DOUBLE_EQ(p.grade, 0);
        EXPECT_EQ(p.level, 1);
        EXPECT_EQ(p.helix, 10);
        ASSERT_EQ(p.joints.size(), 2u);
        EXPECT_TRUE(p.joints[0].isFree());
        EXPECT_TRUE(p.joints[1].isFree());
    }
}

TEST(HelixPlacing, StubsTurnWithTheHelixHeading) {
    struct Case {
        const char* name;
        double heading;
        double bottomR1x, bottomR1y, topR2x, topR2y;
    };
    const Case cases[] = {
        {"heading 90", 90, 1360, 500, 1000 - 437.5, 500},
        {"heading 180", 180, 1000, 860, 1000, 500 - 437.5},
        {"heading 450 wraps to 90", 450, 1360, 500, 1000 - 437.5, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = layoutWithNextId(1);
        ASSERT_TRUE(placeHelix(layout, 1000, 500, c.heading, "proses_2_5_r1r2"));
        const Helix& h = layout.helices.at(0);
        const PlacedPiece* bottomR1 = layout.findPiece(h.bottomR1);
        const PlacedPiece* topR2 = layout.findPiece(h.topR2);
        ASSERT_TRUE(bottomR1 && topR2);
        EXPECT_NEAR(bottomR1->x, c.bottomR1x, 1e-9);
        EXPECT_NEAR(bottomR1->y, c.bottomR1y, 1e-9);
        EXPECT_NEAR(topR2->x, c.topR2x, 1e-9);
        EXPECT_NEAR(topR2->y, c.topR2y, 1e-9);
        EXPECT_DOUBLE_EQ(bottomR1->heading, normalizeHeading(c.heading));
        EXPECT_DOUBLE_EQ(h.heading, normalizeHeading(c.heading));
    }
}

TEST(HelixPlacing, VariantChoiceAndFallback) {
    struct Case {
        const char* requested;
        const char* used;
        double r2, rise;
    };
    const Case cases[] = {
        {"proses_3_5_r2r3", "proses_3_5_r2r3", 515, 340},
        {"no_such_helix", "proses_2_5_r1r2", 437.5, 260},
        {"", "proses_2_5_r1r2", 437.5, 260},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.requested);
        Layout layout = layoutWithNextId(1);
        ASSERT_TRUE(placeHelix(layout, 0, 0, 0, c.requested));
        const Helix& h = layout.helices.at(0);
        EXPECT_EQ(h.variant, c.used);
        const PlacedPiece* topR2 = layout.findPiece(h.topR2);
        ASSERT_NE(topR2, nullptr);
        EXPECT_NEAR(topR2->y, c.r2, 1e-9);
        EXPECT_DOUBLE_EQ(topR2->z, c.rise);
    }
}

TEST(HelixPlacing, OneUndoStepRemovesTheWholeHelix) {
    Layout layout = layoutWithNextId(1);
    PlacedPiece existing = makePlacedPiece("24188");
    existing.id = layout.takeId();
    layout.pieces.push_back(existing);

    ASSERT_TRUE(placeHelix(layout, 0, 0, 0, ""));
    EXPECT_EQ(layout.undoDepth(), 1u);
    EXPECT_EQ(layout.pieces.size(), 5u);
    EXPECT_EQ(layout.pieces.front().id, existing.id);

    layout.undo();
    EXPECT_TRUE(layout.helices.empty());
    ASSERT_EQ(layout.pieces.size(), 1u);
    EXPECT_EQ(layout.pieces[0].id, existing.id);
    EXPECT_EQ(layout.nextId, 7u); // ids are never handed out twice

    layout.redo();
    EXPECT_EQ(layout.helices.size(), 1u);
    EXPECT_EQ(layout.pieces.size(), 5u);
}
