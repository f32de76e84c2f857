#include "core/editing/LayoutShape.h"

#include <gtest/gtest.h>

namespace plandor {
namespace {

std::vector<Point> pts(std::initializer_list<Point> p) {
    return p;
}

void expectOutline(const std::vector<Point>& got, const std::vector<Point>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_DOUBLE_EQ(got[i].x, want[i].x) << "vertex " << i;
        EXPECT_DOUBLE_EQ(got[i].y, want[i].y) << "vertex " << i;
    }
}

TEST(LayoutShape, ParametricOutlinesKeepSomeBoard) {
    struct Case {
        const char* name;
        int shape;
        std::vector<int> values;
        std::vector<Point> outline;
    } cases[] = {
        // clang-format off
        {"rectangle", ShapeRectangle, {2400, 1200}, pts({{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}})},
        {"L cut-out as large as the board leaves 1 mm", ShapeL, {2400, 2400, 2400, 1200},
         pts({{0, 0}, {2400, 0}, {2400, 1200}, {1, 1200}, {1, 2400}, {0, 2400}})},
        {"U notch leaves 2 mm of width and 1 mm of depth", ShapeU, {100, 50, 500, 500},
         pts({{0, 0}, {100, 0}, {100, 50}, {99, 50}, {99, 1}, {1, 1}, {1, 50}, {0, 50}})},
        {"T stem wider than the bar is clamped to the bar", ShapeT, {1000, 500, 3000, 400},
         pts({{0, 0}, {1000, 0}, {1000, 500}, {1000, 500}, {1000, 900}, {0, 900}, {0, 500}, {0, 500}})},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectOutline(parametricOutline(c.shape, c.values, Units::Millimetres), c.outline);
    }
}

TEST(LayoutShape, CustomTextTakesWhatItCanRead) {
    struct Case {
        const char* name;
        Units units;
        std::string text;
        std::vector<Point> outline;
        int skipped;
    } cases[] = {
        // clang-format off
        {"two vertices are accepted as they are", Units::Millimetres, "0,0\n100, 50\n", pts({{0, 0}, {100, 50}}), 0},
        {"empty text clears", Units::Millimetres, "", {}, 0},
        {"blank lines and blanks around numbers", Units::Millimetres, "\n  10 , 20  \r\n\n", pts({{10, 20}}), 0},
        {"centimetres are scaled", Units::Centimetres, "1.5,2\n", pts({{15, 20}}), 0},
        {"words, missing numbers and no comma are skipped", Units::Millimetres, "0,0\nabc,5\n5,\n7 8\n1,2,3\n4,4\n",
         pts({{0, 0}, {4, 4}}), 4},
        {"not finite is skipped", Units::Millimetres, "nan,1\ninf,2\n1e999,3\n", {}, 3},
        {"the edge counts in millimetres", Units::Inches, "3937,0\n3938,0\n", pts({{3937 * 25.4, 0}}), 1},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CustomOutline got = parseCustomPolygon(c.text, c.units);
        expectOutline(got.outline, c.outline);
        EXPECT_EQ(got.skipped, c.skipped);
    }
}

TEST(LayoutShape, InchesShowRoundedValuesAndStoreWhatWasShown) {
    Layout inches;
    inches.units = Units::Inches;
    const std::vector<int> shown = shapeFieldValues(inches, ShapeRectangle);
    EXPECT_EQ(shown, (std::vector<int>{94, 47}));
    const ShapeResult r = shapeResult(inches, {ShapeRectangle, shown, ""});
    EXPECT_EQ(inches.lastShapeW, 2400) << "working out the result changes nothing";
    EXPECT_TRUE(applyShapeResult(inches, r).has(Change::Baseboard));
    EXPECT_DOUBLE_EQ(inches.lastShapeW, 94 * 25.4);
    EXPECT_DOUBLE_EQ(inches.baseboard[2].x, 94 * 25.4);
    EXPECT_FALSE(applyShapeResult(inches, r).any()) << "the same board again is no change";
    EXPECT_EQ(customPolygonText({}, Units::Inches), "0,0\n94,0\n94,47\n0,47\n");
    EXPECT_EQ(customPolygonText({{0, 0}, {254, 12.7}}, Units::Inches), "0.00,0.00\n10.00,0.50\n");
}

// The custom polygon's example reads in the unit its fields are read in; the free-form page
// names the dialog's own button.
TEST(LayoutShape, PageTextsMatchTheUnitAndTheButton) {
    const struct {
        Units units;
        const char* example;
    } cases[] = {
        {Units::Millimetres, "Example (mm):  0,0  /  2400,0  /  2400,1200  /  0,1200"},
        {Units::Centimetres, "Example (cm):  0,0  /  240,0  /  240,120  /  0,120"},
        {Units::Inches, "Example (in):  0,0  /  94.5,0  /  94.5,47.2  /  0,47.2"},
    };
    for (const auto& c : cases)
        EXPECT_NE(shapePageText(ShapeCustom, c.units).find(c.example), std::string::npos)
            << shapePageText(ShapeCustom, c.units);
    const std::string freeForm = shapePageText(ShapeFreeForm, Units::Centimetres);
    EXPECT_EQ(freeForm.find("Click OK"), std::string::npos);
    EXPECT_EQ(freeForm.rfind("Click Apply", 0), 0u);
}

TEST(LayoutShape, ChoicesWithoutFields) {
    Layout layout;
    layout.baseboard = pts({{0, 0}, {10, 0}, {10, 10}});
    const ShapeResult freeForm = shapeResult(layout, {ShapeFreeForm, {}, ""});
    EXPECT_TRUE(freeForm.drawOnCanvas);
    EXPECT_FALSE(applyShapeResult(layout, freeForm).any()) << "the drawn outline is the edit";
    EXPECT_EQ(layout.lastShapeType, ShapeRectangle);

    const ShapeResult clear = shapeResult(layout, {ShapeClear, {}, ""});
    EXPECT_FALSE(clear.drawOnCanvas);
    EXPECT_TRUE(applyShapeResult(layout, clear).has(Change::Baseboard));
    EXPECT_TRUE(layout.baseboard.empty());
    EXPECT_EQ(layout.lastShapeType, ShapeClear);
    EXPECT_EQ(layout.lastShapeW, 2400); // no fields, no dimensions stored
}

TEST(LayoutShape, TypedVerticesThatDoNotReadKeepTheBoard) {
    Layout layout;
    layout.baseboard = pts({{0, 0}, {10, 0}, {10, 10}});
    const ShapeResult typed = shapeResult(layout, {ShapeCustom, {}, "0,0\n\n  x,1 \n5,\n"});
    EXPECT_EQ(typed.problem, "Line 3 could not be read as x,y:\nx,1\n\n2 line(s) in all. "
                             "Correct or remove them and press Apply again; the baseboard stays "
                             "as it is until then.");
    EXPECT_FALSE(applyShapeResult(layout, typed).any());
    EXPECT_EQ(layout.baseboard.size(), 3u);
    EXPECT_EQ(layout.lastShapeType, ShapeRectangle);

    const ShapeResult fixed = shapeResult(layout, {ShapeCustom, {}, "0,0\n5,0\n5,5\n0,5\n"});
    EXPECT_EQ(fixed.problem, "");
    EXPECT_TRUE(applyShapeResult(layout, fixed).has(Change::Baseboard));
    EXPECT_EQ(layout.baseboard.size(), 4u);
    EXPECT_EQ(layout.lastShapeType, ShapeCustom);
}

} // namespace
} // namespace plandor
