#include "core/render/PieceMesh.h"
#include "core/base/Geometry.h"
#include "core/render/PieceGeometry.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {

constexpr double kSampleStep = 20.0;
constexpr double kPlainArcStep = 5.0; // degrees of a curve per segment of a plain band
constexpr double kMinStandHeight = 2.0;
// A pier's stadium: half circles of this radius, their centres 7 mm either side of the middle.
constexpr double kPierRadius = 11;
constexpr double kPierHalfLength = 18;

const Rgb kSteelDark{0.38f, 0.40f, 0.44f};
const Rgb kSteelLight{0.68f, 0.70f, 0.74f};
const Rgb kSteelMid{0.55f, 0.58f, 0.62f};
const Rgb kArch{0.70f, 0.72f, 0.76f};
const Rgb kArchHanger{0.62f, 0.64f, 0.68f};
const Rgb kRampTop{0.42f, 0.44f, 0.48f};
const Rgb kRampSide{0.50f, 0.52f, 0.55f};
const Rgb kRailing{0.58f, 0.60f, 0.64f};
const Rgb kPierSide{0.62f, 0.58f, 0.54f};
const Rgb kPierCap{0.68f, 0.65f, 0.62f};

int segmentsFor(double pathLength) {
    return std::max(2, static_cast<int>(std::trunc(pathLength / kSampleStep)));
}

// A plain band needs no samples between a straight's ends and few along a curve.
int plainSegmentsFor(double angleDeg) {
    return std::max(1, static_cast<int>(std::ceil(std::fabs(angleDeg) / kPlainArcStep)));
}

int arcSegmentsFor(const TrackBand& band, TrackDetail detail) {
    switch (detail) {
    case TrackDetail::Full:
        return segmentsFor(band.radius * std::fabs(band.angle) * kDegToRad);
    case TrackDetail::Plain:
        return plainSegmentsFor(band.angle);
    case TrackDetail::Far:
        break;
    }
    return arcSegmentsWithin(band.radius, band.angle, kFarTolerance);
}

std::vector<PathSample> bandPath(const TrackBand& band, TrackDetail detail) {
    const bool full = detail == TrackDetail::Full;
    if (band.curved)
        return arcPath(band.start.x, band.start.y, band.start.heading, band.radius, band.angle,
                       arcSegmentsFor(band, detail));
    const double h = band.start.heading * kDegToRad;
    const Vec3 a{band.start.x, band.start.y, 0};
    const Vec3 b{a.x + band.length * std::cos(h), a.y + band.length * std::sin(h), 0};
    return straightPath(a, b, full ? segmentsFor(band.length) : 1);
}

void addTrack(Mesh3D& mesh, const std::vector<PathSample>& path, TrackDetail detail) {
    if (detail == TrackDetail::Full)
        addTrackAlongPath(mesh, path);
    else
        addPlainTrackAlongPath(mesh, path);
}

void addBands(Mesh3D& mesh, const TrackBands& bands, TrackDetail detail) {
    for (int i = 0; i < bands.count; ++i)
        addTrack(mesh, bandPath(bands.band[i], detail), detail);
}

// The pit, its wall and the bridge track across it, centred on the origin.
void addTurntable(Mesh3D& mesh, const PieceDef& def) {
    const double r = std::max(def.radius, 20.0);
    addFrustum(mesh, 0, 0, -0.5, r, 0.0, r, 30, {0.30f, 0.30f, 0.28f});
    for (int i = 0; i < 30; ++i) {
        const double a0 = i * 2 * kPi / 30, a1 = (i + 1) * 2 * kPi / 30;
        const Vec3 p0{r * std::cos(a0), r * std::sin(a0), 0},
            p1{r * std::cos(a1), r * std::sin(a1), 0};
        const Vec3 q0 = p0 * ((r + 8) / r), q1 = p1 * ((r + 8) / r);
        addQuad(mesh, p0 + Vec3{0, 0, 6}, q0 + Vec3{0, 0, 6}, q1 + Vec3{0, 0, 6},
                p1 + Vec3{0, 0, 6}, {0, 0, 1}, {0.62f, 0.60f, 0.56f});
        addFacingQuad(mesh, p1, p0, p0 + Vec3{0, 0, 6}, p1 + Vec3{0, 0, 6}, {0.48f, 0.46f, 0.43f});
    }
    addTrackAlongPath(mesh, straightPath({-r, 0, 0}, {r, 0, 0}, segmentsFor(2 * r)));
}

