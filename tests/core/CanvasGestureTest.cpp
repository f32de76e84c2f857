// Whole mouse and key gestures replayed through the canvas controller, at scale 1 with the
// world origin at screen (0, 0) unless a test moves it.
#include "CanvasHarness.h"
#include "LayoutFaults.h"

#include "core/canvas/PaletteActions.h"
#include "core/document/Document.h"
#include "core/model/HelixPlacement.h"

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

using Canvas = CanvasHarness;

TEST(CanvasDragGesture, MovesOnlyFromFivePixelsWithOneUndoStep) {
    const struct {
        int dx, dy;
        bool moves;
    } cases[] = {{4, 0, false}, {3, 3, false}, {3, 4, true}};
    for (const auto& c : cases) {
        Canvas canvas;
        const int32_t id = addPiece(canvas.layout, "24188", 0, 0).id;
        canvas.press(50, 0);
        canvas.drag(50 + c.dx, c.dy);
        canvas.release(50 + c.dx, c.dy);
        EXPECT_EQ(canvas.layout.findPiece(id)->x, c.moves ? c.dx : 0) << c.dx << "," << c.dy;
        EXPECT_EQ(canvas.doc.undoDepth(), c.moves ? 1u : 0u) << c.dx << "," << c.dy;
    }
}

TEST(CanvasDragGesture, PartlySelectedHelixIsRefusedAndNothingMoves) {
    // The click widens a selection to the whole helix, so the partial case (as undo can bring
    // back) is made by selecting three of its four stubs after the press.
    Canvas canvas;
    ASSERT_TRUE(placeHelix(canvas.layout, 1000, 500, 0, ""));
    const int32_t straight = addPiece(canvas.layout, "24188", 0, 0).id;
    const std::size_t depth = canvas.doc.undoDepth();
    canvas.press(50, 0);
    for (int i = 0; i < 3; ++i)
        canvas.layout.pieces[i].selected = true;
    canvas.drag(100, 0);
    EXPECT_FALSE(canvas.release(100, 0).change.modified);
    ASSERT_EQ(canvas.prompter.messages.size(), 1u);
    EXPECT_EQ(canvas.prompter.messages[0].title, "Helix partially selected");
    EXPECT_EQ(canvas.prompter.messages[0].text,
              "Selection contains part of a helix. Either select the whole helix (click any of its "
              "stubs) or exclude it from the selection before moving.");
    EXPECT_EQ(canvas.layout.findPiece(straight)->x, 0);
    EXPECT_EQ(canvas.doc.undoDepth(), depth);
}

TEST(CanvasDragGesture, ReleaseJoinsEndsLeftCloserThanFourMillimetres) {
    const std::pair<int, bool> cases[] = {{3, true}, {4, false}};
    for (const auto& [gap, joins] : cases) {
        Canvas canvas;
        canvas.layout.snapOn = false;
        const int32_t fixed = addPiece(canvas.layout, "24188", 0, 0).id;
        const int32_t moved = addPiece(canvas.layout, "24188", 188.3, 500).id;
        canvas.press(250, 500);
        canvas.drag(250, gap);
        EXPECT_TRUE(canvas.release(250, gap).change.modified) << gap;
        EXPECT_EQ(joinedBothWays(canvas.layout, fixed, 1, moved, 0), joins) << gap;
    }
}

