#include "core/editing/SceneryResize.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plandor {

namespace {

Point rotate(Point p, double headingDeg) {
    const double a = degToRad(headingDeg), c = std::cos(a), s = std::sin(a);
    return Point{p.x * c - p.y * s, p.x * s + p.y * c};
}

double clampScale(double scale) {
    return std::clamp(scale, kMinSceneryScale, kMaxSceneryScale);
}

} // namespace

Point sceneryHandlePoint(const SceneryItem& item, const SceneryDef& def, int handle) {
    const HandleFactor f = kSceneryHandles[static_cast<std::size_t>(handle)];
    const double w = def.width * item.scaleX, d = def.depth * item.scaleY;
    const Point offset = rotate(Point{f.fx * w / 2, f.fy * d / 2}, item.heading);
    return Point{item.x + offset.x, item.y + offset.y};
}

HandleResize beginHandleResize(const SceneryItem& item, const SceneryDef& def, int handle) {
    return HandleResize{item.id, handle, sceneryHandlePoint(item, def, oppositeHandle(handle))};
}

bool resizeToHandle(Layout& layout, const HandleResize& resize, const SceneryDef& def,
                    Point world) {
    SceneryItem* item = layout.findScenery(resize.itemId);
    if (!item || def.width <= 0 || def.depth <= 0)
        return false;
    const HandleFactor f = kSceneryHandles[static_cast<std::size_t>(resize.handle)];
    const Point local =
        rotate(Point{world.x - resize.anchor.x, world.y - resize.anchor.y}, -item->heading);
    double w = def.width * item->scaleX, d = def.depth * item->scaleY;
    if (f.fx != 0)
        w = std::max(std::fabs(local.x), kMinScenerySize);
    if (f.fy != 0)
        d = std::max(std::fabs(local.y), kMinScenerySize);
    // The anchor sits at (-fx, -fy) half-sizes from the centre.
    const Point toCentre = rotate(Point{f.fx * w / 2, f.fy * d / 2}, item->heading);
    item->x = resize.anchor.x + toCentre.x;
    item->y = resize.anchor.y + toCentre.y;
    item->scaleX = w / def.width;
    item->scaleY = d / def.depth;
    return true;
}

SceneryResizeForm openSceneryResize(const SceneryItem& item, const SceneryDef& def) {
    SceneryResizeForm form;
    form.itemId = item.id;
    form.catalogWidth = def.width;
    form.catalogDepth = def.depth;
    form.currentWidth = def.width * item.scaleX;
    form.currentDepth = def.depth * item.scaleY;
    form.scaleX = item.scaleX;
    form.scaleY = item.scaleY;
    form.aspect = item.scaleY > 0 ? item.scaleX / item.scaleY : 1.0;
    return form;
}

std::string scenerySizeLine(const SceneryResizeForm& form) {
    char text[160];
    std::snprintf(text, sizeof text, "Catalog size: %.0f x %.0f mm    Current: %.0f x %.0f mm",
                  form.catalogWidth, form.catalogDepth, form.currentWidth, form.currentDepth);
    return text;
}

std::string scaledSizeText(double scale, double catalogSize) {
    char text[64];
    std::snprintf(text, sizeof text, "(= %.0f mm)", scale * catalogSize);
    return text;
}

void setWidthScale(SceneryResizeForm& form, double scale) {
    form.scaleX = clampScale(scale);
    // A zero or negative stored ratio would divide by nothing; such a lock has no meaning.
    if (form.lockAspect && form.aspect > 0)
        form.scaleY = clampScale(form.scaleX / form.aspect);
}

void setDepthScale(SceneryResizeForm& form, double scale) {
    form.scaleY = clampScale(scale);
}

Change applySceneryResize(Layout& layout, const SceneryResizeForm& form,
                          SceneryResizeChoice choice) {
    SceneryItem* item = layout.findScenery(form.itemId);
    if (!item || choice == SceneryResizeChoice::Cancel)
        return Change{};
    if (choice == SceneryResizeChoice::ResetToDefault) {
        item->scaleX = 1.0;
        item->scaleY = 1.0;
    } else {
        item->scaleX = std::max(form.scaleX, kMinSceneryScale);
        item->scaleY = std::max(form.scaleY, kMinSceneryScale);
    }
    return Change(Change::Annotations);
}

} // namespace plandor
