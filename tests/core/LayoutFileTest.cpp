#include "model/LayoutFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

const std::string kGolden = std::string(PLANDOR_TEST_DATA) + "/layout_all_sections.plo";
const std::string kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// The layout that the golden file describes: every section and every optional attribute.
Layout fullLayout() {
    Layout l;
    l.units = 1;
    l.gradeRuns = {{2.5, 3, 1}, {-1.25, 4, 0}};

    PlacedPiece p1;
    p1.id = 1;
    p1.part = "24188";
    p1.x = 188.3;
    p1.y = -38.76;
    p1.heading = 30;
    p1.joints = {Joint{}, Joint{2, 0}};
    PlacedPiece p2;
    p2.id = 2;
    p2.part = "24130";
    p2.x = 350.1234;
    p2.y = -80.5;
    p2.heading = 359.5;
    p2.z = 12.5;
    p2.grade = 2.5;
    p2.reversed = true;
    p2.level = 2;
    p2.helix = 9;
    p2.selected = true;
    p2.hasColor = true;
    p2.colorR = 255;
    p2.joints = {Joint{1, 1}, Joint{}};
    PlacedPiece p3;
    p3.id = 3;
    p3.part = "99999"; // unknown to the catalogue: kept as it is
    p3.grade = -1.25;
    p3.hasColor = true;
    p3.colorR = 1;
    p3.colorG = 2;
    p3.colorB = 3;
    p3.joints = {Joint{}, Joint{}, Joint{4, 1}};
    PlacedPiece p4;
    p4.id = 4;
    p4.part = "24130";
    p4.x = -10;
    p4.y = 20;
    p4.heading = 180;
    p4.z = 3.25;
    p4.level = 2;
    p4.helix = 9;
    p4.selected = true;
    p4.joints = {Joint{}, Joint{3, 2}};
    l.pieces = {p1, p2, p3, p4};

    SceneryItem s1;
    s1.id = 10;
    s1.item = "tunnel_portal_single";
    s1.x = 100;
    s1.y = 200;
    s1.heading = 90;
    s1.scaleX = 1.5;
    s1.scaleY = 0.75;
    s1.level = 2;
    s1.selected = true;
    SceneryItem s2;
    s2.id = 11;
    s2.item = "odd \"name\" x=";
    s2.x = -5.5;
    l.scenery = {s1, s2};

    Level l1;
    Level l2;
    l2.id = 2;
    l2.name = "Upper <deck>";
    l2.visible = false;
    l2.height = 95.5;
    l2.useTrackColor = true;
    l2.trackR = 12;
    l2.trackG = 34;
    l2.trackB = 250;
    l2.outline = {{0, 0}, {1000, 0}, {1000, 600}, {0, 600}};
    Level l3;
    l3.id = 3;
    l3.name = "Two points";
    l3.height = -20;
    l3.trackR = 0;
    l3.trackG = 1;
    l3.trackB = 255;
    l3.outline = {{1, 1}, {2, 2}}; // too few to enclose anything: not stored
    l.levels = {l1, l2, l3};
    l.activeLevel = 2;

    l.baseboard = {{-100, -100}, {2300, -100}, {2300, 1100}};
    l.lastShapeType = 2;
    l.lastShapeW = 3000;
    l.lastShapeH = 1500.5;
    l.lastShapeW2 = 1200;
    l.lastShapeH2 = 600.25;

    LayoutLabel a;
    a.id = 20;
    a.x = 10;
    a.y = -20;
    a.text = "Tom & Jerry's <\"yard\">\nsecond line\r\nliteral &#10;";
    a.selected = true; // not stored
    LayoutLabel b;
    b.id = 21;
    l.labels = {a, b};

    PolygonShape lake;
    lake.id = 30;
    lake.fillR = 10;
    lake.fillG = 20;
    lake.fillB = 30;
    lake.fillA = 255;
    lake.outline = false;
    lake.level = 2;
    lake.height = 12.5;
    lake.label = "Lake & \"pond\"";
    lake.vertices = {{0, 0}, {50, 0}, {25, 40}};
    PolygonShape blank;
    blank.id = 31;
    l.shapes = {lake, blank};

    Tunnel t1;
    t1.id = 40;
    t1.portalA = 10;
    t1.portalB = 11;
    t1.anchorA = 1;
    t1.anchorB = 3;
    t1.covers = {2, 4};
    Tunnel t2;
    t2.id = 41;
    t2.portalA = 10;
    t2.portalB = 11;
    l.tunnels = {t1, t2};

    Helix h;
    h.id = 9;
    h.cx = 500;
    h.cy = -250.125;
    h.heading = 45;
    h.variant = "proses_2_5_r1r2";
    h.bottomR1 = 2;
    h.bottomR2 = 4;
    l.helices = {h};

    Measurement m;
    m.id = 50;
    m.x2 = 100;
    l.measurements = {m}; // never stored
    return l;
}

class LayoutFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("plandor_file_" + std::to_string(::getpid()) + "_" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& file) const { return (dir_ / file).string(); }

    // Saves `layout` and returns the bytes written.
    std::string saved(const Layout& layout, const std::string& name = "Test") {
        const std::string p = path("saved.plo");
        EXPECT_EQ(saveLayout(layout, p, name), "");
        return readFile(p);
    }

    // Loads `text` from a file into `layout`; returns the name read.
    std::string load(const std::string& text, Layout& layout) {
        const std::string p = path("in.plo");
        writeFile(p, text);
        std::string name = "unset";
        EXPECT_EQ(loadLayout(layout, p, name), "");
        return name;
    }

    Layout loaded(const std::string& text) {
        Layout l;
        load(text, l);
        return l;
    }

    fs::path dir_;
};

