#include "shell/PropertyTexts.h"
#include "catalog/TrackCatalog.h"
#include "model/HelixPlacement.h"
#include "model/Layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace plandor;

namespace {

int32_t addPiece(Layout& layout, const std::string& part, double x = 0, double y = 0) {
    PlacedPiece p = makePlacedPiece(part);
    p.id = layout.takeId();
    p.x = x;
    p.y = y;
    layout.pieces.push_back(p);
    return p.id;
}

PlacedPiece& piece(Layout& layout, int32_t id) {
    return *layout.findPiece(id);
}

// Two levels: "Level 1" at 0 mm and "Upper" at 120 mm.
Layout twoLevelLayout() {
    Layout layout;
    layout.ensureDefaultLevel();
    Level upper;
    upper.id = 2;
    upper.name = "Upper";
    upper.height = 120;
    layout.levels.push_back(upper);
    return layout;
}

PropertiesState refreshed(const Layout& layout, PropertiesState state = {}) {
    refreshSelection(layout, state);
    return state;
}

} // namespace

TEST(PropertyTexts, GradeValueAndWarning) {
    struct Case {
        double deg;
        const char* text;
        const char* warning;
    };
    const Case cases[] = {
        {0.0, "-", ""},
        {0.001, "-", ""},
        {-0.001, "-", ""},
        {0.0011, "+0.00 deg (0.0%)", ""},
        {3.0, "+3.00 deg (5.2%)", ""},
        {-3.0, "-3.00 deg (5.2%)", ""},
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

TEST(PropertyTexts, SteepPieceShowsRedGradeAndWarning) {
    Layout layout = twoLevelLayout();
    const int32_t id = addPiece(layout, "24188");
    piece(layout, id).grade = -7.5;
    piece(layout, id).level = 2;
    piece(layout, id).selected = true;

    const PropertiesState s = refreshed(layout);
    EXPECT_EQ(s.contextPiece, id);
    EXPECT_EQ(s.title, "24188 - 188.3mm");
    EXPECT_EQ(s.detail, "M\xC3\xA4rklin C  |  188.3 mm");
    EXPECT_EQ(s.gradeText, "-7.50 deg (13.2%)");
    EXPECT_TRUE(s.gradeWarningColour);
    EXPECT_EQ(s.warning, "WARNING: Grade 7.5 deg exceeds 6 deg max!");
    EXPECT_TRUE(s.gradeDown);
    EXPECT_EQ(s.spinDeg, 6.0); // the spinner's range ends at the maximum grade
    ASSERT_EQ(s.levels.size(), 2u);
    EXPECT_EQ(s.levels[1].name, "Upper");
    EXPECT_EQ(s.levelIndex, 1);
    EXPECT_TRUE(s.levelEnabled);
    EXPECT_TRUE(s.startGradeEnabled);
    EXPECT_TRUE(s.recalcEnabled);
    EXPECT_FALSE(s.endGradeEnabled);

    layout.gradeActive = true;
    piece(layout, id).grade = 3;
    const PropertiesState up = refreshed(layout, s);
    EXPECT_EQ(up.gradeText, "+3.00 deg (5.2%)");
    EXPECT_FALSE(up.gradeWarningColour);
    EXPECT_EQ(up.warning, "");
    EXPECT_FALSE(up.gradeDown);
    EXPECT_EQ(up.spinDeg, 3.0);
    EXPECT_TRUE(up.endGradeEnabled);
}

TEST(PropertyTexts, DescriptionsInEveryUnit) {
    struct Case {
        const char* name;
        uint32_t units;
        std::function<void(Layout&)> select;
        const char* title;
        const char* detail;
        const char* heightLabel;
        const char* heightText;
        bool heightEnabled;
    };
    const auto onePiece = [](Layout& l) {
        const int32_t id = addPiece(l, "24188");
        piece(l, id).z = 25.4;
        piece(l, id).selected = true;
    };
    const auto group = [](Layout& l) {
        piece(l, addPiece(l, "24188")).selected = true;
        piece(l, addPiece(l, "24172")).selected = true;
    };
    const auto helix = [](Layout& l) {
        ASSERT_TRUE(placeHelix(l, 0, 0, 0, ""));
        for (PlacedPiece& p : l.pieces)
            p.z += 50.8;
        l.pieces[0].selected = true;
    };
    const auto scenery = [](Layout& l) {
        SceneryItem s;
        s.id = l.takeId();
        s.item = "tunnel_portal_single";
        s.scaleX = 1.5;
        s.scaleY = 2;
        s.selected = true;
        l.scenery.push_back(s);
    };
    const auto polygon = [](Layout& l) {
        PolygonShape s;
        s.id = l.takeId();
        s.vertices = {{10, 20}, {310, 20}, {310, 220}, {100, 140}};
        s.height = 45;
        s.label = "Lake";
        s.selected = true;
        l.shapes.push_back(s);
    };
    const char* helixTitle = "Proses 2.5 R1&R2 26cm/10.2\"";
    const std::vector<Case> cases = {
        {"piece mm", 0, onePiece, "24188 - 188.3mm", "M\xC3\xA4rklin C  |  188.3 mm",
         "Height (mm):", "25.4", true},
        {"piece cm", 1, onePiece, "24188 - 188.3mm", "M\xC3\xA4rklin C  |  188.3 mm",
         "Height (cm):", "2.5", true},
        {"piece in", 2, onePiece, "24188 - 188.3mm", "M\xC3\xA4rklin C  |  188.3 mm",
         "Height (in):", "1.000", true},
        {"group mm", 0, group, "24188 + 24172", "2 pieces  |  360.0 mm", "Height (mm):", "0",
         false},
        {"group cm", 1, group, "24188 + 24172", "2 pieces  |  36.0 cm", "Height (mm):", "0", false},
        {"group in", 2, group, "24188 + 24172", "2 pieces  |  14.17 in", "Height (mm):", "0",
         false},
        {"helix mm", 0, helix, helixTitle, "2.5 turns  |  rise 260.0mm  |  R1 360.0 / R2 437.5 mm",
         "Base height (mm):", "50.8", false},
        {"helix cm", 1, helix, helixTitle, "2.5 turns  |  rise 26.0cm  |  R1 360.0 / R2 437.5 mm",
         "Base height (cm):", "5.1", false},
        {"helix in", 2, helix, helixTitle, "2.5 turns  |  rise 10.2in  |  R1 360.0 / R2 437.5 mm",
         "Base height (in):", "2.000", false},
        {"scenery mm", 0, scenery, "Tunnel portal (1 track)", "Scenery  |  60 x 160 mm",
         "Height:", "-", false},
        {"scenery cm", 1, scenery, "Tunnel portal (1 track)", "Scenery  |  60 x 160 mm",
         "Height:", "-", false},
        {"scenery in", 2, scenery, "Tunnel portal (1 track)", "Scenery  |  60 x 160 mm",
         "Height:", "-", false},
        {"polygon mm", 0, polygon, "Lake", "Polygon  |  4 verts  |  300 x 200 mm  |  height 45 mm",
         "Height:", "-", false},
        {"polygon cm", 1, polygon, "Lake", "Polygon  |  4 verts  |  300 x 200 mm  |  height 45 mm",
         "Height:", "-", false},
        {"polygon in", 2, polygon, "Lake", "Polygon  |  4 verts  |  300 x 200 mm  |  height 45 mm",
         "Height:", "-", false},
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
        EXPECT_EQ(s.heightEnabled, c.heightEnabled);
    }
}

TEST(PropertyTexts, UnknownRecordsAndEmptyShapes) {
    Layout layout;
    layout.ensureDefaultLevel();

    const int32_t odd = addPiece(layout, "99999");
    piece(layout, odd).selected = true;
    PropertiesState s = refreshed(layout);
    EXPECT_EQ(s.title, "99999");
    EXPECT_EQ(s.detail, "Unknown  |  ");
    piece(layout, odd).selected = false;

    ASSERT_TRUE(placeHelix(layout, 0, 0, 0, ""));
    layout.helices[0].variant = "no_such_helix";
    for (PlacedPiece& p : layout.pieces)
        p.selected = p.helix != -1;
    s = refreshed(layout);
    EXPECT_EQ(s.title, "Helix");
    EXPECT_EQ(s.contextHelix, layout.helices[0].id);
    for (PlacedPiece& p : layout.pieces)
        p.selected = false;

    SceneryItem shed;
    shed.id = layout.takeId();
    shed.item = "no_such_item";
    shed.selected = true;
    layout.scenery.push_back(shed);
    s = refreshed(layout);
    EXPECT_EQ(s.title, "no_such_item");
    EXPECT_EQ(s.detail, "Scenery");
    EXPECT_EQ(s.contextScenery, shed.id);
    layout.scenery.back().selected = false;

    PolygonShape empty;
    empty.id = layout.takeId();
    empty.selected = true;
    layout.shapes.push_back(empty);
    s = refreshed(layout);
    EXPECT_EQ(s.title, "(unnamed shape)");
    EXPECT_EQ(s.detail, "Polygon  |  (no vertices)");
    EXPECT_EQ(s.contextShape, empty.id);
}

TEST(PropertyTexts, FirstMatchingCaseWins) {
    struct Case {
        const char* name;
        int pieces, helixPieces, scenery, shapes;
        const char* title;
    };
    const Case cases[] = {
        {"one piece beats a scenery item", 1, 0, 1, 0, "24188 - 188.3mm"},
        {"helix plus another piece is a group", 1, 4, 0, 0,
         "24188 + 24188 + 24188 + 24188 + 24188"},
        {"scenery beats a polygon", 0, 0, 1, 1, "Tunnel portal (1 track)"},
        {"two scenery items, one polygon", 0, 0, 2, 1, "(unnamed shape)"},
        {"two scenery items", 0, 0, 2, 0, "No selection"},
        {"two polygons", 0, 0, 0, 2, "No selection"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        layout.ensureDefaultLevel();
        if (c.helixPieces) {
            ASSERT_TRUE(placeHelix(layout, 3000, 0, 0, ""));
        }
        for (int i = 0; i < c.pieces; ++i)
            addPiece(layout, "24188");
        for (PlacedPiece& p : layout.pieces)
            p.selected = true;
        for (int i = 0; i < c.scenery; ++i) {
            SceneryItem s;
            s.id = layout.takeId();
            s.item = "tunnel_portal_single";
            s.selected = true;
            layout.scenery.push_back(s);
        }
        for (int i = 0; i < c.shapes; ++i) {
            PolygonShape s;
            s.id = layout.takeId();
            s.selected = true;
            layout.shapes.push_back(s);
        }
        EXPECT_EQ(refreshed(layout).title, c.title);
    }
}

TEST(PropertyTexts, NoSelectionResetsTheControls) {
    Layout layout;
    layout.ensureDefaultLevel();
    const int32_t id = addPiece(layout, "24188");
    piece(layout, id).selected = true;
    piece(layout, id).grade = 7;
    piece(layout, id).z = 30;
    PropertiesState s = refreshed(layout);
    ASSERT_TRUE(s.heightEnabled);

    piece(layout, id).selected = false;
    refreshSelection(layout, s);
    EXPECT_EQ(s.contextPiece, -1);
    EXPECT_EQ(s.title, "No selection");
    EXPECT_EQ(s.detail, "");
    EXPECT_EQ(s.heightText, "0");
    EXPECT_FALSE(s.heightEnabled);
    EXPECT_EQ(s.gradeText, "-");
    EXPECT_FALSE(s.gradeWarningColour);
    EXPECT_EQ(s.warning, "");
    EXPECT_FALSE(s.levelEnabled);
    EXPECT_FALSE(s.startGradeEnabled);
    EXPECT_FALSE(s.endGradeEnabled);
    EXPECT_FALSE(s.recalcEnabled);
}

TEST(PropertyTexts, TwoSelectedPiecesMakeHeightEnterDoNothing) {
    Layout layout;
    layout.ensureDefaultLevel();
    const int32_t a = addPiece(layout, "24188");
    const int32_t b = addPiece(layout, "24188");
    piece(layout, a).selected = true;
    piece(layout, a).z = 12;
    PropertiesState s = refreshed(layout);
    ASSERT_EQ(s.contextPiece, a);

    piece(layout, b).selected = true;
    refreshSelection(layout, s);
    EXPECT_EQ(s.contextPiece, -1);
    EXPECT_EQ(s.heightText, "12.0"); // the group description leaves the field as it was
    EXPECT_FALSE(enterHeight(layout, s, "50"));
    EXPECT_EQ(piece(layout, a).z, 12);
    EXPECT_EQ(piece(layout, b).z, 0);
    EXPECT_EQ(layout.undoDepth(), 0u);
}

TEST(PropertyTexts, HeightEnterReadsTheCurrentUnit) {
    struct Case {
        const char* text;
        uint32_t units;
        bool accepted;
        double z;
        const char* shown;
    };
    const Case cases[] = {
        {"40", 0, true, 40, "40.0"},    {"12.5", 1, true, 125, "12.5"},
        {"1", 2, true, 25.4, "1.000"},  {" -3.5 ", 0, true, -3.5, "-3.5"},
        {"1e2", 0, true, 100, "100.0"}, {"abc", 0, false, 7, nullptr},
        {"", 0, false, 7, nullptr},     {"12abc", 0, false, 7, nullptr},
        {"12,5", 1, false, 7, nullptr}, {"inf", 0, false, 7, nullptr},
        {"nan", 0, false, 7, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Layout layout;
        layout.ensureDefaultLevel();
        layout.units = c.units;
        const int32_t id = addPiece(layout, "24188");
        piece(layout, id).selected = true;
        piece(layout, id).z = 7;
        PropertiesState s = refreshed(layout);

        EXPECT_EQ(enterHeight(layout, s, c.text), c.accepted);
        EXPECT_NEAR(piece(layout, id).z, c.z, 1e-9);
        EXPECT_EQ(layout.undoDepth(), c.accepted ? 1u : 0u);
        if (c.shown) {
            EXPECT_EQ(s.heightText, c.shown);
        }
    }
}

TEST(PropertyTexts, HeightEnterForAPieceNoLongerThere) {
    Layout layout;
    const int32_t id = addPiece(layout, "24188");
    piece(layout, id).selected = true;
    PropertiesState s = refreshed(layout);
    layout.pieces.clear();
    EXPECT_FALSE(enterHeight(layout, s, "10"));
    EXPECT_EQ(layout.undoDepth(), 0u);
}

TEST(PropertyTexts, NamedTrackColours) {
    const std::vector<TrackColour>& c = trackColours();
    ASSERT_EQ(c.size(), 9u);
    const char* names[] = {"Default", "Red",    "Orange", "Yellow", "Green",
                           "Blue",    "Purple", "Pink",   "White"};
    for (std::size_t i = 0; i < c.size(); ++i)
        EXPECT_EQ(c[i].name, names[i]);
    EXPECT_FALSE(c[0].hasColor);
    EXPECT_TRUE(c[2].hasColor);
    EXPECT_EQ((std::vector<int>{c[2].r, c[2].g, c[2].b}), (std::vector<int>{230, 140, 40}));
    EXPECT_EQ((std::vector<int>{c[7].r, c[7].g, c[7].b}), (std::vector<int>{210, 90, 150}));
}

TEST(PropertyTexts, ApplyColourThenDefaultAndDeselect) {
    Layout layout;
    layout.ensureDefaultLevel();
    const int32_t a = addPiece(layout, "24188");
    const int32_t b = addPiece(layout, "24188");
    const int32_t other = addPiece(layout, "24188");
    piece(layout, a).selected = true;
    piece(layout, b).selected = true;
    layout.scenery.push_back(SceneryItem{});
    layout.scenery.back().selected = true;
    layout.labels.push_back(LayoutLabel{});
    layout.labels.back().selected = true;
    layout.measurements.push_back(Measurement{});
    layout.measurements.back().selected = true;
    layout.shapes.push_back(PolygonShape{});
    layout.shapes.back().selected = true;
    PropertiesState s = refreshed(layout);

    ASSERT_TRUE(applyColour(layout, s, 1)); // "Red"
    EXPECT_TRUE(piece(layout, a).hasColor);
    EXPECT_EQ(piece(layout, a).colorR, 220);
    EXPECT_EQ(piece(layout, b).colorG, 60);
    EXPECT_FALSE(piece(layout, other).hasColor);
    for (const PlacedPiece& p : layout.pieces)
        EXPECT_FALSE(p.selected);
    EXPECT_FALSE(layout.scenery[0].selected);
    EXPECT_FALSE(layout.labels[0].selected);
    EXPECT_FALSE(layout.measurements[0].selected);
    EXPECT_FALSE(layout.shapes[0].selected);
    EXPECT_EQ(s.title, "No selection");
    EXPECT_EQ(layout.undoDepth(), 1u);

    piece(layout, a).selected = true;
    ASSERT_TRUE(applyColour(layout, s, 0)); // "Default"
    EXPECT_FALSE(piece(layout, a).hasColor);
    EXPECT_EQ(piece(layout, a).colorR, 0);
    EXPECT_EQ(piece(layout, a).colorG, 0);
    EXPECT_EQ(piece(layout, a).colorB, 0);
    EXPECT_TRUE(piece(layout, b).hasColor);
    EXPECT_EQ(layout.undoDepth(), 2u);
}

TEST(PropertyTexts, ApplyColourWithoutSelectedPiecesDoesNothing) {
    Layout layout;
    addPiece(layout, "24188");
    layout.scenery.push_back(SceneryItem{});
    layout.scenery.back().selected = true;
    PropertiesState s;
    EXPECT_FALSE(applyColour(layout, s, 1));
    layout.pieces[0].selected = true;
    EXPECT_FALSE(applyColour(layout, s, 9));
    EXPECT_FALSE(applyColour(layout, s, -1));
    EXPECT_TRUE(layout.scenery[0].selected);
    EXPECT_FALSE(layout.pieces[0].hasColor);
    EXPECT_EQ(layout.undoDepth(), 0u);
}

TEST(PropertyTexts, LevelChangeOfSinglePiecesSceneryAndPolygons) {
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
        Layout layout = twoLevelLayout();
        const int32_t id = addPiece(layout, "24188");
        piece(layout, id).z = 33;
        piece(layout, id).grade = c.grade;
        piece(layout, id).selected = true;
        const PropertiesState s = refreshed(layout);

        ASSERT_TRUE(changeLevel(layout, s, c.level));
        EXPECT_EQ(piece(layout, id).level, c.level);
        EXPECT_DOUBLE_EQ(piece(layout, id).z, c.expectedZ);
        EXPECT_EQ(layout.activeLevel, c.level);
        EXPECT_EQ(layout.undoDepth(), 1u);
    }

    Layout layout = twoLevelLayout();
    SceneryItem item;
    item.id = layout.takeId();
    item.item = "tunnel_portal_single";
    item.selected = true;
    layout.scenery.push_back(item);
    PropertiesState s = refreshed(layout);
    ASSERT_TRUE(changeLevel(layout, s, 2));
    EXPECT_EQ(layout.scenery[0].level, 2);

    layout.scenery[0].selected = false;
    PolygonShape shape;
    shape.id = layout.takeId();
    shape.selected = true;
    layout.shapes.push_back(shape);
    refreshSelection(layout, s);
    ASSERT_TRUE(changeLevel(layout, s, 2));
    EXPECT_EQ(layout.shapes[0].level, 2);
    EXPECT_EQ(layout.undoDepth(), 2u);
}

TEST(PropertyTexts, LevelChangeOfAHelixAndTheTrackJoinedToIt) {
    Layout layout = twoLevelLayout();
    ASSERT_TRUE(placeHelix(layout, 0, 0, 0, ""));
    const Helix helix = layout.helices[0];
    // bottom R1 -> flat -> graded -> flat; a second helix hangs off the last flat piece.
    const int32_t flat1 = addPiece(layout, "24188");
    const int32_t graded = addPiece(layout, "24188");
    const int32_t flat2 = addPiece(layout, "24188");
    const int32_t loose = addPiece(layout, "24188");
    layout.join(helix.bottomR1, 0, flat1, 1);
    layout.join(flat1, 0, graded, 1);
    layout.join(graded, 0, flat2, 1);
    ASSERT_TRUE(placeHelix(layout, 5000, 0, 0, ""));
    const Helix other = layout.helices[1];
    const int32_t beyond = addPiece(layout, "24188");
    layout.join(flat2, 0, other.bottomR1, 1);
    layout.join(other.bottomR1, 0, beyond, 1);
    for (PlacedPiece& p : layout.pieces)
        p.z = 5;
    piece(layout, graded).grade = 2;
    for (PlacedPiece& p : layout.pieces)
        p.selected = p.helix == helix.id;

    const PropertiesState s = refreshed(layout);
    ASSERT_EQ(s.contextHelix, helix.id);
    EXPECT_EQ(s.levels.at(s.levelIndex).id, 1);
    ASSERT_TRUE(changeLevel(layout, s, 2));

    EXPECT_DOUBLE_EQ(piece(layout, helix.bottomR1).z, 120);
    EXPECT_DOUBLE_EQ(piece(layout, helix.bottomR2).z, 120);
    EXPECT_DOUBLE_EQ(piece(layout, helix.topR1).z, 380);
    EXPECT_DOUBLE_EQ(piece(layout, helix.topR2).z, 380);
    for (int32_t id :
         {helix.bottomR1, helix.bottomR2, helix.topR1, helix.topR2, flat1, graded, flat2})
        EXPECT_EQ(piece(layout, id).level, 2) << id;
    EXPECT_DOUBLE_EQ(piece(layout, flat1).z, 120);
    EXPECT_DOUBLE_EQ(piece(layout, graded).z, 5);
    EXPECT_DOUBLE_EQ(piece(layout, flat2).z, 120);
    // Another helix, what lies beyond it and unjoined track stay where they were.
    for (int32_t id : {other.bottomR1, beyond, loose}) {
        EXPECT_EQ(piece(layout, id).level, 1) << id;
        EXPECT_DOUBLE_EQ(piece(layout, id).z, 5) << id;
    }
    EXPECT_EQ(layout.activeLevel, 2);
    EXPECT_EQ(layout.undoDepth(), 3u); // two helix placements and the level change
}

TEST(PropertyTexts, LevelChangeWithAStaleContextDoesNothing) {
    Layout layout = twoLevelLayout();
    const int32_t id = addPiece(layout, "24188");
    piece(layout, id).selected = true;
    PropertiesState s = refreshed(layout);
    layout.pieces.clear();
    EXPECT_FALSE(changeLevel(layout, s, 2));

    s = PropertiesState{};
    EXPECT_FALSE(changeLevel(layout, s, 2)); // nothing named
    EXPECT_EQ(layout.undoDepth(), 0u);
    EXPECT_EQ(layout.activeLevel, 1);
}

TEST(PropertyTexts, LabelsAtThePendingPointOrTheOrigin) {
    Layout layout;
    layout.nextId = 30;
    PropertiesState s;

    EXPECT_FALSE(addLabel(layout, s, "   \t"));
    EXPECT_EQ(layout.undoDepth(), 0u);

    ASSERT_TRUE(addLabel(layout, s, "Yard  "));
    ASSERT_EQ(layout.labels.size(), 1u);
    EXPECT_EQ(layout.labels[0].text, "Yard");
    EXPECT_EQ(layout.labels[0].id, 30);
    EXPECT_EQ(layout.labels[0].x, 0);
    EXPECT_EQ(layout.labels[0].y, 0);

    setLabelDropPoint(s, 250, -40);
    ASSERT_TRUE(addLabel(layout, s, "  Depot"));
    EXPECT_EQ(layout.labels[1].text, "  Depot");
    EXPECT_EQ(layout.labels[1].x, 250);
    EXPECT_EQ(layout.labels[1].y, -40);
    EXPECT_FALSE(s.hasLabelPoint);

    ASSERT_TRUE(addLabel(layout, s, "Shed"));
    EXPECT_EQ(layout.labels[2].x, 0); // the point is used once
    EXPECT_EQ(layout.labels[2].id, 32);
    EXPECT_EQ(layout.undoDepth(), 3u);
}
