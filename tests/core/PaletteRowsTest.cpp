// The palette's lists: the track rows of every chooser index against the published tables,
// scenery and signal grouping, the chooser order, the system an opened layout implies and
// the library folder listing.
#include "shell/PaletteRows.h"
#include "catalog/HelixVariants.h"
#include "catalog/SceneryCatalog.h"
#include "catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace plandor;
namespace fs = std::filesystem;

namespace plandor {
inline std::ostream& operator<<(std::ostream& os, const PaletteRow& row) {
    return os << "\"" << row.text << "\" [" << row.key << "]";
}
} // namespace plandor

namespace {

struct Category {
    std::string name;
    std::vector<std::string> parts;
};

// The Track list of each chooser index as the user must see it, category by category.
const std::vector<std::vector<Category>> kExpectedTrack = {
    {
        {"Straights",
         {"24064", "24071", "24077", "24094", "24172", "24188", "24229", "24236", "24360"}},
        {"Curves",
         {"24130", "24115", "24107", "24230", "24294", "24224", "24215", "24207", "24206", "24330",
          "24315", "24430", "24530", "24912"}},
        {"Switches", {"24611", "24612", "24671", "24672", "24630"}},
        {"Crossings", {"24640", "24649", "24740"}},
        {"Double Slip Switches", {"24624", "24720"}},
        {"Slim Switches", {"24711", "24712", "24771", "24772"}},
        {"Circuit Tracks", {"24994", "24294"}},
        {"Other", {"24997", "24977", "24978", "24922", "74862"}},
        {"Bridges", {"74636", "74620", "74623", "74613", "74618"}},
    },
    {
        {"Straights",
         {"2200", "2201", "2202", "2203", "2204", "2205", "2206", "2207", "2208", "2209", "2293"}},
        {"Special Track", {"2290", "2291", "2292", "2295", "2297", "2299"}},
        {"Curves R1 (360mm)", {"2210", "2229"}},
        {"Curves R2 (424.6mm)", {"2221", "2223", "2224", "2239"}},
        {"Curves R3 (515mm)", {"2231", "2232", "2233", "2234", "2235"}},
        {"Curves R4 (573.6mm)", {"2241", "2251"}},
        {"Curves R5 (636mm)", {"2274"}},
        {"Crossings", {"2257", "2258", "2259"}},
        {"Turnouts", {"2262", "2263", "2265", "2266", "2268", "2269", "2270", "22715", "22716"}},
        {"Double Slip Switches", {"2260", "2275"}},
        {"Bumpers", {"7389", "7391"}},
        {"Bridges", {"7263", "7262", "7569", "7267"}},
    },
    {
        {"Straights",
         {"62064", "62071", "62077", "62094", "62172", "62188", "62229", "62236", "62360"}},
        {"Curves R1 (360mm)", {"62107", "62115", "62130"}},
        {"Curves R2 (437.5mm)", {"62206", "62207", "62215", "62224", "62230"}},
        {"Curves R3 (515mm)", {"62315", "62330"}},
        {"Curves R9 (1114.6mm)", {"62912"}},
        {"Switches", {"62611", "62612", "62671", "62672", "62630"}},
        {"Double Slip Switches", {"62624"}},
        {"Other", {"62977", "62997"}},
        {"Bridges", {"62636", "62620", "62623", "62613"}},
    },
    {
        {"Straights", {"8500", "8501", "8502", "8503", "8504", "8505", "8506", "8507"}},
        {"Curves R1 (145mm)", {"8510", "8511"}},
        {"Curves R2 (195mm)", {"8520", "8521", "8529"}},
        {"Curves R3 (220mm)", {"8530", "8531", "8539"}},
        {"Turnout Branch Curve", {"8591"}},
        {"Turnouts", {"8562", "8563", "8565", "8566"}},
        {"Curved Turnouts", {"8568", "8569"}},
        {"Crossings", {"8559", "8560"}},
        {"Other", {"8587", "8588", "8590", "8598", "8991"}},
        {"Bridges", {"8975", "89759", "8976", "8977"}},
    },
};

const uint32_t kSystemOfIndex[] = {CTrack, KTrack, TrixCTrack, ZTrack};

TEST(PaletteTrackRows, EveryChooserIndexListsItsCategoriesInOrder) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    for (int index = 0; index < kChooserCount; ++index) {
        SCOPED_TRACE("chooser index " + std::to_string(index));
        std::vector<PaletteRow> expected;
        for (const Category& category : kExpectedTrack[index]) {
            expected.push_back({"--- " + category.name, ""});
            for (const std::string& part : category.parts) {
                const PieceDef* def = catalog.find(part);
                ASSERT_NE(def, nullptr) << part << " is listed but not in the catalogue";
                EXPECT_EQ(def->system, kSystemOfIndex[index]) << part;
                expected.push_back({def->description, part});
            }
        }
        if (index == 0) {
            expected.push_back({"--- Helix", ""});
            for (const HelixVariant& variant : helixVariants())
                expected.push_back({variant.name, "@helix:" + variant.id});
        }
        EXPECT_EQ(trackRows(index), expected);
    }
}

