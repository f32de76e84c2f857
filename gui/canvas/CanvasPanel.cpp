#include "canvas/CanvasPanel.h"

#include "canvas/CanvasController.h"
#include "canvas/CanvasOverlayDrawing.h"
#include "canvas/Rulers.h"
#include "render/LayoutRenderer.h"
#include "wxrender/WxPainter.h"
#include "document/Document.h"
#include "ui/ShapePropertiesDialog.h"
#include "ui/WxPrompter.h"

#include <cmath>

#include <wx/accel.h>
#include <wx/bitmap.h>
#include <wx/cursor.h>
#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <cmath>

namespace plandor {

namespace {

// The view and size the kept picture was drawn for; a change of the layout marks it stale.
struct PictureKey {
    ViewTransform view;
    int width = 0;
    int height = 0;

    bool operator==(const PictureKey& o) const {
        return view.scale == o.view.scale && view.panX == o.view.panX && view.panY == o.view.panY &&
               width == o.width && height == o.height;
    }
};

MouseInput mouseInput(const wxMouseEvent& e) {
    MouseInput in;
    in.x = e.GetX();
    in.y = e.GetY();
    in.leftDown = e.LeftIsDown();
    in.ctrl = e.ControlDown();
    in.shift = e.ShiftDown();
    in.alt = e.AltDown();
    // The space bar only matters while the left button is held; asking costs a round trip.
    in.space = in.leftDown && wxGetKeyState(WXK_SPACE);
    return in;
}

// The pixels a screen box touches, edges included.
wxRect screenRect(const Bounds& box) {
    const int x0 = toPixel(std::floor(box.minX)), y0 = toPixel(std::floor(box.minY));
    const int x1 = toPixel(std::ceil(box.maxX)), y1 = toPixel(std::ceil(box.maxY));
    return wxRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

CanvasKey canvasKey(int code) {
    switch (code) {
    case WXK_ESCAPE:
        return CanvasKey::Escape;
    case WXK_DELETE:
        return CanvasKey::Delete;
    case WXK_BACK:
        return CanvasKey::Backspace;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        return CanvasKey::Enter;
    case 'R':
    case 'r':
        return CanvasKey::R;
    default:
        return CanvasKey::Other;
    }
}

} // namespace

struct CanvasPanel::Impl {
    Impl(wxWindow* owner, Document& d, Prompter* p)
        : doc(d), ownPrompter(owner), controller(d, p ? *p : ownPrompter), flashTimer(owner) {}

    Document& doc;
    WxPrompter ownPrompter;
    CanvasController controller;
    LayoutRenderer renderer;
    wxTimer flashTimer;
    std::function<void(int, const std::string&)> statusSink;
    std::function<void(const Change&)> changeSink;
    std::function<void(double, double)> labelDropSink;
    std::function<void(int32_t)> resizeScenerySink;
    std::function<void(ToolMode)> toolEndSink;
    wxCursor cursorBeforePan;

    // The drawn layout, kept between paints so that overlays alone never redraw the plan.
    wxBitmap picture;
    PictureKey pictureKey;
    bool pictureStale = true;
    int pictureRenders = 0;
};

CanvasPanel::CanvasPanel(wxWindow* parent, Document& doc, Prompter* prompter)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
              wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE),
      impl_(new Impl(this, doc, prompter)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);

    wxAcceleratorEntry keys[2];
    keys[0].Set(wxACCEL_NORMAL, WXK_DELETE, kDeleteSelectionId);
    keys[1].Set(wxACCEL_NORMAL, WXK_BACK, kDeleteSelectionId);
    SetAcceleratorTable(wxAcceleratorTable(2, keys));

    Bind(wxEVT_PAINT, &CanvasPanel::onPaint, this);
    Bind(wxEVT_SIZE, &CanvasPanel::onSize, this);
    Bind(wxEVT_MOTION, &CanvasPanel::onMotion, this);
    Bind(wxEVT_LEFT_DOWN, &CanvasPanel::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CanvasPanel::onLeftUp, this);
    Bind(wxEVT_LEFT_DCLICK, &CanvasPanel::onLeftDoubleClick, this);
    Bind(wxEVT_RIGHT_DOWN, &CanvasPanel::onRightDown, this);
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent& e) { apply(impl_->controller.endFlash(), e); },
        impl_->flashTimer.GetId());
    Bind(wxEVT_MIDDLE_DOWN, &CanvasPanel::onMiddleDown, this);
    Bind(wxEVT_MIDDLE_UP, &CanvasPanel::onMiddleUp, this);
    Bind(wxEVT_MOUSEWHEEL, &CanvasPanel::onWheel, this);
    Bind(wxEVT_KEY_DOWN, &CanvasPanel::onKeyDown, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CanvasPanel::onCaptureLost, this);
    Bind(wxEVT_MENU, &CanvasPanel::onDeleteSelection, this, kDeleteSelectionId);
}

CanvasPanel::~CanvasPanel() {
    impl_->flashTimer.Stop();
    if (HasCapture())
        ReleaseMouse();
}

