#include "core/render/SceneryMesh.h"
#include "core/base/Geometry.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <unordered_map>

namespace plandor {

namespace {

const Rgb kPlatformTop{0.80f, 0.78f, 0.75f};
const Rgb kPlatformSide{0.55f, 0.53f, 0.50f};
const Rgb kEdgeYellow{0.86f, 0.78f, 0.38f};
const Rgb kWall{0.86f, 0.80f, 0.66f};
const Rgb kBrick{0.60f, 0.33f, 0.25f};
const Rgb kTile{0.66f, 0.31f, 0.23f};
const Rgb kSlate{0.42f, 0.44f, 0.48f};
const Rgb kWood{0.56f, 0.42f, 0.28f};
const Rgb kDark{0.12f, 0.11f, 0.10f};
const Rgb kGlass{0.55f, 0.70f, 0.80f};
const Rgb kAsphalt{0.36f, 0.37f, 0.39f};
const Rgb kMarking{0.95f, 0.95f, 0.92f};
const Rgb kPaving{0.72f, 0.70f, 0.66f};
const Rgb kConcrete{0.70f, 0.69f, 0.66f};
const Rgb kSteel{0.45f, 0.50f, 0.55f};
const Rgb kRailSteel{0.74f, 0.74f, 0.78f};
const Rgb kLeaf{0.24f, 0.50f, 0.20f};
const Rgb kLeafDark{0.16f, 0.38f, 0.16f};
const Rgb kTrunk{0.40f, 0.28f, 0.18f};
const Rgb kRed{0.86f, 0.16f, 0.16f};
const Rgb kGreen{0.24f, 0.78f, 0.31f};
const Rgb kWhite{0.92f, 0.92f, 0.90f};
const Rgb kStone{0.45f, 0.43f, 0.40f};
const Rgb kStoneSide{0.50f, 0.48f, 0.44f};

// Builds in the definition's footprint coordinates (mm from its top-left, y down) and writes
// into the centred, y-up mesh frame.
struct Kit {
    Mesh3D& mesh;
    double w, d;

