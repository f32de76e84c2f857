#pragma once
// The canvas's rulers: 20-pixel strips along the top and left edges with ticks labelled in the
// display unit. Computed as plain data, then drawn through a Painter.

#include "core/render/Painter.h"
#include "core/render/ViewTransform.h"

#include "core/base/Units.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

constexpr int kRulerSize = 20;     // strip width in pixels
constexpr double kMinTickGap = 60; // pixels between ticks, when the unit's table allows

struct RulerTick {
    int position = 0; // screen x on the top ruler, screen y on the left ruler
    std::string label;
};

struct Rulers {
    double spacing = 0; // tick spacing in display units
    std::vector<RulerTick> top;
    std::vector<RulerTick> left;
    bool originOnTop = false; // the world origin lies inside the visible part of the ruler
    bool originOnLeft = false;
    int originX = 0;
    int originY = 0;
};

// The first entry of the unit's spacing table that is at least 60 pixels long at this scale,
// or the table's last entry.
double rulerSpacing(Units units, double scale);
// A tick's label: "%.0f" of the value, or for inches the value rounded to the nearest half
// followed by the inch sign.
std::string rulerLabel(double value, Units units);

Rulers computeRulers(const ViewTransform& view, Units units, int width, int height);
void drawRulers(Painter& painter, const Rulers& rulers, int width, int height);

} // namespace plandor
