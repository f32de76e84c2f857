#include "editing/Annotations.h"

#include "base/Units.h"
#include "editing/LayoutShape.h"
#include "editing/Placing.h"
#include "editing/Selection.h"

#include <algorithm>
#include <cmath>

namespace plandor {

bool addMeasurement(Layout& layout, Point start, Point end) {
    if (std::hypot(end.x - start.x, end.y - start.y) < kMinMeasurementMm)
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

ShapeProperties shapeProperties(const PolygonShape& shape, uint32_t units) {
    ShapeProperties p;
    p.name = shape.label;
    p.fill = Color{shape.fillR, shape.fillG, shape.fillB};
    p.opacityPercent = static_cast<int>(std::lround(shape.fillA * 100.0 / 255.0));
    p.heightInUnit = toDisplayUnits(shape.height, units);
    p.outline = shape.outline;
    return p;
}

int shapeHeightDigits(uint32_t units) {
    return units == 2 ? 2 : 1;
}

std::string shapeHeightLabel(uint32_t units) {
    return "Height (above level deck, " + unitShortName(units) + "):";
}

void applyShapeProperties(PolygonShape& shape, const ShapeProperties& props, uint32_t units) {
    shape.label = props.name;
    shape.fillR = props.fill.r;
    shape.fillG = props.fill.g;
    shape.fillB = props.fill.b;
    const int opacity = std::clamp(props.opacityPercent, 0, 100);
    shape.fillA = static_cast<uint8_t>(std::lround(opacity * 255.0 / 100.0));
    const double height = std::isfinite(props.heightInUnit) ? props.heightInUnit : 0.0;
    shape.height = fromDisplayUnits(std::clamp(height, 0.0, kShapeHeightMaxInUnit), units);
    shape.outline = props.outline;
}

} // namespace plandor
