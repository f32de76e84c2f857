#pragma once
// Turning the selection: by wheel steps about the selection's box centre, freely with Alt+drag
// (snapping to right angles), and by 30-degree steps with Alt+right-click.

#include "core/base/Prompter.h"
#include "core/catalog/SceneryCatalog.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <vector>

namespace plandor {

// Wheel step for the selection: 15 degrees (5 with Shift), negative when the wheel turns back.
double selectionWheelStep(int wheelRotation, bool shift);

// Turns every selected piece and scenery item (and every helix whose pieces are all selected)
// about the pivot. Joints stay as they are.
void rotateSelection(Layout& layout, Point pivot, double degrees);

// Free rotation with Alt held: the selection follows the angle of the cursor about the pivot,
// and the reference piece lands exactly on a right angle when within 2 degrees of it.
constexpr double kRightAngleSnap = 2.0;

class FreeRotation {
  public:
    // Checks the helix and tunnel locks (unless the selection is one whole helix) and takes
    // the pivot: the helix centre, else the mean selected position.
    // False when refused or nothing is selected.
    bool begin(Layout& layout, Prompter& prompter, Point world);
    bool active() const { return active_; }

    // Turns the selection to follow the cursor. True when this motion landed on a right angle
    // (the caller shows the flash and clears it after 400 ms with endFlash).
    bool motion(Layout& layout, Point world);
    bool flash() const { return flash_; }
    void endFlash() { flash_ = false; }

    Point pivot() const { return pivot_; }
    // Heading the reference piece is being turned to (shown beside the pivot).
    double referenceHeading() const { return target_; }

    void release() { active_ = false; }

  private:
    bool active_ = false;
    bool flash_ = false;
    Point pivot_;
    double startAngle_ = 0;
    double startReference_ = 0;
    double target_ = 0;
    int32_t referencePiece_ = -1; // -1 when the reference is a scenery item
    int32_t referenceScenery_ = -1;
};

// Step a scenery item turns by with Alt+right-click: 30 degrees for platforms and signals,
// 15 for every other category and for unknown items.
double sceneryCommandStep(const SceneryDef* def);

// Alt+right-click with something selected: pieces turn by 30 degrees about the helix centre
// (one whole helix) or the first selected piece (first scenery item without pieces); scenery
// turns about the same pivot by its own step. False when refused or nothing is selected.
bool rotateSelectionByCommand(Layout& layout, Prompter& prompter);

} // namespace plandor
