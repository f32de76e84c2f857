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
        return shownNumber("x: 0.0  y: 0.0 cm");
    case Units::Inches:
        return shownNumber("x: 0.00  y: 0.00 in");
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

using namespace gesture;

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
    : doc_(doc), prompter_(prompter) {
    doc_.addGestureEnder(this, [this] { cancelGesture(); });
}

CanvasController::~CanvasController() {
    doc_.removeGestureEnder(this);
}

bool CanvasController::placing() const {
    if (const SceneryGestures* scenery = current<SceneryGestures>())
        return scenery->placing();
    return current<PlacePiece>() || current<PlaceHelix>() || current<PlaceBlock>();
}

Change CanvasController::endDrag(std::optional<ScreenPoint> release) {
    Change change;
    if (MoveSelection* m = current<MoveSelection>()) {
        if (release)
            m->move.release(doc_.layout);
        change = m->edit.commit(kPiecesEdited);
    } else if (RotateSelection* r = current<RotateSelection>()) {
        change = r->edit.commit(kPiecesEdited);
    } else if (DragOutline* o = current<DragOutline>()) {
        change = o->edit.commit(Change(Change::Levels));
    } else if (DragAnnotation* a = current<DragAnnotation>()) {
        const Change moved = a->drag.moved() ? Change(Change::Annotations) : Change{};
        change = a->edit ? a->edit->commit(moved.any() ? moved : kSelection)
                         : doc_.commitWithoutUndo(moved);
    } else if (SceneryGestures* scenery = current<SceneryGestures>()) {
        if (scenery->placing())
            return Change{};
        change = scenery->release();
    } else if (RubberBand* band = current<RubberBand>()) {
        if (release) {
            rubberBandSelect(doc_.layout, clipboard_, view_.transform(), band->start, *release);
            change = kSelection;
        }
    } else if (!current<PressPiece>()) {
        return Change{}; // nothing under way, or a ghost being placed
    }
    gesture_ = None{};
    return change;
}

Change CanvasController::cancelGesture() {
    // A ghost being placed stays, but aims anew: its snap target may be gone.
    if (PlacePiece* p = current<PlacePiece>())
        p->placing.snap = SnapResult{};
    else if (PlaceBlock* b = current<PlaceBlock>())
        b->block.snap = SnapResult{};
    return endDrag(std::nullopt);
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
    reply.cursor = CanvasCursor::Hand;
    reply.mouse = MouseCapture::Take;
    reply.redraw = Redraw::Overlays;
    return reply;
}

CanvasReply CanvasController::endPan() {
    view_.endPan();
    CanvasReply reply;
    reply.cursor = CanvasCursor::Normal;
    reply.mouse = MouseCapture::Release;
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
    if (!in.alt) {
        SceneryGestures scenery(doc_);
        if (scenery.pressHandle(view_.transform(), {in.x, in.y}, world(in))) {
            gesture_ = std::move(scenery);
            reply.mouse = MouseCapture::Take;
            return reply;
        }
    }
    if (in.alt) {
        // Free rotation turns what is selected; with nothing selected the click does nothing.
        // Beginning only reads the layout, so the edit opens once it is not refused.
        FreeRotation rotation;
        if (rotation.begin(doc_.layout, prompter_, world(in))) {
            gesture_ = RotateSelection{rotation, doc_.begin()};
            reply.mouse = MouseCapture::Take;
        }
        return reply;
    }
    if (auto pressed = pressLabel(in))
        return *pressed;
    const int32_t piece = pieceUnder(in);
    if (piece >= 0) {
        clickPiece(doc_.layout, piece, in.ctrl, in.shift);
        return pressPiece(in);
    }
    if (in.shift && !in.ctrl && beginOutlineDrag(in)) {
        reply.mouse = MouseCapture::Take;
        return reply;
    }
    SceneryGestures scenery(doc_);
    if (scenery.pressItem(view_.transform(), {in.x, in.y}, in.shift, world(in))) {
        gesture_ = std::move(scenery);
        reply.mouse = MouseCapture::Take;
        reply.change = kSelection;
        reply.redraw = Redraw::Overlays;
        return reply;
    }
    return pressEmptyCanvas(in);
}

