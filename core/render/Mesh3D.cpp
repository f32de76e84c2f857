#include "core/render/Mesh3D.h"
#include "core/base/Geometry.h"
#include "core/render/RenderColors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace plandor {

namespace {

// Track dimensions, the same for every track system.
constexpr double kBallastHalfWidth = 18.7;
constexpr double kBallastTop = 2.0;
constexpr double kSleeperFirst = 6.5;
constexpr double kSleeperPitch = 13.0;
constexpr double kSleeperHalfLength = 13.0;
constexpr double kSleeperHalfWidth = kSleeperWidth / 2;
constexpr double kSleeperTop = 4.2;
constexpr double kRailOffset = 8.25;
constexpr double kRailHalfWidth = 0.6;
constexpr double kRailTop = 6.7;

constexpr Rgb kBallast = rgbOf(kPlanColors.ballast3D);
constexpr Rgb kSleeper = rgbOf(kPlanColors.sleeper3D);
constexpr Rgb kRail = rgbOf(kPlanColors.rail3D);

constexpr int kTubeSides = 8;

void pushVertex(Mesh3D& mesh, Vec3 p, Vec3 n, Rgb c) {
    mesh.positions.insert(mesh.positions.end(), {static_cast<float>(p.x), static_cast<float>(p.y),
                                                 static_cast<float>(p.z)});
    mesh.normals.insert(mesh.normals.end(), {static_cast<float>(n.x), static_cast<float>(n.y),
                                             static_cast<float>(n.z)});
    mesh.colors.insert(mesh.colors.end(), {c.r, c.g, c.b});
}

Vec3 lerp(Vec3 a, Vec3 b, double t) {
    return a + (b - a) * t;
}

Vec3 up() {
    return {0, 0, 1};
}

} // namespace

Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double length(Vec3 v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

Vec3 normalized(Vec3 v) {
    const double l = length(v);
    return l > 1e-12 ? v * (1.0 / l) : Vec3{0, 0, 1};
}

Rgb scaled(Rgb c, double k) {
    auto f = [k](float v) { return static_cast<float>(std::clamp(v * k, 0.0, 1.0)); };
    return {f(c.r), f(c.g), f(c.b)};
}

void Mesh3D::clear() {
    positions.clear();
    normals.clear();
    colors.clear();
    indices.clear();
}

std::size_t Mesh3D::bytes() const {
    return (positions.size() + normals.size() + colors.size()) * sizeof(float) +
           indices.size() * sizeof(uint32_t);
}

void appendMesh(Mesh3D& into, const Mesh3D& from) {
    const auto first = static_cast<uint32_t>(into.vertexCount());
    into.positions.insert(into.positions.end(), from.positions.begin(), from.positions.end());
    into.normals.insert(into.normals.end(), from.normals.begin(), from.normals.end());
    into.colors.insert(into.colors.end(), from.colors.begin(), from.colors.end());
    into.indices.reserve(into.indices.size() + from.indices.size());
    for (uint32_t i : from.indices)
        into.indices.push_back(first + i);
}

Mesh3D simplified(const Mesh3D& mesh, double tolerance) {
    // No point of a cube is farther from another than its diagonal.
    const double grid = tolerance / std::sqrt(3.0);
    struct CubeHash {
        std::size_t operator()(const std::array<int64_t, 3>& k) const {
            return static_cast<std::size_t>((k[0] * 73856093) ^ (k[1] * 19349663) ^
                                            (k[2] * 83492791));
        }
    };
    std::unordered_map<std::array<int64_t, 3>, uint32_t, CubeHash> cubes;
    std::vector<uint32_t> cubeOf(mesh.vertexCount());
    std::vector<double> sums; // x, y, z and count per cube
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        const float* p = &mesh.positions[3 * v];
        const std::array<int64_t, 3> key{static_cast<int64_t>(std::floor(p[0] / grid)),
                                         static_cast<int64_t>(std::floor(p[1] / grid)),
                                         static_cast<int64_t>(std::floor(p[2] / grid))};
        auto [it, added] = cubes.emplace(key, static_cast<uint32_t>(sums.size() / 4));
        if (added)
            sums.insert(sums.end(), {0, 0, 0, 0});
        cubeOf[v] = it->second;
        double* sum = &sums[4 * it->second];
        sum[0] += p[0];
        sum[1] += p[1];
        sum[2] += p[2];
        sum[3] += 1;
    }
    struct TripleHash {
        std::size_t operator()(const std::array<uint32_t, 3>& t) const {
            return (static_cast<std::size_t>(t[0]) * 2654435761u) ^
                   (static_cast<std::size_t>(t[1]) * 40503u) ^ t[2];
        }
    };
    // Faces that collapse onto the same corners, such as the top and bottom of a thin slab or
    // a roof laid on a top: the one facing up stays, among those the last, as it is drawn over
    // the others.
    std::unordered_map<std::array<uint32_t, 3>, uint32_t, TripleHash> kept;
    Mesh3D out;
    for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        const uint32_t v[3] = {mesh.indices[i], mesh.indices[i + 1], mesh.indices[i + 2]};
        std::array<uint32_t, 3> corners{cubeOf[v[0]], cubeOf[v[1]], cubeOf[v[2]]};
        if (corners[0] == corners[1] || corners[1] == corners[2] || corners[0] == corners[2])
            continue;
        std::array<uint32_t, 3> sorted = corners;
        std::sort(sorted.begin(), sorted.end());
        auto [it, added] = kept.emplace(sorted, static_cast<uint32_t>(out.vertexCount()));
        const uint32_t base = it->second;
        if (added) {
            out.positions.resize(out.positions.size() + 9);
            out.normals.resize(out.normals.size() + 9);
            out.colors.resize(out.colors.size() + 9);
            out.indices.insert(out.indices.end(), {base, base + 1, base + 2});
        } else if (mesh.normals[3 * v[0] + 2] < out.normals[3 * base + 2] - 1e-6f) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            const double* sum = &sums[4 * corners[k]];
            const std::size_t at = 3 * (base + k);
            for (int c = 0; c < 3; ++c) {
                out.positions[at + c] = static_cast<float>(sum[c] / sum[3]);
                out.normals[at + c] = mesh.normals[3 * v[k] + c];
                out.colors[at + c] = mesh.colors[3 * v[k] + c];
            }
        }
    }
    return out;
}

