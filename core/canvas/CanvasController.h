#pragma once
// The canvas's input handling, free of the toolkit: the panel forwards mouse, wheel and key
// events as plain records and carries out the reply (repaint, cursor, mouse capture, status
// texts). Holds the view and the interaction states.

#include "core/base/CommandIds.h"
#include "core/base/Prompter.h"
#include "core/canvas/AnnotationDrag.h"
#include "core/canvas/CanvasView.h"
#include "core/canvas/ContextMenu.h"
#include "core/canvas/DrawingTool.h"
#include "core/canvas/SceneryGestures.h"
#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/document/Document.h"
#include "core/editing/Annotations.h"
#include "core/editing/BlockPlacing.h"
#include "core/editing/Clipboard.h"
#include "core/editing/MoveSelection.h"
#include "core/editing/Placing.h"
#include "core/editing/Rotate.h"

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace plandor {

struct PaletteAction;

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

enum class CanvasKey { Escape, Delete, Backspace, Enter, R, Other };
// The canvas's own keys among the strokes the window reads (any modifiers).
CanvasKey canvasKey(const KeyStroke& key);

enum class CanvasCursor { Normal, Hand };

// How much of the canvas an event asks to be drawn again (a change of the layout redraws
// its part of the picture in any case).
enum class Redraw {
    None,
    Overlays, // the ghost, the rubber band, the handles or the tool's drawing
    // An object follows the mouse: only the picture follows until the release reports the
    // change (the panels are not rebuilt on every motion).
    Picture,
};

enum class MouseCapture { Keep, Take, Release };

// What the window opens or is told after an event, beside the redraw.
namespace request {
// The context menu at the mouse; `world` is where Paste puts the clipboard, `label` the label
// the menu was opened on (-1 for none).
struct ShowMenu {
    std::vector<int> ids; // command ids
    Point world;
    int32_t label = -1;
};
struct LabelDropPoint { // a Ctrl+click on empty canvas: where the next label goes
    Point world;
};
struct OpenResizeScenery { // the "Resize Scenery" dialog for a double-clicked item
    int32_t item = -1;
};
struct OpenShapeProperties { // the properties of a double-clicked shape
    int32_t shape = -1;
};
struct EditLabel { // a label double-clicked (or "Edit Text..." chosen on it): its text is asked for
    int32_t label = -1;
};
struct ToolEnded { // a drawing tool finished or was cancelled: its toggle is released
    ToolMode mode = ToolMode::None;
};
struct FlashTimer {}; // call endFlash() once after kFlashMilliseconds
} // namespace request

using CanvasRequest = std::variant<std::monostate, request::ShowMenu, request::LabelDropPoint,
                                   request::OpenResizeScenery, request::OpenShapeProperties,
                                   request::EditLabel, request::ToolEnded, request::FlashTimer>;

// What the panel must do after an event.
struct CanvasReply {
    Change change; // what the event changed in the document
    Redraw redraw = Redraw::None;
    MouseCapture mouse = MouseCapture::Keep;
    std::optional<CanvasCursor> cursor;
    bool skip = false;    // the event is not ours: pass it on
    std::string position; // the status bar's cursor position, empty to leave it
    CanvasRequest request;

    template <typename R> const R* asks() const { return std::get_if<R>(&request); }
};

// What the canvas draws over the kept picture of the layout.
struct CanvasOverlays {
    bool ghostPiece = false; // a catalogue piece follows the mouse
    std::string ghostPart;
    bool ghostHelix = false; // a helix follows the mouse
    std::string helixVariant;
    Pose ghostPose;          // snapped pose when the snap found a target
    bool snapMarker = false; // the target connector of the snap
    Point snapTarget;
    bool rubberBand = false;
    ScreenPoint bandStart;
    ScreenPoint bandEnd;
    bool freeRotation = false;
    Point pivot;
    double referenceHeading = 0;
    bool flash = false;        // the reference piece has just landed on a right angle
    bool ghostScenery = false; // a scenery item follows the mouse
    std::string ghostSceneryKey;
    Pose ghostSceneryPose;
    bool sceneryHandles = false; // the eight resize handles of the one selected platform
    std::array<ScreenPoint, 8> handles;
    ToolOverlay tool;      // the measurement or outline being drawn
    BlockGhost ghostBlock; // a library block follows the mouse (empty otherwise)
};

constexpr int kFlashMilliseconds = 400;
// Where a piece taken from the palette first appears.
constexpr int kPlacingStartX = 300;
constexpr int kPlacingStartY = 200;

enum class WheelAction { Zoom, RotateSelection };

struct WheelDecision {
    WheelAction action = WheelAction::Zoom;
    double zoomFactor = 1.0; // for Zoom: about the mouse position
    Point pivot;             // for RotateSelection: centre of the selection's box
};

constexpr double kWheelZoomFactor = 1.15;
constexpr double kWheelRotateMarginPx = 30.0;

// Rotate the selection when the mouse lies within its box plus 30 pixels and Ctrl is not
// held; otherwise zoom about the mouse, in for a positive wheel rotation.
WheelDecision decideWheel(const Layout& layout, const ViewTransform& view, ScreenPoint mouse,
                          int rotation, bool ctrl, const TrackCatalog& catalog,
                          const SceneryCatalog& scenery);

// The cursor's world position for the status bar, in the layout's display unit.
std::string coordinateText(const Layout& layout, const ViewTransform& view, ScreenPoint mouse);
// The position shown before the mouse has crossed the canvas: "x: 0  y: 0 mm", in the unit
// and with the language's decimal mark.
std::string startPositionText(Units units);

constexpr double kOutlineGrabPx = 8.0;

// The visible level whose deck outline (three points at least) has an edge within 8 pixels of
// the screen point, the nearest when several do; -1 for none.
int32_t levelOutlineUnder(const Layout& layout, const ViewTransform& view, ScreenPoint at);

// What the left button or the palette started: one gesture at a time, each with its own state.
namespace gesture {
struct None {};
// A catalogue piece, a helix or a library block follows the mouse until a click drops it.
struct PlacePiece {
    PlacingState placing;
};
struct PlaceHelix {
    std::string variant;
    Pose ghost;
};
struct PlaceBlock {
    BlockPlacing block;
};
// A press on a piece: the selection moves once the mouse has gone five pixels.
struct PressPiece {
    ScreenPoint pressScreen;
    Point pressWorld;
};
// A move or a free rotation of the selection, one undo step from its start.
struct MoveSelection {
    SelectionMove move;
    Edit edit;
};
struct RotateSelection {
    FreeRotation rotation;
    Edit edit;
};
// Shift-drag of a level's deck outline: every point follows the mouse from where it was.
struct DragOutline {
    int32_t level = -1;
    Point pressWorld;
    std::vector<Point> start;
    Edit edit;
};
// A measurement or shape drag is one undo step from the press; a label drag is none.
struct DragAnnotation {
    AnnotationDrag drag;
    std::optional<Edit> edit;
};
struct RubberBand {
    ScreenPoint start;
    ScreenPoint end;
};
} // namespace gesture

// Scenery keeps its own gestures: the ghost placed from the palette, a drag of the selected
// items and a resize by a handle.
using Gesture = std::variant<gesture::None, gesture::PlacePiece, gesture::PlaceHelix,
                             gesture::PlaceBlock, SceneryGestures, gesture::PressPiece,
                             gesture::MoveSelection, gesture::RotateSelection, gesture::DragOutline,
                             gesture::DragAnnotation, gesture::RubberBand>;

class CanvasController {
  public:
    CanvasController(Document& doc, Prompter& prompter);
    ~CanvasController();
    CanvasController(const CanvasController&) = delete;
    CanvasController& operator=(const CanvasController&) = delete;

    CanvasView& view() { return view_; }
    const CanvasView& view() const { return view_; }
    void resize(int clientWidth, int clientHeight);
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

    CanvasReply middleDown(const MouseInput& in);
    CanvasReply middleUp(const MouseInput& in);
    CanvasReply leftDown(const MouseInput& in);
    CanvasReply leftUp(const MouseInput& in);
    CanvasReply leftDoubleClick(const MouseInput& in);
    CanvasReply rightDown(const MouseInput& in);
    CanvasReply motion(const MouseInput& in);
    CanvasReply wheel(const MouseInput& in, int rotation);
    CanvasReply keyDown(CanvasKey key, const MouseInput& modifiers);
    CanvasReply captureLost();
    // The Delete command.
    CanvasReply deleteSelection();
    // The Delete / Backspace accelerator: while an outline is drawn it takes back the last
    // vertex, else it deletes the selection.
    CanvasReply deleteKey();
    // A drag or double-click from the palette: a piece, a helix, a scenery item or a library
    // block follows the mouse.
    CanvasReply beginPlacing(const PaletteAction& action);
    CanvasReply cancelPlacing();
    bool placing() const;
    // The selection follows the mouse (a move or a free rotation): the rest stays still.
    bool movingSelection() const {
        return std::holds_alternative<gesture::MoveSelection>(gesture_) ||
               std::holds_alternative<gesture::RotateSelection>(gesture_);
    }
    // The right-angle flash of the free rotation is over.
    CanvasReply endFlash();
    // The context menu's and the Edit menu's Copy, Cut and Paste.
    void copy();
    // The selected pieces go to the clipboard and are deleted; a refused delete leaves the
    // clipboard as it was.
    CanvasReply cut();
    CanvasReply pasteAt(Point world);
    // Paste at the mouse when it is over the canvas, else at the centre of the view.
    CanvasReply paste(bool mouseOverCanvas, ScreenPoint mouse);
    const Clipboard& clipboard() const { return clipboard_; }

    CanvasOverlays overlays() const;
    // The status bar's position text: where the mouse last was over the canvas, in the
    // layout's unit as it is now.
    std::string positionText() const;

    // The measuring tape, the polygon or the baseboard outline (None switches tools off).
    CanvasReply setToolMode(ToolMode mode);
    ToolMode toolMode() const { return tool_.mode(); }
    // Asks for the label's new text (the label edit dialog); OK is one undo step.
    CanvasReply editLabelText(int32_t labelId);
    // The shape properties dialog's OK: one undo step.
    CanvasReply applyShapeProperties(int32_t shapeId, const ShapeProperties& props);

    // Ends the gesture in progress (pending drag, move, free rotation, rubber band) and forgets
    // the ghost's snap target: the layout is about to be replaced. A move or rotation already
    // under way stays as far as it got, as one undo step. The document calls this itself
    // before undo, redo and replacing the layout.
    Change cancelGesture();

    void zoomIn();
    void zoomOut();
    void zoomToFit();

  private:
    double zoomOutLimit() const;
    // Turning the selection with the wheel; the decision carries the pivot.
    CanvasReply rotateSelectionByWheel(const WheelDecision& decision, const MouseInput& in,
                                       int rotation);
    CanvasReply beginPan(PanSource source, const MouseInput& in);
    CanvasReply endPan();
    CanvasReply dropPlaced(const MouseInput& in);
    CanvasReply dropBlockAt(const MouseInput& in);
    // The ghost being placed follows the mouse, or turns by `degrees`.
    void moveGhost(Point world);
    void turnGhost(double degrees);
    CanvasReply pressPiece(const MouseInput& in);
    CanvasReply pressEmptyCanvas(const MouseInput& in);
    // What a left double-click opens or does, tried in order; the first taker wins.
    CanvasReply dispatchDoubleClick(const MouseInput& in);
    // Shift (without Ctrl) on a level's deck outline starts dragging it; false when none is near.
    bool beginOutlineDrag(const MouseInput& in);
    // One motion with the left button held, or of the rubber band's corner.
    void drag(const MouseInput& in, CanvasReply& reply);
    void dragSelection(const MouseInput& in, CanvasReply& reply);
    void dragOutline(const MouseInput& in);
    // Ends the drag under way (not a ghost being placed); what it changed is one undo step
    // where it keeps one. At `release` a move lands and a rubber band selects; without, the
    // move stays where it is and the band selects nothing.
    Change endDrag(std::optional<ScreenPoint> release);
    // The piece or helix under the point, as a piece id; -1 for none.
    int32_t pieceUnder(const MouseInput& in) const;
    Point world(const MouseInput& in) const;

    // Drawing tools and annotation drags.
    CanvasReply toolReply(const ToolResult& result);
    std::optional<CanvasReply> toolKey(CanvasKey key);
    std::optional<CanvasReply> pressMeasurementOrShape(const MouseInput& in);
    std::optional<CanvasReply> pressLabel(const MouseInput& in);
    CanvasReply beginAnnotationDrag(AnnotationKind kind, int32_t id, const MouseInput& in);

    template <typename G> G* current() { return std::get_if<G>(&gesture_); }
    template <typename G> const G* current() const { return std::get_if<G>(&gesture_); }

    Document& doc_;
    Prompter& prompter_;
    CanvasView view_;
    Clipboard clipboard_;
    Gesture gesture_;
    DrawingTool tool_;                // a tool stays on across gestures until it ends
    bool gradedMoveAccepted_ = false; // asked once while the program runs
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    std::optional<ScreenPoint> lastMouse_; // the last motion over the canvas
};

} // namespace plandor
