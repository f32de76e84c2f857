#include "core/editing/Levels.h"
#include "core/document/Document.h"

#include "EditingTestSupport.h"
#include "LayoutFaults.h"
#include "core/elevation/Tunnels.h"
#include "core/model/HelixPlacement.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

namespace plandor {
namespace {

Layout withLevels(std::initializer_list<int32_t> ids) {
    Layout layout;
    for (int32_t id : ids)
        layout.levels.push_back(levelAt(id, 0));
    layout.activeLevel = layout.levels.front().id;
    return layout;
}

TEST(Levels, NewIdsFollowTheHighestIdNotTheCountAndBecomeActive) {
    Layout layout = withLevels({1, 2, 6});
    EXPECT_FALSE(addLevel(layout, "").levels);
    ASSERT_TRUE(removeLevel(layout, 2).levels);
    EXPECT_EQ(proposedLevelName(layout), "Level 7");
    addLevel(layout, "Upper yard");
    EXPECT_EQ(layout.levels.size(), 3u);
    EXPECT_EQ(layout.levels.back().id, 7);
    EXPECT_EQ(layout.activeLevel, 7);
    EXPECT_TRUE(layout.levels.back().visible);
}

TEST(Levels, RaisingALevelMovesOnlyItsFlatTrack) {
    Layout layout = emptyLayout();
    addLevel(layout, "Upper");
    const int32_t flat = addPiece(layout, "24188", 0, 0, 0, 2).id;
    const int32_t graded = addPiece(layout, "24188", 200, 0, 0, 2).id;
    layout.findPiece(graded)->grade = 2.0;
    layout.findPiece(graded)->z = 40;
    const int32_t nearlyFlat = addPiece(layout, "24188", 400, 0, 0, 2).id;
    layout.findPiece(nearlyFlat)->grade = 0.0005;
    const int32_t helixPiece = addPiece(layout, "24188", 600, 0, 0, 2).id;
    layout.findPiece(helixPiece)->helix = 99;
    const int32_t otherLevel = addPiece(layout, "24188", 800, 0, 0, 1).id;

    LevelProperties props = levelProperties(*layout.findLevel(2));
    props.height = 120;
    props.name = "   ";
    const LevelsChange change = applyLevelProperties(layout, 2, props);

    EXPECT_TRUE(change.content);
    EXPECT_EQ(layout.findLevel(2)->name, "Upper"); // a blank name keeps the old one
    EXPECT_EQ(layout.findLevel(2)->height, 120);
    EXPECT_EQ(layout.findPiece(flat)->z, 120);
    EXPECT_EQ(layout.findPiece(nearlyFlat)->z, 120);
    EXPECT_EQ(layout.findPiece(graded)->z, 40);
    EXPECT_EQ(layout.findPiece(helixPiece)->z, 0);
    EXPECT_EQ(layout.findPiece(otherLevel)->z, 0);
}

TEST(Levels, RemovingTheActiveLevelMakesTheFirstActiveAndTheLastStays) {
    Layout layout = withLevels({3, 5, 8});
    layout.activeLevel = 5;
    removeLevel(layout, 5);
    EXPECT_EQ(layout.activeLevel, 3);
    layout.activeLevel = 8;
    removeLevel(layout, 3);
    EXPECT_EQ(layout.activeLevel, 8); // another level's removal leaves it alone
    EXPECT_FALSE(canRemoveLevel(layout));
    EXPECT_FALSE(removeLevel(layout, 8).levels);
    EXPECT_EQ(layout.levels.size(), 1u);
}

// Level 2 holds two track pieces (one joined to piece 1 on level 1), a scenery item and a
// helix starting there; a second helix starts on level 1 but has a piece on level 2.
Layout twoDecks() {
    Layout layout = emptyLayout();
    addLevel(layout, "Upper");
    addPiece(layout, "24188", 0, 0, 0, 1);
    addPiece(layout, "24188", 188.3, 0, 0, 2);
    addPiece(layout, "24188", 376.6, 0, 0, 2);
    layout.join(1, 1, 2, 0);
    addScenery(layout, "tree", 0, 0, 0, 2);
    EXPECT_TRUE(placeHelix(layout, 2000, 2000, 0, ""));
    EXPECT_TRUE(placeHelix(layout, 4000, 2000, 0, ""));
    for (PlacedPiece& p : layout.pieces)
        if (p.helix == layout.helices[0].id || p.id == layout.helices[1].topR1)
            p.level = 2;
    return layout;
}

TEST(Levels, RemovalAsksCountingEachHelixOnceTakesItsContentsAndFreesJointsToThem) {
    Layout layout = twoDecks();
    const LevelContents c = levelContents(layout, 2);
    EXPECT_EQ(removeLevelQuestion("Upper", c),
              "Remove level \"Upper\"?\n\nThis will PERMANENTLY DELETE everything on this "
              "level:\n    \u2022 2 track piece(s)\n    \u2022 1 scenery item(s)\n    \u2022 1 "
              "helix/helices\n\nThis cannot be undone from this dialog. Are you sure?");

    const int32_t keptHelix = layout.helices[1].id;
    EXPECT_TRUE(removeLevel(layout, 2).content);
    ASSERT_EQ(layout.helices.size(), 1u);
    EXPECT_EQ(layout.helices[0].id, keptHelix);
    EXPECT_TRUE(layout.scenery.empty());
    int keptHelixPieces = 0;
    for (const PlacedPiece& p : layout.pieces) {
        EXPECT_TRUE(p.level == 1 || p.helix == keptHelix) << p.id;
        keptHelixPieces += p.helix == keptHelix;
    }
    EXPECT_EQ(keptHelixPieces, 4); // its piece on the removed level stays
    EXPECT_EQ(layoutFaults(layout), "");
    EXPECT_TRUE(layout.findPiece(1)->jointAt(1).isFree());
}

// Portals always stand on level 1 while the tunnel's track may lie elsewhere: whichever
// level is removed, a tunnel goes whole (record, covered pieces, both portals) or stays whole.
TEST(Levels, RemovalTakesOrLeavesATunnelWhole) {
    struct Case {
        const char* what;
        std::vector<int32_t> levels; // of four straights in a row; the tunnel covers the middle two
        int32_t removed;
        bool tunnelGoes;
        LevelContents counted;
        std::size_t piecesLeft;
    } cases[] = {
        {"its track's level takes it with both portals", {1, 2, 2, 1}, 2, true, {2, 2, 0}, 2},
        {"the portals' level leaves it whole", {1, 2, 2, 1}, 1, false, {2, 1, 0}, 2},
        {"the level of its first piece takes its piece on another",
         {1, 2, 1, 1},
         2,
         true,
         {2, 2, 0},
         2},
        {"another level keeps its piece on the removed one", {1, 1, 2, 1}, 2, false, {0, 0, 0}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Layout layout = emptyLayout();
        addLevel(layout, "Upper");
        std::vector<int32_t> ids;
        for (int32_t level : c.levels) {
            ids.push_back(addPiece(layout, "24188", 188.3 * ids.size(), 0, 0, level).id);
            if (ids.size() > 1)
                layout.join(ids[ids.size() - 2], 1, ids.back(), 0);
        }
        addScenery(layout, "tree", 0, 300, 0, 1); // plain scenery on level 1 goes with it
        for (PlacedPiece& p : layout.pieces)
            p.selected = p.id == ids[1] || p.id == ids[2];
        ASSERT_EQ(runTunnelCommand(layout), TunnelChange::Placed);
        const Tunnel tunnel = layout.tunnels.at(0);
        ASSERT_EQ(layout.findScenery(tunnel.portalA)->level, 1);

        const LevelContents counted = levelContents(layout, c.removed);
        EXPECT_EQ(counted.pieces, c.counted.pieces);
        EXPECT_EQ(counted.scenery, c.counted.scenery);
        EXPECT_EQ(removeLevel(layout, c.removed).content, counted.pieces + counted.scenery > 0);

        EXPECT_EQ(layout.tunnels.size(), c.tunnelGoes ? 0u : 1u);
        for (int32_t portal : {tunnel.portalA, tunnel.portalB})
            EXPECT_EQ(layout.findScenery(portal) != nullptr, !c.tunnelGoes) << portal;
        for (int32_t covered : tunnel.covers)
            EXPECT_EQ(layout.findPiece(covered) != nullptr, !c.tunnelGoes) << covered;
        EXPECT_EQ(layout.pieces.size(), c.piecesLeft);
        EXPECT_EQ(layoutFaults(layout), "");
    }
}

TEST(Levels, UndoAfterTheSessionBringsTheLevelBackExactly) {
    Document doc;
    doc.layout = twoDecks();
    const std::string original = layoutFileText(doc.layout, "Decks");

    Edit edit = doc.begin();
    LevelsChange session = addLevel(doc.layout, "Attic");
    session |= removeLevel(doc.layout, 2);
    edit.commit(levelsSessionChange(session));
    EXPECT_EQ(doc.undoDepth(), 1u);
    const std::string removed = layoutFileText(doc.layout, "Decks");

    doc.undo();
    EXPECT_EQ(layoutFileText(doc.layout, "Decks"), original);
    doc.redo();
    EXPECT_EQ(layoutFileText(doc.layout, "Decks"), removed);
}

} // namespace
} // namespace plandor
