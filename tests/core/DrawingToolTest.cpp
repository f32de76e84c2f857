// The measuring tape, the outline tool and the annotation drags, replayed through the canvas
// controller with the world origin at screen (0, 0).
#include "CanvasHarness.h"
#include "RecordingPainter.h"

#include "canvas/CanvasOverlayDrawing.h"
#include "editing/LayoutShape.h"

#include <gtest/gtest.h>

#include <array>

using namespace plandor;
using namespace plandor::testing;

namespace {

using Canvas = CanvasHarness;

TEST(MeasureTool, SecondClickKeepsOneMillimetreOrMoreAndEndsTheTool) {
    const struct {
        const char* name;
        int dx; // pixels at 10 px per mm
        bool kept;
    } cases[] = {{"1.0 mm", 10, true}, {"0.9 mm", 9, false}, {"same point", 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(10.0);
        canvas.controller.setToolMode(ToolMode::Measure);
        canvas.click(100, 100);
        const CanvasReply second = canvas.click(100 + c.dx, 100);
        EXPECT_EQ(second.toolEnded, ToolMode::Measure);
        EXPECT_EQ(canvas.controller.toolMode(), ToolMode::None);
        ASSERT_EQ(canvas.layout.measurements.size(), c.kept ? 1u : 0u);
        EXPECT_EQ(canvas.doc.undoDepth(), c.kept ? 1u : 0u);
        EXPECT_EQ(canvas.doc.modified, c.kept);
        if (c.kept) {
            const Measurement& m = canvas.layout.measurements[0];
            EXPECT_DOUBLE_EQ(m.x2 - m.x1, 1.0);
            EXPECT_EQ(m.dx, 0.0);
            EXPECT_FALSE(m.selected);
        }
    }
}

TEST(MeasureTool, EscapeEndsWithoutARecordAndTheNextClickIsNotATool) {
    Canvas canvas;
    canvas.controller.setToolMode(ToolMode::Measure);
    canvas.click(10, 10);
    canvas.controller.motion(mouseAt(200, 10, false));
    EXPECT_TRUE(canvas.controller.overlays().tool.measuring);
    EXPECT_EQ(canvas.key(CanvasKey::Escape).toolEnded, ToolMode::Measure);
    EXPECT_FALSE(canvas.controller.overlays().tool.measuring);
    canvas.click(200, 10);
    EXPECT_TRUE(canvas.layout.measurements.empty());
    EXPECT_FALSE(canvas.doc.modified);
}

TEST(AnnotationDrag, MeasurementAndShapeDragsAreOneUndoStepEachAClickIsNone) {
    Canvas canvas;
    addMeasurement(canvas.layout, Point{0, 0}, Point{100, 0});
    const int32_t shape = addPolygonShape(
        canvas.layout, {Point{300, 300}, Point{400, 300}, Point{400, 400}, Point{300, 400}});

    canvas.click(20, 3); // near the segment
    EXPECT_TRUE(canvas.layout.measurements[0].selected);
    EXPECT_EQ(canvas.doc.undoDepth(), 0u);

    canvas.dragFromTo(20, 3, 50, 13);
    const Measurement& m = canvas.layout.measurements[0];
    EXPECT_EQ((std::array<double, 4>{m.x1, m.y1, m.x2, m.y2}),
              (std::array<double, 4>{30, 10, 130, 10}));
    EXPECT_EQ(canvas.doc.undoDepth(), 1u);

    canvas.dragFromTo(350, 350, 360, 340); // inside the square
    EXPECT_TRUE(canvas.layout.findShape(shape)->selected);
    EXPECT_FALSE(canvas.layout.measurements[0].selected);
    EXPECT_EQ(canvas.layout.findShape(shape)->vertices[0], (Point{310, 290}));
    EXPECT_EQ(canvas.doc.undoDepth(), 2u);

    canvas.doc.undo();
    EXPECT_EQ(canvas.layout.findShape(shape)->vertices[0], (Point{300, 300}));
    canvas.doc.undo();
    EXPECT_EQ(canvas.layout.measurements[0].x1, 0.0);
}

TEST(AnnotationDrag, LabelKeepsTheClickOffsetMarksModifiedWithoutUndo) {
    Canvas canvas;
    LayoutLabel label;
    label.id = canvas.layout.takeId();
    label.x = 100;
    label.y = 100;
    canvas.layout.labels.push_back(label);
    const int32_t pieceSelected = addPiece(canvas.layout, "24188", 500, 500).id;
    canvas.layout.findPiece(pieceSelected)->selected = true;

    const CanvasReply reply = canvas.dragFromTo(150, 110, 250, 160);
    EXPECT_EQ(canvas.layout.labels[0].x, 200.0);
    EXPECT_EQ(canvas.layout.labels[0].y, 150.0);
    EXPECT_TRUE(canvas.layout.labels[0].selected);
    EXPECT_TRUE(canvas.layout.findPiece(pieceSelected)->selected); // only labels deselect
    EXPECT_TRUE(reply.change.has(Change::Annotations));
    EXPECT_TRUE(canvas.doc.modified);
    EXPECT_EQ(canvas.doc.undoDepth(), 0u);
}

TEST(OutlineTool, ClickOnTheFirstVertexClosesOnlyFromThreeVerticesWithinTenPixels) {
    // At 2 px per mm the 10-pixel radius is 5 mm.
    const struct {
        const char* name;
        std::vector<ScreenPoint> before;
        ScreenPoint last;
        bool closes;
    } cases[] = {
        {"two vertices: a third is added", {{0, 0}, {200, 0}}, {0, 0}, false},
        {"three, on the first", {{0, 0}, {200, 0}, {200, 200}}, {0, 0}, true},
        {"three, 10 px away", {{0, 0}, {200, 0}, {200, 200}}, {6, 8}, true},
        {"three, 11 px away", {{0, 0}, {200, 0}, {200, 200}}, {0, 11}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(2.0);
        canvas.controller.setToolMode(ToolMode::Polygon);
        for (ScreenPoint p : c.before)
            canvas.click(p.x, p.y);
        const CanvasReply reply = canvas.click(c.last.x, c.last.y);
        ASSERT_EQ(canvas.layout.shapes.size(), c.closes ? 1u : 0u);
        EXPECT_EQ(reply.toolEnded, c.closes ? ToolMode::Polygon : ToolMode::None);
        if (c.closes) {
            const PolygonShape& s = canvas.layout.shapes[0];
            EXPECT_EQ(s.vertices.size(), 3u);
            EXPECT_EQ((std::array<int, 4>{s.fill.r, s.fill.g, s.fill.b, s.fill.a}),
                      (std::array<int, 4>{120, 170, 110, 140}));
            EXPECT_EQ(canvas.doc.undoDepth(), 1u);
        } else {
            EXPECT_EQ(canvas.controller.overlays().tool.vertices.size(), c.before.size() + 1);
        }
    }
}

TEST(OutlineTool, EnterBackspaceEscape) {
    Canvas canvas;
    canvas.controller.setToolMode(ToolMode::Polygon);
    canvas.click(0, 0);
    canvas.click(100, 0);
    EXPECT_FALSE(canvas.key(CanvasKey::Enter).change.any()); // two vertices: nothing
    EXPECT_EQ(canvas.controller.toolMode(), ToolMode::Polygon);
    canvas.click(100, 100);
    canvas.key(CanvasKey::Backspace);
    canvas.key(CanvasKey::Backspace);
    canvas.click(50, 50);
    canvas.click(0, 100);
    EXPECT_EQ(canvas.controller.overlays().tool.vertices,
              (std::vector<Point>{{0, 0}, {50, 50}, {0, 100}}));
    EXPECT_EQ(canvas.key(CanvasKey::Enter).toolEnded, ToolMode::Polygon);
    ASSERT_EQ(canvas.layout.shapes.size(), 1u);

    canvas.controller.setToolMode(ToolMode::Polygon);
    for (int i = 0; i < 3; ++i)
        canvas.click(i * 40, i * i * 40);
    EXPECT_EQ(canvas.key(CanvasKey::Escape).toolEnded, ToolMode::Polygon);
    EXPECT_EQ(canvas.layout.shapes.size(), 1u);
    EXPECT_EQ(canvas.controller.toolMode(), ToolMode::None);
    // With the tool off, Escape and Enter are the canvas's own again.
    EXPECT_EQ(canvas.key(CanvasKey::Escape).toolEnded, ToolMode::None);
}

TEST(OutlineTool, PolygonLandsOnTheHighestVisibleLevel) {
    const struct {
        const char* name;
        bool visible2, visible3;
        int32_t expected;
    } cases[] = {
        {"highest visible", true, true, 2},
        {"highest hidden: next highest visible", false, true, 3},
        {"only level 1 visible", false, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas;
        canvas.layout.levels[0].height = 0;
        Level two, three;
        two.id = 2, two.height = 100, two.visible = c.visible2;
        three.id = 3, three.height = 50, three.visible = c.visible3;
        canvas.layout.levels.push_back(two);
        canvas.layout.levels.push_back(three);
        canvas.layout.activeLevel = 3;
        canvas.controller.setToolMode(ToolMode::Polygon);
        for (ScreenPoint p : {ScreenPoint{0, 0}, {100, 0}, {100, 100}, {0, 0}})
            canvas.click(p.x, p.y);
        ASSERT_EQ(canvas.layout.shapes.size(), 1u);
        EXPECT_EQ(canvas.layout.shapes[0].level, c.expected);
    }
    Canvas hidden;
    hidden.layout.levels[0].visible = false;
    hidden.layout.activeLevel = 7;
    EXPECT_EQ(addPolygonShape(hidden.layout, {{0, 0}, {1, 0}, {0, 1}}), 1);
    EXPECT_EQ(hidden.layout.shapes[0].level, 7); // none visible: the active level
}

TEST(OutlineTool, BaseboardBecomesFreeFormWithoutAnUndoStepAndClearsTheHint) {
    Canvas canvas;
    canvas.controller.setToolMode(ToolMode::Baseboard);
    for (ScreenPoint p : {ScreenPoint{0, 0}, {300, 0}, {300, 200}})
        canvas.click(p.x, p.y);
    const CanvasReply reply = canvas.key(CanvasKey::Enter);
    EXPECT_EQ(reply.toolEnded, ToolMode::Baseboard);
    EXPECT_EQ(reply.status, (std::vector<std::pair<int, std::string>>{{0, ""}}));
    EXPECT_EQ(canvas.layout.baseboard.size(), 3u);
    EXPECT_EQ(canvas.layout.lastShapeType, ShapeFreeForm);
    EXPECT_TRUE(canvas.layout.shapes.empty());
    EXPECT_TRUE(canvas.doc.modified);
    EXPECT_EQ(canvas.doc.undoDepth(), 0u);
}

TEST(OutlineTool, OverlayShowsTheSegmentLengthAndTheCloseMarker) {
    Canvas canvas;
    canvas.layout.units = Units::Centimetres;
    canvas.controller.setToolMode(ToolMode::Polygon);
    for (ScreenPoint p : {ScreenPoint{100, 100}, {220, 100}, {220, 200}})
        canvas.click(p.x, p.y);
    const auto draw = [&](int x, int y) {
        canvas.controller.motion(mouseAt(x, y, false));
        RecordingPainter painter;
        drawToolOverlay(painter, canvas.controller.overlays().tool,
                        canvas.controller.view().transform());
        std::vector<std::string> texts;
        for (const DrawCall& t : painter.texts())
            texts.push_back(t.text);
        return texts;
    };
    EXPECT_EQ(draw(220, 260), (std::vector<std::string>{"6.0 cm"}));
    EXPECT_EQ(draw(106, 108), (std::vector<std::string>{"Close", "14.6 cm"}));
}

TEST(ShapeProperties, OpacityAndHeightInTheDisplayUnit) {
    PolygonShape shape; // alpha 140
    EXPECT_EQ(shapeProperties(shape, Units::Millimetres).opacityPercent, 55);
    shape.height = 25.4;
    EXPECT_DOUBLE_EQ(shapeProperties(shape, Units::Inches).heightInUnit, 1.0);
    EXPECT_EQ(shapeHeightLabel(Units::Centimetres), "Height (above level deck, cm):");
    EXPECT_EQ(shapeHeightDigits(Units::Inches), 2);

    const struct {
        int opacity;
        double height;
        Units units;
        int alpha;
        double heightMm;
    } cases[] = {
        {55, 12.5, Units::Centimetres, 140, 125}, {100, 0, Units::Millimetres, 255, 0},
        {0, 2, Units::Inches, 0, 50.8},      {150, 9000, Units::Millimetres, 255, 5000}, // beyond the dialog's ranges: clamped
        {-5, -3, Units::Centimetres, 0, 0},
    };
    for (const auto& c : cases) {
        ShapeProperties p = shapeProperties(shape, c.units);
        p.opacityPercent = c.opacity;
        p.heightInUnit = c.height;
        applyShapeProperties(shape, p, c.units);
        EXPECT_EQ(shape.fill.a, c.alpha) << c.opacity;
        EXPECT_NEAR(shape.height, c.heightMm, 1e-9) << c.height;
    }
}

TEST(ShapeProperties, OkIsOneUndoStepOnlyWhenSomethingChanged) {
    Canvas canvas;
    const int32_t id = addPolygonShape(canvas.layout, {{0, 0}, {100, 0}, {0, 100}});
    ShapeProperties p = shapeProperties(*canvas.layout.findShape(id), Units::Millimetres);
    EXPECT_FALSE(canvas.controller.applyShapeProperties(id, p).change.any());
    p.name = "Lake";
    EXPECT_TRUE(canvas.controller.applyShapeProperties(id, p).change.has(Change::Annotations));
    EXPECT_EQ(canvas.layout.findShape(id)->label, "Lake");
    EXPECT_EQ(canvas.doc.undoDepth(), 1u);
    EXPECT_FALSE(canvas.controller.applyShapeProperties(id + 1, p).change.any());
}

} // namespace
