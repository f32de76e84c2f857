#include "EditingTestSupport.h"

#include "core/editing/Clipboard.h"
#include "core/editing/Delete.h"
#include "core/editing/Rotate.h"
#include "core/editing/Selection.h"
#include "core/model/HelixPlacement.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

// Three straights joined a-b-c along +x.
struct Chain {
    Document doc;
    Layout& layout = (doc.layout = emptyLayout());
    const std::vector<int32_t> ids = addChain(layout, "24188", 3);
    int32_t a = ids[0], b = ids[1], c = ids[2];
};

// The ramp pair's case selects one half only: the lock on its twin holds all the same.
TEST(DeleteRefusal, ChangesNothingAndPushesNoSnapshot) {
    const struct {
        const char* name;
        void (*arrange)(Layout&);
        const char* title;
        const char* text;
    } cases[] = {
        {"helix stub with other track",
         [](Layout& l) {
             placeHelix(l, 2000, 2000, 0, "");
             l.pieces.back().selected = l.pieces[0].selected = true;
         },
         "Helix track is locked",
         "Selection includes track that is part of a helix. Helix track cannot be "
         "deleted individually."},
        {"graded, answered No",
         [](Layout& l) {
             l.pieces[2].grade = -2;
             l.pieces[2].selected = true;
         },
         "Delete", "Selection includes graded pieces. Delete?"},
        {"ramp half whose twin is under a tunnel",
         [](Layout& l) {
             const int32_t a = addPiece(l, "74618", 0, 500).id;
             const int32_t b = addPiece(l, "74618", 180, 500).id;
             l.join(a, 1, b, 0);
             const int32_t portalA = addScenery(l, "portal").id;
             const int32_t portalB = addScenery(l, "portal").id;
             l.tunnels.push_back(Tunnel{l.takeId(), portalA, portalB, b, b, {b}});
             l.findPiece(a)->selected = true;
         },
         "Tunnel is locked",
         "Selection includes tunnel track or portals. Remove the tunnel first, then delete."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Chain f;
        c.arrange(f.layout);
        const std::string before = layoutFileText(f.layout, "");
        ScriptedPrompter prompter;
        prompter.answers = {PromptAnswer::No}; // to the graded-pieces question
        EXPECT_FALSE(editStep(f.doc, [&] { return deleteSelection(f.layout, prompter); }));
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].title, c.title);
        EXPECT_EQ(prompter.messages[0].text, c.text);
        EXPECT_EQ(layoutFileText(f.layout, ""), before);
        EXPECT_EQ(f.doc.undoDepth(), 0u);
    }
}

TEST(RampPairDelete, AGradedTwinIsAskedAboutAndGoesWithItsHalf) {
    Layout layout = emptyLayout();
    const auto [a, b, next] = addRampPair(layout);
    layout.findPiece(b)->grade = 2;
    layout.findPiece(a)->selected = true;
    ScriptedPrompter prompter;
    prompter.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(deleteSelection(layout, prompter));
    EXPECT_EQ(prompter.titles(), std::vector<std::string>{"Delete"});
    ASSERT_EQ(layout.pieces.size(), 1u);
    EXPECT_EQ(layout.pieces[0].id, next);
    EXPECT_TRUE(layout.pieces[0].jointAt(0).isFree());
}

TEST(Delete, RemovesPiecesAndEverythingThatPointedAtThem) {
    Chain f;
    f.layout.gradeRuns.push_back(GradeRun{2, f.b, 1});
    f.layout.gradeRuns.push_back(GradeRun{-1, f.c, 0});
    f.layout.restoreGradeState();
    f.layout.findPiece(f.b)->selected = true;
    f.layout.scenery.push_back(SceneryItem{50, "tree", 0, 0, 0, true});
    f.layout.scenery.push_back(SceneryItem{51, "tree", 0, 0, 0, false});
    ScriptedPrompter prompter;
    ASSERT_TRUE(editStep(f.doc, [&] { return deleteSelection(f.layout, prompter); }));
    EXPECT_EQ(f.layout.findPiece(f.b), nullptr);
    EXPECT_TRUE(f.layout.findPiece(f.a)->jointAt(1).isFree());
    EXPECT_TRUE(f.layout.findPiece(f.c)->jointAt(0).isFree());
    EXPECT_EQ(f.layout.gradeRuns.size(), 1u);
    EXPECT_EQ(f.layout.gradeAnchor, f.c);
    EXPECT_EQ(f.layout.scenery.size(), 1u); // the selected tree went too
    f.doc.undo();
    EXPECT_TRUE(joinedBothWays(f.layout, f.a, 1, f.b, 0));
    EXPECT_EQ(f.layout.gradeRuns.size(), 2u);
}

