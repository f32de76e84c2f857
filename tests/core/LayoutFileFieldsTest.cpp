// Every stored field of every record survives a save and a load, and the reader's limits on
// damaged files: far coordinates, headings at a full turn, oversized files.
#include "LayoutBuilder.h"
#include "model/LayoutFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>
#include <unistd.h>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

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

std::string tempPath(const std::string& file) {
    return (fs::temp_directory_path() / ("plandor_fields_" + std::to_string(::getpid()) + file))
        .string();
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Layout saveAndLoad(const Layout& layout) {
    const std::string path = tempPath("_round.plo");
    EXPECT_EQ(saveLayout(layout, path, "n"), "");
    Layout back;
    std::string name;
    EXPECT_EQ(loadLayout(back, path, name), "");
    fs::remove(path);
    return back;
}

Layout loadText(const std::string& text) {
    const std::string path = tempPath("_text.plo");
    std::ofstream(path, std::ios::binary) << text;
    Layout back;
    std::string name;
    EXPECT_EQ(loadLayout(back, path, name), "");
    fs::remove(path);
    return back;
}

// Save, load, save: the two texts agree.
void expectStableText(const Layout& layout) {
    const std::string first = tempPath("_first.plo");
    const std::string second = tempPath("_second.plo");
    ASSERT_EQ(saveLayout(layout, first, "n"), "");
    Layout back;
    std::string name;
    ASSERT_EQ(loadLayout(back, first, name), "");
    ASSERT_EQ(saveLayout(back, second, name), "");
    EXPECT_EQ(readFile(first), readFile(second));
    EXPECT_EQ(readFile(first).find("360.0000"), std::string::npos);
    fs::remove(first);
    fs::remove(second);
}

} // namespace

TEST(LayoutFileFields, EveryRecordFieldSurvivesSaveAndLoad) {
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

    const Layout back = saveAndLoad(layout);
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

TEST(LayoutFileFields, LoadingKeepsWhatTheFileDoesNotStore) {
    Layout layout;
    layout.measurements.push_back(Measurement{5, 1, 2, 3, 4, 0, 0, false});
    layout.snapOn = layout.showGrid = layout.showLabels = layout.showBaseboard = false;
    layout.gridSpacing = 50;
    layout.lastShapeW = 777;
    const Layout saved = layout;
    std::string name;
    const std::string path = tempPath("_keep.plo");
    ASSERT_EQ(saveLayout(Layout{}, path, "n"), "");
    // Only the template number is given: the sizes stay as they were.
    std::ofstream(path, std::ios::binary)
        << "<layout name=\"n\" version=\"1\" units=\"1\">\n<lastshape id=\"2\"/>\n</layout>\n";
    ASSERT_EQ(loadLayout(layout, path, name), "");
    fs::remove(path);
    EXPECT_EQ(layout.measurements, saved.measurements);
    EXPECT_FALSE(layout.snapOn || layout.showGrid || layout.showLabels || layout.showBaseboard);
    EXPECT_EQ(layout.gridSpacing, 50);
    EXPECT_EQ(layout.lastShapeType, 2);
    EXPECT_EQ(layout.lastShapeW, 777);
    EXPECT_EQ(layout.units, Units::Centimetres);
}

TEST(LayoutFileFields, HeadingsJustBelowAFullTurnSaveStably) {
    for (double heading : {359.99999, -0.00001, 359.99995, 359.9999, 0.00004, -0.00004}) {
        SCOPED_TRACE(heading);
        Layout layout = emptyLayout();
        addPiece(layout, "", 0, 0, heading);
        addScenery(layout, "", 0, 0, heading);
        Helix helix;
        helix.id = layout.takeId();
        helix.heading = heading;
        layout.helices.push_back(helix);
        expectStableText(layout);
    }
}

TEST(LayoutFileFields, FarCoordinatesAreDamage) {
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
        const Layout l = loadText("<layout name=\"n\" version=\"1\" units=\"0\">\n" + c.body);
        EXPECT_EQ(l.pieces.size(), c.pieces);
        EXPECT_EQ(l.labels.size(), c.labels);
        EXPECT_EQ(l.baseboard.size(), c.points);
        for (const PlacedPiece& p : l.pieces)
            EXPECT_EQ(p.z, 0.0);
    }
}

TEST(LayoutFileFields, ShapeLinesWithoutAnIdAreSkippedWithTheirVertices) {
    std::string text = "<shapes>\n<shape id=\"4\">\n<v x=\"1\" y=\"1\"/>\n</shape>\n";
    for (int i = 0; i < 1000; ++i)
        text += "<shape \n<v x=\"2\" y=\"2\"/>\n";
    const Layout l = loadText(text);
    ASSERT_EQ(l.shapes.size(), 1u);
    EXPECT_EQ(l.shapes[0].vertices.size(), 1u);
}

TEST(LayoutFileFields, FilesOverTheSizeLimitAreRefusedWithoutReading) {
    const std::string path = tempPath("_huge.plo");
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
    fs::remove(path);
}
