#pragma once
// What the palette's mouse gestures mean: which entry it hands to the canvas on a drag or a
// double-click, when the piece preview shows, and deleting a library block.

#include "core/base/Prompter.h"
#include "core/canvas/PaletteRows.h"
#include "core/catalog/TrackCatalog.h"

#include <string>

namespace plandor {

// What the palette hands to the main window, which passes it to the canvas or the layout.
struct PaletteAction {
    enum class Kind {
        None,
        BeginPlacing,        // key: part number; the ghost follows the mouse
        AutoConnect,         // key: part number; joined to the selected piece with the highest id
        BeginHelixPlacing,   // key: helix variant; the helix ghost follows the mouse
        PlaceHelix,          // key: helix variant; placed at once at (500, 500), heading 0
        BeginSceneryPlacing, // key: scenery item id
        InsertBlock,         // key: library block file path; inserted at the origin
        BeginBlockPlacing,   // key: library block file path; the block's ghost follows the mouse
    };
    Kind kind = Kind::None;
    std::string key;
    bool operator==(const PaletteAction& o) const { return kind == o.kind && key == o.key; }
};

// Where a fresh helix from a palette double-click goes.
constexpr double kHelixDropX = 500;
constexpr double kHelixDropY = 500;

// A drag from the Track list: placing of the part, or of the helix of a helix row.
PaletteAction trackDragAction(const std::string& key);
// A double-click on a Track row: a helix row places its helix at once; a piece row joins the
// piece to the selection when pieces are selected, else starts placing it.
PaletteAction trackDoubleClickAction(const std::string& key, bool piecesSelected);
// A drag or double-click on a Scenery or Signals row.
PaletteAction sceneryAction(const std::string& key);
// A double-click on a Library row.
PaletteAction libraryAction(const std::string& key);
// A drag from a Library row.
PaletteAction libraryDragAction(const std::string& key);

// Hover and drag state shared by the lists. A double-click suppresses the drag that the
// still-held button would otherwise start; the next button press clears it.
struct PaletteHoverState {
    int hoverRow = -1; // the row whose preview is shown
    bool dragSuppressed = false;
};

// Left button down on a list: the preview hides and a new drag may start.
void paletteButtonDown(PaletteHoverState& state);
// A double-click on a list row: the preview hides and the held button starts no drag.
void paletteDoubleClick(PaletteHoverState& state);
// Motion with the left button held over a list whose selected row has `selectedKey`: true
// when this starts a drag. A press hands over at most one drag.
bool paletteDragStarts(PaletteHoverState& state, const std::string& selectedKey);

// What the preview popup does after the mouse moved over a Track row.
struct PreviewChange {
    enum class Kind { Keep, Show, Hide };
    Kind kind = Kind::Keep;
    std::string part; // the piece to show (Show only)
};
// The mouse moved over `row` (-1: no row) of the Track list, whose key is `key`. A piece row
// of a catalogue part shows its preview; a header, helix or unknown key hides it.
PreviewChange paletteHover(PaletteHoverState& state, int row, const std::string& key,
                           const TrackCatalog& catalog = TrackCatalog::instance());
// The mouse left the Track list.
void paletteLeave(PaletteHoverState& state);
// Screen position of the preview popup for a mouse position.
constexpr int kPreviewOffsetX = 8;
constexpr int kPreviewOffsetY = -27;

// Asks whether to delete a library block (row of the Library list) and removes its file on
// Yes, reporting a failure. True when the list should be reloaded (the user said Yes).
bool deleteLibraryBlock(const PaletteRow& row, Prompter& prompter);

} // namespace plandor
