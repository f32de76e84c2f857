#include "core/canvas/Rulers.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

TEST(RulerSpacing, FirstTableEntryOfAtLeast60Pixels) {
    const double inchEdge = 60 / (0.25 * 25.4); // 0.25 in is exactly 60 px
    const struct {
        const char* name;
        Units units;
        double scale, spacing;
    } cases[] = {{"mm_20_at_60px", Units::Millimetres, 3.0, 20},
                 {"mm_just_short_of_60px", Units::Millimetres, 2.999, 50},
                 {"mm_smallest_entry", Units::Millimetres, 60, 1},
                 {"mm_none_reaches_60_last_entry", Units::Millimetres, 0.05, 500},
                 {"cm_half_at_60px", Units::Centimetres, 12.0, 0.5},
                 {"cm_last_entry", Units::Centimetres, 0.01, 200},
                 {"in_quarter_at_edge", Units::Inches, inchEdge * 1.000001, 0.25},
                 {"in_three_inches", Units::Inches, 60 / (3 * 25.4) * 1.000001, 3},
                 {"in_just_short_of_three", Units::Inches, 60 / (3 * 25.4) * 0.999999, 6},
                 {"in_last_entry", Units::Inches, 0.01, 192}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(rulerSpacing(c.units, c.scale), c.spacing) << c.name;
}

TEST(RulerTicks, MultiplesOfTheSpacingFrom20PixelsOn) {
    // Default view: 200 mm = 80 px, origin at 60.
    const Rulers r = computeRulers(ViewTransform{0.4, 60, 60}, Units::Millimetres, 800, 300);
    ASSERT_EQ(r.top.size(), 10u);
    EXPECT_EQ(r.top[1].position, 140);
    EXPECT_EQ(r.top[1].label, "200");
    EXPECT_EQ(r.top.back().position, 780);
    ASSERT_EQ(r.left.size(), 3u); // 60, 140, 220 below a height of 300
    EXPECT_TRUE(r.originOnTop);

    // A tick at 20 px is kept, one at 19 px (under the corner) dropped.
    const Rulers edge = computeRulers(ViewTransform{0.4, 100, 99}, Units::Millimetres, 400, 400);
    ASSERT_FALSE(edge.top.empty());
    EXPECT_EQ(edge.top.front().position, 20);
    EXPECT_EQ(edge.top.front().label, "-200");
    EXPECT_EQ(edge.left.front().position, 99);

    const Rulers far = computeRulers(ViewTransform{1e-6, 0, 0}, Units::Millimetres, 1920, 1080);
    EXPECT_TRUE(far.top.empty() && far.left.empty());
}

} // namespace
