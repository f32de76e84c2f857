#include "core/app/PropertiesModel.h"
#include "core/base/Geometry.h"

#include "core/base/Units.h"
#include "core/catalog/HelixVariants.h"
#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/editing/Selection.h"
#include "core/elevation/GradeRuns.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <unordered_map>

namespace plandor {

namespace {

void setContext(PropertiesState& s, int32_t piece, int32_t scenery, int32_t helix, int32_t shape) {
    s.contextPiece = piece;
    s.contextScenery = scenery;
    s.contextHelix = helix;
    s.contextShape = shape;
}

void showGrade(PropertiesState& s, double gradeDeg) {
    s.gradeText = gradeText(gradeDeg);
    s.warning = gradeWarning(gradeDeg);
    s.gradeWarningColour = !s.warning.empty();
}

// Fills the level choice with every level (level 1 stands in for an empty list) and picks
// `levelId` in it.
void showLevels(const Layout& layout, PropertiesState& s, int32_t levelId) {
    s.levels.clear();
    for (const Level& l : layout.levels)
        s.levels.push_back(LevelEntry{l.id, l.name});
    if (s.levels.empty())
        s.levels.push_back(LevelEntry{Level{}.id, Level{}.name});
    s.levelIndex = -1;
    for (std::size_t i = 0; i < s.levels.size(); ++i)
        if (s.levels[i].id == levelId) {
            s.levelIndex = static_cast<int>(i);
            break;
        }
    s.levelEnabled = true;
}

// Scenery and polygons have no height or grade of their own to edit.
void showNoHeight(PropertiesState& s) {
    s.heightLabel = "Height:";
    s.heightText = "-";
    s.heightEnabled = false;
    showGrade(s, 0.0);
}

// A length of track: one decimal in millimetres and centimetres, two in inches.
std::string trackLength(double mm, Units units) {
    return units == Units::Millimetres ? formatText("%.1f mm", mm) : formatLength(mm, units);
}

// "300 x 200 mm", "30.0 x 20.0 cm", "11.81 x 7.87 in".
std::string sizeText(double widthMm, double depthMm, Units units) {
    const char* format = units == Units::Inches        ? "%.2f x %.2f %s"
                         : units == Units::Centimetres ? "%.1f x %.1f %s"
                                                       : "%.0f x %.0f %s";
    return formatText(format, widthMm / unitFactor(units), depthMm / unitFactor(units),
                      unitShortName(units).c_str());
}

std::string heightLabel(const char* prefix, Units units) {
    return std::string(prefix) + " (" + unitShortName(units) + "):";
}

// The helix id every selected piece shares, or -1.
int32_t sharedHelix(const std::vector<const PlacedPiece*>& pieces) {
    if (pieces.empty())
        return -1;
    const int32_t helix = pieces.front()->helix;
    for (const PlacedPiece* p : pieces)
        if (p->helix != helix)
            return -1;
    return helix;
}

// The layout's variant of the helix; drawing and counting fall back to the default one too.
const HelixVariant* variantOrDefault(const Helix* helix) {
    const HelixVariant* v = helix ? findHelixVariant(helix->variant) : nullptr;
    return v ? v : findHelixVariant(defaultHelixVariantId());
}

const PlacedPiece* firstPieceOfHelix(const Layout& layout, int32_t helixId) {
    for (const PlacedPiece& p : layout.pieces)
        if (p.helix == helixId)
            return &p;
    return nullptr;
}

void describeHelix(const Layout& layout, int32_t helixId, PropertiesState& s) {
    setContext(s, -1, -1, helixId, -1);
    const Helix* helix = layout.findHelix(helixId);
    const HelixVariant* known = helix ? findHelixVariant(helix->variant) : nullptr;
    s.title = known ? known->name : "Helix";
    s.detail.clear();
    if (const HelixVariant* v = variantOrDefault(helix))
        s.detail =
            formatText("%.1f turns  |  rise %.1f%s  |  R1 %.1f / R2 %.1f %s", v->turns,
                       v->rise / unitFactor(layout.units), unitShortName(layout.units).c_str(),
                       v->r1 / unitFactor(layout.units), v->r2 / unitFactor(layout.units),
                       unitShortName(layout.units).c_str());
    const PlacedPiece* base = firstPieceOfHelix(layout, helixId);
    s.heightLabel = heightLabel("Base height", layout.units);
    s.heightText = heightFieldText(base ? base->z : 0.0, layout.units);
    // Height Enter edits single pieces only, so the helix's base height is shown, not edited.
    s.heightEnabled = false;
    showGrade(s, 0.0);
    showLevels(layout, s, base ? base->level : 1);
}

void describeGroup(const Layout& layout, const std::vector<const PlacedPiece*>& pieces,
                   PropertiesState& s) {
    setContext(s, -1, -1, -1, -1);
    s.title.clear();
    double total = 0;
    for (const PlacedPiece* p : pieces) {
        if (!s.title.empty())
            s.title += " + ";
        s.title += p->part;
        if (const PieceDef* def = TrackCatalog::instance().find(p->part))
            total += def->length;
    }
    s.detail = formatText("%zu pieces  |  ", pieces.size()) + trackLength(total, layout.units);
    s.heightLabel = heightLabel("Height", layout.units);
}

void describePiece(const Layout& layout, const PlacedPiece& p, PropertiesState& s) {
    setContext(s, p.id, -1, -1, -1);
    const PieceDef* def = TrackCatalog::instance().find(p.part);
    s.title = def ? def->description : p.part;
    s.detail = systemShortName(def ? def->system : UINT32_MAX) + "  |  ";
    if (def && def->length > 0)
        s.detail += trackLength(def->length, layout.units);
    s.heightLabel = heightLabel("Height", layout.units);
    s.heightText = heightFieldText(p.z, layout.units);
    s.heightEnabled = true;
    showGrade(s, p.grade);
    showLevels(layout, s, p.level);
    if (isGraded(p)) {
        s.spinDeg = std::min(std::fabs(p.grade), kMaxGradeDeg);
        s.gradeDown = p.grade < 0;
    }
}

void describeScenery(const Layout& layout, const SceneryItem& item, PropertiesState& s) {
    setContext(s, -1, item.id, -1, -1);
    const SceneryDef* def = SceneryCatalog::instance().find(item.item);
    s.title = def ? def->name : item.item;
    s.detail = "Scenery";
    if (def && def->width > 0 && def->depth > 0)
        s.detail +=
            "  |  " + sizeText(def->width * item.scaleX, def->depth * item.scaleY, layout.units);
    showNoHeight(s);
    showLevels(layout, s, item.level);
}

void describePolygon(const Layout& layout, const PolygonShape& shape, PropertiesState& s) {
    setContext(s, -1, -1, -1, shape.id);
    s.title = shape.label.empty() ? "(unnamed shape)" : shape.label;
    if (shape.vertices.empty()) {
        s.detail = "Polygon  |  (no vertices)";
    } else {
        double minX = shape.vertices[0].x, maxX = minX;
        double minY = shape.vertices[0].y, maxY = minY;
        for (const Point& v : shape.vertices) {
            minX = std::min(minX, v.x);
            maxX = std::max(maxX, v.x);
            minY = std::min(minY, v.y);
            maxY = std::max(maxY, v.y);
        }
        // Two short lines: one would not fit the panel's width.
        s.detail = formatText("Polygon  |  %zu corners\n", shape.vertices.size()) +
                   sizeText(maxX - minX, maxY - minY, layout.units) + "  |  height " +
                   formatLength(shape.height, layout.units);
    }
    showNoHeight(s);
    showLevels(layout, s, shape.level);
}

void describeNothing(const Layout& layout, PropertiesState& s) {
    setContext(s, -1, -1, -1, -1);
    s.title = "No selection";
    s.detail.clear();
    // The label names the unit of the layout shown now, which may not be the one it last named.
    s.heightLabel = heightLabel("Height", layout.units);
    s.heightText = "0";
    s.heightEnabled = false;
    showGrade(s, 0.0);
    s.levelEnabled = false;
}

// The grade buttons act on the piece the description shows; "End Grade" only while a run
// is under way.
void showGradeButtons(const Layout& layout, PropertiesState& s) {
    const bool piece = s.contextPiece != -1;
    s.startGradeEnabled = piece;
    s.recalcEnabled = piece;
    s.endGradeEnabled = piece && layout.gradeActive;
}

// Gives ungraded pieces joined to the helix, directly or through other such pieces, the
// level and its height; other helices stop the walk.
void levelPiecesJoinedToHelix(Layout& layout, int32_t helixId, int32_t levelId, double height) {
    std::unordered_map<int32_t, std::size_t> indexOf;
    indexOf.reserve(layout.pieces.size() * 2);
    for (std::size_t i = 0; i < layout.pieces.size(); ++i)
        indexOf.emplace(layout.pieces[i].id, i);
    std::vector<char> seen(layout.pieces.size(), 0);
    std::deque<std::size_t> queue;
    for (std::size_t i = 0; i < layout.pieces.size(); ++i)
        if (layout.pieces[i].helix == helixId) {
            seen[i] = 1;
            queue.push_back(i);
        }
    while (!queue.empty()) {
        const std::size_t i = queue.front();
        queue.pop_front();
        for (const Joint& j : layout.pieces[i].joints) {
            auto it = j.isFree() ? indexOf.end() : indexOf.find(j.target);
            if (it == indexOf.end() || seen[it->second])
                continue;
            seen[it->second] = 1;
            PlacedPiece& next = layout.pieces[it->second];
            if (next.helix != -1)
                continue;
            next.level = levelId;
            if (!isGraded(next))
                next.z = height;
            queue.push_back(it->second);
        }
    }
}

bool moveHelixToLevel(Layout& layout, int32_t helixId, int32_t levelId, double height) {
    const Helix* helix = layout.findHelix(helixId);
    if (!helix)
        return false;
    const HelixVariant* v = variantOrDefault(helix);
    const double rise = v ? v->rise : 0.0;
    int index = 0;
    for (PlacedPiece& p : layout.pieces) {
        if (p.helix != helixId)
            continue;
        p.level = levelId;
        p.z = index < 2 ? height : height + rise;
        ++index;
    }
    levelPiecesJoinedToHelix(layout, helixId, levelId, height);
    return true;
}

std::string trimTrailingBlanks(const std::string& text) {
    const std::size_t end = text.find_last_not_of(" \t\r\n\f\v");
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

// A whole number in C notation, blanks around it allowed; false for anything else.
bool parseNumber(const std::string& text, double& value) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return false;
    const std::string trimmed = trimTrailingBlanks(text.substr(first));
    char* end = nullptr;
    const double v = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

} // namespace

const std::vector<TrackColour>& trackColours() {
    static const std::vector<TrackColour> colours = {
        {"Default", false, {0, 0, 0, 255}},    {"Red", true, {220, 60, 60, 255}},
        {"Orange", true, {230, 140, 40, 255}}, {"Yellow", true, {220, 200, 50, 255}},
        {"Green", true, {60, 170, 60, 255}},   {"Blue", true, {60, 100, 200, 255}},
        {"Purple", true, {140, 60, 180, 255}}, {"Pink", true, {210, 90, 150, 255}},
        {"White", true, {240, 240, 240, 255}},
    };
    return colours;
}

std::string gradeText(double gradeDeg) {
    const double magnitude = std::fabs(gradeDeg);
    if (magnitude <= kFlatGrade)
        return "-";
    return formatText("%c%.2f deg (%.1f%%)", gradeDeg < 0 ? '-' : '+', magnitude,
                      std::tan(magnitude * kPi / 180.0) * 100.0);
}

std::string gradeWarning(double gradeDeg) {
    const double magnitude = std::fabs(gradeDeg);
    if (magnitude <= kMaxGradeDeg)
        return {};
    return formatText("WARNING: Grade %.1f deg exceeds %.0f deg max!", magnitude, kMaxGradeDeg);
}

std::string heightFieldText(double mm, Units units) {
    return formatText(units == Units::Inches ? "%.3f" : "%.1f", mm / unitFactor(units));
}

void refreshSelection(const Layout& layout, PropertiesState& state) {
    std::vector<const PlacedPiece*> pieces;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected)
            pieces.push_back(&p);
    const auto countSelected = [](const auto& list) {
        return std::count_if(list.begin(), list.end(), [](const auto& r) { return r.selected; });
    };
    const auto firstSelected = [](const auto& list) {
        return &*std::find_if(list.begin(), list.end(), [](const auto& r) { return r.selected; });
    };

