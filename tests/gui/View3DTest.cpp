// The 3D window opened from the main window: it draws the layout, orbits and zooms without
// rebuilding, and rebuilds when the plan changes or the command is given again.
#include "GuiTestSupport.h"
#include "LayoutGenerator.h"
#include "Sample3DLayout.h"
#include "core/app/Commands.h"
#include "core/canvas/CanvasView.h"
#include "gui/wxrender/BaseboardTessellator.h"
#include "gui/wxrender/TrackGLCanvas.h"
#include "gui/wxrender/View3DFrame.h"

#include <wx/uiaction.h>

#include <algorithm>
#include <tuple>

using namespace plandor;
using namespace plandor::guitest;

namespace {

// Pixels of a frame bright enough to be lit track, ballast or scenery: the background and the
// ground grid are darker than any of them.
int litPixels(TrackGLCanvas* canvas) {
    std::vector<unsigned char> rgb;
    if (!canvas->renderFrame(&rgb))
        return -1;
    int lit = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        lit += std::max({rgb[i], rgb[i + 1], rgb[i + 2]}) > 100;
    return lit;
}

// Opens the 3D view of the layout and waits for its first frame.
TrackGLCanvas* open3D(MainFrame* frame) {
    send(frame, wxEVT_MENU, Cmd3DView);
    View3DFrame* view = frame->view3D();
    if (!view)
        return nullptr;
    TrackGLCanvas* canvas = view->canvas();
    return waitFor([&] { return canvas->framesDrawn() > 0; }) ? canvas : nullptr;
}

} // namespace

using View3DTest = MainFrameFixture;

TEST_F(View3DTest, ALargePlanShowsInTheFirstFrame) {
    layout() = generateLayout(10000, 1);
    TrackGLCanvas* canvas = open3D(frame);
    ASSERT_NE(canvas, nullptr);
    const wxSize size = canvas->GetClientSize();
    std::vector<unsigned char> fromArrays, fromLists;
    ASSERT_TRUE(canvas->renderFrame(&fromArrays));
    EXPECT_TRUE(canvas->compiling()) << "the first frames draw from arrays";
    EXPECT_GT(litPixels(canvas), size.x * size.y / 50) << "the plan is in view as it opens";
    // The lists of what was drawn from arrays compile when idle, and draw the same.
    ASSERT_TRUE(waitFor([&] { return !canvas->compiling(); }));
    ASSERT_TRUE(canvas->renderFrame(&fromLists));
    EXPECT_TRUE(fromArrays == fromLists);
}

// Pixels in the dark brown of sleepers (lit or in shade): red over green over blue, darker
// than ballast and rails.
int sleeperPixels(TrackGLCanvas* canvas) {
    std::vector<unsigned char> rgb;
    if (!canvas->renderFrame(&rgb))
        return -1;
    int brown = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const int r = rgb[i], g = rgb[i + 1], b = rgb[i + 2];
        brown += r > g + 12 && g > b + 12 && r < 150 && r > 40;
    }
    return brown;
}

TEST_F(View3DTest, SleepersShowNearAndFarTrackIsOnePlainBatch) {
    Layout& plan = layout();
    plan.ensureDefaultLevel();
    plan.showBaseboard = false;
    addPiece(plan, "24188", 0, 0);
    addPiece(plan, "24188", 0, 60);
    TrackGLCanvas* canvas = open3D(frame);
    ASSERT_NE(canvas, nullptr);
    ASSERT_EQ(canvas->camera().distance, 400) << "a small plan opens close up";
    EXPECT_GT(sleeperPixels(canvas), 200) << "the sleepers show at the opening view";
    EXPECT_EQ(canvas->trackDrawn().detailed, 2);
    EXPECT_EQ(canvas->trackDrawn().batches, 0);

    for (int i = 0; i < 40; ++i) // the wheel turned back zooms out
        sendMouse(canvas, wxEVT_MOUSEWHEEL, {300, 300}, false, false, false, -120);
    ASSERT_GT(canvas->camera().distance, 10000);
    EXPECT_EQ(sleeperPixels(canvas), 0) << "no sleeper is wide enough to draw from afar";
    EXPECT_EQ(canvas->trackDrawn().detailed + canvas->trackDrawn().plain, 0)
        << "no piece is drawn on its own";
    EXPECT_GE(canvas->trackDrawn().batches, 1);
    EXPECT_GT(litPixels(canvas), 0) << "the track still shows as a band";
}

