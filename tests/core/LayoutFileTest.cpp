// The layout file: the golden file byte for byte, every record field through a save and a load,
// the reader's rules, damaged files and saving without losing the old file.
#include "core/model/LayoutFile.h"
#include "LayoutBuilder.h"
#include "TempFolder.h"
#include "core/base/Process.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

// A device rather than a file (/dev/zero would never end for a reader that tried).
#ifdef _WIN32
constexpr const char* kDeviceFile = "NUL";
#else
constexpr const char* kDeviceFile = "/dev/zero";
#endif

// Every section and every optional attribute the writer knows.
const std::string kGolden = std::string(PLANDOR_TEST_DATA) + "/layout_all_sections.plo";
const std::string kGoldenName = "Yard & \"Main\" <1>";
const std::string kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string inLayout(const std::string& body) {
    return kHeader + "<layout name=\"t\" version=\"1\" units=\"0\">\n" + body + "</layout>\n";
}

std::string withPieces(const std::string& pieces, const std::string& after = "") {
    return inLayout("  <pieces>\n" + pieces + "  </pieces>\n" + after);
}

std::string piece(const std::string& attrs, const std::string& children = "") {
    return "    <piece " + attrs + ">\n" + children + "    </piece>\n";
}

// Gives every field of a record a value no record starts with; `seed` keeps records and
// fields apart so that a field read into its neighbour shows.
class Filler {
  public:
    explicit Filler(int seed) : n_(seed * 100) {}

    template <typename R> R filled() {
        R record;
        std::apply([this](auto&... field) { (set(field), ...); }, R::fieldsOf(record));
        return record;
    }

  private:
    void set(int32_t& v) { v = 7 + next(); }
    void set(uint8_t& v) { v = static_cast<uint8_t>(200 - next() % 50); }
    void set(bool& v) { v = !v; }
    // Pieces and levels store an opaque colour without its alpha; shapes store the alpha too.
    void set(Color& v) {
        set(v.r);
        set(v.g);
        set(v.b);
        if (v.a != 255)
            set(v.a);
    }
    // Below 360, so headings need no bringing into range.
    void set(double& v) { v = 12.25 + next() % 300; }
    void set(std::string& v) { v = "v<&\"" + std::to_string(next()) + "\n"; }
    void set(std::vector<Point>& v) {
        for (int i = 0; i < 3; ++i)
            v.push_back(Point{1.5 + next(), -2.5 - next()});
    }
    void set(std::vector<int32_t>& v) { v = {next(), next()}; }
    // A file keeps joints up to the highest joined connector, so the last one is joined.
    void set(std::vector<Joint>& v) { v = {Joint{next(), 1}, Joint{}, Joint{next(), 0}}; }

    int next() { return ++n_; }
    int n_;
};

class LayoutFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("plandor_file_" + std::to_string(currentProcess().pid) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& file) const { return (dir_ / file).string(); }

    std::string saved(const Layout& layout, const std::string& name) {
        EXPECT_EQ(saveLayout(layout, path("saved.plo"), name), "");
        return readFile(path("saved.plo"));
    }

    // Loads `text` into `layout` (which keeps what the file does not replace).
    std::string load(const std::string& text, Layout& layout) {
        writeFile(path("in.plo"), text);
        std::string name;
        EXPECT_EQ(loadLayout(layout, path("in.plo"), name), "");
        return name;
    }
    Layout loaded(const std::string& text) {
        Layout l;
        load(text, l);
        return l;
    }
    Layout golden() {
        Layout l;
        std::string name;
        EXPECT_EQ(loadLayout(l, kGolden, name), "");
        EXPECT_EQ(name, kGoldenName);
        return l;
    }

    fs::path dir_;
};

} // namespace

// Round trips

