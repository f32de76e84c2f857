#include "core/editing/Levels.h"

#include "core/base/Units.h"
#include "core/editing/Delete.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <unordered_set>

namespace plandor {

const char* const kLevelsHint =
    "Check to show a level.  Double-click a row to edit its properties\n(name, height, and "
    "track color).  Single-click sets the active level\nfor new pieces.";
const char* const kAddLevelTitle = "Add Level";
const char* const kAddLevelPrompt = "Name for new level:";
const char* const kLevelPropertiesTitle = "Level Properties";
const char* const kSelectLevelFirst = "Select a level first.";
const char* const kRemoveLevelTitle = "Remove Level";
const char* const kLastLevelRefusal = "A layout must have at least one level.";
const char* const kRemoveLevelConfirmTitle = "Remove Level \u2014 Confirm Deletion";
const char* const kRemoveLevelYes = "Delete Level && Contents";

namespace {

// Below this a piece counts as flat and follows its level's height.
constexpr double kFlatGrade = 0.001;

bool isFlatDeckPiece(const PlacedPiece& p) {
    return p.helix == -1 && std::fabs(p.grade) < kFlatGrade;
}

// The level of a helix is the level of its first piece in the list.
const PlacedPiece* firstPieceOf(const Layout& layout, int32_t helixId) {
    for (const PlacedPiece& p : layout.pieces)
        if (p.helix == helixId)
            return &p;
    return nullptr;
}

bool helixStartsOn(const Layout& layout, const Helix& h, int32_t levelId) {
    const PlacedPiece* first = firstPieceOf(layout, h.id);
    return first && first->level == levelId;
}

std::string trimmed(const std::string& s) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    auto b = std::find_if_not(s.begin(), s.end(), blank);
    auto e = std::find_if_not(s.rbegin(), s.rend(), blank).base();
    return b < e ? std::string(b, e) : std::string();
}

} // namespace

Color levelColorForId(int32_t id) {
    static const Color table[6] = {{180, 200, 220}, {220, 180, 180}, {180, 220, 180},
                                   {220, 210, 160}, {200, 180, 220}, {160, 220, 220}};
    const int entry = ((id - 1) % 6 + 6) % 6;
    return table[entry];
}

int32_t nextLevelId(const Layout& layout) {
    int32_t highest = 0;
    for (const Level& l : layout.levels)
        highest = std::max(highest, l.id);
    return highest + 1;
}

std::string proposedLevelName(const Layout& layout) {
    return formatText("Level %d", nextLevelId(layout));
}

LevelsChange addLevel(Layout& layout, const std::string& name) {
    if (name.empty())
        return {};
    Level level;
    level.id = nextLevelId(layout);
    level.name = name;
    level.visible = true;
    level.height = 0;
    level.useTrackColor = false;
    const Color c = levelColorForId(level.id);
    level.trackColor = Color{c.r, c.g, c.b, 255}; // tracks are drawn opaque
    layout.levels.push_back(level);
    layout.activeLevel = level.id;
    return {true, false};
}

LevelsChange setLevelVisible(Layout& layout, int32_t levelId, bool visible) {
    Level* level = layout.findLevel(levelId);
    if (!level || level->visible == visible)
        return {};
    level->visible = visible;
    return {true, false};
}

LevelsChange setActiveLevel(Layout& layout, int32_t levelId) {
    if (!layout.findLevel(levelId) || layout.activeLevel == levelId)
        return {};
    layout.activeLevel = levelId;
    return {true, false};
}

LevelProperties levelProperties(const Level& level) {
    return {level.name, level.height, level.useTrackColor, level.trackColor};
}

LevelsChange applyLevelProperties(Layout& layout, int32_t levelId, const LevelProperties& props) {
    Level* level = layout.findLevel(levelId);
    if (!level)
        return {};
    LevelsChange change;
    const std::string name = trimmed(props.name);
    const Color old = level->trackColor;
    const Color wanted{props.color.r, props.color.g, props.color.b, 255};
    if ((!name.empty() && name != level->name) || level->height != props.height ||
        level->useTrackColor != props.useTrackColor || old != wanted)
        change.levels = true;
    if (!name.empty())
        level->name = name;
    level->height = props.height;
    level->useTrackColor = props.useTrackColor;
    level->trackColor = wanted;

    for (PlacedPiece& p : layout.pieces) {
        if (p.level != levelId || !isFlatDeckPiece(p) || p.z == props.height)
            continue;
        p.z = props.height;
        change.content = true;
    }
    return change;
}

