#include "EditingTestSupport.h"

#include "editing/Selection.h"
#include "model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

// n straights joined end to end along +x, ids returned in chain order.
std::vector<int32_t> chain(Layout& layout, int n, double y = 0) {
    std::vector<int32_t> ids;
    for (int i = 0; i < n; ++i) {
        ids.push_back(put(layout, "24188", 188.3 * i, y));
        if (i > 0)
            layout.join(ids[i - 1], 1, ids[i], 0);
    }
    return ids;
}

std::vector<int32_t> selectedIds(const Layout& layout) {
    std::vector<int32_t> ids;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected)
            ids.push_back(p.id);
    return ids;
}

TEST(ClickPiece, PlainClickSelectsAloneAndKeepsAnExistingSelection) {
    Layout layout = emptyLayout();
    const auto ids = chain(layout, 3);
    clickPiece(layout, ids[0], false, false);
    clickPiece(layout, ids[2], true, false);
    EXPECT_EQ(selectedIds(layout), (std::vector<int32_t>{ids[0], ids[2]}));
    clickPiece(layout, ids[2], false, false); // already selected: the selection stays
    EXPECT_EQ(selectedIds(layout), (std::vector<int32_t>{ids[0], ids[2]}));
    clickPiece(layout, ids[1], false, false);
    EXPECT_EQ(selectedIds(layout), (std::vector<int32_t>{ids[1]}));
    clickPiece(layout, ids[1], true, false); // Ctrl toggles off
    EXPECT_TRUE(selectedIds(layout).empty());
}

TEST(ClickPiece, ShiftSelectsTheJointPathFromTheLastSelectedPiece) {
    Layout layout = emptyLayout();
    const auto ids = chain(layout, 6);
    clickPiece(layout, ids[1], false, false);
    clickPiece(layout, ids[4], false, true);
    EXPECT_EQ(selectedIds(layout), (std::vector<int32_t>{ids[1], ids[2], ids[3], ids[4]}));
}

TEST(ClickPiece, ShiftOnAnUnconnectedPieceOnlyTogglesIt) {
    Layout layout = emptyLayout();
    const auto ids = chain(layout, 3);
    const int32_t loose = put(layout, "24188", 0, 500);
    clickPiece(layout, ids[0], false, false);
    clickPiece(layout, loose, false, true);
    EXPECT_EQ(selectedIds(layout), (std::vector<int32_t>{ids[0], loose}));
    clickPiece(layout, loose, false, true); // it is now the last selected: toggles off
    EXPECT_EQ(selectedIds(layout), (std::vector<int32_t>{ids[0]}));
}

TEST(ClickPiece, ChainRunsAroundALoopTheShortWay) {
    Layout layout = emptyLayout();
    const auto ids = chain(layout, 10);
    layout.join(ids[9], 1, ids[0], 0); // close the loop (geometry does not matter here)
    clickPiece(layout, ids[1], false, false);
    clickPiece(layout, ids[8], false, true);
    EXPECT_EQ(selectedIds(layout), (std::vector<int32_t>{ids[0], ids[1], ids[8], ids[9]}));
}

TEST(ClickPiece, OneStubSelectsTheWholeHelix) {
    Layout layout = emptyLayout();
    const int32_t before = put(layout, "24188", 0, 0);
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    clickPiece(layout, layout.pieces[3].id, false, false);
    EXPECT_EQ(selectedIds(layout).size(), 4u);
    EXPECT_NE(selectedHelixId(layout), -1);
    EXPECT_TRUE(selectionIsOneWholeHelix(layout));
    clickPiece(layout, before, true, false);
    EXPECT_EQ(selectedHelixId(layout), -1);
    // Ctrl-clicking a stub off brings it straight back: helices are selected whole.
    clickPiece(layout, layout.pieces[2].id, true, false);
    EXPECT_EQ(selectedIds(layout).size(), 5u);
}

TEST(ClickPiece, ShortJointListIsLengthenedToTheConnectorCount) {
    Layout layout = emptyLayout();
    const int32_t id = put(layout, "24612", 0, 0);
    layout.findPiece(id)->joints.resize(1);
    clickPiece(layout, id, false, false);
    EXPECT_EQ(layout.findPiece(id)->joints.size(), 3u);
}

