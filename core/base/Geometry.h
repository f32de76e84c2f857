#pragma once
// Plane geometry shared by every part of the program: world points in millimetres, angles
// in degrees with one conversion to radians, headings, boxes and polygons.

#include <algorithm>
#include <limits>
#include <vector>

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

// Brings an angle in degrees into [0, 360); a value that is not finite gives 0.
double normalizeHeading(double degrees);

struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

// A position and heading in layout (or piece) coordinates.
struct Pose {
    double x = 0;
    double y = 0;
    double heading = 0;
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
    // Whether the two boxes share a point, edges included.
    bool overlaps(const Bounds& o) const {
        return minX <= o.maxX && o.minX <= maxX && minY <= o.maxY && o.minY <= maxY;
    }
    void expand(double margin) {
        minX -= margin;
        minY -= margin;
        maxX += margin;
        maxY += margin;
    }
    Point centre() const { return Point{(minX + maxX) / 2, (minY + maxY) / 2}; }
};

// Even-odd rule: whether a ray to the right of p crosses the polygon's edges an odd number
// of times. A polygon of fewer than three corners contains nothing.
bool polygonContains(const std::vector<Point>& polygon, Point p);

} // namespace plandor
