#include "EditingTestSupport.h"

#include "editing/Clipboard.h"
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
    int32_t a = put(layout, "24188", 0, 0);
    int32_t b = put(layout, "24188", 188.3, 0);
    int32_t c = put(layout, "24188", 376.6, 0);
    Chain() {
        layout.join(a, 1, b, 0);
        layout.join(b, 1, c, 0);
    }
};

struct RefusalCase {
    const char* name;
    void (*arrange)(Layout&);
    const char* title;
    const char* text;
};

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
    ASSERT_EQ(f.layout.pieces.size(), pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(f.layout.pieces[i].selected, pieces[i].selected);
        EXPECT_EQ(f.layout.pieces[i].joints.size(), pieces[i].joints.size());
    }
    EXPECT_EQ(f.layout.scenery.size(), scenery);
    EXPECT_EQ(f.layout.undoDepth(), 0u);
}

const char* kTunnelText =
    "Selection includes tunnel track or portals. Remove the tunnel first, then delete.";

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteRefusal,
    ::testing::Values(
        RefusalCase{"HelixStubWithOtherTrack",
                    [](Layout& l) {
                        placeHelix(l, 2000, 2000, 0, "");
                        l.pieces.back().selected = l.pieces[0].selected = true;
                    },
                    "Helix track is locked",
                    "Selection includes track that is part of a helix. Helix track cannot be "
                    "deleted individually."},
        RefusalCase{"TunnelTrack",
                    [](Layout& l) {
                        l.tunnels.push_back(Tunnel{80, 81, 82, 1, 2, {1, 2}});
                        l.pieces[1].selected = true;
                    },
                    "Tunnel is locked", kTunnelText},
        RefusalCase{"GradedAnsweredNo",
                    [](Layout& l) {
                        l.pieces[2].grade = -2;
                        l.pieces[2].selected = true;
                    },
                    "Delete", "Selection includes graded pieces. Delete?"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(Delete, RemovesPiecesAndEverythingThatPointedAtThem) {
    Chain f;
    f.layout.gradeRuns.push_back(GradeRun{2, f.b, 1});
    f.layout.gradeRuns.push_back(GradeRun{-1, f.c, 0});
    f.layout.restoreGradeState();
    f.layout.findPiece(f.b)->selected = true;
    f.layout.scenery.push_back(SceneryItem{50, "tree", 0, 0, 0, true});
    f.layout.scenery.push_back(SceneryItem{51, "tree", 0, 0, 0, false});
    ScriptedPrompter prompter;
    ASSERT_TRUE(deleteSelection(f.layout, prompter));
    EXPECT_EQ(f.layout.findPiece(f.b), nullptr);
    EXPECT_TRUE(f.layout.findPiece(f.a)->jointAt(1).isFree());
    EXPECT_TRUE(f.layout.findPiece(f.c)->jointAt(0).isFree());
    ASSERT_EQ(f.layout.gradeRuns.size(), 1u);
    EXPECT_EQ(f.layout.gradeAnchor, f.c);
    ASSERT_EQ(f.layout.scenery.size(), 1u);
    EXPECT_EQ(f.layout.scenery[0].id, 51);
    f.layout.undo();
    EXPECT_TRUE(joinedBothWays(f.layout, f.a, 1, f.b, 0));
    EXPECT_EQ(f.layout.gradeRuns.size(), 2u);
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
    EXPECT_TRUE(layout.pieces[0].jointAt(0).isFree());
}

TEST(Clipboard, PasteKeepsInnerJointsFreesOuterOnesAndTakesNewIds) {
    Chain f;
    f.layout.findPiece(f.a)->selected = f.layout.findPiece(f.b)->selected = true;
    Clipboard clipboard;
    copySelection(f.layout, clipboard);
    const int32_t next = static_cast<int32_t>(f.layout.nextId);
    ASSERT_TRUE(pasteAt(f.layout, clipboard, Point{1000, 500}));
    ASSERT_EQ(f.layout.pieces.size(), 5u);
    const PlacedPiece& pa = f.layout.pieces[3];
    const PlacedPiece& pb = f.layout.pieces[4];
    EXPECT_EQ(pa.id, next);
    EXPECT_EQ(pb.id, next + 1);
    EXPECT_TRUE(joinedBothWays(f.layout, pa.id, 1, pb.id, 0));
    EXPECT_TRUE(pa.jointAt(0).isFree());
    EXPECT_TRUE(pb.jointAt(1).isFree());                   // was joined to c, which was not copied
    EXPECT_TRUE(joinedBothWays(f.layout, f.b, 1, f.c, 0)); // originals untouched
    EXPECT_DOUBLE_EQ((pa.x + pb.x) / 2, 1000);             // centred on the point
    EXPECT_EQ(f.layout.undoDepth(), 1u);
    f.layout.undo();
    ASSERT_TRUE(pasteAt(f.layout, clipboard, Point{0, 0}));
    EXPECT_EQ(f.layout.pieces[3].id, next + 2); // never reused
    EXPECT_FALSE(pasteAt(f.layout, Clipboard{}, Point{}));
    EXPECT_EQ(f.layout.undoDepth(), 1u);
}

} // namespace
