#pragma once
// The properties panel's decisions: the description of the current selection with its
// height, grade and level controls, and the panel's own edits of the layout (level choice,
// track colour, height, labels). The panel widgets show a PropertiesState and forward input.

#include "core/document/Document.h"
#include "core/elevation/GradeRuns.h"
#include "core/model/Layout.h"
#include "core/render/Painter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

// One entry of the "Color" choice; "Default" gives no colour of its own.
struct TrackColour {
    std::string name;
    bool hasColor = false;
    Color color;
};

// "Default", "Red", "Orange", "Yellow", "Green", "Blue", "Purple", "Pink", "White".
const std::vector<TrackColour>& trackColours();

struct LevelEntry {
    int32_t id = 1;
    std::string name;
};

struct PropertiesState {
    // Selection context: what the description shows; at most one is set, -1 when none.
    int32_t contextPiece = -1;
    int32_t contextScenery = -1;
    int32_t contextHelix = -1;
    int32_t contextShape = -1;

    // Where the next typed label goes, when a point was given.
    bool hasLabelPoint = false;
    double labelX = 0;
    double labelY = 0;

    std::string title = "No selection";
    std::string detail;

    std::string heightLabel = "Height (mm):";
    std::string heightText = "0";
    bool heightEnabled = false;

    std::string gradeText = "-";
    bool gradeWarningColour = false; // grade text in the warning colour
    std::string warning;

    std::vector<LevelEntry> levels;
    int levelIndex = -1; // chosen entry of `levels`, -1 for none
    bool levelEnabled = false;

    double spinDeg = 0.0;   // grade spinner, 0 to kMaxGradeDeg
    bool gradeDown = false; // "DOWN" chosen instead of "UP"
    bool startGradeEnabled = false;
    bool endGradeEnabled = false;
    bool recalcEnabled = false;
};

// "+3.00 deg (5.2%)", "-7.50 deg (13.2%)"; "-" for flat track.
std::string gradeText(double gradeDeg);
// "WARNING: Grade 7.5 deg exceeds 6 deg max!" beyond kMaxGradeDeg, else empty.
std::string gradeWarning(double gradeDeg);
// A height in the unit, as the height field shows it: three decimals for inches, else one.
std::string heightFieldText(double mm, Units units);

// Rebuilds the description and controls from the layout's selection. Fields that a case
// does not mention keep what they showed before.
void refreshSelection(const Layout& layout, PropertiesState& state);

// Moves what the context names to level `levelId` (heights of ungraded track follow the
// level's height) and makes it the active level. One undo step; no change when nothing changed.
Change changeLevel(Document& doc, const PropertiesState& state, int32_t levelId);

// Gives every selected piece the colour of trackColours()[choice] and deselects everything.
// One undo step; no change without selected pieces or with a bad choice.
Change applyColour(Document& doc, PropertiesState& state, int choice);

// Height Enter: sets the context piece's base height from the field text in the current
// unit. Text that is not a number changes nothing. One undo step.
Change enterHeight(Document& doc, PropertiesState& state, const std::string& text);

// The grade box's buttons on the context piece, each one edit that carries its status line
// ("Elevation: UP 3.0 deg", "Grade ended - ..."); without a context piece none opens.
Change startGrade(Document& doc, const PropertiesState& state, double spinDeg, bool down);
Change endGrade(Document& doc, const PropertiesState& state);
Change recalculateElevation(Document& doc, const PropertiesState& state);

// A Ctrl+click on empty canvas: the next label goes to this layout point.
void setLabelDropPoint(PropertiesState& state, double x, double y);

// Label Enter or "OK": adds a label with the text (trailing blanks trimmed) at the pending
// point, or the origin without one, and forgets the point. One undo step; no change for blank text.
Change addLabel(Document& doc, PropertiesState& state, const std::string& text);

} // namespace plandor