void addTriangle(Mesh3D& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 normal, Rgb color) {
    const auto base = static_cast<uint32_t>(mesh.vertexCount());
    const Vec3 n = normalized(normal);
    pushVertex(mesh, a, n, color);
    pushVertex(mesh, b, n, color);
    pushVertex(mesh, c, n, color);
    mesh.indices.insert(mesh.indices.end(), {base, base + 1, base + 2});
}

void addQuad(Mesh3D& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 normal, Rgb color) {
    const auto base = static_cast<uint32_t>(mesh.vertexCount());
    const Vec3 n = normalized(normal);
    pushVertex(mesh, a, n, color);
    pushVertex(mesh, b, n, color);
    pushVertex(mesh, c, n, color);
    pushVertex(mesh, d, n, color);
    mesh.indices.insert(mesh.indices.end(), {base, base + 1, base + 2, base, base + 2, base + 3});
}

void addFacingQuad(Mesh3D& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Rgb color) {
    addQuad(mesh, a, b, c, d, cross(c - a, d - b), color);
}

void addBlock(Mesh3D& mesh, Vec3 lo, Vec3 hi, Rgb top, Rgb side) {
    const double x0 = lo.x, y0 = lo.y, z0 = lo.z, x1 = hi.x, y1 = hi.y, z1 = hi.z;
    addQuad(mesh, {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}, up(), top);
    addQuad(mesh, {x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}, {0, 0, -1}, side);
    addQuad(mesh, {x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}, {0, -1, 0}, side);
    addQuad(mesh, {x1, y1, z0}, {x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {0, 1, 0}, side);
    addQuad(mesh, {x0, y1, z0}, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {-1, 0, 0}, side);
    addQuad(mesh, {x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}, {1, 0, 0}, side);
}

void addBox(Mesh3D& mesh, double x, double y, double z, double width, double depth, double height,
            Rgb top, Rgb side, double footprintWidth, double footprintDepth) {
    const double x0 = x - footprintWidth / 2;
    const double y1 = footprintDepth / 2 - y;
    addBlock(mesh, {x0, y1 - depth, z}, {x0 + width, y1, z + height}, top, side);
}

void addTurnedBlock(Mesh3D& mesh, double cx, double cy, double alongX, double alongY,
                    double halfAlong, double halfAcross, double z0, double z1, Rgb top, Rgb side) {
    const Vec3 t{alongX, alongY, 0};
    const Vec3 s{-alongY, alongX, 0};
    const Vec3 c{cx, cy, 0};
    auto corner = [&](double a, double b, double z) {
        Vec3 p = c + t * (a * halfAlong) + s * (b * halfAcross);
        p.z = z;
        return p;
    };
    addQuad(mesh, corner(-1, -1, z1), corner(1, -1, z1), corner(1, 1, z1), corner(-1, 1, z1), up(),
            top);
    addQuad(mesh, corner(-1, -1, z0), corner(-1, 1, z0), corner(1, 1, z0), corner(1, -1, z0),
            {0, 0, -1}, side);
    addQuad(mesh, corner(1, -1, z0), corner(1, 1, z0), corner(1, 1, z1), corner(1, -1, z1), t,
            side);
    addQuad(mesh, corner(-1, 1, z0), corner(-1, -1, z0), corner(-1, -1, z1), corner(-1, 1, z1),
            t * -1, side);
    addQuad(mesh, corner(1, 1, z0), corner(-1, 1, z0), corner(-1, 1, z1), corner(1, 1, z1), s,
            side);
    addQuad(mesh, corner(-1, -1, z0), corner(1, -1, z0), corner(1, -1, z1), corner(-1, -1, z1),
            s * -1, side);
}

void addTube(Mesh3D& mesh, Vec3 a, Vec3 b, double radius, Rgb color) {
    const Vec3 axis = normalized(b - a);
    const Vec3 aux = std::fabs(axis.z) > 0.9 ? Vec3{1, 0, 0} : Vec3{0, 0, 1};
    const Vec3 e1 = normalized(cross(axis, aux));
    const Vec3 e2 = cross(axis, e1);
    auto radial = [&](double angle) { return e1 * std::cos(angle) + e2 * std::sin(angle); };
    const double step = 2 * kPi / kTubeSides;
    for (int i = 0; i < kTubeSides; ++i) {
        const Vec3 r0 = radial(i * step) * radius, r1 = radial((i + 1) * step) * radius;
        addQuad(mesh, a + r0, a + r1, b + r1, b + r0, radial((i + 0.5) * step), color);
        addTriangle(mesh, a, a + r1, a + r0, axis * -1, color);
        addTriangle(mesh, b, b + r0, b + r1, axis, color);
    }
}

void addFrustum(Mesh3D& mesh, double cx, double cy, double z0, double r0, double z1, double r1,
                int sides, Rgb color) {
    const double step = 2 * kPi / sides;
    const Vec3 c0{cx, cy, z0}, c1{cx, cy, z1};
    const Rgb under = scaled(color, 0.6);
    for (int i = 0; i < sides; ++i) {
        const double a0 = i * step, a1 = (i + 1) * step;
        const Vec3 d0{std::cos(a0), std::sin(a0), 0}, d1{std::cos(a1), std::sin(a1), 0};
        const Vec3 p0 = c0 + d0 * r0, p1 = c0 + d1 * r0;
        const Vec3 q0 = c1 + d0 * r1, q1 = c1 + d1 * r1;
        const Vec3 mid{std::cos(a0 + step / 2), std::sin(a0 + step / 2), 0};
        // Outward normal of the slanted face: radial, tipped up by the taper.
        const Vec3 normal =
            normalized(mid * (z1 - z0) + Vec3{0, 0, (r0 - r1) * std::cos(step / 2)});
        if (r1 > 0)
            addQuad(mesh, p0, p1, q1, q0, normal, color);
        else
            addTriangle(mesh, p0, p1, c1, normal, color);
        addTriangle(mesh, c0, p1, p0, {0, 0, -1}, under);
        if (r1 > 0)
            addTriangle(mesh, c1, q0, q1, up(), color);
    }
}

void addGableRoof(Mesh3D& mesh, double x0, double y0, double x1, double y1, double z0, double z1,
                  Rgb roof, Rgb gable) {
    const double ym = (y0 + y1) / 2;
    const double half = (y1 - y0) / 2, rise = z1 - z0;
    addQuad(mesh, {x0, y0, z0}, {x1, y0, z0}, {x1, ym, z1}, {x0, ym, z1}, {0, -rise, half}, roof);
    addQuad(mesh, {x1, y1, z0}, {x0, y1, z0}, {x0, ym, z1}, {x1, ym, z1}, {0, rise, half},
            scaled(roof, 0.85));
    addTriangle(mesh, {x0, y1, z0}, {x0, y0, z0}, {x0, ym, z1}, {-1, 0, 0}, gable);
    addTriangle(mesh, {x1, y0, z0}, {x1, y1, z0}, {x1, ym, z1}, {1, 0, 0}, gable);
    addQuad(mesh, {x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}, {0, 0, -1}, gable);
}

int arcSegmentsWithin(double radius, double angleDeg, double tolerance) {
    const double r = std::fabs(radius), angle = std::fabs(angleDeg) * kDegToRad;
    if (r <= tolerance || angle <= 0)
        return std::max(1, static_cast<int>(std::ceil(angle / (kPi / 2))));
    // A chord through `step` strays r (1 - cos(step / 2)) from its arc at the middle.
    const double step = 2 * std::acos(1 - tolerance / r);
    return std::max(1, static_cast<int>(std::ceil(angle / step - 1e-9)));
}

std::vector<PathSample> straightPath(Vec3 a, Vec3 b, int segments) {
    const int n = std::max(1, segments);
    const Vec3 t = normalized(Vec3{b.x - a.x, b.y - a.y, 0});
    const Vec3 side{-t.y, t.x, 0};
    std::vector<PathSample> path;
    path.reserve(n + 1);
    for (int i = 0; i <= n; ++i)
        path.push_back({lerp(a, b, static_cast<double>(i) / n), t, side});
    return path;
}

std::vector<PathSample> arcPath(double x, double y, double headingDeg, double radius,
                                double angleDeg, int segments) {
    const int n = std::max(1, segments);
    const double s = angleDeg < 0 ? -1.0 : 1.0;
    const double h = headingDeg * kDegToRad, c = std::cos(h), sn = std::sin(h);
    std::vector<PathSample> path;
    path.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        const double phi = static_cast<double>(i) / n * std::fabs(angleDeg) * kDegToRad;
        const double lx = radius * std::sin(phi), ly = s * radius * (1 - std::cos(phi));
        const double tx = std::cos(phi), ty = s * std::sin(phi);
        const Vec3 t{tx * c - ty * sn, tx * sn + ty * c, 0};
        path.push_back({{x + lx * c - ly * sn, y + lx * sn + ly * c, 0}, t, {-t.y, t.x, 0}});
    }
    return path;
}

