#pragma once
// The canvas's input handling, free of the toolkit: the panel forwards mouse, wheel and key
// events as plain records and carries out the reply (repaint, cursor, mouse capture, status
// texts). Holds the view and the interaction states.

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

enum class CanvasCursor { Normal, Hand };

// What the panel must do after an event.
struct CanvasReply {
    bool repaint = false; // the overlays changed (a change of the layout repaints too)
    Change change;        // what the event changed in the document
    // A move or rotation under way moved the selection: only the picture follows until the
    // release reports the change (the panels are not rebuilt on every motion).
    bool redrawPicture = false;
    bool setCursor = false;
    CanvasCursor cursor = CanvasCursor::Normal;
    bool captureMouse = false;
    bool releaseMouse = false;
    bool skip = false;                               // the event is not ours: pass it on
    std::vector<std::pair<int, std::string>> status; // (status-bar field, text)
    bool startFlashTimer = false;                    // call endFlash() once after 400 ms
    // The context menu to show at the mouse; `menuWorld` is where Paste puts the clipboard.
    std::vector<MenuItem> menu;
    Point menuWorld;
    int32_t menuLabel = -1; // the label the menu was opened on, -1 for none
    // A Ctrl+click on empty canvas: the world point where the next label goes.
    bool labelDropPointSet = false;
    Point labelDropPoint;
    // A double-click on a scenery item: the "Resize Scenery" dialog opens for it.
    int32_t resizeScenery = -1;
    // A drawing tool finished or was cancelled: its toggle is released, the cursor restored.
    ToolMode toolEnded = ToolMode::None;
    int32_t openShapeProperties = -1; // a shape was double-clicked
    // A label was double-clicked (or "Edit Text..." chosen on it): its text is asked for.
    int32_t editLabel = -1;
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

constexpr int kPiecesField = 1;
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
constexpr int kCoordinatesField = 2;

// Rotate the selection when the mouse lies within its box plus 30 pixels and Ctrl is not
// held; otherwise zoom about the mouse, in for a positive wheel rotation.
WheelDecision decideWheel(const Layout& layout, const ViewTransform& view, ScreenPoint mouse,
                          int rotation, bool ctrl, const TrackCatalog& catalog,
                          const SceneryCatalog& scenery);

// The cursor's world position for the status bar, in the layout's display unit.
std::string coordinateText(const Layout& layout, const ViewTransform& view, ScreenPoint mouse);
// The position shown before the mouse has crossed the canvas: "x: 0  y: 0 mm", in the unit.
std::string startPositionText(Units units);

constexpr double kOutlineGrabPx = 8.0;

// The visible level whose deck outline (three points at least) has an edge within 8 pixels of
// the screen point, the nearest when several do; -1 for none.
int32_t levelOutlineUnder(const Layout& layout, const ViewTransform& view, ScreenPoint at);

// Shift-drag of a level's deck outline: every point follows the mouse from where it was.
struct OutlineDrag {
    bool active = false;
    int32_t level = -1;
    Point pressWorld;
    std::vector<Point> start;
};

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
    bool placing() const {
        return placing_.active || placingHelix_ || scenery_.placing() || block_.active;
    }
    // The selection follows the mouse (a move or a free rotation): the rest stays still.
    bool movingSelection() const { return move_.active() || rotation_.active(); }
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
    CanvasReply pressPiece(int32_t pieceId, const MouseInput& in);
    CanvasReply pressEmptyCanvas(const MouseInput& in);
    // What a left double-click opens or does, tried in order; the first taker wins.
    CanvasReply dispatchDoubleClick(const MouseInput& in);
    CanvasReply cloneAndExtendAt(int32_t piece);
    CanvasReply openResizeScenery(int32_t item);
    // Shift (without Ctrl) on a level's deck outline starts dragging it; false when none is near.
    bool beginOutlineDrag(const MouseInput& in);
    void dragOutline(const MouseInput& in);
    void dragSelection(const MouseInput& in, CanvasReply& reply);
    // Ends whatever the left button started; the mouse is released by the caller.
    CanvasReply endLeftGesture(const MouseInput& in);
    // The piece or helix under the point, as a piece id; -1 for none.
    int32_t pieceUnder(const MouseInput& in) const;
    Point world(const MouseInput& in) const;

    // Drawing tools and annotation drags.
    CanvasReply toolReply(const ToolResult& result);
    std::optional<CanvasReply> toolKey(CanvasKey key);
    std::optional<CanvasReply> pressMeasurementOrShape(const MouseInput& in);
    std::optional<CanvasReply> pressLabel(const MouseInput& in);
    CanvasReply beginAnnotationDrag(AnnotationKind kind, int32_t id, const MouseInput& in);
    Change endAnnotationDrag();

    // Commits the edit that a move or a free rotation keeps open.
    Change commitGesture(Change what);

    Document& doc_;
    Prompter& prompter_;
    std::optional<Edit> gestureEdit_; // opened when a move or free rotation begins
    CanvasView view_;
    Clipboard clipboard_;
    PlacingState placing_;
    BlockPlacing block_; // a library block dragged from the palette
    bool placingHelix_ = false;
    SceneryGestures scenery_;
    std::string helixVariant_;
    PendingPieceDrag pending_;
    SelectionMove move_;
    bool gradedMoveAccepted_ = false; // asked once while the program runs
    FreeRotation rotation_;
    OutlineDrag outlineDrag_;
    DrawingTool tool_;
    AnnotationDrag annotationDrag_;
    bool rubberBand_ = false;
    ScreenPoint bandStart_;
    ScreenPoint bandEnd_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    std::optional<ScreenPoint> lastMouse_; // the last motion over the canvas
};

} // namespace plandor
