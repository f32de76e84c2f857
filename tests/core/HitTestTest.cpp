#include "canvas/HitTest.h"
#include "CanvasTestCatalog.h"
#include "catalog/HelixVariants.h"

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

struct BoxCase {
    const char* name;
    ScreenPoint click;
    bool hit;
};

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

TEST(HitLabel, FixedBoxOf124By28PixelsAtAnyZoom) {
    Layout layout;
    const int32_t id = addLabel(layout, "A", 100, 100).id;
    const BoxCase cases[] = {
        {"top_left_corner", {96, 96}, true},       {"left_of_box", {95, 96}, false},
        {"bottom_right_corner", {220, 124}, true}, {"below_box", {220, 125}, false},
        {"far_past_short_text", {210, 110}, true},
    };
    for (const BoxCase& c : cases)
        EXPECT_EQ(hitLabel(layout, kIdentity, c.click) == id, c.hit) << c.name;
    const ViewTransform zoomed{5.0, 0, 0}; // anchor at (500, 500)
    EXPECT_EQ(hitLabel(layout, zoomed, {620, 524}), id);
    EXPECT_EQ(hitLabel(layout, zoomed, {621, 524}), -1);
}

TEST(HitMeasurement, LabelBoxAndSegmentDistance) {
    Layout layout;
    Measurement m;
    m.id = 3;
    m.x2 = 200;
    m.dy = -30; // label centre at (100, -30)
    layout.measurements.push_back(m);
    const BoxCase cases[] = {
        {"label_right_edge", {132, -30}, true},
        {"past_label_right_edge", {133, -30}, false},
        {"beyond_end_8px", {208, 0}, true},
        {"beyond_end_9px", {209, 0}, false},
    };
    for (const BoxCase& c : cases)
        EXPECT_EQ(hitMeasurement(layout, kIdentity, c.click) == 3, c.hit) << c.name;
    const ViewTransform zoomed{2.0, 0, 0}; // tolerances are pixels: 8 px is 4 mm here
    EXPECT_EQ(hitMeasurement(layout, zoomed, {100, 8}), 3);
    EXPECT_EQ(hitMeasurement(layout, zoomed, {100, 9}), -1);
}

TEST(HitHelix, RingBandsOfItsVariant) {
    const HelixVariant* v = findHelixVariant(defaultHelixVariantId());
    ASSERT_NE(v, nullptr);
    Layout layout;
    layout.helices.push_back(Helix{});
    layout.helices[0].id = 5;
    layout.helices[0].cx = layout.helices[0].cy = 1000;
    layout.helices[0].variant = v->id;
    auto hitAt = [&](double d) {
        return hitHelix(layout, kIdentity, {static_cast<int>(1000 + d), 1000}) == 5;
    };
    EXPECT_TRUE(hitAt(v->r1 - 25));
    EXPECT_FALSE(hitAt(v->r1 - 26));
    EXPECT_TRUE(hitAt(std::floor(v->r2 + 25)));
    EXPECT_FALSE(hitAt(std::ceil(v->r2 + 25)));
    EXPECT_FALSE(hitAt(0)); // the middle of the helix is empty
}

TEST(HitScenery, RotatedFootprintPlus3mm) {
    Layout layout; // a 230 x 60 platform, its long side down the screen
    const int32_t id = addScenery(layout, "platform", 500, 500, 90).id;
    const BoxCase cases[] = {
        {"along_length_edge", {500, 618}, true},
        {"past_length_edge", {500, 619}, false},
        {"past_across_edge", {534, 500}, false},
        {"unrotated_corner_misses", {610, 500}, false},
    };
    for (const BoxCase& c : cases)
        EXPECT_EQ(hitScenery(layout, kIdentity, c.click) == id, c.hit) << c.name;
}

TEST(HitShape, EdgeWithin8PixelsOrInside) {
    Layout layout;
    const int32_t id = addShape(layout, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}).id;
    const BoxCase cases[] = {
        {"inside", {50, 50}, true},
        {"closing_edge_8px", {-8, 50}, true},
        {"near_corner_diagonal", {105, 105}, true},
        {"past_corner_diagonal", {106, 106}, false},
    };
    for (const BoxCase& c : cases)
        EXPECT_EQ(hitShape(layout, kIdentity, c.click) == id, c.hit) << c.name;
    const ViewTransform half{0.5, 0, 0}; // 8 px = 16 mm
    EXPECT_EQ(hitShape(layout, half, {58, 25}), id);
    EXPECT_EQ(hitShape(layout, half, {59, 25}), -1);
}

} // namespace
