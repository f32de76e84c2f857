// Scenery: the catalogue rows, placing from the palette with the turntable rule, dragging,
// resizing a platform by its handles, and the "Resize Scenery" dialog's values. The view is at
// scale 1 with the world origin at screen (0, 0).
#include "CanvasHarness.h"
#include "Golden.h"

#include "core/canvas/PaletteActions.h"
#include "core/canvas/SceneryGestures.h"
#include "core/editing/SceneryPlacing.h"
#include "core/editing/SceneryResize.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace plandor;
using namespace plandor::testing;

namespace {

int32_t putScenery(Layout& layout, const std::string& key, double x, double y,
                   bool selected = false) {
    SceneryItem& s = addScenery(layout, key, x, y);
    s.selected = selected;
    return s.id;
}

using Canvas = CanvasHarness;

constexpr double kRoundhouseRing = 343.0 / 2 + 349.6;

TEST(SceneryDrop, RoundhouseTurnsOntoTheTurntableRingOnlyWithinReach) {
    const struct {
        const char* name;
        const char* key;
        Pose ghost;
        bool onRing;
        double heading;
    } cases[] = {
        {"650 mm away snaps to a 12-degree stop", "72886", {650, 0, 17}, true, 12},
        {"rounding past 354 wraps to 0", "72886", {0, 650, 355}, true, 0},
        {"exactly at reach snaps", "72886", {0, 700, 88}, true, 84},
        {"750 mm away stays", "72886", {0, 750, 17}, false, 17},
        {"another item ignores the turntable", "platform", {650, 0, 17}, false, 17},
    };
    for (const auto& c : cases) {
        Layout layout = emptyLayout();
        putScenery(layout, "turntable", 0, 0);
        // Within reach of the first drop too, but farther than the one at the origin.
        putScenery(layout, "turntable", 1340, 0);
        Pose ghost = c.ghost;
        const int32_t id = dropScenery(layout, c.key, ghost);
        const SceneryItem* item = layout.findScenery(id);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_NEAR(item->heading, c.heading, 1e-9) << c.name;
        if (c.onRing) {
            const double a = degToRad(c.heading);
            EXPECT_NEAR(item->x, -kRoundhouseRing * std::sin(a), 1e-9) << c.name;
            EXPECT_NEAR(item->y, kRoundhouseRing * std::cos(a), 1e-9) << c.name;
        } else {
            EXPECT_EQ(item->x, c.ghost.x) << c.name;
            EXPECT_EQ(item->y, c.ghost.y) << c.name;
        }
    }
}

// The drop's level is the one track drops on; R and the drop at the pointer are driven in the GUI.
TEST(SceneryPlacingGesture, GhostTurnsDropsSelectedAloneAsOneUndoStepAndEscapeCancels) {
    Canvas canvas;
    const int32_t piece = addPiece(canvas.layout, "24188", 0, 600).id;
    canvas.layout.findPiece(piece)->selected = true;
    canvas.controller.beginPlacing({PaletteAction::Kind::BeginSceneryPlacing, "nonsense"});
    EXPECT_FALSE(canvas.controller.placing()) << "an unknown key starts nothing";

    canvas.controller.beginPlacing({PaletteAction::Kind::BeginSceneryPlacing, "car"});
    ASSERT_TRUE(canvas.controller.placing());
    canvas.controller.motion(mouseAt(400, 300));
    canvas.controller.wheel(mouseAt(400, 300), 120);              // +30
    canvas.controller.wheel(mouseAt(400, 300, false, true), 120); // +15 with Shift
    canvas.controller.rightDown(mouseAt(400, 300));               // +15
    EXPECT_EQ(canvas.controller.overlays().ghostSceneryKey, "car");
    EXPECT_DOUBLE_EQ(canvas.controller.overlays().ghostSceneryPose.heading, 60.0);

    EXPECT_TRUE(
        canvas.controller.leftDown(mouseAt(410, 320, true)).change.has(Change::Annotations));
    ASSERT_EQ(canvas.layout.scenery.size(), 1u);
    EXPECT_EQ(canvas.layout.scenery[0].heading, 60);
    EXPECT_TRUE(canvas.layout.scenery[0].selected);
    EXPECT_FALSE(canvas.layout.findPiece(piece)->selected);
    EXPECT_EQ(canvas.doc.undoDepth(), 1u);
    canvas.doc.undo();
    canvas.controller.beginPlacing({PaletteAction::Kind::BeginSceneryPlacing, "car"});
    canvas.key(CanvasKey::Escape);
    EXPECT_FALSE(canvas.controller.placing());
    canvas.click(410, 320);
    EXPECT_TRUE(canvas.layout.scenery.empty()) << "Escape dropped nothing";
}

TEST(SceneryDragGesture, SelectedItemsFollowWithoutAnUndoStepAndADoubleClickAsksToResize) {
    Canvas canvas;
    const int32_t a = putScenery(canvas.layout, "car", 100, 100);
    const int32_t b = putScenery(canvas.layout, "car", 300, 100);
    // Shift adds b, a plain press on the selected a keeps both.
    canvas.click(100, 100);
    canvas.click(300, 100, false, true);
    EXPECT_FALSE(canvas.doc.canUndo()) << "presses without motion leave no undo step";

    canvas.dragFromTo(100, 100, 103, 150);
    EXPECT_EQ(canvas.layout.findScenery(a)->x, 103);
    EXPECT_EQ(canvas.layout.findScenery(a)->y, 150);
    EXPECT_EQ(canvas.layout.findScenery(b)->x, 303);
    EXPECT_FALSE(canvas.doc.canUndo()) << "a scenery drag is kept without an undo step";
    EXPECT_TRUE(canvas.doc.modified);

    const CanvasReply twice = canvas.controller.leftDoubleClick(mouseAt(103, 150));
    ASSERT_TRUE(twice.asks<request::OpenResizeScenery>());
    EXPECT_EQ(twice.asks<request::OpenResizeScenery>()->item, a);
    MouseInput alt = mouseAt(103, 150);
    alt.alt = true;
    EXPECT_EQ(canvas.controller.leftDoubleClick(alt).asks<request::OpenResizeScenery>(), nullptr)
        << "Alt is for rotating";
}

TEST(SceneryHandleResize, KeepsTheAnchorAndAtLeastFiveMillimetres) {
    // Platform 230 x 60 at (400, 300): handle 4 (bottom right) at (515, 330), its anchor
    // handle 0 at (285, 270); handle 3 (right edge) at (515, 300).
    const struct {
        const char* name;
        int handle, toX, toY;
        double width, depth;
    } cases[] = {
        {"corner grows both ways", 4, 535, 350, 250, 80},
        {"corner past the minimum stays at 5 mm", 4, 287, 271, 5, 5},
        {"edge handle keeps the depth", 3, 300, 500, 15, 60},
        {"edge handle crossing the anchor takes the extent", 3, 185, 300, 100, 60},
    };
    for (const auto& c : cases) {
        Canvas canvas;
        const int32_t id = putScenery(canvas.layout, "platform", 400, 300, true);
        const SceneryDef& def = *SceneryCatalog::instance().find("platform");
        const int anchorHandle = oppositeHandle(c.handle);
        const Point anchor = sceneryHandlePoint(*canvas.layout.findScenery(id), def, anchorHandle);
        const Point grab = sceneryHandlePoint(*canvas.layout.findScenery(id), def, c.handle);

        canvas.dragFromTo(int(grab.x) + 2, int(grab.y) - 1, c.toX, c.toY);
        const SceneryItem& item = *canvas.layout.findScenery(id);
        EXPECT_NEAR(item.scaleX * def.width, c.width, 1e-9) << c.name;
        EXPECT_NEAR(item.scaleY * def.depth, c.depth, 1e-9) << c.name;
        const Point after = sceneryHandlePoint(item, def, anchorHandle);
        EXPECT_NEAR(after.x, anchor.x, 1e-9) << c.name << ": the anchor moved";
        EXPECT_NEAR(after.y, anchor.y, 1e-9) << c.name << ": the anchor moved";
        EXPECT_EQ(canvas.doc.undoDepth(), 1u) << c.name;
    }
}

TEST(ResizeSceneryForm, AspectLockAndRange) {
    SceneryItem item{7, "road_straight", 0, 0, 0, false, 2.0, 0.5};
    const SceneryDef& def = *SceneryCatalog::instance().find("road_straight");
    SceneryResizeForm form = openSceneryResize(item, def);

    form.lockAspect = true;
    setWidthScale(form, 3.0);
    EXPECT_DOUBLE_EQ(form.scaleY, 0.75) << "the ratio 4 taken at opening holds";
    setWidthScale(form, 0.2);
    EXPECT_DOUBLE_EQ(form.scaleY, 0.1) << "the depth scale stays in the spin range";
    setWidthScale(form, 50);
    EXPECT_DOUBLE_EQ(form.scaleX, 10.0);
    form.lockAspect = false;
    setWidthScale(form, 1.0);
    EXPECT_DOUBLE_EQ(form.scaleY, 2.5) << "unlocked, the depth scale stays";

    item.scaleY = 0;
    EXPECT_DOUBLE_EQ(openSceneryResize(item, def).aspect, 1.0);
}

TEST(ResizeSceneryForm, OkResetAndCancelAsEdits) {
    Document doc;
    doc.layout = emptyLayout();
    const int32_t id = putScenery(doc.layout, "platform", 0, 0);
    const SceneryDef& def = *SceneryCatalog::instance().find("platform");
    auto close = [&](SceneryResizeForm form, SceneryResizeChoice choice) {
        return doc.apply([&] { return applySceneryResize(doc.layout, form, choice); });
    };

    SceneryResizeForm form = openSceneryResize(*doc.layout.findScenery(id), def);
    form.scaleX = 2.5;
    form.scaleY = 0.01;
    EXPECT_TRUE(close(form, SceneryResizeChoice::Ok).modified);
    EXPECT_EQ(doc.layout.findScenery(id)->scaleX, 2.5);
    EXPECT_EQ(doc.layout.findScenery(id)->scaleY, 0.1) << "each scale at least 0.1";

    EXPECT_FALSE(close(form, SceneryResizeChoice::Cancel).any());
    EXPECT_EQ(doc.undoDepth(), 1u);

    close(form, SceneryResizeChoice::ResetToDefault);
    EXPECT_EQ(doc.layout.findScenery(id)->scaleX, 1.0);
    EXPECT_EQ(doc.layout.findScenery(id)->scaleY, 1.0);
    doc.undo();
    EXPECT_EQ(doc.layout.findScenery(id)->scaleX, 2.5) << "Reset to Default is undone";
    EXPECT_EQ(doc.layout.findScenery(id)->scaleY, 0.1);
}

// The rows in registration order with their footprints are pinned in a golden file; every row
// is found by its id and by nothing near it. That the drawings stay inside their footprints is
// checked where they are drawn.
TEST(SceneryCatalog, RowsMatchTheGoldenListAndAreFoundByExactId) {
    const auto& catalog = SceneryCatalog::instance();
    std::vector<std::string> lines;
    for (const SceneryDef& def : catalog.defs()) {
        std::ostringstream line;
        line << def.id << "\t" << def.name << "\t" << def.category << "\t" << def.width << " x "
             << def.depth;
        lines.push_back(line.str());
        EXPECT_EQ(catalog.find(def.id), &def) << def.id;
    }
    expectGolden(lines, "scenery_rows.txt");
    for (const char* id : {"", "Platform", "platform ", "tunnel_portal", "728860"})
        EXPECT_EQ(catalog.find(id), nullptr) << "'" << id << "'";
    EXPECT_EQ(sceneryCategoryName(catalog.find("72886")->category), "Other");
    EXPECT_EQ(sceneryCategoryName(0xFFFFFFFFu), "Other");
}

} // namespace
