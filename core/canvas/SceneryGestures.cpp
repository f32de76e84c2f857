#include "core/canvas/SceneryGestures.h"
#include "core/render/RenderColors.h"

#include "core/canvas/HitTest.h"
#include "core/editing/SceneryPlacing.h"
#include "core/editing/Selection.h"

namespace plandor {

int32_t resizableScenery(const Layout& layout, const SceneryCatalog& catalog) {
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected)
            return -1;
    for (const LayoutLabel& l : layout.labels)
        if (l.selected)
            return -1;
    const SceneryItem* only = nullptr;
    for (const SceneryItem& s : layout.scenery) {
        if (!s.selected)
            continue;
        if (only)
            return -1;
        only = &s;
    }
    if (!only)
        return -1;
    const SceneryDef* def = catalog.find(only->item);
    return def && def->category == Platforms ? only->id : -1;
}

bool sceneryHandleScreenPoints(const Layout& layout, const ViewTransform& view,
                               std::array<ScreenPoint, 8>& out) {
    const SceneryItem* item = layout.findScenery(resizableScenery(layout));
    const SceneryDef* def = item ? SceneryCatalog::instance().find(item->item) : nullptr;
    if (!def)
        return false;
    for (int i = 0; i < 8; ++i) {
        const Point p = sceneryHandlePoint(*item, *def, i);
        out[static_cast<std::size_t>(i)] = view.toScreen(p.x, p.y);
    }
    return true;
}

int handleUnder(const Layout& layout, const ViewTransform& view, ScreenPoint at) {
    std::array<ScreenPoint, 8> handles;
    if (!sceneryHandleScreenPoints(layout, view, handles))
        return -1;
    for (int i = 0; i < 8; ++i) {
        const int dx = at.x - handles[static_cast<std::size_t>(i)].x;
        const int dy = at.y - handles[static_cast<std::size_t>(i)].y;
        if (dx * dx + dy * dy < kHandleGrabSquaredPx)
            return i;
    }
    return -1;
}

void drawSceneryHandles(Painter& painter, const std::array<ScreenPoint, 8>& handles) {
    painter.setPen(Pen{kPlanColors.sceneryHandleEdge, 1});
    painter.setBrush(Brush{kPlanColors.sceneryHandleFill});
    for (int i = 0; i < 8; ++i) {
        const ScreenPoint p = handles[static_cast<std::size_t>(i)];
        if (cornerHandle(i))
            painter.drawRectangle(p.x - kCornerHandleSize / 2, p.y - kCornerHandleSize / 2,
                                  kCornerHandleSize, kCornerHandleSize);
        else
            painter.drawCircle(p, kEdgeHandleRadius);
    }
}

bool SceneryGestures::beginPlacing(const std::string& key, Point world) {
    if (busy() || !SceneryCatalog::instance().find(key))
        return false;
    state_ = State::Placing;
    key_ = key;
    ghost_ = Pose{world.x, world.y, 0};
    return true;
}

void SceneryGestures::moveGhost(Point world) {
    ghost_.x = world.x;
    ghost_.y = world.y;
}

void SceneryGestures::turnGhost(double degrees) {
    ghost_.heading = normalizeHeading(ghost_.heading + degrees);
}

void SceneryGestures::cancelPlacing() {
    if (state_ == State::Placing)
        state_ = State::Idle;
    key_.clear();
}

Change SceneryGestures::drop(Point world) {
    moveGhost(world);
    const std::string key = key_;
    cancelPlacing();
    if (!SceneryCatalog::instance().find(key))
        return Change{};
    return doc_->apply([&] {
        dropScenery(doc_->layout, key, ghost_);
        return Change(Change::Annotations | Change::Selection);
    });
}

bool SceneryGestures::pressHandle(const ViewTransform& view, ScreenPoint at, Point world) {
    const int handle = handleUnder(doc_->layout, view, at);
    if (handle < 0)
        return false;
    const SceneryItem* item = doc_->layout.findScenery(resizableScenery(doc_->layout));
    const SceneryDef* def = SceneryCatalog::instance().find(item->item);
    resize_ = beginHandleResize(*item, *def, handle);
    press_ = world;
    state_ = State::Resizing;
    return true;
}

bool SceneryGestures::pressItem(const ViewTransform& view, ScreenPoint at, bool shift,
                                Point world) {
    SceneryItem* item = doc_->layout.findScenery(hitScenery(doc_->layout, view, at));
    if (!item)
        return false;
    if (shift) {
        item->selected = !item->selected;
    } else if (!item->selected) {
        clearSelection(doc_->layout);
        item->selected = true;
    }
    dragStarts_.clear();
    for (const SceneryItem& s : doc_->layout.scenery)
        if (s.selected)
            dragStarts_.push_back(Start{s.id, Point{s.x, s.y}});
    press_ = world;
    state_ = State::Dragging;
    return true;
}

bool SceneryGestures::motion(Point world) {
    if (!busy())
        return false;
    // A resize is one undo step; a drag, like a label's, is kept without one.
    if (!edit_ && state_ == State::Resizing)
        edit_ = doc_->begin();
    changed_ = true;
    if (state_ == State::Resizing) {
        const SceneryItem* item = doc_->layout.findScenery(resize_.itemId);
        const SceneryDef* def = item ? SceneryCatalog::instance().find(item->item) : nullptr;
        return def && resizeToHandle(doc_->layout, resize_, *def, world);
    }
    const double dx = world.x - press_.x, dy = world.y - press_.y;
    for (const Start& s : dragStarts_)
        if (SceneryItem* item = doc_->layout.findScenery(s.id)) {
            item->x = s.position.x + dx;
            item->y = s.position.y + dy;
        }
    return true;
}

Change SceneryGestures::release() {
    Change change;
    if (edit_)
        change = edit_->commit(changed_ ? Change(Change::Annotations) : Change{});
    else if (changed_)
        change = doc_->commitWithoutUndo(Change(Change::Annotations));
    edit_.reset();
    changed_ = false;
    dragStarts_.clear();
    if (busy())
        state_ = State::Idle;
    return change;
}

} // namespace plandor
