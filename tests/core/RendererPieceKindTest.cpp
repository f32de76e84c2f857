// Each kind of piece body lies where the catalogue's connectors say, in the right colours
// and order; bridges, circuit boxes, turntables and ghosts.
#include "RecordingPainter.h"
#include "RenderTestSupport.h"

#include "render/LayoutRenderer.h"
#include "render/PieceGeometry.h"
#include "render/RenderColors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

namespace {

const ViewTransform kView{2.0, 50, 40};
const Pose kPose{100, 200, 30};
constexpr double kDeg = 3.141592653589793 / 180.0;
// Every screen point is truncated, so a mid-point of two of them may be a pixel off.
constexpr double kPixelTolerance = 1.5;

struct Drawn {
    RecordingPainter painter;
    std::vector<DrawCall> polygons;
};

Drawn drawPart(const std::string& part, PlacedPiece piece = PlacedPiece{}) {
    Drawn d;
    const PieceDef& def = catalogDef(part);
    if (piece.part.empty())
        piece = makePlacedPiece(part);
    piece.x = kPose.x;
    piece.y = kPose.y;
    piece.heading = kPose.heading;
    LayoutRenderer renderer;
    renderer.drawPiece(d.painter, piece, def, kView, false, false, false);
    d.polygons = d.painter.ofKind(DrawOp::Polygon);
    return d;
}

struct Px {
    double x, y;
};

// Screen position (unrounded) of a point in the piece frame.
Px screenOf(double lx, double ly) {
    const PieceFrame frame(kPose.x, kPose.y, kPose.heading);
    const Point w = frame.apply(Point{lx, ly});
    return Px{w.x * kView.scale + kView.panX, w.y * kView.scale + kView.panY};
}

Px connectorOnScreen(const std::string& part, int c) {
    const ConnectorDef& cd = catalogDef(part).connectors.at(c);
    return screenOf(cd.x, cd.y);
}

Px mid(ScreenPoint a, ScreenPoint b) {
    return Px{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}
Px asPx(ScreenPoint p) {
    return Px{double(p.x), double(p.y)};
}

// Start and end edges of a band polygon: its left edge runs forward, its right edge back.
Px startEdgeMid(const DrawCall& band) {
    return mid(band.points.front(), band.points.back());
}
Px endEdgeMid(const DrawCall& band) {
    const std::size_t n = band.points.size() / 2;
    return mid(band.points[n - 1], band.points[n]);
}

::testing::AssertionResult near(Px actual, Px expected, double tol = kPixelTolerance) {
    if (std::hypot(actual.x - expected.x, actual.y - expected.y) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ") is not ("
                                         << expected.x << ", " << expected.y << ")";
}

// The band runs from one connector (or piece-frame point) to another.
void expectBandBetween(const DrawCall& band, Px from, Px to) {
    EXPECT_TRUE(near(startEdgeMid(band), from)) << "start";
    EXPECT_TRUE(near(endEdgeMid(band), to)) << "end";
}

double edgeLength(ScreenPoint a, ScreenPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

Color baseFill(const std::string& part) {
    return catalogDef(part).system == KTrack ? colors::PieceFillKTrack : colors::PieceFill;
}

} // namespace

TEST(RendererKinds, StraightBandRunsBetweenItsConnectorsAtFullWidth) {
    const Drawn d = drawPart("24188");
    ASSERT_EQ(d.polygons.size(), 1u);
    const DrawCall& band = d.polygons[0];
    ASSERT_EQ(band.points.size(), 4u);
    expectBandBetween(band, connectorOnScreen("24188", 0), connectorOnScreen("24188", 1));
    EXPECT_NEAR(edgeLength(band.points[0], band.points[3]), 2 * 18.7 * 2, kPixelTolerance);
    EXPECT_EQ(band.brush.color, colors::PieceFill);
    EXPECT_EQ(band.pen.color, colors::PieceOutline);
    EXPECT_EQ(band.pen.width, 1);
}

TEST(RendererKinds, ZTrackBandIsTwelveMillimetresWide) {
    const Drawn d = drawPart("8500");
    ASSERT_EQ(d.polygons.size(), 1u);
    EXPECT_NEAR(edgeLength(d.polygons[0].points[0], d.polygons[0].points[3]), 12 * 2,
                kPixelTolerance);
}

TEST(RendererKinds, CurveEdgesEndAtConnectorOneAcrossItsNormal) {
    for (const char* part : {"24130", "8520", "2210"}) {
        SCOPED_TRACE(part);
        const PieceDef& def = catalogDef(part);
        const Drawn d = drawPart(part);
        ASSERT_EQ(d.polygons.size(), 1u);
        const DrawCall& band = d.polygons[0];
        const int segments = arcSegments(def.angle);
        ASSERT_EQ(band.points.size(), 2u * (segments + 1));
        expectBandBetween(band, connectorOnScreen(part, 0), connectorOnScreen(part, 1));
        // Outer (left) and inner (right) edge ends: connector 1 -/+ half-width along the
        // normal to its heading.
        const ConnectorDef& c1 = def.connectors[1];
        const double hw = trackHalfWidth(def);
        const double nx = -std::sin(c1.heading * kDeg), ny = std::cos(c1.heading * kDeg);
        EXPECT_TRUE(near(asPx(band.points[segments]), screenOf(c1.x - hw * nx, c1.y - hw * ny)));
        EXPECT_TRUE(
            near(asPx(band.points[segments + 1]), screenOf(c1.x + hw * nx, c1.y + hw * ny)));
    }
}

TEST(RendererKinds, TurnoutStraightThenDarkerBranchToConnectorTwo) {
    for (const char* part : {"24612", "24611", "8562", "2263", "24711"}) {
        SCOPED_TRACE(part);
        const Drawn d = drawPart(part);
        ASSERT_EQ(d.polygons.size(), 2u);
        expectBandBetween(d.polygons[0], connectorOnScreen(part, 0), connectorOnScreen(part, 1));
        expectBandBetween(d.polygons[1], connectorOnScreen(part, 0), connectorOnScreen(part, 2));
        EXPECT_EQ(d.polygons[0].brush.color, baseFill(part));
        EXPECT_EQ(d.polygons[1].brush.color, darkened(baseFill(part), 15, 15, 10));
    }
}

TEST(RendererKinds, ThreeWayTurnoutBranchesFirstStraightLast) {
    for (const char* part : {"24630", "2270"}) {
        SCOPED_TRACE(part);
        const Drawn d = drawPart(part);
        ASSERT_EQ(d.polygons.size(), 3u);
        expectBandBetween(d.polygons[0], connectorOnScreen(part, 0), connectorOnScreen(part, 2));
        expectBandBetween(d.polygons[1], connectorOnScreen(part, 0), connectorOnScreen(part, 3));
        expectBandBetween(d.polygons[2], connectorOnScreen(part, 0), connectorOnScreen(part, 1));
        EXPECT_EQ(d.polygons[0].brush.color, darkened(baseFill(part), 15, 15, 10));
        EXPECT_EQ(d.polygons[1].brush.color, darkened(baseFill(part), 15, 15, 10));
        EXPECT_EQ(d.polygons[2].brush.color, baseFill(part));
    }
}

TEST(RendererKinds, CurvedTurnoutCurveLeadAndSecondCurve) {
    struct Case {
        const char* part;
        double lead; // the x offset between connectors 1 and 2
    };
    for (const Case& c :
         {Case{"24672", 77.5}, Case{"24671", 77.5}, Case{"24772", 64}, Case{"62672", 77.5}}) {
        SCOPED_TRACE(c.part);
        const Drawn d = drawPart(c.part);
        ASSERT_EQ(d.polygons.size(), 3u);
        expectBandBetween(d.polygons[0], connectorOnScreen(c.part, 0),
                          connectorOnScreen(c.part, 1));
        expectBandBetween(d.polygons[1], connectorOnScreen(c.part, 0), screenOf(c.lead, 0));
        expectBandBetween(d.polygons[2], screenOf(c.lead, 0), connectorOnScreen(c.part, 2));
        EXPECT_EQ(d.polygons[0].brush.color, colors::PieceFill);
        EXPECT_EQ(d.polygons[1].brush.color, (Color{195, 195, 195}));
        EXPECT_EQ(d.polygons[2].brush.color, (Color{195, 195, 195}));
    }
}

TEST(RendererKinds, OffsetCurvedTurnoutCurveStraightLeadAndShiftedCurve) {
    for (const char* part : {"8569", "8568", "2268", "2269"}) {
        SCOPED_TRACE(part);
        const double lead = catalogDef(part).length;
        const Drawn d = drawPart(part);
        ASSERT_EQ(d.polygons.size(), 3u);
        expectBandBetween(d.polygons[0], connectorOnScreen(part, 0), connectorOnScreen(part, 1));
        expectBandBetween(d.polygons[1], connectorOnScreen(part, 0), screenOf(lead, 0));
        expectBandBetween(d.polygons[2], screenOf(lead, 0), connectorOnScreen(part, 2));
    }
}

TEST(RendererKinds, CrossingMainRouteThenDiagonal) {
    for (const char* part : {"24740", "24649", "2258", "8559"}) {
        SCOPED_TRACE(part);
        const Drawn d = drawPart(part);
        ASSERT_EQ(d.polygons.size(), 2u);
        expectBandBetween(d.polygons[0], connectorOnScreen(part, 0), connectorOnScreen(part, 1));
        // 8559's diagonal runs at the stated 13 degrees and ends 0.33 mm from connector 3.
        expectBandBetween(d.polygons[1], connectorOnScreen(part, 2), connectorOnScreen(part, 3));
        EXPECT_EQ(d.polygons[1].brush.color, darkened(baseFill(part), 10, 10, 5));
    }
}

TEST(RendererKinds, DoubleSlipRoutesThenLighterLensesWithStrokedEdges) {
    for (const char* part : {"24624", "2260", "8560"}) {
        SCOPED_TRACE(part);
        const Drawn d = drawPart(part);
        ASSERT_EQ(d.polygons.size(), 4u);
        expectBandBetween(d.polygons[0], connectorOnScreen(part, 0), connectorOnScreen(part, 1));
        expectBandBetween(d.polygons[1], connectorOnScreen(part, 2), connectorOnScreen(part, 3));
        EXPECT_EQ(d.polygons[0].brush.color, baseFill(part));
        EXPECT_EQ(d.polygons[1].brush.color, darkened(baseFill(part), 8, 8, 4));
        for (int lens : {2, 3}) {
            EXPECT_EQ(d.polygons[lens].brush.color, lightened(baseFill(part), 10, 10, 18));
            EXPECT_TRUE(d.polygons[lens].pen.transparent);
        }
        // Slip curves: main route start to diagonal far end, diagonal near end to main end.
        EXPECT_TRUE(near(startEdgeMid(d.polygons[2]), connectorOnScreen(part, 0)));
        EXPECT_TRUE(near(endEdgeMid(d.polygons[2]), connectorOnScreen(part, 3), 3));
        EXPECT_TRUE(near(startEdgeMid(d.polygons[3]), connectorOnScreen(part, 2)));
        EXPECT_TRUE(near(endEdgeMid(d.polygons[3]), connectorOnScreen(part, 1), 3));

        const std::vector<DrawCall> edges = d.painter.ofKind(DrawOp::Polyline);
        const std::vector<DrawCall> ends = d.painter.ofKind(DrawOp::Line);
        ASSERT_EQ(edges.size(), 4u);
        ASSERT_EQ(ends.size(), 4u);
        for (const DrawCall& c : edges) {
            EXPECT_EQ(c.pen.color, colors::PieceOutline);
            EXPECT_EQ(c.pen.width, 1);
        }
        // The first lens's edges meet its closing lines.
        EXPECT_EQ(ends[0].points[0], edges[0].points.front());
        EXPECT_EQ(ends[0].points[1], edges[1].points.front());
        EXPECT_EQ(ends[1].points[0], edges[0].points.back());
        EXPECT_EQ(ends[1].points[1], edges[1].points.back());
    }
}

TEST(RendererKinds, BumperBandFromItsConnectorForItsLength) {
    const Drawn d = drawPart("24977");
    ASSERT_EQ(d.polygons.size(), 1u);
    expectBandBetween(d.polygons[0], connectorOnScreen("24977", 0), screenOf(48.3, 0));
}

TEST(RendererKinds, TurntableDiscsBridgeApproachesAndConnectorDiscs) {
    PlacedPiece piece = makePlacedPiece("74862");
    piece.joints[5].target = 99; // one track joined at 60 degrees
    piece.joints[5].targetConn = 0;
    const Drawn d = drawPart("74862", piece);
    EXPECT_TRUE(d.polygons.empty());
    const std::vector<DrawCall> circles = d.painter.ofKind(DrawOp::Circle);
    ASSERT_EQ(circles.size(), 2u + 30u);
    const ScreenPoint centre = kView.toScreen(kPose.x, kPose.y);
    EXPECT_EQ(circles[0].points[0], centre);
    EXPECT_EQ(circles[0].w, 378); // 189 mm at 2 px/mm
    EXPECT_EQ(circles[0].brush.color, colors::TurntableDisc);
    EXPECT_EQ(circles[0].pen.color, colors::PieceOutline);
    EXPECT_EQ(circles[1].w, 278);
    EXPECT_EQ(circles[1].brush.color, colors::PieceFill);
    for (int i = 0; i < 30; ++i) {
        const DrawCall& disc = circles[2 + i];
        EXPECT_TRUE(near(asPx(disc.points[0]), connectorOnScreen("74862", i))) << i;
        EXPECT_EQ(disc.w, 6);
        EXPECT_EQ(disc.brush.color, colors::TurntableConnector);
        EXPECT_TRUE(disc.pen.transparent);
    }
    const std::vector<DrawCall> lines = d.painter.ofKind(DrawOp::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].pen.color, colors::TurntableBridge);
    EXPECT_EQ(lines[0].pen.width, 3);
    EXPECT_TRUE(near(asPx(lines[0].points[0]), screenOf(-139, 0)));
    EXPECT_TRUE(near(asPx(lines[0].points[1]), screenOf(139, 0)));
    EXPECT_EQ(lines[1].pen.color, colors::TurntableApproach);
    EXPECT_EQ(lines[1].pen.width, 2);
    EXPECT_TRUE(near(asPx(lines[1].points[0]), screenOf(189 * 0.5, 189 * std::sin(60 * kDeg))));
    EXPECT_TRUE(near(asPx(lines[1].points[1]), connectorOnScreen("74862", 5)));
}

TEST(RendererKinds, SelectedTurntableBridgeIsBlue) {
    PlacedPiece piece = makePlacedPiece("74862");
    piece.x = kPose.x;
    piece.y = kPose.y;
    RecordingPainter p;
    LayoutRenderer renderer;
    renderer.drawPiece(p, piece, catalogDef("74862"), kView, true, false, false);
    EXPECT_EQ(p.ofKind(DrawOp::Line)[0].pen.color, colors::PieceOutlineSelected);
}

TEST(RendererKinds, StraightBridgeArchSpansTheLengthUnderTheMidPoint) {
    const Drawn d = drawPart("74636"); // 360 mm arch bridge
    const std::vector<DrawCall> arcs = d.painter.ofKind(DrawOp::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    const Px m = screenOf(180, 0);
    EXPECT_EQ(arcs[0].w, 720);
    EXPECT_EQ(arcs[0].h, 180);
    EXPECT_NEAR(arcs[0].x, m.x - 360, 1);
    EXPECT_NEAR(arcs[0].y, m.y - 90, 1);
    EXPECT_DOUBLE_EQ(arcs[0].startDeg, 210);
    EXPECT_DOUBLE_EQ(arcs[0].endDeg, 390);
    EXPECT_EQ(arcs[0].pen.color, colors::StraightBridgeArch);
    EXPECT_EQ(arcs[0].pen.width, 3);
    EXPECT_TRUE(arcs[0].brush.transparent);
}

TEST(RendererKinds, CurvedBridgeArcCentredOnTheArcMidPoint) {
    const Drawn d = drawPart("74613"); // R1 curved ramp
    const std::vector<DrawCall> arcs = d.painter.ofKind(DrawOp::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    const Point m = pieceMidPoint(catalogDef("74613"));
    const Px c = screenOf(m.x, m.y);
    const int k = 158; // trunc(360 x 0.22 x 2)
    EXPECT_EQ(arcs[0].w, 2 * k);
    EXPECT_EQ(arcs[0].h, 2 * k / 3);
    EXPECT_NEAR(arcs[0].x, c.x - k, 1);
    EXPECT_NEAR(arcs[0].y, c.y - (2 * k / 3) / 2, 1);
    EXPECT_DOUBLE_EQ(arcs[0].startDeg, 120);
    EXPECT_DOUBLE_EQ(arcs[0].endDeg, 300);
    EXPECT_EQ(arcs[0].pen.color, colors::CurveBridgeArch);
    EXPECT_EQ(drawPart("24130").painter.count(DrawOp::Arc), 0);
}

TEST(RendererKinds, CircuitPiecesCarryAContactBoxAtTheirMidPoint) {
    for (const char* part : {"24994", "24294"}) {
        SCOPED_TRACE(part);
        const Drawn d = drawPart(part);
        const std::vector<DrawCall> boxes = d.painter.ofKind(DrawOp::Rectangle);
        ASSERT_EQ(boxes.size(), 1u);
        const Point m = pieceMidPoint(catalogDef(part));
        const Px c = screenOf(m.x, m.y);
        EXPECT_NEAR(boxes[0].x + 16, c.x, 1);
        EXPECT_NEAR(boxes[0].y + 8, c.y, 1);
        EXPECT_EQ(boxes[0].w, 32);
        EXPECT_EQ(boxes[0].h, 16);
        EXPECT_EQ(boxes[0].brush.color, colors::ContactBoxFill);
        EXPECT_EQ(boxes[0].pen.color, colors::ContactBoxPen);
    }
    EXPECT_EQ(drawPart("24094").painter.count(DrawOp::Rectangle), 0);
}

// ---- ghosts -------------------------------------------------------------------------------

TEST(RendererGhost, FixedGreenColoursAndOrangeDotsOnSwitches) {
    LayoutRenderer renderer;
    RecordingPainter p;
    renderer.drawGhostPiece(p, catalogDef("24612"), kPose.x, kPose.y, kPose.heading, kView);
    const std::vector<DrawCall> polys = p.ofKind(DrawOp::Polygon);
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].brush.color, colors::GhostFill);
    EXPECT_EQ(polys[1].brush.color, (Color{185, 210, 190}));
    EXPECT_EQ(polys[0].pen.color, colors::GhostOutline);
    expectBandBetween(polys[1], connectorOnScreen("24612", 0), connectorOnScreen("24612", 2));
    const std::vector<DrawCall> dots = p.ofKind(DrawOp::Circle);
    ASSERT_EQ(dots.size(), 3u);
    for (const DrawCall& dot : dots)
        EXPECT_EQ(dot.brush.color, colors::DotFree);
    EXPECT_TRUE(p.texts().empty());

    p.reset();
    renderer.drawGhostPiece(p, catalogDef("24188"), 0, 0, 0, kView);
    EXPECT_EQ(p.count(DrawOp::Circle), 0);
    p.reset();
    renderer.drawGhostPiece(p, catalogDef("74862"), 0, 0, 0, kView);
    EXPECT_EQ(p.ofKind(DrawOp::Circle)[0].brush.color, colors::GhostTurntableDisc);
    p.reset();
    renderer.drawGhostPiece(p, catalogDef("24994"), 0, 0, 0, kView);
    EXPECT_EQ(p.count(DrawOp::Rectangle), 1);
}