TEST_F(LayoutFileTest, GoldenFileReadsAndWritesBackByteForByte) {
    Layout l = golden();
    // What the writer leaves out: outlines of two points, measurements, label selection.
    l.levels.at(2).outline = {{1, 1}, {2, 2}};
    l.measurements.push_back(Measurement{});
    l.labels.at(0).selected = true;
    EXPECT_EQ(saved(l, kGoldenName), readFile(kGolden));

    // A few fields read back, so a reader and writer cannot agree on a wrong value.
    EXPECT_TRUE(l.pieces[1].reversed);
    EXPECT_EQ(l.pieces[1].helix, 9);
    EXPECT_EQ(l.pieces[2].color.b, 3);
    EXPECT_EQ(l.pieces[2].joints.size(), 3u); // up to the highest joined connector
    EXPECT_EQ(l.levels[1].name, "Upper <deck>");
    EXPECT_EQ(l.labels[0].text, "Tom & Jerry's <\"yard\">\nsecond line\r\nliteral &#10;");
    EXPECT_EQ(l.tunnels[0].covers, (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(l.activeLevel, 2);
    EXPECT_EQ(l.nextId, 42u);
    EXPECT_EQ(l.gradeAnchor, 4);
}

TEST_F(LayoutFileTest, CrLfAndDecimalCommaLocaleReadTheSame) {
    const std::string text = readFile(kGolden);
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Layout l;
    EXPECT_EQ(load(crlf, l), kGoldenName);
    EXPECT_EQ(saved(l, kGoldenName), text);

    const std::string before = std::setlocale(LC_ALL, nullptr);
    for (const char* n : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (std::setlocale(LC_ALL, n)) {
            const std::string again = saved(golden(), kGoldenName);
            std::setlocale(LC_ALL, before.c_str());
            EXPECT_EQ(again, text) << n;
            break;
        }
}

TEST_F(LayoutFileTest, EmptyLayoutWritesOnlyTheFixedLines) {
    EXPECT_EQ(saved(Layout{}, "Empty"),
              kHeader + "<layout name=\"Empty\" version=\"1\" units=\"0\">\n"
                        "  <pieces>\n  </pieces>\n"
                        "  <lastshape id=\"0\" w_mm=\"2400.0000\" h_mm=\"1200.0000\" "
                        "w2_mm=\"1200.0000\" h2_mm=\"1200.0000\"/>\n"
                        "</layout>\n");
}

TEST(LayoutFileAttributes, NamesMatchOnlyWhereAnAttributeStarts) {
    struct Case {
        const char* what;
        std::string line, name, want;
    };
    const Case cases[] = {
        {"r is not inside trackcolor", R"(<level trackcolor="1" r="12"/>)", "r", "12"},
        {"conn is not inside tconn", R"(<joint tconn="5" conn="2"/>)", "conn", "2"},
        {"a value never hides an attribute", R"(<s item="odd x=" x="3"/>)", "x", "3"},
        {"absent", R"(<piece id="1"/>)", "cat", ""},
        {"no closing quote", R"(<piece cat="2418)", "cat", ""},
        {"entities", R"(<l t="&lt;&gt;&amp;&quot;&#10;&#13;&amp;#10;&nbsp;")", "t",
         "<>&\"\n\r&#10;&nbsp;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(attributeValue(c.line, c.name), c.want) << c.what;
}

// Reading rules

TEST_F(LayoutFileTest, PieceDefaultsHeadingsColourAndJoints) {
    const Layout l =
        loaded(withPieces(piece(R"(id="1" cat="a" x="1" y="2" heading="360.0000")") +
                          piece(R"(id="2" cat="a" x="1" y="2" heading="-90" color="16711680")") +
                          piece(R"(id="7" cat="a" x="0" y="0" heading="0")",
                                "      <joint conn=\"0\" target=\"8\" tconn=\"1\"/>\n"
                                "      <joint conn=\"3\" target=\"9\" tconn=\"0\"/>\n")));
    ASSERT_EQ(l.pieces.size(), 3u);
    const PlacedPiece& plain = l.pieces[0];
    EXPECT_FALSE(plain.reversed);
    EXPECT_EQ(plain.helix, -1);
    EXPECT_FALSE(plain.hasColor);
    EXPECT_DOUBLE_EQ(plain.heading, 0.0); // headings are brought into [0, 360)
    EXPECT_DOUBLE_EQ(l.pieces[1].heading, 270.0);
    EXPECT_TRUE(l.pieces[1].hasColor);
    EXPECT_EQ(std::vector<int>({l.pieces[1].color.r, l.pieces[1].color.g, l.pieces[1].color.b}),
              std::vector<int>({255, 0, 0}));
    const std::vector<Joint>& j = l.pieces[2].joints;
    ASSERT_EQ(j.size(), 4u);
    EXPECT_EQ(j[0].target, 8);
    EXPECT_TRUE(j[1].isFree() && j[2].isFree());
    EXPECT_EQ(j[3].target, 9);
}

TEST_F(LayoutFileTest, MissingLevelsGiveLevelOneActive) {
    Layout l;
    l.levels = {Level{}, Level{}, Level{}};
    l.levels[2].id = 3;
    l.activeLevel = 3;
    load(withPieces(""), l);
    ASSERT_EQ(l.levels.size(), 1u);
    EXPECT_EQ(l.levels[0].id, 1);
    EXPECT_EQ(l.levels[0].name, "Level 1");
    EXPECT_EQ(l.activeLevel, 1);
}

TEST_F(LayoutFileTest, OneLineSectionsSharedIdsAndHelixDefaults) {
    const Layout l = loaded(inLayout(
        "  <pieces></pieces>\n"
        "  <labels>\n    <label id=\"57\" x=\"1\" y=\"2\" text=\"kept\"/>\n  </labels>\n"
        "  <shapes>\n    <shape id=\"90\" r=\"1\" g=\"2\" b=\"3\"></shape>\n"
        "    <shape id=\"12\" label=\"x\">\n      <v x=\"1\" y=\"2\"/>\n    </shape>\n  </shapes>\n"
        "  <helices>\n    <helix id=\"5\" cx=\"1\" cy=\"2\" heading=\"360\" bottomR1=\"1\" "
        "bottomR2=\"2\" topR1=\"3\" topR2=\"4\"/>\n  </helices>\n"));
    // "<pieces></pieces>" does not swallow the sections after it.
    EXPECT_TRUE(l.pieces.empty());
    ASSERT_EQ(l.labels.size(), 1u);
    EXPECT_EQ(l.labels[0].text, "kept");
    // A "<shape ...></shape>" line is not read; the next shape keeps its vertex.
    ASSERT_EQ(l.shapes.size(), 1u);
    EXPECT_EQ(l.shapes[0].vertices.size(), 1u);
    EXPECT_EQ(l.nextId, 58u); // ids of all kinds share one counter
    ASSERT_EQ(l.helices.size(), 1u);
    EXPECT_EQ(l.helices[0].variant, "proses_2_5_r1r2");
    EXPECT_DOUBLE_EQ(l.helices[0].heading, 0.0);
}

// Damaged files

TEST_F(LayoutFileTest, DamagedFilesLoadWithBoundedResults) {
    const std::string text = readFile(kGolden);
    const std::string p1 = "    <piece id=\"1\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\">\n";
    std::string noise(100000, '\0');
    unsigned seed = 7;
    for (char& c : noise)
        c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
    struct Case {
        const char* what;
        std::string text;
        std::size_t pieces, joined; // joined: connectors with a joint, over all pieces
    };
    const Case cases[] = {
        {"truncated mid-line", text.substr(0, text.find("y=\"20.0000\"")), 3, 3},
        {"garbage bytes", noise, 0, 0},
        {"no final newline", text.substr(0, text.size() - 1), 4, 4},
        {"ten megabyte line", inLayout(std::string(10 << 20, '<') + "\n"), 0, 0},
        {"ten megabyte label",
         withPieces(p1 + "    </piece>\n",
                    "  <labels>\n    <label id=\"2\" x=\"0\" y=\"0\" text=\"" +
                        std::string(10 << 20, 'w') + "\"/>\n  </labels>\n"),
         1, 0},
        // A required number that is absent or not a number drops the element, and its joints
        // do not fall to the piece before it.
        {"missing and non-numeric attributes",
         withPieces(p1 + "    </piece>\n" +
                    piece(R"(id="2" cat="a" x="0" heading="0")",
                          "      <joint conn=\"0\" target=\"1\" tconn=\"0\"/>\n") +
                    piece(R"(id="3" cat="a" x="0" y="0" heading="north")")),
         1, 0},
        {"joints before any piece",
         withPieces("      <joint conn=\"0\" target=\"2\" tconn=\"0\"/>\n" + p1 + "    </piece>\n"),
         1, 0},
        {"huge and negative connector numbers",
         withPieces(p1 + "      <joint conn=\"2000000000\" target=\"2\" tconn=\"0\"/>\n"
                         "      <joint conn=\"64\" target=\"2\" tconn=\"0\"/>\n"
                         "      <joint conn=\"-1\" target=\"2\" tconn=\"0\"/>\n"
                         "      <joint conn=\"1\" target=\"2\" tconn=\"-3\"/>\n"
                         "      <joint conn=\"2\" target=\"2\" tconn=\"99\"/>\n"
                         "      <joint conn=\"63\" target=\"2\" tconn=\"63\"/>\n    </piece>\n"),
         1, 1},
        {"nan and inf",
         withPieces(
             "    <piece id=\"1\" cat=\"a\" x=\"nan\" y=\"0\" heading=\"0\">\n    </piece>\n" +
                 piece(R"(id="2" cat="a" x="0" y="0" heading="0" z="inf" grade="nan")"),
             "  <levels active=\"1\">\n    <level id=\"1\">\n"
             "      <pt x=\"-nan\" y=\"1\"/>\n      <pt x=\"1\" y=\"inf\"/>\n"
             "    </level>\n  </levels>\n"),
         1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Layout l;
        // A file cut off or holding no layout is refused when opened; what the reader makes
        // of its text is bounded all the same.
        writeFile(path("in.plo"), c.text);
        std::string name;
        const std::string refused = loadLayout(l, path("in.plo"), name);
        if (std::string(c.what) == "truncated mid-line")
            EXPECT_EQ(refused.rfind("The file is cut off: it ends at line 17 inside <pieces>", 0),
                      0u)
                << refused;
        else if (std::string(c.what) == "garbage bytes")
            EXPECT_EQ(refused, "Not a layout file: " + path("in.plo"));
        else
            EXPECT_EQ(refused, "");
        readLayoutText(l, c.text, name);
        EXPECT_EQ(l.pieces.size(), c.pieces);
        EXPECT_FALSE(l.levels.empty());
        std::size_t joined = 0;
        for (const PlacedPiece& p : l.pieces) {
            EXPECT_LE(p.joints.size(), 64u);
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) &&
                        std::isfinite(p.grade));
            EXPECT_TRUE(p.heading >= 0 && p.heading < 360);
            EXPECT_GT(static_cast<int64_t>(l.nextId), p.id);
            for (const Joint& j : p.joints) {
                EXPECT_TRUE(j.isFree() || (j.targetConn >= 0 && j.targetConn < 64));
                joined += !j.isFree();
            }
        }
        EXPECT_EQ(joined, c.joined);
        for (const Level& lv : l.levels)
            for (const Point& pt : lv.outline)
                EXPECT_TRUE(std::isfinite(pt.x) && std::isfinite(pt.y));
    }
}

TEST_F(LayoutFileTest, UnreadablePathLeavesTheLayoutUntouched) {
    const std::string before = saved(golden(), "Before");
    for (const std::string& p : {path("missing.plo"), dir_.string(), std::string(kDeviceFile)}) {
        Layout l = golden();
        std::string name = "Before";
        EXPECT_EQ(loadLayout(l, p, name), "Cannot open file: " + p);
        EXPECT_EQ(name, "Before");
        EXPECT_EQ(saved(l, name), before) << p;
    }
}

// Every stored field, and the limits of the reader on far coordinates and oversized files

TEST_F(LayoutFileTest, EveryRecordFieldSurvivesSaveAndLoad) {
    Filler fill(1);
    Layout layout;
    for (int i = 0; i < 2; ++i) {
        layout.pieces.push_back(fill.filled<PlacedPiece>());
        layout.scenery.push_back(fill.filled<SceneryItem>());
        layout.levels.push_back(fill.filled<Level>());
        layout.labels.push_back(fill.filled<LayoutLabel>());
        layout.shapes.push_back(fill.filled<PolygonShape>());
        layout.tunnels.push_back(fill.filled<Tunnel>());
        layout.helices.push_back(fill.filled<Helix>());
        layout.gradeRuns.push_back(fill.filled<GradeRun>());
    }
    layout.baseboard = {{1, 2}, {3, -4}, {5.5, 6}};
    layout.units = Units::Inches;
    layout.activeLevel = 77;
    layout.lastShapeType = 3;
    layout.lastShapeW = 1.5;
    layout.lastShapeH = 2.5;
    layout.lastShapeW2 = 3.5;
    layout.lastShapeH2 = 4.5;

    const Layout back = loaded(saved(layout, "n"));
    // The selection of labels and shapes is not stored.
    Layout want = layout;
    for (LayoutLabel& l : want.labels)
        l.selected = false;
    for (PolygonShape& s : want.shapes)
        s.selected = false;
    EXPECT_EQ(back.pieces, want.pieces);
    EXPECT_EQ(back.scenery, want.scenery);
    EXPECT_EQ(back.levels, want.levels);
    EXPECT_EQ(back.labels, want.labels);
    EXPECT_EQ(back.shapes, want.shapes);
    EXPECT_EQ(back.tunnels, want.tunnels);
    EXPECT_EQ(back.helices, want.helices);
    EXPECT_EQ(back.gradeRuns, want.gradeRuns);
    EXPECT_EQ(back.baseboard, want.baseboard);
    EXPECT_EQ(std::tie(back.units, back.activeLevel, back.lastShapeType, back.lastShapeW,
                       back.lastShapeH, back.lastShapeW2, back.lastShapeH2),
              std::tie(want.units, want.activeLevel, want.lastShapeType, want.lastShapeW,
                       want.lastShapeH, want.lastShapeW2, want.lastShapeH2));
}

TEST_F(LayoutFileTest, LoadingKeepsWhatTheFileDoesNotStore) {
    Layout layout;
    layout.measurements.push_back(Measurement{5, 1, 2, 3, 4, 0, 0, false});
    layout.snapOn = layout.showGrid = layout.showLabels = layout.showBaseboard = false;
    layout.gridSpacing = 50;
    layout.lastShapeW = 777;
    const std::vector<Measurement> measurements = layout.measurements;
    // Only the template number is given: the sizes stay as they were.
    load("<layout name=\"n\" version=\"1\" units=\"1\">\n<lastshape id=\"2\"/>\n</layout>\n",
         layout);
    EXPECT_EQ(layout.measurements, measurements);
    EXPECT_FALSE(layout.snapOn || layout.showGrid || layout.showLabels || layout.showBaseboard);
    EXPECT_EQ(layout.gridSpacing, 50);
    EXPECT_EQ(layout.lastShapeType, 2);
    EXPECT_EQ(layout.lastShapeW, 777);
    EXPECT_EQ(layout.units, Units::Centimetres);
}

TEST_F(LayoutFileTest, HeadingsJustBelowAFullTurnSaveStably) {
    for (double heading : {359.99999, -0.00001, 359.99995, 359.9999, 0.00004, -0.00004}) {
        SCOPED_TRACE(heading);
        Layout layout = emptyLayout();
        addPiece(layout, "", 0, 0, heading);
        addScenery(layout, "", 0, 0, heading);
        Helix helix;
        helix.id = layout.takeId();
        helix.heading = heading;
        layout.helices.push_back(helix);
        const std::string first = saved(layout, "n");
        EXPECT_EQ(saved(loaded(first), "n"), first);
        EXPECT_EQ(first.find("360.0000"), std::string::npos);
    }
}

TEST_F(LayoutFileTest, FarCoordinatesAreDamage) {
    struct Case {
        const char* what;
        std::string body;
        std::size_t pieces, labels, points;
    };
    const std::string piece1 = "    <piece id=\"1\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\">\n"
                               "    </piece>\n";
    const Case cases[] = {
        {"the 29-byte file", " id=\"1\" x=\"3\" y=\"5e55<label \"", 0, 0, 0},
        {"a label a light-year away",
         "<labels>\n<label id=\"1\" x=\"1e12\" y=\"0\"/>\n<label id=\"2\" x=\"1e9\" y=\"-1e9\"/>\n"
         "</labels>\n",
         0, 1, 0},
        {"a piece beyond the world and one at its edge",
         "<pieces>\n" + piece1 +
             "<piece id=\"2\" cat=\"a\" x=\"0\" y=\"-1.0000001e9\" heading=\"0\">\n</piece>\n"
             "</pieces>\n",
         1, 0, 0},
        {"baseboard vertices",
         "<baseboard>\n<vertex x=\"0\" y=\"5e55\"/>\n<vertex x=\"1\" y=\"2\"/>\n</baseboard>\n", 0,
         0, 1},
        {"an optional height falls back to its default",
         "<pieces>\n<piece id=\"1\" cat=\"a\" x=\"0\" y=\"0\" heading=\"0\" z=\"1e300\">\n"
         "</piece>\n</pieces>\n",
         1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Layout l =
            loaded("<layout name=\"n\" version=\"1\" units=\"0\">\n" + c.body + "</layout>\n");
        EXPECT_EQ(l.pieces.size(), c.pieces);
        EXPECT_EQ(l.labels.size(), c.labels);
        EXPECT_EQ(l.baseboard.size(), c.points);
        for (const PlacedPiece& p : l.pieces)
            EXPECT_EQ(p.z, 0.0);
    }
}

TEST_F(LayoutFileTest, ShapeLinesWithoutAnIdAreSkippedWithTheirVertices) {
    std::string text = "<shapes>\n<shape id=\"4\">\n<v x=\"1\" y=\"1\"/>\n</shape>\n";
    for (int i = 0; i < 1000; ++i)
        text += "<shape \n<v x=\"2\" y=\"2\"/>\n";
    const Layout l = loaded(inLayout(text));
    ASSERT_EQ(l.shapes.size(), 1u);
    EXPECT_EQ(l.shapes[0].vertices.size(), 1u);
}

TEST_F(LayoutFileTest, FilesOverTheSizeLimitAreRefusedWithoutReading) {
    const std::string path = this->path("huge.plo");
    { std::ofstream(path, std::ios::binary) << "<layout name=\"n\" version=\"1\" units=\"0\">\n"; }
    // A sparse file: the size is there, the disk blocks are not.
    fs::resize_file(path, (256u << 20) + 1);
    Layout layout;
    layout.labels.push_back(LayoutLabel{9, "kept", 0, 0, false});
    std::string name = "old";
    EXPECT_EQ(loadLayout(layout, path, name),
              "The file is larger than 256 MB and cannot be a Plandor layout.");
    EXPECT_EQ(layout.labels.size(), 1u);
    EXPECT_EQ(name, "old");
}
