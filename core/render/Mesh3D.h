#pragma once
// Flat-shaded triangle meshes in millimetres, kept as the plain arrays the 3D view hands to
// the graphics library: positions, normals and colours in step, 32-bit triangle indices.

#include "core/base/Color.h"

#include <cstdint>
#include <vector>

namespace plandor {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double k) {
    return {a.x * k, a.y * k, a.z * k};
}
Vec3 cross(Vec3 a, Vec3 b);
double length(Vec3 v);
Vec3 normalized(Vec3 v); // (0, 0, 1) for a zero vector

// How wide a sleeper is along the track, in millimetres: the smallest detail of track.
constexpr double kSleeperWidth = 3.5;
// How far, in millimetres, a far mesh strays from the mesh it stands for: the view draws far
// meshes only where a pixel is at least as wide.
constexpr double kFarTolerance = 12;

// How much of a piece's track a mesh shows: ballast, sleepers and rails; a plain band for
// views from too far for those to show; or, from farther still, a band whose curves and
// structures are simplified within the far tolerance.
enum class TrackDetail { Full, Plain, Far };

struct Rgb {
    float r = 0, g = 0, b = 0;
};

// Multiplies each channel: shades a top colour for the sides.
Rgb scaled(Rgb c, double k);
// A colour of the colour table as the 3D view draws it.
constexpr Rgb rgbOf(Color c) {
    return {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f};
}

struct Mesh3D {
    std::vector<float> positions; // x, y, z per vertex
    std::vector<float> normals;   // unit, 3 per vertex
    std::vector<float> colors;    // r, g, b in 0..1 per vertex
    std::vector<uint32_t> indices;

    bool empty() const { return indices.empty(); }
    std::size_t bytes() const;
    std::size_t vertexCount() const { return positions.size() / 3; }
    std::size_t triangleCount() const { return indices.size() / 3; }
    void clear();
};

// Adds every triangle of `from`.
void appendMesh(Mesh3D& into, const Mesh3D& from);
// The mesh seen from far: every vertex moved to the mean of the vertices in its cube of the
// grid, so that none moves farther than `tolerance`, without the triangles that collapse
// (or repeat another's corners). Each kept triangle keeps its normals and colours.
Mesh3D simplified(const Mesh3D& mesh, double tolerance = kFarTolerance);

// A quad is two triangles 0-1-2, 0-2-3; every face adds its own vertices.
void addTriangle(Mesh3D& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 normal, Rgb color);
void addQuad(Mesh3D& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 normal, Rgb color);
// A quad whose normal is taken from its corners (counter-clockwise seen from outside).
void addFacingQuad(Mesh3D& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Rgb color);

// An axis-aligned box given in footprint coordinates (origin at the footprint's top-left,
// y down), centred on the footprint with y flipped to point up.
void addBox(Mesh3D& mesh, double x, double y, double z, double width, double depth, double height,
            Rgb top, Rgb side, double footprintWidth, double footprintDepth);
// An axis-aligned box between two corners of the mesh's own frame.
void addBlock(Mesh3D& mesh, Vec3 lo, Vec3 hi, Rgb top, Rgb side);
// A box turned in the plane: centre (cx, cy), half extents along the unit direction `along`
// and across it, from z0 to z1.
void addTurnedBlock(Mesh3D& mesh, double cx, double cy, double alongX, double alongY,
                    double halfAlong, double halfAcross, double z0, double z1, Rgb top, Rgb side);
// A cylinder of 8 sides between two points, closed at both ends.
void addTube(Mesh3D& mesh, Vec3 a, Vec3 b, double radius, Rgb color);
// A frustum standing upright (radius r0 at z0, r1 at z1; r1 = 0 gives a cone).
void addFrustum(Mesh3D& mesh, double cx, double cy, double z0, double r0, double z1, double r1,
                int sides, Rgb color);
// A pitched roof over [x0, x1] x [y0, y1] with its ridge along x, eaves at z0, ridge at z1.
void addGableRoof(Mesh3D& mesh, double x0, double y0, double x1, double y1, double z0, double z1,
                  Rgb roof, Rgb gable);

// One sample along a track path: position, unit tangent and unit side vector (the tangent
// turned +90 degrees in the plane).
struct PathSample {
    Vec3 position;
    Vec3 tangent;
    Vec3 side;
};

// The fewest segments whose chords stray from an arc of `radius` through `angleDeg` by at
// most `tolerance` (at least 1).
int arcSegmentsWithin(double radius, double angleDeg, double tolerance);

// n + 1 samples from a to b (n at least 1).
std::vector<PathSample> straightPath(Vec3 a, Vec3 b, int segments);
// An arc leaving (x, y) at `headingDeg`, of the given radius through `angleDeg` (positive
// turns toward +y), in `segments` steps.
std::vector<PathSample> arcPath(double x, double y, double headingDeg, double radius,
                                double angleDeg, int segments);

// Ballast, sleepers and the two rails along the samples.
void addTrackAlongPath(Mesh3D& mesh, const std::vector<PathSample>& path);
// The track as seen from too far for its sleepers and rails to show: one flat band on the
// ballast's top, in the colour its ballast, sleepers and rails mix to.
void addPlainTrackAlongPath(Mesh3D& mesh, const std::vector<PathSample>& path);
// The colour of a plain track band.
Rgb plainTrackColor();

} // namespace plandor
