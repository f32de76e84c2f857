#include "core/document/Document.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

// One editing step as the commands take it: an edit around the change.
int32_t addPiece(Document& doc) {
    Edit edit = doc.begin();
    doc.layout.pieces.push_back(makePlacedPiece("24188"));
    const int32_t id = doc.layout.pieces.back().id = doc.layout.takeId();
    edit.commit(Change(Change::Pieces));
    return id;
}

std::vector<int32_t> pieceIds(const Layout& l) {
    std::vector<int32_t> ids;
    for (const PlacedPiece& p : l.pieces)
        ids.push_back(p.id);
    return ids;
}

} // namespace

TEST(Undo, FiftyUndosThenRedoReplaysAndANewEditClearsIt) {
    Document doc;
    for (int i = 0; i < 51; ++i)
        addPiece(doc);
    for (int i = 0; i < 50; ++i)
        EXPECT_TRUE(doc.undo().replaced()) << i;
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.undo().any());
    EXPECT_EQ(pieceIds(doc.layout), (std::vector<int32_t>{1}));
    doc.redo();
    EXPECT_EQ(pieceIds(doc.layout), (std::vector<int32_t>{1, 2}));
    ASSERT_TRUE(doc.canRedo());
    // Ids keep growing: the undone pieces' ids are not given out again.
    EXPECT_EQ(addPiece(doc), 52);
    EXPECT_FALSE(doc.canRedo());
    EXPECT_FALSE(doc.redo().any());
}

TEST(Undo, LevelsAndLayoutSettingsStayOutOfSnapshots) {
    Document doc;
    Layout& l = doc.layout;
    l.ensureDefaultLevel();
    Edit edit = doc.begin();
    l.levels.push_back(Level{});
    l.levels.back().id = 2;
    l.activeLevel = 2;
    l.baseboard = {{0, 0}, {1, 0}, {1, 1}};
    l.units = Units::Inches;
    l.pieces.push_back(PlacedPiece{});
    edit.commit(Change(Change::Pieces));
    doc.undo();
    EXPECT_TRUE(l.pieces.empty());
    EXPECT_EQ(l.levels.size(), 2u);
    EXPECT_EQ(l.activeLevel, 2);
    EXPECT_EQ(l.baseboard.size(), 3u);
    EXPECT_EQ(l.units, Units::Inches);
}

// The baseboard is saved in the file and its edits are undo steps: each brings back the
// outline with the last shape that made it, and steps of other edits leave the board alone.
TEST(Undo, BaseboardStepsRestoreTheBoardAndOtherStepsLeaveIt) {
    Document doc;
    Layout& l = doc.layout;
    l.baseboard = {{0, 0}, {5, 0}, {5, 5}};
    const BaseboardState original = l.baseboardState();
    addPiece(doc);
    doc.apply([&] {
        l.baseboard = {{0, 0}, {3000, 0}, {3000, 2000}, {0, 2000}};
        l.lastShapeType = 2;
        l.lastShapeW = 3000;
        return Change(Change::Baseboard);
    });
    const BaseboardState shaped = l.baseboardState();
    addPiece(doc);
    ASSERT_EQ(doc.undoDepth(), 3u);

    doc.undo();
    EXPECT_EQ(l.pieces.size(), 1u);
    EXPECT_TRUE(l.baseboardState() == shaped) << "a piece's step leaves the board";
    doc.undo();
    EXPECT_TRUE(l.baseboardState() == original);
    EXPECT_EQ(l.pieces.size(), 1u);
    doc.redo();
    EXPECT_TRUE(l.baseboardState() == shaped);
    doc.undo();
    doc.undo();
    EXPECT_TRUE(l.pieces.empty());
    EXPECT_TRUE(l.baseboardState() == original);
    doc.redo();
    doc.redo();
    doc.redo();
    EXPECT_TRUE(l.baseboardState() == shaped);
    EXPECT_EQ(l.pieces.size(), 2u);
}

