// The palette's lists: the track rows of every chooser index against a golden list,
// the system an opened layout implies and the library folder listing.
#include "core/canvas/PaletteRows.h"
#include "Golden.h"
#include "TempFolder.h"
#include "core/catalog/HelixVariants.h"
#include "core/catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <cstdio>
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

// The Track list of every chooser index is pinned in a golden file; each part row must name a
// catalogue part of the index's system, shown by its description.
TEST(PaletteTrackRows, EveryChooserIndexMatchesItsGoldenList) {
    const uint32_t systemOfIndex[] = {CTrack, KTrack, TrixCTrack, ZTrack};
    std::vector<std::string> lines;
    for (int index = 0; index < kChooserCount; ++index)
        for (const PaletteRow& row : trackRows(index)) {
            lines.push_back(std::to_string(index) + "\t" + row.key + "\t" + row.text);
            if (row.key.rfind("@helix:", 0) == 0) {
                EXPECT_NE(findHelixVariant(row.key.substr(7)), nullptr) << row.key;
                continue;
            }
            if (row.key.empty())
                continue;
            const PieceDef* def = TrackCatalog::instance().find(row.key);
            ASSERT_NE(def, nullptr) << row.key << " is listed but not in the catalogue";
            EXPECT_EQ(def->system, systemOfIndex[index]) << row.key;
            EXPECT_EQ(row.text, def->description) << row.key;
        }
    expectGolden(lines, "palette_track_rows.txt");
}

// Every K-Track curve stands under the header of the radius its description states, and that
// radius is its catalogue radius.
TEST(PaletteTrackRows, KTrackCurvesStandUnderTheRadiusTheirDescriptionStates) {
    std::string header;
    int curves = 0;
    for (const PaletteRow& row : trackRows(1)) {
        if (row.key.empty()) {
            header = row.text;
            continue;
        }
        const PieceDef* def = TrackCatalog::instance().find(row.key);
        if (!def || def->kind != PieceKind::Curve || header.find("Curves") == std::string::npos)
            continue;
        ++curves;
        char radius[16];
        std::snprintf(radius, sizeof radius, "%g", def->radius);
        EXPECT_NE(header.find(std::string("(") + radius + "mm)"), std::string::npos)
            << row.key << " under " << header;
        EXPECT_NE(def->description.find(radius), std::string::npos) << def->description;
    }
    EXPECT_EQ(curves, 14);
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
        {"K-Track beats TRIX and Z", {"8500", "62188", "2200"}, 1},
        {"one C-Track piece beats all", {"8500", "62188", "2200", "24188"}, 0},
        {"unknown parts are skipped", {"99999", "8500"}, 3},
    };
    for (const Case& c : cases) {
        Layout layout;
        for (const std::string& part : c.parts)
            layout.pieces.push_back(makePlacedPiece(part));
        EXPECT_EQ(chooserIndexForLayout(layout), c.index) << c.name;
    }
}

TEST(PaletteLibrary, ListsTheXmlFilesOfTheChoosersFolderOnly) {
    const std::string root = tempFolder();
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
