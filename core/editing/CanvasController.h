#pragma once
// The canvas's input handling, free of the toolkit: the panel forwards mouse, wheel and key
// events as plain records and carries out the reply (repaint, cursor, mouse capture, status
// texts). Holds the view and the interaction states.

#include "catalog/SceneryCatalog.h"
#include "catalog/TrackCatalog.h"
#include "editing/CanvasView.h"

#include <string>
#include <utility>
#include <vector>

namespace plandor {

struct Document;

// The mouse as an event reports it: position in client pixels, buttons and modifiers held.
struct MouseInput {
    int x = 0;
    int y = 0;
    bool leftDown = false;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool space = false; // the space bar is held
};

enum class CanvasKey { Escape, Delete, Backspace, Enter, Other };

enum class CanvasCursor { Normal, Hand };

// What the panel must do after an event.
struct CanvasReply {
    bool repaint = false;
    bool selectionChanged = false; // the properties panel shows the selection
    bool setCursor = false;
    CanvasCursor cursor = CanvasCursor::Normal;
    bool captureMouse = false;
    bool releaseMouse = false;
    bool skip = false;                               // the event is not ours: pass it on
    std::vector<std::pair<int, std::string>> status; // (status-bar field, text)
};

enum class WheelAction { Zoom, RotateSelection };

struct WheelDecision {
    WheelAction action = WheelAction::Zoom;
    double zoomFactor = 1.0; // for Zoom: about the mouse position
    Point pivot;             // for RotateSelection: centre of the selection's box
};

constexpr double kWheelZoomFactor = 1.15;
constexpr double kWheelRotateMarginPx = 30.0;
constexpr int kCoordinatesField = 2;

// Rotate the selection when the mouse lies within its box plus 30 pixels and Ctrl is not
// held; otherwise zoom about the mouse, in for a positive wheel rotation.
WheelDecision decideWheel(const Layout& layout, const ViewTransform& view, ScreenPoint mouse,
                          int rotation, bool ctrl, const TrackCatalog& catalog,
                          const SceneryCatalog& scenery);

// The cursor's world position for the status bar, in the layout's display unit.
std::string coordinateText(const Layout& layout, const ViewTransform& view, ScreenPoint mouse);

class CanvasController {
  public:
    explicit CanvasController(Document& doc);

    CanvasView& view() { return view_; }
    const CanvasView& view() const { return view_; }
    void resize(int clientWidth, int clientHeight);
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

    CanvasReply middleDown(const MouseInput& in);
    CanvasReply middleUp(const MouseInput& in);
    CanvasReply leftUp(const MouseInput& in);
    CanvasReply motion(const MouseInput& in);
    CanvasReply wheel(const MouseInput& in, int rotation);
    CanvasReply keyDown(CanvasKey key, const MouseInput& modifiers);
    CanvasReply captureLost();
    // The Delete / Backspace accelerator.
    CanvasReply deleteSelection();

    void zoomIn();
    void zoomOut();
    void zoomToFit();

  private:
    // Turning the selection with the wheel; the decision carries the pivot.
    CanvasReply rotateSelectionByWheel(const WheelDecision& decision, const MouseInput& in,
                                       int rotation);
    CanvasReply beginPan(PanSource source, const MouseInput& in);
    CanvasReply endPan();

    Document& doc_;
    CanvasView view_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
};

} // namespace plandor