bool CanvasController::beginOutlineDrag(const MouseInput& in) {
    const int32_t levelId = levelOutlineUnder(doc_.layout, view_.transform(), {in.x, in.y});
    const Level* level = doc_.layout.findLevel(levelId);
    if (!level)
        return false;
    gesture_ = DragOutline{levelId, world(in), level->outline, doc_.begin()};
    return true;
}

void CanvasController::dragOutline(const MouseInput& in) {
    const DragOutline& drag = std::get<DragOutline>(gesture_);
    Level* level = doc_.layout.findLevel(drag.level);
    // The level or its outline changed under the drag: the drag ends rather than guess.
    if (!level || level->outline.size() != drag.start.size()) {
        gesture_ = None{};
        return;
    }
    const Point now = world(in);
    const double dx = now.x - drag.pressWorld.x, dy = now.y - drag.pressWorld.y;
    for (std::size_t i = 0; i < level->outline.size(); ++i)
        level->outline[i] = Point{drag.start[i].x + dx, drag.start[i].y + dy};
}

CanvasReply CanvasController::dropPlaced(const MouseInput& in) {
    CanvasReply reply;
    reply.mouse = MouseCapture::Release;
    reply.redraw = Redraw::Overlays;
    const Point at = world(in);
    if (SceneryGestures* scenery = current<SceneryGestures>()) {
        reply.change = scenery->drop(at);
        gesture_ = None{};
        return reply;
    }
    if (current<PlaceBlock>())
        return dropBlockAt(in);
    if (PlaceHelix* helix = current<PlaceHelix>()) {
        const PlaceHelix placed = std::move(*helix);
        gesture_ = None{};
        reply.change = placeHelix(doc_, at, placed.ghost.heading, placed.variant);
        return reply;
    }
    PlacingState placed = std::move(std::get<PlacePiece>(gesture_).placing);
    gesture_ = None{};
    updateGhost(placed, doc_.layout, at);
    const DropBefore before = recordBeforeDrop(doc_.layout);
    const int32_t target = placed.snap.found ? placed.snap.targetPiece : -1;
    const PlaceOutcome outcome = dropPiece(doc_, placed, prompter_);
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
    reply.mouse = MouseCapture::Release;
    reply.redraw = Redraw::Overlays;
    BlockPlacing block = std::move(std::get<PlaceBlock>(gesture_).block);
    gesture_ = None{};
    moveBlockGhost(block, doc_.layout, world(in));
    reply.change = dropBlock(doc_, block);
    return reply;
}

void CanvasController::moveGhost(Point at) {
    if (SceneryGestures* scenery = current<SceneryGestures>()) {
        scenery->moveGhost(at);
    } else if (PlaceBlock* b = current<PlaceBlock>()) {
        moveBlockGhost(b->block, doc_.layout, at);
    } else if (PlaceHelix* helix = current<PlaceHelix>()) {
        helix->ghost.x = at.x;
        helix->ghost.y = at.y;
    } else if (PlacePiece* p = current<PlacePiece>()) {
        updateGhost(p->placing, doc_.layout, at);
    }
}

void CanvasController::turnGhost(double degrees) {
    if (SceneryGestures* scenery = current<SceneryGestures>())
        scenery->turnGhost(degrees);
    else if (PlaceBlock* b = current<PlaceBlock>())
        turnBlockGhost(b->block, doc_.layout, degrees);
    else if (PlaceHelix* helix = current<PlaceHelix>())
        helix->ghost.heading = normalizeHeading(helix->ghost.heading + degrees);
    else if (PlacePiece* p = current<PlacePiece>())
        rotateGhost(p->placing, doc_.layout, degrees);
}

CanvasReply CanvasController::pressPiece(const MouseInput& in) {
    gesture_ = PressPiece{ScreenPoint{in.x, in.y}, world(in)};
    CanvasReply reply;
    reply.mouse = MouseCapture::Take;
    reply.change = kSelection;
    reply.redraw = Redraw::Overlays;
    return reply;
}

CanvasReply CanvasController::pressEmptyCanvas(const MouseInput& in) {
    clickEmptyCanvas(doc_.layout, clipboard_);
    CanvasReply reply;
    if (in.ctrl) {
        reply = beginPan(PanSource::CtrlClick, in);
        reply.request = request::LabelDropPoint{world(in)};
    } else {
        gesture_ = RubberBand{ScreenPoint{in.x, in.y}, ScreenPoint{in.x, in.y}};
        reply.mouse = MouseCapture::Take;
    }
    reply.change = kSelection;
    reply.redraw = Redraw::Overlays;
    return reply;
}

