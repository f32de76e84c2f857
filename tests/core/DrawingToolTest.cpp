// The measuring tape, the outline tool and the annotation drags, replayed through the canvas
// controller with the world origin at screen (0, 0).
#include "CanvasHarness.h"

#include "core/editing/LayoutShape.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

using namespace plandor;
using namespace plandor::testing;

namespace {

using Canvas = CanvasHarness;

TEST(MeasureTool, SecondClickKeepsOneMillimetreOrMoreAndEndsTheTool) {
    for (const auto& [dx, kept] : {std::pair<int, bool>{10, true}, {9, false}}) {
        SCOPED_TRACE(dx); // pixels at 10 px per mm
        Canvas canvas(10.0);
        canvas.controller.setToolMode(ToolMode::Measure);
        canvas.click(100, 100);
        EXPECT_EQ(toolEnded(canvas.click(100 + dx, 100)), ToolMode::Measure);
        EXPECT_EQ(canvas.layout.measurements.size(), kept ? 1u : 0u);
        EXPECT_EQ(canvas.doc.undoDepth(), kept ? 1u : 0u);
    }
}

TEST(AnnotationDrag, MeasurementAndShapeDragsAreOneUndoStepEachAClickIsNone) {
    Canvas canvas;
    addMeasurement(canvas.layout, Point{0, 0}, Point{100, 0});
    const int32_t shape = addPolygonShape(
        canvas.layout, {Point{300, 300}, Point{400, 300}, Point{400, 400}, Point{300, 400}});

    canvas.click(20, 3); // near the segment
    EXPECT_EQ(canvas.doc.undoDepth(), 0u);
    canvas.dragFromTo(20, 3, 50, 13);
    const Measurement& m = canvas.layout.measurements[0];
    EXPECT_EQ((std::array<double, 4>{m.x1, m.y1, m.x2, m.y2}),
              (std::array<double, 4>{30, 10, 130, 10}));
    EXPECT_EQ(canvas.doc.undoDepth(), 1u);

    canvas.dragFromTo(350, 350, 360, 340); // inside the square
    EXPECT_EQ(canvas.layout.findShape(shape)->vertices[0], (Point{310, 290}));
    EXPECT_EQ(canvas.doc.undoDepth(), 2u);
    canvas.doc.undo();
    EXPECT_EQ(canvas.layout.findShape(shape)->vertices[0], (Point{300, 300}));
}

TEST(AnnotationDrag, LabelKeepsTheClickOffsetMarksModifiedWithoutUndo) {
    Canvas canvas;
    addLabel(canvas.layout, "", 100, 100);
    const int32_t pieceSelected = addPiece(canvas.layout, "24188", 500, 500).id;
    canvas.layout.findPiece(pieceSelected)->selected = true;

    const CanvasReply reply = canvas.dragFromTo(150, 110, 250, 160);
    EXPECT_EQ((Point{canvas.layout.labels[0].x, canvas.layout.labels[0].y}), (Point{200, 150}));
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
        EXPECT_EQ(toolEnded(reply), c.closes ? ToolMode::Polygon : ToolMode::None);
        if (c.closes) {
            EXPECT_EQ(canvas.layout.shapes[0].vertices.size(), 3u);
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
    canvas.click(100, 100);
    canvas.key(CanvasKey::Backspace);
    canvas.key(CanvasKey::Backspace);
    canvas.click(50, 50);
    canvas.click(0, 100);
    EXPECT_EQ(canvas.controller.overlays().tool.vertices,
              (std::vector<Point>{{0, 0}, {50, 50}, {0, 100}}));
    EXPECT_EQ(toolEnded(canvas.key(CanvasKey::Enter)), ToolMode::Polygon);
    EXPECT_EQ(canvas.layout.shapes.size(), 1u);

    canvas.controller.setToolMode(ToolMode::Polygon);
    canvas.click(0, 0);
    EXPECT_EQ(toolEnded(canvas.key(CanvasKey::Escape)), ToolMode::Polygon);
    EXPECT_EQ(canvas.layout.shapes.size(), 1u);
    // With the tool off, Escape and Enter are the canvas's own again.
    EXPECT_EQ(toolEnded(canvas.key(CanvasKey::Escape)), ToolMode::None);
}

TEST(OutlineTool, BaseboardBecomesFreeFormAsOneUndoStep) {
    Canvas canvas;
    canvas.controller.setToolMode(ToolMode::Baseboard);
    for (ScreenPoint p : {ScreenPoint{0, 0}, {300, 0}, {300, 200}})
        canvas.click(p.x, p.y);
    const CanvasReply reply = canvas.key(CanvasKey::Enter);
    EXPECT_EQ(toolEnded(reply), ToolMode::Baseboard);
    EXPECT_EQ(canvas.layout.baseboard.size(), 3u);
    EXPECT_EQ(canvas.layout.lastShapeType, ShapeFreeForm);
    EXPECT_TRUE(canvas.doc.modified);
    EXPECT_EQ(canvas.doc.undoDepth(), 1u);
    canvas.doc.undo();
    EXPECT_TRUE(canvas.layout.baseboard.empty());
    EXPECT_EQ(canvas.layout.lastShapeType, ShapeRectangle);
    canvas.doc.redo();
    EXPECT_EQ(canvas.layout.baseboard.size(), 3u);
}

TEST(ShapeProperties, OkIsOneUndoStepOnlyWhenSomethingChanged) {
    Canvas canvas;
    const int32_t id = addPolygonShape(canvas.layout, {{0, 0}, {100, 0}, {0, 100}});
    ShapeProperties p = shapeProperties(*canvas.layout.findShape(id), Units::Millimetres);
    EXPECT_FALSE(canvas.controller.applyShapeProperties(id, p).change.any());
    p.name = "Lake";
    EXPECT_TRUE(canvas.controller.applyShapeProperties(id, p).change.has(Change::Annotations));
    EXPECT_EQ(canvas.doc.undoDepth(), 1u);
    EXPECT_FALSE(canvas.controller.applyShapeProperties(id + 1, p).change.any());
}

// A double-click or the context menu on a label asks for its text: a new text is one undo
// step, while Cancel, the same text and a blank text (refused with a message) change nothing.
TEST(LabelText, DoubleClickOrMenuAsksForTheTextAndOkIsOneUndoStep) {
    Canvas canvas;
    const int32_t id = addLabel(canvas.layout, "Station", 100, 100).id;
    addPiece(canvas.layout, "24188", 90, 105); // under the label, which lies on top
    canvas.press(110, 105);
    const CanvasReply twice = canvas.controller.leftDoubleClick(mouseAt(110, 105));
    ASSERT_TRUE(twice.asks<request::EditLabel>());
    EXPECT_EQ(twice.asks<request::EditLabel>()->label, id);
    EXPECT_EQ(twice.mouse, MouseCapture::Release) << "the press's drag ends before the dialog";
    EXPECT_EQ(canvas.layout.pieces.size(), 1u) << "the piece under the label is not cloned";

    const struct {
        const char* name;
        std::optional<std::string> answer; // nothing: Cancel
        const char* textAfter;
        bool refused;
    } cases[] = {
        {"cancel", std::nullopt, "Station", false},
        {"same text", std::string("Station  "), "Station", false},
        {"blank", std::string("  "), "Station", true},
        {"new text", std::string("Station <North> & yard "), "Station <North> & yard", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t steps = canvas.doc.undoDepth();
        canvas.prompter.texts.push_back(c.answer);
        canvas.prompter.messages.clear();
        const CanvasReply reply = canvas.controller.editLabelText(id);
        EXPECT_EQ(canvas.layout.findLabel(id)->text, c.textAfter);
        const bool changed = std::string(c.textAfter) != "Station";
        EXPECT_EQ(canvas.doc.undoDepth(), steps + (changed ? 1 : 0));
        EXPECT_EQ(reply.change.has(Change::Annotations), changed);
        ASSERT_EQ(canvas.prompter.messages.size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_EQ(canvas.prompter.messages[0].text, kEmptyLabelRefused);
        }
    }
    EXPECT_EQ(canvas.prompter.textPrompts.front(), "Station") << "the current text is offered";
    canvas.doc.undo();
    EXPECT_EQ(canvas.layout.findLabel(id)->text, "Station");

    const request::ShowMenu menu = menuOf(canvas.controller.rightDown(mouseAt(110, 105)));
    ASSERT_EQ(menu.ids.size(), 1u);
    EXPECT_EQ(menu.ids[0], CmdEditLabel);
    EXPECT_EQ(menu.label, id);
    EXPECT_TRUE(canvas.layout.findLabel(id)->selected);
    EXPECT_FALSE(canvas.layout.pieces[0].selected) << "the label's menu leaves the track alone";
}

} // namespace
