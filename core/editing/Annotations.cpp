#include "core/editing/Annotations.h"
#include "core/base/Translate.h"

#include "core/base/Units.h"
#include "core/editing/LayoutShape.h"
#include "core/editing/Placing.h"
#include "core/editing/Selection.h"

#include <algorithm>
#include <cmath>

namespace plandor {

const char* const kEditLabelTitle = TR_NOOP("Edit Label");
const char* const kEditLabelPrompt = TR_NOOP("Label text:");
const char* const kEmptyLabelRefused = TR_NOOP("A label needs some text.");

namespace {

std::string withoutTrailingBlanks(const std::string& text) {
    const std::size_t end = text.find_last_not_of(" \t\r\n\f\v");
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

} // namespace

bool setLabelText(Layout& layout, int32_t id, const std::string& text) {
    LayoutLabel* label = layout.findLabel(id);
    const std::string trimmed = withoutTrailingBlanks(text);
    if (!label || trimmed.empty())
        return false;
    label->text = trimmed;
    return true;
}

Change editLabelText(Document& doc, Prompter& prompter, int32_t id) {
    const LayoutLabel* label = doc.layout.findLabel(id);
    if (!label)
        return Change{};
    std::string answer;
    if (!prompter.askText(tr(kEditLabelTitle), tr(kEditLabelPrompt), label->text, answer))
        return Change{};
    if (withoutTrailingBlanks(answer).empty()) {
        prompter.message(tr(kEditLabelTitle), tr(kEmptyLabelRefused), PromptIcon::Information);
        return Change{};
    }
    if (withoutTrailingBlanks(answer) == label->text)
        return Change{};
    return doc.apply([&] {
        return setLabelText(doc.layout, id, answer) ? Change(Change::Annotations) : Change{};
    });
}

bool measurementLongEnough(Point start, Point end) {
    return std::hypot(end.x - start.x, end.y - start.y) >= kMinMeasurementMm;
}

bool addMeasurement(Layout& layout, Point start, Point end) {
    if (!measurementLongEnough(start, end))
        return false;
    Measurement m;
    m.id = layout.takeId();
    m.x1 = start.x;
    m.y1 = start.y;
    m.x2 = end.x;
    m.y2 = end.y;
    layout.measurements.push_back(m);
    return true;
}

int32_t addPolygonShape(Layout& layout, std::vector<Point> vertices) {
    PolygonShape shape; // the record's defaults are the new shape's look
    shape.id = layout.takeId();
    shape.vertices = std::move(vertices);
    shape.level = dropLevel(layout);
    layout.shapes.push_back(std::move(shape));
    return layout.shapes.back().id;
}

void setFreeFormBaseboard(Layout& layout, std::vector<Point> vertices) {
    layout.baseboard = std::move(vertices);
    layout.lastShapeType = ShapeFreeForm;
}

bool selectMeasurementAlone(Layout& layout, int32_t id) {
    auto it = std::find_if(layout.measurements.begin(), layout.measurements.end(),
                           [id](const Measurement& m) { return m.id == id; });
    if (it == layout.measurements.end())
        return false;
    clearSelection(layout);
    it->selected = true;
    return true;
}

bool selectShapeAlone(Layout& layout, int32_t id) {
    PolygonShape* shape = layout.findShape(id);
    if (!shape)
        return false;
    clearSelection(layout);
    shape->selected = true;
    return true;
}

bool selectLabelAlone(Layout& layout, int32_t id) {
    if (!layout.findLabel(id))
        return false;
    for (LayoutLabel& label : layout.labels)
        label.selected = label.id == id;
    return true;
}

ShapeProperties shapeProperties(const PolygonShape& shape, Units units) {
    ShapeProperties p;
    p.name = shape.label;
    p.fill = Color{shape.fill.r, shape.fill.g, shape.fill.b, 255};
    p.opacityPercent = static_cast<int>(std::lround(shape.fill.a * 100.0 / 255.0));
    p.heightInUnit = toDisplayUnits(shape.height, units);
    p.outline = shape.outline;
    return p;
}

int shapeHeightDigits(Units units) {
    return units == Units::Inches ? 2 : 1;
}

std::string shapeHeightLabel(Units units) {
    return trFormat("Height (above level deck, %s):", unitShortName(units).c_str());
}

void applyShapeProperties(PolygonShape& shape, const ShapeProperties& props, Units units) {
    shape.label = props.name;
    shape.fill.r = props.fill.r;
    shape.fill.g = props.fill.g;
    shape.fill.b = props.fill.b;
    const int opacity = std::clamp(props.opacityPercent, 0, 100);
    shape.fill.a = static_cast<uint8_t>(std::lround(opacity * 255.0 / 100.0));
    const double height = std::isfinite(props.heightInUnit) ? props.heightInUnit : 0.0;
    shape.height = fromDisplayUnits(std::clamp(height, 0.0, kShapeHeightMaxInUnit), units);
    shape.outline = props.outline;
}

} // namespace plandor
