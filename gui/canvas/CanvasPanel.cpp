#include "gui/canvas/CanvasPanel.h"

#include "core/app/Commands.h"
#include "core/canvas/CanvasController.h"
#include "core/canvas/CanvasOverlayDrawing.h"
#include "core/canvas/CheckMarks.h"
#include "core/canvas/DropArea.h"
#include "core/canvas/OverlayArea.h"
#include "core/canvas/Rulers.h"
#include "core/canvas/SelectionBounds.h"
#include "core/document/Document.h"
#include "core/editing/DisplaySettings.h"
#include "core/render/LayoutRenderer.h"
#include "gui/canvas/KeyStrokes.h"
#include "gui/platform/WxPrompter.h"
#include "gui/wxrender/WxPainter.h"

#include <cmath>

#include <wx/accel.h>
#include <wx/bitmap.h>
#include <wx/cursor.h>
#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <algorithm>
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

bool sameView(const ViewTransform& a, const ViewTransform& b) {
    return a.scale == b.scale && a.panX == b.panX && a.panY == b.panY;
}

void refreshArea(wxWindow& window, const PixelRect& r) {
    if (!r.empty())
        window.RefreshRect(wxRect(r.x, r.y, r.w, r.h), false);
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
    std::function<void(const std::string&)> positionSink;
    std::function<void(const Change&)> changeSink;
    std::function<void(double, double)> labelDropSink;
    std::function<void(int32_t)> resizeScenerySink;
    std::function<void(int32_t)> shapePropertiesSink;
    std::function<void(ToolMode)> toolEndSink;
    wxCursor cursorBeforePan;

    // The drawn layout, kept between paints so that overlays alone never redraw the plan.
    wxBitmap picture;
    PictureKey pictureKey;
    bool pictureStale = true;
    int pictureRenders = 0;
    // The parts of the picture that bounded changes left to draw, apart from one another.
    std::vector<wxRect> pendingAreas;
    int areaRenders = 0;
    // The plan without the selection while it moves, drawn once per move and view.
    wxBitmap stillPicture;
    PictureKey stillKey;
    bool stillValid = false;
    std::vector<CheckMark> checkMarks;
    // Where the overlays were last painted, in the view they were painted in.
    PixelRect shownOverlay;
    ViewTransform shownView;
    bool shownKnown = false;
    PixelRect shownSelection; // where the moving selection was last asked to be painted
};

CanvasPanel::CanvasPanel(wxWindow* parent, Document& doc, Prompter* prompter)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
              wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE),
      impl_(new Impl(this, doc, prompter)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);

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
}

CanvasPanel::~CanvasPanel() {
    impl_->flashTimer.Stop();
    if (HasCapture())
        ReleaseMouse();
}