std::string withPieces(const std::string& pieceLines, const std::string& after = "") {
    return kHeader + "<layout name=\"t\" version=\"1\" units=\"0\">\n  <pieces>\n" + pieceLines +
           "  </pieces>\n" + after + "</layout>\n";
}

std::string inLayout(const std::string& body) {
    return kHeader + "<layout name=\"t\" version=\"1\" units=\"0\">\n" + body + "</layout>\n";
}

} // namespace

// ---------------------------------------------------------------------------------
// Writing and round trips

TEST_F(LayoutFileTest, WriterReproducesTheGoldenFile) {
    EXPECT_EQ(saved(fullLayout(), "Yard & \"Main\" <1>"), readFile(kGolden));
}

TEST_F(LayoutFileTest, GoldenFileLoadsAndWritesBackByteForByte) {
    Layout l;
    std::string name;
    ASSERT_EQ(loadLayout(l, kGolden, name), "");
    EXPECT_EQ(name, "Yard & \"Main\" <1>");
    EXPECT_EQ(saved(l, name), readFile(kGolden));
}

TEST_F(LayoutFileTest, GoldenFileReadsBackEveryField) {
    Layout l;
    std::string name;
    ASSERT_EQ(loadLayout(l, kGolden, name), "");
    const Layout want = fullLayout();

    ASSERT_EQ(l.pieces.size(), 4u);
    const PlacedPiece& p2 = l.pieces[1];
    EXPECT_DOUBLE_EQ(p2.x, 350.1234);
    EXPECT_TRUE(p2.reversed);
    EXPECT_EQ(p2.helix, 9);
    EXPECT_TRUE(p2.hasColor);
    EXPECT_EQ(p2.colorR, 255);
    EXPECT_EQ(p2.colorG, 0);
    EXPECT_EQ(p2.colorB, 0);
    // A piece read from a file has joint entries up to its highest joined connector.
    const PlacedPiece& p3 = l.pieces[2];
    EXPECT_EQ(p3.part, "99999");
    ASSERT_EQ(p3.joints.size(), 3u);
    EXPECT_TRUE(p3.joints[0].isFree());
    EXPECT_TRUE(p3.joints[1].isFree());
    EXPECT_EQ(p3.joints[2].target, 4);
    EXPECT_EQ(p3.joints[2].targetConn, 1);
    EXPECT_EQ(l.pieces[3].joints[1].target, 3);
    EXPECT_EQ(l.pieces[3].joints[1].targetConn, 2);

    EXPECT_EQ(l.scenery[1].item, want.scenery[1].item);
    EXPECT_DOUBLE_EQ(l.scenery[0].scaleY, 0.75);
    ASSERT_EQ(l.levels.size(), 3u);
    EXPECT_EQ(l.levels[1].name, "Upper <deck>");
    EXPECT_FALSE(l.levels[1].visible);
    EXPECT_EQ(l.levels[1].trackR, 12);
    EXPECT_EQ(l.levels[1].trackG, 34);
    EXPECT_EQ(l.levels[1].trackB, 250);
    EXPECT_EQ(l.levels[1].outline.size(), 4u);
    EXPECT_TRUE(l.levels[2].outline.empty()); // two points were not stored
    EXPECT_EQ(l.activeLevel, 2);
    EXPECT_EQ(l.baseboard.size(), 3u);
    EXPECT_EQ(l.lastShapeType, 2);
    EXPECT_DOUBLE_EQ(l.lastShapeH2, 600.25);
    EXPECT_EQ(l.labels[0].text, want.labels[0].text);
    EXPECT_FALSE(l.labels[0].selected);
    EXPECT_EQ(l.shapes[0].label, want.shapes[0].label);
    EXPECT_FALSE(l.shapes[0].outline);
    EXPECT_EQ(l.shapes[0].vertices.size(), 3u);
    EXPECT_EQ(l.tunnels[0].covers, (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(l.tunnels[1].anchorA, -1);
    EXPECT_DOUBLE_EQ(l.helices[0].cy, -250.125);
    EXPECT_EQ(l.units, 1u);
    EXPECT_EQ(l.nextId, 42u);
    EXPECT_TRUE(l.gradeActive);
    EXPECT_DOUBLE_EQ(l.gradeDeg, -1.25);
    EXPECT_EQ(l.gradeAnchor, 4);
    EXPECT_EQ(l.gradeConn, 0);
}

TEST_F(LayoutFileTest, EmptyLayoutWritesOnlyTheFixedLines) {
    EXPECT_EQ(saved(Layout{}, "Empty"),
              kHeader + "<layout name=\"Empty\" version=\"1\" units=\"0\">\n"
                        "  <pieces>\n"
                        "  </pieces>\n"
                        "  <lastshape id=\"0\" w_mm=\"2400.0000\" h_mm=\"1200.0000\" "
                        "w2_mm=\"1200.0000\" h2_mm=\"1200.0000\"/>\n"
                        "</layout>\n");
}

TEST_F(LayoutFileTest, RealsHaveFourDecimalsRoundedLikePrintf) {
    const double values[] = {0.0,  -0.0,  188.3,         -38.76,     0.00005,   0.00015, 2.00005,
                             1e-9, -1e-9, 123456789.123, 1e15 + 0.5, 359.99996, 1e300,   -2.5e-5};
    for (double v : values) {
        PlacedPiece p;
        p.id = 1;
        p.x = v;
        Layout l;
        l.pieces = {p};
        char want[512];
        std::snprintf(want, sizeof want, " x=\"%.4f\"", v);
        EXPECT_NE(saved(l).find(want), std::string::npos) << want;
    }
}

TEST_F(LayoutFileTest, NumbersIgnoreTheProcessLocale) {
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"};
    const std::string before = std::setlocale(LC_ALL, nullptr);
    bool switched = false;
    for (const char* n : names)
        if (std::setlocale(LC_ALL, n)) {
            switched = true;
            break;
        }
    if (!switched)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const std::string text = saved(fullLayout(), "Yard & \"Main\" <1>");
    Layout l;
    std::string name;
    const std::string err = loadLayout(l, kGolden, name);
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(text, readFile(kGolden));
    EXPECT_EQ(err, "");
    EXPECT_DOUBLE_EQ(l.pieces[0].x, 188.3);
}

TEST_F(LayoutFileTest, OptionalPieceAttributesAppearOnlyWhenSet) {
    PlacedPiece p;
    p.id = 7;
    p.part = "24188";
    Layout l;
    l.pieces = {p};
    const std::string text = saved(l);
    EXPECT_NE(
        text.find("<piece id=\"7\" cat=\"24188\" x=\"0.0000\" y=\"0.0000\" heading=\"0.0000\" "
                  "z=\"0.0000\" grade=\"0.0000\" level=\"1\" sel=\"0\">\n    </piece>\n"),
        std::string::npos)
        << text;
}

TEST_F(LayoutFileTest, HeadingWrittenAs360ReadsBackAsZero) {
    const Layout l =
        loaded(withPieces("    <piece id=\"1\" cat=\"a\" x=\"0\" y=\"0\" heading=\"360.0000\">\n"
                          "    </piece>\n    <piece id=\"2\" cat=\"a\" x=\"0\" y=\"0\" "
                          "heading=\"-90\">\n    </piece>\n",
                          "  <scenery>\n    <sceneryitem id=\"3\" item=\"s\" x=\"0\" y=\"0\" "
                          "heading=\"720.5\"/>\n  </scenery>\n  <helices>\n    <helix id=\"4\" "
                          "cx=\"0\" cy=\"0\" heading=\"360\" bottomR1=\"1\" bottomR2=\"2\" "
                          "topR1=\"1\" topR2=\"2\"/>\n  </helices>\n"));
    ASSERT_EQ(l.pieces.size(), 2u);
    EXPECT_DOUBLE_EQ(l.pieces[0].heading, 0.0);
    EXPECT_DOUBLE_EQ(l.pieces[1].heading, 270.0);
    EXPECT_DOUBLE_EQ(l.scenery.at(0).heading, 0.5);
    EXPECT_DOUBLE_EQ(l.helices.at(0).heading, 0.0);
}

// ---------------------------------------------------------------------------------
// The attribute getter and text values

TEST(LayoutFileAttributes, NamesMatchOnlyWhereAnAttributeStarts) {
    struct Case {
        const char* what;
        std::string line;
        std::string name;
        std::string want;
    };
    const Case cases[] = {
        {"r is not inside trackcolor", R"(<level id="1" trackcolor="1" r="12" g="34" b="56"/>)",
         "r", "12"},
        {"conn is not inside tconn", R"(<joint tconn="5" conn="2" target="9"/>)", "conn", "2"},
        {"x is not inside scalex", R"(<sceneryitem scalex="2.0" x="7.5"/>)", "x", "7.5"},
        {"a value never hides an attribute", R"(<sceneryitem item="odd x=" x="3"/>)", "x", "3"},
        {"absent name", R"(<piece id="1"/>)", "cat", ""},
        {"no closing quote", R"(<piece id="1" cat="2418)", "cat", ""},
        {"first occurrence wins", R"(<v x="1" x="2"/>)", "x", "1"},
        {"value is not trimmed", R"(<label text=" a b "/>)", "text", " a b "},
        {"name glued to a previous value", R"(<v a="1"x="2"/>)", "x", ""},
        {"four entities", R"(<l t="&lt;&gt;&amp;&quot;"/>)", "t", "<>&\""},
        {"line breaks", R"(<l t="a&#10;b&#13;c"/>)", "t", "a\nb\rc"},
        {"escaped entity stays literal", R"(<l t="&amp;#10;&amp;lt;"/>)", "t", "&#10;&lt;"},
        {"unknown entity keeps its ampersand", R"(<l t="&nbsp;&lt&#9;&"/>)", "t", "&nbsp;&lt&#9;&"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(attributeValue(c.line, c.name), c.want) << c.what;
}

TEST(LayoutFileAttributes, EscapedTextSurvivesRepeatedRoundTrips) {
    const std::string texts[] = {"plain",    "<>&\"", "&amp;",     "&#10;",
                                 "a\nb\r\n", "",      "&lt;&#13;", "' tab\there"};
    for (const std::string& t : texts) {
        std::string value = t;
        for (int i = 0; i < 3; ++i) {
            const std::string escaped = escapeText(value);
            EXPECT_EQ(escaped.find_first_of("<>\"\n\r"), std::string::npos) << escaped;
            value = attributeValue("<l text=\"" + escaped + "\"/>", "text");
        }
        EXPECT_EQ(value, t);
    }
}

TEST(LayoutFileNumbers, ConversionTakesTheLongestNumericPrefix) {
    struct IntCase {
        const char* text;
        std::optional<int32_t> want;
    };
    const IntCase ints[] = {{"42", 42},
                            {"-7", -7},
                            {"12abc", 12},
                            {"3.9", 3},
                            {" 5", 5},
                            {"+5", 5},
                            {"2147483647", 2147483647},
                            {"-2147483648", INT32_MIN},
                            {"2147483648", std::nullopt},
                            {"-2147483649", std::nullopt},
                            {"99999999999999999999", std::nullopt},
                            {"", std::nullopt},
                            {"abc", std::nullopt},
                            {"-", std::nullopt}};
    for (const IntCase& c : ints)
        EXPECT_EQ(readInt(c.text), c.want) << c.text;

    struct RealCase {
        const char* text;
        std::optional<double> want;
    };
    const RealCase reals[] = {{"188.3000", 188.3},
                              {"-38.76", -38.76},
                              {"3.5mm", 3.5},
                              {"1e3", 1000.0},
                              {".5", 0.5},
                              {"1e308", 1e308},
                              {"1e309", std::nullopt},
                              {"nan", std::nullopt},
                              {"inf", std::nullopt},
                              {"-inf", std::nullopt},
                              {"infinity", std::nullopt},
                              {"", std::nullopt},
                              {"x", std::nullopt}};
    for (const RealCase& c : reals)
        EXPECT_EQ(readReal(c.text), c.want) << c.text;
}

// ---------------------------------------------------------------------------------
// Reading rules

TEST_F(LayoutFileTest, PieceDefaultsAndColour) {
    const Layout l = loaded(withPieces(
        "    <piece id=\"1\" cat=\"24188\" x=\"1\" y=\"2\" heading=\"3\">\n    </piece>\n"
        "    <piece id=\"2\" cat=\"24188\" x=\"1\" y=\"2\" heading=\"3\" color=\"16711680\">\n"
        "    </piece>\n"
        "    <piece id=\"3\" cat=\"24188\" x=\"1\" y=\"2\" heading=\"3\" rev=\"yes\" "
        "sel=\"true\" color=\"65280\" z=\"oops\" level=\"\">\n    </piece>\n"));
    ASSERT_EQ(l.pieces.size(), 3u);
    const PlacedPiece& plain = l.pieces[0];
    EXPECT_FALSE(plain.reversed);
    EXPECT_EQ(plain.helix, -1);
    EXPECT_FALSE(plain.hasColor);
    EXPECT_FALSE(plain.selected);
    EXPECT_EQ(plain.level, 1);
    EXPECT_DOUBLE_EQ(plain.z, 0);
    EXPECT_TRUE(plain.joints.empty());
    EXPECT_TRUE(l.pieces[1].hasColor);
    EXPECT_EQ(l.pieces[1].colorR, 255);
    EXPECT_EQ(l.pieces[1].colorG, 0);
    EXPECT_EQ(l.pieces[1].colorB, 0);
    // Flags are set only by "1"; an optional value that is no number takes its default.
    const PlacedPiece& odd = l.pieces[2];
    EXPECT_FALSE(odd.reversed);
    EXPECT_FALSE(odd.selected);
    EXPECT_EQ(odd.colorG, 255);
    EXPECT_DOUBLE_EQ(odd.z, 0);
    EXPECT_EQ(odd.level, 1);
}

TEST_F(LayoutFileTest, JointBeyondTheListExtendsItWithFreeEntries) {
    const Layout l =
        loaded(withPieces("    <piece id=\"7\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\">\n"
                          "      <joint conn=\"0\" target=\"8\" tconn=\"1\"/>\n"
                          "      <joint conn=\"3\" target=\"9\" tconn=\"0\"/>\n"
                          "    </piece>\n"));
    ASSERT_EQ(l.pieces.at(0).joints.size(), 4u);
    EXPECT_EQ(l.pieces[0].joints[0].target, 8);
    EXPECT_TRUE(l.pieces[0].joints[1].isFree());
    EXPECT_EQ(l.pieces[0].joints[1].targetConn, -1);
    EXPECT_TRUE(l.pieces[0].joints[2].isFree());
    EXPECT_EQ(l.pieces[0].joints[3].target, 9);
}

TEST_F(LayoutFileTest, MissingLevelsGiveLevelOneAndActiveLevelOne) {
    Layout l;
    l.levels = {Level{}, Level{}, Level{}};
    l.levels[2].id = 3;
    l.activeLevel = 3;
    load(withPieces(""), l);
    ASSERT_EQ(l.levels.size(), 1u);
    EXPECT_EQ(l.levels[0].id, 1);
    EXPECT_EQ(l.levels[0].name, "Level 1");
    EXPECT_TRUE(l.levels[0].visible);
    EXPECT_EQ(l.levels[0].trackR, 180);
    EXPECT_EQ(l.levels[0].trackG, 200);
    EXPECT_EQ(l.levels[0].trackB, 220);
    EXPECT_EQ(l.activeLevel, 1);
}

TEST_F(LayoutFileTest, LevelAttributesTakeTheirDefaults) {
    const Layout l = loaded(inLayout("  <levels>\n    <level id=\"1\"/>\n"
                                     "  <levels active=\"4\">\n"
                                     "    <level id=\"4\" visible=\"no\" r=\"300\" g=\"-5\"/>\n"
                                     "  </levels>\n"
                                     "    <level id=\"9\" name=\"outside\"/>\n"));
    // "<levels>" without attributes does not open the section; the second one does.
    ASSERT_EQ(l.levels.size(), 1u);
    const Level& lv = l.levels[0];
    EXPECT_EQ(lv.id, 4);
    EXPECT_EQ(lv.name, "");
    EXPECT_TRUE(lv.visible); // only "0" hides a level
    EXPECT_DOUBLE_EQ(lv.height, 0);
    EXPECT_FALSE(lv.useTrackColor);
    EXPECT_EQ(lv.trackR, 255); // colour components are clamped to 0..255
    EXPECT_EQ(lv.trackG, 0);
    EXPECT_EQ(lv.trackB, 180);
    EXPECT_EQ(l.activeLevel, 4);
}

TEST_F(LayoutFileTest, HelixWithoutVariantTakesTheDefaultVariant) {
    const Layout l = loaded(inLayout(
        "  <helices>\n"
        "    <helix id=\"5\" cx=\"1\" cy=\"2\" heading=\"0\" bottomR1=\"1\" bottomR2=\"2\" "
        "topR1=\"3\" topR2=\"4\"/>\n"
        "    <helix id=\"6\" cx=\"1\" cy=\"2\" heading=\"0\" variant=\"\" bottomR1=\"1\" "
        "bottomR2=\"2\" topR1=\"3\" topR2=\"4\"/>\n"
        "  </helices>\n"));
    ASSERT_EQ(l.helices.size(), 2u);
    EXPECT_EQ(l.helices[0].variant, "proses_2_5_r1r2");
    EXPECT_EQ(l.helices[1].variant, ""); // written empty, read back empty
}

TEST_F(LayoutFileTest, ShapeLinesAndTheirVertices) {
    const Layout l = loaded(inLayout("  <shapes>\n"
                                     "    <v x=\"1\" y=\"1\"/>\n"
                                     "    <shape id=\"3\" r=\"1\" g=\"2\" b=\"3\"></shape>\n"
                                     "    <shape label=\"x\">\n"
                                     "      <v x=\"1\" y=\"2\"/>\n"
                                     "      <v x=\"5\"/>\n"
                                     "    </shape>\n"
                                     "  </shapes>\n"));
    // The one-line shape is not read, the stray vertex before any shape is dropped.
    ASSERT_EQ(l.shapes.size(), 1u);
    const PolygonShape& s = l.shapes[0];
    EXPECT_EQ(s.id, -1);
    EXPECT_EQ(s.fillR, 120);
    EXPECT_EQ(s.fillG, 170);
    EXPECT_EQ(s.fillB, 110);
    EXPECT_EQ(s.fillA, 140);
    EXPECT_TRUE(s.outline);
    EXPECT_EQ(s.label, "x");
    ASSERT_EQ(s.vertices.size(), 1u);
    EXPECT_DOUBLE_EQ(s.vertices[0].y, 2);
    EXPECT_EQ(l.nextId, 1u);
}

TEST_F(LayoutFileTest, IdsOfAllKindsShareOneCounter) {
    std::string pieces;
    for (int id = 1; id <= 40; ++id)
        pieces += "    <piece id=\"" + std::to_string(id) +
                  "\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\">\n    </piece>\n";
    const Layout l = loaded(withPieces(
        pieces, "  <labels>\n    <label id=\"57\" x=\"0\" y=\"0\" text=\"t\"/>\n  </labels>\n"));
    EXPECT_EQ(l.pieces.size(), 40u);
    EXPECT_EQ(l.nextId, 58u);
}

TEST_F(LayoutFileTest, GradeStateFollowsTheLastRun) {
    Layout l;
    l.gradeActive = true;
    l.gradeAnchor = 12;
    l.gradeConn = 0;
    load(inLayout(""), l);
    EXPECT_FALSE(l.gradeActive);
    EXPECT_DOUBLE_EQ(l.gradeDeg, 0);
    EXPECT_EQ(l.gradeAnchor, -1);
    EXPECT_EQ(l.gradeConn, 1);

    load(inLayout("  <grade_runs>\n    <run deg=\"1.5\" anchor=\"3\" conn=\"0\"/>\n"
                  "    <run deg=\"-2\" anchor=\"8\" conn=\"1\"/>\n"
                  "    <run deg=\"x\" anchor=\"9\" conn=\"1\"/>\n  </grade_runs>\n"),
         l);
    ASSERT_EQ(l.gradeRuns.size(), 2u);
    EXPECT_TRUE(l.gradeActive);
    EXPECT_DOUBLE_EQ(l.gradeDeg, -2);
    EXPECT_EQ(l.gradeAnchor, 8);
    EXPECT_EQ(l.gradeConn, 1);
}

TEST_F(LayoutFileTest, ASelectedHelixPieceSelectsItsWholeHelixOnly) {
    auto piece = [](int id, int helix, bool sel) {
        std::string s = "    <piece id=\"" + std::to_string(id) +
                        "\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\" level=\"1\"";
        if (helix != -1)
            s += " helix=\"" + std::to_string(helix) + "\"";
        return s + " sel=\"" + (sel ? "1" : "0") + "\">\n    </piece>\n";
    };
    const Layout l =
        loaded(withPieces(piece(1, 9, false) + piece(2, 9, true) + piece(3, 5, false) +
                          piece(4, -1, true) + piece(5, -1, false) + piece(6, 9, false)));
    std::vector<bool> sel;
    for (const PlacedPiece& p : l.pieces)
        sel.push_back(p.selected);
    EXPECT_EQ(sel, (std::vector<bool>{true, true, false, true, false, true}));
}

TEST_F(LayoutFileTest, LoadKeepsMeasurementsAndViewSettings) {
    Layout l = fullLayout();
    l.snapOn = false;
    l.showGrid = false;
    l.gridSpacing = 10;
    l.lastShapeW = 1234;
    load(inLayout("  <lastshape id=\"1\" h_mm=\"99\"/>\n"), l);
    EXPECT_EQ(l.measurements.size(), 1u);
    EXPECT_FALSE(l.snapOn);
    EXPECT_FALSE(l.showGrid);
    EXPECT_DOUBLE_EQ(l.gridSpacing, 10);
    // Lists the file stores are replaced; absent last-shape values stay as they were.
    EXPECT_TRUE(l.pieces.empty());
    EXPECT_TRUE(l.labels.empty());
    EXPECT_TRUE(l.baseboard.empty());
    EXPECT_EQ(l.lastShapeType, 1);
    EXPECT_DOUBLE_EQ(l.lastShapeW, 1234);
    EXPECT_DOUBLE_EQ(l.lastShapeH, 99);
    EXPECT_EQ(l.units, 0u);
}

TEST_F(LayoutFileTest, EmptyPieceSectionOnOneLineDoesNotSwallowTheRest) {
    const Layout l = loaded(inLayout("  <pieces></pieces>\n"
                                     "  <labels>\n    <label id=\"4\" x=\"1\" y=\"2\" "
                                     "text=\"kept\"/>\n  </labels>\n"));
    EXPECT_TRUE(l.pieces.empty());
    ASSERT_EQ(l.labels.size(), 1u);
    EXPECT_EQ(l.labels[0].text, "kept");
}

TEST_F(LayoutFileTest, UnknownUnitsFallBackToMillimetres) {
    for (const char* units : {"2", "3", "-1", "abc"}) {
        Layout l;
        load(kHeader + "<layout name=\"n\" version=\"1\" units=\"" + units + "\">\n</layout>\n", l);
        EXPECT_EQ(l.units, std::string(units) == "2" ? 2u : 0u) << units;
    }
}

TEST_F(LayoutFileTest, ElementsOutsideTheirSectionAreIgnored) {
    const Layout l =
        loaded(inLayout("  <vertex x=\"1\" y=\"1\"/>\n"
                        "  <sceneryitem id=\"80\" item=\"s\" x=\"0\" y=\"0\" heading=\"0\"/>\n"
                        "  <piece id=\"81\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\">\n"
                        "  <pt x=\"1\" y=\"1\"/>\n"
                        "  <covers piece=\"3\"/>\n"));
    EXPECT_TRUE(l.baseboard.empty());
    EXPECT_TRUE(l.scenery.empty());
    EXPECT_TRUE(l.pieces.empty());
    EXPECT_TRUE(l.levels.at(0).outline.empty());
    EXPECT_TRUE(l.tunnels.empty());
    EXPECT_EQ(l.nextId, 1u);
}

// A required attribute that is absent or not a number leaves its element out, and the
// element's child lines do not fall to the element before it.
TEST_F(LayoutFileTest, ElementsMissingARequiredNumberAreSkippedWithTheirChildren) {
    const Layout l = loaded(withPieces(
        "    <piece id=\"1\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\">\n    </piece>\n"
        "    <piece id=\"2\" cat=\"a\" x=\"0\" heading=\"0\">\n"
        "      <joint conn=\"0\" target=\"1\" tconn=\"0\"/>\n    </piece>\n"
        "    <piece id=\"3\" cat=\"a\" x=\"nan\" y=\"0\" heading=\"0\">\n    </piece>\n"
        "    <piece id=\"4\" cat=\"a\" x=\"0\" y=\"inf\" heading=\"0\">\n    </piece>\n"
        "    <piece id=\"5\" cat=\"a\" x=\"1e999\" y=\"0\" heading=\"0\">\n    </piece>\n"
        "    <piece id=\"99999999999\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\">\n    </piece>\n"
        "    <piece id=\"6\" cat=\"a\" x=\"0\" y=\"0\" heading=\"north\">\n    </piece>\n",
        "  <levels active=\"1\">\n"
        "    <level id=\"1\" name=\"one\"/>\n"
        "    <level name=\"no id\">\n      <pt x=\"1\" y=\"1\"/>\n    </level>\n"
        "  </levels>\n"
        "  <labels>\n    <label id=\"7\" x=\"1\" text=\"no y\"/>\n  </labels>\n"
        "  <tunnels>\n    <tunnel id=\"8\" portalA=\"1\" portalB=\"2\">\n    </tunnel>\n"
        "    <tunnel id=\"9\" portalA=\"1\">\n      <covers piece=\"1\"/>\n    </tunnel>\n"
        "  </tunnels>\n"
        "  <scenery>\n    <sceneryitem id=\"10\" item=\"s\" x=\"0\" y=\"0\"/>\n  </scenery>\n"
        "  <baseboard>\n    <vertex x=\"1\"/>\n  </baseboard>\n"
        "  <helices>\n    <helix id=\"11\" cx=\"0\" cy=\"0\" heading=\"0\" bottomR1=\"1\" "
        "bottomR2=\"2\" topR1=\"3\"/>\n  </helices>\n"));
    ASSERT_EQ(l.pieces.size(), 1u);
    EXPECT_TRUE(l.pieces[0].joints.empty());
    ASSERT_EQ(l.levels.size(), 1u);
    EXPECT_TRUE(l.levels[0].outline.empty());
    EXPECT_TRUE(l.labels.empty());
    ASSERT_EQ(l.tunnels.size(), 1u);
    EXPECT_TRUE(l.tunnels[0].covers.empty());
    EXPECT_TRUE(l.scenery.empty());
    EXPECT_TRUE(l.baseboard.empty());
    EXPECT_TRUE(l.helices.empty());
    EXPECT_EQ(l.nextId, 9u);
}

// ---------------------------------------------------------------------------------
// Damaged files

namespace {

// What any load must leave behind, however damaged the file.
void expectSaneLayout(const Layout& l, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(l.levels.empty());
    for (const PlacedPiece& p : l.pieces) {
        EXPECT_LE(p.joints.size(), 64u);
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
        EXPECT_GE(p.heading, 0.0);
        EXPECT_LT(p.heading, 360.0);
        EXPECT_GT(static_cast<int64_t>(l.nextId), p.id);
        for (const Joint& j : p.joints)
            EXPECT_TRUE(j.isFree() || (j.targetConn >= 0 && j.targetConn < 64));
    }
    for (const Level& lv : l.levels)
        for (const Point& pt : lv.outline)
            EXPECT_TRUE(std::isfinite(pt.x) && std::isfinite(pt.y));
    EXPECT_LE(l.units, 2u);
}

std::string garbage(std::size_t n, unsigned seed) {
    std::string s(n, '\0');
    for (char& c : s) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return s;
}

} // namespace

TEST_F(LayoutFileTest, DamagedFilesLoadWithBoundedResults) {
    const std::string golden = readFile(kGolden);
    const std::string piece = "    <piece id=\"1\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\">\n";
    struct Case {
        const char* what;
        std::string text;
        std::function<void(const Layout&)> check;
    };
    const Case cases[] = {
        {"truncated mid-line", golden.substr(0, golden.find("y=\"20.0000\"")),
         [](const Layout& l) {
             EXPECT_EQ(l.pieces.size(), 3u);
             EXPECT_TRUE(l.scenery.empty());
         }},
        {"truncated inside a value", golden.substr(0, golden.find("-38.76") + 3),
         [](const Layout& l) { EXPECT_TRUE(l.pieces.empty()); }},
        {"garbage bytes", garbage(100000, 7), nullptr},
        {"garbage between lines",
         golden.substr(0, 500) + garbage(5000, 3) + "\n" + golden.substr(500), nullptr},
        {"empty file", "", [](const Layout& l) { EXPECT_EQ(l.nextId, 1u); }},
        {"no final newline", golden.substr(0, golden.size() - 1),
         [](const Layout& l) { EXPECT_EQ(l.helices.size(), 1u); }},
        {"last element without newline",
         withPieces("") + "  <labels>\n    <label id=\"3\" x=\"1\" y=\"1\" text=\"end\"/>",
         [](const Layout& l) { EXPECT_EQ(l.labels.size(), 1u); }},
        {"joints before any piece",
         withPieces("      <joint conn=\"0\" target=\"2\" tconn=\"0\"/>\n" + piece +
                    "    </piece>\n"),
         [](const Layout& l) {
             ASSERT_EQ(l.pieces.size(), 1u);
             EXPECT_TRUE(l.pieces[0].joints.empty());
         }},
        {"huge and negative connector numbers",
         withPieces(piece + "      <joint conn=\"2000000000\" target=\"2\" tconn=\"0\"/>\n"
                            "      <joint conn=\"64\" target=\"2\" tconn=\"0\"/>\n"
                            "      <joint conn=\"-1\" target=\"2\" tconn=\"0\"/>\n"
                            "      <joint conn=\"1\" target=\"2\" tconn=\"-3\"/>\n"
                            "      <joint conn=\"2\" target=\"2\" tconn=\"99\"/>\n"
                            "      <joint conn=\"63\" target=\"2\" tconn=\"63\"/>\n"
                            "    </piece>\n"),
         [](const Layout& l) {
             ASSERT_EQ(l.pieces.size(), 1u);
             ASSERT_EQ(l.pieces[0].joints.size(), 64u);
             for (int c = 0; c < 63; ++c)
                 EXPECT_TRUE(l.pieces[0].joints[c].isFree()) << c;
         }},
        {"nan and inf coordinates",
         withPieces("    <piece id=\"1\" cat=\"a\" x=\"nan\" y=\"0\" heading=\"0\" z=\"inf\">\n",
                    "  <levels active=\"1\">\n    <level id=\"1\">\n"
                    "      <pt x=\"-nan\" y=\"1\"/>\n      <pt x=\"1\" y=\"2\"/>\n"
                    "    </level>\n  </levels>\n"
                    "  <lastshape w_mm=\"inf\"/>\n"),
         [](const Layout& l) {
             EXPECT_TRUE(l.pieces.empty());
             EXPECT_EQ(l.levels[0].outline.size(), 1u);
             EXPECT_DOUBLE_EQ(l.lastShapeW, 2400);
         }},
        {"optional real that is not finite",
         withPieces("    <piece id=\"1\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\" z=\"inf\" "
                    "grade=\"nan\">\n    </piece>\n"),
         [](const Layout& l) {
             ASSERT_EQ(l.pieces.size(), 1u);
             EXPECT_DOUBLE_EQ(l.pieces[0].z, 0);
             EXPECT_DOUBLE_EQ(l.pieces[0].grade, 0);
         }},
        {"ten megabyte label",
         inLayout("  <labels>\n    <label id=\"2\" x=\"0\" y=\"0\" text=\"" +
                  std::string(10 << 20, 'w') + "\"/>\n  </labels>\n"),
         [](const Layout& l) {
             ASSERT_EQ(l.labels.size(), 1u);
             EXPECT_EQ(l.labels[0].text.size(), std::size_t(10) << 20);
         }},
        {"ten megabyte line of attributes",
         [] {
             std::string line = "    <piece id=\"1\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\"";
             while (line.size() < (10u << 20))
                 line += " q=\"&amp;&#1\" =\"\"";
             return withPieces(line + ">\n    </piece>\n");
         }(),
         [](const Layout& l) { EXPECT_EQ(l.pieces.size(), 1u); }},
        {"ten megabyte line of tag openers", inLayout(std::string(10 << 20, '<') + "\n"), nullptr},
        {"ten megabyte line of quotes and equals", inLayout(std::string(10 << 20, '=') + "\"\n"),
         nullptr},
        {"ten megabyte pieces section without an end",
         kHeader + "<layout>\n  <pieces>\n" + std::string(10 << 20, ' ') + "<joint ", nullptr},
        {"nul bytes",
         [] {
             const char line[] = "    <label id=\"2\" x=\"0\" y=\"0\" text=\"a\0b\"/>\n";
             return inLayout("  <labels>\n" + std::string(line, sizeof line - 1) + "  </labels>\n");
         }(),
         [](const Layout& l) {
             ASSERT_EQ(l.labels.size(), 1u);
             EXPECT_EQ(l.labels[0].text, std::string("a\0b", 3));
         }},
        {"overflowing ids",
         withPieces("    <piece id=\"2147483647\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\">\n"
                    "    </piece>\n"),
         [](const Layout& l) { EXPECT_EQ(l.nextId, 2147483648u); }},
    };
    for (const Case& c : cases) {
        Layout l;
        load(c.text, l);
        expectSaneLayout(l, c.what);
        if (c.check) {
            SCOPED_TRACE(c.what);
            c.check(l);
        }
    }
}

TEST_F(LayoutFileTest, CarriageReturnLineEndsReadLikeLineFeeds) {
    const std::string golden = readFile(kGolden);
    std::string crlf;
    for (char c : golden) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    Layout l;
    const std::string name = load(crlf, l);
    EXPECT_EQ(name, "Yard & \"Main\" <1>");
    EXPECT_EQ(saved(l, name), golden);
}

TEST_F(LayoutFileTest, UnreadablePathLeavesTheLayoutUntouched) {
    const Layout before = fullLayout();
    const std::string beforeText = saved(before, "Before");
    const std::string paths[] = {path("missing.plo"), dir_.string(), path("no/such/dir.plo"),
                                 "/dev/zero"};
    for (const std::string& p : paths) {
        Layout l = fullLayout();
        std::string name = "Before";
        EXPECT_EQ(loadLayout(l, p, name), "Cannot open file: " + p);
        EXPECT_EQ(name, "Before");
        EXPECT_EQ(saved(l, name), beforeText) << p;
        EXPECT_EQ(l.measurements.size(), 1u);
    }
}

// ---------------------------------------------------------------------------------
// Saving safely

TEST_F(LayoutFileTest, SavingReplacesTheFileAndLeavesNoTemporary) {
    const std::string p = path("layout.plo");
    writeFile(p, "old content that is longer than the new one, surely it is longer..." +
                     std::string(2000, 'x'));
    ASSERT_EQ(saveLayout(Layout{}, p, "New"), "");
    EXPECT_EQ(readFile(p).find("<layout name=\"New\""), kHeader.size());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(LayoutFileTest, SaveThatCannotCreateTheFileReportsIt) {
    writeFile(path("plain"), "a file, not a folder");
    const std::string paths[] = {path("missing/layout.plo"), path("plain/layout.plo")};
    for (const std::string& p : paths)
        EXPECT_EQ(saveLayout(fullLayout(), p, "n"), "Cannot open file: " + p);
}

TEST_F(LayoutFileTest, FailedWriteKeepsTheOldFileAndRemovesTheTemporary) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const std::string p = path("layout.plo");
    writeFile(p, "the only copy");
    // The writer stages its output in "<path>.tmp"; pointing that at a full device
    // makes every write fail.
    fs::create_symlink("/dev/full", p + ".tmp");
    EXPECT_EQ(saveLayout(fullLayout(), p, "n"), "Cannot write file: " + p);
    EXPECT_EQ(readFile(p), "the only copy");
    EXPECT_FALSE(fs::exists(fs::symlink_status(p + ".tmp")));
}

TEST_F(LayoutFileTest, FolderAtTheTargetPathIsLeftAlone) {
    const std::string folder = path("taken.plo");
    fs::create_directory(folder); // a folder cannot be replaced by a file
    writeFile(folder + "/inside", "kept");
    EXPECT_EQ(saveLayout(fullLayout(), folder, "n"), "Cannot open file: " + folder);
    EXPECT_EQ(readFile(folder + "/inside"), "kept");
    EXPECT_FALSE(fs::exists(folder + ".tmp"));
}

TEST_F(LayoutFileTest, ReadOnlyTargetIsLeftAlone) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "file modes do not stop root";
    const std::string readOnly = path("readonly.plo");
    writeFile(readOnly, "protected");
    fs::permissions(readOnly, fs::perms::owner_read);
    EXPECT_EQ(saveLayout(fullLayout(), readOnly, "n"), "Cannot open file: " + readOnly);
    EXPECT_EQ(readFile(readOnly), "protected");
}

TEST_F(LayoutFileTest, ReplacedFileKeepsItsPermissions) {
    const std::string p = path("layout.plo");
    writeFile(p, "old");
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(p, mode);
    ASSERT_EQ(saveLayout(Layout{}, p, "n"), "");
    EXPECT_EQ(fs::status(p).permissions(), mode);
}

// ---------------------------------------------------------------------------------
// The piece reader on its own (shared with library blocks)

TEST(LayoutFilePieceReader, StopsAfterTheSectionEndAndRaisesTheMaximumId) {
    for (const char* end : {"</pieces>", "</block>", "</layout>"}) {
        std::istringstream in("  <piece id=\"12\" cat=\"a\" x=\"1\" y=\"2\" heading=\"3\">\n"
                              "    <joint conn=\"1\" target=\"13\" tconn=\"0\"/>\n"
                              "  </piece>\n  <piece id=\"3\" cat=\"b\" x=\"1\" y=\"2\" "
                              "heading=\"3\">\n  </piece>\n" +
                              std::string(end) + "\nnext line\n");
        std::vector<PlacedPiece> pieces(1);
        int32_t maxId = 5;
        parsePieces(in, pieces, maxId);
        ASSERT_EQ(pieces.size(), 3u) << end;
        EXPECT_TRUE(pieces[0].joints.empty()); // the joint went to its own piece
        EXPECT_EQ(pieces[1].joints.at(1).target, 13);
        EXPECT_EQ(maxId, 12);
        std::string rest;
        std::getline(in, rest);
        EXPECT_EQ(rest, "next line");
    }
}

TEST(LayoutFilePieceReader, PieceLinesAtAnyIndentReadBackExactly) {
    const Layout full = fullLayout();
    std::string text;
    appendPieceLines(text, full.pieces, 2);
    EXPECT_EQ(text.rfind("  <piece id=\"1\"", 0), 0u);
    std::istringstream in(text + "</block>\n");
    std::vector<PlacedPiece> pieces;
    int32_t maxId = 0;
    parsePieces(in, pieces, maxId);
    std::string again;
    appendPieceLines(again, pieces, 2);
    EXPECT_EQ(again, text);
    EXPECT_EQ(maxId, 4);
}
