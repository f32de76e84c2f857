#include "core/canvas/CanvasController.h"
#include "core/base/Translate.h"

#include "core/base/Units.h"
#include "core/canvas/DropArea.h"
#include "core/canvas/HitTest.h"
#include "core/canvas/PaletteActions.h"
#include "core/canvas/SelectionBounds.h"
#include "core/document/Document.h"
#include "core/editing/Delete.h"
#include "core/editing/SceneryPlacing.h"
#include "core/editing/Selection.h"
#include "core/elevation/Grades.h"
#include "core/model/HelixPlacement.h"

namespace plandor {

WheelDecision decideWheel(const Layout& layout, const ViewTransform& view, ScreenPoint mouse,
                          int rotation, bool ctrl, const TrackCatalog& catalog,
                          const SceneryCatalog& scenery) {
    if (!ctrl && piecesOrScenerySelected(layout)) {
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

CanvasKey canvasKey(const KeyStroke& key) {
    switch (key.key) {
    case KeyEscape:
        return CanvasKey::Escape;
    case KeyDelete:
        return CanvasKey::Delete;
    case KeyBackspace:
        return CanvasKey::Backspace;
    case KeyEnter:
        return CanvasKey::Enter;
    case 'R':
        return CanvasKey::R;
    default:
        return CanvasKey::Other;
    }
}

std::string coordinateText(const Layout& layout, const ViewTransform& view, ScreenPoint mouse) {
    return formatCoordinates(view.toWorldX(mouse.x), view.toWorldY(mouse.y), layout.units);
}

std::string startPositionText(Units units) {
    switch (units) {
    case Units::Centimetres:
        return "x: 0.0  y: 0.0 cm";
    case Units::Inches:
        return "x: 0.00  y: 0.00 in";
    case Units::Millimetres:
        break;
    }
    return "x: 0  y: 0 mm";
}

int32_t levelOutlineUnder(const Layout& layout, const ViewTransform& view, ScreenPoint at) {
    const Point p{view.toWorldX(at.x), view.toWorldY(at.y)};
    double nearest = view.pixelsToMm(kOutlineGrabPx);
    int32_t found = -1;
    for (const Level& level : layout.levels) {
        const std::vector<Point>& outline = level.outline;
        if (!level.visible || outline.size() < 3)
            continue;
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const double d = distanceToSegment(p, outline[i], outline[(i + 1) % outline.size()]);
            if (d <= nearest) {
                nearest = d;
                found = level.id;
            }
        }
    }
    return found;
}

namespace {
const Change kPiecesEdited(Change::kPiecesEdited);
const Change kSelection(Change::Selection);

// Marks the placed connector a ghost snapped to.
void markSnapTarget(const Layout& layout, const SnapResult& snap, CanvasOverlays& o) {
    if (!snap.found)
        return;
    const PlacedPiece* target = layout.findPiece(snap.targetPiece);
    const PieceDef* def = target ? TrackCatalog::instance().find(target->part) : nullptr;
    if (!def)
        return;
    const Pose c =
        worldConnector(Pose{target->x, target->y, target->heading}, *def, snap.targetConn);
    o.snapMarker = true;
    o.snapTarget = Point{c.x, c.y};
}
} // namespace

CanvasController::CanvasController(Document& doc, Prompter& prompter)
    : doc_(doc), prompter_(prompter), scenery_(doc) {
    doc_.addGestureEnder(this, [this] { cancelGesture(); });
}

CanvasController::~CanvasController() {
    doc_.removeGestureEnder(this);
}

Change CanvasController::commitGesture(Change what) {
    if (!gestureEdit_)
        return Change{};
    const Change change = gestureEdit_->commit(what);
    gestureEdit_.reset();
    return change;
}

Change CanvasController::cancelGesture() {
    pending_ = PendingPieceDrag{};
    rubberBand_ = false;
    placing_.snap = SnapResult{};
    block_.snap = SnapResult{};
    Change change;
    if (move_.active() || rotation_.active()) {
        move_ = SelectionMove{};
        rotation_.release();
        change = commitGesture(kPiecesEdited);
    }
    if (outlineDrag_.active) {
        outlineDrag_ = OutlineDrag{};
        change |= commitGesture(Change(Change::Levels));
    }
    change |= scenery_.release();
    change |= endAnnotationDrag();
    gestureEdit_.reset();
    return change;
}

Point CanvasController::world(const MouseInput& in) const {
    return view_.screenToWorld(in.x, in.y);
}

int32_t CanvasController::pieceUnder(const MouseInput& in) const {
    const ScreenPoint at{in.x, in.y};
    const int32_t piece = hitPiece(doc_.layout, view_.transform(), at);
    if (piece >= 0)
        return piece;
    const int32_t helix = hitHelix(doc_.layout, view_.transform(), at);
    if (helix < 0)
        return -1;
    for (const PlacedPiece& p : doc_.layout.pieces)
        if (p.helix == helix)
            return p.id;
    return -1;
}

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

CanvasReply CanvasController::leftDown(const MouseInput& in) {
    if (placing())
        return dropPlaced(in);
    if (tool_.active())
        return toolReply(tool_.click(doc_, world(in), view_.transform()));
    if (auto pressed = pressMeasurementOrShape(in))
        return *pressed;
    CanvasReply reply;
    if (!in.alt && scenery_.pressHandle(view_.transform(), {in.x, in.y}, world(in))) {
        reply.captureMouse = true;
        return reply;
    }
    if (in.alt) {
        // Free rotation turns what is selected; with nothing selected the click does nothing.
        // Beginning only reads the layout, so the edit opens once it is not refused.
        if (rotation_.begin(doc_.layout, prompter_, world(in))) {
            gestureEdit_ = doc_.begin();
            reply.captureMouse = true;
        }
        return reply;
    }
    if (auto pressed = pressLabel(in))
        return *pressed;
    const int32_t piece = pieceUnder(in);
    if (piece >= 0)
        return pressPiece(piece, in);
    if (in.shift && !in.ctrl && beginOutlineDrag(in)) {
        reply.captureMouse = true;
        return reply;
    }
    if (scenery_.pressItem(view_.transform(), {in.x, in.y}, in.shift, world(in))) {
        reply.captureMouse = true;
        reply.change = kSelection;
        reply.repaint = true;
        return reply;
    }
    return pressEmptyCanvas(in);
}

bool CanvasController::beginOutlineDrag(const MouseInput& in) {
    const int32_t levelId = levelOutlineUnder(doc_.layout, view_.transform(), {in.x, in.y});
    const Level* level = doc_.layout.findLevel(levelId);
    if (!level)
        return false;
    gestureEdit_ = doc_.begin();
    outlineDrag_ = OutlineDrag{true, levelId, world(in), level->outline};
    return true;
}

void CanvasController::dragOutline(const MouseInput& in) {
    Level* level = doc_.layout.findLevel(outlineDrag_.level);
    // The level or its outline changed under the drag: the drag ends rather than guess.
    if (!level || level->outline.size() != outlineDrag_.start.size()) {
        outlineDrag_ = OutlineDrag{};
        return;
    }
    const Point now = world(in);
    const double dx = now.x - outlineDrag_.pressWorld.x, dy = now.y - outlineDrag_.pressWorld.y;
    for (std::size_t i = 0; i < level->outline.size(); ++i)
        level->outline[i] = Point{outlineDrag_.start[i].x + dx, outlineDrag_.start[i].y + dy};
}

CanvasReply CanvasController::dropPlaced(const MouseInput& in) {
    CanvasReply reply;
    reply.releaseMouse = true;
    reply.repaint = true;
    const Point at = world(in);
    if (scenery_.placing()) {
        reply.change = scenery_.drop(at);
        return reply;
    }
    if (block_.active)
        return dropBlockAt(in);
    if (placingHelix_) {
        const double heading = placing_.ghost.heading;
        placingHelix_ = false;
        placing_ = PlacingState{};
        reply.change = placeHelix(doc_, at, heading, helixVariant_);
        return reply;
    }
    updateGhost(placing_, doc_.layout, at);
    const DropBefore before = recordBeforeDrop(doc_.layout);
    const int32_t target = placing_.snap.found ? placing_.snap.targetPiece : -1;
    const PlaceOutcome outcome = dropPiece(doc_, placing_, prompter_);
    if (!outcome.placed)
        return reply;
    if (outcome.resetViewLarge)
        view_.resetViewLarge();
    reply.change = outcome.change;
    reply.change.boundBy(dropArea(doc_.layout, before, {outcome.pieceId, outcome.twinId, target}));
    return reply;
}

CanvasReply CanvasController::dropBlockAt(const MouseInput& in) {
    CanvasReply reply;
    reply.releaseMouse = true;
    reply.repaint = true;
    moveBlockGhost(block_, doc_.layout, world(in));
    reply.change = dropBlock(doc_, block_);
    if (reply.change.any())
        return reply;
}

CanvasReply CanvasController::pressPiece(int32_t pieceId, const MouseInput& in) {
    clickPiece(doc_.layout, pieceId, in.ctrl, in.shift);
    pending_ = PendingPieceDrag{true, ScreenPoint{in.x, in.y}, world(in), pieceId};
    CanvasReply reply;
    reply.captureMouse = true;
    reply.change = kSelection;
    reply.repaint = true;
    return reply;
}

CanvasReply CanvasController::pressEmptyCanvas(const MouseInput& in) {
    clickEmptyCanvas(doc_.layout, clipboard_);
    CanvasReply reply;
    if (in.ctrl) {
        reply = beginPan(PanSource::CtrlClick, in);
        reply.labelDropPointSet = true;
        reply.labelDropPoint = world(in);
    } else {
        rubberBand_ = true;
        bandStart_ = bandEnd_ = ScreenPoint{in.x, in.y};
        reply.captureMouse = true;
    }
    reply.change = kSelection;
    reply.repaint = true;
    return reply;
}

CanvasReply CanvasController::endLeftGesture(const MouseInput& in) {
    CanvasReply reply;
    if (move_.active()) {
        move_.release(doc_.layout);
        reply.change |= commitGesture(kPiecesEdited);
    }
    pending_ = PendingPieceDrag{};
    if (outlineDrag_.active) {
        outlineDrag_ = OutlineDrag{};
        reply.change |= commitGesture(Change(Change::Levels));
    }
    if (rubberBand_) {
        rubberBand_ = false;
        rubberBandSelect(doc_.layout, clipboard_, view_.transform(), bandStart_,
                         ScreenPoint{in.x, in.y});
        reply.change |= kSelection;
    }
    if (rotation_.active()) {
        rotation_.release();
        reply.change |= commitGesture(kPiecesEdited);
    }
    reply.change |= scenery_.release();
    reply.change |= endAnnotationDrag();
    reply.repaint = true;
    return reply;
}

CanvasReply CanvasController::leftUp(const MouseInput& in) {
    const PanSource source = view_.panSource();
    if (source == PanSource::SpaceBar || source == PanSource::CtrlClick)
        return endPan();
    // A block dragged from the palette lands where the button is let go over the canvas;
    // let go elsewhere, it follows the mouse until a click.
    if (block_.active && !view_.panning() && in.x >= 0 && in.y >= 0 && in.x < clientWidth_ &&
        in.y < clientHeight_)
        return dropBlockAt(in);
    // While placing the drop comes with the next press; a middle-button pan is not ours.
    if (placing() || view_.panning())
        return CanvasReply{};
    CanvasReply reply = endLeftGesture(in);
    reply.releaseMouse = true;
    return reply;
}

CanvasReply CanvasController::leftDoubleClick(const MouseInput& in) {
    if (in.alt || placing() || tool_.active())
        return CanvasReply{};
    return dispatchDoubleClick(in);
}

// What a double-click does goes by what lies under the mouse: a label asks for its text, a
// piece clones itself, a shape opens "Shape Properties", a scenery item "Resize Scenery".
CanvasReply CanvasController::dispatchDoubleClick(const MouseInput& in) {
    const ScreenPoint at{in.x, in.y};
    // A label lies over everything else on the plan, so it is the one double-clicked.
    const int32_t label = hitLabel(doc_.layout, view_.transform(), at);
    if (label >= 0) {
        CanvasReply reply;
        // The press before began dragging the label; the dialog comes after that drag.
        reply.change = endAnnotationDrag();
        reply.releaseMouse = true;
        reply.editLabel = label;
        return reply;
    }
    const int32_t piece = hitPiece(doc_.layout, view_.transform(), at);
    if (piece >= 0)
        return cloneAndExtendAt(piece);
    const int32_t shape = hitShape(doc_.layout, view_.transform(), at);
    if (shape >= 0) {
        CanvasReply reply;
        // The press before left a drag open; the dialog comes after it.
        reply.change = endAnnotationDrag();
        reply.releaseMouse = true;
        reply.openShapeProperties = shape;
        return reply;
    }
    const int32_t item = hitScenery(doc_.layout, view_.transform(), at);
    if (item >= 0)
        return openResizeScenery(item);
    return CanvasReply{};
}

CanvasReply CanvasController::cloneAndExtendAt(int32_t piece) {
    CanvasReply reply;
    // The press before the double-click may have left a pending drag; the clone ends it.
    pending_ = PendingPieceDrag{};
    reply.change = cloneAndExtend(doc_, piece);
    reply.repaint = reply.change.any();
    return reply;
}

CanvasReply CanvasController::openResizeScenery(int32_t item) {
    CanvasReply reply;
    // The press before the double-click started a drag of the item; the dialog ends it.
    reply.change = scenery_.release();
    reply.releaseMouse = true;
    reply.resizeScenery = item;
    return reply;
}

CanvasReply CanvasController::rightDown(const MouseInput& in) {
    CanvasReply reply;
    reply.repaint = true;
    if (placing()) {
        if (scenery_.placing())
            scenery_.turnGhost(kSceneryTurnStep);
        else if (block_.active)
            turnBlockGhost(block_, doc_.layout, kGhostTurnStep);
        else if (placingHelix_)
            placing_.ghost.heading = normalizeHeading(placing_.ghost.heading + kGhostTurnStep);
        else
            rotateGhost(placing_, doc_.layout, kGhostTurnStep);
        return reply;
    }
    if (in.alt) {
        reply.change = rotateSelectionByCommand(doc_, prompter_);
        return reply;
    }
    const int32_t label = hitLabel(doc_.layout, view_.transform(), ScreenPoint{in.x, in.y});
    if (label >= 0) {
        reply.menu = labelMenu(doc_.layout, label);
        reply.menuLabel = label;
        reply.change = kSelection;
        return reply;
    }
    reply.menu = contextMenu(doc_.layout, clipboard_, pieceUnder(in), in.shift);
    reply.menuWorld = world(in);
    reply.change = kSelection;
    return reply;
}

void CanvasController::dragSelection(const MouseInput& in, CanvasReply& reply) {
    if (pending_.active) {
        if (!pastDragThreshold(pending_.pressScreen, ScreenPoint{in.x, in.y}))
            return;
        pending_.active = false;
        // Beginning only reads the layout (and widens the selection): the edit opens once it
        // is not refused.
        if (!move_.begin(doc_.layout, prompter_, gradedMoveAccepted_, pending_.pressWorld)) {
            reply.releaseMouse = true;
            reply.change = kSelection;
            return;
        }
        gestureEdit_ = doc_.begin();
    }
    move_.motion(doc_.layout, world(in));
    reply.redrawPicture = true;
}

CanvasReply CanvasController::motion(const MouseInput& in) {
    CanvasReply reply;
    const bool dragging = pending_.active || move_.active() || rotation_.active() ||
                          outlineDrag_.active || scenery_.busy() || annotationDrag_.active();
    if (view_.panning()) {
        view_.panTo(in.x, in.y);
        reply.repaint = true;
    } else if (scenery_.placing()) {
        scenery_.moveGhost(world(in));
        reply.repaint = true;
    } else if (scenery_.busy() && in.leftDown) {
        reply.redrawPicture = scenery_.motion(world(in));
    } else if (block_.active) {
        moveBlockGhost(block_, doc_.layout, world(in));
        reply.repaint = true;
    } else if (placingHelix_) {
        const Point at = world(in);
        placing_.ghost.x = at.x;
        placing_.ghost.y = at.y;
        reply.repaint = true;
    } else if (placing_.active) {
        updateGhost(placing_, doc_.layout, world(in));
        reply.repaint = true;
    } else if (tool_.active()) {
        tool_.motion(world(in));
        reply.repaint = true;
    } else if (in.leftDown && in.space && !dragging) {
        // Space held while dragging with the left button pans from here on.
        rubberBand_ = false;
        reply = beginPan(PanSource::SpaceBar, in);
    } else if (rotation_.active() && in.leftDown) {
        reply.startFlashTimer = rotation_.motion(doc_.layout, world(in));
        reply.redrawPicture = true;
    } else if ((pending_.active || move_.active()) && in.leftDown) {
        dragSelection(in, reply);
    } else if (annotationDrag_.active() && in.leftDown) {
        annotationDrag_.motion(doc_.layout, world(in));
        reply.redrawPicture = true;
    } else if (outlineDrag_.active && in.leftDown) {
        dragOutline(in);
        reply.redrawPicture = true;
    } else if (rubberBand_) {
        bandEnd_ = ScreenPoint{in.x, in.y};
        reply.repaint = true;
    }
    if (reply.change.any() || reply.redrawPicture)
        reply.repaint = true;
    lastMouse_ = ScreenPoint{in.x, in.y};
    reply.position = positionText();
    return reply;
}

std::string CanvasController::positionText() const {
    if (!lastMouse_)
        return startPositionText(doc_.layout.units);
    return coordinateText(doc_.layout, view_.transform(), *lastMouse_);
}

CanvasReply CanvasController::wheel(const MouseInput& in, int rotation) {
    CanvasReply reply;
    reply.repaint = true;
    if (scenery_.placing()) {
        scenery_.moveGhost(world(in));
        scenery_.turnGhost(ghostWheelStep(rotation, in.shift));
        return reply;
    }
    if (placingHelix_) {
        placing_.ghost.heading =
            normalizeHeading(placing_.ghost.heading + ghostWheelStep(rotation, in.shift));
        return reply;
    }
    if (block_.active) {
        moveBlockGhost(block_, doc_.layout, world(in));
        turnBlockGhost(block_, doc_.layout, ghostWheelStep(rotation, in.shift));
        return reply;
    }
    if (placing_.active) {
        updateGhost(placing_, doc_.layout, world(in));
        rotateGhost(placing_, doc_.layout, ghostWheelStep(rotation, in.shift));
        return reply;
    }
    const WheelDecision decision =
        decideWheel(doc_.layout, view_.transform(), ScreenPoint{in.x, in.y}, rotation, in.ctrl,
                    TrackCatalog::instance(), SceneryCatalog::instance());
    if (decision.action == WheelAction::RotateSelection)
        return rotateSelectionByWheel(decision, in, rotation);
    view_.zoomAbout(decision.zoomFactor, in.x, in.y, zoomOutLimit());
    return reply;
}

CanvasReply CanvasController::rotateSelectionByWheel(const WheelDecision& decision,
                                                     const MouseInput& in, int rotation) {
    CanvasReply reply;
    reply.change = doc_.apply([&] {
        rotateSelection(doc_.layout, decision.pivot, selectionWheelStep(rotation, in.shift));
        return kPiecesEdited;
    });
    reply.repaint = true;
    return reply;
}

CanvasReply CanvasController::keyDown(CanvasKey key, const MouseInput& modifiers) {
    if (auto reply = toolKey(key))
        return *reply;
    if (placing()) {
        if (key == CanvasKey::Escape)
            return cancelPlacing();
        if (key == CanvasKey::R) {
            MouseInput noAlt = modifiers;
            noAlt.alt = false;
            CanvasReply reply = rightDown(noAlt); // the same 30-degree turn as the right button
            return reply;
        }
    }
    if (key == CanvasKey::Escape) {
        clearSelection(doc_.layout);
        CanvasReply reply;
        reply.repaint = true;
        reply.change = kSelection;
        return reply;
    }
    if (key == CanvasKey::Delete || key == CanvasKey::Backspace)
        return deleteKey();
    CanvasReply reply;
    reply.skip = true;
    return reply;
}

CanvasReply CanvasController::captureLost() {
    CanvasReply reply;
    if (view_.panning())
        reply = endPan();
    else if (!placing())
        reply = endLeftGesture(MouseInput{bandStart_.x, bandStart_.y});
    reply.releaseMouse = false; // the capture is already gone
    return reply;
}

CanvasReply CanvasController::deleteSelection() {
    CanvasReply reply;
    reply.change = plandor::deleteSelection(doc_, prompter_);
    reply.repaint = reply.change.any();
    return reply;
}

CanvasReply CanvasController::beginPlacing(const PaletteAction& action) {
    CanvasReply reply;
    const Point start = view_.screenToWorld(kPlacingStartX, kPlacingStartY);
    if (action.kind != PaletteAction::Kind::BeginBlockPlacing)
        block_ = BlockPlacing{};
    if (action.kind == PaletteAction::Kind::BeginPlacing) {
        placingHelix_ = false;
        scenery_.cancelPlacing();
        if (!plandor::beginPlacing(placing_, action.key, start))
            return reply;
    } else if (action.kind == PaletteAction::Kind::BeginSceneryPlacing) {
        reply.change |= scenery_.release();
        if (!scenery_.beginPlacing(action.key, start))
            return reply;
        placingHelix_ = false;
        placing_ = PlacingState{};
    } else if (action.kind == PaletteAction::Kind::BeginHelixPlacing) {
        scenery_.cancelPlacing();
        placing_ = PlacingState{};
        placing_.ghost = Pose{start.x, start.y, 0};
        placingHelix_ = true;
        helixVariant_ = action.key;
    } else if (action.kind == PaletteAction::Kind::BeginBlockPlacing) {
        if (!beginBlockPlacing(block_, action.key, start, doc_.layout, prompter_))
            return reply;
        scenery_.cancelPlacing();
        placing_ = PlacingState{};
        placingHelix_ = false;
    } else {
        return reply;
    }
    pending_ = PendingPieceDrag{};
    if (outlineDrag_.active) {
        outlineDrag_ = OutlineDrag{};
        reply.change |= commitGesture(Change(Change::Levels));
    }
    rubberBand_ = false;
    reply.captureMouse = true;
    reply.repaint = true;
    return reply;
}

CanvasReply CanvasController::cancelPlacing() {
    plandor::cancelPlacing(placing_);
    block_ = BlockPlacing{};
    placingHelix_ = false;
    scenery_.cancelPlacing();
    CanvasReply reply;
    reply.releaseMouse = true;
    reply.repaint = true;
    return reply;
}

CanvasReply CanvasController::endFlash() {
    rotation_.endFlash();
    CanvasReply reply;
    reply.repaint = true;
    return reply;
}

void CanvasController::copy() {
    copySelection(doc_.layout, clipboard_);
}

CanvasReply CanvasController::cut() {
    Clipboard copied;
    copySelection(doc_.layout, copied);
    if (copied.empty())
        return CanvasReply{};
    CanvasReply reply = deleteSelection();
    if (reply.change.modified)
        clipboard_ = std::move(copied);
    return reply;
}

CanvasReply CanvasController::paste(bool mouseOverCanvas, ScreenPoint mouse) {
    const bool inside = mouseOverCanvas && mouse.x >= 0 && mouse.y >= 0 && mouse.x < clientWidth_ &&
                        mouse.y < clientHeight_;
    const ScreenPoint at = inside ? mouse : ScreenPoint{clientWidth_ / 2, clientHeight_ / 2};
    return pasteAt(view_.screenToWorld(at.x, at.y));
}

CanvasReply CanvasController::pasteAt(Point world) {
    CanvasReply reply;
    if (clipboard_.empty())
        return reply;
    Edit edit = doc_.begin();
    plandor::pasteAt(doc_.layout, clipboard_, world);
    reply.change = edit.commit(kPiecesEdited);
    reply.repaint = true;
    return reply;
}

CanvasOverlays CanvasController::overlays() const {
    CanvasOverlays o;
    if (placing_.active) {
        o.ghostPiece = true;
        o.ghostPart = placing_.part;
        o.ghostPose = placing_.snap.found ? placing_.snap.pose : placing_.ghost;
        markSnapTarget(doc_.layout, placing_.snap, o);
    } else if (block_.active) {
        o.ghostBlock = blockGhost(block_);
        markSnapTarget(doc_.layout, block_.snap, o);
    } else if (placingHelix_) {
        o.ghostHelix = true;
        o.helixVariant = helixVariant_;
        o.ghostPose = placing_.ghost;
    } else if (scenery_.placing()) {
        o.ghostScenery = true;
        o.ghostSceneryKey = scenery_.ghostKey();
        o.ghostSceneryPose = scenery_.ghost();
    }
    o.sceneryHandles = sceneryHandleScreenPoints(doc_.layout, view_.transform(), o.handles);
    if (rubberBand_) {
        o.rubberBand = true;
        o.bandStart = bandStart_;
        o.bandEnd = bandEnd_;
    }
    if (rotation_.active()) {
        o.freeRotation = true;
        o.pivot = rotation_.pivot();
        o.referenceHeading = rotation_.referenceHeading();
        o.flash = rotation_.flash();
    }
    o.tool = tool_.overlay(view_.transform(), doc_.layout.units);
    return o;
}

double CanvasController::zoomOutLimit() const {
    return plandor::zoomOutLimit(doc_.layout, clientWidth_, clientHeight_,
                                 TrackCatalog::instance());
}

void CanvasController::zoomIn() {
    view_.zoomIn(clientWidth_, clientHeight_, zoomOutLimit());
}

void CanvasController::zoomOut() {
    view_.zoomOut(clientWidth_, clientHeight_, zoomOutLimit());
}

void CanvasController::zoomToFit() {
    view_.zoomToFit(doc_.layout, clientWidth_, clientHeight_);
}

} // namespace plandor

namespace plandor {

CanvasReply CanvasController::deleteKey() {
    if (auto reply = toolKey(CanvasKey::Backspace))
        return *reply;
    return deleteSelection();
}

CanvasReply CanvasController::setToolMode(ToolMode mode) {
    tool_.start(mode);
    CanvasReply reply;
    reply.repaint = true;
    return reply;
}

CanvasReply CanvasController::toolReply(const ToolResult& result) {
    CanvasReply reply;
    reply.repaint = result.repaint;
    reply.change = result.change;
    reply.toolEnded = result.ended;
    if (result.ended == ToolMode::Baseboard)
        reply.change |= Change::saying(tr(kReadyStatus)); // the drawing hint goes
    return reply;
}

std::optional<CanvasReply> CanvasController::toolKey(CanvasKey key) {
    ToolResult result;
    if (key == CanvasKey::Escape)
        result = tool_.escape();
    else if (key == CanvasKey::Backspace)
        result = tool_.backspace();
    else if (key == CanvasKey::Enter)
        result = tool_.enter(doc_);
    if (!result.handled)
        return std::nullopt;
    return toolReply(result);
}

std::optional<CanvasReply> CanvasController::pressMeasurementOrShape(const MouseInput& in) {
    if (in.ctrl || in.shift || in.alt)
        return std::nullopt;
    const ScreenPoint at{in.x, in.y};
    if (const int32_t id = hitMeasurement(doc_.layout, view_.transform(), at); id >= 0)
        return beginAnnotationDrag(AnnotationKind::Measurement, id, in);
    if (const int32_t id = hitShape(doc_.layout, view_.transform(), at); id >= 0)
        return beginAnnotationDrag(AnnotationKind::Shape, id, in);
    return std::nullopt;
}

std::optional<CanvasReply> CanvasController::pressLabel(const MouseInput& in) {
    if (in.ctrl || in.shift || in.alt)
        return std::nullopt;
    const int32_t id = hitLabel(doc_.layout, view_.transform(), ScreenPoint{in.x, in.y});
    if (id < 0)
        return std::nullopt;
    return beginAnnotationDrag(AnnotationKind::Label, id, in);
}

CanvasReply CanvasController::beginAnnotationDrag(AnnotationKind kind, int32_t id,
                                                  const MouseInput& in) {
    if (kind == AnnotationKind::Measurement)
        selectMeasurementAlone(doc_.layout, id);
    else if (kind == AnnotationKind::Shape)
        selectShapeAlone(doc_.layout, id);
    else
        selectLabelAlone(doc_.layout, id);
    // A measurement or shape drag is one undo step from the press; a label drag is none.
    if (kind != AnnotationKind::Label)
        gestureEdit_ = doc_.begin();
    annotationDrag_.begin(doc_.layout, kind, id, world(in));
    CanvasReply reply;
    reply.captureMouse = true;
    reply.change = kSelection;
    reply.repaint = true;
    return reply;
}

Change CanvasController::endAnnotationDrag() {
    if (!annotationDrag_.active())
        return Change{};
    const AnnotationKind kind = annotationDrag_.kind();
    const Change moved = annotationDrag_.moved() ? Change(Change::Annotations) : Change{};
    annotationDrag_.end();
    if (kind == AnnotationKind::Label)
        return doc_.commitWithoutUndo(moved);
    return commitGesture(moved.any() ? moved : kSelection);
}

CanvasReply CanvasController::editLabelText(int32_t labelId) {
    CanvasReply reply;
    reply.change = plandor::editLabelText(doc_, prompter_, labelId);
    reply.repaint = reply.change.any();
    return reply;
}

CanvasReply CanvasController::applyShapeProperties(int32_t shapeId, const ShapeProperties& props) {
    CanvasReply reply;
    if (!doc_.layout.findShape(shapeId))
        return reply;
    Edit edit = doc_.begin();
    PolygonShape& shape = *doc_.layout.findShape(shapeId);
    const PolygonShape before = shape;
    plandor::applyShapeProperties(shape, props, doc_.layout.units);
    // OK without a change of value leaves no undo step.
    reply.change = edit.commit(shape == before ? Change{} : Change(Change::Annotations));
    reply.repaint = reply.change.any();
    return reply;
}

} // namespace plandor
