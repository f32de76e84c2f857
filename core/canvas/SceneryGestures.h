#pragma once
// Scenery on the canvas: the ghost placed from the palette, dragging the selected items and
// resizing a platform by one of its eight handles. One of these at a time.

#include "core/base/ViewTransform.h"
#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/document/Document.h"
#include "core/editing/SceneryResize.h"
#include "core/render/Painter.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace plandor {

// A press closer to a handle than this (squared pixels below 37) grabs it.
constexpr int kHandleGrabSquaredPx = 37;
constexpr int kCornerHandleSize = 9;
constexpr int kEdgeHandleRadius = 3;

// The item that offers resize handles: the only selected object is one scenery item of the
// Platforms category (no piece or label selected). -1 for none.
int32_t resizableScenery(const Layout& layout,
                         const SceneryCatalog& catalog = SceneryCatalog::instance());
// The handle of that item under the screen point, or -1.
int handleUnder(const Layout& layout, const ViewTransform& view, ScreenPoint at);
// Screen positions of the item's eight handles; false when no item offers them.
bool sceneryHandleScreenPoints(const Layout& layout, const ViewTransform& view,
                               std::array<ScreenPoint, 8>& out);
// Corners as 9 x 9 squares, edge handles as circles of radius 3: blue pen, white fill.
void drawSceneryHandles(Painter& painter, const std::array<ScreenPoint, 8>& handles);

class SceneryGestures {
  public:
    enum class State { Idle, Placing, Dragging, Resizing };

    explicit SceneryGestures(Document& doc) : doc_(&doc) {}

    State state() const { return state_; }
    bool placing() const { return state_ == State::Placing; }
    bool busy() const { return state_ == State::Dragging || state_ == State::Resizing; }
    const std::string& ghostKey() const { return key_; }
    const Pose& ghost() const { return ghost_; }

    // Starts placing an item of the catalogue with its ghost at `world`, heading 0. False
    // (and nothing started) for a key not in the catalogue or while a drag is under way.
    bool beginPlacing(const std::string& key, Point world);
    void moveGhost(Point world);
    void turnGhost(double degrees);
    void cancelPlacing();
    // The left click while placing: drops the item (one undo step) and ends placing. An
    // unknown key ends placing silently.
    Change drop(Point world);

    // A press on a handle of the one resizable platform starts resizing it (one undo step,
    // ended by release). False when no handle lies under the point.
    bool pressHandle(const ViewTransform& view, ScreenPoint at, Point world);
    // A press on a scenery item with no piece under it: Shift toggles the item, a plain press
    // on an unselected item selects it alone; then the selected items follow the mouse.
    // False when no item is under the point.
    bool pressItem(const ViewTransform& view, ScreenPoint at, bool shift, Point world);
    // Motion with the button held: true when the layout changed.
    bool motion(Point world);
    // The button is up (or the gesture is cut short): a drag or resize that changed something
    // becomes one undo step.
    Change release();

  private:
    struct Start {
        int32_t id;
        Point position;
    };

    Document* doc_; // a pointer, so that a gesture can be assigned
    State state_ = State::Idle;
    std::string key_;
    Pose ghost_;
    Point press_;
    std::vector<Start> dragStarts_;
    HandleResize resize_;
    std::optional<Edit> edit_; // opened when a resize first changes the layout
    bool changed_ = false;
};

} // namespace plandor
