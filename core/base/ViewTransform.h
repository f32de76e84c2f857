#pragma once
// World (mm) to screen (px): screen = world * scale + pan. No flip, no rotation.

#include <algorithm>
#include <cmath>

namespace plandor {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// Pixel coordinates are kept within this range before they become ints: far-away items
// (or a huge zoom) must not overflow the conversion, and drawing back ends misbehave
// well before the int limit.
constexpr double kMaxScreenCoordinate = 4194304.0; // 2^22

// A screen coordinate truncated toward zero and clamped to the safe range; NaN gives 0.
inline int toPixel(double v) {
    if (!(v == v))
        return 0;
    return static_cast<int>(std::trunc(std::clamp(v, -kMaxScreenCoordinate, kMaxScreenCoordinate)));
}

struct ViewTransform {
    double scale = 1.0; // pixels per millimetre
    double panX = 0;    // screen position of the world origin
    double panY = 0;

    ScreenPoint toScreen(double wx, double wy) const {
        return ScreenPoint{toPixel(wx * scale + panX), toPixel(wy * scale + panY)};
    }
    double toWorldX(double sx) const { return (sx - panX) / safeScale(); }
    double toWorldY(double sy) const { return (sy - panY) / safeScale(); }
    // A pixel tolerance expressed in millimetres.
    double pixelsToMm(double px) const { return px / safeScale(); }
    // A size that follows the zoom: trunc(scale * mm).
    int scaled(double mm) const { return toPixel(scale * mm); }

  private:
    double safeScale() const { return scale > 0.0001 ? scale : 0.0001; }
};

} // namespace plandor
