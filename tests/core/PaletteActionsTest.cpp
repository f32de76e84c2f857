// What the palette's gestures hand on: drag and double-click decisions, the drag suppression
// after a double-click, the preview's hover rules and deleting a library block.
#include "shell/PaletteActions.h"
#include "ScriptedPrompter.h"
#include "catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

using Kind = PaletteAction::Kind;

TEST(PaletteTrackActions, DoubleClickAndDragPerRowKind) {
    struct Case {
        const char* name;
        std::string key;
        bool selected;
        PaletteAction doubleClick;
        PaletteAction drag;
    };
    const std::vector<Case> cases = {
        {"header row", "", false, {}, {}},
        {"header row with a selection", "", true, {}, {}},
        {"piece row, nothing selected",
         "24188",
         false,
         {Kind::BeginPlacing, "24188"},
         {Kind::BeginPlacing, "24188"}},
        {"piece row, pieces selected",
         "24188",
         true,
         {Kind::AutoConnect, "24188"},
         {Kind::BeginPlacing, "24188"}},
        {"helix row",
         "@helix:proses_3_5_r2r3",
         false,
         {Kind::PlaceHelix, "proses_3_5_r2r3"},
         {Kind::BeginHelixPlacing, "proses_3_5_r2r3"}},
        {"helix row with a selection",
         "@helix:proses_3_5_r2r3",
         true,
         {Kind::PlaceHelix, "proses_3_5_r2r3"},
         {Kind::BeginHelixPlacing, "proses_3_5_r2r3"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(trackDoubleClickAction(c.key, c.selected), c.doubleClick) << c.name;
        EXPECT_EQ(trackDragAction(c.key), c.drag) << c.name;
    }
    EXPECT_EQ(sceneryAction("tree_group"),
              (PaletteAction{Kind::BeginSceneryPlacing, "tree_group"}));
    EXPECT_EQ(sceneryAction(""), PaletteAction{});
    EXPECT_EQ(libraryAction("/lib/Yard.xml"), (PaletteAction{Kind::InsertBlock, "/lib/Yard.xml"}));
    EXPECT_EQ(libraryAction(""), PaletteAction{});
}

TEST(PaletteDrag, DoubleClickSuppressesTheDragUntilTheNextPress) {
    PaletteHoverState state;
    paletteButtonDown(state);
    paletteDoubleClick(state);
    // The button is still down after the double-click and the mouse moves a little.
    EXPECT_FALSE(paletteDragStarts(state, "24188"));
    EXPECT_FALSE(paletteDragStarts(state, "24188"));
    paletteButtonDown(state);
    EXPECT_TRUE(paletteDragStarts(state, "24188"));
}

TEST(PaletteDrag, OnePressHandsOverOneDragAndOnlyFromAKeyedRow) {
    PaletteHoverState state;
    paletteButtonDown(state);
    EXPECT_FALSE(paletteDragStarts(state, "")) << "header row";
    EXPECT_TRUE(paletteDragStarts(state, "24188"));
    EXPECT_FALSE(paletteDragStarts(state, "24188")) << "motion goes on before the canvas captures";
    paletteButtonDown(state);
    EXPECT_TRUE(paletteDragStarts(state, "@helix:proses_2_5_r1r2"));
}

TEST(PalettePreview, HoverShowsCataloguePiecesOnly) {
    PaletteHoverState state;
    using P = PreviewChange::Kind;
    struct Step {
        const char* name;
        int row;
        std::string key;
        P kind;
        int hoverRow;
    };
    const std::vector<Step> steps = {
        {"piece row shows", 1, "24188", P::Show, 1},
        {"same row keeps", 1, "24188", P::Keep, 1},
        {"another row moves", 2, "24130", P::Show, 2},
        {"header row hides", 0, "", P::Hide, -1},
        {"nothing to hide again", 0, "", P::Keep, -1},
        {"back on a piece", 3, "24611", P::Show, 3},
        {"helix row hides", 40, "@helix:proses_2_5_r1r2", P::Hide, -1},
        {"piece again", 3, "24611", P::Show, 3},
        {"unknown part hides", 5, "99999", P::Hide, -1},
        {"piece again", 3, "24611", P::Show, 3},
        {"below the last row hides", -1, "", P::Hide, -1},
    };
    for (const Step& s : steps) {
        const PreviewChange change = paletteHover(state, s.row, s.key);
        EXPECT_EQ(change.kind, s.kind) << s.name;
        EXPECT_EQ(state.hoverRow, s.hoverRow) << s.name;
        if (s.kind == P::Show)
            EXPECT_EQ(change.part, s.key) << s.name;
    }
}

TEST(PalettePreview, PressDoubleClickAndLeavingForgetTheHoveredRow) {
    PaletteHoverState state;
    for (void (*reset)(PaletteHoverState&) :
         {paletteButtonDown, paletteDoubleClick, paletteLeave}) {
        ASSERT_EQ(paletteHover(state, 1, "24188").kind, PreviewChange::Kind::Show);
        reset(state);
        EXPECT_EQ(state.hoverRow, -1);
        // The same row shows the preview again.
        EXPECT_EQ(paletteHover(state, 1, "24188").kind, PreviewChange::Kind::Show);
        paletteLeave(state);
    }
}

class LibraryDeleteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "plandor-libdel-XXXXXX").string();
        root = mkdtemp(pattern.data());
        path = root + "/Yard.xml";
        std::ofstream(path) << "<block/>\n";
    }
    void TearDown() override { fs::remove_all(root); }

    std::string root;
    std::string path;
    ScriptedPrompter prompter;
};

TEST_F(LibraryDeleteTest, AsksWithNoAsDefault) {
    prompter.answers.push_back(PromptAnswer::No);
    EXPECT_FALSE(deleteLibraryBlock({"Yard", path}, prompter));
    EXPECT_TRUE(fs::exists(path));
    ASSERT_EQ(prompter.messages.size(), 1u);
    const auto& asked = prompter.messages[0];
    EXPECT_EQ(asked.kind, ScriptedPrompter::Kind::YesNo);
    EXPECT_EQ(asked.title, "Delete Library Block");
    EXPECT_EQ(asked.text, "Delete library block \"Yard\"?\n\nThis cannot be undone.");
    EXPECT_EQ(asked.icon, PromptIcon::Exclamation);
    EXPECT_TRUE(asked.defaultNo);
}

TEST_F(LibraryDeleteTest, YesRemovesTheFile) {
    prompter.answers.push_back(PromptAnswer::Yes);
    EXPECT_TRUE(deleteLibraryBlock({"Yard", path}, prompter));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(prompter.messages.size(), 1u) << "no failure reported";
}

TEST_F(LibraryDeleteTest, FileGoneMeanwhileReportsTheFailure) {
    fs::remove(path);
    prompter.answers.push_back(PromptAnswer::Yes);
    EXPECT_TRUE(deleteLibraryBlock({"Yard", path}, prompter)) << "the list is reloaded";
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].kind, ScriptedPrompter::Kind::Message);
    EXPECT_EQ(prompter.messages[1].title, "Delete Failed");
    EXPECT_EQ(prompter.messages[1].text, "Could not delete:\n" + path);
    EXPECT_EQ(prompter.messages[1].icon, PromptIcon::Error);
}

TEST_F(LibraryDeleteTest, RowWithoutPathAsksNothing) {
    EXPECT_FALSE(deleteLibraryBlock({"", ""}, prompter));
    EXPECT_TRUE(prompter.messages.empty());
}

} // namespace
