#pragma once
// What the main window decides about itself: its title, its status texts, which commands
// are enabled, how the drawing tools switch, and how the view is set after opening.

#include "core/canvas/ToolMode.h"

#include <string>

namespace plandor {

class Layout;
struct Document;
class TrackCatalog;

extern const char* const kBaseTitle; // "Plandor v1.3 by Korvane Models"

// The base title, " - " and the display name (or, without one, the file name of the path
// without folder and extension), then " *" while modified.
std::string windowTitle(const std::string& displayName, const std::string& path, bool modified);

// Status bar: field 0 message, field 1 piece count, field 2 cursor position.
constexpr int kStatusFields = 3;
extern const char* const kStatusReady;          // "Ready"
extern const char* const kStatusStartPosition;  // "x: 0  y: 0 mm"
std::string pieceCountText(std::size_t pieces); // "Pieces: N"
// Field 0 after opening: "Ready", or the elevation text while grade runs are under way.
std::string statusAfterOpen(const Layout& layout);

// What checking or unchecking the Measure or Polygon tool does.
struct ToolSwitch {
    ToolMode mode = ToolMode::None;
    int uncheck = 0;        // the other tool to uncheck, or 0
    bool crossHair = false; // canvas cursor: cross-hair, else the default
    bool deselect = false;  // everything is deselected
};
ToolSwitch switchDrawingTool(int commandId, bool checked);

// How the view is set after a layout is opened: Z-Track layouts get scale 1.0 with the
// default offset, every other layout is zoomed to fit.
enum class ViewAfterOpen { LargeScale, ZoomToFit };
ViewAfterOpen viewAfterOpen(const Layout& layout, const TrackCatalog& catalog);
ViewAfterOpen viewAfterOpen(const Layout& layout); // with the built-in catalogue

} // namespace plandor