TEST(PaletteTrackRows, MissingPartsGetNoRowButCategoriesKeepTheirHeaders) {
    TrackCatalog catalog;
    catalog.registerPiece(TrackCatalog::makeStraight(CTrack, "24064", "24064 - 64mm", 64.3));
    catalog.registerPiece(TrackCatalog::makeCurve(CTrack, "24294", "24294 curve", 437.5, 15));
    const std::vector<PaletteRow> rows = trackRows(0, catalog);

    std::vector<PaletteRow> pieces;
    int headers = 0;
    for (const PaletteRow& row : rows) {
        if (row.key.empty())
            ++headers;
        else if (row.key.rfind("@helix:", 0) != 0)
            pieces.push_back(row);
    }
    // 24294 stands under "Curves" and again under "Circuit Tracks".
    const std::vector<PaletteRow> expected = {
        {"24064 - 64mm", "24064"}, {"24294 curve", "24294"}, {"24294 curve", "24294"}};
    EXPECT_EQ(pieces, expected);
    EXPECT_EQ(headers, 10); // nine categories and the helix header
    EXPECT_EQ(rows[0], (PaletteRow{"--- Straights", ""}));
    EXPECT_EQ(rows[2], (PaletteRow{"--- Curves", ""}));
}

TEST(PaletteTrackRows, OnlyCTrackOffersHelices) {
    for (int index = 1; index < kChooserCount; ++index)
        for (const PaletteRow& row : trackRows(index))
            EXPECT_FALSE(isHelixKey(row.key)) << index << " " << row.key;
    EXPECT_EQ(helixVariantOfKey("@helix:proses_3_5_r1r2"), "proses_3_5_r1r2");
    EXPECT_EQ(helixVariantOfKey("24188"), "");
}

TEST(PaletteChooser, OrderDiffersFromSystemCodes) {
    const std::vector<std::string> expected = {"Marklin C-Track", "Marklin K-Track", "TRIX C-Track",
                                               "Marklin Z-Track"};
    EXPECT_EQ(chooserLabels(), expected);
    for (int index = 0; index < kChooserCount; ++index) {
        EXPECT_EQ(systemOfChooserIndex(index), kSystemOfIndex[index]);
        EXPECT_EQ(chooserIndexOfSystem(kSystemOfIndex[index]), index);
    }
    EXPECT_EQ(systemOfChooserIndex(4), CTrack);
    EXPECT_EQ(systemOfChooserIndex(-1), CTrack);
    EXPECT_EQ(chooserIndexOfSystem(RokuhanZ), -1);
}