    Vec3 at(double fx, double fy, double z) const { return {fx - w / 2, d / 2 - fy, z}; }
    void box(double x, double y, double z, double bw, double bd, double bh, Rgb top, Rgb side) {
        addBox(mesh, x, y, z, bw, bd, bh, top, side, w, d);
    }
    void box(double x, double y, double z, double bw, double bd, double bh, Rgb top) {
        box(x, y, z, bw, bd, bh, top, scaled(top, 0.8));
    }
    // A roof over the footprint rectangle, ridge along x.
    void roof(double x, double y, double rw, double rd, double z0, double z1, Rgb tile, Rgb gable) {
        const Vec3 a = at(x, y + rd, 0), b = at(x + rw, y, 0);
        addGableRoof(mesh, a.x, a.y, b.x, b.y, z0, z1, tile, gable);
    }
    // The same with the ridge along the footprint's y.
    void roofAcross(double x, double y, double rw, double rd, double z0, double z1, Rgb tile,
                    Rgb gable) {
        const double cx = x + rw / 2, cy = y + rd / 2;
        const std::size_t first = mesh.vertexCount();
        roof(cx - rd / 2, cy - rw / 2, rd, rw, z0, z1, tile, gable);
        const Vec3 c = at(cx, cy, 0);
        // Turn the vertices just added a quarter turn about the roof's centre.
        for (std::size_t v = first; v < mesh.vertexCount(); ++v) {
            float* p = &mesh.positions[3 * v];
            float* n = &mesh.normals[3 * v];
            const double px = p[0] - c.x, py = p[1] - c.y;
            p[0] = static_cast<float>(c.x - py);
            p[1] = static_cast<float>(c.y + px);
            const float nx = n[0];
            n[0] = -n[1];
            n[1] = nx;
        }
    }
    void tube(double x0, double y0, double z0, double x1, double y1, double z1, double r, Rgb c) {
        addTube(mesh, at(x0, y0, z0), at(x1, y1, z1), r, c);
    }
    void cone(double x, double y, double z0, double r0, double z1, double r1, Rgb c,
              int sides = 8) {
        const Vec3 p = at(x, y, 0);
        addFrustum(mesh, p.x, p.y, z0, r0, z1, r1, sides, c);
    }
};

using Composer = std::function<void(Kit&)>;

void platform(Kit& k, bool island) {
    k.box(0, 0, 0, k.w, k.d, 12, kPlatformTop, kPlatformSide);
    k.box(0, k.d - 8, 12.05, k.w, 8, 0.1, kEdgeYellow, kEdgeYellow);
    if (!island)
        return;
    k.box(0, 0, 12.05, k.w, 8, 0.1, kEdgeYellow, kEdgeYellow);
    for (double f : {0.25, 0.5, 0.75}) {
        const double x = k.w * f, y = k.d / 2;
        k.tube(x, y, 12, x, y, 48, 1.2, kSteel);
        k.box(x - 4, y - 3, 48, 8, 6, 3, kWhite, kSteel);
    }
}

// A house: walls, a pitched roof and a chimney, within the given rectangle.
void house(Kit& k, double x, double y, double hw, double hd, double wallH, double roofH, Rgb wall,
           Rgb tile) {
    k.box(x, y, 0, hw, hd, wallH, wall, scaled(wall, 0.85));
    if (hw >= hd)
        k.roof(x, y, hw, hd, wallH, wallH + roofH, tile, scaled(wall, 0.9));
    else
        k.roofAcross(x, y, hw, hd, wallH, wallH + roofH, tile, scaled(wall, 0.9));
}

void station(Kit& k, bool large) {
    const double platformD = k.d * 0.28;
    k.box(0, k.d - platformD, 0, k.w, platformD, 12, kPlatformTop, kPlatformSide);
    k.box(0, k.d - 8, 12.05, k.w, 8, 0.1, kEdgeYellow, kEdgeYellow);
    const double bodyD = k.d - platformD - 10;
    if (large) {
        house(k, k.w * 0.32, 5, k.w * 0.36, bodyD, 80, 30, kWall, kSlate);
        house(k, k.w * 0.06, 15, k.w * 0.26, bodyD - 10, 50, 22, kWall, kSlate);
        house(k, k.w * 0.68, 15, k.w * 0.26, bodyD - 10, 50, 22, kWall, kSlate);
        k.box(k.w * 0.46, 20, 110, 18, 18, 20, kBrick);
    } else {
        house(k, k.w * 0.18, 8, k.w * 0.5, bodyD, 55, 28, kWall, kTile);
        house(k, k.w * 0.68, 20, k.w * 0.2, bodyD - 12, 35, 15, kWood, kTile);
        k.box(k.w * 0.30, 20, 70, 10, 10, 22, kBrick);
    }
    // Canopy on posts over the platform.
    const double cy = k.d - platformD + 4, cd = platformD - 14;
    for (double f : {0.2, 0.4, 0.6, 0.8})
        k.tube(k.w * f, cy + cd / 2, 12, k.w * f, cy + cd / 2, 44, 1.5, kSteel);
    k.box(k.w * 0.12, cy, 44, k.w * 0.76, cd, 2, kSlate);
}

void signalBox(Kit& k) {
    k.box(2, 2, 0, k.w - 4, k.d - 4, 26, kBrick);
    k.box(2, 2, 26, k.w - 4, k.d - 4, 16, kGlass, scaled(kGlass, 0.75));
    k.roof(0, 0, k.w, k.d, 42, 58, kSlate, kWood);
}

void engineShed(Kit& k, int roads) {
    const double wall = 4, h = 60;
    k.box(0, 0, 0, k.w, k.d, 1, kConcrete);
    k.box(0, 0, 0, k.w, wall, h, kBrick);
    k.box(0, k.d - wall, 0, k.w, wall, h, kBrick);
    k.box(k.w - wall, 0, 0, wall, k.d, h, kBrick);
    for (int r = 1; r < roads; ++r)
        k.box(0, k.d * r / roads - wall / 2, 0, k.w, wall, h, kBrick);
    for (int r = 0; r < roads; ++r) {
        const double y0 = k.d * r / roads;
        k.roof(0, y0, k.w, k.d / roads, h, h + 26, kSlate, kBrick);
        k.box(0.5, y0 + wall + 4, 0, 1, k.d / roads - 2 * wall - 8, h - 8, kDark, kDark);
    }
}

void goodsShed(Kit& k) {
    const double rampD = 20;
    k.box(0, k.d - rampD, 0, k.w, rampD, 12, kWood);
    house(k, 0, 0, k.w, k.d - rampD, 45, 18, kWood, kTile);
    for (double f : {0.25, 0.5, 0.75})
        k.box(k.w * f - 12, k.d - rampD, 12, 24, 0.6, 26, kDark, kDark);
}

void warehouse(Kit& k) {
    k.box(0, 0, 0, k.w, k.d - 1, 70, kBrick);
    k.box(4, 4, 70, k.w - 8, k.d - 9, 0.5, kSlate);
    for (int i = 0; i < 4; ++i)
        k.box(k.w * (0.12 + 0.22 * i), k.d - 1, 0, k.w * 0.12, 1, 40, kDark, kDark);
}

void signal(Kit& k, bool semaphore, bool clear, bool zScale) {
    const double s = zScale ? 0.45 : 1.0;
    const double cx = k.w / 2, cy = k.d / 2;
    const Rgb aspect = clear ? kGreen : kRed;
    k.box(cx - 3 * s, cy - 3 * s, 0, 6 * s, 6 * s, 3 * s, kConcrete);
    const double mastTop = 70 * s;
    k.tube(cx, cy, 3 * s, cx, cy, mastTop, 1.0 * s, kSteel);
    if (semaphore) {
        // The arm points out level for stop and is raised 45 degrees for clear.
        const double len = 8 * s, z = mastTop - 6 * s;
        const double dx = clear ? len * 0.7071 : len, dz = clear ? len * 0.7071 : 0;
        k.tube(cx, cy, z, cx + dx, cy, z + dz, 1.0 * s, kRed);
        k.box(cx - 2 * s, cy - 2 * s, z - 4 * s, 4 * s, 2 * s, 3 * s, aspect);
    } else {
        k.box(cx - 3 * s, cy - 2 * s, mastTop - 14 * s, 6 * s, 4 * s, 14 * s, kDark, kDark);
        k.box(cx - 1.5 * s, cy - 2.4 * s, mastTop - (clear ? 12 : 6) * s, 3 * s, 0.4 * s, 3 * s,
              aspect, aspect);
    }
}

void trussBridge(Kit& k) {
    const double y0 = 6, y1 = k.d - 6, h = 42;
    k.box(0, 4, 0, k.w, k.d - 8, 4, kSteel);
    for (double y : {y0, y1}) {
        k.tube(0, y, 4, k.w, y, 4, 3, kSteel);
        k.tube(4, y, h, k.w - 4, y, h, 3, kSteel);
        const double panel = k.w / 6;
        for (int p = 0; p <= 6; ++p) {
            const double x = std::clamp(p * panel, 3.0, k.w - 3);
            k.tube(x, y, 4, x, y, h, 2, kSteel);
            if (p < 6)
                k.tube(x, y, 4, std::clamp(x + panel, 3.0, k.w - 3), y, h, 1.5, kSteel);
        }
    }
    for (int p = 1; p < 6; ++p)
        k.tube(k.w * p / 6, y0, h, k.w * p / 6, y1, h, 1.5, kSteel);
}

void archBridge(Kit& k) {
    const double deck = 8;
    k.box(0, 4, deck, k.w, k.d - 8, 4, kConcrete);
    for (double y : {6.0, k.d - 6}) {
        for (int i = 0; i < 14; ++i) {
            const double t0 = kPi * i / 14, t1 = kPi * (i + 1) / 14;
            const double x0 = 5 + (1 - std::cos(t0)) * (k.w - 10) / 2;
            const double x1 = 5 + (1 - std::cos(t1)) * (k.w - 10) / 2;
            k.tube(x0, y, deck + 70 * std::sin(t0), x1, y, deck + 70 * std::sin(t1), 4, kSteel);
        }
        for (int i = 1; i < 8; ++i) {
            const double t = kPi * i / 8, x = 5 + (1 - std::cos(t)) * (k.w - 10) / 2;
            k.tube(x, y, deck + 4, x, y, deck + 70 * std::sin(t) - 3, 1.5, kSteel);
        }
    }
    k.box(0, 0, 0, 10, k.d, deck, kStoneSide);
    k.box(k.w - 10, 0, 0, 10, k.d, deck, kStoneSide);
}

void levelCrossing(Kit& k, int tracks) {
    k.box(0, 0, 0, k.w, k.d, 2, kAsphalt);
    const double trackD = k.d / tracks;
    for (int t = 0; t < tracks; ++t) {
        const double centre = trackD * (t + 0.5);
        for (double off : {-8.25, 8.25})
            k.box(0, centre + off - 0.6, 2, k.w, 1.2, 1.5, kRailSteel);
    }
    // Barriers on both sides of the road, across the track ends.
    for (double x : {4.0, k.w - 4}) {
        const double y = x < k.w / 2 ? 4.0 : k.d - 4;
        k.tube(x, y, 2, x, y, 22, 1.5, kWhite);
        k.tube(x, y, 20, x, k.d - y, 20, 1.0, kRed);
    }
}

void road(Kit& k) {
    k.box(0, 0, 0, k.w, k.d, 2, kAsphalt);
    k.box(0, 0, 0, k.w, 8, 4, kPaving);
    k.box(0, k.d - 8, 0, k.w, 8, 4, kPaving);
    for (double x = 8; x + 16 <= k.w; x += 30)
        k.box(x, k.d / 2 - 1, 2.05, 16, 2, 0.1, kMarking, kMarking);
}

void turntable(Kit& k) {
    const double r = std::min(k.w, k.d) / 2;
    k.cone(k.w / 2, k.d / 2, 0, r, 6, r, kConcrete, 32);
    k.cone(k.w / 2, k.d / 2, 6, r - 8, 6.2, r - 8, kDark, 32);
    k.box(k.w / 2 - (r - 10), k.d / 2 - 14, 6.2, 2 * (r - 10), 28, 4, kSteel);
    for (double off : {-8.25, 8.25})
        k.box(k.w / 2 - (r - 10), k.d / 2 + off - 0.6, 10.2, 2 * (r - 10), 1.2, 1.5, kRailSteel);
    k.box(k.w / 2 + r - 26, k.d / 2 - 8, 10.2, 14, 16, 16, kWood);
}

void roundhouse(Kit& k) {
    k.box(0, 0, 0, k.w, k.d, 1, kConcrete);
    const double stall = k.w / 3, depth = k.d * 0.7;
    for (int s = 0; s < 3; ++s) {
        house(k, stall * s + 2, 2, stall - 4, depth, 65, 24, kBrick, kSlate);
        k.box(stall * s + stall * 0.25, depth + 2, 0, stall * 0.5, 1, 55, kDark, kDark);
    }
}

void waterTower(Kit& k) {
    const double c = k.w / 2;
    for (double dx : {-14.0, 14.0})
        for (double dy : {-14.0, 14.0})
            k.tube(c + dx, c + dy, 0, c + dx, c + dy, 60, 2, kBrick);
    k.cone(c, c, 60, 22, 85, 22, kSteel, 12);
    k.cone(c, c, 85, 24, 98, 0, kSlate, 12);
}

void coalingTower(Kit& k) {
    k.box(10, 10, 0, k.w - 20, k.d - 20, 95, kConcrete);
    k.roof(6, 6, k.w - 12, k.d - 12, 95, 112, kSlate, kConcrete);
    k.box(k.w / 2 - 8, k.d - 10, 50, 16, 10, 8, kSteel);
    k.box(0, k.d / 2 - 6, 0, 10, 12, 30, kWood);
}

void tree(Kit& k, double x, double y, double size, bool conifer) {
    const double r = size / 2;
    const double height = conifer ? size * 2.4 : size * 1.6;
    k.tube(x, y, 0, x, y, height * 0.35, std::max(1.0, r * 0.12), kTrunk);
    if (conifer) {
        for (int i = 0; i < 3; ++i) {
            const double z0 = height * (0.2 + 0.25 * i);
            k.cone(x, y, z0, r * (1 - 0.25 * i), z0 + height * 0.4, 0, i % 2 ? kLeafDark : kLeaf);
        }
        return;
    }
    k.cone(x, y, height * 0.3, r * 0.7, height * 0.6, r, kLeaf);
    k.cone(x, y, height * 0.6, r, height, r * 0.4, kLeafDark);
}

void treeGroup(Kit& k) {
    tree(k, k.w * 0.25, k.d * 0.35, 40, false);
    tree(k, k.w * 0.72, k.d * 0.3, 30, true);
    tree(k, k.w * 0.52, k.d * 0.7, 36, false);
}

void bush(Kit& k) {
    const double r = std::min(k.w, k.d) / 2;
    k.cone(k.w / 2, k.d / 2, 0, r * 0.7, r * 0.8, r, kLeaf);
    k.cone(k.w / 2, k.d / 2, r * 0.8, r, r * 1.4, r * 0.3, kLeafDark);
}

void vehicle(Kit& k, bool truck) {
    const double wheelR = k.d * 0.2;
    for (double fx : {0.2, 0.8})
        k.tube(k.w * fx, 1, wheelR, k.w * fx, k.d - 1, wheelR, wheelR, kDark);
    if (truck) {
        k.box(0, 1, wheelR, k.w * 0.3, k.d - 2, 22, {0.20f, 0.35f, 0.65f});
        k.box(k.w * 0.32, 0, wheelR, k.w * 0.68, k.d, 30, {0.80f, 0.80f, 0.78f});
        return;
    }
    k.box(0, 1, wheelR, k.w, k.d - 2, 9, kRed);
    k.box(k.w * 0.25, 2, wheelR + 9, k.w * 0.5, k.d - 4, 8, kGlass, scaled(kRed, 0.8));
}

void parkingLot(Kit& k) {
    k.box(0, 0, 0, k.w, k.d, 1.5, kAsphalt);
    const double space = k.w / 5;
    for (int i = 0; i <= 5; ++i) {
        const double x = std::clamp(i * space - 1, 0.0, k.w - 2);
        k.box(x, 0, 1.55, 2, k.d * 0.4, 0.1, kMarking, kMarking);
        k.box(x, k.d * 0.6, 1.55, 2, k.d * 0.4, 0.1, kMarking, kMarking);
    }
}

void pedestrianZone(Kit& k) {
    k.box(0, 0, 0, k.w, k.d, 1.5, kPaving);
    k.box(k.w * 0.15, k.d * 0.4, 1.5, 24, 6, 5, kWood);
    k.box(k.w * 0.6, k.d * 0.35, 1.5, 14, 14, 8, kBrick);
    tree(k, k.w * 0.67, k.d * 0.6, 14, false);
}

void viaductPier(Kit& k) {
    const Rgb top{0.72f, 0.69f, 0.64f}, side = scaled(top, 0.88);
    k.box(0, 0, 0, k.w, k.d, 8, top, side);
    k.box(4, 8, 8, k.w - 8, k.d - 16, 50, top, side);
    k.box(6, 10, 58, k.w - 12, k.d - 20, 8, top, side);
}

void tunnelPortal(Kit& k) {
    k.box(0, 0, 0, k.w, k.d, 55, kStone, kStoneSide);
    k.box(8, 8, 0, k.w - 16, k.d - 16, 45, kDark, kDark);
    k.box(6, 6, 44, k.w - 12, k.d - 12, 8, kStoneSide, kStone);
}

void retainingWall(Kit& k) {
    k.box(0, 0, 0, k.w, k.d, 50, {0.50f, 0.47f, 0.43f}, {0.56f, 0.53f, 0.48f});
    k.box(0, 0, 50, k.w, k.d, 6, {0.62f, 0.59f, 0.54f}, {0.62f, 0.59f, 0.54f});
    for (int i = 0; i < 5; ++i) {
        const double x = std::clamp(k.w * i / 4 - 3, 0.0, k.w - 6);
        k.box(x, 0, 0, 6, k.d, 48, {0.56f, 0.53f, 0.48f});
    }
}

void fallback(Kit& k) {
    const Rgb c{0.52f, 0.48f, 0.42f};
    k.box(0, 0, 0, k.w, k.d, 6, c, c);
}

const std::unordered_map<std::string, Composer>& composers() {
    static const std::unordered_map<std::string, Composer> table = {
        {"platform", [](Kit& k) { platform(k, false); }},
        {"platform_island", [](Kit& k) { platform(k, true); }},
        {"station_small", [](Kit& k) { station(k, false); }},
        {"station_large", [](Kit& k) { station(k, true); }},
        {"signal_box", signalBox},
        {"shed_1road", [](Kit& k) { engineShed(k, 1); }},
        {"shed_2road", [](Kit& k) { engineShed(k, 2); }},
        {"goods_shed", goodsShed},
        {"warehouse", warehouse},
        {"signal_semaphore_stop", [](Kit& k) { signal(k, true, false, false); }},
        {"signal_semaphore_clear", [](Kit& k) { signal(k, true, true, false); }},
        {"signal_color_stop", [](Kit& k) { signal(k, false, false, false); }},
        {"signal_color_clear", [](Kit& k) { signal(k, false, true, false); }},
        {"signal_z_semaphore_stop", [](Kit& k) { signal(k, true, false, true); }},
        {"signal_z_semaphore_clear", [](Kit& k) { signal(k, true, true, true); }},
        {"signal_z_color_stop", [](Kit& k) { signal(k, false, false, true); }},
        {"signal_z_color_clear", [](Kit& k) { signal(k, false, true, true); }},
        {"bridge_truss_scenery", trussBridge},
        {"bridge_truss", trussBridge},
        {"bridge_arch_scenery", archBridge},
        {"bridge_arch", archBridge},
        {"crossing_1track", [](Kit& k) { levelCrossing(k, 1); }},
        {"crossing_2track", [](Kit& k) { levelCrossing(k, 2); }},
        {"road_straight", road},
        {"turntable", turntable},
        {"72886", roundhouse},
        {"water_tower", waterTower},
        {"coaling_tower", coalingTower},
        {"tree_sm_dec", [](Kit& k) { tree(k, k.w / 2, k.d / 2, std::min(k.w, k.d), false); }},
        {"tree_lg_dec", [](Kit& k) { tree(k, k.w / 2, k.d / 2, std::min(k.w, k.d), false); }},
        {"tree_conifer", [](Kit& k) { tree(k, k.w / 2, k.d / 2, std::min(k.w, k.d), true); }},
        {"tree_group", treeGroup},
        {"bush", bush},
        {"car", [](Kit& k) { vehicle(k, false); }},
        {"truck", [](Kit& k) { vehicle(k, true); }},
        {"parking_lot", parkingLot},
        {"ped_zone", pedestrianZone},
        {"viaduct_pier", viaductPier},
        {"tunnel_portal", tunnelPortal},
        {"tunnel_portal_single", tunnelPortal},
        {"tunnel_portal_2", tunnelPortal},
        {"retaining_wall", retainingWall},
    };
    return table;
}

} // namespace

Mesh3D buildSceneryMesh(const SceneryDef& def) {
    Mesh3D mesh;
    Kit kit{mesh, def.width, def.depth};
    auto it = composers().find(def.id);
    if (it != composers().end())
        it->second(kit);
    else
        fallback(kit);
    return mesh;
}

} // namespace plandor
