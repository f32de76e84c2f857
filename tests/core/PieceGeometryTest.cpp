#include "render/PieceGeometry.h"
#include "catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

namespace {

constexpr double kDeg = 3.141592653589793 / 180.0;
// The tables round connector values; the diagonal of 8560 ends 0.33 mm from its connector 3
// because the band runs at the stated crossing angle.
constexpr double kEndTolerance = 0.5;

double headingDiff(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// Direction of travel along a band at its start (t = 0) or end (t = 1).
double bandHeading(const TrackBand& band, double t) {
    return band.start.heading + (band.curved ? t * band.angle : 0.0);
}

// Whether connector c is an end of one of the bands: at its position, facing out of it.
bool connectorEndsABand(const TrackBands& bands, const ConnectorDef& c) {
    for (int i = 0; i < bands.count; ++i) {
        const TrackBand& b = bands.band[i];
        for (double t : {0.0, 1.0}) {
            const Point p = bandPoint(b, t, 0);
            const double outward = bandHeading(b, t) + (t == 0.0 ? 180.0 : 0.0);
            if (std::hypot(p.x - c.x, p.y - c.y) < kEndTolerance &&
                headingDiff(outward, c.heading) < 0.1)
                return true;
        }
    }
    return false;
}

} // namespace

// Every connector of every catalogue piece with bands is where one of its bands starts or
// ends, facing out of it: the drawn track meets its neighbours where joining puts them.
TEST(PieceBands, EveryCatalogueConnectorEndsABand) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    ASSERT_GT(catalog.count(), 100);
    for (const PieceDef& def : catalog.pieces()) {
        if (def.kind == PieceKind::Turntable)
            continue;
        const TrackBands bands = trackBands(def);
        ASSERT_GT(bands.count, 0) << def.partNumber;
        for (const ConnectorDef& c : def.connectors)
            EXPECT_TRUE(connectorEndsABand(bands, c)) << def.partNumber << " connector " << c.index
                                                      << " at (" << c.x << ", " << c.y << ")";
    }
}

TEST(PieceBands, BumperBandRunsItsLengthFromTheOrigin) {
    const PieceDef* def = TrackCatalog::instance().find("24977");
    ASSERT_NE(def, nullptr);
    const TrackBands bands = trackBands(*def);
    ASSERT_EQ(bands.count, 1);
    const Point end = bandPoint(bands.band[0], 1, 0);
    EXPECT_NEAR(end.x, 48.3, 1e-9);
    EXPECT_NEAR(end.y, 0, 1e-9);
}

TEST(PieceBands, SlipCurvesOfEveryDoubleSlipJoinTheMainRouteToTheDiagonal) {
    for (const PieceDef& def : TrackCatalog::instance().pieces()) {
        if (def.kind != PieceKind::DoubleSlip)
            continue;
        const TrackBands slips = slipCurves(def);
        ASSERT_EQ(slips.count, 2) << def.partNumber;
        const Point a = bandPoint(slips.band[0], 1, 0);
        const Point b = bandPoint(slips.band[1], 1, 0);
        const ConnectorDef& c1 = def.connectors[1];
        const ConnectorDef& c3 = def.connectors[3];
        // Slip radii in the tables are nominal (2275's reaches 1.4 mm past its ends).
        EXPECT_NEAR(a.x, c3.x, 2.0) << def.partNumber;
        EXPECT_NEAR(a.y, c3.y, 2.0) << def.partNumber;
        EXPECT_NEAR(b.x, c1.x, 2.0) << def.partNumber;
        EXPECT_NEAR(b.y, c1.y, 2.0) << def.partNumber;
    }
}

TEST(PieceBands, TurnoutBranchStopsAtTheStraightEnd) {
    // R sin 13 deg = 110.23 lies beyond the 110 mm straight: the branch sweep is cut to
    // asin(110 / 490) so that it ends at the straight's end.
    const PieceDef* def = TrackCatalog::instance().find("8562");
    ASSERT_NE(def, nullptr);
    const TrackBands bands = trackBands(*def);
    ASSERT_EQ(bands.count, 2);
    EXPECT_FALSE(bands.band[0].curved);
    EXPECT_EQ(bands.band[1].shade, BandShade::Branch);
    EXPECT_NEAR(bands.band[1].angle, -12.9729, 1e-4);
}