    const int32_t helix = sharedHelix(pieces);
    if (helix != -1)
        describeHelix(layout, helix, state);
    else if (pieces.size() >= 2)
        describeGroup(layout, pieces, state);
    else if (pieces.size() == 1)
        describePiece(layout, *pieces.front(), state);
    else if (countSelected(layout.scenery) == 1)
        describeScenery(layout, *firstSelected(layout.scenery), state);
    else if (countSelected(layout.shapes) == 1)
        describePolygon(layout, *firstSelected(layout.shapes), state);
    else
        describeNothing(layout, state);
    showGradeButtons(layout, state);
}

namespace {

bool moveToLevel(Layout& layout, const PropertiesState& state, int32_t levelId) {
    const Level* level = layout.findLevel(levelId);
    const double height = level ? level->height : 0.0;
    if (state.contextScenery != -1) {
        SceneryItem* item = layout.findScenery(state.contextScenery);
        if (!item)
            return false;
        item->level = levelId;
    } else if (state.contextShape != -1) {
        PolygonShape* shape = layout.findShape(state.contextShape);
        if (!shape)
            return false;
        shape->level = levelId;
    } else if (state.contextHelix != -1) {
        if (!moveHelixToLevel(layout, state.contextHelix, levelId, height))
            return false;
    } else {
        PlacedPiece* piece = layout.findPiece(state.contextPiece);
        if (!piece || piece->helix != -1)
            return false;
        piece->level = levelId;
        if (!isGraded(*piece))
            piece->z = height;
    }
    layout.activeLevel = levelId;
    return true;
}

bool colourSelection(Layout& layout, PropertiesState& state, int choice) {
    const std::vector<TrackColour>& colours = trackColours();
    if (choice < 0 || choice >= static_cast<int>(colours.size()))
        return false;
    const bool anyPiece = std::any_of(layout.pieces.begin(), layout.pieces.end(),
                                      [](const PlacedPiece& p) { return p.selected; });
    if (!anyPiece)
        return false;
    const TrackColour& c = colours[choice];
    for (PlacedPiece& p : layout.pieces) {
        if (!p.selected)
            continue;
        p.hasColor = c.hasColor;
        p.color = c.color;
    }
    clearSelection(layout);
    refreshSelection(layout, state);
    return true;
}

bool setHeight(Layout& layout, PropertiesState& state, const std::string& text) {
    if (state.contextPiece == -1)
        return false;
    PlacedPiece* piece = layout.findPiece(state.contextPiece);
    double value = 0;
    if (!piece || !parseNumber(text, value))
        return false;
    piece->z = value * unitFactor(layout.units);
    refreshSelection(layout, state);
    return true;
}

} // namespace

Change changeLevel(Document& doc, const PropertiesState& state, int32_t levelId) {
    return doc.apply([&] {
        return moveToLevel(doc.layout, state, levelId)
                   ? Change(Change::Levels | Change::Heights | Change::Pieces)
                   : Change{};
    });
}

Change applyColour(Document& doc, PropertiesState& state, int choice) {
    return doc.apply([&] {
        return colourSelection(doc.layout, state, choice)
                   ? Change(Change::Pieces | Change::Selection)
                   : Change{};
    });
}

Change enterHeight(Document& doc, PropertiesState& state, const std::string& text) {
    return doc.apply(
        [&] { return setHeight(doc.layout, state, text) ? Change(Change::Heights) : Change{}; });
}

void setLabelDropPoint(PropertiesState& state, double x, double y) {
    state.hasLabelPoint = true;
    state.labelX = x;
    state.labelY = y;
}

Change addLabel(Document& doc, PropertiesState& state, const std::string& text) {
    const std::string trimmed = trimTrailingBlanks(text);
    if (trimmed.empty())
        return Change{};
    Edit edit = doc.begin();
    Layout& layout = doc.layout;
    LayoutLabel label;
    label.id = layout.takeId();
    label.text = trimmed;
    label.x = state.hasLabelPoint ? state.labelX : 0.0;
    label.y = state.hasLabelPoint ? state.labelY : 0.0;
    layout.labels.push_back(label);
    state.hasLabelPoint = false;
    return edit.commit(Change(Change::Annotations));
}

} // namespace plandor
