#include "EditingTestSupport.h"

#include "editing/Clipboard.h"
#include "editing/Delete.h"
#include "editing/Rotate.h"
#include "editing/Selection.h"
#include "model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

// Three straights joined a-b-c along +x.
struct Chain {
    Document doc;
    Layout& layout = (doc.layout = emptyLayout());
    int32_t a = addPiece(layout, "24188", 0, 0).id;
    int32_t b = addPiece(layout, "24188", 188.3, 0).id;
    int32_t c = addPiece(layout, "24188", 376.6, 0).id;
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

const char* kTunnelText =
    "Selection includes tunnel track or portals. Remove the tunnel first, then delete.";

TEST(DeleteRefusal, ChangesNothingAndPushesNoSnapshot) {
    const RefusalCase cases[] = {
        {"HelixStubWithOtherTrack",
         [](Layout& l) {
             placeHelix(l, 2000, 2000, 0, "");
             l.pieces.back().selected = l.pieces[0].selected = true;
         },
         "Helix track is locked",
         "Selection includes track that is part of a helix. Helix track cannot be "
         "deleted individually."},
        {"TunnelTrack",
         [](Layout& l) {
             l.tunnels.push_back(Tunnel{80, 81, 82, 1, 2, {1, 2}});
             l.pieces[1].selected = true;
         },
         "Tunnel is locked", kTunnelText},
        {"GradedAnsweredNo",
         [](Layout& l) {
             l.pieces[2].grade = -2;
             l.pieces[2].selected = true;
         },
         "Delete", "Selection includes graded pieces. Delete?"}};
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        Chain f;
        c.arrange(f.layout);
        const std::vector<PlacedPiece> pieces = f.layout.pieces;
        const std::size_t scenery = f.layout.scenery.size();
        ScriptedPrompter prompter;
        prompter.answers = {PromptAnswer::No}; // to the graded-pieces question
        EXPECT_FALSE(editStep(f.doc, [&] { return deleteSelection(f.layout, prompter); }));
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].title, c.title);
        EXPECT_EQ(prompter.messages[0].text, c.text);
        ASSERT_EQ(f.layout.pieces.size(), pieces.size());
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(f.layout.pieces[i].selected, pieces[i].selected);
            EXPECT_EQ(f.layout.pieces[i].joints.size(), pieces[i].joints.size());
        }
        EXPECT_EQ(f.layout.scenery.size(), scenery);
        EXPECT_EQ(f.doc.undoDepth(), 0u);
    }
}

// A 74618 ramp pair a-b followed by plain track; only `a` is selected, while each case puts the
// lock or the grade on `b` alone.
struct RampPairCase {
    const char* name;
    void (*arrange)(Layout&, int32_t b);
    PromptAnswer answer; // to the graded-pieces question
    const char* title;
    const char* text;
    bool deleted;
};

void tunnelOver(Layout& l, int32_t b) {
    l.scenery.push_back(SceneryItem{80, "portal", 0, 0, 0, false});
    l.scenery.push_back(SceneryItem{81, "portal", 0, 0, 0, false});
    l.tunnels.push_back(Tunnel{82, 80, 81, b, b, {b}});
}

void gradedHalf(Layout& l, int32_t b) {
    l.findPiece(b)->grade = 2;
}

const char* kGradedText = "Selection includes graded pieces. Delete?";

TEST(RampPairDelete, LocksAndQuestionSeeBothHalves) {
    const RampPairCase cases[] = {
        {"OtherHalfUnderTunnel", tunnelOver, PromptAnswer::Yes, "Tunnel is locked", kTunnelText,
         false},
        {"OtherHalfGradedAnsweredNo", gradedHalf, PromptAnswer::No, "Delete", kGradedText, false},
        {"OtherHalfGradedAnsweredYes", gradedHalf, PromptAnswer::Yes, "Delete", kGradedText, true}};
    for (const RampPairCase& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = emptyLayout();
        const int32_t a = addPiece(layout, "74618", 0, 0).id;
        const int32_t b = addPiece(layout, "74618", 180, 0).id;
        const int32_t next = addPiece(layout, "24188", 360, 0).id;
        layout.join(a, 1, b, 0);
        layout.join(b, 1, next, 0);
        c.arrange(layout, b);
        layout.findPiece(a)->selected = true;
        const std::size_t scenery = layout.scenery.size();
        const std::size_t tunnels = layout.tunnels.size();
        ScriptedPrompter prompter;
        prompter.answers.push_back(c.answer);

        EXPECT_EQ(deleteSelection(layout, prompter), c.deleted);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].title, c.title);
        EXPECT_EQ(prompter.messages[0].text, c.text);
        if (c.deleted) {
            ASSERT_EQ(layout.pieces.size(), 1u);
            EXPECT_TRUE(layout.pieces[0].jointAt(0).isFree());
            continue;
        }
        ASSERT_EQ(layout.pieces.size(), 3u);
        EXPECT_TRUE(layout.findPiece(a)->selected);
        EXPECT_FALSE(layout.findPiece(b)->selected); // the pair was added for the checks only
        EXPECT_TRUE(joinedBothWays(layout, b, 1, next, 0));
        EXPECT_EQ(layout.scenery.size(), scenery);
        EXPECT_EQ(layout.tunnels.size(), tunnels);
    }
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
    ASSERT_EQ(f.layout.gradeRuns.size(), 1u);
    EXPECT_EQ(f.layout.gradeAnchor, f.c);
    ASSERT_EQ(f.layout.scenery.size(), 1u);
    EXPECT_EQ(f.layout.scenery[0].id, 51);
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
    EXPECT_EQ(pb.id, next + 1);
    EXPECT_TRUE(joinedBothWays(f.layout, pa.id, 1, pb.id, 0));
    EXPECT_TRUE(pa.jointAt(0).isFree());
    EXPECT_TRUE(pb.jointAt(1).isFree());                   // was joined to c, which was not copied
    EXPECT_TRUE(joinedBothWays(f.layout, f.b, 1, f.c, 0)); // originals untouched
    EXPECT_DOUBLE_EQ((pa.x + pb.x) / 2, 1000);             // centred on the point
    EXPECT_EQ(f.doc.undoDepth(), 1u);
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
    struct Stub {
        const char* name;
        int32_t id;
        double offset; // signed distance to the right of the helix heading
    };
    const Stub stubs[] = {{"bottom R1", pasted.bottomR1, -360},
                          {"bottom R2", pasted.bottomR2, -437.5},
                          {"top R1", pasted.topR1, 360},
                          {"top R2", pasted.topR2, 437.5}};
    for (const Stub& stub : stubs) {
        SCOPED_TRACE(stub.name);
        const PlacedPiece* p = layout.findPiece(stub.id);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->helix, pasted.id);
        EXPECT_NEAR(p->x, pasted.cx, 1e-9);
        EXPECT_NEAR(p->y - pasted.cy, stub.offset, 1e-9);
        EXPECT_NEAR(p->heading, pasted.heading, 1e-9);
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