TEST_F(View3DTest, AfterAnEditTheOpenViewDrawsWhatAFreshViewDraws) {
    layout() = generateLayout(300, 1);
    TrackGLCanvas* canvas = open3D(frame);
    ASSERT_NE(canvas, nullptr);
    std::vector<unsigned char> before, edited, fresh;
    ASSERT_TRUE(canvas->renderFrame(&before));
    // Most cells keep their drawing; the one with the moved piece must not.
    layout().pieces[layout().pieces.size() / 2].x += 150;
    frame->applyChange(Change(Change::Pieces));
    ASSERT_EQ(canvas->sceneBuilds(), 2);
    ASSERT_TRUE(canvas->renderFrame(&edited));
    EXPECT_NE(edited, before) << "the moved piece shows";

    frame->view3D()->Destroy();
    ASSERT_TRUE(waitFor([&] { return frame->view3D() == nullptr; }));
    canvas = open3D(frame);
    ASSERT_NE(canvas, nullptr);
    ASSERT_TRUE(canvas->renderFrame(&fresh));
    EXPECT_TRUE(edited == fresh) << "the edited view shows what a new one shows";
}

TEST_F(View3DTest, KeysAndMouseOrbitZoomAndResetToTheOpeningViewWithoutRebuilding) {
    layout() = sample3DLayout();
    TrackGLCanvas* canvas = open3D(frame);
    ASSERT_NE(canvas, nullptr);
    const Scene3D& scene = canvas->scene();
    EXPECT_FALSE(scene.structure.empty() || scene.piers.empty() || scene.helices.empty() ||
                 scene.hills.empty())
        << "every kind of mesh is on show";
    frame->view3D()->Raise();
    canvas->SetFocus();
    settle();
    const Camera3D opening = canvas->camera();
    const double planScale = frame->canvas()->view().transform().scale;
    wxUIActionSimulator sim;
    const struct {
        const char* name;
        int key;
        double yaw, pitch, distance; // change from the view before the key
    } cases[] = {
        {"left arrow", WXK_LEFT, -5, 0, 1}, {"right arrow", WXK_RIGHT, 5, 0, 1},
        {"up arrow", WXK_UP, 0, -5, 1},     {"down arrow", WXK_DOWN, 0, 5, 1},
        {"minus", '-', 0, 0, 1 / 0.88},     {"numpad plus", WXK_NUMPAD_ADD, 0, 0, 0.88},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Camera3D before = canvas->camera();
        sim.Char(c.key);
        ASSERT_TRUE(waitFor([&] { return canvas->camera().modelView() != before.modelView(); }));
        EXPECT_NEAR(canvas->camera().yaw, before.yaw + c.yaw, 1e-9);
        EXPECT_NEAR(canvas->camera().pitch, before.pitch + c.pitch, 1e-9);
        EXPECT_NEAR(canvas->camera().distance, before.distance * c.distance, 1e-6);
    }
    EXPECT_EQ(frame->canvas()->view().transform().scale, planScale)
        << "the zoom keys of the 3D window leave the plan alone";

    // Orbit, pan and zoom with the mouse, then R.
    const double yaw = canvas->camera().yaw;
    sendMouse(canvas, wxEVT_LEFT_DOWN, {100, 100}, true, false);
    sendMouse(canvas, wxEVT_MOTION, {150, 140}, true, false);
    sendMouse(canvas, wxEVT_LEFT_UP, {150, 140}, false, false);
    EXPECT_FALSE(canvas->HasCapture());
    EXPECT_EQ(canvas->camera().yaw, yaw + 25);
    sendMouse(canvas, wxEVT_RIGHT_DOWN, {150, 140}, false, true);
    sendMouse(canvas, wxEVT_MOTION, {200, 100}, false, true);
    sendMouse(canvas, wxEVT_RIGHT_UP, {200, 100}, false, false);
    EXPECT_NE(canvas->camera().panX, 0);
    sendMouse(canvas, wxEVT_MOUSEWHEEL, {200, 100}, false, false, false, 120);
    sim.Char('r');
    ASSERT_TRUE(waitFor([&] { return canvas->camera().modelView() == opening.modelView(); }))
        << "R frames the scene as it opened";
    EXPECT_EQ(canvas->sceneBuilds(), 1);
}

