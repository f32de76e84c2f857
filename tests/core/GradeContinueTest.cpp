#include "EditingTestSupport.h"

#include "editing/Placing.h"
#include "elevation/GradeRuns.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

const double kSin3 = std::sin(3.0 * 3.141592653589793 / 180.0);

const PieceDef* def(const char* part) {
    return TrackCatalog::instance().find(part);
}

TEST(RunLength, StraightsUseLengthCurvesTheXOfConnectorOne) {
    EXPECT_DOUBLE_EQ(runLength(def("24188")), 188.3);
    EXPECT_NEAR(runLength(def("24130")), 180.0, 1e-9); // R360 30 degrees: x = 180, arc 188.5
    EXPECT_DOUBLE_EQ(runLength(def("24977")), 48.3);   // bumper: one connector, its length
    EXPECT_DOUBLE_EQ(runLength(nullptr), 0);
}

TEST(RunHeight, ReversedPiecesFallTowardsTheirFarEnd) {
    PlacedPiece p = makePlacedPiece("2200");
    p.z = 10;
    p.grade = 3;
    EXPECT_DOUBLE_EQ(heightAtConnector(p, def("2200"), 0), 10);
    EXPECT_NEAR(heightAtConnector(p, def("2200"), 1), 10 + 180 * kSin3, 1e-9);
    p.reversed = true;
    EXPECT_NEAR(heightAtConnector(p, def("2200"), 1), 10 - 180 * kSin3, 1e-9);
}

// A 3-degree run started on a 180 mm straight at height 5.
struct RunFixture {
    Layout layout = emptyLayout();
    int32_t start;
    RunFixture() {
        start = put(layout, "2200", 0, 0);
        layout.findPiece(start)->z = 5;
        layout.findPiece(start)->grade = 3;
        layout.gradeRuns.push_back(GradeRun{3, start, 0});
        layout.restoreGradeState();
    }
    int32_t attach(const char* part, int newConn) {
        const int32_t id = put(layout, part, 1000, 1000);
        layout.join(start, 1, id, newConn);
        continueElevation(layout, start, 1, id, newConn);
        return id;
    }
};

TEST(ContinueElevation, TipRunsOnOntoAPieceJoinedByConnectorZero) {
    RunFixture f;
    const int32_t next = f.attach("2200", 0);
    const PlacedPiece* p = f.layout.findPiece(next);
    EXPECT_NEAR(p->z, 5 + 180 * kSin3, 1e-9); // 180 x sin 3 = 9.42 mm above the start
    EXPECT_NEAR(180 * kSin3, 9.42, 0.005);
    EXPECT_DOUBLE_EQ(p->grade, 3);
    EXPECT_FALSE(p->reversed);
    EXPECT_EQ(f.layout.gradeRuns[0].anchor, next);
    EXPECT_EQ(f.layout.gradeRuns[0].conn, 1);
    EXPECT_EQ(f.layout.gradeAnchor, next);
    EXPECT_EQ(f.layout.gradeConn, 1);
}

TEST(ContinueElevation, PieceJoinedByConnectorOneIsReversedAndRaised) {
    RunFixture f;
    const int32_t next = f.attach("2200", 1);
    const PlacedPiece* p = f.layout.findPiece(next);
    const double tip = 5 + 180 * kSin3;
    EXPECT_NEAR(p->z, tip + 180 * kSin3, 1e-9);
    EXPECT_TRUE(p->reversed);
    EXPECT_NEAR(heightAtConnector(*p, def("2200"), 1), tip, 1e-9); // its joined end meets the tip
    EXPECT_EQ(f.layout.gradeRuns[0].conn, 0);
}

TEST(ContinueElevation, ArchBridgeSitsFlatAndEndsTheRun) {
    RunFixture f;
    const int32_t bridge = f.attach("7263", 0); // K-Track arch bridge
    const PlacedPiece* p = f.layout.findPiece(bridge);
    EXPECT_NEAR(p->z, 5 + 180 * kSin3, 1e-9);
    EXPECT_DOUBLE_EQ(p->grade, 0);
    EXPECT_TRUE(f.layout.gradeRuns.empty());
    EXPECT_FALSE(f.layout.gradeActive);
    EXPECT_EQ(f.layout.gradeAnchor, -1);
}

TEST(ContinueElevation, BridgeRampCarriesTheRunOn) {
    RunFixture f;
    const int32_t ramp = f.attach("7267", 0); // K-Track curved ramp: bridge and ramp
    EXPECT_DOUBLE_EQ(f.layout.findPiece(ramp)->grade, 3);
    EXPECT_EQ(f.layout.gradeAnchor, ramp);
}

TEST(ContinueElevation, WithoutARunThePieceTakesTheHeightFlat) {
    RunFixture f;
    f.layout.gradeRuns.clear();
    f.layout.restoreGradeState();
    const int32_t next = f.attach("2200", 0);
    EXPECT_NEAR(f.layout.findPiece(next)->z, 5 + 180 * kSin3, 1e-9);
    EXPECT_DOUBLE_EQ(f.layout.findPiece(next)->grade, 0);
    EXPECT_FALSE(f.layout.gradeActive);
}

TEST(ContinueElevation, UnknownExistingPieceChangesNothing) {
    Layout layout = emptyLayout();
    const int32_t ghost = put(layout, "nope", 0, 0);
    const int32_t n = put(layout, "2200", 0, 0);
    layout.findPiece(n)->z = 42;
    continueElevation(layout, ghost, 1, n, 0);
    EXPECT_DOUBLE_EQ(layout.findPiece(n)->z, 42);
}

TEST(ContinueElevation, DroppingOnTheTipOfARunContinuesIt) {
    RunFixture f;
    PlacingState placing;
    beginPlacing(placing, "2200", Point{});
    updateGhost(placing, f.layout, Point{181, 2});
    ScriptedPrompter prompter;
    const PlaceOutcome out = dropPiece(f.layout, placing, prompter);
    ASSERT_TRUE(out.placed);
    EXPECT_DOUBLE_EQ(f.layout.findPiece(out.pieceId)->grade, 3);
    EXPECT_EQ(f.layout.gradeAnchor, out.pieceId);
    f.layout.undo(); // the run's tip is part of the undo step
    EXPECT_EQ(f.layout.gradeAnchor, f.start);
}

} // namespace
