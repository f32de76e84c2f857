#pragma once
// A canvas controller over an empty document, at the given scale with the world origin at
// screen (0, 0), and the mouse and key gestures the canvas tests replay through it.

#include "EditingTestSupport.h"
#include "core/canvas/CanvasController.h"

namespace plandor::testing {

inline MouseInput mouseAt(int x, int y, bool leftDown = false, bool shift = false) {
    MouseInput in;
    in.x = x;
    in.y = y;
    in.leftDown = leftDown;
    in.shift = shift;
    return in;
}

// The tool a reply reports ended, None for none.
inline ToolMode toolEnded(const CanvasReply& reply) {
    const auto* ended = reply.asks<request::ToolEnded>();
    return ended ? ended->mode : ToolMode::None;
}
// The context menu a reply asks for, empty for none.
inline request::ShowMenu menuOf(const CanvasReply& reply) {
    const auto* menu = reply.asks<request::ShowMenu>();
    return menu ? *menu : request::ShowMenu{};
}

struct CanvasHarness {
    Document doc;
    ScriptedPrompter prompter;
    CanvasController controller{doc, prompter};
    Layout& layout = doc.layout;

    explicit CanvasHarness(double scale = 1.0) {
        layout = emptyLayout();
        controller.view().setView(scale, 0, 0);
    }
    CanvasReply press(int x, int y, bool ctrl = false, bool shift = false, bool alt = false) {
        MouseInput in = mouseAt(x, y, true, shift);
        in.ctrl = ctrl;
        in.alt = alt;
        return controller.leftDown(in);
    }
    CanvasReply drag(int x, int y) { return controller.motion(mouseAt(x, y, true)); }
    CanvasReply release(int x, int y) { return controller.leftUp(mouseAt(x, y)); }
    // Press and release on one spot; the reply carries both changes.
    CanvasReply click(int x, int y, bool ctrl = false, bool shift = false) {
        CanvasReply reply = press(x, y, ctrl, shift);
        reply.change |= release(x, y).change;
        return reply;
    }
    CanvasReply dragFromTo(int x0, int y0, int x1, int y1) {
        press(x0, y0);
        drag((x0 + x1) / 2, (y0 + y1) / 2);
        drag(x1, y1);
        return release(x1, y1);
    }
    CanvasReply key(CanvasKey k) { return controller.keyDown(k, MouseInput{}); }
    bool selected(int32_t id) { return layout.findPiece(id)->selected; }
};

} // namespace plandor::testing