void CanvasPanel::setPositionSink(std::function<void(const std::string&)> sink) {
    impl_->positionSink = std::move(sink);
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

void CanvasPanel::setShapePropertiesSink(std::function<void(int32_t)> sink) {
    impl_->shapePropertiesSink = std::move(sink);
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
    setGridShown(impl_->doc, on);
    layoutChanged();
}

void CanvasPanel::layoutChanged() {
    impl_->pictureStale = true;
    impl_->pendingAreas.clear();
    impl_->stillValid = false;
    Refresh();
}

void CanvasPanel::layoutChanged(const Change& change) {
    const wxSize size = GetClientSize();
    const RedrawRects region =
        redrawRects(change, impl_->controller.view().transform(), size.x, size.y);
    if (region.whole || impl_->pictureStale || !impl_->picture.IsOk()) {
        layoutChanged();
        return;
    }
    impl_->stillValid = false;
    for (const PixelRect& r : region.rects) {
        wxRect area(r.x, r.y, r.w, r.h);
        // Parts that overlap are drawn as one.
        std::vector<wxRect>& pending = impl_->pendingAreas;
        for (auto it = pending.begin(); it != pending.end();) {
            if (it->Intersects(area)) {
                area.Union(*it);
                it = pending.erase(it);
            } else {
                ++it;
            }
        }
        pending.push_back(area);
        refreshArea(*this, r);
    }
    refreshOverlays();
}

void CanvasPanel::layoutReplaced() {
    impl_->controller.cancelGesture();
    if (HasCapture() && !placing())
        ReleaseMouse();
    layoutChanged();
}

void CanvasPanel::setCheckMarks(std::vector<CheckMark> marks) {
    auto same = [](const CheckMark& a, const CheckMark& b) {
        return a.kind == b.kind && a.at == b.at;
    };
    if (std::equal(marks.begin(), marks.end(), impl_->checkMarks.begin(), impl_->checkMarks.end(),
                   same))
        return;
    impl_->checkMarks = std::move(marks);
    Refresh();
}

const std::vector<CheckMark>& CanvasPanel::checkMarks() const {
    return impl_->checkMarks;
}

const CanvasView& CanvasPanel::view() const {
    return impl_->controller.view();
}

int CanvasPanel::pictureRenderCount() const {
    return impl_->pictureRenders;
}

int CanvasPanel::pictureAreaRenderCount() const {
    return impl_->areaRenders;
}

const wxBitmap& CanvasPanel::keptPicture() const {
    return impl_->picture;
}

void CanvasPanel::apply(const CanvasReply& reply, wxEvent& event) {
    if (impl_->positionSink && !reply.position.empty())
        impl_->positionSink(reply.position);
    if (reply.cursor == CanvasCursor::Hand) {
        // The tool's own cursor (a cross-hair while measuring) comes back after the pan.
        impl_->cursorBeforePan = GetCursor();
        SetCursor(wxCursor(wxCURSOR_HAND));
    } else if (reply.cursor) {
        SetCursor(impl_->cursorBeforePan);
    }
    if (const auto* ended = reply.asks<request::ToolEnded>()) {
        impl_->cursorBeforePan = wxNullCursor;
        SetCursor(wxNullCursor);
        if (impl_->toolEndSink)
            impl_->toolEndSink(ended->mode);
    }
    if (reply.mouse == MouseCapture::Take && !HasCapture())
        CaptureMouse();
    if (reply.mouse == MouseCapture::Release && HasCapture())
        ReleaseMouse();
    if (const auto* drop = reply.asks<request::LabelDropPoint>(); drop && impl_->labelDropSink)
        impl_->labelDropSink(drop->world.x, drop->world.y);
    if (reply.asks<request::FlashTimer>())
        impl_->flashTimer.StartOnce(kFlashMilliseconds);
    // The owner redraws the picture for a change; the overlays alone cost one bitmap copy.
    const bool owned = reply.change.reported() && impl_->changeSink;
    if (owned)
        impl_->changeSink(reply.change);
    if (reply.redraw == Redraw::Picture && impl_->controller.movingSelection()) {
        // Only the selection is drawn per motion; the whole picture follows once it lands.
        impl_->pictureStale = true;
        refreshMovingSelection();
    } else if (reply.redraw == Redraw::Picture) {
        layoutChanged();
    } else if (!owned && reply.change.redraw()) {
        layoutChanged(reply.change);
    } else if (reply.redraw == Redraw::Overlays) {
        refreshOverlays();
    }
    if (reply.skip)
        event.Skip();
    if (const auto* menu = reply.asks<request::ShowMenu>())
        showMenu(*menu);
    if (const auto* open = reply.asks<request::OpenResizeScenery>();
        open && impl_->resizeScenerySink)
        impl_->resizeScenerySink(open->item);
    if (const auto* open = reply.asks<request::OpenShapeProperties>();
        open && impl_->shapePropertiesSink)
        impl_->shapePropertiesSink(open->shape);
    if (const auto* edit = reply.asks<request::EditLabel>())
        applyReply(impl_->controller.editLabelText(edit->label));
}

void CanvasPanel::refreshOverlays() {
    const wxSize size = GetClientSize();
    const ViewTransform& view = impl_->controller.view().transform();
    const RedrawRegion now =
        overlayArea(impl_->renderer, impl_->controller.overlays(), view, size.x, size.y);
    if (now.whole || !impl_->shownKnown || !sameView(view, impl_->shownView)) {
        Refresh();
        return;
    }
    refreshArea(*this, unite(impl_->shownOverlay, now.rect));
}

void CanvasPanel::refreshMovingSelection() {
    const wxSize size = GetClientSize();
    const RedrawRegion now = redrawRegion(
        selectionBounds(impl_->doc.layout, TrackCatalog::instance(), SceneryCatalog::instance()),
        impl_->controller.view().transform(), size.x, size.y);
    // The first motion also takes the selection out of the kept picture.
    if (now.whole || !impl_->stillValid)
        Refresh();
    else
        refreshArea(*this, unite(impl_->shownSelection, now.rect));
    impl_->shownSelection = now.whole ? PixelRect{0, 0, size.x, size.y} : now.rect;
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

void CanvasPanel::showMenu(const request::ShowMenu& asked) {
    wxMenu menu;
    for (int id : asked.ids)
        menu.Append(id, wxString::FromUTF8(contextMenuText(id)));
    // The menu's own Copy and Paste are handled here, so that the Edit menu's commands of the
    // same ids always mean the Edit menu's paste point.
    const int chosen = GetPopupMenuSelectionFromUser(menu);
    if (chosen == CmdCopy) {
        impl_->controller.copy();
    } else if (chosen == CmdPaste) {
        applyReply(impl_->controller.pasteAt(asked.world));
    } else if (chosen == CmdEditLabel) {
        applyReply(impl_->controller.editLabelText(asked.label));
    } else if (chosen != wxID_NONE) {
        // Autofill Gap is the main window's command; the event travels up to it.
        wxCommandEvent command(wxEVT_MENU, chosen);
        command.SetEventObject(this);
        ProcessWindowEvent(command);
    }
}

void CanvasPanel::updatePicture(int width, int height) {
    const PictureKey key{impl_->controller.view().transform(), width, height};
    if (!impl_->pictureStale && key == impl_->pictureKey && impl_->picture.IsOk()) {
        updatePictureArea(width, height);
        return;
    }
    if (!impl_->picture.IsOk() || impl_->picture.GetWidth() != width ||
        impl_->picture.GetHeight() != height)
        impl_->picture.Create(width, height);
    wxMemoryDC mem(impl_->picture);
    WxPainter painter(mem);
    impl_->renderer.drawLayout(painter, impl_->doc.layout, RenderSettings::of(impl_->doc.layout),
                               key.view, width, height);
    // The rulers depend on nothing but the view, the size and the unit, all part of the key;
    // their labels cost about a millisecond, so they are kept in the picture too.
    drawRulers(painter, computeRulers(key.view, impl_->doc.layout.units, width, height), width,
               height);
    mem.SelectObject(wxNullBitmap);
    impl_->pictureKey = key;
    impl_->pictureStale = false;
    impl_->pendingAreas.clear();
    ++impl_->pictureRenders;
}

void CanvasPanel::updatePictureArea(int width, int height) {
    if (impl_->pendingAreas.empty())
        return;
    const ViewTransform& view = impl_->controller.view().transform();
    wxMemoryDC mem(impl_->picture);
    for (const wxRect& area : impl_->pendingAreas) {
        if (area.IsEmpty())
            continue;
        mem.SetClippingRegion(area);
        {
            WxPainter painter(mem);
            impl_->renderer.drawLayoutArea(painter, impl_->doc.layout,
                                           RenderSettings::of(impl_->doc.layout), view, width,
                                           height, area.x, area.y, area.width, area.height);
            if (area.x < kRulerSize || area.y < kRulerSize)
                drawRulers(painter, computeRulers(view, impl_->doc.layout.units, width, height),
                           width, height);
        }
        mem.DestroyClippingRegion();
        ++impl_->areaRenders;
    }
    mem.SelectObject(wxNullBitmap);
    impl_->pendingAreas.clear();
}

void CanvasPanel::paintMovingSelection(wxDC& dc, int width, int height) {
    const ViewTransform& view = impl_->controller.view().transform();
    const PictureKey key{view, width, height};
    if (!impl_->stillValid || !(key == impl_->stillKey)) {
        if (!impl_->stillPicture.IsOk() || impl_->stillPicture.GetWidth() != width ||
            impl_->stillPicture.GetHeight() != height)
            impl_->stillPicture.Create(width, height);
        wxMemoryDC mem(impl_->stillPicture);
        WxPainter painter(mem);
        impl_->renderer.drawLayoutWithoutSelection(
            painter, impl_->doc.layout, RenderSettings::of(impl_->doc.layout), view, width, height);
        drawRulers(painter, computeRulers(view, impl_->doc.layout.units, width, height), width,
                   height);
        mem.SelectObject(wxNullBitmap);
        impl_->stillKey = key;
        impl_->stillValid = true;
        ++impl_->pictureRenders;
    }
    dc.DrawBitmap(impl_->stillPicture, 0, 0);
    // The rulers stay over the plan, as in the kept picture.
    dc.SetClippingRegion(kRulerSize, kRulerSize, width - kRulerSize, height - kRulerSize);
    {
        WxPainter painter(dc);
        impl_->renderer.drawSelection(painter, impl_->doc.layout,
                                      RenderSettings::of(impl_->doc.layout), view, width, height);
    }
    dc.DestroyClippingRegion();
}

void CanvasPanel::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    if (impl_->controller.movingSelection()) {
        paintMovingSelection(dc, size.x, size.y);
    } else {
        updatePicture(size.x, size.y);
        dc.DrawBitmap(impl_->picture, 0, 0);
    }
    WxPainter painter(dc);
    drawCheckMarks(painter, impl_->checkMarks, impl_->controller.view().transform(), size.x,
                   size.y);
    const CanvasOverlays overlays = impl_->controller.overlays();
    const ViewTransform& view = impl_->controller.view().transform();
    drawCanvasOverlays(painter, impl_->renderer, overlays, view);
    const RedrawRegion shown = overlayArea(impl_->renderer, overlays, view, size.x, size.y);
    impl_->shownOverlay = shown.rect;
    impl_->shownView = view;
    impl_->shownKnown = !shown.whole;
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
    apply(impl_->controller.keyDown(canvasKey(keyStroke(event)), modifiers), event);
}

void CanvasPanel::onCaptureLost(wxMouseCaptureLostEvent& event) {
    apply(impl_->controller.captureLost(), event);
}

} // namespace plandor