TEST(PaletteChooser, OpenedLayoutPicksTheSystemOfItsPieces) {
    struct Case {
        const char* name;
        std::vector<std::string> parts;
        int index;
    };
    const std::vector<Case> cases = {
        {"empty layout", {}, 0},
        {"only TRIX C-Track", {"62188", "62130"}, 2},
        {"only Z-Track", {"8500"}, 3},
        {"only K-Track", {"2200"}, 1},
        {"Z-Track then TRIX", {"8500", "62188"}, 2},
        {"K-Track beats TRIX and Z", {"8500", "62188", "2200"}, 1},
        {"one C-Track piece beats all", {"8500", "62188", "2200", "24188"}, 0},
        {"unknown parts only", {"99999", ""}, 0},
        {"unknown parts are skipped", {"99999", "8500"}, 3},
    };
    for (const Case& c : cases) {
        Layout layout;
        for (const std::string& part : c.parts)
            layout.pieces.push_back(makePlacedPiece(part));
        EXPECT_EQ(chooserIndexForLayout(layout), c.index) << c.name;
    }
}

TEST(PalettePages, ZTrackHasNoSceneryPage) {
    for (int index = 0; index < kChooserCount; ++index) {
        std::vector<std::string> titles;
        std::vector<int> ids;
        for (const PalettePageDef& page : palettePages(index)) {
            titles.push_back(page.title);
            ids.push_back(page.listId);
        }
        if (index == 3) {
            EXPECT_EQ(titles, (std::vector<std::string>{"Track", "Library", "Signals"}));
            EXPECT_EQ(ids, (std::vector<int>{3001, 3002, 3004}));
            EXPECT_FALSE(hasSceneryPage(index));
        } else {
            EXPECT_EQ(titles, (std::vector<std::string>{"Track", "Library", "Scenery", "Signals"}));
            EXPECT_EQ(ids, (std::vector<int>{3001, 3002, 3003, 3004}));
            EXPECT_TRUE(hasSceneryPage(index));
        }
    }
}

TEST(PaletteSceneryRows, SelectedCategoriesInCatalogueOrder) {
    const std::vector<PaletteRow> expected = {
        {"--- Platforms", ""},
        {"Platform", "platform"},
        {"Island platform 460mm", "platform_island"},
        {"--- Stations", ""},
        {"Station Gueglingen", "station_small"},
        {"Station Schwarzburg", "station_large"},
        {"--- Bridges", ""},
        {"Truss bridge (scenery)", "bridge_truss_scenery"},
        {"Arch bridge (scenery)", "bridge_arch_scenery"},
        {"--- Other", ""},
        {"Roundhouse 72886 (3-stall)", "72886"},
        {"--- Nature", ""},
        {"Deciduous tree (small)", "tree_sm_dec"},
        {"Deciduous tree (large)", "tree_lg_dec"},
        {"Conifer tree", "tree_conifer"},
        {"Tree group (3 mixed)", "tree_group"},
        {"Bush / shrub", "bush"},
    };
    EXPECT_EQ(sceneryRows(SceneryCatalog::instance().defs()), expected);
}

SceneryDef def(const std::string& id, uint32_t category, bool zScale = false) {
    SceneryDef d;
    d.id = id;
    d.name = "name of " + id;
    d.category = category;
    d.zScale = zScale;
    return d;
}

TEST(PaletteSceneryRows, HeaderRepeatsWhenACategoryComesBack) {
    // Items of unlisted categories do not break a group; "Other" gathers every unnamed code.
    const std::vector<SceneryDef> defs = {
        def("a", Nature), def("b", Buildings), def("c", Nature), def("p", Platforms),
        def("d", Nature), def("e", 11),        def("f", Roads),  def("g", 12)};
    const std::vector<PaletteRow> expected = {
        {"--- Nature", ""}, {"name of a", "a"}, {"name of c", "c"}, {"--- Platforms", ""},
        {"name of p", "p"}, {"--- Nature", ""}, {"name of d", "d"}, {"--- Other", ""},
        {"name of e", "e"}, {"name of g", "g"}};
    EXPECT_EQ(sceneryRows(defs), expected);
}

