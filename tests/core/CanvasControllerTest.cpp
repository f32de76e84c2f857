#include "editing/CanvasController.h"
#include "CanvasTestCatalog.h"
#include "EditingTestSupport.h"
#include "shell/Document.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;
using namespace plandor::canvastest;

namespace {

const ViewTransform kIdentity{1.0, 0, 0};

WheelDecision wheelAt(const Layout& layout, const ViewTransform& view, ScreenPoint mouse,
                      int rotation = 120, bool ctrl = false) {
    return decideWheel(layout, view, mouse, rotation, ctrl, catalog(), SceneryCatalog::instance());
}

struct WheelCase {
    const char* name;
    ScreenPoint mouse;
    bool ctrl;
    WheelAction action;
};

TEST(WheelDecision, SelectedStraightBoxPlus30Pixels) {
    Layout layout;
    piece(layout, "S", 0, 0);
    layout.pieces[0].selected = true; // box (0, 0)-(100, 0), plus 30 px
    const WheelCase cases[] = {
        {"inside", {50, 0}, false, WheelAction::RotateSelection},
        {"right_margin_edge", {130, 0}, false, WheelAction::RotateSelection},
        {"past_right_margin", {131, 0}, false, WheelAction::Zoom},
        {"bottom_margin_edge", {50, 30}, false, WheelAction::RotateSelection},
        {"past_bottom_margin", {50, 31}, false, WheelAction::Zoom},
        {"left_margin_edge", {-30, -30}, false, WheelAction::RotateSelection},
        {"ctrl_inside_zooms", {50, 0}, true, WheelAction::Zoom},
    };
    for (const WheelCase& c : cases)
        EXPECT_EQ(wheelAt(layout, kIdentity, c.mouse, 120, c.ctrl).action, c.action) << c.name;
    EXPECT_DOUBLE_EQ(wheelAt(layout, kIdentity, {50, 0}).pivot.x, 50);
}

TEST(WheelDecision, MarginIsPixelsAtAnyScale) {
    Layout layout;
    piece(layout, "S", 0, 0);
    layout.pieces[0].selected = true;
    const ViewTransform zoomed{2.0, 0, 0}; // 30 px = 15 mm
    EXPECT_EQ(wheelAt(layout, zoomed, {230, 0}).action, WheelAction::RotateSelection);
    EXPECT_EQ(wheelAt(layout, zoomed, {232, 0}).action, WheelAction::Zoom);
}

TEST(WheelDecision, NothingSelectedZoomsInOrOutAboutTheMouse) {
    Layout layout;
    piece(layout, "S", 0, 0); // not selected
    const WheelDecision in = wheelAt(layout, kIdentity, {50, 0}, 120);
    EXPECT_EQ(in.action, WheelAction::Zoom);
    EXPECT_DOUBLE_EQ(in.zoomFactor, 1.15);
    const WheelDecision out = wheelAt(layout, kIdentity, {50, 0}, -120);
    EXPECT_DOUBLE_EQ(out.zoomFactor, 1 / 1.15);
    EXPECT_DOUBLE_EQ(wheelAt(layout, kIdentity, {50, 0}, 0).zoomFactor, 1 / 1.15);
}

TEST(WheelDecision, CurveBulgeAndSceneryExtentsWidenTheBox) {
    Layout layout;
    piece(layout, "C", 0, 0); // R360 30 deg: bulge at (length / 2, -12.27)
    layout.pieces[0].selected = true;
    const double s = 360 * (1 - std::cos(15 * 3.141592653589793 / 180));
    const int edge = static_cast<int>(-s - 30); // -42
    EXPECT_EQ(wheelAt(layout, kIdentity, {94, edge}).action, WheelAction::RotateSelection);
    EXPECT_EQ(wheelAt(layout, kIdentity, {94, edge - 1}).action, WheelAction::Zoom);

    Layout scenery;
    SceneryItem platform;
    platform.item = "platform"; // 230 x 60, axis aligned whatever its heading
    platform.x = 500;
    platform.y = 500;
    platform.heading = 90;
    platform.selected = true;
    scenery.scenery.push_back(platform);
    EXPECT_EQ(wheelAt(scenery, kIdentity, {645, 500}).action, WheelAction::RotateSelection);
    EXPECT_EQ(wheelAt(scenery, kIdentity, {646, 500}).action, WheelAction::Zoom);
    EXPECT_EQ(wheelAt(scenery, kIdentity, {500, 560}).action, WheelAction::RotateSelection);
    EXPECT_EQ(wheelAt(scenery, kIdentity, {500, 561}).action, WheelAction::Zoom);
    const WheelDecision d = wheelAt(scenery, kIdentity, {500, 500});
    EXPECT_DOUBLE_EQ(d.pivot.x, 500);
    EXPECT_DOUBLE_EQ(d.pivot.y, 500);
}

TEST(CoordinateText, AllThreeUnits) {
    Layout layout;
    const ViewTransform view{0.4, 60, 60}; // screen (161.6, 110.8) is world (254, 127)
    struct Case {
        uint32_t units;
        ScreenPoint mouse;
        const char* text;
    } cases[] = {
        {0, {162, 111}, "255 mm,  128 mm"}, {1, {162, 111}, "25.5 cm,  12.8 cm"},
        {2, {60, 60}, "0.00 in,  0.00 in"}, {2, {162, 111}, "10.04 in,  5.02 in"},
        {0, {0, 0}, "-150 mm,  -150 mm"},
    };
    for (const Case& c : cases) {
        layout.units = c.units;
        EXPECT_EQ(coordinateText(layout, view, c.mouse), c.text) << c.units;
    }
}

MouseInput at(int x, int y) {
    MouseInput in;
    in.x = x;
    in.y = y;
    return in;
}

TEST(CanvasGestures, MiddleButtonPansWithHandCursorAndCapture) {
    Document doc;
    plandor::testing::ScriptedPrompter prompter;
    CanvasController canvas(doc, prompter);
    const CanvasReply down = canvas.middleDown(at(100, 100));
    EXPECT_TRUE(down.captureMouse);
    EXPECT_TRUE(down.setCursor);
    EXPECT_EQ(down.cursor, CanvasCursor::Hand);

    const CanvasReply move = canvas.motion(at(150, 80));
    EXPECT_TRUE(move.repaint);
    EXPECT_DOUBLE_EQ(canvas.view().panX(), 110);
    EXPECT_DOUBLE_EQ(canvas.view().panY(), 40);

    EXPECT_FALSE(canvas.leftUp(at(150, 80)).releaseMouse); // not this gesture's button
    const CanvasReply up = canvas.middleUp(at(150, 80));
    EXPECT_TRUE(up.releaseMouse);
    EXPECT_EQ(up.cursor, CanvasCursor::Normal);
    canvas.motion(at(300, 300));
    EXPECT_DOUBLE_EQ(canvas.view().panX(), 110);
}

TEST(CanvasGestures, SpaceWithLeftButtonPansFromTheFirstMotion) {
    Document doc;
    plandor::testing::ScriptedPrompter prompter;
    CanvasController canvas(doc, prompter);
    MouseInput in = at(200, 200);
    in.leftDown = true;
    canvas.motion(in); // left held without space: no pan
    EXPECT_FALSE(canvas.view().panning());

    in.space = true;
    const CanvasReply start = canvas.motion(in);
    EXPECT_EQ(start.cursor, CanvasCursor::Hand);
    EXPECT_DOUBLE_EQ(canvas.view().panX(), 60); // the first motion only records

    in.x = 260;
    in.space = false; // the pan goes on once started, until the button is released
    canvas.motion(in);
    EXPECT_DOUBLE_EQ(canvas.view().panX(), 120);
    EXPECT_FALSE(canvas.middleUp(in).releaseMouse);
    const CanvasReply up = canvas.leftUp(in);
    EXPECT_EQ(up.cursor, CanvasCursor::Normal);
    EXPECT_FALSE(canvas.view().panning());
}

TEST(CanvasGestures, LostCaptureEndsThePan) {
    Document doc;
    plandor::testing::ScriptedPrompter prompter;
    CanvasController canvas(doc, prompter);
    canvas.middleDown(at(0, 0));
    const CanvasReply lost = canvas.captureLost();
    EXPECT_FALSE(canvas.view().panning());
    EXPECT_FALSE(lost.releaseMouse);
    EXPECT_EQ(lost.cursor, CanvasCursor::Normal);
}

TEST(CanvasGestures, MotionReportsCoordinatesInField2) {
    Document doc;
    doc.layout.units = 1;
    plandor::testing::ScriptedPrompter prompter;
    CanvasController canvas(doc, prompter);
    const CanvasReply r = canvas.motion(at(160, 60)); // world (250, 0)
    ASSERT_EQ(r.status.size(), 1u);
    EXPECT_EQ(r.status[0].first, 2);
    EXPECT_EQ(r.status[0].second, "25.0 cm,  0.0 cm");
}

TEST(CanvasGestures, WheelZoomsAboutTheMouse) {
    Document doc;
    plandor::testing::ScriptedPrompter prompter;
    CanvasController canvas(doc, prompter);
    const Point before = canvas.view().screenToWorld(300, 200);
    EXPECT_TRUE(canvas.wheel(at(300, 200), 120).repaint);
    EXPECT_DOUBLE_EQ(canvas.view().scale(), 0.4 * 1.15);
    EXPECT_NEAR(canvas.view().screenToWorld(300, 200).x, before.x, 1e-9);
    canvas.wheel(at(300, 200), -120);
    EXPECT_NEAR(canvas.view().scale(), 0.4, 1e-12);
}

TEST(CanvasGestures, EscapeClearsEverySelectionOtherKeysPassOn) {
    Document doc;
    Layout& l = doc.layout;
    piece(l, "S", 0, 0);
    l.pieces[0].selected = true;
    l.scenery.push_back(SceneryItem{});
    l.scenery[0].selected = true;
    l.labels.push_back(LayoutLabel{});
    l.labels[0].selected = true;
    l.measurements.push_back(Measurement{});
    l.measurements[0].selected = true;
    l.shapes.push_back(PolygonShape{});
    l.shapes[0].selected = true;
    plandor::testing::ScriptedPrompter prompter;
    CanvasController canvas(doc, prompter);

    const CanvasReply other = canvas.keyDown(CanvasKey::Other, MouseInput{});
    EXPECT_TRUE(other.skip);
    EXPECT_TRUE(l.pieces[0].selected);

    const CanvasReply esc = canvas.keyDown(CanvasKey::Escape, MouseInput{});
    EXPECT_TRUE(esc.selectionChanged);
    EXPECT_TRUE(esc.repaint);
    EXPECT_FALSE(l.pieces[0].selected);
    EXPECT_FALSE(l.scenery[0].selected);
    EXPECT_FALSE(l.labels[0].selected);
    EXPECT_FALSE(l.measurements[0].selected);
    EXPECT_FALSE(l.shapes[0].selected);
}

TEST(CanvasGestures, ViewCommandsUseTheClientSize) {
    Document doc;
    piece(doc.layout, "24188", 0, 0);
    plandor::testing::ScriptedPrompter prompter;
    CanvasController canvas(doc, prompter);
    canvas.resize(801, 601);
    canvas.view().setView(1, 0, 0);
    canvas.zoomIn();
    EXPECT_DOUBLE_EQ(canvas.view().panX(), 400 - 400 * 1.25);
    canvas.zoomToFit();
    EXPECT_GT(canvas.view().scale(), 1.0); // 188 mm fitted into 641 pixels
}

} // namespace
