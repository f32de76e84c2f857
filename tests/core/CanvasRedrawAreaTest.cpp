// How much of the canvas's kept picture a change needs redrawn: the box a drop reports, how
// changes joined together keep or lose it, and the screen rectangle made of it. Also the
// extent of the overlays.
#include "CanvasHarness.h"
#include "RecordingPainter.h"

#include "core/canvas/CanvasController.h"
#include "core/canvas/CanvasOverlayDrawing.h"
#include "core/canvas/DropArea.h"
#include "core/canvas/OverlayArea.h"
#include "core/canvas/PaletteActions.h"
#include "core/catalog/HelixVariants.h"
#include "core/catalog/SceneryCatalog.h"
#include "core/model/HelixPlacement.h"
#include "core/render/LayoutRenderer.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace plandor;
using namespace plandor::testing;

namespace {

Change boxed(double x0, double y0, double x1, double y1) {
    Change c(Change::kPiecesEdited);
    c.area.add(x0, y0);
    c.area.add(x1, y1);
    return c;
}

TEST(ChangeArea, JoinedChangesStayBoundedOnlyWhileEveryDrawnPartIs) {
    const struct {
        const char* name;
        Change a, b;
        bool bounded;
        Bounds area;
    } cases[] = {
        {"two boxes", boxed(0, 0, 10, 10), boxed(20, -5, 30, 5), true, boxed(0, -5, 30, 10).area},
        {"box and file name", boxed(0, 0, 10, 10), Change(Change::FileName), true,
         boxed(0, 0, 10, 10).area},
        {"selection and box", Change(Change::Selection), boxed(0, 0, 10, 10), false, Bounds{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Change joined = c.a | c.b;
        EXPECT_EQ(joined.bounded(), c.bounded);
        if (c.bounded) {
            EXPECT_EQ((std::array<double, 4>{joined.area.minX, joined.area.minY, joined.area.maxX,
                                             joined.area.maxY}),
                      (std::array<double, 4>{c.area.minX, c.area.minY, c.area.maxX, c.area.maxY}));
        }
    }
}

struct Canvas : CanvasHarness {
    // Drops a straight on the free end of the straight at the origin (screen = world).
    Change dropOnEnd() {
        controller.beginPlacing(PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"});
        controller.motion(mouseAt(192, 6));
        return controller.leftDown(mouseAt(192, 6, true)).change;
    }
};

TEST(DropArea, IsNotBoundedWhenTheDropReachesFurther) {
    const struct {
        const char* name;
        std::function<void(Layout&)> prepare;
    } cases[] = {
        {"scenery was selected",
         [](Layout& l) {
             addScenery(l, SceneryCatalog::instance().defs().front().id).selected = true;
         }},
        {"the layout has a helix",
         [](Layout& l) { ASSERT_TRUE(placeHelix(l, 3000, 3000, 0, defaultHelixVariantId())); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas;
        addPiece(canvas.layout, "24188", 0, 0);
        c.prepare(canvas.layout);
        const Change change = canvas.dropOnEnd();
        EXPECT_TRUE(change.modified);
        EXPECT_FALSE(change.bounded());
    }
}

// A drop takes the selection from a piece that may lie far away: both places are redrawn,
// and not the plan between them.
TEST(DropArea, APieceThatLostTheSelectionFarAwayIsABoxOfItsOwn) {
    Canvas canvas;
    addPiece(canvas.layout, "24188", 0, 0);
    addPiece(canvas.layout, "24188", 900, 700).selected = true;
    const Change change = canvas.dropOnEnd();
    ASSERT_TRUE(change.bounded());
    ASSERT_EQ(change.areaParts.size(), 2u);
    const Bounds& placed = change.areaParts[0];
    const Bounds& unselected = change.areaParts[1];
    EXPECT_LT(placed.maxX, 500) << "the new piece beside the one at the origin";
    EXPECT_GT(unselected.minX, 800) << "the piece that lost the selection";
    EXPECT_EQ((std::array<double, 4>{change.area.minX, change.area.minY, change.area.maxX,
                                     change.area.maxY}),
              (std::array<double, 4>{placed.minX, std::min(placed.minY, unselected.minY),
                                     unselected.maxX, std::max(placed.maxY, unselected.maxY)}));

    const ViewTransform view{1, 0, 0};
    const RedrawRects rects = redrawRects(change, view, 2000, 2000);
    ASSERT_FALSE(rects.whole);
    ASSERT_EQ(rects.rects.size(), 2u);
    const RedrawRegion joined = redrawRegion(change, view, 2000, 2000);
    double parts = 0;
    for (const PixelRect& r : rects.rects)
        parts += double(r.w) * r.h;
    EXPECT_LT(parts, 0.5 * double(joined.rect.w) * joined.rect.h);

    // Joined with other far changes the boxes stay apart, up to the most kept; past that they
    // fold into one, and the area still holds them all.
    Change more = change;
    for (int i = 0; i < 3; ++i)
        more |= boxed(3000 + 500 * i, 0, 3100 + 500 * i, 100);
    EXPECT_EQ(more.areaParts.size(), 5u);
    for (int i = 0; i < int(Change::kMostAreaParts); ++i) {
        more |= boxed(-3000 - 500 * i, 0, -2900 - 500 * i, 100);
        ASSERT_LE(more.areaParts.size(), Change::kMostAreaParts);
    }
    EXPECT_TRUE(more.bounded());
    EXPECT_EQ(more.area.minX, -3000 - 500.0 * (Change::kMostAreaParts - 1));
    EXPECT_EQ(more.area.maxX, 4100);
    Bounds held;
    for (const Bounds& b : more.areaBoxes()) {
        held.add(b.minX, b.minY);
        held.add(b.maxX, b.maxY);
    }
    EXPECT_EQ(held.minX, more.area.minX);
    EXPECT_EQ(held.maxX, more.area.maxX);
}

TEST(RedrawRegion, GrownByTheMarginsClippedAndWholeWhenLarge) {
    const ViewTransform view{0.5, 100, 50}; // screen = world / 2 + (100, 50)
    const double m = kRedrawMarginMm * 0.5 + kRedrawMarginPx;
    const struct {
        const char* name;
        Change change;
        bool whole;
        PixelRect rect;
    } cases[] = {
        {"inside",
         boxed(600, 400, 800, 500),
         false,
         {int(400 - m), int(250 - m), int(100 + 2 * m), int(50 + 2 * m)}},
        {"clipped at the left and top",
         boxed(-300, -200, -100, -50),
         false,
         {0, 0, int(50 + m), int(25 + m)}},
        {"off the surface", boxed(5000, 5000, 5100, 5100), false, {}},
        {"most of the surface", boxed(0, 0, 1400, 1000), true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RedrawRegion r = redrawRegion(c.change, view, 1000, 800);
        EXPECT_EQ(r.whole, c.whole);
        if (!c.whole) {
            EXPECT_EQ((std::array<int, 4>{r.rect.x, r.rect.y, r.rect.w, r.rect.h}),
                      (std::array<int, 4>{c.rect.x, c.rect.y, c.rect.w, c.rect.h}));
        }
    }
}

TEST(OverlayArea, CoversTheGhostAndTheSnapMarkerAndNothingWhenThereAreNone) {
    Canvas canvas;
    addPiece(canvas.layout, "24188", 0, 0);
    LayoutRenderer renderer;
    const ViewTransform& view = canvas.controller.view().transform();
    EXPECT_TRUE(overlayArea(renderer, canvas.controller.overlays(), view, 1000, 800).rect.empty());

    canvas.controller.beginPlacing(PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"});
    canvas.controller.motion(mouseAt(192, 6));
    const CanvasOverlays overlays = canvas.controller.overlays();
    ASSERT_TRUE(overlays.snapMarker);
    const RedrawRegion region = overlayArea(renderer, overlays, view, 1000, 800);
    EXPECT_FALSE(region.whole);
    // Whatever the overlays draw on the surface lies inside the region.
    RecordingPainter drawn;
    drawCanvasOverlays(drawn, renderer, overlays, view);
    ASSERT_FALSE(drawn.calls.empty());
    for (const DrawCall& c : drawn.calls)
        for (const ScreenPoint& p : c.points) {
            EXPECT_GE(std::max(p.x, 0), region.rect.x);
            EXPECT_LE(p.x, region.rect.x + region.rect.w);
            EXPECT_GE(std::max(p.y, 0), region.rect.y);
            EXPECT_LE(p.y, region.rect.y + region.rect.h);
        }
    // The ghost runs from the target's end (188) to one piece length further, and no more.
    EXPECT_LT(region.rect.w, 260);
}

} // namespace