TEST(CanvasPlacingGesture, ADropEndsPlacingAndEscapeCancelsIt) {
    Canvas canvas;
    addPiece(canvas.layout, "24188", 0, 0);
    canvas.controller.beginPlacing(PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"});
    canvas.controller.motion(mouseAt(192, 6));
    EXPECT_TRUE(canvas.press(192, 6).change.modified);
    EXPECT_FALSE(canvas.release(192, 6).change.modified); // the release after the drop does nothing
    // Escape cancels placing: the next click places nothing.
    canvas.controller.beginPlacing(PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"});
    EXPECT_EQ(canvas.controller.keyDown(CanvasKey::Escape, MouseInput{}).mouse,
              MouseCapture::Release);
    EXPECT_FALSE(canvas.controller.placing());
    canvas.click(600, 600);
    EXPECT_EQ(canvas.layout.pieces.size(), 2u);
}

TEST(CanvasPlacingGesture, KTrackNearCTrackIsRefusedWithTheSystemsNamed) {
    Canvas canvas;
    addPiece(canvas.layout, "24188", 0, 0);
    canvas.controller.beginPlacing(PaletteAction{PaletteAction::Kind::BeginPlacing, "2200"});
    canvas.controller.motion(mouseAt(192, 6));
    EXPECT_FALSE(canvas.press(192, 6).change.modified);
    ASSERT_EQ(canvas.prompter.messages.size(), 1u);
    EXPECT_EQ(canvas.prompter.messages[0].title, "Incompatible Track Systems");
    EXPECT_EQ(canvas.prompter.messages[0].text,
              "Marklin K-Track cannot connect to Marklin C-Track.\n\nThese track systems are not "
              "compatible.\nUse adapter track 24922 to connect C-Track to K-Track.");
    EXPECT_EQ(canvas.layout.pieces.size(), 1u);
}

TEST(CanvasMenuGesture, ItemsFollowTheSelection) {
    Canvas canvas;
    const int32_t a = addPiece(canvas.layout, "24188", 0, 0).id;
    const int32_t b = addPiece(canvas.layout, "24188", 0, 300).id;
    const auto ids = [&](int x, int y) {
        return menuOf(canvas.controller.rightDown(mouseAt(x, y))).ids;
    };
    EXPECT_EQ(ids(50, 0), std::vector<int>{CmdCopy});
    EXPECT_TRUE(canvas.selected(a));
    canvas.click(50, 300, true);
    EXPECT_EQ(ids(50, 300), (std::vector<int>{CmdAutofillGap, CmdCopy}));
    EXPECT_TRUE(canvas.selected(a) && canvas.selected(b));
    EXPECT_TRUE(ids(600, 600).empty()); // empty canvas, empty clipboard: clears the selection
    EXPECT_FALSE(canvas.selected(a) || canvas.selected(b));
    canvas.click(50, 0);
    canvas.controller.copy();
    EXPECT_EQ(ids(600, 650), std::vector<int>{CmdPaste});
}

// Shift near a visible level's deck outline drags the whole outline with one undo step;
// everything else (too far, Ctrl too, no Shift, hidden, no real outline) starts a rubber band.
TEST(CanvasOutlineGesture, ShiftDragsTheDeckOutlineWithinEightPixels) {
    const std::vector<Point> square{{100, 100}, {300, 100}, {300, 300}, {100, 300}};
    struct Case {
        const char* name;
        int pressY; // x is 200: above, on or below the top edge
        bool ctrl, shift, visible;
        std::size_t points;
        bool drags;
    };
    const Case cases[] = {
        {"on the edge", 100, false, true, true, 4, true},
        {"eight pixels outside", 92, false, true, true, 4, true},
        {"nine pixels outside", 91, false, true, true, 4, false},
        {"ctrl with shift", 100, true, true, true, 4, false},
        {"no shift", 100, false, false, true, 4, false},
        {"hidden level", 100, false, true, false, 4, false},
        {"two points are no deck", 100, false, true, true, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas;
        Level& level = canvas.layout.levels.at(0);
        level.visible = c.visible;
        level.outline.assign(square.begin(), square.begin() + c.points);
        const std::vector<Point> before = level.outline;

        canvas.press(200, c.pressY, c.ctrl, c.shift);
        canvas.drag(230, c.pressY + 20);
        canvas.drag(250, c.pressY - 40);
        const CanvasReply up = canvas.release(250, c.pressY - 40);
        std::vector<Point> moved = before;
        for (Point& p : moved)
            p = c.drags ? Point{p.x + 50, p.y - 40} : p;
        EXPECT_EQ(canvas.layout.levels.at(0).outline, moved);
        EXPECT_EQ(canvas.doc.undoDepth(), c.drags ? 1u : 0u);
        EXPECT_EQ(up.change.modified, c.drags);
        EXPECT_EQ(canvas.controller.overlays().rubberBand, false);
        if (c.drags) {
            canvas.doc.undo();
            EXPECT_EQ(canvas.layout.levels.at(0).outline, before);
        }
    }
}

} // namespace

TEST(CanvasUndoDuringGesture, UndoWithTheButtonHeldEndsTheDragFirst) {
    // Undo takes back the drag and the piece placed before it; the rest of the drag would put
    // the moved piece's end where the undone piece's end was.
    Canvas canvas;
    int32_t moved = -1;
    canvas.doc.apply([&] {
        moved = addPiece(canvas.layout, "24188", 0, 0).id;
        return Change(Change::Pieces);
    });
    canvas.doc.apply([&] {
        addPiece(canvas.layout, "24188", 1000, 0);
        return Change(Change::Pieces);
    });
    canvas.click(50, 0);
    canvas.press(50, 0);
    canvas.drag(60, 0);
    canvas.drag(300, 0);
    EXPECT_TRUE(canvas.doc.undo().replaced());
    EXPECT_TRUE(canvas.doc.undo().replaced());
    canvas.drag(50 + 812, 0); // the moved piece's end at (1000.3, 0)
    canvas.release(50 + 812, 0);
    EXPECT_EQ(canvas.layout.pieces.size(), 1u);
    EXPECT_DOUBLE_EQ(canvas.layout.findPiece(moved)->x, 0);
    EXPECT_EQ(layoutFaults(canvas.layout), "");
    // Redo brings back the drag as far as it went.
    while (canvas.doc.canRedo())
        canvas.doc.redo();
    EXPECT_DOUBLE_EQ(canvas.layout.findPiece(moved)->x, 250);
    EXPECT_EQ(layoutFaults(canvas.layout), "");
}

TEST(CanvasUndoDuringGesture, ReplacingTheLayoutForgetsEveryGesture) {
    Canvas canvas;
    addPiece(canvas.layout, "24188", 0, 0);
    const struct {
        const char* name;
        std::function<void()> start;
    } gestures[] = {
        {"pending drag", [&] { canvas.press(50, 0); }},
        {"free rotation", [&] { canvas.click(50, 0), canvas.press(90, 0, false, false, true); }},
        {"placing ghost snapped",
         [&] {
             canvas.controller.beginPlacing(
                 PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"});
             canvas.controller.motion(mouseAt(192, 6));
         }},
    };
    for (const auto& g : gestures) {
        Layout kept = canvas.layout;
        g.start();
        canvas.doc.replace(Layout(emptyLayout()), {}, {});
        const CanvasOverlays o = canvas.controller.overlays();
        EXPECT_FALSE(o.rubberBand || o.freeRotation || o.snapMarker) << g.name;
        canvas.drag(400, 300);
        canvas.release(400, 300);
        EXPECT_TRUE(canvas.layout.pieces.empty()) << g.name;
        canvas.controller.cancelPlacing();
        canvas.doc.replace(std::move(kept), {}, {});
    }
}
