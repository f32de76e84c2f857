// Library blocks: what a saved block holds, what inserting it adds to a layout, damaged block
// files, and the save command's refusals and questions.
#include "LayoutBuilder.h"
#include "LayoutFaults.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"

#include "core/app/LibraryBlockCommand.h"
#include "core/editing/InsertBlock.h"
#include "core/model/BlockFile.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

int32_t put(Layout& layout, const std::string& part, double x, double y, bool selected = true) {
    PlacedPiece& p = addPiece(layout, part, x, y);
    p.selected = selected;
    return p.id;
}

// Saves the layout's selection as a block and inserts it into `into` through a file.
void roundTrip(const Layout& from, Layout& into) {
    std::string name;
    std::vector<PlacedPiece> pieces;
    std::vector<SceneryItem> scenery;
    readBlockText(blockFileText(from, "Trees & <more>"), name, pieces, scenery);
    EXPECT_EQ(name, "Trees & <more>");
    addBlockContent(into, std::move(pieces), std::move(scenery));
}

} // namespace

TEST(LibraryBlock, JoinedPiecesKeepTheirJointLandAtTheOriginAndLieFlat) {
    Layout source;
    source.nextId = 40;
    const int32_t a = put(source, "24188", 500, 300);
    const int32_t b = put(source, "24188", 688, 250);
    const int32_t outside = put(source, "24188", 312, 300, false);
    source.join(a, 0, b, 1);
    source.join(a, 1, outside, 0);
    // Height, grade, level, helix, direction and colour stay with the layout they came from.
    PlacedPiece& raised = *source.findPiece(a);
    raised.z = 45;
    raised.grade = 2.5;
    raised.level = 3;
    raised.helix = 7;
    raised.reversed = raised.hasColor = true;
    // The block file keeps the joint to the piece left out.
    EXPECT_NE(blockFileText(source, "B").find("target=\"" + std::to_string(outside) + "\""),
              std::string::npos);

    Layout into;
    const int32_t existing = put(into, "24188", 0, 0, false);
    roundTrip(source, into);
    ASSERT_EQ(into.pieces.size(), 3u);
    const int32_t na = into.pieces[1].id;
    const int32_t nb = into.pieces[2].id;
    EXPECT_TRUE(existing != na && existing != nb && na != nb);
    PlacedPiece wantA = makePlacedPiece("24188");
    wantA.id = na;
    wantA.y = 50;
    wantA.joints = {Joint{nb, 1}, Joint{}}; // the joint to the piece left out is freed
    EXPECT_EQ(into.pieces[1], wantA);
    PlacedPiece wantB = makePlacedPiece("24188");
    wantB.id = nb;
    wantB.x = 188;
    wantB.joints = {Joint{}, Joint{na, 0}};
    EXPECT_EQ(into.pieces[2], wantB);
}

TEST(LibraryBlock, SceneryOnlyBlockHasNoPieceLines) {
    Layout source;
    source.scenery.push_back({5, "tree", 500, 900, 30, true, 2.0, 1.5, 2});
    source.scenery.push_back({6, "house", 0, 0, 0, false});
    EXPECT_EQ(blockFileText(source, "B").find("<piece"), std::string::npos);
    Layout into;
    into.nextId = 9;
    roundTrip(source, into);
    ASSERT_EQ(into.scenery.size(), 1u);
    EXPECT_EQ(into.scenery[0], (SceneryItem{9, "tree", 0, 0, 30, false, 2.0, 1.5, 2}));
}

