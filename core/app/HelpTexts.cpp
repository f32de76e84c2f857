#include "core/app/HelpTexts.h"

#include "core/app/Commands.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace plandor {

const char* const kMakerName = "Korvane Models";
const char* const kMakerSiteUrl = "https://www.korvane-models.example";

const char* const kSplashTitle = "Plandor v1.3 by Korvane Models";
const char* const kSplashByText = "Plandor by";
const char* const kSplashButton = "  Done Staring  ";
const char* const kSplashFallbackTitle = "Plandor";
const char* const kSplashFallbackSubtitle = "by Korvane Models";

const char* const kHelpTitle = "Plandor v1.3 Help";
const char* const kHelpClose = "Close";

namespace {

// Mouse gestures and keys that are not commands; the commands' own shortcuts come from the
// command table.
const std::pair<const char*, const char*> kGestures[] = {
    {"Middle-drag", "Pan canvas"},
    {"Space+left-drag", "Pan canvas"},
    {"Ctrl+click (empty)", "Set where the next label goes (drag: pan)"},
    {"Left-drag", "Rubber band select (on empty area)"},
    {"Double-click (label)", "Edit the label's text"},
    {"Wheel (selection)", "Rotate selection by 15 deg (Shift: 5 deg)"},
    {"Wheel (no sel.)", "Zoom in / out"},
    {"Wheel (palette)", "Rotate piece being dragged (Shift: 15 deg)"},
    {"R (palette)", "Rotate piece being dragged by 30 deg"},
    {"Right-click", "Context menu"},
    {"Alt+drag", "Free rotate"},
    {"Alt+right-click", "Rotate 30 deg (most scenery: 15 deg)"},
    {"Escape", "Deselect / cancel drag / cancel measurement"},
};

// A menu text as an action: "Save &As..." reads "Save As".
std::string actionOf(const std::string& menuText) {
    std::string out;
    for (char c : menuText)
        if (c != '&')
            out += c;
    while (!out.empty() && out.back() == '.')
        out.pop_back();
    return out;
}

HelpTopic topic(const char* title, const char* text) {
    return HelpTopic{title, text, false, {}, false};
}

} // namespace

std::vector<std::pair<std::string, std::string>> shortcutRows() {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const Command& command : commandTable())
        if (!command.accelerator.empty())
            rows.emplace_back(command.accelerator, actionOf(command.menuText));
    for (const auto& [keys, action] : kGestures)
        rows.emplace_back(keys, action);
    return rows;
}

std::string shortcutTable() {
    const auto rows = shortcutRows();
    std::size_t width = 0;
    for (const auto& row : rows)
        width = std::max(width, row.first.size());
    std::string out;
    for (const auto& [keys, action] : rows) {
        if (!out.empty())
            out += '\n';
        std::string padded = keys;
        padded.resize(width, ' ');
        out += padded + " - " + action;
    }
    return out;
}