TEST(Clipboard, PasteKeepsInnerJointsFreesOuterOnesAndTakesNewIds) {
    Chain f;
    f.layout.findPiece(f.a)->selected = f.layout.findPiece(f.b)->selected = true;
    Clipboard clipboard;
    copySelection(f.layout, clipboard);
    const int32_t next = static_cast<int32_t>(f.layout.nextId);
    ASSERT_TRUE(editStep(f.doc, [&] { return pasteAt(f.layout, clipboard, Point{1000, 500}); }));
    ASSERT_EQ(f.layout.pieces.size(), 5u);
    const PlacedPiece& pa = f.layout.pieces[3];
    const PlacedPiece& pb = f.layout.pieces[4];
    EXPECT_EQ(pa.id, next);
    EXPECT_TRUE(joinedBothWays(f.layout, pa.id, 1, pb.id, 0));
    EXPECT_TRUE(pa.jointAt(0).isFree());
    EXPECT_TRUE(pb.jointAt(1).isFree());                   // was joined to c, which was not copied
    EXPECT_TRUE(joinedBothWays(f.layout, f.b, 1, f.c, 0)); // originals untouched
    EXPECT_DOUBLE_EQ((pa.x + pb.x) / 2, 1000);             // centred on the point
    f.doc.undo();
    ASSERT_TRUE(editStep(f.doc, [&] { return pasteAt(f.layout, clipboard, Point{0, 0}); }));
    EXPECT_EQ(f.layout.pieces[3].id, next + 2); // never reused
    EXPECT_FALSE(editStep(f.doc, [&] { return pasteAt(f.layout, Clipboard{}, Point{}); }));
    EXPECT_EQ(f.doc.undoDepth(), 1u);
}

// The helix is pasted from the record copied with its stubs: moving and turning the original
// after the copy must not pull the pasted helix away from its pasted stubs.
TEST(Clipboard, PastedHelixSitsOnItsPastedStubsAfterTheOriginalMoved) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    const int32_t original = layout.helices[0].id;
    ASSERT_TRUE(selectHelixOf(layout, layout.pieces[0].id));
    Clipboard clipboard;
    copySelection(layout, clipboard);

    for (PlacedPiece& p : layout.pieces)
        p.x += 1000;
    layout.helices[0].cx += 1000;
    rotateSelection(layout, Point{2000, 500}, 30);
    ASSERT_DOUBLE_EQ(layout.findHelix(original)->heading, 30);

    ASSERT_TRUE(pasteAt(layout, clipboard, Point{4000, 3000}));
    ASSERT_EQ(layout.helices.size(), 2u);
    const Helix& pasted = layout.helices[1];
    EXPECT_EQ(pasted.heading, 0);
    // The stubs' signed distances to the right of the helix heading.
    for (const auto& [id, offset] : {std::pair{pasted.bottomR1, -360.0}, {pasted.topR2, 437.5}}) {
        const PlacedPiece* p = layout.findPiece(id);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->helix, pasted.id);
        EXPECT_NEAR(p->x, pasted.cx, 1e-9);
        EXPECT_NEAR(p->y - pasted.cy, offset, 1e-9);
    }
    // The clipboard still pastes the helix after the original is gone.
    ASSERT_TRUE(selectHelixOf(layout, layout.findHelix(original)->bottomR1));
    for (PlacedPiece& p : layout.pieces)
        p.selected = p.helix == original;
    ScriptedPrompter prompter;
    ASSERT_TRUE(deleteSelection(layout, prompter));
    ASSERT_TRUE(pasteAt(layout, clipboard, Point{0, 0}));
    ASSERT_EQ(layout.helices.size(), 2u);
    EXPECT_EQ(layout.findPiece(layout.helices[1].bottomR1)->helix, layout.helices[1].id);
}

} // namespace