TEST(LibraryBlock, DamagedFilesInsertOnlyWhatAgrees) {
    const std::string p1 = "<piece id=\"1\" cat=\"24188\" x=\"0\" y=\"0\" heading=\"0\">\n";
    const std::string p2 = "<piece id=\"2\" cat=\"24188\" x=\"9\" y=\"0\" heading=\"0\">\n";
    const std::string oneSided =
        p1 + "<joint conn=\"0\" target=\"2\" tconn=\"1\"/>\n</piece>\n" + p2;
    const struct {
        const char* what;
        std::string body;
        std::size_t pieces;
    } cases[] = {
        // clang-format off
        {"joint before any piece", "<joint conn=\"0\" target=\"1\" tconn=\"0\"/>\n", 0},
        {"piece without id", "<piece cat=\"24188\" x=\"0\" y=\"0\" heading=\"0\">\n", 0},
        {"connector number far past any piece", p1 + "<joint conn=\"2000000000\" target=\"1\" tconn=\"0\"/>\n", 1},
        {"one-sided joint", oneSided + "</piece>\n", 2},
        {"two pieces with one id",
         oneSided + "<joint conn=\"1\" target=\"1\" tconn=\"0\"/>\n</piece>\n" +
             "<piece id=\"1\" cat=\"24188\" x=\"20\" y=\"0\" heading=\"0\">\n</piece>\n", 3},
        {"piece joined to itself", p1 + "<joint conn=\"1\" target=\"1\" tconn=\"1\"/>\n", 1},
        {"connector 0 joined to its own connector 1",
         p1 + "<joint conn=\"0\" target=\"1\" tconn=\"1\"/>\n<joint conn=\"1\" target=\"1\" tconn=\"0\"/>\n", 1},
        {"scenery item outside a scenery section", "<sceneryitem id=\"3\" item=\"tree\" x=\"1\" y=\"1\" heading=\"0\"/>\n", 0},
        {"scenery item without heading", "<scenery>\n<sceneryitem id=\"3\" item=\"tree\" x=\"1\" y=\"1\"/>\n</scenery>\n", 0},
        {"position beyond any world", "<piece id=\"1\" cat=\"24188\" x=\"1e300\" y=\"0\" heading=\"0\">\n", 0},
        {"cut off in a line", "<piece id=\"1\" cat=\"24188\" x=\"5\" y=\"0\" hea", 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::string name;
        std::vector<PlacedPiece> pieces;
        std::vector<SceneryItem> scenery;
        readBlockText("<block name=\"x\" version=\"1\">\n" + c.body + "</block>\n", name, pieces,
                      scenery);
        EXPECT_EQ(pieces.size(), c.pieces) << c.what;
        EXPECT_TRUE(scenery.empty()) << c.what;
        for (const PlacedPiece& p : pieces)
            EXPECT_LE(p.joints.size(), 64u) << c.what;
        Layout into;
        addBlockContent(into, pieces, scenery);
        EXPECT_EQ(layoutFaults(into), "") << c.what;
    }
}

TEST(LibraryBlock, EverythingPlacedReadsBackAndABlockTooWideIsRefused) {
    struct Case {
        const char* what;
        std::vector<Point> pieces;
        std::vector<Point> scenery;
        bool placed;
    } cases[] = {
        {"far from the origin, moved to it like any other",
         {{5e8, 2e8}, {5e8 + 188, 2e8}},
         {},
         true},
        {"spanning exactly 1,000 km", {{-5e8, 0}, {5e8, 0}}, {}, true},
        {"spanning just past 1,000 km", {{-5e8, 0}, {5e8 + 1, 0}}, {}, false},
        {"scenery widens the span", {{0, 5e8}}, {{0, -5e8 - 1}}, false},
        {"only scenery, far out", {}, {{-9e8, -9e8}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<PlacedPiece> pieces;
        for (const Point& at : c.pieces) {
            PlacedPiece p = makePlacedPiece("24188");
            p.id = static_cast<int32_t>(pieces.size()) + 1;
            p.x = at.x;
            p.y = at.y;
            pieces.push_back(p);
        }
        std::vector<SceneryItem> scenery;
        for (const Point& at : c.scenery)
            scenery.push_back(SceneryItem{9, "tree", at.x, at.y});
        EXPECT_EQ(blockPlacementProblem(pieces, scenery).empty(), c.placed);

        Layout into = emptyLayout();
        EXPECT_EQ(addBlockContent(into, pieces, scenery), c.placed);
        if (!c.placed) {
            EXPECT_TRUE(into.pieces.empty() && into.scenery.empty());
            EXPECT_EQ(into.nextId, 1u) << "no id was taken";
            continue;
        }
        Bounds box;
        for (const PlacedPiece& p : into.pieces)
            box.add(p.x, p.y);
        for (const SceneryItem& s : into.scenery)
            box.add(s.x, s.y);
        EXPECT_EQ(box.minX, 0);
        EXPECT_EQ(box.minY, 0);
        // Saved and opened again, nothing is lost.
        Layout reopened;
        std::string name;
        readLayoutText(reopened, layoutFileText(into, "Far"), name);
        EXPECT_EQ(reopened.pieces.size(), c.pieces.size());
        EXPECT_EQ(reopened.scenery.size(), c.scenery.size());
    }

    // Through the palette's insertion: the message, and nothing changed.
    const std::string dir = tempFolder();
    Layout wide;
    put(wide, "24188", -5e8, 0);
    put(wide, "24188", 5e8 + 1, 0);
    ASSERT_EQ(saveBlock(wide, dir + "/Wide.xml", "Wide"), "");
    Document doc;
    ScriptedPrompter prompter;
    EXPECT_FALSE(insertBlockAsEdit(doc, dir + "/Wide.xml", prompter).any());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Load Block Failed");
    EXPECT_EQ(prompter.messages[0].text,
              "The block's pieces lie more than 1,000 km apart, so it cannot be placed.");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Error);
    EXPECT_TRUE(doc.layout.pieces.empty());
    EXPECT_FALSE(doc.canUndo() || doc.modified);
    fs::remove_all(dir);
}

TEST(LibraryBlock, InsertIsOneUndoStepAndAnUnreadableFileChangesNothing) {
    const std::string dir = tempFolder();
    Document doc;
    put(doc.layout, "24188", 500, 0);
    put(doc.layout, "24188", 900, 0);
    ASSERT_EQ(saveBlock(doc.layout, dir + "/B.xml", "B"), "");
    ScriptedPrompter prompter;

    EXPECT_FALSE(insertBlockAsEdit(doc, dir + "/missing.xml", prompter).any());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Load Block Failed");
    EXPECT_EQ(prompter.messages[0].text, "Cannot open file: " + dir + "/missing.xml");
    EXPECT_FALSE(doc.canUndo() || doc.modified);

    EXPECT_TRUE(insertBlockAsEdit(doc, dir + "/B.xml", prompter).modified);
    ASSERT_EQ(doc.layout.pieces.size(), 4u);
    EXPECT_EQ(doc.layout.pieces[2].x, 0) << "the leftmost piece lands at x = 0";
    EXPECT_EQ(doc.layout.pieces[3].x, 400);
    EXPECT_TRUE(doc.modified);
    doc.undo();
    EXPECT_EQ(doc.layout.pieces.size(), 2u);
    fs::remove_all(dir);
}

TEST(LibraryBlockCommand, RefusesNamesThatLeaveTheLibraryFolder) {
    const std::string root = tempFolder();
    const std::string folder = root + "/library/Marklin_C-Track";
    Layout layout;
    put(layout, "24188", 0, 0);
    struct Case {
        const char* what;
        std::string name;
        bool saved;
    } cases[] = {
        {"parent folder", "../x", false},
        {"absolute path", root + "/abs", false},
        {"back slash", "a\\b", false},
        {"hidden file", ".hidden", false},
        {"control character", "tab\there", false},
        {"101 bytes", std::string(101, 'n'), false},
        {"100 bytes", std::string(100, 'n'), true},
        {"blanks and accents", " Gare Saint-Lazare é ", true},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        prompter.texts.push_back(c.name);
        EXPECT_EQ(saveAsLibraryBlock(layout, prompter, folder), c.saved) << c.what;
        ASSERT_EQ(prompter.messages.size(), 1u) << c.what;
        EXPECT_EQ(prompter.messages[0].title, c.saved ? "Save Block" : "Save Block Failed")
            << c.what;
        if (c.saved) {
            EXPECT_EQ(prompter.messages[0].text, "Block saved: " + c.name);
        }
    }
    // Only the two accepted blocks were written anywhere under the root.
    std::vector<std::string> written;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            written.push_back(entry.path().parent_path().string());
    EXPECT_EQ(written, std::vector<std::string>(2, fs::path(folder).make_preferred().string()));
    fs::remove_all(root);
}

TEST(LibraryBlockCommand, AsksBeforeReplacingAndNeedsASelection) {
    const std::string folder = tempFolder() + "/lib";
    Layout layout;
    const int32_t id = put(layout, "24188", 0, 0, false);
    ScriptedPrompter prompter;
    EXPECT_FALSE(saveAsLibraryBlock(layout, prompter, folder));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Select pieces first to save as library block.");
    EXPECT_TRUE(prompter.textPrompts.empty()) << "no name is asked for";

    layout.findPiece(id)->selected = true;
    prompter.texts = {std::string("Yard"), std::string("Yard"), std::string("Yard")};
    prompter.answers = {PromptAnswer::No, PromptAnswer::Yes};
    ASSERT_TRUE(saveAsLibraryBlock(layout, prompter, folder));
    const std::string path = folder + "/Yard.xml";
    layout.findPiece(id)->x = 77;
    EXPECT_FALSE(saveAsLibraryBlock(layout, prompter, folder)) << "answered No";
    std::string name;
    std::vector<PlacedPiece> pieces;
    std::vector<SceneryItem> scenery;
    ASSERT_EQ(loadBlock(path, name, pieces, scenery), "");
    EXPECT_EQ(pieces.at(0).x, 0);
    EXPECT_TRUE(saveAsLibraryBlock(layout, prompter, folder)) << "answered Yes";
    ASSERT_EQ(loadBlock(path, name, pieces, scenery), "");
    EXPECT_EQ(pieces.at(0).x, 77);
    EXPECT_EQ(prompter.titles().at(2), "Confirm Replace");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "only the block, no temporary file";
    fs::remove_all(fs::path(folder).parent_path());
}