TEST(PieceBands, ThreeWayTurnoutDrawsBothBranchesUnderTheStraight) {
    const PieceDef* def = TrackCatalog::instance().find("24630");
    ASSERT_NE(def, nullptr);
    const TrackBands bands = trackBands(*def);
    ASSERT_EQ(bands.count, 3);
    EXPECT_GT(bands.band[0].angle, 0); // right branch, connector 2
    EXPECT_LT(bands.band[1].angle, 0); // left branch, connector 3
    EXPECT_FALSE(bands.band[2].curved);
    EXPECT_EQ(bands.band[2].shade, BandShade::Base);
}

TEST(PieceBands, ArcOutlineHasSegmentsPerEdgeAndEdgesAtHalfWidth) {
    const PieceDef* def = TrackCatalog::instance().find("24130");
    ASSERT_NE(def, nullptr);
    std::vector<Point> outline;
    appendBandOutline(trackBands(*def).band[0], 18.7, outline);
    // 30 degrees: trunc(30 / 1.5) = 20 segments per edge.
    ASSERT_EQ(outline.size(), 2u * (20 + 1));
    // The left edge of a right-hand curve is its outer edge: radius 360 + 18.7 about (0, 360).
    for (std::size_t i = 0; i <= 20; ++i)
        EXPECT_NEAR(std::hypot(outline[i].x, outline[i].y - 360), 378.7, 1e-9);
    for (std::size_t i = 21; i < outline.size(); ++i)
        EXPECT_NEAR(std::hypot(outline[i].x, outline[i].y - 360), 341.3, 1e-9);
}

TEST(PieceBands, SegmentCountFollowsTheSweep) {
    EXPECT_EQ(arcSegments(7.5), 16);
    EXPECT_EQ(arcSegments(-24.3), 16);
    EXPECT_EQ(arcSegments(25.5), 17);
    EXPECT_EQ(arcSegments(45), 30);
}

TEST(PieceBands, ZTrackBandIsNarrower) {
    EXPECT_DOUBLE_EQ(trackHalfWidth(*TrackCatalog::instance().find("8500")), 6.0);
    EXPECT_DOUBLE_EQ(trackHalfWidth(*TrackCatalog::instance().find("2200")), 18.7);
}

// The extent used to skip pieces off screen must hold everything drawn in millimetres.
TEST(PieceBounds, HoldEveryBandOutlineOfEveryCataloguePiece) {
    for (const PieceDef& def : TrackCatalog::instance().pieces()) {
        const LocalBox box = pieceLocalBounds(def);
        std::vector<Point> pts;
        const TrackBands bands = trackBands(def);
        const TrackBands slips = slipCurves(def);
        for (const TrackBands* set : {&bands, &slips})
            for (int i = 0; i < set->count; ++i)
                appendBandOutline(set->band[i], trackHalfWidth(def), pts);
        for (const ConnectorDef& c : def.connectors)
            pts.push_back(Point{c.x, c.y});
        if (def.kind == PieceKind::Turntable) {
            pts.push_back(Point{-def.length / 2, 0});
            pts.push_back(Point{0, def.length / 2});
        }
        for (const Point& p : pts) {
            EXPECT_GE(p.x, box.minX - 1e-9) << def.partNumber;
            EXPECT_LE(p.x, box.maxX + 1e-9) << def.partNumber;
            EXPECT_GE(p.y, box.minY - 1e-9) << def.partNumber;
            EXPECT_LE(p.y, box.maxY + 1e-9) << def.partNumber;
        }
    }
}

TEST(PieceBounds, MidPointIsOnTheArcForCurvesAndTheCentreForTurntables) {
    const Point curveMid = pieceMidPoint(*TrackCatalog::instance().find("24130"));
    EXPECT_NEAR(curveMid.x, 360 * std::sin(15 * kDeg), 1e-9);
    EXPECT_NEAR(curveMid.y, 360 * (1 - std::cos(15 * kDeg)), 1e-9);
    const Point tableMid = pieceMidPoint(*TrackCatalog::instance().find("74862"));
    EXPECT_EQ(tableMid.x, 0);
    EXPECT_EQ(tableMid.y, 0);
    const Point straightMid = pieceMidPoint(*TrackCatalog::instance().find("24188"));
    EXPECT_NEAR(straightMid.x, 94.15, 1e-9);
}