TEST(PaletteSignalRows, StandardAndZScaleSignalsGroupedByKind) {
    const std::vector<SceneryDef>& defs = SceneryCatalog::instance().defs();
    const std::vector<PaletteRow> standard = {
        {"--- Semaphore", ""},
        {"Semaphore (Stop)", "signal_semaphore_stop"},
        {"Semaphore (Clear)", "signal_semaphore_clear"},
        {"--- Color light", ""},
        {"Color light (Stop)", "signal_color_stop"},
        {"Color light (Clear)", "signal_color_clear"},
    };
    const std::vector<PaletteRow> zScale = {
        {"--- Semaphore", ""},
        {"Semaphore Z (Stop)", "signal_z_semaphore_stop"},
        {"Semaphore Z (Clear)", "signal_z_semaphore_clear"},
        {"--- Color light", ""},
        {"Color light Z (Stop)", "signal_z_color_stop"},
        {"Color light Z (Clear)", "signal_z_color_clear"},
    };
    EXPECT_EQ(signalRows(0, defs), standard);
    EXPECT_EQ(signalRows(1, defs), standard);
    EXPECT_EQ(signalRows(2, defs), standard);
    EXPECT_EQ(signalRows(3, defs), zScale);
}

TEST(PaletteSignalRows, KindFromTheKeyFirstRuleWins) {
    struct Case {
        const char* key;
        const char* kind;
    };
    for (const Case& c : std::vector<Case>{{"signal_semaphore_stop", "Semaphore"},
                                           {"semaphore_color_distant", "Semaphore"},
                                           {"color_distant", "Color light"},
                                           {"signal_distant", "Distant"},
                                           {"signal_dwarf", "Other"},
                                           {"Semaphore", "Other"}})
        EXPECT_EQ(signalKind(c.key), c.kind) << c.key;
    // Only signals of the chooser's scale are listed; other categories never.
    const std::vector<SceneryDef> defs = {def("sig_distant", Signals),
                                          def("semaphore_z", Signals, true),
                                          def("semaphore_box", Buildings)};
    EXPECT_EQ(
        signalRows(0, defs),
        (std::vector<PaletteRow>{{"--- Distant", ""}, {"name of sig_distant", "sig_distant"}}));
    EXPECT_EQ(
        signalRows(3, defs),
        (std::vector<PaletteRow>{{"--- Semaphore", ""}, {"name of semaphore_z", "semaphore_z"}}));
}

class PaletteLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "plandor-palette-XXXXXX").string();
        root = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(root); }
    void touch(const std::string& path) { std::ofstream(path) << "<block/>\n"; }

    std::string root;
};

TEST_F(PaletteLibraryTest, FolderPerChooserSystem) {
    EXPECT_EQ(libraryFolder(root, 0), root + "/library/Marklin_C-Track");
    EXPECT_EQ(libraryFolder(root, 1), root + "/library/Marklin_K-Track");
    EXPECT_EQ(libraryFolder(root, 2), root + "/library/TRIX_C-Track");
    EXPECT_EQ(libraryFolder(root, 3), root + "/library/Marklin_Z-Track");
    EXPECT_EQ(libraryFolder(root + "/", 0), root + "/library/Marklin_C-Track");
}

TEST_F(PaletteLibraryTest, ListsTheXmlFilesOfTheFolderOnly) {
    const std::string folder = libraryFolder(root, 2);
    EXPECT_TRUE(libraryRows(folder).empty()) << "missing folder";
    fs::create_directories(folder + "/nested.xml");
    touch(folder + "/Yard.xml");
    touch(folder + "/Loop 2.xml");
    touch(folder + "/notes.txt");
    touch(folder + "/layout.plo");
    touch(folder + "/.xml");
    touch(folder + "/nested.xml/inner.xml");
    touch(libraryFolder(root, 0) + ".xml"); // beside the folder, not in it
    const std::vector<PaletteRow> expected = {{"Loop 2", folder + "/Loop 2.xml"},
                                              {"Yard", folder + "/Yard.xml"}};
    EXPECT_EQ(libraryRows(folder), expected);
    EXPECT_TRUE(libraryRows(libraryFolder(root, 0)).empty());
}

} // namespace