TEST(SelectionQueries, AnySelectedCountsPiecesAndSceneryOnly) {
    Layout layout = emptyLayout();
    put(layout, "24188", 0, 0);
    layout.labels.push_back(LayoutLabel{1, "x", 0, 0, true});
    EXPECT_FALSE(anySelected(layout));
    layout.scenery.push_back(SceneryItem{});
    layout.scenery[0].selected = true;
    EXPECT_TRUE(anySelected(layout));
    EXPECT_EQ(selectedHelixId(layout), -1);
    clearSelection(layout);
    EXPECT_FALSE(layout.labels[0].selected);
    selectAll(layout);
    EXPECT_TRUE(layout.pieces[0].selected && layout.scenery[0].selected);
    EXPECT_FALSE(layout.labels[0].selected);
}

TEST(ClickEmpty, ClearsEverySelectionAndTheClipboard) {
    Layout layout = emptyLayout();
    put(layout, "24188", 0, 0);
    selectAll(layout);
    layout.measurements.push_back(Measurement{});
    layout.measurements[0].selected = true;
    Clipboard clipboard;
    clipboard.pieces.push_back(layout.pieces[0]);
    clickEmptyCanvas(layout, clipboard);
    EXPECT_FALSE(anySelected(layout));
    EXPECT_FALSE(layout.measurements[0].selected);
    EXPECT_TRUE(clipboard.empty());
}

struct BandCase {
    const char* name;
    ScreenPoint a, b;
    std::size_t selected;
};

class RubberBand : public ::testing::TestWithParam<BandCase> {};

TEST_P(RubberBand, SelectsOriginsInsideTheBandOnVisibleLevels) {
    // Pieces at screen (100, 100), (150, 100) and a hidden one at (120, 100); scale 0.5.
    Layout layout = emptyLayout();
    layout.levels.push_back(Level{2, "Level 2", false, 0});
    put(layout, "24188", 200, 200);
    put(layout, "24188", 300, 200);
    put(layout, "24188", 240, 200, 0, 2);
    const ViewTransform view{0.5, 0, 0};
    Clipboard clipboard;
    clipboard.pieces.push_back(layout.pieces[0]);
    const BandCase& c = GetParam();
    rubberBandSelect(layout, clipboard, view, c.a, c.b);
    EXPECT_EQ(selectedPieceIndices(layout).size(), c.selected);
    EXPECT_TRUE(clipboard.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, RubberBand,
                         ::testing::Values(BandCase{"FlatButWideCounts", {100, 100}, {150, 100}, 2},
                                           BandCase{"EdgesIncludedTall", {100, 95}, {150, 105}, 2},
                                           BandCase{"DraggedUpLeft", {150, 105}, {100, 95}, 2},
                                           BandCase{"OnePixelShort", {101, 95}, {149, 105}, 0},
                                           BandCase{"TooSmall4x4", {98, 98}, {102, 102}, 0},
                                           BandCase{"FiveWideCounts", {98, 99}, {103, 101}, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RubberBandHelix, BandOverOneStubSelectsTheWholeHelix) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    Clipboard clipboard;
    const ViewTransform view{1, 0, 0};
    rubberBandSelect(layout, clipboard, view, {990, 130}, {1010, 150}); // bottom R1 at (1000, 140)
    EXPECT_EQ(selectedPieceIndices(layout).size(), 4u);
}

TEST(PairedHalves, EitherHalfBringsItsTwin) {
    Layout layout = emptyLayout();
    const int32_t a = put(layout, "74618", 0, 0);
    const int32_t b = put(layout, "74618", 180, 0);
    const int32_t plain = put(layout, "24188", 360, 0);
    layout.join(a, 1, b, 0);
    layout.join(b, 1, plain, 0);
    layout.findPiece(b)->selected = true;
    addPairedHalves(layout);
    EXPECT_EQ(selectedIds(layout), (std::vector<int32_t>{a, b}));
}

} // namespace
