#pragma once
// The rules behind the layout shape dialog: the seven baseboard shapes, their fields in the
// display unit, and the outline each one builds.

#include "core/base/Geometry.h"
#include "core/document/Change.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

enum ShapeKind : int {
    ShapeRectangle = 0,
    ShapeL = 1,
    ShapeU = 2,
    ShapeT = 3,
    ShapeCustom = 4,
    ShapeFreeForm = 5,
    ShapeClear = 6,
};
constexpr int kShapeCount = 7;

extern const char* const kLayoutShapeTitle; // "Layout Baseboard"
extern const char* const kFreeFormStatus;   // status text while the outline is drawn

struct ShapeField {
    const char* label;
    double defaultMm;
};

struct ShapeDef {
    const char* entry;    // text in the shape choice
    const char* pageText; // explanation at the top of the page
    std::vector<ShapeField> fields;
};
const ShapeDef& shapeDef(int shape);
// The explanation of a shape's page, its example in the layout's unit.
std::string shapePageText(int shape, Units units);

// Whole-number spinner limits of every dimension field, in the display unit.
constexpr int kShapeFieldMin = 1;
constexpr int kShapeFieldMax = 99000;

// The shape preselected when the dialog opens: the last one applied, or the rectangle.
int initialShape(const Layout& layout);
// The fields of a shape in the display unit: the stored dimensions when that shape was the
// last one applied, else its defaults.
std::vector<int> shapeFieldValues(const Layout& layout, int shape);
// The custom-polygon text: the current outline, or a 2400 x 1200 mm rectangle.
std::string customPolygonText(const std::vector<Point>& outline, Units units);

// Outline of a parametric shape from its field values in the display unit; cut-outs are
// clamped so that some board always remains.
std::vector<Point> parametricOutline(int shape, const std::vector<int>& values, Units units);

// The vertices typed as "x,y" lines in the display unit. Blank lines are passed over; a line
// without a comma, with a number that cannot be read, or beyond 100 m is skipped and counted.
struct CustomOutline {
    std::vector<Point> outline;
    int skipped = 0;
    int firstSkippedLine = 0; // 1 for the first line of the text
    std::string firstSkippedText;
};
CustomOutline parseCustomPolygon(const std::string& text, Units units);
// Why typed vertices were refused: the first line that could not be read and the count.
std::string unreadableLinesMessage(const CustomOutline& typed);

// What the dialog gives when "Apply" is pressed.
struct ShapeInput {
    int shape = ShapeRectangle;
    std::vector<int> values; // the page's dimension fields, display unit
    std::string customText;
};
struct ShapeResult {
    BaseboardState board; // the outline (mm) and the shape remembered for the next opening
    bool drawOnCanvas = false;
    // Why the input cannot become a baseboard (vertices that do not read); the dialog stays
    // open and the layout keeps its board.
    std::string problem;
};
// What applying the input would make of the layout's baseboard; changes nothing.
ShapeResult shapeResult(const Layout& layout, const ShapeInput& input);
// Puts the result's outline and last shape in the layout: a Baseboard change (one undo step),
// or none when the result draws on the canvas, has a problem or changes nothing.
Change applyShapeResult(Layout& layout, const ShapeResult& result);

} // namespace plandor
