#include "editing/CanvasView.h"
#include "CanvasTestCatalog.h"
#include "catalog/HelixVariants.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::canvastest;

namespace {

void expectView(const CanvasView& v, double scale, double panX, double panY) {
    EXPECT_DOUBLE_EQ(v.scale(), scale);
    EXPECT_DOUBLE_EQ(v.panX(), panX);
    EXPECT_DOUBLE_EQ(v.panY(), panY);
}

TEST(CanvasViewZoom, StartsAtDefaultAndResets) {
    CanvasView v;
    expectView(v, 0.4, 60, 60);
    v.setView(3, -100, 7);
    v.resetViewLarge();
    expectView(v, 1.0, 60, 60);
    v.resetViewDefault();
    expectView(v, 0.4, 60, 60);
}

TEST(CanvasViewZoom, RepeatedZoomStopsAt20And03) {
    CanvasView v;
    for (int i = 0; i < 40; ++i)
        v.zoomIn(800, 600);
    EXPECT_DOUBLE_EQ(v.scale(), 20.0);
    for (int i = 0; i < 60; ++i)
        v.zoomOut(800, 600);
    EXPECT_DOUBLE_EQ(v.scale(), 0.3);
}

TEST(CanvasViewZoom, ZoomKeepsTheWorldPointUnderTheCursor) {
    CanvasView v;
    v.setView(0.7, 33, -12);
    const Point before = v.screenToWorld(250, 410);
    v.zoomAbout(1.15, 250, 410);
    EXPECT_DOUBLE_EQ(v.scale(), 0.7 * 1.15);
    const Point after = v.screenToWorld(250, 410);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);

    // Even when the clamp limits the step.
    v.setView(19, 5, 5);
    const Point anchor = v.screenToWorld(100, 100);
    v.zoomAbout(1.25, 100, 100);
    EXPECT_DOUBLE_EQ(v.scale(), 20.0);
    EXPECT_NEAR(v.screenToWorld(100, 100).x, anchor.x, 1e-9);
}

TEST(CanvasViewZoom, MenuZoomIsAboutTheIntegerClientCentre) {
    CanvasView v;
    v.setView(1, 0, 0);
    v.zoomIn(801, 601); // centre (400, 300)
    EXPECT_DOUBLE_EQ(v.scale(), 1.25);
    EXPECT_DOUBLE_EQ(v.panX(), 400 - 400 * 1.25);
    EXPECT_DOUBLE_EQ(v.panY(), 300 - 300 * 1.25);
    v.zoomOut(801, 601);
    EXPECT_DOUBLE_EQ(v.scale(), 1.0);
    EXPECT_NEAR(v.panX(), 0, 1e-9);
}

TEST(CanvasViewZoom, ScreenToWorldInvertsTheTransform) {
    CanvasView v; // 0.4, (60, 60)
    const Point w = v.screenToWorld(160, 20);
    EXPECT_DOUBLE_EQ(w.x, 250);
    EXPECT_DOUBLE_EQ(w.y, -100);
}

TEST(CanvasViewFit, EmptyLayoutsGetTheDefaultView) {
    CanvasView v;
    v.setView(5, 1, 2);
    Layout layout;
    v.zoomToFit(layout, 1000, 800, catalog());
    expectView(v, 0.4, 60, 60);

    // Labels, measurements, short outlines and a two-point baseboard frame nothing.
    layout.labels.push_back(LayoutLabel{});
    layout.measurements.push_back(Measurement{});
    layout.baseboard = {{0, 0}, {500, 500}};
    Level deck = level(1, 0);
    deck.outline = {{0, 0}, {900, 0}};
    layout.levels.push_back(deck);
    v.setView(5, 1, 2);
    v.zoomToFit(layout, 1000, 800, catalog());
    expectView(v, 0.4, 60, 60);
}

TEST(CanvasViewFit, ShapeWithoutVerticesDoesNotThrowTheViewAway) {
    CanvasView v;
    Layout layout;
    layout.shapes.push_back(PolygonShape{});
    v.zoomToFit(layout, 1000, 800, catalog());
    expectView(v, 0.4, 60, 60);
}

