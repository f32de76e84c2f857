#pragma once
// Resizing a scenery item: the eight handles round a platform and the drag that moves one of
// them, and the values and rules of the "Resize Scenery" dialog.

#include "core/catalog/SceneryCatalog.h"
#include "core/document/Change.h"
#include "core/model/Layout.h"

#include <array>
#include <cstdint>
#include <string>

namespace plandor {

// Handles 0 to 7 run clockwise from the top-left corner; (fx, fy) place each on the item's
// rectangle in units of its half width and half depth.
struct HandleFactor {
    int fx;
    int fy;
};
constexpr std::array<HandleFactor, 8> kSceneryHandles{
    {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}}};
constexpr int oppositeHandle(int handle) {
    return (handle + 4) % 8;
}
constexpr bool cornerHandle(int handle) {
    return handle % 2 == 0;
}

// The smallest width or depth a handle drag leaves.
constexpr double kMinScenerySize = 5.0;

// World position of a handle of the item as it is now scaled.
Point sceneryHandlePoint(const SceneryItem& item, const SceneryDef& def, int handle);

// A handle being dragged: the opposite handle stays where it was.
struct HandleResize {
    int32_t itemId = -1;
    int handle = 0;
    Point anchor; // world position of the opposite handle
};

// Starts dragging `handle` of the item.
HandleResize beginHandleResize(const SceneryItem& item, const SceneryDef& def, int handle);
// Sizes the item so that the dragged handle follows `world` along the axes it moves (at
// least 5 mm each way) and the anchor stays put. False when the item is gone.
bool resizeToHandle(Layout& layout, const HandleResize& resize, const SceneryDef& def, Point world);

// The "Resize Scenery" dialog's values. Scales stay within the spin range 0.1 to 10.
constexpr double kMinSceneryScale = 0.1;
constexpr double kMaxSceneryScale = 10.0;

struct SceneryResizeForm {
    int32_t itemId = -1;
    double catalogWidth = 0;
    double catalogDepth = 0;
    double currentWidth = 0;
    double currentDepth = 0;
    double scaleX = 1.0;
    double scaleY = 1.0;
    bool lockAspect = false;
    double aspect = 1.0; // scale-x / scale-y when the dialog opened
};

SceneryResizeForm openSceneryResize(const SceneryItem& item, const SceneryDef& def);
// "Catalog size: ... mm    Current: ... mm"
std::string scenerySizeLine(const SceneryResizeForm& form);
// "(= N mm)" beside a scale.
std::string scaledSizeText(double scale, double catalogSize);
// A new width scale; with the aspect locked the depth scale follows.
void setWidthScale(SceneryResizeForm& form, double scale);
void setDepthScale(SceneryResizeForm& form, double scale);

// How the dialog was closed.
enum class SceneryResizeChoice { Cancel, Ok, ResetToDefault };

// Stores the dialog's outcome on the item: OK keeps both scales (each at least 0.1), Reset to
// Default sets 1.0 x 1.0, Cancel changes nothing. Returns what changed.
Change applySceneryResize(Layout& layout, const SceneryResizeForm& form,
                          SceneryResizeChoice choice);

} // namespace plandor
