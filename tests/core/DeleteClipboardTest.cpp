#include "EditingTestSupport.h"

#include "editing/Clipboard.h"
#include "editing/ContextMenu.h"
#include "editing/Delete.h"
#include "editing/Selection.h"
#include "model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

// Three straights joined a-b-c along +x.
struct Chain {
    Layout layout = emptyLayout();
    int32_t a, b, c;
    Chain() {
        a = put(layout, "24188", 0, 0);
        b = put(layout, "24188", 188.3, 0);
        c = put(layout, "24188", 376.6, 0);
        layout.join(a, 1, b, 0);
        layout.join(b, 1, c, 0);
    }
};

// The refusals: each leaves the layout exactly as it was and takes no undo step.
struct RefusalCase {
    const char* name;
    void (*arrange)(Layout&);
    const char* title;
    const char* text;
};

void selectHelixStubAndTrack(Layout& layout) {
    placeHelix(layout, 2000, 2000, 0, "");
    layout.pieces.back().selected = true;
    layout.pieces[0].selected = true;
}
void selectTunnelTrack(Layout& layout) {
    layout.tunnels.push_back(Tunnel{80, 81, 82, 1, 2, {1, 2}});
    layout.pieces[1].selected = true;
}
void selectTunnelPortal(Layout& layout) {
    layout.tunnels.push_back(Tunnel{80, 81, 82, 1, 2, {1, 2}});
    layout.scenery.push_back(SceneryItem{82, "tunnel_portal_single", 0, 0, 0, true});
}
void selectGradedPiece(Layout& layout) {
    layout.pieces[2].grade = -2;
    layout.pieces[2].selected = true;
}

class DeleteRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(DeleteRefusal, ChangesNothingAndPushesNoSnapshot) {
    const RefusalCase& c = GetParam();
    Chain f;
    c.arrange(f.layout);
    f.layout.clearHistory();
    const std::vector<PlacedPiece> pieces = f.layout.pieces;
    const std::size_t scenery = f.layout.scenery.size();
    ScriptedPrompter prompter;
    EXPECT_FALSE(deleteSelection(f.layout, prompter));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].title, c.title);
    EXPECT_EQ(prompter.shown[0].text, c.text);
    EXPECT_EQ(f.layout.pieces.size(), pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(f.layout.pieces[i].selected, pieces[i].selected);
        EXPECT_EQ(f.layout.pieces[i].joints.size(), pieces[i].joints.size());
    }
    EXPECT_EQ(f.layout.scenery.size(), scenery);
    EXPECT_EQ(f.layout.undoDepth(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteRefusal,
    ::testing::Values(
        RefusalCase{"HelixStubWithOtherTrack", selectHelixStubAndTrack, "Helix track is locked",
                    "Selection includes track that is part of a helix. Helix track cannot be "
                    "deleted individually."},
        RefusalCase{"TunnelTrack", selectTunnelTrack, "Tunnel is locked",
                    "Selection includes tunnel track or portals. Remove the tunnel first, then "
                    "delete."},
        RefusalCase{"TunnelPortal", selectTunnelPortal, "Tunnel is locked",
                    "Selection includes tunnel track or portals. Remove the tunnel first, then "
                    "delete."},
        RefusalCase{"GradedAnsweredNo", selectGradedPiece, "Delete",
                    "Selection includes graded pieces. Delete?"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Delete, NothingSelectedDoesNothing) {
    Chain f;
    ScriptedPrompter prompter;
    EXPECT_FALSE(deleteSelection(f.layout, prompter));
    EXPECT_EQ(f.layout.undoDepth(), 0u);
}

TEST(Delete, GradedAnsweredYesDeletes) {
    Chain f;
    selectGradedPiece(f.layout);
    ScriptedPrompter prompter;
    prompter.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(deleteSelection(f.layout, prompter));
    EXPECT_TRUE(prompter.lastDefaultNo);
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Question);
    EXPECT_EQ(f.layout.pieces.size(), 2u);
}

TEST(Delete, RemovesPiecesAndEverythingThatPointedAtThem) {
    Chain f;
    f.layout.gradeRuns.push_back(GradeRun{2, f.b, 1});
    f.layout.gradeRuns.push_back(GradeRun{-1, f.c, 0});
    f.layout.restoreGradeState();
    f.layout.findPiece(f.b)->selected = true;
    f.layout.scenery.push_back(SceneryItem{50, "tree", 0, 0, 0, true});
    f.layout.scenery.push_back(SceneryItem{51, "tree", 0, 0, 0, false});
    f.layout.labels.push_back(LayoutLabel{52, "x", 0, 0, true});
    f.layout.measurements.push_back(Measurement{53, 0, 0, 10, 0, 0, 0, true});
    f.layout.shapes.push_back(PolygonShape{});
    f.layout.shapes[0].selected = true;
    ScriptedPrompter prompter;
    ASSERT_TRUE(deleteSelection(f.layout, prompter));
    EXPECT_EQ(f.layout.findPiece(f.b), nullptr);
    EXPECT_TRUE(f.layout.findPiece(f.a)->jointAt(1).isFree());
    EXPECT_TRUE(f.layout.findPiece(f.c)->jointAt(0).isFree());
    ASSERT_EQ(f.layout.gradeRuns.size(), 1u);
    EXPECT_EQ(f.layout.gradeAnchor, f.c);
    ASSERT_EQ(f.layout.scenery.size(), 1u);
    EXPECT_EQ(f.layout.scenery[0].id, 51);
    EXPECT_TRUE(f.layout.labels.empty());
    EXPECT_TRUE(f.layout.measurements.empty());
    EXPECT_TRUE(f.layout.shapes.empty());
    EXPECT_EQ(f.layout.undoDepth(), 1u);

    f.layout.undo();
    EXPECT_TRUE(joinedBothWays(f.layout, f.a, 1, f.b, 0));
    EXPECT_EQ(f.layout.gradeRuns.size(), 2u);
    EXPECT_EQ(f.layout.scenery.size(), 2u);
}

TEST(Delete, LastRunGoneLeavesTheGradeStateIdle) {
    Chain f;
    f.layout.gradeRuns.push_back(GradeRun{2, f.b, 1});
    f.layout.restoreGradeState();
    f.layout.findPiece(f.b)->selected = true;
    ScriptedPrompter prompter;
    ASSERT_TRUE(deleteSelection(f.layout, prompter));
    EXPECT_FALSE(f.layout.gradeActive);
    EXPECT_EQ(f.layout.gradeAnchor, -1);
}

TEST(Delete, PairedHalvesGoTogether) {
    Layout layout = emptyLayout();
    const int32_t first = put(layout, "74618", 0, 0);
    const int32_t second = put(layout, "74618", 180, 0);
    const int32_t next = put(layout, "24188", 360, 0);
    layout.join(first, 1, second, 0);
    layout.join(second, 1, next, 0);
    layout.findPiece(first)->selected = true;
    ScriptedPrompter prompter;
    ASSERT_TRUE(deleteSelection(layout, prompter));
    ASSERT_EQ(layout.pieces.size(), 1u);
    EXPECT_EQ(layout.pieces[0].id, next);
    EXPECT_TRUE(layout.pieces[0].jointAt(0).isFree());
}

TEST(Delete, OneWholeHelixIsDeletedWithItsRecordAndAnyTunnelOverIt) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    const int32_t stub = layout.pieces[0].id;
    const int32_t lead = put(layout, "24188", 1000 - 188.3, 140);
    layout.join(lead, 1, stub, 0);
    layout.scenery.push_back(SceneryItem{90, "tunnel_portal_single"});
    layout.scenery.push_back(SceneryItem{91, "tunnel_portal_single"});
    layout.tunnels.push_back(Tunnel{92, 90, 91, lead, stub, {lead, stub}});
    selectHelixOf(layout, stub);
    ScriptedPrompter prompter;
    ASSERT_TRUE(deleteSelection(layout, prompter));
    EXPECT_TRUE(prompter.shown.empty());
    ASSERT_EQ(layout.pieces.size(), 1u);
    EXPECT_TRUE(layout.helices.empty());
    EXPECT_TRUE(layout.tunnels.empty());
    EXPECT_TRUE(layout.scenery.empty());
    EXPECT_TRUE(layout.pieces[0].jointAt(1).isFree());
}

TEST(Clipboard, CopyingNothingKeepsTheClipboard) {
    Chain f;
    Clipboard clipboard;
    clipboard.pieces.push_back(f.layout.pieces[0]);
    copySelection(f.layout, clipboard);
    EXPECT_EQ(clipboard.pieces.size(), 1u);
}

TEST(Clipboard, PasteKeepsInnerJointsFreesOuterOnesAndTakesNewIds) {
    Chain f;
    f.layout.findPiece(f.a)->selected = true;
    f.layout.findPiece(f.b)->selected = true;
    Clipboard clipboard;
    copySelection(f.layout, clipboard);
    ASSERT_EQ(clipboard.pieces.size(), 2u);
    f.layout.undo(); // nothing to undo; ids must still grow past everything seen
    const uint32_t next = f.layout.nextId;
    ASSERT_TRUE(pasteAt(f.layout, clipboard, Point{1000, 500}));
    ASSERT_EQ(f.layout.pieces.size(), 5u);
    const PlacedPiece& pa = f.layout.pieces[3];
    const PlacedPiece& pb = f.layout.pieces[4];
    EXPECT_EQ(pa.id, static_cast<int32_t>(next));
    EXPECT_EQ(pb.id, static_cast<int32_t>(next + 1));
    EXPECT_TRUE(joinedBothWays(f.layout, pa.id, 1, pb.id, 0));
    EXPECT_TRUE(pa.jointAt(0).isFree());
    EXPECT_TRUE(pb.jointAt(1).isFree());                   // was joined to c, which was not copied
    EXPECT_TRUE(joinedBothWays(f.layout, f.b, 1, f.c, 0)); // originals untouched
    // Centred on the point: the mean of the pasted origins is (1000, 500).
    EXPECT_DOUBLE_EQ((pa.x + pb.x) / 2, 1000);
    EXPECT_DOUBLE_EQ((pa.y + pb.y) / 2, 500);
    EXPECT_EQ(selectedPieceIndices(f.layout), (std::vector<std::size_t>{3, 4}));
    EXPECT_EQ(f.layout.undoDepth(), 1u);

    f.layout.undo();
    EXPECT_EQ(f.layout.pieces.size(), 3u);
    ASSERT_TRUE(pasteAt(f.layout, clipboard, Point{0, 0}));
    EXPECT_EQ(f.layout.pieces[3].id, static_cast<int32_t>(next + 2)); // never reused
}

TEST(Clipboard, PastingAnEmptyClipboardDoesNothing) {
    Chain f;
    EXPECT_FALSE(pasteAt(f.layout, Clipboard{}, Point{}));
    EXPECT_EQ(f.layout.undoDepth(), 0u);
}

TEST(Clipboard, AWholeHelixPastesAsANewHelixAndAPartOneAsPlainTrack) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    selectHelixOf(layout, layout.pieces[0].id);
    Clipboard whole;
    copySelection(layout, whole);
    ASSERT_TRUE(pasteAt(layout, whole, Point{3000, 500}));
    ASSERT_EQ(layout.helices.size(), 2u);
    const Helix& copy = layout.helices[1];
    EXPECT_DOUBLE_EQ(copy.cx, 3000);
    EXPECT_EQ(copy.bottomR1, layout.pieces[4].id);
    EXPECT_EQ(layout.pieces[4].helix, copy.id);
    EXPECT_EQ(layout.pieces[0].helix, layout.helices[0].id);

    Clipboard part;
    part.pieces.push_back(layout.pieces[0]);
    ASSERT_TRUE(pasteAt(layout, part, Point{0, 0}));
    EXPECT_EQ(layout.pieces.back().helix, -1);
    EXPECT_EQ(layout.helices.size(), 2u);
}

