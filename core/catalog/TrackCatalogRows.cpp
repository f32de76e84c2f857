#include "core/base/Geometry.h"
#include "core/catalog/TrackCatalog.h"

#include <cmath>

namespace plandor {

namespace {

using K = PieceKind;

enum RowFlags : unsigned { Bridge = 1, Paired = 2, Ramp = 4 };

double toRadians(double deg) {
    return deg * kDegToRad;
}

// Collects one track system's rows in catalogue order; each call mirrors one table row.
struct RowList {
    uint32_t system;
    std::vector<PieceDef> defs;

    void straight(const char* part, double length, const char* description, unsigned flags = 0) {
        add(TrackCatalog::makeStraight(system, part, description, length), flags);
    }
    void curve(const char* part, double radius, double angle, const char* description,
               unsigned flags = 0) {
        add(TrackCatalog::makeCurve(system, part, description, radius, angle), flags);
    }
    // The angle's sign only repeats the hand that the kind already gives.
    void turnout(const char* part, PieceKind kind, double length, double radius, double angle,
                 const char* description) {
        add(TrackCatalog::makeTurnout(system, part, description, kind, length, radius,
                                      std::fabs(angle)));
    }
    void bumper(const char* part, double length, const char* description) {
        add(TrackCatalog::makeBumper(system, part, description, length));
    }
    void turntable(const char* part, const char* description) {
        add(TrackCatalog::makeTurntable(system, part, description));
    }
    void literal(const char* part, PieceKind kind, double length, double radius, double angle,
                 std::vector<ConnectorDef> connectors, const char* description) {
        PieceDef d;
        d.partNumber = part;
        d.description = description;
        d.system = system;
        d.kind = kind;
        d.length = length;
        d.radius = radius;
        d.angle = angle;
        for (std::size_t i = 0; i < connectors.size(); ++i)
            connectors[i].index = static_cast<uint32_t>(i);
        d.connectors = std::move(connectors);
        add(std::move(d));
    }
    // Another system's piece with the same geometry under its own part number.
    void copyOf(const PieceDef& source, const char* part, const char* description) {
        PieceDef d = source;
        d.partNumber = part;
        d.description = description;
        d.system = system;
        add(std::move(d));
    }