namespace {

Vec3 at(const PathSample& s, double offset, double z) {
    Vec3 p = s.position + s.side * offset;
    p.z = s.position.z + z;
    return p;
}

void addBallast(Mesh3D& mesh, const PathSample& a, const PathSample& b) {
    const double w = kBallastHalfWidth, z = kBallastTop;
    addQuad(mesh, at(a, -w, z), at(b, -w, z), at(b, w, z), at(a, w, z), up(), kBallast);
    const Rgb shoulder = scaled(kBallast, 0.8);
    addFacingQuad(mesh, at(a, w, 0), at(a, w, z), at(b, w, z), at(b, w, 0), shoulder);
    addFacingQuad(mesh, at(a, -w, 0), at(b, -w, 0), at(b, -w, z), at(a, -w, z), shoulder);
}

void addRail(Mesh3D& mesh, const PathSample& a, const PathSample& b, double centre) {
    const double l = centre - kRailHalfWidth, r = centre + kRailHalfWidth;
    const double z0 = kSleeperTop, z1 = kRailTop;
    addQuad(mesh, at(a, l, z1), at(b, l, z1), at(b, r, z1), at(a, r, z1), up(), kRail);
    const Rgb side = scaled(kRail, 0.7);
    addFacingQuad(mesh, at(a, r, z0), at(a, r, z1), at(b, r, z1), at(b, r, z0), side);
    addFacingQuad(mesh, at(a, l, z0), at(b, l, z0), at(b, l, z1), at(a, l, z1), side);
}

void addSleepers(Mesh3D& mesh, const std::vector<PathSample>& path) {
    double segmentStart = 0;
    double next = kSleeperFirst;
    const Rgb side = scaled(kSleeper, 0.75);
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const PathSample& a = path[i];
        const PathSample& b = path[i + 1];
        const double segment = length(b.position - a.position);
        const double segmentEnd = segmentStart + segment;
        while (next <= segmentEnd + 1e-9) {
            const double t = segment > 0 ? (next - segmentStart) / segment : 0;
            const Vec3 p = lerp(a.position, b.position, t);
            const Vec3 dir = normalized(lerp(a.tangent, b.tangent, t));
            addTurnedBlock(mesh, p.x, p.y, dir.x, dir.y, kSleeperHalfWidth, kSleeperHalfLength,
                           p.z + kBallastTop, p.z + kSleeperTop, kSleeper, side);
            next += kSleeperPitch;
        }
        segmentStart = segmentEnd;
    }
}

} // namespace

