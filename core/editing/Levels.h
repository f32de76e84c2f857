#pragma once
// The rules behind the levels dialog: adding, editing and removing decks.

#include "core/base/Color.h"
#include "core/document/Change.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <string>

namespace plandor {

// Texts of the levels dialog that the rules decide.
extern const char* const kLevelsHint;
extern const char* const kAddLevelTitle;        // "Add Level"
extern const char* const kAddLevelPrompt;       // "Name for new level:"
extern const char* const kLevelPropertiesTitle; // "Level Properties"
extern const char* const kSelectLevelFirst;     // "Select a level first."
extern const char* const kRemoveLevelTitle;     // "Remove Level"
extern const char* const kLastLevelRefusal;     // "A layout must have at least one level."
extern const char* const kRemoveLevelConfirmTitle;
extern const char* const kRemoveLevelYes; // "Delete Level && Contents"

// What a levels edit touched: the level list only, or also what lies on the levels (pieces,
// scenery, helices), which is what an undo step must bring back.
struct LevelsChange {
    bool levels = false;
    bool content = false;
    LevelsChange& operator|=(const LevelsChange& o) {
        levels |= o.levels;
        content |= o.content;
        return *this;
    }
};

// The colour a new level gets from its id: six colours repeating from id 1.
Color levelColorForId(int32_t id);
// One more than the highest level id (1 without levels): ids never fill gaps.
int32_t nextLevelId(const Layout& layout);
// "Level %d" with the next id.
std::string proposedLevelName(const Layout& layout);

// Appends a visible level at height 0 with the next id and its colour, and makes it active.
// An empty name adds nothing.
LevelsChange addLevel(Layout& layout, const std::string& name);

LevelsChange setLevelVisible(Layout& layout, int32_t levelId, bool visible);
LevelsChange setActiveLevel(Layout& layout, int32_t levelId);

// What the properties dialog gives back; the height in millimetres.
struct LevelProperties {
    std::string name;
    double height = 0;
    bool useTrackColor = false;
    Color color;
};
LevelProperties levelProperties(const Level& level);
// Takes the properties (a blank name keeps the old one) and moves the level's flat pieces
// that are not part of a helix to the new height; graded and helix pieces stay.
LevelsChange applyLevelProperties(Layout& layout, int32_t levelId, const LevelProperties& props);

// What removing a level takes with it. Helices count once, and their pieces are not
// counted as track pieces; the portals of a tunnel that goes count as scenery.
struct LevelContents {
    int pieces = 0;
    int scenery = 0;
    int helices = 0;
};
LevelContents levelContents(const Layout& layout, int32_t levelId);
std::string removeLevelQuestion(const std::string& name, const LevelContents& contents);

// Removes the level with its pieces, its scenery, the helices that start on it (with all
// their pieces, wherever they lie) and the tunnels whose first covered piece lies on it (with
// all their covered pieces and both portals). Helices and tunnels go or stay whole, so one
// that stays keeps its pieces and portals on this level. Joints to removed pieces are freed.
// The first level left becomes active when the active one goes. Refused (nothing changes)
// for the last level.
LevelsChange removeLevel(Layout& layout, int32_t levelId);

// What a closed levels dialog session reports to its edit: one undo step carrying the level
// list when what lies on the levels changed; a change of the level list alone is saved but,
// like every level edit, not undone.
Change levelsSessionChange(const LevelsChange& change);

// What the window redraws after one change while the dialog is still open.
Change levelsShownChange(const LevelsChange& change);

// One row of the levels list.
struct LevelRow {
    std::string name;
    std::string height; // in the layout's units
    std::string color;  // "custom" or "-"
    std::string id;
    bool visible = true;
    bool active = false;
};
LevelRow levelRow(const Layout& layout, const Level& level);
bool canRemoveLevel(const Layout& layout); // at least two levels

// Spinner of the height field in a unit: range, step and decimals.
struct HeightSpinner {
    double max = 0;
    double step = 1;
    int digits = 1;
};
HeightSpinner heightSpinner(Units units);

} // namespace plandor