const std::vector<HelpTopic>& helpTopics() {
    static const std::vector<HelpTopic> topics = {
        {"Welcome to Plandor v1.3", "Plandor by", true,
         "lets you design and plan your Marklin and TRIX model railway layouts. Supported "
         "systems: Marklin and TRIX HO C-Track, Marklin HO K-Track, and Marklin Z Track.",
         false},
        topic("Getting Started",
              "1. Choose a track system in the palette on the left.\n"
              "2. Set the units you work in via Layout > Units of Measure.\n"
              "3. Drag a piece from the palette onto the canvas.\n"
              "4. Drag further pieces near the open ends of existing ones: they snap and join.\n"
              "5. Double-click a piece on the canvas to clone it and extend the track.\n"
              "6. With a canvas piece selected, double-click a palette piece to connect it to "
              "the selected piece automatically.\n"
              "7. Save your layout with File > Save."),
        topic("Canvas Navigation",
              "Pan: middle-click and drag.\nZoom: scroll the mouse wheel (when no selection is "
              "active).\nZoom to fit: Ctrl+0 or click Fit in the toolbar.\nRubber band select: "
              "left-click and drag on empty canvas."),
        topic("Track Selection",
              "Click a piece to select it, press Ctrl+A to select everything, and Escape to "
              "deselect. Shift+click a second piece to select the whole chain of track between "
              "the two. Ctrl+click adds exactly one more piece to the selection - this is the way "
              "to pick the two pieces for Autofill. Left-drag on empty canvas draws a rubber band "
              "that selects every piece inside it."),
        topic("Autofill Gap",
              "Autofill closes the gap between two open track ends with straight pieces from the "
              "catalogue.\n1. Click one of the two pieces.\n2. Ctrl+click the other piece (not "
              "Shift+click).\n3. Right-click and choose \"Autofill Gap...\".\n4. Pick one of the "
              "solutions offered.\nWhen no combination of straights fits the gap, Autofill says "
              "so and changes nothing."),
        topic("Library",
              "The Library tab in the palette lets you borrow pre-built track sections. "
              "Double-click a library entry to place the entire section on the canvas at once. To "
              "save your own sections to the library: select the pieces you want, then use File > "
              "Save as Library Block. Your saved blocks will appear in the library for reuse."),
        topic("Moving Pieces",
              "Click and drag a selected piece to move it. Connected pieces move together when "
              "all their neighbours are also selected. Use Ctrl+A then drag to reposition the "
              "entire layout."),
        topic("Dragging from the Palette",
              "While you drag a piece from the palette, the mouse wheel rotates it in 30 degree "
              "steps (15 degrees with Shift held), R rotates it by 30 degrees, and Escape "
              "cancels the drag."),
        topic("Rotating Pieces",
              "With pieces selected, the mouse wheel rotates the selection as one rigid block "
              "about its centre in 15 degree steps (5 degrees with Shift held). Alt+drag rotates "
              "it freely; at 0, 90, 180 and 270 degrees it snaps, shown by a green flash. "
              "Alt+right-click turns the selection by 30 degrees: track, platforms and signals "
              "turn 30 degrees, other scenery 15 degrees."),
        topic("Elevation and Grades",
              "Select a piece and use the Set Grade controls in the right panel. Set direction "
              "(UP or DOWN) and angle in degrees, then click Start Grade. Each new piece added to "
              "the chain automatically continues the elevation. Click End Grade on the last piece "
              "to stop the run. Arch and truss bridges automatically end the grade chain and sit "
              "flat."),
        topic("3D View",
              "Click '3D View' in the toolbar to open a 3D preview. Left-drag or the arrow keys "
              "to orbit, right-drag to pan, scroll or +/- to zoom, R to return to the opening "
              "view, Escape to close. Elevated track is shown at the correct height with grade "
              "tilts. Supports under bridges and raised track are generated automatically based "
              "on piece elevation."),
        topic("Layout Shape",
              "Layout > Layout Shape sets the outline of your baseboard. Choose a rectangle, an "
              "L-, U- or T-shape with its dimensions, a custom polygon typed as x,y vertices, a "
              "free-form outline drawn on the canvas, or Clear to remove the baseboard. The "
              "baseboard is drawn beneath the grid with the length of each edge labelled, and it "
              "does not depend on the levels. For free-form, click Apply, then click the corners "
              "on the canvas; click near the first corner or press Enter to close the outline, "
              "Backspace removes the last corner and Escape cancels."),
        topic("Polygon Shapes",
              "Click Polygon in the toolbar, then click the corners of the shape on the canvas. "
              "Press Enter or click near the first corner to close it; Backspace removes the last "
              "corner and Escape cancels. A single click on a shape selects it and shows its "
              "information on the right; a double-click edits its name, fill colour, opacity, "
              "height and outline. Shapes with a height are drawn as solids in the 3D view, and a "
              "polygon that contains a tunnel is drawn as a wireframe there."),
        topic("Files (.plo)",
              "Layouts are saved with the extension \".plo\" next to the application; you only "
              "choose a name. Open lists the \".plo\" layouts there together with older \".xml\" "
              "layouts. Import copies a layout in from another folder under a new name; Export "
              "copies one out to a folder of your choice (Downloads by default), adding the "
              "extension."),
        topic("Levels",
              "Click Levels in the toolbar to open the Manage Levels dialog. Each level has a "
              "name, a height, an optional track colour and a visibility check box; double-click "
              "a level to edit it. Pieces and scenery take their level's height in 3D and its "
              "colour in 2D, unless a piece has a colour of its own. Hidden levels are not drawn "
              "and cannot be selected. A piece dropped on empty canvas goes to the highest "
              "visible level; a piece joined to another takes that piece's level."),
        topic("Measuring Tape",
              "Click Measure in the toolbar, then click the start and the end of the distance. "
              "The measurement is drawn with arrows and its length, in the active units, centred "
              "on it. Click a measurement to select it, drag to move it, and press Del to remove "
              "it. Escape cancels a measurement being placed."),
        topic("Adding Labels",
              "Type your label text in the Add Label field in the right panel and click OK (or "
              "press Enter) to place it. By default the label is placed at the world origin; "
              "Ctrl+click on an empty area of the canvas first to drop it at that point instead. "
              "Once placed, labels can be moved by dragging and deleted with the Del key. "
              "Double-click a label, or right-click it and choose \"Edit Text...\", to change "
              "its text."),
        {"Piece Tally",
         "The right panel automatically tallies all pieces in your layout. Bridge pieces also "
         "count their included deck track pieces. Click 'Buy Track' to open the",
         true,
         "website in your browser where a shopping cart with your required track will be waiting "
         "for you to review and check out.",
         false},
        topic("Scenery and Signals",
              "The Scenery and Signals tabs of the palette hold platforms, stations, bridges, "
              "trees and signals. Drag one onto the canvas and click to drop it; while it "
              "follows the mouse the wheel turns it by 30 degrees (15 with Shift), and R or a "
              "right-click by 15 degrees. Click an item to select it and drag to move it. A "
              "selected platform shows handles on its corners and edges to resize it; "
              "double-click an item to set its size in the Resize Scenery dialog."),
        topic("Printing",
              "File > Print asks for the print options first: fit the plan to one page, print "
              "it at an actual scale 1 : N over as many pages as it needs, or at a percentage; "
              "the active level only or all levels; colour or grey; and whether the grid and "
              "the baseboard outline are included. File > Print Preview shows the pages with "
              "the options chosen last, and File > Page Setup chooses the paper."),
        topic("Exporting",
              "File > Export Plan writes the plan as a PDF, SVG or PNG file, by the extension "
              "you give it: fitted to one sheet of A4, A3 or A2 paper, or at 1 : N (a PDF then "
              "takes as many pages as needed). The levels are drawn as the canvas shows them. "
              "File > Export Parts List writes the piece tally as a CSV file for a spreadsheet."),
        topic("Checking the Layout",
              "Layout > Check Layout lists what needs a look: open track ends, pieces that "
              "collide, too little clearance between tracks, and grades that are too steep. "
              "Errors come first, then warnings. Click a finding to show it on the canvas; the "
              "list follows your edits while the window is open."),
        topic("Coloring Track",
              "Select the piece(s) you want to color, then use the Color dropdown in the right "
              "panel and click Apply. Colors help distinguish routes, levels, or sections of "
              "track. Selecting multiple pieces and applying a color colors them all at once."),
        topic("Reversing Sections and Track Lengths",
              "Layout > Check Layout also looks for reversing sections on two-rail track (TRIX "
              "C-Track and Z-Track): a balloon loop or a wye brings a train back onto its own "
              "track facing the other way and shorts the rails. Each finding names the loop and "
              "the track to insulate on both rails at both ends and feed through an "
              "auto-reverser; three-rail track needs none. Layout > Track Lengths lists every "
              "track between turnouts, every siding and every plain run with its length; type a "
              "car length to see how many cars each holds, and double-click a row to select the "
              "track."),
        {"Keyboard Shortcuts", shortcutTable(), false, {}, true},
    };
    return topics;
}

} // namespace plandor