void CanvasPanel::setStatusSink(std::function<void(int, const std::string&)> sink) {
    impl_->statusSink = std::move(sink);
}

void CanvasPanel::setChangeSink(std::function<void(const Change&)> sink) {
    impl_->changeSink = std::move(sink);
}

void CanvasPanel::setLabelDropSink(std::function<void(double, double)> sink) {
    impl_->labelDropSink = std::move(sink);
}

void CanvasPanel::setResizeScenerySink(std::function<void(int32_t)> sink) {
    impl_->resizeScenerySink = std::move(sink);
}

void CanvasPanel::setToolEndSink(std::function<void(ToolMode)> sink) {
    impl_->toolEndSink = std::move(sink);
}

void CanvasPanel::setToolMode(ToolMode mode) {
    wxCommandEvent none;
    apply(impl_->controller.setToolMode(mode), none);
    impl_->cursorBeforePan = mode == ToolMode::None ? wxNullCursor : wxCursor(wxCURSOR_CROSS);
    SetCursor(impl_->cursorBeforePan);
    if (mode != ToolMode::None)
        SetFocus();
}

void CanvasPanel::beginPlacing(const PaletteAction& action) {
    syncClientSize();
    wxCommandEvent none;
    apply(impl_->controller.beginPlacing(action), none);
}

bool CanvasPanel::placing() const {
    return impl_->controller.placing();
}

CanvasController& CanvasPanel::controller() {
    return impl_->controller;
}

void CanvasPanel::syncClientSize() {
    const wxSize size = GetClientSize();
    impl_->controller.resize(size.x, size.y);
}

void CanvasPanel::zoomIn() {
    syncClientSize();
    impl_->controller.zoomIn();
    Refresh();
}

void CanvasPanel::zoomOut() {
    syncClientSize();
    impl_->controller.zoomOut();
    Refresh();
}

void CanvasPanel::zoomToFit() {
    syncClientSize();
    impl_->controller.zoomToFit();
    Refresh();
}

void CanvasPanel::centreOn(double x, double y) {
    const wxSize size = GetClientSize();
    impl_->controller.view().centreOn(Point{x, y}, size.x, size.y);
    Refresh();
}

void CanvasPanel::resetViewLarge() {
    impl_->controller.view().resetViewLarge();
    Refresh();
}

void CanvasPanel::resetViewDefault() {
    impl_->controller.view().resetViewDefault();
    Refresh();
}

void CanvasPanel::setShowGrid(bool on) {
    impl_->doc.layout.showGrid = on;
    layoutChanged();
}

void CanvasPanel::layoutChanged() {
    impl_->pictureStale = true;
    Refresh();
}

void CanvasPanel::layoutReplaced() {
    impl_->controller.cancelGesture();
    if (HasCapture() && !placing())
        ReleaseMouse();
    layoutChanged();
}

const CanvasView& CanvasPanel::view() const {
    return impl_->controller.view();
}

int CanvasPanel::pictureRenderCount() const {
    return impl_->pictureRenders;
}

void CanvasPanel::apply(const CanvasReply& reply, wxEvent& event) {
    if (impl_->statusSink)
        for (const auto& [field, text] : reply.status)
            impl_->statusSink(field, text);
    if (reply.setCursor && reply.cursor == CanvasCursor::Hand) {
        // The tool's own cursor (a cross-hair while measuring) comes back after the pan.
        impl_->cursorBeforePan = GetCursor();
        SetCursor(wxCursor(wxCURSOR_HAND));
    } else if (reply.setCursor) {
        SetCursor(impl_->cursorBeforePan);
    }
    if (reply.toolEnded != ToolMode::None) {
        impl_->cursorBeforePan = wxNullCursor;
        SetCursor(wxNullCursor);
        if (impl_->toolEndSink)
            impl_->toolEndSink(reply.toolEnded);
    }
    if (reply.captureMouse && !HasCapture())
        CaptureMouse();
    if (reply.releaseMouse && HasCapture())
        ReleaseMouse();
    if (reply.labelDropPointSet && impl_->labelDropSink)
        impl_->labelDropSink(reply.labelDropPoint.x, reply.labelDropPoint.y);
    if (reply.startFlashTimer)
        impl_->flashTimer.StartOnce(kFlashMilliseconds);
    // The owner redraws the picture for a change; the overlays alone cost one bitmap copy.
    const bool owned = reply.change.any() && impl_->changeSink;
    if (owned)
        impl_->changeSink(reply.change);
    if (reply.redrawPicture || (!owned && reply.change.redraw()))
        layoutChanged();
    else if (reply.repaint && !reply.repaintArea.empty())
        RefreshRect(screenRect(reply.repaintArea));
    else if (reply.repaint)
        Refresh();
    if (reply.skip)
        event.Skip();
    if (!reply.menu.empty())
        showMenu(reply);
    if (reply.resizeScenery >= 0 && impl_->resizeScenerySink)
        impl_->resizeScenerySink(reply.resizeScenery);
    if (reply.openShapeProperties >= 0)
        openShapeProperties(reply.openShapeProperties);
}

