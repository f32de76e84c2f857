// The palette's lists: the track rows of every chooser index against the published tables,
// the system an opened layout implies and the library folder listing.
#include "canvas/PaletteRows.h"
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
        for (const PalettePageDef& page : palettePages(index))
            titles.push_back(page.title);
        if (index == 3)
            EXPECT_EQ(titles, (std::vector<std::string>{"Track", "Library", "Signals"}));
        else
            EXPECT_EQ(titles, (std::vector<std::string>{"Track", "Library", "Scenery", "Signals"}));
        EXPECT_EQ(hasSceneryPage(index), index != 3);
    }
}

TEST(PaletteLibrary, ListsTheXmlFilesOfTheChoosersFolderOnly) {
    std::string pattern = (fs::temp_directory_path() / "plandor-palette-XXXXXX").string();
    const std::string root = mkdtemp(pattern.data());
    auto touch = [](const std::string& path) { std::ofstream(path) << "<block/>\n"; };
    EXPECT_EQ(libraryFolder(root + "/", 0), root + "/library/Marklin_C-Track");
    const std::string folder = libraryFolder(root, 2);
    EXPECT_EQ(folder, root + "/library/TRIX_C-Track");
    EXPECT_TRUE(libraryRows(folder).empty()) << "missing folder";
    fs::create_directories(folder + "/nested.xml");
    for (const char* name : {"/Yard.xml", "/Loop 2.xml", "/notes.txt", "/layout.plo", "/.xml",
                             "/nested.xml/inner.xml"})
        touch(folder + name);
    touch(libraryFolder(root, 0) + ".xml"); // beside the folder, not in it
    const std::vector<PaletteRow> expected = {{"Loop 2", folder + "/Loop 2.xml"},
                                              {"Yard", folder + "/Yard.xml"}};
    EXPECT_EQ(libraryRows(folder), expected);
    EXPECT_TRUE(libraryRows(libraryFolder(root, 0)).empty());
    fs::remove_all(root);
}

} // namespace
