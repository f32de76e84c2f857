#include "core/catalog/SceneryCatalog.h"
#include "core/base/Geometry.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace plandor {

std::string sceneryCategoryName(uint32_t category) {
    switch (category) {
    case Platforms:
        return "Platforms";
    case Buildings:
        return "Buildings";
    case Stations:
        return "Stations";
    case Signals:
        return "Signals";
    case Bridges:
        return "Bridges";
    case Tunnels:
        return "Tunnels";
    case Roads:
        return "Roads";
    case Nature:
        return "Nature";
    case Vehicles:
        return "Vehicles";
    case Special:
        return "Special";
    default:
        return "Other";
    }
}

namespace {

using Point = std::pair<double, double>;

// Rails of standard-gauge (H0) track: 16.5 mm apart.
constexpr double kHalfGauge = 8.25;

// Palette shared by the drawings.
constexpr Color kPlatformSurface = rgba(205, 200, 190);
constexpr Color kPlatformEdge = rgba(232, 214, 120);
constexpr Color kPlatformOutline = rgba(110, 105, 100);
constexpr Color kPavingJoint = rgba(150, 145, 140, 80);
constexpr Color kTileLight = rgba(190, 95, 68);
constexpr Color kTileMid = rgba(168, 80, 58);
constexpr Color kTileDark = rgba(145, 68, 50);
constexpr Color kTileEdge = rgba(100, 45, 35);
constexpr Color kSlateLight = rgba(118, 122, 130);
constexpr Color kSlateDark = rgba(88, 92, 100);
constexpr Color kSlateEdge = rgba(55, 58, 64);
constexpr Color kChimney = rgba(85, 60, 50);
constexpr Color kBrick = rgba(150, 82, 62);
constexpr Color kConcrete = rgba(185, 183, 178);
constexpr Color kConcreteLight = rgba(205, 203, 198);
constexpr Color kConcreteEdge = rgba(110, 110, 105);
constexpr Color kGlass = rgba(165, 205, 228);
constexpr Color kGlassEdge = rgba(90, 120, 140);
constexpr Color kWood = rgba(165, 130, 90);
constexpr Color kWoodDark = rgba(120, 84, 52);
constexpr Color kAsphalt = rgba(96, 98, 102);
constexpr Color kAsphaltEdge = rgba(70, 70, 72);
constexpr Color kRoadMarking = rgba(245, 245, 238);
constexpr Color kBallast = rgba(150, 140, 125);
constexpr Color kSleeper = rgba(112, 86, 60);
constexpr Color kRail = rgba(70, 70, 76);
constexpr Color kStone = rgba(165, 155, 138);
constexpr Color kStoneLight = rgba(198, 190, 175);
constexpr Color kStoneDark = rgba(120, 110, 96);
constexpr Color kStoneEdge = rgba(92, 84, 72);
constexpr Color kDark = rgba(40, 38, 36);
constexpr Color kLeafDark = rgba(42, 100, 44);
constexpr Color kLeafMid = rgba(62, 132, 54);
constexpr Color kLeafLight = rgba(100, 170, 76);
constexpr Color kLeafHighlight = rgba(150, 202, 108);
constexpr Color kLeafEdge = rgba(28, 72, 30);
constexpr Color kTrunk = rgba(110, 78, 48);
constexpr Color kWhite = rgba(250, 250, 248);
constexpr Color kSignRed = rgba(205, 40, 40);
constexpr Color kStopAspect = rgba(220, 40, 40);
constexpr Color kClearAspect = rgba(60, 200, 80);

// Collects the primitives of one drawing in footprint millimetres.
struct Sketch {
    std::vector<SceneryPrimitive> prims;

    void box(PrimitiveType type, double x, double y, double w, double h, Color fill, Color stroke,
             uint32_t width) {
        SceneryPrimitive p;
        p.type = type;
        p.fill = fill;
        p.stroke = stroke;
        p.strokeWidth = width;
        p.x = x;
        p.y = y;
        p.w = w;
        p.h = h;
        prims.push_back(std::move(p));
    }
    void rect(double x, double y, double w, double h, Color fill, Color stroke = kNoColor,
              uint32_t width = 0) {
        box(PrimitiveType::FilledRect, x, y, w, h, fill, stroke, stroke.a ? width : 0);
    }
    void frame(double x, double y, double w, double h, Color stroke, uint32_t width = 1) {
        box(PrimitiveType::OutlineRect, x, y, w, h, kNoColor, stroke, width);
    }
    void ellipse(double x, double y, double w, double h, Color fill, Color stroke = kNoColor,
                 uint32_t width = 0) {
        box(PrimitiveType::FilledEllipse, x, y, w, h, fill, stroke, stroke.a ? width : 0);
    }
    void circle(double cx, double cy, double r, Color fill, Color stroke = kNoColor,
                uint32_t width = 0) {
        ellipse(cx - r, cy - r, 2 * r, 2 * r, fill, stroke, width);
    }
    void ring(double cx, double cy, double r, Color stroke, uint32_t width = 1) {
        box(PrimitiveType::OutlineEllipse, cx - r, cy - r, 2 * r, 2 * r, kNoColor, stroke, width);
    }
    void polygon(std::vector<Point> points, Color fill, Color stroke = kNoColor,
                 uint32_t width = 0) {
        SceneryPrimitive p;
        p.type = PrimitiveType::Polygon;
        p.fill = fill;
        p.stroke = stroke;
        p.strokeWidth = stroke.a ? width : 0;
        p.points = std::move(points);
        prims.push_back(std::move(p));
    }
    void line(double x1, double y1, double x2, double y2, Color colour, uint32_t width = 1) {
        box(PrimitiveType::Line, x1, y1, x2, y2, colour, kNoColor, width);
    }
    void text(double x, double y, double size, const std::string& s, Color colour) {
        box(PrimitiveType::Text, x, y, 0, size, colour, kNoColor, 0);
        prims.back().text = s;
    }