CanvasReply CanvasController::leftUp(const MouseInput& in) {
    const PanSource source = view_.panSource();
    if (source == PanSource::SpaceBar || source == PanSource::CtrlClick)
        return endPan();
    // A block dragged from the palette lands where the button is let go over the canvas;
    // let go elsewhere, it follows the mouse until a click.
    if (current<PlaceBlock>() && !view_.panning() && in.x >= 0 && in.y >= 0 &&
        in.x < clientWidth_ && in.y < clientHeight_)
        return dropBlockAt(in);
    // While placing the drop comes with the next press; a middle-button pan is not ours.
    if (placing() || view_.panning())
        return CanvasReply{};
    CanvasReply reply;
    reply.change = endDrag(ScreenPoint{in.x, in.y});
    reply.redraw = Redraw::Overlays;
    reply.mouse = MouseCapture::Release;
    return reply;
}

CanvasReply CanvasController::leftDoubleClick(const MouseInput& in) {
    if (in.alt || placing() || tool_.active())
        return CanvasReply{};
    return dispatchDoubleClick(in);
}

// What a double-click does goes by what lies under the mouse: a label asks for its text, a
// piece clones itself, a shape opens "Shape Properties", a scenery item "Resize Scenery". The
// press before began a drag of what it hit; the clone or the dialog comes after that drag.
CanvasReply CanvasController::dispatchDoubleClick(const MouseInput& in) {
    const ScreenPoint at{in.x, in.y};
    CanvasReply reply;
    // A label lies over everything else on the plan, so it is the one double-clicked.
    if (const int32_t label = hitLabel(doc_.layout, view_.transform(), at); label >= 0) {
        reply.request = request::EditLabel{label};
    } else if (const int32_t piece = hitPiece(doc_.layout, view_.transform(), at); piece >= 0) {
        reply.change = endDrag(std::nullopt);
        reply.change |= cloneAndExtend(doc_, piece);
        reply.redraw = reply.change.any() ? Redraw::Overlays : Redraw::None;
        return reply;
    } else if (const int32_t shape = hitShape(doc_.layout, view_.transform(), at); shape >= 0) {
        reply.request = request::OpenShapeProperties{shape};
    } else if (const int32_t item = hitScenery(doc_.layout, view_.transform(), at); item >= 0) {
        reply.request = request::OpenResizeScenery{item};
    } else {
        return reply;
    }
    reply.change = endDrag(std::nullopt);
    reply.mouse = MouseCapture::Release;
    return reply;
}

CanvasReply CanvasController::rightDown(const MouseInput& in) {
    CanvasReply reply;
    reply.redraw = Redraw::Overlays;
    if (placing()) {
        turnGhost(current<SceneryGestures>() ? kSceneryTurnStep : kGhostTurnStep);
        return reply;
    }
    if (in.alt) {
        reply.change = rotateSelectionByCommand(doc_, prompter_);
        return reply;
    }
    reply.change = kSelection;
    const int32_t label = hitLabel(doc_.layout, view_.transform(), ScreenPoint{in.x, in.y});
    if (label >= 0) {
        reply.request = request::ShowMenu{labelMenu(doc_.layout, label), Point{}, label};
        return reply;
    }
    reply.request = request::ShowMenu{
        contextMenu(doc_.layout, clipboard_, pieceUnder(in), in.shift), world(in)};
    return reply;
}

void CanvasController::dragSelection(const MouseInput& in, CanvasReply& reply) {
    if (const PressPiece* press = current<PressPiece>()) {
        if (!pastDragThreshold(press->pressScreen, ScreenPoint{in.x, in.y}))
            return;
        const Point pressWorld = press->pressWorld;
        gesture_ = None{};
        // Beginning only reads the layout (and widens the selection): the edit opens once it
        // is not refused.
        SelectionMove move;
        if (!move.begin(doc_.layout, prompter_, gradedMoveAccepted_, pressWorld)) {
            reply.mouse = MouseCapture::Release;
            reply.change = kSelection;
            return;
        }
        gesture_ = MoveSelection{std::move(move), doc_.begin()};
    }
    std::get<MoveSelection>(gesture_).move.motion(doc_.layout, world(in));
    reply.redraw = Redraw::Picture;
}

