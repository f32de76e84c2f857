#pragma once
// What the main window decides about itself: its title, its status texts, which commands
// are enabled, how the drawing tools switch, and how the view is set after opening.

#include "core/canvas/ToolMode.h"
#include "core/document/Change.h"

#include <string>

namespace plandor {

class Layout;
struct Document;
class TrackCatalog;

extern const char* const kBaseTitle; // "Plandor v1.3 by Korvane Models"

// The base title, " - " and the display name (or, without one, the file name of the path
// without folder and extension), then " *" while modified.
std::string windowTitle(const std::string& displayName, const std::string& path, bool modified);

// Status bar: field 0 message, field 1 piece count, field 2 cursor position (the canvas's).
constexpr int kStatusFields = 3;
constexpr int kMessageField = 0;
constexpr int kPiecesField = 1;
constexpr int kPositionField = 2;

// What the status bar's message and piece-count fields show after a change.
struct StatusTexts {
    std::string message;
    std::string pieces; // "Pieces: N"
};
// The one producer of both fields, from the document: while a grade run is under way the
// message is the elevation text; otherwise the change's own line, else what the field shows
// (`shown`), "Ready" when that is nothing, after another layout took this one's place, or in
// place of a text the grade controls left (it begins with U+25B2).
StatusTexts statusTexts(const Layout& layout, const Change& change, const std::string& shown);
// As the window first shows the layout, and as it shows one that took the open one's place.
StatusTexts statusTexts(const Layout& layout);
// "Exported to: <path>".
std::string exportedToText(const std::string& path);
// Field 0 while a layout named at start is still being read: "Reading " and the file's name
// without its folder, then "...".
std::string readingStatusText(const std::string& path);
// The same with the share of the file read so far, in percent.
std::string readingStatusText(const std::string& path, int percent);

// What checking or unchecking the Measure or Polygon tool does.
struct ToolSwitch {
    ToolMode mode = ToolMode::None;
    int uncheck = 0;        // the other tool to uncheck, or 0
    bool crossHair = false; // canvas cursor: cross-hair, else the default
    bool deselect = false;  // everything is deselected
};
ToolSwitch switchDrawingTool(int commandId, bool checked);
// Carries out the switch on the document: everything deselected when it says so.
Change applyToolSwitch(Document& doc, const ToolSwitch& s);

// How the view is set after a layout is opened: Z-Track layouts get scale 1.0 with the
// default offset, every other layout is zoomed to fit.
enum class ViewAfterOpen { LargeScale, ZoomToFit };
ViewAfterOpen viewAfterOpen(const Layout& layout, const TrackCatalog& catalog);
ViewAfterOpen viewAfterOpen(const Layout& layout); // with the built-in catalogue

} // namespace plandor
