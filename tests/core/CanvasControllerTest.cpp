#include "core/canvas/CanvasController.h"
#include "CanvasTestCatalog.h"
#include "EditingTestSupport.h"
#include "core/document/Document.h"

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

} // namespace
