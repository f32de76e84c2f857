#pragma once
// Small helpers shared by the renderer's source files: pens, brushes, fonts and the
// truncation of screen coordinates the plan uses everywhere.

#include "core/render/Painter.h"

#include <cmath>

namespace plandor {

inline Pen solidPen(Color c, int width = 1) {
    return Pen{c, width, PenStyle::Solid, false};
}
inline Pen dottedPen(Color c) {
    return Pen{c, 1, PenStyle::Dot, false};
}
inline Brush solidBrush(Color c) {
    return Brush{c, false};
}
inline Font boldFont(int pointSize) {
    return Font{pointSize, true};
}

inline int truncPx(double v) {
    return toPixel(v);
}
inline ScreenPoint screenPoint(double x, double y) {
    return ScreenPoint{truncPx(x), truncPx(y)};
}

} // namespace plandor
