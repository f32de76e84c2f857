#pragma once
// World (mm) to screen (px): screen = world * scale + pan. No flip, no rotation.

#include <cmath>

namespace plandor {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

struct ViewTransform {
    double scale = 1.0; // pixels per millimetre
    double panX = 0;    // screen position of the world origin
    double panY = 0;

    ScreenPoint toScreen(double wx, double wy) const {
        return ScreenPoint{static_cast<int>(std::trunc(wx * scale + panX)),
                           static_cast<int>(std::trunc(wy * scale + panY))};
    }
    double toWorldX(double sx) const { return (sx - panX) / safeScale(); }
    double toWorldY(double sy) const { return (sy - panY) / safeScale(); }
    // A pixel tolerance expressed in millimetres.
    double pixelsToMm(double px) const { return px / safeScale(); }
    // A size that follows the zoom: trunc(scale * mm).
    int scaled(double mm) const { return static_cast<int>(std::trunc(scale * mm)); }

  private:
    double safeScale() const { return scale > 0.0001 ? scale : 0.0001; }
};

} // namespace plandor
