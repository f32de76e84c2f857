#include "core/app/PropertiesModel.h"
#include "LayoutBuilder.h"
#include "core/model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

PropertiesState refreshed(const Layout& layout, PropertiesState state = {}) {
    refreshSelection(layout, state);
    return state;
}

// A document holding one selected straight at height 7 on "Level 1", beside "Upper" at 120 mm.
struct OnePiece {
    Document doc;
    int32_t id;
    OnePiece(Units units = Units::Millimetres) {
        doc.layout = emptyLayout();
        addLevel(doc.layout, 2, 120).name = "Upper";
        doc.layout.units = units;
        PlacedPiece& p = addPiece(doc.layout, "24188");
        p.selected = true;
        p.z = 7;
        id = p.id;
    }
    PlacedPiece& piece() { return *doc.layout.findPiece(id); }
};

} // namespace

TEST(PropertiesModel, GradeValueAndWarning) {
    const struct {
        double deg;
        const char* text;
        const char* warning;
    } cases[] = {
        {0.001, "-", ""},
        {0.0011, "+0.00 deg (0.0%)", ""},
        {6.0, "+6.00 deg (10.5%)", ""},
        {6.01, "+6.01 deg (10.5%)", "WARNING: Grade 6.0 deg exceeds 6 deg max!"},
        {-7.5, "-7.50 deg (13.2%)", "WARNING: Grade 7.5 deg exceeds 6 deg max!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deg);
        EXPECT_EQ(gradeText(c.deg), c.text);
        EXPECT_EQ(gradeWarning(c.deg), c.warning);
    }
    OnePiece one;
    one.piece().grade = -7.5;
    const PropertiesState s = refreshed(one.doc.layout);
    EXPECT_EQ(s.contextPiece, one.id);
    EXPECT_TRUE(s.gradeWarningColour);
    EXPECT_EQ(s.warning, "WARNING: Grade 7.5 deg exceeds 6 deg max!");
    one.piece().grade = 3;
    EXPECT_FALSE(refreshed(one.doc.layout, s).gradeWarningColour);
}

TEST(PropertiesModel, DescriptionsInEveryUnit) {
    const auto group = [](Layout& l) {
        addPiece(l, "24188").selected = true;
        addPiece(l, "24172").selected = true;
    };
    const auto helix = [](Layout& l) {
        placeHelix(l, 0, 0, 0, "");
        for (PlacedPiece& p : l.pieces)
            p.z += 50.8;
        l.pieces[0].selected = true;
    };
    const auto scenery = [](Layout& l) {
        SceneryItem& s = addScenery(l, "tunnel_portal_single");
        s.scaleX = 1.5;
        s.scaleY = 2;
        s.selected = true;
    };
    const auto polygon = [](Layout& l) {
        PolygonShape& s = addShape(l, {{10, 20}, {310, 20}, {310, 220}, {100, 140}}, 45);
        s.label = "Lake";
        s.selected = true;
    };
    const char* helixTitle = "Proses 2.5 R1&R2 26cm/10.2\"";
    const struct {
        const char* name;
        Units units;
        void (*select)(Layout&);
        const char *title, *detail, *heightLabel, *heightText;
    } cases[] = {
        // clang-format off
        {"group in", Units::Inches, group, "24188 + 24172", "2 pieces  |  14.17 in", "Height (in):", "0"},
        {"helix cm", Units::Centimetres, helix, helixTitle, "2.5 turns  |  rise 26.0cm  |  R1 36.0 / R2 43.8 cm",
         "Base height (cm):", "5.1"},
        {"helix in", Units::Inches, helix, helixTitle, "2.5 turns  |  rise 10.2in  |  R1 14.2 / R2 17.2 in",
         "Base height (in):", "2.000"},
        {"scenery in", Units::Inches, scenery, "Tunnel portal (1 track)", "Scenery  |  2.36 x 6.30 in", "Height:", "-"},
        {"scenery mm", Units::Millimetres, scenery, "Tunnel portal (1 track)", "Scenery  |  60 x 160 mm", "Height:", "-"},
        {"polygon cm", Units::Centimetres, polygon, "Lake",
         "Polygon  |  4 corners\n30.0 x 20.0 cm  |  height 4.5 cm", "Height:", "-"},
        {"polygon mm", Units::Millimetres, polygon, "Lake",
         "Polygon  |  4 corners\n300 x 200 mm  |  height 45 mm", "Height:", "-"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = emptyLayout();
        layout.units = c.units;
        c.select(layout);
        const PropertiesState s = refreshed(layout);
        EXPECT_EQ(s.title, c.title);
        EXPECT_EQ(s.detail, c.detail);
        EXPECT_EQ(s.heightLabel, c.heightLabel);
        EXPECT_EQ(s.heightText, c.heightText);
        EXPECT_FALSE(s.heightEnabled);
    }
}

TEST(PropertiesModel, HeightEnterReadsTheCurrentUnitAndNeedsOnePiece) {
    const struct {
        const char* text;
        Units units;
        double z; // 7: refused
    } cases[] = {{"12.5", Units::Centimetres, 125},
                 {"1", Units::Inches, 25.4},
                 {"12abc", Units::Millimetres, 7},
                 {"12,5", Units::Centimetres, 7},
                 {"nan", Units::Millimetres, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        OnePiece one(c.units);
        PropertiesState s = refreshed(one.doc.layout);
        EXPECT_EQ(enterHeight(one.doc, s, c.text).any(), c.z != 7);
        EXPECT_NEAR(one.piece().z, c.z, 1e-9);
        EXPECT_EQ(one.doc.undoDepth(), c.z != 7 ? 1u : 0u);
    }
    OnePiece two;
    addPiece(two.doc.layout, "24188").selected = true;
    PropertiesState s = refreshed(two.doc.layout);
    EXPECT_EQ(s.contextPiece, -1);
    EXPECT_FALSE(enterHeight(two.doc, s, "50"));
    EXPECT_EQ(two.piece().z, 7);
    EXPECT_EQ(two.doc.undoDepth(), 0u);
}

TEST(PropertiesModel, ApplyColourThenDefault) {
    OnePiece one;
    const int32_t other = addPiece(one.doc.layout, "24188").id;
    PropertiesState s = refreshed(one.doc.layout);
    EXPECT_FALSE(applyColour(one.doc, s, 9)); // past the list
    ASSERT_TRUE(applyColour(one.doc, s, 1));  // "Red"
    EXPECT_TRUE(one.piece().hasColor);
    EXPECT_EQ(one.piece().color.r, 220);
    EXPECT_FALSE(one.doc.layout.findPiece(other)->hasColor);
    EXPECT_FALSE(one.piece().selected);

    one.piece().selected = true;
    ASSERT_TRUE(applyColour(one.doc, s, 0)); // "Default"
    EXPECT_FALSE(one.piece().hasColor);
    EXPECT_EQ(one.doc.undoDepth(), 2u);
}

TEST(PropertiesModel, LevelChangeOfGradedAndUngradedPieces) {
    const struct {
        const char* name;
        double grade;
        int32_t level;
        double expectedZ;
    } cases[] = {
        {"ungraded piece takes the level's height", 0.0, 2, 120},
        {"piece at the flat limit counts as ungraded", 0.001, 2, 120},
        {"graded piece keeps its height", -2.5, 2, 7},
        {"unknown level gives height 0", 0.0, 7, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OnePiece one;
        one.piece().grade = c.grade;
        ASSERT_TRUE(changeLevel(one.doc, refreshed(one.doc.layout), c.level));
        EXPECT_EQ(one.piece().level, c.level);
        EXPECT_DOUBLE_EQ(one.piece().z, c.expectedZ);
        EXPECT_EQ(one.doc.undoDepth(), 1u);
    }
}