void CanvasController::drag(const MouseInput& in, CanvasReply& reply) {
    if (RubberBand* band = current<RubberBand>()) {
        band->end = ScreenPoint{in.x, in.y};
        reply.redraw = Redraw::Overlays;
        return;
    }
    if (!in.leftDown)
        return;
    if (RotateSelection* r = current<RotateSelection>()) {
        if (r->rotation.motion(doc_.layout, world(in)))
            reply.request = request::FlashTimer{};
        reply.redraw = Redraw::Picture;
    } else if (current<PressPiece>() || current<MoveSelection>()) {
        dragSelection(in, reply);
    } else if (DragAnnotation* a = current<DragAnnotation>()) {
        a->drag.motion(doc_.layout, world(in));
        reply.redraw = Redraw::Picture;
    } else if (current<DragOutline>()) {
        dragOutline(in);
        reply.redraw = Redraw::Picture;
    } else if (SceneryGestures* scenery = current<SceneryGestures>()) {
        if (scenery->motion(world(in)))
            reply.redraw = Redraw::Picture;
    }
}

CanvasReply CanvasController::motion(const MouseInput& in) {
    CanvasReply reply;
    if (view_.panning()) {
        view_.panTo(in.x, in.y);
        reply.redraw = Redraw::Overlays;
    } else if (placing()) {
        moveGhost(world(in));
        reply.redraw = Redraw::Overlays;
    } else if (tool_.active()) {
        tool_.motion(world(in));
        reply.redraw = Redraw::Overlays;
    } else if (in.leftDown && in.space &&
               (std::holds_alternative<None>(gesture_) || current<RubberBand>())) {
        // Space held while dragging with the left button pans from here on.
        gesture_ = None{};
        reply = beginPan(PanSource::SpaceBar, in);
    } else {
        drag(in, reply);
    }
    if (reply.change.any() && reply.redraw == Redraw::None)
        reply.redraw = Redraw::Overlays;
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
    reply.redraw = Redraw::Overlays;
    if (placing()) {
        // The helix turns where it stands; the others follow the mouse first.
        if (!current<PlaceHelix>())
            moveGhost(world(in));
        turnGhost(ghostWheelStep(rotation, in.shift));
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
    reply.redraw = Redraw::Overlays;
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
            return rightDown(noAlt); // the same turn as the right button
        }
    }
    CanvasReply reply;
    if (key == CanvasKey::Escape) {
        clearSelection(doc_.layout);
        reply.redraw = Redraw::Overlays;
        reply.change = kSelection;
        return reply;
    }
    if (key == CanvasKey::Delete || key == CanvasKey::Backspace)
        return deleteKey();
    reply.skip = true;
    return reply;
}

CanvasReply CanvasController::captureLost() {
    CanvasReply reply;
    if (view_.panning()) {
        reply = endPan();
    } else if (!placing()) {
        // A rubber band cut short selects what lies on its starting point.
        const RubberBand* band = current<RubberBand>();
        reply.change = endDrag(band ? band->start : ScreenPoint{});
        reply.redraw = Redraw::Overlays;
    }
    reply.mouse = MouseCapture::Keep; // the capture is already gone
    return reply;
}

CanvasReply CanvasController::deleteSelection() {
    CanvasReply reply;
    reply.change = plandor::deleteSelection(doc_, prompter_);
    reply.redraw = reply.change.any() ? Redraw::Overlays : Redraw::None;
    return reply;
}