struct MenuCase {
    const char* name;
    int hit;         // index into the chain's ids, -1 for empty canvas
    int preselected; // how many of the chain's first pieces are selected
    bool clipboard;
    bool shift;
    std::vector<int> items;
    std::size_t selectedAfter;
    bool clipboardAfter;
};

class ContextMenuChoice : public ::testing::TestWithParam<MenuCase> {};

TEST_P(ContextMenuChoice, OffersTheItemsTheSelectionAllows) {
    const MenuCase& c = GetParam();
    Chain f;
    const int32_t ids[] = {f.a, f.b, f.c};
    for (int i = 0; i < c.preselected; ++i)
        f.layout.findPiece(ids[i])->selected = true;
    Clipboard clipboard;
    if (c.clipboard)
        clipboard.pieces.push_back(f.layout.pieces[0]);
    const auto menu = contextMenu(f.layout, clipboard, c.hit < 0 ? -1 : ids[c.hit], c.shift);
    std::vector<int> items;
    for (const MenuItem& m : menu)
        items.push_back(m.id);
    EXPECT_EQ(items, c.items);
    EXPECT_EQ(selectedPieceIndices(f.layout).size(), c.selectedAfter);
    EXPECT_EQ(!clipboard.empty(), c.clipboardAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContextMenuChoice,
    ::testing::Values(
        MenuCase{"EmptyCanvasWithClipboardOffersPaste", -1, 2, true, false, {5033}, 2, true},
        MenuCase{"EmptyCanvasWithoutClipboardClears", -1, 2, false, false, {}, 0, false},
        MenuCase{"EmptyCanvasShiftKeepsSelection", -1, 2, false, true, {}, 2, false},
        MenuCase{"OneSelectedPieceOffersCopy", 0, 1, false, false, {5032}, 1, false},
        MenuCase{"UnselectedPieceBecomesTheSelection", 2, 2, false, false, {5032}, 1, false},
        MenuCase{"TwoSelectedOfferAutofillThenCopy", 1, 2, true, false, {6001, 5032}, 2, true},
        MenuCase{"ThreeSelectedOfferCopyOnly", 1, 3, false, false, {5032}, 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ContextMenuLabels, UseTheProgramsTexts) {
    Chain f;
    f.layout.findPiece(f.a)->selected = true;
    f.layout.findPiece(f.b)->selected = true;
    Clipboard clipboard;
    const auto menu = contextMenu(f.layout, clipboard, f.a, false);
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].label, "Autofill Gap...");
    EXPECT_EQ(menu[1].label, "Copy");
    clipboard.pieces.push_back(f.layout.pieces[0]);
    EXPECT_EQ(contextMenu(f.layout, clipboard, -1, false)[0].label, "Paste");
}

} // namespace
