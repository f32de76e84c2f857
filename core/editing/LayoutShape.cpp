#include "core/editing/LayoutShape.h"

#include "core/base/Units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace plandor {

const char* const kLayoutShapeTitle = "Layout Baseboard";
const char* const kFreeFormStatus =
    "Click the baseboard's corners; click the first one or press Enter to close. "
    "Backspace: remove last; Escape: cancel.";

namespace {

// A typed vertex further out than this is a typing error, not a baseboard.
constexpr double kMaxCoordinateMm = 100000.0;

const std::vector<ShapeDef>& shapeTable() {
    static const std::vector<ShapeDef> table = {
        {"Rectangle",
         "Simple rectangular baseboard:",
         {{"Width (left to right):", 2400}, {"Depth (top to bottom):", 1200}}},
        {"L-Shape",
         "L-Shape: full rectangle minus bottom-right corner.\nW1/H1 = full size,  W2/H2 = cutout "
         "(bottom-right).",
         {{"Full width  W1:", 2400},
          {"Full depth  H1:", 2400},
          {"Cutout width  W2:", 1200},
          {"Cutout depth  H2:", 1200}}},
        {"U-Shape",
         "U-Shape: rectangle with notch cut from bottom centre.\nW/H = outer size,  W2/H2 = notch "
         "(centred on bottom).",
         {{"Outer width  W:", 3600},
          {"Outer depth  H:", 2400},
          {"Notch width  W2:", 1200},
          {"Notch depth  H2:", 1200}}},
        {"T-Shape",
         "T-Shape: wide top bar plus narrower stem below.\nW/H1 = top bar,  W2/H2 = stem "
         "(centred).",
         {{"Top width  W:", 3600},
          {"Top depth  H1:", 1200},
          {"Stem width  W2:", 1200},
          {"Stem depth  H2:", 1200}}},
        {"Custom polygon (vertices)",
         "Enter polygon vertices as  x,y  pairs, one per line.\nValues are in the layout's "
         "unit.\nExample (%s):  0,0  /  %s,0  /  %s,%s  /  0,%s",
         {}},
        {"Free-form (draw on canvas)",
         "Click Apply and then click vertices on the canvas to outline the baseboard.\nClose the "
         "shape by clicking near the first vertex or pressing Enter.\nBackspace removes the last "
         "vertex; Escape cancels.",
         {}},
        {"Clear (no baseboard)", "Remove the baseboard outline from the canvas.", {}},
    };
    return table;
}

bool validShape(int shape) {
    return shape >= 0 && shape < kShapeCount;
}

std::string trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return std::string(s);
}

// A whole field holding one decimal number, and nothing else.
bool readNumber(const std::string& text, double& value) {
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

bool readCoordinate(const std::string& text, Units units, double& mm) {
    double value = 0;
    if (!readNumber(trimmed(text), value))
        return false;
    mm = fromDisplayUnits(value, units);
    return std::fabs(mm) <= kMaxCoordinateMm;
}

double fieldMm(const std::vector<int>& values, std::size_t i, Units units) {
    const int v = i < values.size() ? values[i] : kShapeFieldMin;
    return fromDisplayUnits(std::clamp(v, kShapeFieldMin, kShapeFieldMax), units);
}

} // namespace

const ShapeDef& shapeDef(int shape) {
    return shapeTable()[validShape(shape) ? shape : 0];
}

int initialShape(const Layout& layout) {
    return validShape(layout.lastShapeType) ? layout.lastShapeType : ShapeRectangle;
}

std::vector<int> shapeFieldValues(const Layout& layout, int shape) {
    const ShapeDef& def = shapeDef(shape);
    const double stored[4] = {layout.lastShapeW, layout.lastShapeH, layout.lastShapeW2,
                              layout.lastShapeH2};
    const bool useStored = layout.lastShapeType == shape;
    std::vector<int> values;
    for (std::size_t i = 0; i < def.fields.size(); ++i) {
        const double mm = useStored ? stored[i] : def.fields[i].defaultMm;
        const long shown = std::lround(toDisplayUnits(mm, layout.units));
        values.push_back(static_cast<int>(std::clamp<long>(shown, kShapeFieldMin, kShapeFieldMax)));
    }
    return values;
}

namespace {

// A length in the unit with at most one decimal: "2400", "240", "94.5".
std::string shortNumber(double mm, Units units) {
    std::string text = formatText("%.1f", toDisplayUnits(mm, units));
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.resize(text.size() - 2);
    return text;
}

} // namespace

std::string shapePageText(int shape, Units units) {
    const ShapeDef& def = shapeDef(shape);
    if (shape != ShapeCustom)
        return def.pageText;
    // The example is given in the unit the fields are read in.
    const std::string w = shortNumber(2400, units), d = shortNumber(1200, units);
    return formatText(def.pageText, unitShortName(units).c_str(), w.c_str(), w.c_str(), d.c_str(),
                      d.c_str());
}

