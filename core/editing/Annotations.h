#pragma once
// The records the annotation tools make and edit: measurements, polygon shapes, the free-form
// baseboard, and the values of the shape properties dialog.

#include "core/base/Color.h"
#include "core/base/Geometry.h"
#include "core/base/Prompter.h"
#include "core/document/Document.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

// A measurement shorter than this is not kept.
constexpr double kMinMeasurementMm = 1.0;

// A measurement from `start` to `end` is kept: the points lie 1 mm apart or more.
bool measurementLongEnough(Point start, Point end);
// Adds a measurement from `start` to `end` with the next id; false (nothing added) when it is
// not long enough.
bool addMeasurement(Layout& layout, Point start, Point end);

// Adds a polygon shape with the default look on the highest visible level (the active level
// when none is visible); returns its id.
int32_t addPolygonShape(Layout& layout, std::vector<Point> vertices);

// The drawn outline becomes the baseboard, and free-form the last shape applied.
void setFreeFormBaseboard(Layout& layout, std::vector<Point> vertices);

// Each select the one object alone; false when the id is unknown.
bool selectMeasurementAlone(Layout& layout, int32_t id);
bool selectShapeAlone(Layout& layout, int32_t id);
// Deselects the other labels only: a label click leaves pieces and scenery as they are.
bool selectLabelAlone(Layout& layout, int32_t id);

// The label edit dialog's texts.
extern const char* const kEditLabelTitle;    // "Edit Label"
extern const char* const kEditLabelPrompt;   // "Label text:"
extern const char* const kEmptyLabelRefused; // said when the new text is blank

// Gives the label a new text (trailing blanks trimmed); false, changing nothing, when the
// label is unknown or the text is blank.
bool setLabelText(Layout& layout, int32_t id, const std::string& text);

// Asks for the label's new text with its current text filled in. OK with a changed text is
// one undo step; a blank text is refused with a message; Cancel or the same text change
// nothing.
Change editLabelText(Document& doc, Prompter& prompter, int32_t id);

// What the shape properties dialog shows and gives back: opacity in percent, height in the
// display unit.
struct ShapeProperties {
    std::string name;
    Color fill; // alpha unused
    int opacityPercent = 0;
    double heightInUnit = 0;
    bool outline = true;
};
constexpr double kShapeHeightMaxInUnit = 5000.0;

ShapeProperties shapeProperties(const PolygonShape& shape, Units units);
// Digits the height field shows: one for mm and cm, two for inches.
int shapeHeightDigits(Units units);
// "Height (above level deck, %s):" with the unit's short name.
std::string shapeHeightLabel(Units units);
// Stores the dialog's values; opacity and height are clamped to the dialog's ranges.
void applyShapeProperties(PolygonShape& shape, const ShapeProperties& props, Units units);

} // namespace plandor
