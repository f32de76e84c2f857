#pragma once
// Dragging the selection: the press that may become a drag, the checks when it does, the rigid move
// with its snap preview, and the joins made on release.

#include "core/base/Prompter.h"
#include "core/base/ViewTransform.h"
#include "core/editing/MoveSnapIndex.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace plandor {

// A left press on a piece: the drag begins once the mouse has gone far enough from the press
// (dx^2 + dy^2 >= 25).
bool pastDragThreshold(ScreenPoint press, ScreenPoint now);

// A selection being moved; pieces and scenery follow the mouse rigidly.
class SelectionMove {
  public:
    // Adds paired halves, runs the helix, tunnel and graded-pieces checks (a refusal restores
    // the selection and changes nothing), then breaks the joints
    // between selected and unselected pieces and remembers the starting poses. False when
    // refused or when nothing is selected.
    bool begin(Layout& layout, Prompter& prompter, bool& gradedMoveAccepted, Point pressWorld);
    bool active() const { return active_; }

    // Puts every selected object at its start + (world - press) and runs the move snap when
    // the layout's snap switch is on.
    void motion(Layout& layout, Point world);
    const MoveSnap& snap() const { return snap_; }

    // Ends the move: frees joints leaving the selection, lands the selection on the snap target,
    // continues the elevation chain, and joins connectors left within 4 mm.
    void release(Layout& layout);

  private:
    struct Start {
        int index; // position in the layout's list
        int32_t id;
        Pose pose;
    };
    // The layout's lists still hold the objects the move started with.
    bool unchanged(const Layout& layout) const;

    bool active_ = false;
    Point press_;
    std::vector<Start> pieces_;
    std::vector<Start> scenery_;
    std::vector<Start> helices_; // whole helices carried along (pose = centre and heading)
    std::optional<MoveSnapIndex> index_;
    MoveSnap snap_;
};

} // namespace plandor
