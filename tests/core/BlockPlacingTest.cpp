// A library block dragged from the palette onto the canvas: its ghost follows the mouse, its
// first free connector snaps as a piece's does, and the release inserts it there as one step.
#include "CanvasHarness.h"
#include "TempFolder.h"

#include "core/canvas/PaletteActions.h"
#include "core/model/BlockFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plandor;
using namespace plandor::testing;

namespace {

// Two joined straights saved as a block; the canvas shows world millimetres 1:1 in pixels.
struct BlockDrag : CanvasHarness {
    std::string folder = tempFolder();
    std::string path = folder + "/Pair.xml";

    BlockDrag() {
        controller.resize(1000, 800);
        Layout source = emptyLayout();
        const int32_t a = addPiece(source, "24188", 500, 300).id;
        const int32_t b = addPiece(source, "24188", 688.3, 300).id;
        source.join(a, 1, b, 0);
        for (PlacedPiece& p : source.pieces)
            p.selected = true;
        EXPECT_EQ(saveBlock(source, path, "Pair"), "");
    }
    ~BlockDrag() { std::filesystem::remove_all(folder); }

    void begin(const std::string& file) {
        controller.beginPlacing(PaletteAction{PaletteAction::Kind::BeginBlockPlacing, file});
    }
    std::vector<PlacedPiece> ghost() const { return controller.overlays().ghostBlock.pieces; }
};

void expectAt(const PlacedPiece& p, double x, double y, double heading, const char* what) {
    EXPECT_NEAR(p.x, x, 1e-6) << what;
    EXPECT_NEAR(p.y, y, 1e-6) << what;
    EXPECT_NEAR(p.heading, heading, 1e-6) << what;
}

TEST(BlockDrag, GhostFollowsTheMouseAndTheReleaseInsertsTheBlockThereInOneStep) {
    BlockDrag t;
    t.begin(t.path);
    ASSERT_TRUE(t.controller.placing());
    t.drag(200, 100);
    ASSERT_EQ(t.ghost().size(), 2u);
    expectAt(t.ghost()[0], 200, 100, 0, "ghost corner on the cursor");
    expectAt(t.ghost()[1], 388.3, 100, 0, "second piece beside it");
    EXPECT_TRUE(t.layout.pieces.empty()) << "the drag inserted before the release";

    t.release(200, 100);
    EXPECT_FALSE(t.controller.placing());
    ASSERT_EQ(t.layout.pieces.size(), 2u);
    expectAt(t.layout.pieces[0], 200, 100, 0, "placed where aimed");
    expectAt(t.layout.pieces[1], 388.3, 100, 0, "placed where aimed");
    EXPECT_EQ(t.layout.pieces[0].jointAt(1).target, t.layout.pieces[1].id);
    EXPECT_EQ(t.doc.undoDepth(), 1u);
    EXPECT_TRUE(t.controller.overlays().ghostBlock.pieces.empty());
}

// Turned or not, the block's first free connector meets a free end head-on, and the drop
// joins it there.
TEST(BlockDrag, FirstFreeConnectorSnapsToAFreeEndAndTheDropJoinsIt) {
    struct Case {
        const char* name;
        int turns; // R presses before the drag
    };
    for (const Case c : {Case{"straight on", 0}, Case{"turned 30 degrees", 1}}) {
        BlockDrag t;
        const int32_t end = addPiece(t.layout, "24188", 0, 0).id; // free end at (188.3, 0)
        t.begin(t.path);
        for (int i = 0; i < c.turns; ++i)
            t.key(CanvasKey::R);
        t.drag(195, 6);
        const CanvasOverlays o = t.controller.overlays();
        ASSERT_TRUE(o.snapMarker) << c.name;
        EXPECT_NEAR(o.snapTarget.x, 188.3, 1e-6) << c.name;
        expectAt(o.ghostBlock.pieces[0], 188.3, 0, 0, c.name);
        expectAt(o.ghostBlock.pieces[1], 376.6, 0, 0, c.name);

        t.press(195, 6);
        ASSERT_EQ(t.layout.pieces.size(), 3u) << c.name;
        const PlacedPiece& first = t.layout.pieces[1];
        expectAt(first, 188.3, 0, 0, c.name);
        EXPECT_EQ(t.layout.findPiece(end)->jointAt(1).target, first.id) << c.name;
        EXPECT_EQ(first.jointAt(0).target, end) << c.name;
        EXPECT_EQ(t.doc.undoDepth(), 1u) << c.name;
    }
}

TEST(BlockDrag, TurnedGhostTurnsAboutTheCursorWhenNothingIsNear) {
    BlockDrag t;
    t.begin(t.path);
    t.drag(300, 300);
    t.controller.wheel(mouseAt(300, 300), 120); // one notch: 30 degrees
    expectAt(t.ghost()[0], 300, 300, 30, "corner stays on the cursor");
    EXPECT_NEAR(t.ghost()[1].x, 300 + 188.3 * std::cos(kPi / 6), 1e-6);
    EXPECT_NEAR(t.ghost()[1].y, 300 + 188.3 * std::sin(kPi / 6), 1e-6);
}

TEST(BlockDrag, EscapeCancelsAndAReleaseOffTheCanvasKeepsTheGhost) {
    BlockDrag t;
    t.begin(t.path);
    t.drag(-40, 100); // still over the palette
    t.release(-40, 100);
    EXPECT_TRUE(t.controller.placing()) << "let go off the canvas, the block keeps following";
    EXPECT_TRUE(t.layout.pieces.empty());

    t.drag(250, 120);
    t.key(CanvasKey::Escape);
    EXPECT_FALSE(t.controller.placing());
    EXPECT_TRUE(t.ghost().empty());
    t.release(250, 120);
    EXPECT_TRUE(t.layout.pieces.empty()) << "a release after Escape inserted the block";
    EXPECT_EQ(t.doc.undoDepth(), 0u);
}

TEST(BlockDrag, UnreadableBlockIsReportedAndStartsNothing) {
    BlockDrag t;
    t.begin(t.folder + "/Missing.xml");
    EXPECT_FALSE(t.controller.placing());
    ASSERT_EQ(t.prompter.messages.size(), 1u);
    EXPECT_EQ(t.prompter.messages[0].title, "Load Block Failed");
}

} // namespace