CanvasReply CanvasController::beginPlacing(const PaletteAction& action) {
    CanvasReply reply;
    const Point start = view_.screenToWorld(kPlacingStartX, kPlacingStartY);
    // The new ghost is made first: a refused one leaves whatever was under way.
    Gesture next;
    switch (action.kind) {
    case PaletteAction::Kind::BeginPlacing: {
        PlacingState placed;
        if (!plandor::beginPlacing(placed, action.key, start))
            return reply;
        next = PlacePiece{std::move(placed)};
        break;
    }
    case PaletteAction::Kind::BeginSceneryPlacing: {
        SceneryGestures& scenery = next.emplace<SceneryGestures>(doc_);
        if (!scenery.beginPlacing(action.key, start))
            return reply;
        break;
    }
    case PaletteAction::Kind::BeginHelixPlacing:
        next = PlaceHelix{action.key, Pose{start.x, start.y, 0}};
        break;
    case PaletteAction::Kind::BeginBlockPlacing: {
        BlockPlacing block;
        if (!beginBlockPlacing(block, action.key, start, doc_.layout, prompter_))
            return reply;
        next = PlaceBlock{std::move(block)};
        break;
    }
    default:
        return reply;
    }
    reply.change |= endDrag(std::nullopt);
    gesture_ = std::move(next);
    reply.mouse = MouseCapture::Take;
    reply.redraw = Redraw::Overlays;
    return reply;
}

CanvasReply CanvasController::cancelPlacing() {
    if (placing())
        gesture_ = None{};
    CanvasReply reply;
    reply.mouse = MouseCapture::Release;
    reply.redraw = Redraw::Overlays;
    return reply;
}

CanvasReply CanvasController::endFlash() {
    if (RotateSelection* r = current<RotateSelection>())
        r->rotation.endFlash();
    CanvasReply reply;
    reply.redraw = Redraw::Overlays;
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
    reply.redraw = Redraw::Overlays;
    return reply;
}

CanvasOverlays CanvasController::overlays() const {
    CanvasOverlays o;
    if (const PlacePiece* p = current<PlacePiece>()) {
        o.ghostPiece = true;
        o.ghostPart = p->placing.part;
        o.ghostPose = p->placing.snap.found ? p->placing.snap.pose : p->placing.ghost;
        markSnapTarget(doc_.layout, p->placing.snap, o);
    } else if (const PlaceBlock* b = current<PlaceBlock>()) {
        o.ghostBlock = blockGhost(b->block);
        markSnapTarget(doc_.layout, b->block.snap, o);
    } else if (const PlaceHelix* helix = current<PlaceHelix>()) {
        o.ghostHelix = true;
        o.helixVariant = helix->variant;
        o.ghostPose = helix->ghost;
    } else if (const SceneryGestures* scenery = current<SceneryGestures>();
               scenery && scenery->placing()) {
        o.ghostScenery = true;
        o.ghostSceneryKey = scenery->ghostKey();
        o.ghostSceneryPose = scenery->ghost();
    } else if (const RubberBand* band = current<RubberBand>()) {
        o.rubberBand = true;
        o.bandStart = band->start;
        o.bandEnd = band->end;
    } else if (const RotateSelection* r = current<RotateSelection>()) {
        o.freeRotation = true;
        o.pivot = r->rotation.pivot();
        o.referenceHeading = r->rotation.referenceHeading();
        o.flash = r->rotation.flash();
    }
    o.sceneryHandles = sceneryHandleScreenPoints(doc_.layout, view_.transform(), o.handles);
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

CanvasReply CanvasController::deleteKey() {
    if (auto reply = toolKey(CanvasKey::Backspace))
        return *reply;
    return deleteSelection();
}

CanvasReply CanvasController::setToolMode(ToolMode mode) {
    tool_.start(mode);
    CanvasReply reply;
    reply.redraw = Redraw::Overlays;
    return reply;
}

CanvasReply CanvasController::toolReply(const ToolResult& result) {
    CanvasReply reply;
    reply.redraw = result.repaint ? Redraw::Overlays : Redraw::None;
    reply.change = result.change;
    if (result.ended != ToolMode::None)
        reply.request = request::ToolEnded{result.ended};
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
    DragAnnotation drag;
    if (kind != AnnotationKind::Label)
        drag.edit = doc_.begin();
    drag.drag.begin(doc_.layout, kind, id, world(in));
    gesture_ = std::move(drag);
    CanvasReply reply;
    reply.mouse = MouseCapture::Take;
    reply.change = kSelection;
    reply.redraw = Redraw::Overlays;
    return reply;
}

CanvasReply CanvasController::editLabelText(int32_t labelId) {
    CanvasReply reply;
    reply.change = plandor::editLabelText(doc_, prompter_, labelId);
    reply.redraw = reply.change.any() ? Redraw::Overlays : Redraw::None;
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
    reply.redraw = reply.change.any() ? Redraw::Overlays : Redraw::None;
    return reply;
}

} // namespace plandor