std::string customPolygonText(const std::vector<Point>& outline, Units units) {
    if (outline.empty()) {
        const double w = toDisplayUnits(2400, units);
        const double d = toDisplayUnits(1200, units);
        return formatText("0,0\n%.0f,0\n%.0f,%.0f\n0,%.0f\n", w, w, d, d);
    }
    std::string text;
    for (const Point& p : outline)
        text += formatText("%.2f,%.2f\n", toDisplayUnits(p.x, units), toDisplayUnits(p.y, units));
    return text;
}

std::vector<Point> parametricOutline(int shape, const std::vector<int>& values, Units units) {
    const double a = fieldMm(values, 0, units);
    const double b = fieldMm(values, 1, units);
    const double c = fieldMm(values, 2, units);
    const double d = fieldMm(values, 3, units);
    switch (shape) {
    case ShapeRectangle:
        return {{0, 0}, {a, 0}, {a, b}, {0, b}};
    case ShapeL: {
        const double cw = std::min(c, a - 1);
        const double ch = std::min(d, b - 1);
        return {{0, 0}, {a, 0}, {a, b - ch}, {a - cw, b - ch}, {a - cw, b}, {0, b}};
    }
    case ShapeU: {
        const double nw = std::min(c, a - 2);
        const double nd = std::min(d, b - 1);
        const double x1 = (a - nw) / 2;
        const double x2 = (a + nw) / 2;
        return {{0, 0}, {a, 0}, {a, b}, {x2, b}, {x2, b - nd}, {x1, b - nd}, {x1, b}, {0, b}};
    }
    case ShapeT: {
        const double sw = std::min(c, a);
        const double sd = std::max(d, 1.0);
        const double x1 = (a - sw) / 2;
        const double x2 = (a + sw) / 2;
        return {{0, 0}, {a, 0}, {a, b}, {x2, b}, {x2, b + sd}, {x1, b + sd}, {x1, b}, {0, b}};
    }
    default:
        return {};
    }
}

CustomOutline parseCustomPolygon(const std::string& text, Units units) {
    CustomOutline result;
    std::istringstream in(text);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string line = trimmed(raw);
        if (line.empty())
            continue;
        const std::size_t comma = line.find(',');
        Point p;
        if (comma == std::string::npos || !readCoordinate(line.substr(0, comma), units, p.x) ||
            !readCoordinate(line.substr(comma + 1), units, p.y)) {
            if (result.skipped++ == 0) {
                result.firstSkippedLine = number;
                result.firstSkippedText = line;
            }
            continue;
        }
        result.outline.push_back(p);
    }
    return result;
}

std::string unreadableLinesMessage(const CustomOutline& typed) {
    return formatText("Line %d could not be read as x,y:\n%s\n\n%d line(s) in all. Correct or "
                      "remove them and press Apply again; the baseboard stays as it is until "
                      "then.",
                      typed.firstSkippedLine, typed.firstSkippedText.c_str(), typed.skipped);
}

ShapeResult shapeResult(const Layout& layout, const ShapeInput& input) {
    ShapeResult result;
    const int shape = validShape(input.shape) ? input.shape : ShapeRectangle;
    // Drawing on the canvas changes the layout only once the drawn outline closes.
    if (shape == ShapeFreeForm) {
        result.drawOnCanvas = true;
        return result;
    }
    result.board = layout.baseboardState();
    result.board.lastShapeType = shape;
    switch (shape) {
    case ShapeCustom: {
        CustomOutline typed = parseCustomPolygon(input.customText, layout.units);
        if (typed.skipped > 0) {
            result.problem = unreadableLinesMessage(typed);
            return result;
        }
        result.board.outline = std::move(typed.outline);
        return result;
    }
    case ShapeClear:
        result.board.outline.clear();
        return result;
    default:
        break;
    }
    result.board.outline = parametricOutline(shape, input.values, layout.units);
    double* stored[4] = {&result.board.lastShapeW, &result.board.lastShapeH,
                         &result.board.lastShapeW2, &result.board.lastShapeH2};
    const std::size_t n = std::min<std::size_t>(input.values.size(), shapeDef(shape).fields.size());
    for (std::size_t i = 0; i < n; ++i)
        *stored[i] = fieldMm(input.values, i, layout.units);
    return result;
}

Change applyShapeResult(Layout& layout, const ShapeResult& result) {
    if (result.drawOnCanvas || !result.problem.empty() || layout.baseboardState() == result.board)
        return Change{};
    layout.restoreBaseboard(BaseboardState(result.board));
    return Change(Change::Baseboard);
}

} // namespace plandor
