#include "canvas/CanvasController.h"
#include "CanvasTestCatalog.h"
#include "EditingTestSupport.h"
#include "document/Document.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::canvastest;

namespace {

WheelAction wheelAt(const Layout& layout, ScreenPoint mouse, double scale = 1.0,
                    bool ctrl = false) {
    return decideWheel(layout, ViewTransform{scale, 0, 0}, mouse, 120, ctrl, catalog(),
                       SceneryCatalog::instance())
        .action;
}

TEST(WheelDecision, SelectionBoxPlus30PixelsRotatesOutsideZooms) {
    Layout layout;
    addPiece(layout, "S", 0, 0);
    layout.pieces[0].selected = true; // box (0, 0)-(100, 0), plus 30 px
    const struct {
        const char* name;
        ScreenPoint mouse;
        double scale;
        bool ctrl;
        WheelAction action;
    } cases[] = {
        {"right_margin_edge", {130, 0}, 1, false, WheelAction::RotateSelection},
        {"past_right_margin", {131, 0}, 1, false, WheelAction::Zoom},
        {"left_margin_corner", {-30, -30}, 1, false, WheelAction::RotateSelection},
        {"ctrl_inside_zooms", {50, 0}, 1, true, WheelAction::Zoom},
        {"pixels_at_scale_2_edge", {230, 0}, 2, false, WheelAction::RotateSelection},
        {"pixels_at_scale_2_past", {232, 0}, 2, false, WheelAction::Zoom},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wheelAt(layout, c.mouse, c.scale, c.ctrl), c.action) << c.name;
    layout.pieces[0].selected = false;
    EXPECT_EQ(wheelAt(layout, {50, 0}), WheelAction::Zoom);
}

TEST(CoordinateText, AllThreeUnits) {
    Layout layout;
    const ViewTransform view{0.4, 60, 60}; // screen (161.6, 110.8) is world (254, 127)
    const struct {
        Units units;
        ScreenPoint mouse;
        const char* text;
    } cases[] = {
        {Units::Centimetres, {162, 111}, "25.5 cm,  12.8 cm"},
        {Units::Inches, {162, 111}, "10.04 in,  5.02 in"},
        {Units::Millimetres, {0, 0}, "-150 mm,  -150 mm"},
    };
    for (const auto& c : cases) {
        layout.units = c.units;
        EXPECT_EQ(coordinateText(layout, view, c.mouse), c.text) << unitShortName(c.units);
    }
}

TEST(CanvasGestures, EscapeClearsEverySelectionOtherKeysPassOn) {
    Document doc;
    Layout& l = doc.layout;
    addPiece(l, "S", 0, 0);
    l.pieces[0].selected = true;
    l.scenery.push_back(SceneryItem{});
    l.scenery[0].selected = true;
    l.measurements.push_back(Measurement{});
    l.measurements[0].selected = true;
    ScriptedPrompter prompter;
    CanvasController canvas(doc, prompter);
    EXPECT_TRUE(canvas.keyDown(CanvasKey::Other, MouseInput{}).skip);
    EXPECT_TRUE(l.pieces[0].selected);
    EXPECT_TRUE(canvas.keyDown(CanvasKey::Escape, MouseInput{}).change.has(Change::Selection));
    EXPECT_FALSE(l.pieces[0].selected || l.scenery[0].selected || l.measurements[0].selected);
}

} // namespace
