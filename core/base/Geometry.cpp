#include "core/base/Geometry.h"

#include <cmath>

namespace plandor {

double normalizeHeading(double degrees) {
    if (!std::isfinite(degrees))
        return 0.0;
    double h = std::fmod(degrees, 360.0);
    if (h < 0)
        h += 360.0;
    // fmod of a value just below 0 can round up to exactly 360.
    if (h >= 360.0)
        h -= 360.0;
    return h;
}

bool polygonContains(const std::vector<Point>& polygon, Point p) {
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

} // namespace plandor