namespace {

// What removing a level takes. Helices and tunnels go or stay whole: a helix with all its
// pieces when its first piece lies on the level, a tunnel with its covered pieces and both
// portals when its first covered piece does (its portals always sit on level 1). Whatever
// lies on the level but belongs to a helix or tunnel that stays, stays with it.
struct LevelRemoval {
    std::unordered_set<int32_t> pieces;
    std::unordered_set<int32_t> scenery;
    std::unordered_set<int32_t> helices;
    std::unordered_set<int32_t> tunnels;
};

const PlacedPiece* firstCoveredPiece(const Layout& layout, const Tunnel& t) {
    for (const PlacedPiece& p : layout.pieces)
        if (std::find(t.covers.begin(), t.covers.end(), p.id) != t.covers.end())
            return &p;
    return nullptr;
}

LevelRemoval levelRemoval(const Layout& layout, int32_t levelId) {
    LevelRemoval gone;
    for (const Helix& h : layout.helices)
        if (helixStartsOn(layout, h, levelId))
            gone.helices.insert(h.id);
    std::unordered_set<int32_t> covered; // by any tunnel
    for (const Tunnel& t : layout.tunnels) {
        covered.insert(t.covers.begin(), t.covers.end());
        const PlacedPiece* first = firstCoveredPiece(layout, t);
        if (first && first->level == levelId)
            gone.tunnels.insert(t.id);
    }
    for (const PlacedPiece& p : layout.pieces)
        if (p.helix == -1 && p.level == levelId && covered.count(p.id) == 0)
            gone.pieces.insert(p.id);

    // A helix or tunnel that loses a piece to another that goes, goes too, until none does.
    for (bool grew = true; grew;) {
        grew = false;
        for (const PlacedPiece& p : layout.pieces)
            if (gone.helices.count(p.helix) != 0 && gone.pieces.insert(p.id).second)
                grew = true;
        for (const Tunnel& t : layout.tunnels) {
            if (gone.tunnels.count(t.id) != 0) {
                for (int32_t id : t.covers)
                    if (layout.findPiece(id) && gone.pieces.insert(id).second)
                        grew = true;
            } else if (std::any_of(t.covers.begin(), t.covers.end(),
                                   [&](int32_t id) { return gone.pieces.count(id) != 0; })) {
                gone.tunnels.insert(t.id);
                grew = true;
            }
        }
        for (const PlacedPiece& p : layout.pieces)
            if (p.helix != -1 && gone.pieces.count(p.id) != 0 &&
                gone.helices.insert(p.helix).second)
                grew = true;
    }

    std::unordered_set<int32_t> keptPortals;
    for (const Tunnel& t : layout.tunnels) {
        const bool goes = gone.tunnels.count(t.id) != 0;
        for (int32_t portal : {t.portalA, t.portalB})
            (goes ? gone.scenery : keptPortals).insert(portal);
    }
    for (const SceneryItem& s : layout.scenery)
        if (s.level == levelId && keptPortals.count(s.id) == 0)
            gone.scenery.insert(s.id);
    // Only what exists is counted and removed.
    for (auto it = gone.scenery.begin(); it != gone.scenery.end();)
        it = layout.findScenery(*it) ? std::next(it) : gone.scenery.erase(it);
    for (auto it = gone.helices.begin(); it != gone.helices.end();)
        it = layout.findHelix(*it) ? std::next(it) : gone.helices.erase(it);
    return gone;
}

} // namespace

LevelContents levelContents(const Layout& layout, int32_t levelId) {
    const LevelRemoval gone = levelRemoval(layout, levelId);
    LevelContents c;
    for (const PlacedPiece& p : layout.pieces)
        if (p.helix == -1 && gone.pieces.count(p.id) != 0)
            ++c.pieces;
    c.scenery = static_cast<int>(gone.scenery.size());
    c.helices = static_cast<int>(gone.helices.size());
    return c;
}

std::string removeLevelQuestion(const std::string& name, const LevelContents& contents) {
    return formatText("Remove level \"%s\"?\n\nThis will PERMANENTLY DELETE everything on this "
                      "level:\n    \u2022 %d track piece(s)\n    \u2022 %d scenery item(s)\n    "
                      "\u2022 %d helix/helices\n\nThis cannot be undone from this dialog. Are "
                      "you sure?",
                      name.c_str(), contents.pieces, contents.scenery, contents.helices);
}

LevelsChange removeLevel(Layout& layout, int32_t levelId) {
    if (layout.levels.size() <= 1 || !layout.findLevel(levelId))
        return {};

    const LevelRemoval gone = levelRemoval(layout, levelId);
    LevelsChange change{true, false};
    change.content = !gone.pieces.empty() || !gone.scenery.empty() || !gone.helices.empty() ||
                     !gone.tunnels.empty();
    removePieces(layout, gone.pieces);
    const auto erase = [](auto& list, const std::unordered_set<int32_t>& ids) {
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const auto& r) { return ids.count(r.id) != 0; }),
                   list.end());
    };
    erase(layout.helices, gone.helices);
    erase(layout.tunnels, gone.tunnels);
    erase(layout.scenery, gone.scenery);

    erase(layout.levels, std::unordered_set<int32_t>{levelId});
    if (layout.activeLevel == levelId)
        layout.activeLevel = layout.levels.front().id;
    return change;
}

Change levelsSessionChange(const LevelsChange& change) {
    if (change.content)
        return Change(Change::kPiecesEdited | Change::Levels);
    return change.levels ? Change(Change::SavedSettings) : Change{};
}

Change levelsShownChange(const LevelsChange& change) {
    if (change.content)
        return Change(Change::kPiecesEdited | Change::Levels);
    return change.levels ? Change(Change::Levels) : Change{};
}

LevelRow levelRow(const Layout& layout, const Level& level) {
    LevelRow row;
    row.name = level.name;
    row.height = formatLength(level.height, layout.units);
    row.color = level.useTrackColor ? "custom" : "-";
    row.id = formatText("%d", level.id);
    row.visible = level.visible;
    row.active = level.id == layout.activeLevel;
    return row;
}

bool canRemoveLevel(const Layout& layout) {
    return layout.levels.size() >= 2;
}

HeightSpinner heightSpinner(Units units) {
    switch (units) {
    case Units::Centimetres:
        return {1000, 1, 1};
    case Units::Inches:
        return {400, 0.1, 2};
    default:
        return {10000, 1, 1};
    }
}

} // namespace plandor