void addTruss(Mesh3D& mesh, double len) {
    addBlock(mesh, {0, -26, -4}, {len, 26, 0}, kSteelDark, scaled(kSteelDark, 0.85));
    for (double y : {-26.0, 26.0}) {
        addTube(mesh, {0, y, 41}, {len, y, 41}, 3.5, kSteelLight);
        addTube(mesh, {0, y, 0}, {len, y, 0}, 3.5, kSteelMid);
        addTube(mesh, {0, y, 0}, {0, y, 41}, 2.5, kSteelDark);
        addTube(mesh, {len, y, 0}, {len, y, 41}, 2.5, kSteelDark);
        const double panel = len / 6;
        for (int p = 0; p < 6; ++p) {
            const double x0 = p * panel, x1 = x0 + panel;
            const Vec3 centre{(x0 + x1) / 2, y, 20.5};
            for (Vec3 corner : {Vec3{x0, y, 3}, Vec3{x1, y, 3}, Vec3{x0, y, 38}, Vec3{x1, y, 38}})
                addTube(mesh, corner, centre, 1.8, kSteelDark);
        }
    }
}

void addArch(Mesh3D& mesh, double len) {
    const double rise = 99;
    auto archX = [len](double theta) { return (1 - std::cos(theta)) * len / 2; };
    addBlock(mesh, {0, -24, -4}, {len, 24, 0}, kSteelDark, scaled(kSteelDark, 0.85));
    for (double y : {27.0, -27.0}) {
        addTube(mesh, {0, y, -8}, {len, y, -8}, 5, kSteelMid);
        addTube(mesh, {0, y, -8}, {0, y, -18}, 5, kSteelMid);
        addTube(mesh, {len, y, -8}, {len, y, -18}, 5, kSteelMid);
        for (int i = 0; i < 14; ++i) {
            const double t0 = kPi * i / 14, t1 = kPi * (i + 1) / 14;
            addTube(mesh, {archX(t0), y, rise * std::sin(t0)}, {archX(t1), y, rise * std::sin(t1)},
                    4, kArch);
        }
        for (int k = 1; k <= 7; ++k) {
            const double theta = k * kPi / 8;
            addTube(mesh, {archX(theta), y, 2}, {archX(theta), y, rise * std::sin(theta) - 4}, 1.8,
                    kArchHanger);
        }
        for (int k = 0; k < 8; ++k) {
            const Vec3 a{archX(kPi * k / 8), y, 4};
            const Vec3 apex{archX(kPi * (k + 0.5) / 8), y,
                            rise * std::sin(kPi * (k + 0.5) / 8) / 2};
            const Vec3 b{archX(kPi * (k + 1) / 8), y, 4};
            addTube(mesh, a, apex, 1.5, kArchHanger);
            addTube(mesh, apex, b, 1.5, kArchHanger);
        }
    }
    for (int k = 0; k <= 7; ++k) {
        const double theta = k * kPi / 7;
        const double x = archX(theta), z = rise * std::sin(theta);
        addTube(mesh, {x, 27, z}, {x, -27, z}, 2.5, kArch);
    }
}

