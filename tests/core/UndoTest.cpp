#include "model/Layout.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

// One editing step as the editing commands do it: snapshot first, then change.
int32_t addPiece(Layout& l) {
    l.pushUndo();
    l.pieces.push_back(makePlacedPiece("24188"));
    return l.pieces.back().id = l.takeId();
}

std::vector<int32_t> pieceIds(const Layout& l) {
    std::vector<int32_t> ids;
    for (const PlacedPiece& p : l.pieces)
        ids.push_back(p.id);
    return ids;
}

} // namespace

TEST(Undo, FiftyOneEditsAllowFiftyUndos) {
    Layout l;
    for (int i = 0; i < 51; ++i)
        addPiece(l);
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(l.canUndo()) << i;
        l.undo();
    }
    EXPECT_FALSE(l.canUndo());
    l.undo();
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1}));
}

TEST(Undo, RedoReplaysAndANewEditClearsIt) {
    Layout l;
    for (int i = 0; i < 3; ++i)
        addPiece(l);
    l.undo();
    l.undo();
    l.redo();
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1, 2}));
    ASSERT_TRUE(l.canRedo());
    // Ids keep growing: the undone piece 3 is not given out again.
    const int32_t next = addPiece(l);
    EXPECT_EQ(next, 4);
    EXPECT_FALSE(l.canRedo());
    l.redo();
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1, 2, 4}));
}

TEST(Undo, LevelsAndLayoutSettingsStayOutOfSnapshots) {
    Layout l;
    l.ensureDefaultLevel();
    l.pushUndo();
    l.levels.push_back(Level{});
    l.levels.back().id = 2;
    l.activeLevel = 2;
    l.baseboard = {{0, 0}, {1, 0}, {1, 1}};
    l.pieces.push_back(PlacedPiece{});
    l.undo();
    EXPECT_TRUE(l.pieces.empty());
    EXPECT_EQ(l.levels.size(), 2u);
    EXPECT_EQ(l.activeLevel, 2);
    EXPECT_EQ(l.baseboard.size(), 3u);
}

TEST(Undo, SnapshotsRestoreJointsOnBothSidesAndTheGradeState) {
    Layout l;
    const int32_t a = addPiece(l);
    const int32_t b = addPiece(l);
    l.pushUndo();
    ASSERT_TRUE(l.join(a, 1, b, 0));
    l.gradeRuns.push_back(GradeRun{2.0, 5, 0});
    l.restoreGradeState();
    l.undo();
    EXPECT_TRUE(l.findPiece(a)->jointAt(1).isFree());
    EXPECT_TRUE(l.findPiece(b)->jointAt(0).isFree());
    EXPECT_FALSE(l.gradeActive);
    l.redo();
    EXPECT_EQ(l.findPiece(a)->jointAt(1).target, b);
    EXPECT_EQ(l.findPiece(b)->jointAt(0).targetConn, 1);
    EXPECT_EQ(l.gradeAnchor, 5);
}