    // Copies another drawing in, turned by quarter turns (each maps (x, y) to (-y, x)),
    // scaled and then moved by (ox, oy).
    void place(const Sketch& part, double ox, double oy, double scale, int quarterTurns) {
        auto map = [&](double x, double y) {
            for (int i = 0; i < quarterTurns; ++i)
                std::tie(x, y) = std::make_pair(-y, x);
            return Point{ox + scale * x, oy + scale * y};
        };
        for (SceneryPrimitive p : part.prims) {
            if (p.type == PrimitiveType::Polygon) {
                for (Point& q : p.points)
                    q = map(q.first, q.second);
            } else if (p.type == PrimitiveType::Line) {
                std::tie(p.x, p.y) = map(p.x, p.y);
                std::tie(p.w, p.h) = map(p.w, p.h);
            } else if (p.type == PrimitiveType::Text) {
                std::tie(p.x, p.y) = map(p.x, p.y);
                p.h *= scale;
            } else {
                const Point a = map(p.x, p.y);
                const Point b = map(p.x + p.w, p.y + p.h);
                p.x = std::min(a.first, b.first);
                p.y = std::min(a.second, b.second);
                p.w = std::fabs(b.first - a.first);
                p.h = std::fabs(b.second - a.second);
            }
            prims.push_back(std::move(p));
        }
    }
};

// Points of an elliptic arc around (cx, cy) from a0 to a1 degrees (y down, so positive
// angles turn clockwise on screen), both ends included.
std::vector<Point> arc(double cx, double cy, double rx, double ry, double a0, double a1,
                       int segments) {
    std::vector<Point> pts;
    for (int i = 0; i <= segments; ++i) {
        const double a = (a0 + (a1 - a0) * i / segments) * kPi / 180.0;
        pts.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return pts;
}

std::vector<Point> concat(std::vector<Point> a, const std::vector<Point>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Rectangle with corners rounded by r, as a polygon.
std::vector<Point> roundedRect(double x, double y, double w, double h, double r) {
    std::vector<Point> pts = arc(x + w - r, y + r, r, r, -90, 0, 4);
    pts = concat(pts, arc(x + w - r, y + h - r, r, r, 0, 90, 4));
    pts = concat(pts, arc(x + r, y + h - r, r, r, 90, 180, 4));
    return concat(pts, arc(x + r, y + r, r, r, 180, 270, 4));
}

// Gable roof seen from above: a lit and a shaded half meeting at the ridge.
void gableRoof(Sketch& s, double x, double y, double w, double h, bool ridgeAlongX, Color light,
               Color dark, Color edge) {
    if (ridgeAlongX) {
        s.rect(x, y, w, h / 2, light);
        s.rect(x, y + h / 2, w, h / 2, dark);
        s.line(x, y + h / 2, x + w, y + h / 2, edge, 1);
    } else {
        s.rect(x, y, w / 2, h, light);
        s.rect(x + w / 2, y, w / 2, h, dark);
        s.line(x + w / 2, y, x + w / 2, y + h, edge, 1);
    }
    s.frame(x, y, w, h, edge, 1);
}

// Hipped roof: four faces sloping up to a ridge along the longer side (a pyramid when square).
void hipRoof(Sketch& s, double x, double y, double w, double h) {
    const double inset = std::min(w, h) / 2;
    const double x2 = x + w, y2 = y + h;
    const Point r1 = w >= h ? Point{x + inset, y + h / 2} : Point{x + w / 2, y + inset};
    const Point r2 = w >= h ? Point{x2 - inset, y + h / 2} : Point{x + w / 2, y2 - inset};
    if (w >= h) {
        s.polygon({{x, y}, {x2, y}, r2, r1}, kTileLight, kTileEdge, 1);
        s.polygon({{x, y2}, {x2, y2}, r2, r1}, kTileDark, kTileEdge, 1);
        s.polygon({{x, y}, r1, {x, y2}}, kTileMid, kTileEdge, 1);
        s.polygon({{x2, y}, r2, {x2, y2}}, kTileMid, kTileEdge, 1);
    } else {
        s.polygon({{x, y}, {x, y2}, r2, r1}, kTileLight, kTileEdge, 1);
        s.polygon({{x2, y}, {x2, y2}, r2, r1}, kTileDark, kTileEdge, 1);
        s.polygon({{x, y}, r1, {x2, y}}, kTileMid, kTileEdge, 1);
        s.polygon({{x, y2}, r2, {x2, y2}}, kTileMid, kTileEdge, 1);
    }
}

// Standard-gauge track along x from x1 to x2, centred on yc: sleepers, then two rails.
void track(Sketch& s, double x1, double x2, double yc, double sleeperHalf = 14) {
    for (double x = x1 + 1.5; x + 2.6 <= x2; x += 6.5)
        s.rect(x, yc - sleeperHalf, 2.6, 2 * sleeperHalf, kSleeper);
    s.line(x1, yc - kHalfGauge, x2, yc - kHalfGauge, kRail, 1);
    s.line(x1, yc + kHalfGauge, x2, yc + kHalfGauge, kRail, 1);
}

// Station platform strip with its edge on the track side (bottom) and paving joints.
void platformStrip(Sketch& s, double x, double y, double w, double h, bool edgeOnTop,
                   bool edgeOnBottom) {
    s.rect(x, y, w, h, kPlatformSurface, kPlatformOutline, 1);
    if (edgeOnTop)
        s.rect(x, y, w, 8, kPlatformEdge);
    if (edgeOnBottom)
        s.rect(x, y + h - 8, w, 8, kPlatformEdge);
    const double top = edgeOnTop ? y + 8 : y;
    const double bottom = edgeOnBottom ? y + h - 8 : y + h;
    for (double jx = x + 40; jx < x + w - 10; jx += 40)
        s.line(jx, top, jx, bottom, kPavingJoint, 1);
}

void nameBoard(Sketch& s, double cx, double cy, double w, const std::string& name) {
    s.rect(cx - w / 2, cy - 7, w, 14, kWhite, rgba(30, 30, 30), 1);
    s.text(cx, cy, 8, name, rgba(20, 20, 20));
}

void bench(Sketch& s, double x, double y) {
    s.rect(x, y, 22, 5, kWood, kWoodDark, 1);
}

// Deciduous tree crown of radius r: a dark base, lighter lobes, a sunlit highlight.
void deciduousTree(Sketch& s, double cx, double cy, double r) {
    s.circle(cx, cy, r, kLeafDark, kLeafEdge, 1);
    const double lobe = r * 0.42;
    for (int i = 0; i < 6; ++i) {
        const double a = (i * 60 + 15) * kPi / 180.0;
        s.circle(cx + (r - lobe - 1) * std::cos(a), cy + (r - lobe - 1) * std::sin(a), lobe,
                 kLeafMid);
    }
    s.circle(cx - r * 0.12, cy - r * 0.12, r * 0.5, kLeafLight);
    s.circle(cx - r * 0.28, cy - r * 0.28, r * 0.22, kLeafHighlight);
}

// Conifer in the usual symbol: three tiers of needles over a short trunk.
void coniferTree(Sketch& s, double x, double y, double w, double h) {
    const double cx = x + w / 2;
    s.rect(cx - w * 0.07, y + h * 0.84, w * 0.14, h * 0.16, kTrunk);
    const Color tiers[] = {rgba(30, 88, 48), rgba(40, 108, 58), rgba(56, 130, 70)};
    for (int tier = 0; tier < 3; ++tier) {
        const double inset = w * 0.12 * tier;
        const double base = y + h * (0.86 - 0.22 * tier);
        const double top = base - h * (0.5 - 0.04 * tier);
        s.polygon({{x + inset, base}, {cx, top}, {x + w - inset, base}}, tiers[tier],
                  rgba(22, 66, 36), 1);
    }
}

// Car seen from above, 50 x 20, front towards +x.
Sketch carSketch(Color body) {
    Sketch s;
    const Color tyre = rgba(30, 30, 30);
    for (double wx : {8.0, 34.0}) {
        s.rect(wx, 0, 9, 2, tyre);
        s.rect(wx, 18, 9, 2, tyre);
    }
    s.polygon(roundedRect(1, 1.5, 48, 17, 4), body, rgba(50, 30, 30), 1);
    s.polygon({{30, 4}, {36, 3}, {36, 17}, {30, 16}}, kGlass, kGlassEdge, 1);
    s.polygon({{11, 3.5}, {16, 4.5}, {16, 15.5}, {11, 16.5}}, kGlass, kGlassEdge, 1);
    s.rect(16, 4.5, 14, 11, rgba(235, 235, 235, 70));
    s.rect(17, 2, 12, 1.5, kGlass);
    s.rect(17, 16.5, 12, 1.5, kGlass);
    s.rect(31, 0.3, 2, 1.4, body);
    s.rect(31, 18.3, 2, 1.4, body);
    s.rect(47.5, 3.5, 1.5, 3, rgba(250, 232, 150));
    s.rect(47.5, 13.5, 1.5, 3, rgba(250, 232, 150));
    s.rect(1, 3.5, 1.2, 3, rgba(200, 30, 30));
    s.rect(1, 13.5, 1.2, 3, rgba(200, 30, 30));
    return s;
}

SceneryDef makeDef(const char* id, const char* name, uint32_t category, double width, double depth,
                   Sketch sketch) {
    SceneryDef d;
    d.id = id;
    d.name = name;
    d.category = category;
    d.width = width;
    d.depth = depth;
    d.primitives = std::move(sketch.prims);
    return d;
}

SceneryDef makePlatform() {
    Sketch s;
    s.rect(0, 0, 230, 60, kPlatformSurface, kPlatformOutline, 1);
    s.rect(0, 52, 230, 8, kPlatformEdge);
    for (double x : {40.0, 80.0, 120.0, 160.0, 190.0})
        s.line(x, 0, x, 60, kPavingJoint, 1);
    return makeDef("platform", "Platform", Platforms, 230, 60, std::move(s));
}

SceneryDef makeIslandPlatform() {
    Sketch s;
    platformStrip(s, 0, 0, 460, 120, true, true);
    // Stairs down to the subway.
    s.rect(18, 42, 44, 36, rgba(120, 118, 115), kConcreteEdge, 1);
    for (double x = 22; x < 62; x += 5)
        s.line(x, 44, x, 76, rgba(80, 78, 75), 1);
    s.frame(16, 40, 48, 40, rgba(60, 60, 60), 1);
    gableRoof(s, 80, 36, 320, 48, true, kSlateLight, kSlateDark, kSlateEdge);
    for (double x = 120; x < 400; x += 40)
        s.line(x, 37, x, 83, rgba(60, 64, 70, 110), 1);
    bench(s, 416, 44);
    bench(s, 416, 71);
    s.circle(70, 20, 2.5, rgba(60, 60, 60));
    s.circle(70, 100, 2.5, rgba(60, 60, 60));
    s.circle(430, 20, 2.5, rgba(60, 60, 60));
    s.circle(430, 100, 2.5, rgba(60, 60, 60));
    return makeDef("platform_island", "Island platform 460mm", Platforms, 460, 120, std::move(s));
}

SceneryDef makeSmallStation() {
    Sketch s;
    platformStrip(s, 0, 90, 308, 50, false, true);
    // Privy beside the main building.
    gableRoof(s, 12, 34, 30, 40, false, kTileLight, kTileDark, kTileEdge);
    // Main building with a hipped roof and two chimneys.
    hipRoof(s, 54, 14, 160, 76);
    s.rect(108, 28, 7, 7, kChimney);
    s.rect(154, 68, 7, 7, kChimney);
    // Lower goods room with a timber roof.
    gableRoof(s, 214, 30, 62, 56, true, rgba(150, 122, 92), rgba(124, 98, 72), rgba(80, 60, 40));
    // Canopy over the platform in front of the building.
    s.rect(58, 90, 152, 18, kSlateLight, kSlateEdge, 1);
    for (double x = 78; x < 210; x += 20)
        s.line(x, 90, x, 108, rgba(60, 64, 70, 110), 1);
    nameBoard(s, 154, 120, 80, "Gueglingen");
    bench(s, 24, 112);
    bench(s, 262, 112);
    return makeDef("station_small", "Station Gueglingen", Stations, 308, 140, std::move(s));
}

SceneryDef makeLargeStation() {
    Sketch s;
    platformStrip(s, 0, 110, 550, 75, false, true);
    // Entrance canopy on the forecourt side.
    s.rect(245, 2, 60, 10, kGlass, kGlassEdge, 1);
    // Wings with gable roofs either side of the tall middle block.
    gableRoof(s, 20, 44, 44, 56, false, kTileLight, kTileDark, kTileEdge);
    gableRoof(s, 64, 30, 136, 80, true, kTileLight, kTileDark, kTileEdge);
    gableRoof(s, 350, 30, 136, 80, true, kTileLight, kTileDark, kTileEdge);
    gableRoof(s, 486, 44, 44, 56, false, kTileLight, kTileDark, kTileEdge);
    hipRoof(s, 200, 12, 150, 98);
    for (double x : {96.0, 160.0, 382.0, 446.0})
        s.rect(x, 38, 8, 8, kChimney);
    s.rect(271, 54, 8, 8, kChimney);
    // Long platform canopy with its rafters.
    s.rect(40, 110, 470, 36, kSlateLight, kSlateEdge, 1);
    for (double x = 70; x < 510; x += 30)
        s.line(x, 110, x, 146, rgba(60, 64, 70, 110), 1);
    nameBoard(s, 275, 162, 100, "Schwarzburg");
    for (double x : {60.0, 150.0, 380.0, 470.0})
        bench(s, x, 156);
    return makeDef("station_large", "Station Schwarzburg", Stations, 550, 185, std::move(s));
}

SceneryDef makeSignalBox() {
    Sketch s;
    // Outside staircase up to the operating floor.
    s.rect(2, 20, 14, 26, kWood, kWoodDark, 1);
    for (double y = 24; y < 46; y += 4)
        s.line(2, y, 16, y, kWoodDark, 1);
    // Glazed operating floor shows around the eaves.
    s.rect(16, 4, 42, 42, kGlass, kGlassEdge, 1);
    hipRoof(s, 20, 8, 34, 34);
    s.rect(41, 13, 5, 5, kChimney);
    return makeDef("signal_box", "Signal box", Buildings, 60, 50, std::move(s));
}

// Engine shed over one or more parallel roads along x, doors on the left (x = 40).
SceneryDef makeEngineShed(const char* id, const char* name, int roads) {
    const double depth = 80.0 * roads;
    Sketch s;
    for (int i = 0; i < roads; ++i) {
        const double yc = 40 + 80 * i;
        s.rect(0, yc - 16, 44, 32, kBallast);
        track(s, 0, 44, yc);
    }
    s.rect(40, 4, 260, depth - 8, kBrick, rgba(90, 45, 35), 1);
    for (int i = 0; i < roads; ++i) {
        const double yc = 40 + 80 * i;
        gableRoof(s, 44, yc - 34, 252, 68, true, kSlateLight, kSlateDark, kSlateEdge);
        // Smoke vents along the ridge.
        for (double x = 64; x < 290; x += 50)
            s.rect(x, yc - 4, 14, 8, kDark, rgba(20, 20, 20), 1);
        // Open door leaves folded back against the front wall.
        s.rect(40, yc - 14, 4, 28, kDark);
        s.rect(22, yc - 20, 18, 3, kWoodDark);
        s.rect(22, yc + 17, 18, 3, kWoodDark);
    }
    return makeDef(id, name, Buildings, 300, depth, std::move(s));
}

SceneryDef makeGoodsShed() {
    Sketch s;
    // Loading ramp along the track side.
    s.rect(0, 52, 200, 28, kWood, kWoodDark, 1);
    for (double y : {59.0, 66.0, 73.0})
        s.line(0, y, 200, y, rgba(120, 84, 52, 90), 1);
    gableRoof(s, 10, 4, 180, 48, true, rgba(110, 110, 114), rgba(84, 84, 90), rgba(50, 50, 55));
    for (double x : {36.0, 88.0, 140.0})
        s.rect(x, 50, 26, 4, kWoodDark);
    // Crates and barrels waiting on the ramp.
    s.rect(24, 62, 10, 10, rgba(190, 150, 95), kWoodDark, 1);
    s.rect(36, 65, 8, 8, rgba(190, 150, 95), kWoodDark, 1);
    s.rect(108, 61, 12, 11, rgba(190, 150, 95), kWoodDark, 1);
    s.circle(164, 67, 4, rgba(100, 80, 60), kDark, 1);
    s.circle(173, 70, 4, rgba(100, 80, 60), kDark, 1);
    return makeDef("goods_shed", "Goods shed", Buildings, 200, 80, std::move(s));
}

SceneryDef makeWarehouse() {
    Sketch s;
    s.rect(0, 0, 400, 170, rgba(172, 172, 168), rgba(80, 80, 80), 1);
    s.frame(5, 5, 390, 160, rgba(130, 130, 126), 1);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 6; ++col)
            s.rect(25 + 60 * col, 22 + 45 * row, 40, 20, kGlass, kGlassEdge, 1);
    s.rect(350, 30, 30, 20, rgba(120, 122, 125), rgba(70, 70, 70), 1);
    s.circle(365, 135, 7, rgba(140, 142, 145), rgba(70, 70, 70), 1);
    // Loading dock with its doors and the truck bays in front.
    s.rect(20, 170, 360, 12, kConcreteLight, kConcreteEdge, 1);
    for (int i = 0; i < 7; ++i)
        s.rect(30 + 50 * i, 166, 30, 4, rgba(70, 70, 75));
    for (int i = 0; i < 8; ++i)
        s.line(22.5 + 50 * i, 182, 22.5 + 50 * i, 200, rgba(230, 200, 60), 1);
    return makeDef("warehouse", "Warehouse", Buildings, 400, 200, std::move(s));
}

enum class SignalKind { Semaphore, ColourLight };
enum class Aspect { Stop, Clear };

// Every signal comes from this one rule: standard signals are 20 x 20 mm, Z-scale ones
// 12 x 12 mm, and the lit aspect is red for stop and green for clear.
SceneryDef makeSignal(const char* id, const char* name, SignalKind kind, Aspect aspect,
                      bool zScale) {
    const double size = zScale ? 12 : 20;
    const double k = size / 20;
    const Color lit = aspect == Aspect::Stop ? kStopAspect : kClearAspect;
    const Color outline = rgba(30, 30, 30);
    Sketch s;
    s.rect(3 * k, 3 * k, 14 * k, 14 * k, kConcrete, kConcreteEdge, 1);
    if (kind == SignalKind::Semaphore) {
        // The arm sticks out from the mast; raised to clear it looks shorter from above.
        const double mast = 6;
        const double arm = aspect == Aspect::Stop ? 11 : 7;
        s.rect(mast * k, 8.5 * k, arm * k, 3 * k, lit, outline, 1);
        s.rect((mast + arm * 0.45) * k, 8.5 * k, arm * 0.2 * k, 3 * k, kWhite);
        s.circle((mast + arm) * k, 10 * k, 2.5 * k, lit, outline, 1);
        s.rect((mast - 1) * k, 11 * k, 2 * k, 6 * k, rgba(90, 90, 90));
        s.circle(mast * k, 10 * k, 1.8 * k, rgba(60, 60, 60), outline, 1);
    } else {
        s.rect(9 * k, 11 * k, 2 * k, 6 * k, rgba(90, 90, 90));
        s.circle(10 * k, 14 * k, 1.8 * k, rgba(60, 60, 60));
        s.rect(3.5 * k, 3 * k, 13 * k, 8 * k, rgba(28, 28, 28), outline, 1);
        const double litX = aspect == Aspect::Stop ? 7 : 13;
        const double darkX = aspect == Aspect::Stop ? 13 : 7;
        s.circle(darkX * k, 7 * k, 2.2 * k, rgba(75, 75, 75));
        s.circle(litX * k, 7 * k, 2.6 * k, lit);
        s.ring(litX * k, 7 * k, 3.2 * k, lit, 1);
    }
    SceneryDef def = makeDef(id, name, Signals, size, size, std::move(s));
    def.zScale = zScale;
    return def;
}

// Through truss seen from above: abutments, deck and track, the chords along both sides
// with their lattice, and the cross bracing between the panel points.
SceneryDef makeTrussBridge(const char* id, const char* name, uint32_t category, double depth,
                           Color steel, bool walkway) {
    const double width = 188;
    const Color steelEdge = rgba(30, 40, 45);
    Sketch s;
    for (double x : {0.0, width - 12}) {
        s.rect(x, 0, 12, depth, kStone, kStoneEdge, 1);
        for (double y = 8; y < depth; y += 8)
            s.line(x, y, x + 12, y, kStoneDark, 1);
    }
    s.rect(12, 6, width - 24, depth - 12, rgba(125, 125, 122), steelEdge, 1);
    const double yc = depth / 2;
    if (walkway) {
        s.rect(12, yc + 16, width - 24, 8, kWood);
        for (double x = 16; x < width - 12; x += 6)
            s.line(x, yc + 16, x, yc + 24, kWoodDark, 1);
        s.line(12, yc + 24, width - 12, yc + 24, steelEdge, 1);
    }
    track(s, 12, width - 12, yc);
    const int panels = 6;
    const double p = (width - 24) / panels;
    for (int i = 0; i < panels; ++i) {
        const double x0 = 12 + p * i, x1 = x0 + p;
        s.line(x0, 6, x1, depth - 6, steel, 1);
        s.line(x0, depth - 6, x1, 6, steel, 1);
    }
    for (double y : {1.0, depth - 9}) {
        s.rect(12, y, width - 24, 8, steel, steelEdge, 1);
        for (int i = 0; i < panels; ++i) {
            const double x0 = 12 + p * i;
            s.line(x0, y + 8, x0 + p / 2, y, rgba(200, 210, 215, 160), 1);
            s.line(x0 + p / 2, y, x0 + p, y + 8, rgba(200, 210, 215, 160), 1);
        }
    }
    for (int i = 0; i <= panels; ++i) {
        const double x = 12 + p * i;
        s.rect(std::min(std::max(x - 1.5, 12.0), width - 15), 1, 3, depth - 2, steel);
    }
    return makeDef(id, name, category, width, depth, std::move(s));
}

// Stone arch bridge: track bed between parapets, each side showing its row of arches.
SceneryDef makeArchBridge() {
    const double width = 360, depth = 64, band = 14;
    Sketch s;
    s.rect(0, 0, width, depth, kStone, kStoneEdge, 1);
    s.rect(0, band, width, depth - 2 * band, kBallast);
    track(s, 0, width, depth / 2);
    for (int i = 0; i < 4; ++i) {
        const double xm = 45 + 90 * i;
        s.polygon(arc(xm, 0, 38, 12.5, 0, 180, 16), kStoneLight, kStoneEdge, 1);
        s.polygon(arc(xm, 0, 32, 9.5, 0, 180, 16), rgba(70, 62, 54));
        s.polygon(arc(xm, depth, 38, 12.5, 180, 360, 16), kStoneLight, kStoneEdge, 1);
        s.polygon(arc(xm, depth, 32, 9.5, 180, 360, 16), rgba(70, 62, 54));
    }
    // Parapet copings along the inner edges of the side bands.
    s.rect(0, band - 3, width, 3, kStoneLight, kStoneEdge, 1);
    s.rect(0, depth - band, width, 3, kStoneLight, kStoneEdge, 1);
    for (double x : {90.0, 180.0, 270.0}) {
        s.rect(x - 5, 0, 10, band, kStoneDark, kStoneEdge, 1);
        s.rect(x - 5, depth - band, 10, band, kStoneDark, kStoneEdge, 1);
    }
    return makeDef("bridge_arch_scenery", "Arch bridge (scenery)", Bridges, width, depth,
                   std::move(s));
}

// Road running along y across one or more tracks along x, closed barriers either side.
SceneryDef makeLevelCrossing(const char* id, const char* name, int tracks) {
    const double width = 120, depth = 80.0 * tracks;
    const double roadX = 32, roadW = 56;
    Sketch s;
    for (int i = 0; i < tracks; ++i)
        s.rect(0, 24 + 80 * i, width, 32, kBallast);
    s.rect(roadX, 0, roadW, depth, kAsphalt, kAsphaltEdge, 1);
    for (int i = 0; i < tracks; ++i) {
        const double yc = 40 + 80 * i;
        track(s, 0, roadX, yc);
        track(s, roadX + roadW, width, yc);
        s.rect(roadX, yc - 13, roadW, 26, rgba(138, 132, 124), rgba(90, 86, 80), 1);
        s.line(0, yc - kHalfGauge, width, yc - kHalfGauge, kRail, 1);
        s.line(0, yc + kHalfGauge, width, yc + kHalfGauge, kRail, 1);
    }
    // Dashed centre line between the tracks and barriers.
    for (double y = 0; y + 8 <= depth; y += 14) {
        const double mid = y + 4;
        const bool onTrack = std::fmod(mid, 80.0) > 22 && std::fmod(mid, 80.0) < 58;
        if (!onTrack)
            s.rect(59.2, y, 1.6, 8, kRoadMarking);
    }
    s.rect(roadX + 2, 0, 1.2, depth, kRoadMarking);
    s.rect(roadX + roadW - 3.2, 0, 1.2, depth, kRoadMarking);
    // Red and white booms lowered across the road, their posts and crossbucks.
    const double booms[2][3] = {{12, 22, 30}, {depth - 12, 90, 34}};
    for (const auto& b : booms) {
        const double y = b[0], post = b[1], start = b[2];
        s.rect(start, y - 1.5, 56, 3, kWhite, rgba(60, 60, 60), 1);
        for (double x = start + 4; x + 4 <= start + 56; x += 12)
            s.rect(x, y - 1.5, 6, 3, kSignRed);
        s.rect(post, y - 4, 8, 8, rgba(70, 70, 70), kDark, 1);
    }
    for (const Point& c : {Point{12, 12}, Point{108, depth - 12}}) {
        s.line(c.first - 5, c.second - 5, c.first + 5, c.second + 5, kSignRed, 2);
        s.line(c.first - 5, c.second + 5, c.first + 5, c.second - 5, kSignRed, 2);
    }
    return makeDef(id, name, Roads, width, depth, std::move(s));
}

SceneryDef makeRoad() {
    Sketch s;
    s.rect(0, 0, 188, 60, kAsphalt, kAsphaltEdge, 1);
    s.rect(0, 4, 188, 1.2, kRoadMarking);
    s.rect(0, 54.8, 188, 1.2, kRoadMarking);
    for (double x = 4; x + 14 <= 188; x += 24)
        s.rect(x, 29.2, 14, 1.6, kRoadMarking);
    return makeDef("road_straight", "Road straight 188mm", Roads, 188, 60, std::move(s));
}

SceneryDef makeTurntable() {
    const double c = 180;
    Sketch s;
    s.circle(c, c, 180, kConcrete, kConcreteEdge, 1);
    s.circle(c, c, 168, rgba(112, 106, 96), rgba(80, 76, 70), 1);
    s.ring(c, c, 157, kRail, 2);
    // Track stubs meeting the pit rim.
    for (int i = 0; i < 24; ++i) {
        const double a = i * 15 * kPi / 180.0;
        const double ux = std::cos(a), uy = std::sin(a);
        for (double side : {-kHalfGauge, kHalfGauge})
            s.line(c + 168 * ux - side * uy, c + 168 * uy + side * ux, c + 178 * ux - side * uy,
                   c + 178 * uy + side * ux, kRail, 1);
    }
    // The bridge: girders, timber deck and its track.
    s.rect(14, c - 17, 332, 34, rgba(80, 86, 92), rgba(40, 44, 48), 1);
    s.rect(14, c - 12, 332, 24, kWood);
    track(s, 14, 346, c, 12);
    s.rect(294, c - 34, 26, 15, rgba(150, 62, 50), rgba(90, 40, 30), 1);
    s.rect(298, c - 31, 8, 5, kGlass);
    s.circle(c, c, 8, rgba(50, 50, 54), kDark, 1);
    return makeDef("turntable", "Turntable 360mm", Special, 360, 360, std::move(s));
}

// Fan of three stalls around a turntable centre that lies below the footprint.
SceneryDef makeRoundhouse() {
    const double cx = 193, cy = 500, inner = 185, outer = 498;
    const double step = 15, first = -90 - 1.5 * step;
    auto at = [&](double r, double deg) {
        const double a = deg * kPi / 180.0;
        return Point{cx + r * std::cos(a), cy + r * std::sin(a)};
    };
    auto band = [&](double r0, double r1, double a0, double a1) {
        std::vector<Point> pts = arc(cx, cy, r1, r1, a0, a1, 6);
        return concat(pts, arc(cx, cy, r0, r0, a1, a0, 6));
    };
    Sketch s;
    // Tracks run out of every stall towards the turntable.
    for (int i = 0; i < 3; ++i) {
        const double mid = first + step * (i + 0.5);
        const double a = mid * kPi / 180.0;
        const double nx = -std::sin(a), ny = std::cos(a);
        for (double side : {-kHalfGauge, kHalfGauge}) {
            const Point p0 = at(167, mid), p1 = at(inner + 4, mid);
            s.line(p0.first + side * nx, p0.second + side * ny, p1.first + side * nx,
                   p1.second + side * ny, kRail, 1);
        }
    }
    s.polygon(band(inner, outer, first, first + 3 * step), kBrick, rgba(90, 45, 35), 1);
    for (int i = 0; i < 3; ++i) {
        const double a0 = first + step * i, a1 = a0 + step, mid = a0 + step / 2;
        s.polygon(band(inner + 8, outer - 4, a0 + 0.4, mid), kSlateLight);
        s.polygon(band(inner + 8, outer - 4, mid, a1 - 0.4), kSlateDark);
        const Point r0 = at(inner + 8, mid), r1 = at(outer - 4, mid);
        s.line(r0.first, r0.second, r1.first, r1.second, kSlateEdge, 1);
        for (double r : {260.0, 340.0, 420.0}) {
            const Point v = at(r, mid);
            s.circle(v.first, v.second, 5, kDark);
        }
        // Doors along the inner wall.
        s.polygon(band(inner, inner + 6, a0 + 3, a1 - 3), kWoodDark);
    }
    for (int i = 0; i <= 3; ++i) {
        const Point w0 = at(inner, first + step * i), w1 = at(outer, first + step * i);
        s.line(w0.first, w0.second, w1.first, w1.second, rgba(90, 45, 35), 2);
    }
    return makeDef("72886", "Roundhouse 72886 (3-stall)", 10, 386, 343, std::move(s));
}

SceneryDef makeWaterTower() {
    Sketch s;
    s.rect(4, 4, 42, 42, kStone, kStoneEdge, 1);
    s.circle(25, 25, 19, rgba(70, 86, 96), rgba(35, 45, 52), 1);
    s.circle(25, 25, 16, rgba(118, 128, 134));
    for (int i = 0; i < 8; ++i) {
        const double a = (i * 45 + 22.5) * kPi / 180.0;
        s.line(25, 25, 25 + 16 * std::cos(a), 25 + 16 * std::sin(a), rgba(80, 90, 96), 1);
    }
    s.circle(25, 25, 2.5, kDark);
    // Filling pipe swung out to the track.
    s.rect(42, 23, 7, 4, rgba(55, 65, 72), kDark, 1);
    s.circle(47.5, 25, 2, rgba(55, 65, 72));
    return makeDef("water_tower", "Water tower", Special, 50, 50, std::move(s));
}

SceneryDef makeCoalingTower() {
    Sketch s;
    s.rect(0, 46, 80, 30, kBallast);
    track(s, 0, 80, 61);
    s.rect(6, 4, 52, 44, kConcrete, kConcreteEdge, 1);
    s.rect(14, 10, 32, 24, kConcreteLight, kConcreteEdge, 1);
    s.line(14, 22, 46, 22, kConcreteEdge, 1);
    // Coal chutes reaching over the track.
    for (double x : {16.0, 38.0})
        s.rect(x, 46, 7, 18, rgba(55, 55, 60), kDark, 1);
    // Bunker full of coal with the skip hoist beside it.
    s.rect(62, 6, 16, 38, rgba(50, 48, 45), kDark, 1);
    for (const Point& p :
         {Point{66, 12}, Point{73, 16}, Point{67, 22}, Point{74, 28}, Point{66, 33}, Point{72, 39}})
        s.circle(p.first, p.second, 2.4, rgba(22, 22, 22));
    s.line(58, 8, 58, 42, kRail, 1);
    s.line(61, 8, 61, 42, kRail, 1);
    return makeDef("coaling_tower", "Coaling tower", Special, 80, 80, std::move(s));
}

SceneryDef makeTree(const char* id, const char* name, double size) {
    Sketch s;
    deciduousTree(s, size / 2, size / 2, size / 2);
    return makeDef(id, name, Nature, size, size, std::move(s));
}

SceneryDef makeConifer() {
    Sketch s;
    coniferTree(s, 0, 0, 23, 40);
    return makeDef("tree_conifer", "Conifer tree", Nature, 23, 40, std::move(s));
}

SceneryDef makeTreeGroup() {
    Sketch s;
    deciduousTree(s, 29, 45, 28);
    coniferTree(s, 56, 0, 30, 52);
    deciduousTree(s, 95, 60, 19);
    return makeDef("tree_group", "Tree group (3 mixed)", Nature, 115, 80, std::move(s));
}

SceneryDef makeBush() {
    Sketch s;
    s.ellipse(0, 4, 12, 12, kLeafDark, kLeafEdge, 1);
    s.ellipse(11, 5, 12, 12, kLeafDark, kLeafEdge, 1);
    s.ellipse(5, 0, 13, 13, kLeafMid, kLeafEdge, 1);
    s.ellipse(5, 7, 12, 10, kLeafMid);
    s.circle(9, 5, 3, kLeafLight);
    s.circle(16, 10, 2.5, kLeafLight);
    s.circle(5, 10, 1.2, rgba(230, 120, 170));
    s.circle(14, 4, 1.2, rgba(230, 120, 170));
    s.circle(18, 13, 1.2, rgba(240, 230, 120));
    return makeDef("bush", "Bush / shrub", Nature, 23, 17, std::move(s));
}

SceneryDef makeCar() {
    return makeDef("car", "Car", Vehicles, 50, 20, carSketch(rgba(190, 40, 40)));
}

SceneryDef makeTruck() {
    Sketch s;
    const Color tyre = rgba(30, 30, 30);
    for (double x : {8.0, 21.0, 61.0}) {
        s.rect(x, 0, 11, 2, tyre);
        s.rect(x, 23, 11, 2, tyre);
    }
    s.rect(2, 1.5, 56, 22, rgba(205, 205, 200), rgba(100, 100, 100), 1);
    for (double x = 9; x < 58; x += 7)
        s.line(x, 1.5, x, 23.5, rgba(150, 150, 146), 1);
    s.rect(60, 2, 18, 21, rgba(40, 80, 160), rgba(25, 45, 90), 1);
    s.rect(62, 5, 9, 15, rgba(70, 110, 190));
    s.polygon({{72, 3.5}, {77, 4.5}, {77, 20.5}, {72, 21.5}}, kGlass, kGlassEdge, 1);
    s.rect(65, 2.2, 6, 1.3, kGlass);
    s.rect(65, 21.5, 6, 1.3, kGlass);
    s.rect(70, 0, 2, 2, rgba(25, 45, 90));
    s.rect(70, 23, 2, 2, rgba(25, 45, 90));
    s.rect(78, 4, 1.5, 3, rgba(250, 232, 150));
    s.rect(78, 18, 1.5, 3, rgba(250, 232, 150));
    return makeDef("truck", "Truck", Vehicles, 80, 25, std::move(s));
}

SceneryDef makeParkingLot() {
    Sketch s;
    s.rect(0, 0, 250, 120, kAsphalt, kAsphaltEdge, 1);
    for (double top : {4.0, 72.0})
        for (int i = 0; i <= 5; ++i)
            s.rect(4.25 + 48 * i, top, 1.5, 44, kRoadMarking);
    // A few parked cars, turned to stand in their bays.
    s.place(carSketch(rgba(40, 90, 170)), 29 + 8.4, 5, 0.84, 1);
    s.place(carSketch(rgba(220, 200, 60)), 173 + 8.4, 5, 0.84, 1);
    s.place(carSketch(rgba(90, 150, 90)), 77 + 8.4, 73, 0.84, 1);
    // Parking sign.
    s.rect(226, 50, 20, 20, rgba(30, 80, 170), kWhite, 1);
    s.text(236, 60, 14, "P", kWhite);
    return makeDef("parking_lot", "Parking lot (10 spaces)", Special, 250, 120, std::move(s));
}

SceneryDef makePedestrianZone() {
    Sketch s;
    s.rect(0, 0, 115, 57, rgba(216, 206, 186), rgba(150, 140, 120), 1);
    for (double x = 9.5; x < 115; x += 9.5)
        s.line(x, 0, x, 57, rgba(170, 158, 136, 120), 1);
    for (double y = 9.5; y < 57; y += 9.5)
        s.line(0, y, 115, y, rgba(170, 158, 136, 120), 1);
    // Planted tree, flower bed, benches, lamps and a fountain.
    s.circle(17, 17, 12, kStoneLight, kStoneEdge, 1);
    deciduousTree(s, 17, 17, 9);
    s.rect(6, 36, 24, 15, rgba(120, 90, 60), kStoneEdge, 1);
    for (const Point& p :
         {Point{10, 40}, Point{16, 46}, Point{22, 40}, Point{26, 47}, Point{12, 47}, Point{19, 41}})
        s.circle(p.first, p.second, 1.6, rgba(225, 80, 120));
    s.rect(38, 8, 20, 5, kWood, kWoodDark, 1);
    s.rect(38, 44, 20, 5, kWood, kWoodDark, 1);
    s.circle(68, 10, 2, rgba(50, 50, 50));
    s.circle(68, 47, 2, rgba(50, 50, 50));
    s.circle(93, 28.5, 16, kStoneLight, kStoneEdge, 1);
    s.circle(93, 28.5, 12.5, rgba(110, 165, 210));
    s.circle(93, 28.5, 3, rgba(220, 235, 248));
    s.ring(93, 28.5, 7, rgba(200, 225, 245), 1);
    return makeDef("ped_zone", "Pedestrian zone", Special, 115, 57, std::move(s));
}

SceneryDef makeViaductPier() {
    Sketch s;
    // Footing with rounded cutwaters, the pier cap over it and four bearings.
    s.polygon(concat(arc(20, 20, 18, 18, 180, 360, 12), arc(20, 40, 18, 18, 0, 180, 12)),
              rgba(150, 148, 142), kConcreteEdge, 1);
    s.rect(5, 8, 30, 44, kConcreteLight, kConcreteEdge, 1);
    for (double y = 16; y < 52; y += 8)
        s.line(5, y, 35, y, rgba(160, 158, 152, 120), 1);
    for (const Point& b : {Point{9, 11}, Point{24, 11}, Point{9, 44}, Point{24, 44}})
        s.rect(b.first, b.second, 7, 5, rgba(60, 60, 64), kDark, 1);
    return makeDef("viaduct_pier", "Viaduct pier (concrete)", Special, 40, 60, std::move(s));
}

// Portal face across the track: the item's +x side faces out of the tunnel, so the arch
// opens towards +x and its crown points into the hill.
SceneryDef makeTunnelPortal() {
    Sketch s;
    s.rect(0, 0, 40, 80, kStone, kStoneEdge, 1);
    for (double y = 10; y < 80; y += 10)
        s.line(0, y, 40, y, kStoneDark, 1);
    for (double y = 0; y < 80; y += 10)
        for (double x = (static_cast<int>(y / 10) % 2 ? 8 : 16); x < 40; x += 16)
            s.line(x, y, x, y + 10, kStoneDark, 1);
    s.polygon(concat(concat({{40, 11}}, arc(22, 40, 19, 29, 270, 90, 16)), {{40, 69}}), kStoneLight,
              kStoneEdge, 1);
    s.polygon(concat(concat({{40, 16}}, arc(22, 40, 13, 24, 270, 90, 16)), {{40, 64}}),
              rgba(32, 30, 28));
    s.rect(3, 36, 6, 8, rgba(215, 208, 195), kStoneEdge, 1);
    s.line(14, 40 - kHalfGauge, 40, 40 - kHalfGauge, rgba(110, 110, 115), 1);
    s.line(14, 40 + kHalfGauge, 40, 40 + kHalfGauge, rgba(110, 110, 115), 1);
    return makeDef("tunnel_portal_single", "Tunnel portal (1 track)", Tunnels, 40, 80,
                   std::move(s));
}

SceneryDef makeRetainingWall() {
    Sketch s;
    s.rect(0, 0, 188, 30, kStone, kStoneEdge, 1);
    for (double y : {12.0, 18.0, 24.0})
        s.line(0, y, 188, y, kStoneDark, 1);
    for (int course = 0; course < 4; ++course) {
        const double y = 6 + 6 * course;
        for (double x = course % 2 ? 12 : 24; x < 188; x += 24)
            s.line(x, y, x, y + 6, kStoneDark, 1);
    }
    s.rect(0, 0, 188, 6, kStoneLight, kStoneEdge, 1);
    for (double x = 20; x < 188; x += 20)
        s.line(x, 0, x, 6, kStoneEdge, 1);
    for (double x = 23.5; x < 188; x += 47)
        s.circle(x, 27, 1.3, kDark);
    return makeDef("retaining_wall", "Retaining wall 188mm", Special, 188, 30, std::move(s));
}

} // namespace

SceneryCatalog::SceneryCatalog() {
    add(makePlatform());
    add(makeIslandPlatform());
    add(makeSmallStation());
    add(makeLargeStation());
    add(makeSignalBox());
    add(makeEngineShed("shed_1road", "Engine shed (1 road)", 1));
    add(makeEngineShed("shed_2road", "Engine shed (2 roads)", 2));
    add(makeGoodsShed());
    add(makeWarehouse());
    using K = SignalKind;
    using A = Aspect;
    add(makeSignal("signal_semaphore_stop", "Semaphore (Stop)", K::Semaphore, A::Stop, false));
    add(makeSignal("signal_semaphore_clear", "Semaphore (Clear)", K::Semaphore, A::Clear, false));
    add(makeSignal("signal_color_stop", "Color light (Stop)", K::ColourLight, A::Stop, false));
    add(makeSignal("signal_color_clear", "Color light (Clear)", K::ColourLight, A::Clear, false));
    add(makeSignal("signal_z_semaphore_stop", "Semaphore Z (Stop)", K::Semaphore, A::Stop, true));
    add(makeSignal("signal_z_semaphore_clear", "Semaphore Z (Clear)", K::Semaphore, A::Clear,
                   true));
    add(makeSignal("signal_z_color_stop", "Color light Z (Stop)", K::ColourLight, A::Stop, true));
    add(makeSignal("signal_z_color_clear", "Color light Z (Clear)", K::ColourLight, A::Clear,
                   true));
    add(makeTrussBridge("bridge_truss_scenery", "Truss bridge (scenery)", Bridges, 64,
                        rgba(88, 100, 110), false));
    add(makeArchBridge());
    add(makeLevelCrossing("crossing_1track", "Level crossing (1 track)", 1));
    add(makeLevelCrossing("crossing_2track", "Level crossing (2 tracks)", 2));
    add(makeRoad());
    add(makeTurntable());
    add(makeRoundhouse());
    add(makeWaterTower());
    add(makeCoalingTower());
    add(makeTree("tree_sm_dec", "Deciduous tree (small)", 34));
    add(makeTree("tree_lg_dec", "Deciduous tree (large)", 57));
    add(makeConifer());
    add(makeTreeGroup());
    add(makeBush());
    add(makeCar());
    add(makeTruck());
    add(makeParkingLot());
    add(makePedestrianZone());
    add(makeTrussBridge("bridge_truss", "Steel truss bridge (1 track)", Special, 80,
                        rgba(62, 90, 74), true));
    add(makeViaductPier());
    add(makeTunnelPortal());
    add(makeRetainingWall());
}

void SceneryCatalog::add(SceneryDef def) {
    indexById_.emplace(def.id, static_cast<int>(defs_.size()));
    defs_.push_back(std::move(def));
}

const SceneryCatalog& SceneryCatalog::instance() {
    static const SceneryCatalog catalog;
    return catalog;
}

const SceneryDef* SceneryCatalog::find(const std::string& id) const {
    auto it = indexById_.find(id);
    return it == indexById_.end() ? nullptr : &defs_[it->second];
}

} // namespace plandor
