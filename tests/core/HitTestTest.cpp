#include "editing/HitTest.h"
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

struct FootprintCase {
    const char* name;
    const char* part;
    Point local;
    bool hit;
};

std::ostream& operator<<(std::ostream& os, const FootprintCase& c) {
    return os << c.name;
}

class PieceFootprint : public ::testing::TestWithParam<FootprintCase> {};

TEST_P(PieceFootprint, ContainsExactlyTheToleranceBand) {
    const FootprintCase& c = GetParam();
    const PieceDef* def = catalog().find(c.part);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(pieceFootprintContains(*def, c.local.x, c.local.y), c.hit);
    if (c.hit) { // the cheap reject must never drop a real hit
        EXPECT_LE(std::hypot(c.local.x, c.local.y), pieceFootprintReach(*def));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PieceFootprint,
    ::testing::Values(
        FootprintCase{"straight_start_slack", "S", {-5, 0}, true},
        FootprintCase{"straight_before_start_slack", "S", {-5.01, 0}, false},
        FootprintCase{"straight_end_slack", "S", {105, 0}, true},
        FootprintCase{"straight_past_end_slack", "S", {105.01, 0}, false},
        FootprintCase{"straight_half_width", "S", {50, 20}, true},
        FootprintCase{"straight_past_half_width", "S", {50, 20.01}, false},
        FootprintCase{"straight_half_width_left", "S", {50, -20}, true},
        FootprintCase{"z_half_width", "Z", {50, 7}, true},
        FootprintCase{"z_past_half_width", "Z", {50, 7.01}, false},
        FootprintCase{"curve_without_radius_is_a_box", "C0", {50, 20}, true},
        FootprintCase{"curve_without_radius_past_box", "C0", {50, 20.01}, false},
        FootprintCase{"curve_mid_arc", "C", onCurveCircle(360, -75), true},
        FootprintCase{"curve_inner_edge", "C", onCurveCircle(335.001, -75), true},
        FootprintCase{"curve_inside_inner_edge", "C", onCurveCircle(334.999, -75), false},
        FootprintCase{"curve_outer_edge", "C", onCurveCircle(384.999, -75), true},
        FootprintCase{"curve_outside_outer_edge", "C", onCurveCircle(385.001, -75), false},
        FootprintCase{"curve_start_widened_3deg", "C", onCurveCircle(360, -92.999), true},
        FootprintCase{"curve_before_widened_start", "C", onCurveCircle(360, -93.001), false},
        FootprintCase{"curve_end_widened_3deg", "C", onCurveCircle(360, -57.001), true},
        FootprintCase{"curve_past_widened_end", "C", onCurveCircle(360, -56.999), false},
        FootprintCase{"curve_far_side_of_circle", "C", onCurveCircle(360, 90), false},
        FootprintCase{"offset_box_corner", "O", {-5, -25}, true},
        FootprintCase{"offset_past_box_corner", "O", {-5, -25.01}, false},
        FootprintCase{"offset_box_far_corner", "O", {69.6, -25}, true},
        FootprintCase{"offset_past_box_far_end", "O", {69.61, -25}, false},
        FootprintCase{"offset_inner_curve_exit", "O", {180, 48.23}, true},
        FootprintCase{"offset_outer_curve_exit", "O", {244.6, 48.23}, true},
        FootprintCase{"offset_outer_curve_outer_edge", "O", onCurveCircle(384.999, -60, 64.6),
                      true},
        FootprintCase{"offset_outer_curve_past_edge", "O", onCurveCircle(385.001, -60, 64.6),
                      false},
        FootprintCase{"offset_far_side_of_inner_circle", "O", onCurveCircle(360, 90), false},
        FootprintCase{"offset_far_side_of_outer_circle", "O", onCurveCircle(360, 90, 64.6), false},
        FootprintCase{"turntable_rim_plus_10", "T", {199, 0}, true},
        FootprintCase{"turntable_past_rim", "T", {199.01, 0}, false},
        FootprintCase{"turntable_rim_any_direction", "T", {0, -199}, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Screen = world at scale 1 with no pan, so a click names a world point directly.
const ViewTransform kIdentity{1.0, 0, 0};

TEST(HitPiece, ClickIsTakenIntoThePiecesFrame) {
    Layout layout;
    const int32_t id = piece(layout, "S", 100, 50, 90).id; // runs down the screen
    // A quarter-millimetre grid of clicks keeps the probes off the exact edges, where the
    // rounding of a turned frame decides.
    const ViewTransform view{4.0, 10, 10};
    auto at = [&](double wx, double wy) {
        return hitPiece(layout, view,
                        ScreenPoint{static_cast<int>(wx * 4 + 10), static_cast<int>(wy * 4 + 10)},
                        catalog());
    };
    EXPECT_EQ(at(100, 150), id);
    EXPECT_EQ(at(80.25, 150), id); // just inside the 20 mm half-width
    EXPECT_EQ(at(79.75, 150), -1);
    EXPECT_EQ(at(119.75, 150), id);
    EXPECT_EQ(at(120.25, 150), -1);
    EXPECT_EQ(at(100, 154.75), id); // the 5 mm past the far end
    EXPECT_EQ(at(100, 155.25), -1);
    EXPECT_EQ(at(100, 45.25), id);
    EXPECT_EQ(at(100, 44.75), -1);
}

TEST(HitPiece, TheHigherLevelWinsWhereverThePiecesLie) {
    for (bool upperFirst : {true, false}) {
        Layout layout;
        layout.levels = {level(1, 0), level(2, 50)};
        int32_t upper = -1;
        if (upperFirst)
            upper = piece(layout, "S", 0, 0, 0, 2).id;
        piece(layout, "S", 40, 0, 0, 1);
        if (!upperFirst)
            upper = piece(layout, "S", 0, 0, 0, 2).id;
        // The click lies near the lower piece's origin, far from the upper piece's origin.
        EXPECT_EQ(hitPiece(layout, kIdentity, {45, 0}, catalog()), upper) << upperFirst;
    }
}

TEST(HitPiece, OnLevelsLevelWithinATieTheNearerOriginWins) {
    Layout layout;
    layout.levels = {level(1, 0), level(2, 0.0009), level(3, 0.002)};
    const int32_t nearLevel1 = piece(layout, "S", 40, 0, 0, 1).id;
    piece(layout, "S", 0, 0, 0, 2); // 0.0009 higher: a tie, but farther from the click
    EXPECT_EQ(hitPiece(layout, kIdentity, {45, 0}, catalog()), nearLevel1);

    const int32_t higher = piece(layout, "S", 0, 0, 0, 3).id; // 0.002 higher wins though farther
    EXPECT_EQ(hitPiece(layout, kIdentity, {45, 0}, catalog()), higher);
}

TEST(HitPiece, AnExactTieGoesToTheLaterPiece) {
    Layout layout;
    piece(layout, "S", 0, 0);
    const int32_t later = piece(layout, "S", 0, 0).id;
    EXPECT_EQ(hitPiece(layout, kIdentity, {50, 0}, catalog()), later);
}

TEST(HitPiece, HiddenLevelsAndUnknownPartsAreNeverHit) {
    Layout layout;
    layout.levels = {level(1, 0), level(2, 100, false)};
    piece(layout, "S", 0, 0, 0, 2);
    EXPECT_EQ(hitPiece(layout, kIdentity, {50, 0}, catalog()), -1);
    piece(layout, "no-such-part", 0, 0, 0, 1);
    EXPECT_EQ(hitPiece(layout, kIdentity, {50, 0}, catalog()), -1);
    const int32_t underneath = piece(layout, "S", 0, 0, 0, 1).id;
    EXPECT_EQ(hitPiece(layout, kIdentity, {50, 0}, catalog()), underneath);
    // A level id that does not exist counts as visible.
    Layout other;
    const int32_t orphan = piece(other, "S", 0, 0, 0, 42).id;
    EXPECT_EQ(hitPiece(other, kIdentity, {50, 0}, catalog()), orphan);
}

TEST(HitPiece, FarPiecesOfTheLargestKindsStillHit) {
    // The turntable and the offset turnout reach farthest from their origins.
    Layout layout;
    const int32_t table = piece(layout, "T", 5000, 5000).id;
    const int32_t offset = piece(layout, "O", -3000, 0).id;
    EXPECT_EQ(hitPiece(layout, kIdentity, {5199, 5000}, catalog()), table);
    EXPECT_EQ(hitPiece(layout, kIdentity, {-3000 + 244, 48}, catalog()), offset);
}

struct BoxCase {
    const char* name;
    ScreenPoint click;
    bool hit;
};

TEST(HitLabel, FixedBoxBeyondShortText) {
    Layout layout;
    LayoutLabel label;
    label.id = 7;
    label.text = "A";
    label.x = 100;
    label.y = 100;
    layout.labels.push_back(label);
    const BoxCase cases[] = {
        {"top_left_corner", {96, 96}, true},
        {"left_of_box", {95, 96}, false},
        {"above_box", {96, 95}, false},
        {"bottom_right_corner", {220, 124}, true},
        {"right_of_box", {221, 124}, false},
        {"below_box", {220, 125}, false},
        {"far_past_short_text", {210, 110}, true},
    };
    for (const BoxCase& c : cases)
        EXPECT_EQ(hitLabel(layout, kIdentity, c.click) == 7, c.hit) << c.name;
}

TEST(HitLabel, TheBoxStaysInPixelsAtAnyZoomAndTheFirstLabelWins) {
    Layout layout;
    LayoutLabel a;
    a.id = 1;
    a.x = 100;
    a.y = 100;
    LayoutLabel b = a;
    b.id = 2;
    layout.labels = {a, b};
    const ViewTransform zoomed{5.0, 0, 0}; // anchor at (500, 500)
    EXPECT_EQ(hitLabel(layout, zoomed, {620, 524}), 1);
    EXPECT_EQ(hitLabel(layout, zoomed, {621, 524}), -1);
}

TEST(HitMeasurement, LabelBoxAndSegmentDistance) {
    Layout layout;
    Measurement m;
    m.id = 3;
    m.x1 = 0;
    m.y1 = 0;
    m.x2 = 200;
    m.y2 = 0;
    m.dx = 0;
    m.dy = -30; // label centre at (100, -30)
    layout.measurements.push_back(m);
    const BoxCase cases[] = {
        {"label_right_edge", {132, -30}, true}, {"past_label_right_edge", {133, -30}, false},
        {"label_top_edge", {100, -39}, true},   {"above_label", {100, -40}, false},
        {"segment_8px", {50, 8}, true},         {"segment_9px", {50, 9}, false},
        {"beyond_end_8px", {208, 0}, true},     {"beyond_end_9px", {209, 0}, false},
    };
    for (const BoxCase& c : cases)
        EXPECT_EQ(hitMeasurement(layout, kIdentity, c.click) == 3, c.hit) << c.name;

    // Tolerances are pixels: at scale 2 the 8 px band is 4 mm.
    const ViewTransform zoomed{2.0, 0, 0};
    EXPECT_EQ(hitMeasurement(layout, zoomed, {100, 8}), 3);
    EXPECT_EQ(hitMeasurement(layout, zoomed, {100, 9}), -1);
}

TEST(HitHelix, RingBandsOfItsVariant) {
    const HelixVariant* v = findHelixVariant(defaultHelixVariantId());
    ASSERT_NE(v, nullptr);
    Layout layout;
    Helix h;
    h.id = 5;
    h.cx = 1000;
    h.cy = 1000;
    h.variant = v->id;
    layout.helices.push_back(h);
    auto hitAt = [&](double d) {
        return hitHelix(layout, kIdentity, {static_cast<int>(1000 + d), 1000}) == 5;
    };
    EXPECT_TRUE(hitAt(v->r1 - 25));
    EXPECT_FALSE(hitAt(v->r1 - 26));
    EXPECT_TRUE(hitAt(v->r1 + 25));
    EXPECT_FALSE(hitAt(v->r1 + 26));
    EXPECT_TRUE(hitAt(std::floor(v->r2 + 25)));
    EXPECT_FALSE(hitAt(std::ceil(v->r2 + 25)));
    EXPECT_FALSE(hitAt(0)); // the middle of the helix is empty

    layout.helices[0].variant = "unknown-variant"; // drawn and hit as the default variant
    EXPECT_TRUE(hitAt(v->r1));
}

TEST(HitHelix, LevelOfItsFirstPieceDecidesVisibilityAndPrecedence) {
    Layout layout;
    layout.levels = {level(1, 0), level(2, 80), level(3, 200, false)};
    Helix low;
    low.id = 10;
    low.variant = defaultHelixVariantId();
    Helix high = low;
    high.id = 11;
    high.cx = 20; // overlapping rings, centre farther from the click
    layout.helices = {low, high};
    PlacedPiece stub = makePlacedPiece("24188");
    stub.id = 12;
    stub.helix = 11;
    stub.level = 2;
    layout.pieces.push_back(stub);
    const ScreenPoint onBoth{0, 360};
    EXPECT_EQ(hitHelix(layout, kIdentity, onBoth), 11);
    layout.pieces[0].level = 1; // now both on level 1: the nearer centre wins
    EXPECT_EQ(hitHelix(layout, kIdentity, onBoth), 10);
    layout.pieces[0].level = 3; // hidden
    EXPECT_EQ(hitHelix(layout, kIdentity, {20, 360}), 10);
    layout.helices.erase(layout.helices.begin());
    EXPECT_EQ(hitHelix(layout, kIdentity, {20, 360}), -1);
}

TEST(HitScenery, RotatedFootprintPlus3mm) {
    Layout layout;
    SceneryItem item;
    item.id = 20;
    item.item = "platform"; // 230 x 60
    item.x = 500;
    item.y = 500;
    item.heading = 90; // long side runs down the screen
    layout.scenery.push_back(item);
    const BoxCase cases[] = {
        {"along_length_edge", {500, 618}, true},
        {"past_length_edge", {500, 619}, false},
        {"across_edge", {533, 500}, true},
        {"past_across_edge", {534, 500}, false},
        {"unrotated_corner_misses", {610, 500}, false},
    };
    for (const BoxCase& c : cases)
        EXPECT_EQ(hitScenery(layout, kIdentity, c.click) == 20, c.hit) << c.name;

    layout.scenery[0].scaleX = 2; // 460 long
    EXPECT_EQ(hitScenery(layout, kIdentity, {500, 733}), 20);
    EXPECT_EQ(hitScenery(layout, kIdentity, {500, 734}), -1);
}

TEST(HitScenery, HighestLevelThenNearestHiddenAndUnknownNever) {
    Layout layout;
    layout.levels = {level(1, 0), level(2, 40), level(3, 90, false)};
    SceneryItem a;
    a.id = 1;
    a.item = "signal_box"; // 60 x 50
    a.level = 1;
    SceneryItem b = a;
    b.id = 2;
    b.x = 20;
    b.level = 2;
    layout.scenery = {a, b};
    EXPECT_EQ(hitScenery(layout, kIdentity, {0, 0}), 2);
    layout.scenery[1].level = 1;
    EXPECT_EQ(hitScenery(layout, kIdentity, {0, 0}), 1);
    EXPECT_EQ(hitScenery(layout, kIdentity, {19, 0}), 2);
    layout.scenery[1].level = 3;
    EXPECT_EQ(hitScenery(layout, kIdentity, {30, 0}), 1);
    layout.scenery[0].item = "no-such-item";
    EXPECT_EQ(hitScenery(layout, kIdentity, {0, 0}), -1);
}

TEST(HitShape, EdgeWithin8PixelsOrInside) {
    Layout layout;
    PolygonShape square;
    square.id = 30;
    square.vertices = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    layout.shapes.push_back(square);
    const BoxCase cases[] = {
        {"inside", {50, 50}, true},
        {"outside_edge_8px", {108, 50}, true},
        {"outside_edge_9px", {109, 50}, false},
        {"closing_edge_8px", {-8, 50}, true},
        {"near_corner_diagonal", {105, 105}, true},
        {"past_corner_diagonal", {106, 106}, false},
    };
    for (const BoxCase& c : cases)
        EXPECT_EQ(hitShape(layout, kIdentity, c.click) == 30, c.hit) << c.name;
    const ViewTransform half{0.5, 0, 0}; // 8 px = 16 mm
    EXPECT_EQ(hitShape(layout, half, {58, 25}), 30);
    EXPECT_EQ(hitShape(layout, half, {59, 25}), -1);
}

TEST(HitShape, TopmostVisibleShapeWinsAndUndrawableShapesAreSkipped) {
    Layout layout;
    layout.levels = {level(1, 0), level(2, 0, false)};
    PolygonShape big;
    big.id = 1;
    big.vertices = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}};
    PolygonShape small = big;
    small.id = 2;
    small.vertices = {{400, 400}, {600, 400}, {500, 600}};
    PolygonShape line = big;
    line.id = 3;
    line.vertices = {{0, 500}, {1000, 500}};
    layout.shapes = {big, small, line};
    EXPECT_EQ(hitShape(layout, kIdentity, {500, 500}), 2);
    layout.shapes[1].level = 2;
    EXPECT_EQ(hitShape(layout, kIdentity, {500, 500}), 1);
    layout.shapes[0].level = 2;
    EXPECT_EQ(hitShape(layout, kIdentity, {500, 500}), -1);
}

TEST(PlaneGeometry, SegmentDistanceClampsToTheEnds) {
    EXPECT_DOUBLE_EQ(distanceToSegment({5, 3}, {0, 0}, {10, 0}), 3);
    EXPECT_DOUBLE_EQ(distanceToSegment({13, 4}, {0, 0}, {10, 0}), 5);
    EXPECT_DOUBLE_EQ(distanceToSegment({3, 4}, {0, 0}, {0, 0}), 5);
}

TEST(PlaneGeometry, ConcavePolygonInterior) {
    const std::vector<Point> u{{0, 0},   {30, 0},  {30, 30}, {20, 30},
                               {20, 10}, {10, 10}, {10, 30}, {0, 30}};
    EXPECT_TRUE(polygonContains(u, {5, 20}));
    EXPECT_TRUE(polygonContains(u, {25, 20}));
    EXPECT_FALSE(polygonContains(u, {15, 20})); // in the notch
    EXPECT_FALSE(polygonContains(u, {40, 5}));
    EXPECT_FALSE(polygonContains({}, {0, 0}));
}

} // namespace
