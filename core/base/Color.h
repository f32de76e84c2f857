#pragma once
// An RGBA colour, 8 bits a channel.

#include <cstdint>

namespace plandor {

struct Color {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Color& o) const { return !(*this == o); }
};

constexpr Color rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    return Color{r, g, b, a};
}

// Fully transparent: a shape part that is not filled or not outlined.
constexpr Color kNoColor{0, 0, 0, 0};

} // namespace plandor
