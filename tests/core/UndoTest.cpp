#include "model/Layout.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

// One editing step as the editing commands do it: snapshot first, then change.
int32_t addPiece(Layout& l) {
    l.pushUndo();
    PlacedPiece p;
    p.id = l.takeId();
    p.part = "24188";
    l.pieces.push_back(p);
    return p.id;
}

std::vector<int32_t> pieceIds(const Layout& l) {
    std::vector<int32_t> ids;
    for (const PlacedPiece& p : l.pieces)
        ids.push_back(p.id);
    return ids;
}

} // namespace

TEST(Undo, KeepsTheLastFiftySteps) {
    Layout l;
    for (int i = 0; i < 51; ++i)
        addPiece(l);
    EXPECT_EQ(l.undoDepth(), 50u);
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(l.canUndo()) << i;
        l.undo();
    }
    // The oldest step (the first piece) is beyond the history.
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1}));
    EXPECT_FALSE(l.canUndo());
    l.undo();
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1}));
    EXPECT_EQ(l.nextId, 52u);
}

TEST(Undo, RedoReplaysUndoneStepsInOrder) {
    Layout l;
    for (int i = 0; i < 3; ++i)
        addPiece(l);
    l.undo();
    l.undo();
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1}));
    ASSERT_TRUE(l.canRedo());
    l.redo();
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1, 2}));
    l.redo();
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_FALSE(l.canRedo());
    l.redo(); // nothing left: no change
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1, 2, 3}));
    // Redo pushed each step back, so everything can be undone again.
    EXPECT_EQ(l.undoDepth(), 3u);
    l.undo();
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1, 2}));
}

TEST(Undo, UndoAndRedoOnEmptyHistoriesChangeNothing) {
    Layout l;
    l.pieces.push_back(PlacedPiece{});
    l.undo();
    l.redo();
    EXPECT_EQ(l.pieces.size(), 1u);
    EXPECT_FALSE(l.canUndo());
    EXPECT_FALSE(l.canRedo());
}

TEST(Undo, IdsKeepGrowingAfterUndo) {
    Layout l;
    addPiece(l);
    const int32_t removed = addPiece(l);
    l.undo();
    const int32_t next = addPiece(l);
    EXPECT_GT(next, removed);
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1, next}));
}

TEST(Undo, ANewEditClearsRedo) {
    Layout l;
    addPiece(l);
    addPiece(l);
    l.undo();
    ASSERT_TRUE(l.canRedo());
    addPiece(l);
    EXPECT_FALSE(l.canRedo());
    l.redo();
    EXPECT_EQ(pieceIds(l), (std::vector<int32_t>{1, 3}));
}

TEST(Undo, LayoutSettingsStayOutOfSnapshots) {
    Layout l;
    l.ensureDefaultLevel();
    l.pushUndo();
    Level upper;
    upper.id = 2;
    upper.name = "Level 2";
    l.levels.push_back(upper);
    l.activeLevel = 2;
    l.baseboard = {{0, 0}, {1, 0}, {1, 1}};
    l.units = 2;
    l.lastShapeW = 999;
    l.undo();
    EXPECT_EQ(l.levels.size(), 2u);
    EXPECT_EQ(l.activeLevel, 2);
    EXPECT_EQ(l.baseboard.size(), 3u);
    EXPECT_EQ(l.units, 2u);
    EXPECT_DOUBLE_EQ(l.lastShapeW, 999);
}

TEST(Undo, RestoresEveryListAndTheGradeState) {
    Layout l;
    l.pushUndo();
    l.pieces.push_back(PlacedPiece{});
    l.pieces.back().selected = true;
    l.scenery.push_back(SceneryItem{});
    l.labels.push_back(LayoutLabel{});
    l.measurements.push_back(Measurement{});
    l.shapes.push_back(PolygonShape{});
    l.tunnels.push_back(Tunnel{});
    l.helices.push_back(Helix{});
    l.gradeRuns.push_back(GradeRun{2.0, 5, 0});
    l.restoreGradeState();
    l.undo();
    EXPECT_TRUE(l.pieces.empty());
    EXPECT_TRUE(l.scenery.empty());
    EXPECT_TRUE(l.labels.empty());
    EXPECT_TRUE(l.measurements.empty());
    EXPECT_TRUE(l.shapes.empty());
    EXPECT_TRUE(l.tunnels.empty());
    EXPECT_TRUE(l.helices.empty());
    EXPECT_TRUE(l.gradeRuns.empty());
    EXPECT_FALSE(l.gradeActive);
    EXPECT_EQ(l.gradeAnchor, -1);
    EXPECT_EQ(l.gradeConn, 1);
    l.redo();
    EXPECT_EQ(l.pieces.size(), 1u);
    EXPECT_TRUE(l.pieces[0].selected);
    EXPECT_EQ(l.measurements.size(), 1u);
    EXPECT_TRUE(l.gradeActive);
    EXPECT_DOUBLE_EQ(l.gradeDeg, 2.0);
    EXPECT_EQ(l.gradeAnchor, 5);
    EXPECT_EQ(l.gradeConn, 0);
}

TEST(Undo, SnapshotsKeepJointsOnBothSides) {
    Layout l;
    const int32_t a = addPiece(l);
    const int32_t b = addPiece(l);
    l.pushUndo();
    ASSERT_TRUE(l.join(a, 1, b, 0));
    l.undo();
    EXPECT_TRUE(l.findPiece(a)->jointAt(1).isFree());
    EXPECT_TRUE(l.findPiece(b)->jointAt(0).isFree());
    l.redo();
    EXPECT_EQ(l.findPiece(a)->jointAt(1).target, b);
    EXPECT_EQ(l.findPiece(b)->jointAt(0).target, a);
    EXPECT_EQ(l.findPiece(b)->jointAt(0).targetConn, 1);
}
