#include "core/render/RenderColors.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {
uint8_t clampChannel(double v) {
    return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
}
uint8_t clampChannel(int v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}
} // namespace

Color darkened(Color c, int dr, int dg, int db) {
    return Color{clampChannel(c.r - dr), clampChannel(c.g - dg), clampChannel(c.b - db), c.a};
}

Color lightened(Color c, int dr, int dg, int db) {
    return Color{clampChannel(c.r + dr), clampChannel(c.g + dg), clampChannel(c.b + db), c.a};
}

Color washedOut(Color c) {
    auto wash = [](uint8_t v) { return clampChannel(std::trunc(v * 0.4 + 132)); };
    return Color{wash(c.r), wash(c.g), wash(c.b), c.a};
}

Color changeLightness(Color c, int amount) {
    if (amount == 100)
        return c;
    amount = std::clamp(amount, 0, 200);
    // Below 100 the colour is blended toward black, above it toward white; the arithmetic
    // follows the toolkit's own so that both give the same channels.
    double alpha = (amount - 100.0) / 100.0;
    double background;
    if (amount > 100) {
        background = 255;
        alpha = 1.0 - alpha;
    } else {
        background = 0;
        alpha = 1.0 + alpha;
    }
    auto blend = [&](uint8_t v) { return clampChannel(background + alpha * (v - background)); };
    return Color{blend(c.r), blend(c.g), blend(c.b), c.a};
}

Color elevationFill(double z) {
    const double t = std::min(1.0, z / 120.0);
    if (t < 0.5) {
        const double u = 2 * t;
        return Color{clampChannel(std::trunc(210 + 45 * u)), clampChannel(std::trunc(210 + 10 * u)),
                     clampChannel(std::trunc(205 - 145 * u))};
    }
    const double u = 2 * (t - 0.5);
    return Color{clampChannel(std::trunc(255 - 75 * u)), clampChannel(std::trunc(220 - 110 * u)),
                 clampChannel(std::trunc(60 - 60 * u))};
}

Color levelOutlineFill(Color track) {
    return Color{static_cast<uint8_t>((track.r + 490) / 3),
                 static_cast<uint8_t>((track.g + 470) / 3),
                 static_cast<uint8_t>((track.b + 420) / 3)};
}

} // namespace plandor