void CanvasPanel::openShapeProperties(int32_t shapeId) {
    const PolygonShape* shape = impl_->doc.layout.findShape(shapeId);
    if (!shape)
        return;
    ShapePropertiesDialog dialog(this, *shape, impl_->doc.layout.units);
    if (dialog.ShowModal() == wxID_OK)
        applyReply(impl_->controller.applyShapeProperties(shapeId, dialog.value()));
}

void CanvasPanel::applyReply(const CanvasReply& reply) {
    wxCommandEvent none;
    apply(reply, none);
}

void CanvasPanel::pasteAtMouseOrCentre() {
    syncClientSize();
    const wxPoint mouse = ScreenToClient(wxGetMousePosition());
    const bool over = IsShownOnScreen() && GetClientRect().Contains(mouse);
    applyReply(impl_->controller.paste(over, ScreenPoint{mouse.x, mouse.y}));
}

void CanvasPanel::showMenu(const CanvasReply& reply) {
    wxMenu menu;
    for (const MenuItem& item : reply.menu)
        menu.Append(item.id, wxString::FromUTF8(item.label));
    // The menu's own Copy and Paste are handled here, so that the Edit menu's commands of the
    // same ids always mean the Edit menu's paste point.
    const int chosen = GetPopupMenuSelectionFromUser(menu);
    if (chosen == kMenuCopy) {
        impl_->controller.copy();
    } else if (chosen == kMenuPaste) {
        applyReply(impl_->controller.pasteAt(reply.menuWorld));
    } else if (chosen != wxID_NONE) {
        // Autofill Gap is the main window's command; the event travels up to it.
        wxCommandEvent command(wxEVT_MENU, chosen);
        command.SetEventObject(this);
        ProcessWindowEvent(command);
    }
}

void CanvasPanel::updatePicture(int width, int height) {
    const PictureKey key{impl_->controller.view().transform(), width, height};
    if (!impl_->pictureStale && key == impl_->pictureKey && impl_->picture.IsOk())
        return;
    if (!impl_->picture.IsOk() || impl_->picture.GetWidth() != width ||
        impl_->picture.GetHeight() != height)
        impl_->picture.Create(width, height);
    wxMemoryDC mem(impl_->picture);
    WxPainter painter(mem);
    impl_->renderer.drawLayout(painter, impl_->doc.layout, key.view, width, height);
    // The rulers depend on nothing but the view, the size and the unit, all part of the key;
    // their labels cost about a millisecond, so they are kept in the picture too.
    drawRulers(painter, computeRulers(key.view, impl_->doc.layout.units, width, height), width,
               height);
    mem.SelectObject(wxNullBitmap);
    impl_->pictureKey = key;
    impl_->pictureStale = false;
    ++impl_->pictureRenders;
}

void CanvasPanel::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    updatePicture(size.x, size.y);
    dc.DrawBitmap(impl_->picture, 0, 0);
    WxPainter painter(dc);
    drawCanvasOverlays(painter, impl_->renderer, impl_->controller.overlays(),
                       impl_->controller.view().transform());
}

void CanvasPanel::onSize(wxSizeEvent& event) {
    syncClientSize();
    Refresh();
    event.Skip();
}

void CanvasPanel::onMotion(wxMouseEvent& event) {
    apply(impl_->controller.motion(mouseInput(event)), event);
}

void CanvasPanel::onLeftDown(wxMouseEvent& event) {
    SetFocus();
    apply(impl_->controller.leftDown(mouseInput(event)), event);
}

void CanvasPanel::onLeftDoubleClick(wxMouseEvent& event) {
    apply(impl_->controller.leftDoubleClick(mouseInput(event)), event);
}

void CanvasPanel::onRightDown(wxMouseEvent& event) {
    SetFocus();
    apply(impl_->controller.rightDown(mouseInput(event)), event);
}

void CanvasPanel::onLeftUp(wxMouseEvent& event) {
    apply(impl_->controller.leftUp(mouseInput(event)), event);
}

void CanvasPanel::onMiddleDown(wxMouseEvent& event) {
    SetFocus();
    apply(impl_->controller.middleDown(mouseInput(event)), event);
}

void CanvasPanel::onMiddleUp(wxMouseEvent& event) {
    apply(impl_->controller.middleUp(mouseInput(event)), event);
}

void CanvasPanel::onWheel(wxMouseEvent& event) {
    if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
        event.Skip();
        return;
    }
    apply(impl_->controller.wheel(mouseInput(event), event.GetWheelRotation()), event);
}

void CanvasPanel::onKeyDown(wxKeyEvent& event) {
    MouseInput modifiers;
    modifiers.ctrl = event.ControlDown();
    modifiers.shift = event.ShiftDown();
    modifiers.alt = event.AltDown();
    apply(impl_->controller.keyDown(canvasKey(event.GetKeyCode()), modifiers), event);
}

void CanvasPanel::onCaptureLost(wxMouseCaptureLostEvent& event) {
    apply(impl_->controller.captureLost(), event);
}

void CanvasPanel::onDeleteSelection(wxCommandEvent& event) {
    apply(impl_->controller.deleteKey(), event);
}

} // namespace plandor
