#include "core/canvas/HitTest.h"
#include "CanvasTestCatalog.h"
#include "core/catalog/HelixVariants.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;
using namespace plandor::canvastest;

namespace {

constexpr double kDeg = 3.141592653589793 / 180.0;

// A point at distance d and polar angle `deg` from the centre (0, 360) of curve "C".
Point onCurveCircle(double d, double deg, double shiftX = 0) {
    return Point{shiftX + d * std::cos(deg * kDeg), 360 + d * std::sin(deg * kDeg)};
}

// Screen = world at scale 1 with no pan, so a click names a world point directly.
const ViewTransform kIdentity{1.0, 0, 0};

TEST(PieceFootprint, ContainsExactlyTheToleranceBand) {
    const struct {
        const char* name;
        const char* part;
        Point local;
        bool hit;
    } cases[] = {
        {"straight_end_slack", "S", {105, 0}, true},
        {"straight_past_end_slack", "S", {105.01, 0}, false},
        {"straight_half_width", "S", {50, 20}, true},
        {"straight_past_half_width", "S", {50, 20.01}, false},
        {"z_half_width", "Z", {50, 7}, true},
        {"z_past_half_width", "Z", {50, 7.01}, false},
        {"curve_outer_edge", "C", onCurveCircle(384.999, -75), true},
        {"curve_outside_outer_edge", "C", onCurveCircle(385.001, -75), false},
        {"curve_end_widened_3deg", "C", onCurveCircle(360, -57.001), true},
        {"curve_past_widened_end", "C", onCurveCircle(360, -56.999), false},
        {"offset_outer_curve_outer_edge", "O", onCurveCircle(384.999, -60, 64.6), true},
        {"offset_outer_curve_past_edge", "O", onCurveCircle(385.001, -60, 64.6), false},
        {"turntable_rim_plus_10", "T", {199, 0}, true},
        {"turntable_past_rim", "T", {199.01, 0}, false},
    };
    for (const auto& c : cases) {
        const PieceDef& def = *catalog().find(c.part);
        EXPECT_EQ(pieceFootprintContains(def, c.local.x, c.local.y), c.hit) << c.name;
        if (c.hit) { // the cheap reject must never drop a real hit
            EXPECT_LE(std::hypot(c.local.x, c.local.y), pieceFootprintReach(def)) << c.name;
        }
    }
}

TEST(HitPiece, HigherLevelWinsThenNearerOriginAndHiddenLevelsNever) {
    for (bool upperFirst : {true, false}) {
        Layout layout;
        layout.levels = {levelAt(1, 0), levelAt(2, 50)};
        int32_t upper = -1;
        if (upperFirst)
            upper = addPiece(layout, "S", 0, 0, 0, 2).id;
        addPiece(layout, "S", 40, 0, 0, 1);
        if (!upperFirst)
            upper = addPiece(layout, "S", 0, 0, 0, 2).id;
        // The click lies near the lower piece's origin, far from the upper piece's origin.
        EXPECT_EQ(hitPiece(layout, kIdentity, {45, 0}, catalog()), upper) << upperFirst;
    }

    Layout tie;
    tie.levels = {levelAt(1, 0), levelAt(2, 0.0009), levelAt(3, 100, false)};
    const int32_t nearer = addPiece(tie, "S", 40, 0, 0, 1).id;
    addPiece(tie, "S", 0, 0, 0, 2);  // 0.0009 higher counts as level, and is farther
    addPiece(tie, "S", 40, 0, 0, 3); // hidden
    EXPECT_EQ(hitPiece(tie, kIdentity, {45, 0}, catalog()), nearer);

    Layout hidden;
    hidden.levels = {levelAt(1, 0), levelAt(2, 100, false)};
    addPiece(hidden, "S", 0, 0, 0, 2);
    addPiece(hidden, "no-such-part", 0, 0, 0, 1);
    EXPECT_EQ(hitPiece(hidden, kIdentity, {50, 0}, catalog()), -1);
}

using HitFn = int32_t (*)(const Layout&, const ViewTransform&, ScreenPoint);

// Labels, measurements, helices, scenery and shapes, each found only by its own hit test, so
// they may overlap. Their slack is in pixels: zoomed cases move the object, not the slack.
TEST(HitObjects, EachKindWithinItsScreenTolerance) {
    const HelixVariant* v = findHelixVariant(defaultHelixVariantId());
    ASSERT_NE(v, nullptr);
    Layout layout;
    const int32_t label = addLabel(layout, "A", 100, 100).id; // a 124 x 28 px box
    Measurement m;
    m.id = layout.takeId();
    m.x2 = 200;
    m.dy = -30; // its label centred at (100, -30)
    layout.measurements.push_back(m);
    layout.helices.push_back(Helix{});
    Helix& h = layout.helices.back();
    h.id = layout.takeId();
    h.cx = h.cy = 1000;
    h.variant = v->id;
    // A 230 x 60 platform, its long side down the screen.
    const int32_t platform = addScenery(layout, "platform", 500, 500, 90).id;
    const int32_t square = addShape(layout, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}).id;
    const HitFn scenery = hitScenery;
    const auto ring = [&](double d) { return ScreenPoint{static_cast<int>(1000 + d), 1000}; };
    const struct {
        const char* name;
        HitFn hit;
        int32_t id;
        double scale;
        ScreenPoint click;
        bool hits;
    } cases[] = {
        {"label top left corner", hitLabel, label, 1, {96, 96}, true},
        {"left of the label box", hitLabel, label, 1, {95, 96}, false},
        {"label bottom right corner", hitLabel, label, 1, {220, 124}, true},
        {"below the label box", hitLabel, label, 1, {220, 125}, false},
        {"label box past a short text", hitLabel, label, 1, {210, 110}, true},
        {"label box zoomed", hitLabel, label, 5, {620, 524}, true},
        {"past the label box zoomed", hitLabel, label, 5, {621, 524}, false},
        {"measurement label edge", hitMeasurement, m.id, 1, {132, -30}, true},
        {"past the measurement label", hitMeasurement, m.id, 1, {133, -30}, false},
        {"8 px beyond the end", hitMeasurement, m.id, 1, {208, 0}, true},
        {"9 px beyond the end", hitMeasurement, m.id, 1, {209, 0}, false},
        {"8 px off the segment zoomed", hitMeasurement, m.id, 2, {100, 8}, true},
        {"9 px off the segment zoomed", hitMeasurement, m.id, 2, {100, 9}, false},
        {"helix inner ring band", hitHelix, h.id, 1, ring(v->r1 - 25), true},
        {"inside the inner band", hitHelix, h.id, 1, ring(v->r1 - 26), false},
        {"helix outer ring band", hitHelix, h.id, 1, ring(std::floor(v->r2 + 25)), true},
        {"outside the outer band", hitHelix, h.id, 1, ring(std::ceil(v->r2 + 25)), false},
        {"helix middle is empty", hitHelix, h.id, 1, ring(0), false},
        {"platform length edge", scenery, platform, 1, {500, 618}, true},
        {"past the platform length", scenery, platform, 1, {500, 619}, false},
        {"past the platform width", scenery, platform, 1, {534, 500}, false},
        {"unturned platform corner", scenery, platform, 1, {610, 500}, false},
        {"inside the shape", hitShape, square, 1, {50, 50}, true},
        {"8 px off the closing edge", hitShape, square, 1, {-8, 50}, true},
        {"near the corner diagonally", hitShape, square, 1, {105, 105}, true},
        {"past the corner diagonally", hitShape, square, 1, {106, 106}, false},
        {"8 px off an edge at half scale", hitShape, square, 0.5, {58, 25}, true},
        {"9 px off an edge at half scale", hitShape, square, 0.5, {59, 25}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hit(layout, ViewTransform{c.scale, 0, 0}, c.click) == c.id, c.hits) << c.name;
}

} // namespace