// A layout too large to draw whole is cut short, and the hint bar says so.
TEST_F(View3DTest, ALayoutPastTheTriangleLimitIsShownInPartWithANotice) {
    Layout& plan = layout();
    plan.ensureDefaultLevel();
    addPiece(plan, "24188", 0, 0);
    for (int h = 0; h < 400; ++h)
        plan.helices.push_back(
            Helix{plan.takeId(), (h % 20) * 1000.0, (h / 20) * 1000.0, 0, "", -1, -1, -1, -1});
    TrackGLCanvas* canvas = open3D(frame);
    ASSERT_NE(canvas, nullptr);
    EXPECT_TRUE(canvas->scene().cut);
    EXPECT_LT(canvas->scene().helices.size(), 400u);
    const std::string hint = frame->view3D()->GetStatusBar()->GetStatusText().ToStdString();
    EXPECT_EQ(hint.rfind(View3DFrame::kCutNotice, 0), 0u) << hint;

    plan.helices.clear();
    frame->view3D()->rebuildScene(plan);
    EXPECT_EQ(frame->view3D()->GetStatusBar()->GetStatusText(), View3DFrame::kHint);
}

TEST_F(View3DTest, EscapeAndCtrlWCloseTheViewAndNotTheLayout) {
    for (const auto& [name, key, modifiers] :
         {std::tuple{"Escape", int(WXK_ESCAPE), int(wxMOD_NONE)},
          std::tuple{"Ctrl+W", int('W'), int(wxMOD_CONTROL)}}) {
        SCOPED_TRACE(name);
        layout() = sample3DLayout();
        frame->document().modified = true;
        TrackGLCanvas* canvas = open3D(frame);
        ASSERT_NE(canvas, nullptr);
        frame->view3D()->Raise();
        canvas->SetFocus();
        settle();
        wxUIActionSimulator().Char(key, modifiers);
        ASSERT_TRUE(waitFor([&] { return frame->view3D() == nullptr; })) << "the view closes";
        EXPECT_FALSE(layout().pieces.empty()) << "the layout stays open";
        EXPECT_TRUE(frame->document().modified);
    }
}

TEST_F(View3DTest, AnEditOnThePlanAndTheCommandAgainRebuildTheOpenView) {
    Layout& plan = layout();
    plan.ensureDefaultLevel();
    const int32_t a = addPiece(plan, "24188", 0, 0).id;
    const int32_t b = addPiece(plan, "24188", 188.3, 0).id;
    plan.join(a, 1, b, 0);
    command(Cmd3DView);
    View3DFrame* view = frame->view3D();
    ASSERT_NE(view, nullptr);
    TrackGLCanvas* canvas = view->canvas();
    EXPECT_TRUE(canvas->scene().hills.empty());

    for (PlacedPiece& p : plan.pieces)
        p.selected = true;
    command(CmdTunnel);
    ASSERT_EQ(plan.tunnels.size(), 1u);
    EXPECT_EQ(canvas->sceneBuilds(), 2);
    EXPECT_FALSE(canvas->scene().hills.empty()) << "the new tunnel shows in 3D";

    command(Cmd3DView);
    EXPECT_EQ(frame->view3D(), view) << "one 3D window at a time";
    EXPECT_EQ(canvas->sceneBuilds(), 3);

    view->Close();
    ASSERT_TRUE(waitFor([&] { return frame->view3D() == nullptr; }))
        << "a closed view is forgotten";
    command(Cmd3DView);
    EXPECT_NE(frame->view3D(), nullptr);
}

TEST(BaseboardTessellator, TurnsOutlinesIntoTrianglesOfTheSameArea) {
    struct Case {
        const char* name;
        std::vector<Vec3> outline;
        double area;
    };
    const Case cases[] = {
        {"square", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, 100},
        {"L shape, clockwise",
         {{0, 0, 0}, {0, 20, 0}, {10, 20, 0}, {10, 10, 0}, {20, 10, 0}, {20, 0, 0}},
         300},
        {"two corners", {{0, 0, 0}, {10, 0, 0}}, 0},
    };
    for (const Case& c : cases) {
        const std::vector<Vec3> tris = tessellateOutline(c.outline);
        ASSERT_EQ(tris.size() % 3, 0u) << c.name;
        double area = 0;
        for (std::size_t i = 0; i < tris.size(); i += 3) {
            const Vec3 n = cross(tris[i + 1] - tris[i], tris[i + 2] - tris[i]);
            area += length(n) / 2;
        }
        EXPECT_NEAR(area, c.area, 1e-9) << c.name;
    }
}