void addRamp(Mesh3D& mesh, const PieceDef& def) {
    const std::vector<PathSample> path =
        def.kind == PieceKind::Curve
            ? arcPath(0, 0, 0, def.radius, def.angle,
                      std::max(12, static_cast<int>(std::trunc(std::fabs(def.angle) / 2.5))))
            : straightPath({0, 0, 0}, {def.length, 0, 0}, segmentsFor(def.length));
    auto edge = [](const PathSample& s, double offset, double z) {
        Vec3 p = s.position + s.side * offset;
        p.z = z;
        return p;
    };
    const double w = 26;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const PathSample& a = path[i];
        const PathSample& b = path[i + 1];
        addQuad(mesh, edge(a, -w, 0), edge(b, -w, 0), edge(b, w, 0), edge(a, w, 0), {0, 0, 1},
                kRampTop);
        addQuad(mesh, edge(a, -w, -4), edge(a, w, -4), edge(b, w, -4), edge(b, -w, -4), {0, 0, -1},
                kRampSide);
        addFacingQuad(mesh, edge(a, w, -4), edge(a, w, 0), edge(b, w, 0), edge(b, w, -4),
                      kRampSide);
        addFacingQuad(mesh, edge(a, -w, -4), edge(b, -w, -4), edge(b, -w, 0), edge(a, -w, 0),
                      kRampSide);
        for (double side : {-w, w})
            for (double z : {4.0, 8.0})
                addTube(mesh, edge(a, side, z), edge(b, side, z), 1.05, kRailing);
    }
    for (std::size_t i = 0; i < path.size(); i += 2)
        for (double side : {-w, w})
            addTube(mesh, edge(path[i], side, 0), edge(path[i], side, 8), 1.05, kRailing);
}

void addStructure(Mesh3D& mesh, const PieceDef& def, TrackDetail detail) {
    if (detail == TrackDetail::Far) {
        Mesh3D structure;
        addStructure(structure, def, TrackDetail::Full);
        appendMesh(mesh, simplified(structure));
        return;
    }
    switch (bridgeStructure(def)) {
    case BridgeStructure::Truss:
        addTruss(mesh, def.length);
        break;
    case BridgeStructure::Arch:
        addArch(mesh, def.length);
        break;
    case BridgeStructure::Ramp:
        addRamp(mesh, def);
        break;
    case BridgeStructure::None:
        break;
    }
}

} // namespace

BridgeStructure bridgeStructure(const PieceDef& def) {
    if (!def.isBridge)
        return BridgeStructure::None;
    static const char* const truss[] = {"74620", "7262", "62620", "89759"};
    static const char* const ramps[] = {"74623", "74613", "74618", "7569",
                                        "7267",  "62623", "62613", "8976"};
    for (const char* part : truss)
        if (def.partNumber == part)
            return BridgeStructure::Truss;
    for (const char* part : ramps)
        if (def.partNumber == part)
            return BridgeStructure::Ramp;
    // A curved piece cannot carry a straight arch: a ramp not in the list is still a ramp.
    if (def.isRamp || def.kind == PieceKind::Curve)
        return BridgeStructure::Ramp;
    return BridgeStructure::Arch;
}

Mesh3D buildPieceMesh(const PieceDef& def, TrackDetail detail) {
    Mesh3D mesh;
    switch (def.kind) {
    case PieceKind::Bumper:
        return buildBufferStopMesh(def, detail);
    case PieceKind::Unassigned9:
        return mesh;
    case PieceKind::Turntable:
        // The pit is as large as it looks from afar.
        addTurntable(mesh, def);
        return detail == TrackDetail::Far ? simplified(mesh) : mesh;
    case PieceKind::Unassigned7:
        addTrack(mesh,
                 straightPath({0, 0, 0}, {def.length, 0, 0},
                              detail == TrackDetail::Full ? segmentsFor(def.length) : 1),
                 detail);
        break;
    default:
        addBands(mesh, trackBands(def), detail);
        addBands(mesh, slipCurves(def), detail);
        break;
    }
    addStructure(mesh, def, detail);
    return mesh;
}

