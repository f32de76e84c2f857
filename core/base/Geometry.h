#pragma once
// Plane geometry shared by every part of the program: world points in millimetres, angles.

namespace plandor {

constexpr double kPi = 3.141592653589793;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;

inline constexpr double degToRad(double deg) { return deg * kDegToRad; }
inline constexpr double radToDeg(double rad) { return rad * kRadToDeg; }

struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

} // namespace plandor