void addTrackAlongPath(Mesh3D& mesh, const std::vector<PathSample>& path) {
    for (std::size_t i = 0; i + 1 < path.size(); ++i)
        addBallast(mesh, path[i], path[i + 1]);
    addSleepers(mesh, path);
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        addRail(mesh, path[i], path[i + 1], -kRailOffset);
        addRail(mesh, path[i], path[i + 1], kRailOffset);
    }
}

Rgb plainTrackColor() {
    // Each share of the band's area in one sleeper pitch: sleepers, both rails, the ballast.
    const double band = 2 * kBallastHalfWidth * kSleeperPitch;
    const double sleepers = 4 * kSleeperHalfLength * kSleeperHalfWidth / band;
    const double rails = 4 * kRailHalfWidth * kSleeperPitch / band;
    const double ballast = 1 - sleepers - rails;
    auto mix = [&](float b, float s, float r) {
        return static_cast<float>(ballast * b + sleepers * s + rails * r);
    };
    return {mix(kBallast.r, kSleeper.r, kRail.r), mix(kBallast.g, kSleeper.g, kRail.g),
            mix(kBallast.b, kSleeper.b, kRail.b)};
}

void addPlainTrackAlongPath(Mesh3D& mesh, const std::vector<PathSample>& path) {
    const double w = kBallastHalfWidth, z = kBallastTop;
    const Rgb color = plainTrackColor();
    for (std::size_t i = 0; i + 1 < path.size(); ++i)
        addQuad(mesh, at(path[i], -w, z), at(path[i + 1], -w, z), at(path[i + 1], w, z),
                at(path[i], w, z), up(), color);
}

} // namespace plandor
