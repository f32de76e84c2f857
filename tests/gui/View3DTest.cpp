// The 3D window opened from the main window: it draws the layout, orbits and zooms without
// rebuilding, and rebuilds when the plan changes or the command is given again.
#include "GuiTestSupport.h"
#include "Sample3DLayout.h"
#include "app/Commands.h"
#include "wxrender/BaseboardTessellator.h"
#include "wxrender/TrackGLCanvas.h"
#include "wxrender/View3DFrame.h"

using namespace plandor;
using namespace plandor::guitest;

namespace {

void mouse(wxWindow* to, wxEventType type, int x, int y, bool left, bool right, int wheel = 0) {
    wxMouseEvent event(type);
    event.SetPosition(wxPoint(x, y));
    event.m_leftDown = left;
    event.m_rightDown = right;
    event.m_wheelRotation = wheel;
    event.m_wheelDelta = 120;
    event.SetEventObject(to);
    to->ProcessWindowEvent(event);
}

} // namespace

using View3DTest = MainFrameFixture;

TEST_F(View3DTest, OpensOnTheLayoutAndOrbitsWithoutRebuilding) {
    layout() = sample3DLayout();
    command(Cmd3DView);
    View3DFrame* view = frame->view3D();
    ASSERT_NE(view, nullptr);
    TrackGLCanvas* canvas = view->canvas();
    ASSERT_TRUE(waitFor([&] { return canvas->framesDrawn() > 0; })) << "nothing was drawn";
    EXPECT_FALSE(canvas->scene().structure.empty()) << "every kind of mesh is on show";

    const int frames = canvas->framesDrawn();
    mouse(canvas, wxEVT_LEFT_DOWN, 100, 100, true, false);
    for (int i = 1; i <= 5; ++i) {
        mouse(canvas, wxEVT_MOTION, 100 + 10 * i, 100 + 4 * i, true, false);
        canvas->Update();
    }
    mouse(canvas, wxEVT_LEFT_UP, 150, 120, false, false);
    EXPECT_FALSE(canvas->HasCapture());
    mouse(canvas, wxEVT_RIGHT_DOWN, 150, 120, false, true);
    mouse(canvas, wxEVT_MOTION, 170, 120, false, true);
    mouse(canvas, wxEVT_RIGHT_UP, 170, 120, false, false);
    mouse(canvas, wxEVT_MOUSEWHEEL, 170, 120, false, false, 120);
    ASSERT_TRUE(waitFor([&] { return canvas->framesDrawn() > frames; }));
    EXPECT_EQ(canvas->camera().yaw, 30 + 25);
    EXPECT_NE(canvas->camera().panX, 0);
    EXPECT_EQ(canvas->sceneBuilds(), 1) << "orbiting must not rebuild the scene";
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
    EXPECT_TRUE(canvas->scene().tunnelHills.empty());

    for (PlacedPiece& p : plan.pieces)
        p.selected = true;
    command(CmdTunnel);
    ASSERT_EQ(plan.tunnels.size(), 1u);
    EXPECT_EQ(canvas->sceneBuilds(), 2);
    EXPECT_FALSE(canvas->scene().tunnelHills.empty()) << "the new tunnel shows in 3D";

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