  private:
    void add(PieceDef d, unsigned flags = 0) {
        d.isBridge = (flags & Bridge) != 0;
        d.isPaired = (flags & Paired) != 0;
        d.isRamp = (flags & Ramp) != 0;
        defs.push_back(std::move(d));
    }
};

// Z-Track curved turnouts: the inner exit ends a 30° arc of radius 195, the outer exit lies
// 25 mm further along x with the same heading.
std::vector<ConnectorDef> zCurvedTurnoutConnectors(bool left) {
    const double radius = 195;
    const double a = toRadians(30);
    const double x = radius * std::sin(a);
    const double y = (left ? -1 : 1) * radius * (1 - std::cos(a));
    const double heading = left ? 330 : 30;
    return {{0, 0, 180}, {x, y, heading}, {x + 25, y, heading}};
}

// Z-Track crossing 8559: the 112.8 mm diagonal crosses the main route at its middle at 13°.
std::vector<ConnectorDef> zCrossingConnectors() {
    const double half = 56.4;
    const double a = toRadians(13);
    return {{0, 0, 180},
            {2 * half, 0, 0},
            {half - half * std::cos(a), -half * std::sin(a), 193},
            {half + half * std::cos(a), half * std::sin(a), 13}};
}

std::vector<PieceDef> cTrackRows() {
    RowList r{CTrack, {}};
    r.straight("24188", 188.3, "24188 - 188.3mm");
    r.straight("24172", 171.7, "24172 - 171.7mm");
    r.straight("24360", 360, "24360 - 360mm");
    r.straight("74636", 360, "74636 Arch Bridge 360mm", Bridge);
    r.straight("74620", 188.3, "74620 Truss Bridge 180mm", Bridge);
    r.curve("74623", 437.5, 30, "74623 Curved Ramp R2 30deg", Bridge | Ramp);
    r.curve("74613", 360, 30, "74613 Curved Ramp R1 30deg", Bridge | Ramp);
    r.straight("74618", 180, "74618 Straight Ramp 180mm (pair)", Bridge | Paired | Ramp);
    r.straight("24229", 229, "24229 - 229mm");
    r.straight("24236", 236, "24236 - 236mm");
    r.straight("24094", 94.2, "24094 - 94.2mm");
    r.straight("24077", 77.5, "24077 - 77.5mm");
    r.straight("24071", 71, "24071 - 71mm");
    r.straight("24064", 64, "24064 - 64mm");
    r.curve("24130", 360, 30, "24130 (30°) R1 - 360mm (14-3/16)");
    r.curve("24230", 437.5, 30, "24230 (30°) R2 - 437.5mm (17-1/4)");
    r.curve("24330", 515, 30, "24330 (30°) R3 - 515mm (20-1/4)");
    r.curve("24315", 515, 15, "24315 (15°) R3 - 515mm (20-1/4)");
    r.curve("24430", 579.3, 30, "24430 (30°) R4 - 579.3mm (22-13/16)");
    r.curve("24530", 643.6, 30, "24530 (30°) R5 - 643.6mm (25-11/32)");
    r.curve("24115", 360, 15, "24115 (15°) R1 - 360mm (14-3/16)");
    r.curve("24107", 360, 7.5, "24107 (7.5°) R1 - 360mm (14-3/16)");
    r.curve("24224", 437.5, 24.3, "24224 (24.3°) R2 - 437.5mm (17-1/4)");
    r.curve("24206", 437.5, 5.7, "24206 (5.7°) R2 - 437.5mm (17-1/4)");
    r.curve("24207", 437.5, 7.5, "24207 (7.5°) R2 - 437.5mm (17-1/4)");
    r.curve("24294", 437.5, 15, "24294 (15°) R2 - 437.5mm (17-1/4) Circuit");
    r.straight("24994", 94.2, "24994 - 94.2mm Circuit");
    r.curve("24215", 437.5, 15, "24215 (15°) R2 - 437.5mm (17-1/4)");
    r.curve("24912", 1114.6, 12.1, "24912 (12.1°) R9 - 1114.6mm (43-7/8)");
    r.literal("24611", K::TurnoutLeft, 188.3, 437.5, -24.3,
              {{0, 0, 180}, {188.3, 0, 0}, {180.04, -38.76, 335.7}},
              "24611 Left Turnout R2=437.5mm 24.3°");
    r.literal("24612", K::TurnoutRight, 188.3, 437.5, 24.3,
              {{0, 0, 180}, {188.3, 0, 0}, {180.04, 38.76, 24.3}},
              "24612 Right Turnout R2=437.5mm 24.3°");
    r.literal("24630", K::TurnoutLeft, 188.3, 437.5, 24.3,
              {{0, 0, 180}, {188.3, 0, 0}, {180.04, 38.76, 24.3}, {180.04, -38.76, 335.7}},
              "24630 Three-Way Turnout 2x24.3°");
    r.literal("24671", K::CurvedTurnout, 257.5, 360, -30,
              {{0, 0, 180}, {180, -48.2, 330}, {257.5, -48.2, 330}},
              "24671 Left Curved Turnout (R360)");
    r.literal("24672", K::CurvedTurnout, 257.5, 360, 30,
              {{0, 0, 180}, {180, 48.2, 30}, {257.5, 48.2, 30}},
              "24672 Right Curved Turnout (R360)");
    r.literal("24740", K::Crossing, 236.1, 0, 12.1,
              {{0, 0, 180}, {236.1, 0, 0}, {2.62, -24.75, 192.1}, {233.48, 24.75, 12.1}},
              "24740 Wide-Angle Crossing 12.1° 236.1mm");
    r.literal("24649", K::Crossing, 103.3, 0, 48.6,
              {{0, 0, 180}, {103.3, 0, 0}, {17.49, -38.74, 228.6}, {85.81, 38.74, 48.6}},
              "24649 Crossing 48.6° 103.3mm");
    r.literal("24640", K::Crossing, 188.3, 0, 24.3,
              {{0, 0, 180}, {188.3, 0, 0}, {8.34, -38.74, 204.3}, {179.96, 38.74, 24.3}},
              "24640 Crossing 24.3° 188.3mm");
    r.literal("24624", K::DoubleSlip, 188.3, 437.4, 24.3,
              {{0, 0, 180}, {188.3, 0, 0}, {8.34, -38.74, 204.3}, {179.96, 38.74, 24.3}},
              "24624 Double Slip Switch 24.3°");
    r.literal("24720", K::DoubleSlip, 236.1, 1114.6, 12.1,
              {{0, 0, 180}, {236.1, 0, 0}, {2.62, -24.75, 192.1}, {233.48, 24.75, 12.1}},
              "24720 Double Slip Switch slim 12.1°");
    r.literal("24711", K::TurnoutLeft, 231.74, 1114.6, -12,
              {{0, 0, 180}, {231.74, 0, 0}, {231.74, -24.36, 348}},
              "24711 Slim Left Turnout (R1114.6)");
    r.literal("24712", K::TurnoutRight, 231.74, 1114.6, 12,
              {{0, 0, 180}, {231.74, 0, 0}, {231.74, 24.36, 12}},
              "24712 Slim Right Turnout (R1114.6)");
    r.literal("24771", K::CurvedTurnout, 321.5, 515, -30,
              {{0, 0, 180}, {257.5, -69, 330}, {321.5, -69, 330}},
              "24771 Slim Left Curved Turnout (R515)");
    r.literal("24772", K::CurvedTurnout, 321.5, 515, 30,
              {{0, 0, 180}, {257.5, 69, 30}, {321.5, 69, 30}},
              "24772 Slim Right Curved Turnout (R515)");
    r.literal("24977", K::Bumper, 48.3, 0, 0, {{0, 0, 180}}, "24977 Bumper Stop");
    r.literal("24978", K::Bumper, 48.3, 0, 0, {{0, 0, 180}}, "24978 Bumper Stop with Light");
    r.straight("24997", 94.2, "24997 Uncoupler 94.2mm");
    r.straight("24922", 180, "24922 Adapter C-Track to K-Track 180mm");
    r.defs.back().connectorSystems = {CTrack, KTrack}; // connector 0 C-Track, 1 K-Track
    r.turntable("74862", "74862 Turntable (pit 278mm)");
    return r.defs;
}

std::vector<PieceDef> trixCTrackRows(const PieceDef& doubleSlip24624) {
    RowList r{TrixCTrack, {}};
    r.straight("62064", 64.3, "62064 Straight 64.3mm / 2-9/16\"");
    r.straight("62071", 70.8, "62071 Straight 70.8mm / 2-13/16\"");
    r.straight("62077", 77.5, "62077 Straight 77.5mm / 3-1/16\"");
    r.straight("62094", 94.2, "62094 Straight 94.2mm / 3-3/4\"");
    r.straight("62172", 171.7, "62172 Straight 171.7mm / 6-3/4\"");
    r.straight("62188", 188.3, "62188 Straight 188.3mm / 7-3/8\"");
    r.straight("62229", 229.3, "62229 Straight 229.3mm / 9\"");
    r.straight("62236", 236.1, "62236 Straight 236.1mm / 9-5/16\"");
    r.straight("62360", 360, "62360 Straight 360mm / 14-3/16\"");
    r.curve("62107", 360, 7.5, "62107 (7.5deg) R1 - 360mm");
    r.curve("62115", 360, 15, "62115 (15deg) R1 - 360mm");
    r.curve("62130", 360, 30, "62130 (30deg) R1 - 360mm");
    r.curve("62206", 437.5, 5.7, "62206 (5.7deg) R2 - 437.5mm");
    r.curve("62207", 437.5, 7.5, "62207 (7.5deg) R2 - 437.5mm");
    r.curve("62215", 437.5, 15, "62215 (15deg) R2 - 437.5mm");
    r.curve("62224", 437.5, 24.3, "62224 (24.3deg) R2 - 437.5mm");
    r.curve("62230", 437.5, 30, "62230 (30deg) R2 - 437.5mm");
    r.curve("62315", 515, 15, "62315 (15deg) R3 - 515mm");
    r.curve("62330", 515, 30, "62330 (30deg) R3 - 515mm");
    r.curve("62912", 1114.6, 12.1, "62912 (12.1deg) R9 - 1114.6mm");
    r.literal("62611", K::TurnoutLeft, 188.3, 437.5, -24.3,
              {{0, 0, 180}, {188.3, 0, 0}, {180.04, -38.76, 335.7}},
              "62611 Left Turnout R2=437.5mm 24.3deg");
    r.literal("62612", K::TurnoutRight, 188.3, 437.5, 24.3,
              {{0, 0, 180}, {188.3, 0, 0}, {180.04, 38.76, 24.3}},
              "62612 Right Turnout R2=437.5mm 24.3deg");
    r.literal("62671", K::CurvedTurnout, 257.5, 437.5, -24.3,
              {{0, 0, 180}, {180, -38.76, 335.7}, {257.5, -38.76, 335.7}},
              "62671 Left Curved Turnout");
    r.literal("62672", K::CurvedTurnout, 257.5, 437.5, 24.3,
              {{0, 0, 180}, {180, 38.76, 24.3}, {257.5, 38.76, 24.3}},
              "62672 Right Curved Turnout");
    r.literal("62630", K::TurnoutLeft, 188.3, 437.5, 24.3,
              {{0, 0, 180}, {188.3, 0, 0}, {180.04, 38.76, 24.3}, {180.04, -38.76, 335.7}},
              "62630 Three-Way Turnout 2x24.3deg");
    r.copyOf(doubleSlip24624, "62624", "62624 Double Slip Switch 24.3deg");
    r.literal("62977", K::Bumper, 80.5, 0, 0, {{0, 0, 180}}, "62977 Track End with Bumper 80.5mm");
    r.straight("62997", 94.2, "62997 Uncoupler Track 94.2mm");
    r.straight("62636", 360, "62636 Arch Bridge 360mm", Bridge);
    r.straight("62620", 188.3, "62620 Truss Bridge 188mm", Bridge);
    r.curve("62623", 437.5, 30, "62623 Curved Ramp R2 30deg", Bridge | Ramp);
    r.curve("62613", 360, 30, "62613 Curved Ramp R1 30deg", Bridge | Ramp);
    return r.defs;
}

std::vector<PieceDef> zTrackRows() {
    RowList r{ZTrack, {}};
    r.straight("8500", 110, "8500 Straight 110mm / 4-3/8\"");
    r.straight("8501", 55, "8501 Straight 55mm / 2-3/16\" (half)");
    r.straight("8502", 27.5, "8502 Straight 27.5mm / 1-1/8\" (qtr)");
    r.straight("8503", 55, "8503 Straight 55mm / 2-3/16\"");
    r.straight("8504", 25, "8504 Straight 25mm / 1\"");
    r.straight("8505", 220, "8505 Straight 220mm / 8-13/16\"");
    r.straight("8506", 112.8, "8506 Straight 112.8mm / 4-7/16\"");
    r.straight("8507", 112.8, "8507 Straight 112.8mm / 4-7/16\"");
    r.straight("8587", 55, "8587 Uncoupler 55mm / 2-3/16\"");
    r.straight("8588", 55, "8588 Isolating Track 55mm / 2-3/16\"");
    r.straight("8590", 110, "8590 Feeder Track 110mm / 4-3/8\"");
    r.straight("8598", 55, "8598 Isolating Track 55mm / 2-3/16\"");
    r.curve("8510", 145, 45, "8510 Curve R1=145mm 45deg");
    r.curve("8511", 145, 30, "8511 Curve R1=145mm 30deg");
    r.curve("8520", 195, 45, "8520 Curve R2=195mm 45deg");
    r.curve("8521", 195, 30, "8521 Curve R2=195mm 30deg");
    r.curve("8529", 195, 45, "8529 Circuit Curve R2=195mm 45deg");
    r.curve("8530", 220, 45, "8530 Curve R3=220mm 45deg");
    r.curve("8531", 220, 30, "8531 Curve R3=220mm 30deg");
    r.curve("8539", 220, 45, "8539 Circuit Curve R3=220mm 45deg");
    r.curve("8591", 490, 13, "8591 Turnout Branch Curve R4=490mm 13deg");
    r.turnout("8562", K::TurnoutLeft, 110, 490, -13, "8562 Electric Left Turnout 110mm 13deg");
    r.turnout("8563", K::TurnoutRight, 110, 490, 13, "8563 Electric Right Turnout 110mm 13deg");
    r.turnout("8565", K::TurnoutLeft, 110, 490, -13, "8565 Manual Left Turnout 110mm 13deg");
    r.turnout("8566", K::TurnoutRight, 110, 490, 13, "8566 Manual Right Turnout 110mm 13deg");
    r.literal("8568", K::OffsetCurvedTurnout, 25, 195, -30, zCurvedTurnoutConnectors(true),
              "8568 Electric Left Curved Turnout R=195mm 30deg");
    r.literal("8569", K::OffsetCurvedTurnout, 25, 195, 30, zCurvedTurnoutConnectors(false),
              "8569 Electric Right Curved Turnout R=195mm 30deg");
    r.literal("8559", K::Crossing, 112.8, 0, 13, zCrossingConnectors(),
              "8559 Crossing 112.8mm 13deg");
    r.literal("8560", K::DoubleSlip, 112.8, 501.4424, 13,
              {{0, 0, 180}, {112.8, 0, 0}, {0, -12.8519, 193}, {112.8, 12.8519, 13}},
              "8560 Double Slip Switch 13°");
    r.literal("8991", K::Bumper, 15, 0, 0, {{0, 0, 180}}, "8991 Track Bumper 15mm");
    r.straight("8975", 220, "8975 Arch Bridge 220mm", Bridge);
    r.straight("89759", 110, "89759 Girder Bridge 110mm", Bridge);
    r.straight("8976", 110, "8976 Straight Ramp 110mm", Bridge | Ramp);
    r.curve("8977", 145, 45, "8977 Curved Ramp R1=145mm 45deg", Bridge | Ramp);
    return r.defs;
}

std::vector<PieceDef> kTrackRows() {
    RowList r{KTrack, {}};
    r.straight("2200", 180, "2200 Straight Track Length 180 mm / 7-3/32\"");
    r.straight("2201", 90, "2201 Straight Track Length 90 mm / 3-9/16\"");
    r.straight("2202", 45, "2202 Straight Track Length 45 mm / 1-3/4\"");
    r.straight("2203", 30, "2203 Straight Track Length 30 mm / 1-3/16\"");
    r.straight("2204", 22.5, "2204 Straight Track Length 22.5 mm / 7/8\"");
    r.straight("2205", 900, "2205 Flex Track Length 900 mm / 35-7/16\"");
    r.straight("2206", 168.9, "2206 Straight Track Length 168.9 mm / 6-5/8\"");
    r.straight("2207", 156, "2207 Straight Track Length 156 mm / 6-1/8\"");
    r.straight("2208", 35.1, "2208 Straight Track Length 35.1 mm / 1-3/8\"");
    r.straight("2209", 217.9, "2209 Straight Track Length 217.9 mm / 8-9/16\"");
    r.straight("2293", 41.3, "2293 Straight Track Length 41.3 mm / 1-5/8\"");
    r.straight("2290", 180, "2290 Straight Feeder Track Length 180 mm / 7-3/32\"");
    r.straight("2291", 180, "2291 Adapter Track for M Track Length 180 mm / 7-3/32\"");
    r.straight("2292", 180, "2292 Straight Feeder Track Length 180 mm / 7-3/32\"");
    r.straight("2295", 90, "2295 Contact Track Set Length 2 x 90 mm / 3-9/16\"");
    r.straight("2297", 90, "2297 Straight Uncoupler Track Length 90 mm / 3-9/16\"");
    r.straight("2299", 90, "2299 Straight Circuit Track Length 90 mm / 3-9/16\"");
    r.curve("2210", 295.4, 45, "2210 Curved Track R0=295.4mm 45deg");
    r.curve("2229", 360, 15, "2229 Curved Circuit Track Radius 360 mm");
    r.curve("2221", 360, 30, "2221 Curved Track R1=360mm 30deg");
    r.curve("2223", 360, 15, "2223 Curved Track Radius 15° (R1=360 mm / 14-3/16\")");
    r.curve("2224", 360, 7.5, "2224 Curved Track Radius 7.5° (R1=360 mm / 14-3/16\")");
    r.curve("2239", 424.6, 15, "2239 Curved Circuit Track Radius 424.6 mm / 16-3/4\"");
    r.curve("2231", 424.6, 30, "2231 Curved Track R2=424.6mm 30deg");
    r.curve("2232", 424.6, 22.5, "2232 Curved Track R2=424.6mm 22.5deg");
    r.curve("2233", 424.6, 15, "2233 Curved Track Radius 15° (R2=424.6 mm / 16-3/4\")");
    r.curve("2234", 424.6, 7.5, "2234 Curved Track Radius 7.5° (R2=424.6 mm / 16-3/4\")");
    r.curve("2235", 424.6, 3.75, "2235 Curved Track Radius 3.75° (R2=424.6 mm / 16-3/4\")");
    r.curve("2241", 553.9, 30, "2241 Curved Track Radius 30° (Großkreis I 553.9 mm / 21-13/16\")");
    r.curve("2251", 618.5, 30, "2251 Curved Track Radius 30° (Großkreis II 618.5 mm / 24-11/32\")");
    // The counter-curve behind the slim turnouts' branch.
    r.curve("2274", 902.4, 14.433, "2274 Curved Track Radius 14.433° (R=902.4 mm / 35-1/2\")");
    r.literal("2257", K::Crossing, 225, 0, 14.433,
              {{0, 0, 180}, {225, 0, 0}, {3.551, -28.041, 194.433}, {221.449, 28.041, 14.433}},
              "2257 Crossing Length 225 mm / 8-7/8\"");
    r.literal("2258", K::Crossing, 90, 0, 45,
              {{0, 0, 180}, {90, 0, 0}, {13.18, -31.82, 225}, {76.82, 31.82, 45}},
              "2258 Crossing Length 90 mm / 3-9/16\"");
    r.literal("2259", K::Crossing, 168.9, 0, 22.5,
              {{0, 0, 180}, {168.9, 0, 0}, {6.43, -32.32, 202.5}, {162.47, 32.32, 22.5}},
              "2259 Crossing Length 168.9 mm / 6-5/8\"");
    r.turnout("2262", K::TurnoutLeft, 168.9, 424.6, -22.5,
              "2262 Left Turnout Length 168.9 mm / 6-5/8\"");
    r.turnout("2263", K::TurnoutRight, 168.9, 424.6, 22.5,
              "2263 Right Turnout Length 168.9 mm / 6-5/8\"");
    r.turnout("2265", K::TurnoutLeft, 168.9, 424.6, -22.5,
              "2265 Left Turnout Length 168.9 mm / 6-5/8\" (manual)");
    r.turnout("2266", K::TurnoutRight, 168.9, 424.6, 22.5,
              "2266 Right Turnout Length 168.9 mm / 6-5/8\" (manual)");
    r.literal("2268", K::OffsetCurvedTurnout, 64.6, 360, 30,
              {{0, 0, 180}, {180, 48.23, 30}, {244.6, 48.23, 30}},
              "2268 Left Curved Turnout Outer Curve 30° Spacing 64.6 mm / 2-1/2\"");
    r.literal("2269", K::OffsetCurvedTurnout, 64.6, 360, -30,
              {{0, 0, 180}, {180, -48.23, 330}, {244.6, -48.23, 330}},
              "2269 Right Curved Turnout Outer Curve 30° Spacing 64.6 mm / 2-1/2\"");
    r.literal("2270", K::TurnoutLeft, 168.9, 424.6, 22.5,
              {{0, 0, 180}, {168.9, 0, 0}, {162.49, 32.32, 22.5}, {162.49, -32.32, 337.5}},
              "2270 Symmetrical Three-Way Turnout Length 168.9 mm / Radius 424.6 mm / 16-3/4\"");
    r.turnout("22715", K::TurnoutLeft, 225, 902.4, -14.3,
              "22715 Left Turnout Length 225 mm / 8-7/8\" / Radius 902.4 mm / 35-1/2\"");
    r.turnout("22716", K::TurnoutRight, 225, 902.4, 14.3,
              "22716 Right Turnout Length 225 mm / 8-7/8\" / Radius 902.4 mm / 35-1/2\"");
    r.literal("2260", K::DoubleSlip, 168.9, 424.6, 22.5,
              {{0, 0, 180}, {168.9, 0, 0}, {6.41, -32.32, 202.5}, {162.49, 32.32, 22.5}},
              "2260 Double Slip Switch Length 168.9 mm / 6-5/8\"");
    r.literal("2275", K::DoubleSlip, 225, 902.4, 14.3,
              {{0, 0, 180}, {225, 0, 0}, {3.49, -27.79, 194.3}, {221.51, 27.79, 14.3}},
              "2275 Double Slip Switch Length 225 mm / 8-7/8\" / Radius 902.4 mm / 35-1/2\"");
    r.bumper("7389", 60, "7389 Track Bumper");
    r.bumper("7391", 40, "7391 Track Bumper");
    r.straight("7263", 360, "7263 Arch Bridge 360mm", Bridge);
    r.straight("7262", 180, "7262 Truss Bridge 180mm", Bridge);
    r.curve("7569", 424.6, 30, "7569 Curved Ramp R2 30deg", Bridge | Ramp);
    r.curve("7267", 360, 45, "7267 Curved Ramp R1 45deg", Bridge | Ramp);
    return r.defs;
}

} // namespace

// The built-in rows, in catalogue order: C-Track, TRIX C-Track, Z-Track, K-Track.
void TrackCatalog::registerBuiltInRows() {
    pieces_.clear();
    indexByPart_.clear();
    for (const PieceDef& d : cTrackRows())
        registerPiece(d);
    const PieceDef doubleSlip24624 = *find("24624");
    for (const PieceDef& d : trixCTrackRows(doubleSlip24624))
        registerPiece(d);
    for (const PieceDef& d : zTrackRows())
        registerPiece(d);
    for (const PieceDef& d : kTrackRows())
        registerPiece(d);
    built_ = true;
}

} // namespace plandor
