#include "core/editing/DisplaySettings.h"

namespace plandor {

Change setGridShown(Document& doc, bool shown) {
    doc.layout.showGrid = shown;
    return Change(Change::ViewSettings);
}

Change setSnapOn(Document& doc, bool on) {
    doc.layout.snapOn = on;
    return Change{};
}

Change setLabelsShown(Document& doc, bool shown) {
    doc.layout.showLabels = shown;
    return Change(Change::ViewSettings);
}

Change setUnits(Document& doc, Units units) {
    doc.layout.units = units;
    return Change(Change::ViewSettings);
}

} // namespace plandor