TEST(CanvasViewFit, OneStraightCentredWithAtLeastOneMillimetre) {
    CanvasView v;
    Layout layout;
    piece(layout, "S", 0, 0); // 100 mm along x: the box is 100 x 1
    v.zoomToFit(layout, 1160, 1160, catalog());
    expectView(v, 10, 80, 80 + (1000 - 10) / 2.0);

    Layout upright;
    piece(upright, "S", 0, 0, 90); // along y: the box is 1 x 100
    v.zoomToFit(upright, 1160, 1160, catalog());
    EXPECT_DOUBLE_EQ(v.scale(), 10);
    EXPECT_NEAR(v.panX(), 80 + (1000 - 10) / 2.0, 1e-6);
}

TEST(CanvasViewFit, ScaleIsClampedTo005And20) {
    CanvasView v;
    Layout huge;
    piece(huge, "S", 0, 0);
    piece(huge, "S", 1e6, 1e6);
    v.zoomToFit(huge, 1160, 1160, catalog());
    EXPECT_DOUBLE_EQ(v.scale(), 0.05); // below the wheel's 0.3

    Layout tiny;
    PolygonShape dot;
    dot.vertices = {{10, 10}, {10.5, 10}, {10, 10.5}};
    tiny.shapes.push_back(dot);
    v.zoomToFit(tiny, 1160, 1160, catalog());
    EXPECT_DOUBLE_EQ(v.scale(), 20);
    // Centred: the 1 mm box's middle lands in the middle of the client area.
    EXPECT_DOUBLE_EQ(v.panX(), 80 - 20 * 10 + (1000 - 20) / 2.0);
}

TEST(CanvasViewFit, EveryKindOfObjectWidensTheBox) {
    struct Case {
        const char* name;
        void (*add)(Layout&);
        double minX, maxX;
    };
    const Case cases[] = {
        {"scenery_position",
         [](Layout& l) {
             SceneryItem s;
             s.x = -400;
             l.scenery.push_back(s);
         },
         -400, 100},
        {"deck_outline",
         [](Layout& l) {
             Level d = level(1, 0);
             d.outline = {{-300, 0}, {0, 10}, {0, 0}};
             l.levels.push_back(d);
         },
         -300, 100},
        {"baseboard",
         [](Layout& l) {
             l.baseboard = {{0, 0}, {900, 0}, {900, 10}};
         },
         0, 900},
        {"shape_vertex",
         [](Layout& l) {
             PolygonShape s;
             s.vertices = {{-50, 0}, {0, 0}, {0, 5}};
             l.shapes.push_back(s);
         },
         -50, 100},
        {"unknown_helix_500",
         [](Layout& l) {
             Helix h;
             h.cx = 1000;
             h.variant = "nope";
             l.helices.push_back(h);
         },
         0, 1500},
        {"known_helix_outer_radius",
         [](Layout& l) {
             Helix h;
             h.cx = 1000;
             h.variant = defaultHelixVariantId();
             l.helices.push_back(h);
         },
         0, 1000 + findHelixVariant(defaultHelixVariantId())->r2},
        {"unknown_part_counts_its_origin", [](Layout& l) { piece(l, "no-such-part", -70, 0); }, -70,
         100},
    };
    for (const Case& c : cases) {
        Layout layout;
        piece(layout, "S", 0, 0);
        c.add(layout);
        const Bounds box = layoutExtent(layout, catalog());
        EXPECT_DOUBLE_EQ(box.minX, c.minX) << c.name;
        EXPECT_DOUBLE_EQ(box.maxX, c.maxX) << c.name;
    }
}

TEST(CanvasViewPan, PanFollowsTheMouseFromTheStart) {
    CanvasView v;
    v.setView(2, 10, 20);
    v.beginPan(PanSource::MiddleButton, 100, 100);
    EXPECT_TRUE(v.panning());
    v.panTo(130, 90);
    EXPECT_DOUBLE_EQ(v.panX(), 40);
    EXPECT_DOUBLE_EQ(v.panY(), 10);
    v.panTo(100, 100);
    EXPECT_DOUBLE_EQ(v.panX(), 10);
    v.endPan();
    EXPECT_FALSE(v.panning());
    v.panTo(500, 500); // no longer panning
    EXPECT_DOUBLE_EQ(v.panX(), 10);
    EXPECT_DOUBLE_EQ(v.scale(), 2);
}

} // namespace
