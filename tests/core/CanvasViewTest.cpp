#include "core/canvas/CanvasView.h"
#include "CanvasTestCatalog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace plandor;
using namespace plandor::canvastest;

namespace {

void expectView(const CanvasView& v, double scale, double panX, double panY) {
    EXPECT_DOUBLE_EQ(v.scale(), scale);
    EXPECT_DOUBLE_EQ(v.panX(), panX);
    EXPECT_DOUBLE_EQ(v.panY(), panY);
}

TEST(CanvasViewZoom, RepeatedZoomStopsAt20And03KeepingThePointUnderTheCursor) {
    CanvasView v;
    expectView(v, 0.4, 60, 60);
    for (int i = 0; i < 40; ++i)
        v.zoomIn(800, 600);
    EXPECT_DOUBLE_EQ(v.scale(), 20.0);
    for (int i = 0; i < 60; ++i)
        v.zoomOut(800, 600);
    EXPECT_DOUBLE_EQ(v.scale(), 0.3);

    // Even when the clamp limits the step.
    v.setView(19, 5, 5);
    const Point anchor = v.screenToWorld(100, 100);
    v.zoomAbout(1.25, 100, 100);
    EXPECT_DOUBLE_EQ(v.scale(), 20.0);
    const Point after = v.screenToWorld(100, 100);
    EXPECT_NEAR(std::hypot(after.x - anchor.x, after.y - anchor.y), 0, 1e-9);
}

// Zooming out goes as far as the whole plan needs, and a step out never zooms in.
TEST(CanvasViewZoom, ZoomingOutReachesTheScaleAtWhichThePlanFits) {
    Layout huge; // fits 1160 x 1160 at 0.05 px/mm (clamped)
    addPiece(huge, "S", 0, 0);
    addPiece(huge, "S", 1e6, 1e6);
    Layout wide; // fits at 0.1 px/mm
    addPiece(wide, "S", 0, 0);
    addPiece(wide, "S", 9900, 0);
    Layout small; // fits far above 0.3: the usual bound holds
    addPiece(small, "S", 0, 0);
    const Layout empty;
    struct Case {
        const char* name;
        const Layout& layout;
        double start;
        double limit;
    };
    const Case cases[] = {
        {"huge plan, fitted", huge, 0.05, 0.05}, {"huge plan, from 1 px/mm", huge, 1.0, 0.05},
        {"wide plan", wide, 2.0, 0.1},           {"small plan", small, 2.0, 0.3},
        {"empty layout", empty, 2.0, 0.3},
    };
    for (const Case& c : cases) {
        const double limit = zoomOutLimit(c.layout, 1160, 1160, catalog());
        EXPECT_NEAR(limit, c.limit, 1e-9) << c.name;
        CanvasView v;
        v.setView(c.start, 0, 0);
        for (int i = 0; i < 40; ++i)
            v.zoomOut(1160, 1160, limit);
        EXPECT_NEAR(v.scale(), std::min(c.start, c.limit), 1e-9) << c.name;
    }

    // Below the limit already (the window grew since the fit): a step out stays put.
    CanvasView v;
    v.setView(0.04, 0, 0);
    v.zoomOut(1160, 1160, 0.1);
    EXPECT_DOUBLE_EQ(v.scale(), 0.04);
}

TEST(CanvasViewFit, EmptyLayoutsGetTheDefaultView) {
    // Labels, measurements, short outlines and a two-point baseboard frame nothing.
    CanvasView v;
    Layout layout;
    layout.labels.push_back(LayoutLabel{});
    layout.measurements.push_back(Measurement{});
    layout.baseboard = {{0, 0}, {500, 500}};
    Level deck = levelAt(1, 0);
    deck.outline = {{0, 0}, {900, 0}};
    layout.levels.push_back(deck);
    v.setView(5, 1, 2);
    v.zoomToFit(layout, 1000, 800, catalog());
    expectView(v, 0.4, 60, 60);
}

TEST(CanvasViewFit, ScaleIsClampedTo005And20) {
    CanvasView v;
    Layout huge;
    addPiece(huge, "S", 0, 0);
    addPiece(huge, "S", 1e6, 1e6);
    v.zoomToFit(huge, 1160, 1160, catalog());
    EXPECT_DOUBLE_EQ(v.scale(), 0.05); // below the wheel's 0.3

    Layout tiny;
    PolygonShape dot;
    dot.vertices = {{10, 10}, {10.5, 10}, {10, 10.5}};
    tiny.shapes.push_back(dot);
    v.zoomToFit(tiny, 1160, 1160, catalog());
    EXPECT_DOUBLE_EQ(v.scale(), 20);
    EXPECT_DOUBLE_EQ(v.panX(), 80 - 20 * 10 + (1000 - 20) / 2.0); // the 1 mm box centred
}

TEST(CanvasViewFit, ExtentCountsEveryPiecesFarEndThatWidensIt) {
    // Pieces of every length at every heading over a plan smaller than the longest piece and
    // over one large enough to have an inside: a far end pointing outwards may widen the box
    // from anywhere near the rim.
    const TrackCatalog& parts = TrackCatalog::instance();
    for (const double side : {600.0, 4000.0}) {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> position(0, side), heading(0, 360);
        Layout layout;
        for (int i = 0; i < 3000; ++i) {
            PlacedPiece piece;
            piece.id = i + 1;
            piece.part = parts.at(i % parts.count())->partNumber;
            piece.x = position(random);
            piece.y = position(random);
            piece.heading = heading(random);
            layout.pieces.push_back(piece);
        }
        layout.pieces.push_back(PlacedPiece{}); // an unknown part counts its origin alone
        layout.pieces.back().part = "no such part";
        layout.pieces.back().x = -50;

        Bounds expected;
        for (const PlacedPiece& p : layout.pieces) {
            expected.add(p.x, p.y);
            if (const PieceDef* def = parts.find(p.part)) {
                const double t = degToRad(p.heading);
                expected.add(p.x + def->length * std::cos(t), p.y + def->length * std::sin(t));
            }
        }
        const Bounds extent = layoutExtent(layout, parts);
        SCOPED_TRACE(side);
        EXPECT_EQ(extent.minX, expected.minX);
        EXPECT_EQ(extent.minY, expected.minY);
        EXPECT_EQ(extent.maxX, expected.maxX);
        EXPECT_EQ(extent.maxY, expected.maxY);
    }
}

} // namespace