Mesh3D buildBufferStopMesh(const PieceDef& def, TrackDetail detail) {
    Mesh3D mesh;
    const double len = def.length;
    addTrack(mesh, straightPath({0, 0, 0}, {len, 0, 0}, detail == TrackDetail::Full ? 2 : 1),
             detail);
    const double hw = trackHalfWidth(def);
    const double s = hw / kTrackHalfWidth; // buffer parts shrink with the track
    const double base = 2.0;
    const double x0 = 0.75 * len;
    const double beamStart = x0 + 2 * s, frameStart = beamStart + 3 * s,
                 frameEnd = frameStart + 4 * s;
    Mesh3D buffer; // from far, simplified
    Mesh3D& parts = detail == TrackDetail::Far ? buffer : mesh;
    const Rgb headTop{0.12f, 0.12f, 0.12f}, headSide{0.07f, 0.07f, 0.07f};
    for (double y : {-0.44 * hw, 0.44 * hw})
        addBlock(parts, {x0, y - 2.5 * s, base + 9 * s}, {beamStart, y + 2.5 * s, base + 12 * s},
                 headTop, headSide);
    addBlock(parts, {beamStart, -0.75 * hw, base + 8 * s}, {frameStart, 0.75 * hw, base + 13 * s},
             {0.82f, 0.08f, 0.08f}, {0.62f, 0.06f, 0.06f});
    addBlock(parts, {frameStart, -0.8 * hw, base}, {frameEnd, 0.8 * hw, base + 14 * s},
             {0.92f, 0.92f, 0.92f}, {0.72f, 0.72f, 0.72f});
    if (len - frameEnd > 1.0)
        addBlock(parts, {frameEnd, -0.85 * hw, 0}, {len, 0.85 * hw, base + 10 * s},
                 {0.38f, 0.28f, 0.18f}, {0.28f, 0.20f, 0.12f});
    if (detail == TrackDetail::Far)
        appendMesh(mesh, simplified(buffer));
    return mesh;
}

void addPier(Mesh3D& mesh, double x, double y, double bottom, double top, double angleDeg) {
    if (top - bottom < kMinStandHeight)
        return;
    const double a = angleDeg * kDegToRad;
    const Vec3 along{std::cos(a), std::sin(a), 0}, across{-std::sin(a), std::cos(a), 0};
    const Vec3 centre{x, y, 0};
    std::vector<Vec3> ring; // the stadium outline, counter-clockwise
    for (int end = 0; end < 2; ++end) {
        const double sign = end == 0 ? 1.0 : -1.0;
        const Vec3 c = centre + along * (kPierHalfLength - kPierRadius) * sign;
        for (int i = 0; i <= 8; ++i) {
            const double t = -kPi / 2 + i * kPi / 8;
            ring.push_back(c + (along * std::cos(t) + across * std::sin(t)) * (kPierRadius * sign));
        }
    }
    const Rgb side = kPierSide, shade{0.50f, 0.46f, 0.42f}, cap = kPierCap;
    const Vec3 lo{x, y, bottom}, hi{x, y, top};
    for (std::size_t i = 0; i < ring.size(); ++i) {
        Vec3 p = ring[i], q = ring[(i + 1) % ring.size()];
        const Vec3 out = cross(q - p, {0, 0, 1});
        p.z = q.z = bottom;
        addQuad(mesh, p, q, q + Vec3{0, 0, top - bottom}, p + Vec3{0, 0, top - bottom}, out,
                i % 2 ? shade : side);
        addTriangle(mesh, hi, p + Vec3{0, 0, top - bottom}, q + Vec3{0, 0, top - bottom}, {0, 0, 1},
                    cap);
        addTriangle(mesh, lo, q, p, {0, 0, -1}, shade);
    }
}

void addFarPier(Mesh3D& mesh, double height) {
    addTurnedBlock(mesh, 0, 0, 1, 0, kPierHalfLength, kPierRadius, 0, height, kPierCap, kPierSide);
}

void addHelixPost(Mesh3D& mesh, double x, double y, double bottom, double top, double angleDeg) {
    if (top - bottom < kMinStandHeight)
        return;
    const double a = angleDeg * kDegToRad;
    addTurnedBlock(mesh, x, y, std::cos(a), std::sin(a), 3.5, 3.5, bottom, top,
                   {0.55f, 0.42f, 0.30f}, {0.45f, 0.34f, 0.24f});
}

} // namespace plandor