TEST(Undo, SnapshotsRestoreJointsOnBothSidesAndTheGradeState) {
    Document doc;
    Layout& l = doc.layout;
    const int32_t a = addPiece(doc);
    const int32_t b = addPiece(doc);
    doc.apply([&] {
        l.join(a, 1, b, 0);
        l.gradeRuns.push_back(GradeRun{2.0, 5, 0});
        l.restoreGradeState();
        return Change(Change::Pieces | Change::Heights);
    });
    doc.undo();
    EXPECT_TRUE(l.findPiece(a)->jointAt(1).isFree());
    EXPECT_TRUE(l.findPiece(b)->jointAt(0).isFree());
    EXPECT_FALSE(l.gradeActive);
    doc.redo();
    EXPECT_EQ(l.findPiece(a)->jointAt(1).target, b);
    EXPECT_EQ(l.findPiece(b)->jointAt(0).targetConn, 1);
    EXPECT_EQ(l.gradeAnchor, 5);
}

TEST(Edit, OnlyACommittedUndoablePartTakesAStepAndMarksTheDocumentModified) {
    struct Case {
        const char* name;
        uint32_t parts;
        bool step;
    };
    const Case cases[] = {
        {"refused", 0, false},
        {"selection only", Change::Selection, false},
        {"view switch", Change::ViewSettings, false},
        {"pieces", Change::Pieces, true},
        {"heights", Change::Heights, true},
        {"annotations", Change::Annotations | Change::Selection, true},
        {"baseboard", Change::Baseboard, true},
    };
    for (const Case& c : cases) {
        Document doc;
        Edit edit = doc.begin();
        const Change change = edit.commit(Change(c.parts));
        EXPECT_EQ(doc.undoDepth(), c.step ? 1u : 0u) << c.name;
        EXPECT_EQ(doc.modified, c.step) << c.name;
        EXPECT_EQ(change.modified, c.step) << c.name;
        EXPECT_EQ(change.has(Change::FileName), c.step) << c.name; // the title's mark
        EXPECT_FALSE(edit.commit(Change(Change::Pieces)).any()) << c.name << ": ended twice";
        EXPECT_EQ(doc.undoDepth(), c.step ? 1u : 0u) << c.name;
    }
    Document doc;
    {
        const Edit never = doc.begin(); // ends without a commit
        doc.layout.pieces.push_back(PlacedPiece{});
    }
    EXPECT_EQ(doc.undoDepth(), 0u);
    EXPECT_FALSE(doc.modified);
}

TEST(Document, ReplacingUndoingOrRedoingEndsGesturesFirst) {
    Document doc;
    addPiece(doc);
    int ended = 0;
    std::size_t piecesSeen = 0;
    doc.addGestureEnder(&ended, [&] {
        ++ended;
        piecesSeen = doc.layout.pieces.size(); // still the layout the gesture knew
    });
    doc.undo();
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(piecesSeen, 1u);
    doc.redo();
    EXPECT_EQ(ended, 2);
    doc.modified = true;
    const Change change = doc.replace(Layout{}, "/tmp/x.plo", "X");
    EXPECT_EQ(ended, 3);
    EXPECT_TRUE(change.replaced());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.modified);
    doc.removeGestureEnder(&ended);
    doc.replace(Layout{}, {}, {});
    EXPECT_EQ(ended, 3);
}

TEST(UndoHistory, ALargeLayoutKeepsFewerStepsWithinTheBudget) {
    LayoutContent big;
    big.pieces.assign(1000, makePlacedPiece("24188"));
    const std::size_t one = snapshotBytes(big);
    ASSERT_GT(one, 1000 * sizeof(PlacedPiece));

    struct Case {
        const char* name;
        std::size_t budget;
        std::size_t kept;
    };
    const Case cases[] = {{"room for all", 100 * one, kMaxUndoSteps},
                          {"room for ten", 10 * one, 10},
                          {"just under ten", 10 * one - 1, 9},
                          {"smaller than one: the newest stays", one / 2, 1}};
    for (const Case& c : cases) {
        UndoHistory history(c.budget);
        for (std::size_t i = 0; i < 60; ++i)
            history.push(LayoutContent(big));
        EXPECT_EQ(history.undoDepth(), c.kept) << c.name;
        EXPECT_LE(history.bytes(), std::max(c.budget, one)) << c.name;
        // Undoing swaps steps between the lists; the total stays in the budget.
        Layout current;
        current.content() = big;
        while (history.undo(current)) {
        }
        EXPECT_EQ(history.redoDepth(), c.kept) << c.name;
        EXPECT_LE(history.bytes(), std::max(c.budget, one) + one) << c.name;
    }
}
