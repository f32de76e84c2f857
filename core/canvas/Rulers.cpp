#include "core/canvas/Rulers.h"

#include "core/base/Units.h"

#include <cmath>

namespace plandor {

namespace {

const std::vector<double>& spacingTable(Units units) {
    static const std::vector<double> mm{1, 2, 5, 10, 20, 50, 100, 200, 500};
    static const std::vector<double> cm{0.5, 1, 2, 5, 10, 20, 50, 100, 200};
    static const std::vector<double> in{0.25, 0.5, 1, 2, 3, 6, 12, 24, 48, 96, 192};
    switch (units) {
    case Units::Centimetres:
        return cm;
    case Units::Inches:
        return in;
    default:
        return mm;
    }
}

// Ticks every `spacing` display units from `first` (inclusive) to `end` (exclusive) in screen
// pixels along one axis whose world origin is at screen `pan`.
std::vector<RulerTick> ticksAlong(double pan, double pixelsPerUnit, double spacing, Units units,
                                  int first, int end) {
    std::vector<RulerTick> ticks;
    const double step = spacing * pixelsPerUnit;
    // Far zoomed out the last table entry can shrink below a pixel: no readable ticks then.
    if (!(step >= 2.0))
        return ticks;
    const double kFirst = std::floor((first - pan) / step);
    for (double k = kFirst;; k += 1) {
        const double pos = std::trunc(k * step + pan);
        if (pos >= end)
            break;
        if (pos >= first)
            ticks.push_back(RulerTick{static_cast<int>(pos), rulerLabel(k * spacing, units)});
    }
    return ticks;
}

} // namespace

double rulerSpacing(Units units, double scale) {
    const std::vector<double>& table = spacingTable(units);
    for (double entry : table)
        if (entry * unitFactor(units) * scale >= kMinTickGap)
            return entry;
    return table.back();
}

std::string rulerLabel(double value, Units units) {
    if (value == 0)
        value = 0; // never "-0"
    if (units != Units::Inches)
        return formatText("%.0f", value);
    const double halves = std::round(value * 2) / 2 + 0.0; // + 0.0 turns -0 into 0
    if (halves == std::trunc(halves))
        return formatText("%.0f\"", halves);
    return formatText("%.1f\"", halves);
}

Rulers computeRulers(const ViewTransform& view, Units units, int width, int height) {
    Rulers r;
    r.spacing = rulerSpacing(units, view.scale);
    const double pixelsPerUnit = unitFactor(units) * view.scale;
    r.top = ticksAlong(view.panX, pixelsPerUnit, r.spacing, units, kRulerSize, width);
    r.left = ticksAlong(view.panY, pixelsPerUnit, r.spacing, units, kRulerSize, height);
    const ScreenPoint origin = view.toScreen(0, 0);
    r.originX = origin.x;
    r.originY = origin.y;
    r.originOnTop = origin.x >= kRulerSize && origin.x < width;
    r.originOnLeft = origin.y >= kRulerSize && origin.y < height;
    return r;
}

void drawRulers(Painter& painter, const Rulers& rulers, int width, int height) {
    Pen border;
    border.color = Color{180, 180, 180, 255};
    Brush strip;
    strip.color = Color{240, 240, 240, 255};
    painter.setPen(border);
    painter.setBrush(strip);
    painter.drawRectangle(0, 0, width, kRulerSize);
    painter.drawRectangle(0, 0, kRulerSize, height);
    painter.drawRectangle(0, 0, kRulerSize, kRulerSize);

    Pen tick;
    tick.color = Color{140, 140, 140, 255};
    painter.setPen(tick);
    painter.setFont(Font{7, false});
    painter.setTextColor(Color{80, 80, 80, 255});
    painter.setTextBackground(Color{240, 240, 240, 255}, false);
    for (const RulerTick& t : rulers.top) {
        painter.drawLine(ScreenPoint{t.position, 14}, ScreenPoint{t.position, kRulerSize});
        painter.drawText(t.label, t.position + 2, 2);
    }
    for (const RulerTick& t : rulers.left) {
        painter.drawLine(ScreenPoint{14, t.position}, ScreenPoint{kRulerSize, t.position});
        painter.drawText(t.label, 1, t.position + 1);
    }

    Pen origin;
    origin.color = Color{200, 80, 80, 255};
    painter.setPen(origin);
    if (rulers.originOnTop)
        painter.drawLine(ScreenPoint{rulers.originX, 0}, ScreenPoint{rulers.originX, kRulerSize});
    if (rulers.originOnLeft)
        painter.drawLine(ScreenPoint{0, rulers.originY}, ScreenPoint{kRulerSize, rulers.originY});
}

} // namespace plandor
