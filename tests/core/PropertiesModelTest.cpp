#include "app/PropertiesModel.h"
#include "LayoutBuilder.h"
#include "catalog/TrackCatalog.h"
#include "model/HelixPlacement.h"
#include "model/Layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plandor;

namespace {

PlacedPiece& piece(Layout& layout, int32_t id) {
    return *layout.findPiece(id);
}

// Two levels: "Level 1" at 0 mm and "Upper" at 120 mm.
Layout twoLevelLayout() {
    Layout layout = emptyLayout();
    addLevel(layout, 2, 120).name = "Upper";
    return layout;
}

PropertiesState refreshed(const Layout& layout, PropertiesState state = {}) {
    refreshSelection(layout, state);
    return state;
}

} // namespace

TEST(PropertiesModel, GradeValueAndWarning) {
    struct Case {
        double deg;
        const char* text;
        const char* warning;
    };
    const Case cases[] = {
        {0.001, "-", ""},
        {0.0011, "+0.00 deg (0.0%)", ""},
        {3.0, "+3.00 deg (5.2%)", ""},
        {6.0, "+6.00 deg (10.5%)", ""},
        {6.01, "+6.01 deg (10.5%)", "WARNING: Grade 6.0 deg exceeds 6 deg max!"},
        {-7.5, "-7.50 deg (13.2%)", "WARNING: Grade 7.5 deg exceeds 6 deg max!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deg);
        EXPECT_EQ(gradeText(c.deg), c.text);
        EXPECT_EQ(gradeWarning(c.deg), c.warning);
    }
}

TEST(PropertiesModel, SteepPieceShowsRedGradeAndWarning) {
    Layout layout = twoLevelLayout();
    const int32_t id = addPiece(layout, "24188").id;
    piece(layout, id).grade = -7.5;
    piece(layout, id).selected = true;
    const PropertiesState s = refreshed(layout);
    EXPECT_EQ(s.contextPiece, id);
    EXPECT_EQ(s.gradeText, "-7.50 deg (13.2%)");
    EXPECT_TRUE(s.gradeWarningColour);
    EXPECT_EQ(s.warning, "WARNING: Grade 7.5 deg exceeds 6 deg max!");
    piece(layout, id).grade = 3;
    EXPECT_FALSE(refreshed(layout, s).gradeWarningColour);
}

TEST(PropertiesModel, DescriptionsInEveryUnit) {
    struct Case {
        const char* name;
        Units units;
        void (*select)(Layout&);
        const char* title;
        const char* detail;
        const char* heightLabel;
        const char* heightText;
    };
    const auto group = [](Layout& l) {
        piece(l, addPiece(l, "24188").id).selected = true;
        piece(l, addPiece(l, "24172").id).selected = true;
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
    const char* portal = "Tunnel portal (1 track)";
    const char* lake = "Polygon  |  4 verts  |  300 x 200 mm  |  height 45 mm";
    const Case cases[] = {
        {"group mm", Units::Millimetres, group, "24188 + 24172", "2 pieces  |  360.0 mm", "Height (mm):", "0"},
        {"group cm", Units::Centimetres, group, "24188 + 24172", "2 pieces  |  36.0 cm", "Height (mm):", "0"},
        {"group in", Units::Inches, group, "24188 + 24172", "2 pieces  |  14.17 in", "Height (mm):", "0"},
        {"helix mm", Units::Millimetres, helix, helixTitle, "2.5 turns  |  rise 260.0mm  |  R1 360.0 / R2 437.5 mm",
         "Base height (mm):", "50.8"},
        {"helix cm", Units::Centimetres, helix, helixTitle, "2.5 turns  |  rise 26.0cm  |  R1 360.0 / R2 437.5 mm",
         "Base height (cm):", "5.1"},
        {"helix in", Units::Inches, helix, helixTitle, "2.5 turns  |  rise 10.2in  |  R1 360.0 / R2 437.5 mm",
         "Base height (in):", "2.000"},
        {"scenery in any unit", Units::Inches, scenery, portal, "Scenery  |  60 x 160 mm", "Height:", "-"},
        {"polygon mm", Units::Millimetres, polygon, "Lake", lake, "Height:", "-"},
        {"polygon in inches too", Units::Inches, polygon, "Lake", lake, "Height:", "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        layout.ensureDefaultLevel();
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

TEST(PropertiesModel, TwoSelectedPiecesMakeHeightEnterDoNothing) {
    Document doc;
    Layout& layout = doc.layout;
    layout.ensureDefaultLevel();
    const int32_t a = addPiece(layout, "24188").id;
    const int32_t b = addPiece(layout, "24188").id;
    piece(layout, a).selected = true;
    piece(layout, a).z = 12;
    PropertiesState s = refreshed(layout);
    ASSERT_EQ(s.contextPiece, a);

    piece(layout, b).selected = true;
    refreshSelection(layout, s);
    EXPECT_EQ(s.contextPiece, -1);
    EXPECT_FALSE(enterHeight(doc, s, "50"));
    EXPECT_EQ(piece(layout, a).z, 12);
    EXPECT_EQ(piece(layout, b).z, 0);
    EXPECT_EQ(doc.undoDepth(), 0u);
}

TEST(PropertiesModel, HeightEnterReadsTheCurrentUnit) {
    struct Case {
        const char* text;
        Units units;
        double z; // 7: refused
    };
    const Case cases[] = {{"40", Units::Millimetres, 40},   {"12.5", Units::Centimetres, 125}, {"1", Units::Inches, 25.4}, {"abc", Units::Millimetres, 7},
                          {"12abc", Units::Millimetres, 7}, {"12,5", Units::Centimetres, 7},   {"nan", Units::Millimetres, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Document doc;
        Layout& layout = doc.layout;
        layout.ensureDefaultLevel();
        layout.units = c.units;
        const int32_t id = addPiece(layout, "24188").id;
        piece(layout, id).selected = true;
        piece(layout, id).z = 7;
        PropertiesState s = refreshed(layout);
        EXPECT_EQ(enterHeight(doc, s, c.text).any(), c.z != 7);
        EXPECT_NEAR(piece(layout, id).z, c.z, 1e-9);
        EXPECT_EQ(doc.undoDepth(), c.z != 7 ? 1u : 0u);
    }
}

TEST(PropertiesModel, ApplyColourThenDefault) {
    EXPECT_EQ(trackColours().at(0).name, "Default");
    Document doc;
    Layout& layout = doc.layout;
    layout.ensureDefaultLevel();
    const int32_t a = addPiece(layout, "24188").id;
    const int32_t other = addPiece(layout, "24188").id;
    piece(layout, a).selected = true;
    PropertiesState s = refreshed(layout);
    EXPECT_FALSE(applyColour(doc, s, 9)); // past the list
    ASSERT_TRUE(applyColour(doc, s, 1));  // "Red"
    EXPECT_TRUE(piece(layout, a).hasColor);
    EXPECT_EQ(piece(layout, a).color.r, 220);
    EXPECT_FALSE(piece(layout, other).hasColor);
    EXPECT_FALSE(piece(layout, a).selected);
    EXPECT_EQ(doc.undoDepth(), 1u);

    piece(layout, a).selected = true;
    ASSERT_TRUE(applyColour(doc, s, 0)); // "Default"
    EXPECT_FALSE(piece(layout, a).hasColor);
    EXPECT_EQ(piece(layout, a).color.r, 0);
    EXPECT_EQ(doc.undoDepth(), 2u);
}

TEST(PropertiesModel, LevelChangeOfGradedAndUngradedPieces) {
    struct Case {
        const char* name;
        double grade;
        int32_t level;
        double expectedZ;
    };
    const Case cases[] = {
        {"ungraded piece takes the level's height", 0.0, 2, 120},
        {"piece at the flat limit counts as ungraded", 0.001, 2, 120},
        {"graded piece keeps its height", -2.5, 2, 33},
        {"unknown level gives height 0", 0.0, 7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc;
        Layout& layout = (doc.layout = twoLevelLayout());
        const int32_t id = addPiece(layout, "24188").id;
        piece(layout, id).z = 33;
        piece(layout, id).grade = c.grade;
        piece(layout, id).selected = true;
        const PropertiesState s = refreshed(layout);
        ASSERT_TRUE(changeLevel(doc, s, c.level));
        EXPECT_EQ(piece(layout, id).level, c.level);
        EXPECT_DOUBLE_EQ(piece(layout, id).z, c.expectedZ);
        EXPECT_EQ(doc.undoDepth(), 1u);
    }
}
