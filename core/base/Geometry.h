#pragma once
// Plane geometry shared by every part of the program: world points in millimetres, angles.

#include <algorithm>
#include <limits>

namespace plandor {

constexpr double kPi = 3.141592653589793;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;

inline constexpr double degToRad(double deg) {
    return deg * kDegToRad;
}
inline constexpr double radToDeg(double rad) {
    return rad * kRadToDeg;
}

struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

// An axis-aligned box in world millimetres; empty until a point is added.
struct Bounds {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    void add(double x, double y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
    bool empty() const { return minX > maxX || minY > maxY; }
    bool contains(double x, double y) const {
        return x >= minX && x <= maxX && y >= minY && y <= maxY;
    }
    void expand(double margin) {
        minX -= margin;
        minY -= margin;
        maxX += margin;
        maxY += margin;
    }
    Point centre() const { return Point{(minX + maxX) / 2, (minY + maxY) / 2}; }
};

} // namespace plandor
