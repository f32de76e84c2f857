// What the palette's gestures hand on: drag and double-click decisions, the drag suppression
// after a double-click and deleting a library block.
#include "core/canvas/PaletteActions.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"
#include "core/catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

using Kind = PaletteAction::Kind;

TEST(PaletteTrackActions, DoubleClickAndDragPerRowKind) {
    const std::string helix = "@helix:proses_3_5_r2r3";
    EXPECT_EQ(trackDoubleClickAction("", true), PaletteAction{}) << "header row";
    EXPECT_EQ(trackDragAction(""), PaletteAction{}) << "header row";
    EXPECT_EQ(trackDoubleClickAction("24188", false), (PaletteAction{Kind::BeginPlacing, "24188"}));
    EXPECT_EQ(trackDoubleClickAction("24188", true), (PaletteAction{Kind::AutoConnect, "24188"}));
    EXPECT_EQ(trackDragAction("24188"), (PaletteAction{Kind::BeginPlacing, "24188"}));
    EXPECT_EQ(trackDoubleClickAction(helix, true),
              (PaletteAction{Kind::PlaceHelix, "proses_3_5_r2r3"}));
    EXPECT_EQ(trackDragAction(helix), (PaletteAction{Kind::BeginHelixPlacing, "proses_3_5_r2r3"}));
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

TEST(LibraryDelete, AsksWithNoAsDefaultAndRemovesOnlyOnYes) {
    const std::string root = tempFolder();
    const std::string path = root + "/Yard.xml";
    std::ofstream(path) << "<block/>\n";

    ScriptedPrompter no;
    no.answers.push_back(PromptAnswer::No);
    EXPECT_FALSE(deleteLibraryBlock({"Yard", path}, no));
    EXPECT_TRUE(fs::exists(path));
    ASSERT_EQ(no.messages.size(), 1u);
    EXPECT_EQ(no.messages[0].kind, ScriptedPrompter::Kind::YesNo);
    EXPECT_EQ(no.messages[0].text, "Delete library block \"Yard\"?\n\nThis cannot be undone.");
    EXPECT_TRUE(no.messages[0].defaultNo);

    ScriptedPrompter yes;
    yes.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    EXPECT_TRUE(deleteLibraryBlock({"Yard", path}, yes));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(yes.messages.size(), 1u) << "no failure reported";
    // The file gone meanwhile: the failure is reported and the list reloaded.
    EXPECT_TRUE(deleteLibraryBlock({"Yard", path}, yes));
    ASSERT_EQ(yes.messages.size(), 3u);
    EXPECT_EQ(yes.messages[2].title, "Delete Failed");
    EXPECT_EQ(yes.messages[2].text, "Could not delete:\n" + path);

    ScriptedPrompter none; // a row without a path asks nothing
    EXPECT_FALSE(deleteLibraryBlock({"", ""}, none));
    EXPECT_TRUE(none.messages.empty());
    fs::remove_all(root);
}

} // namespace
