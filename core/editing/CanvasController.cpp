#include "editing/CanvasController.h"

#include "editing/Selection.h"
#include "editing/SelectionBounds.h"
#include "shell/Document.h"
#include "shell/Units.h"

namespace plandor {

WheelDecision decideWheel(const Layout& layout, const ViewTransform& view, ScreenPoint mouse,
                          int rotation, bool ctrl, const TrackCatalog& catalog,
                          const SceneryCatalog& scenery) {
    if (!ctrl && anySelected(layout)) {
        Bounds box = selectionBounds(layout, catalog, scenery);
        if (!box.empty()) {
            const Point pivot = box.centre();
            box.expand(view.pixelsToMm(kWheelRotateMarginPx));
            if (box.contains(view.toWorldX(mouse.x), view.toWorldY(mouse.y)))
                return WheelDecision{WheelAction::RotateSelection, 1.0, pivot};
        }
    }
    return WheelDecision{WheelAction::Zoom,
                         rotation > 0 ? kWheelZoomFactor : 1.0 / kWheelZoomFactor, Point{}};
}

std::string coordinateText(const Layout& layout, const ViewTransform& view, ScreenPoint mouse) {
    return formatCoordinates(view.toWorldX(mouse.x), view.toWorldY(mouse.y), layout.units);
}

CanvasController::CanvasController(Document& doc) : doc_(doc) {}

void CanvasController::resize(int clientWidth, int clientHeight) {
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
}

CanvasReply CanvasController::beginPan(PanSource source, const MouseInput& in) {
    view_.beginPan(source, in.x, in.y);
    CanvasReply reply;
    reply.setCursor = true;
    reply.cursor = CanvasCursor::Hand;
    reply.captureMouse = true;
    reply.repaint = true;
    return reply;
}

CanvasReply CanvasController::endPan() {
    view_.endPan();
    CanvasReply reply;
    reply.setCursor = true;
    reply.cursor = CanvasCursor::Normal;
    reply.releaseMouse = true;
    return reply;
}

CanvasReply CanvasController::middleDown(const MouseInput& in) {
    return beginPan(PanSource::MiddleButton, in);
}

CanvasReply CanvasController::middleUp(const MouseInput&) {
    if (view_.panSource() != PanSource::MiddleButton)
        return CanvasReply{};
    return endPan();
}

CanvasReply CanvasController::leftUp(const MouseInput&) {
    const PanSource source = view_.panSource();
    if (source != PanSource::SpaceBar && source != PanSource::CtrlClick)
        return CanvasReply{};
    return endPan();
}

CanvasReply CanvasController::motion(const MouseInput& in) {
    CanvasReply reply;
    if (view_.panning()) {
        view_.panTo(in.x, in.y);
        reply.repaint = true;
    } else if (in.leftDown && in.space) {
        // Space held while dragging with the left button pans from here on.
        reply = beginPan(PanSource::SpaceBar, in);
    }
    reply.status.emplace_back(kCoordinatesField,
                              coordinateText(doc_.layout, view_.transform(), {in.x, in.y}));
    return reply;
}

CanvasReply CanvasController::wheel(const MouseInput& in, int rotation) {
    const WheelDecision decision =
        decideWheel(doc_.layout, view_.transform(), ScreenPoint{in.x, in.y}, rotation, in.ctrl,
                    TrackCatalog::instance(), SceneryCatalog::instance());
    if (decision.action == WheelAction::RotateSelection)
        return rotateSelectionByWheel(decision, in, rotation);
    view_.zoomAbout(decision.zoomFactor, in.x, in.y);
    CanvasReply reply;
    reply.repaint = true;
    return reply;
}

CanvasReply CanvasController::rotateSelectionByWheel(const WheelDecision&, const MouseInput&, int) {
    // Turning the selection arrives with selection editing; until then the wheel does nothing
    // over a selection, as it will not zoom there either.
    return CanvasReply{};
}

CanvasReply CanvasController::keyDown(CanvasKey key, const MouseInput&) {
    CanvasReply reply;
    if (key != CanvasKey::Escape) {
        reply.skip = true;
        return reply;
    }
    clearSelection(doc_.layout);
    reply.repaint = true;
    reply.selectionChanged = true;
    return reply;
}

CanvasReply CanvasController::captureLost() {
    if (!view_.panning())
        return CanvasReply{};
    CanvasReply reply = endPan();
    reply.releaseMouse = false; // the capture is already gone
    return reply;
}

CanvasReply CanvasController::deleteSelection() {
    // Deleting the selection arrives with the clipboard and undo work.
    return CanvasReply{};
}

void CanvasController::zoomIn() {
    view_.zoomIn(clientWidth_, clientHeight_);
}

void CanvasController::zoomOut() {
    view_.zoomOut(clientWidth_, clientHeight_);
}

void CanvasController::zoomToFit() {
    view_.zoomToFit(doc_.layout, clientWidth_, clientHeight_);
}

} // namespace plandor
