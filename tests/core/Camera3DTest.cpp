// The 3D camera's mouse, wheel and key rules.
#include "render/Camera3D.h"
#include "render/Mesh3D.h"

#include <gtest/gtest.h>

using namespace plandor;

TEST(Camera3D, ResetKeepsTheZoomAndRestoresAnglesAndPan) {
    Camera3D cam;
    cam.wheel(1);
    cam.press(0, 0, true, true);
    cam.drag(40, 30);
    cam.release();
    const double zoomed = cam.distance;
    ASSERT_NE(cam.yaw, 30);
    ASSERT_NE(cam.panX, 0);
    EXPECT_FALSE(cam.key('x'));
    EXPECT_TRUE(cam.key('r'));
    EXPECT_EQ(cam.pitch, 35);
    EXPECT_EQ(cam.yaw, 30);
    EXPECT_EQ(cam.panX, 0);
    EXPECT_EQ(cam.panY, 0);
    EXPECT_EQ(cam.distance, zoomed);
    EXPECT_TRUE(cam.key('R'));
}

TEST(Camera3D, PitchStaysWithin89Degrees) {
    struct Case {
        const char* name;
        int dy;
        double pitch;
    };
    const Case cases[] = {
        {"small drag down", 10, 40}, {"long drag down", 1000, 89}, {"long drag up", -1000, -89}};
    for (const Case& c : cases) {
        Camera3D cam;
        cam.press(100, 100, true, false);
        EXPECT_TRUE(cam.drag(100, 100 + c.dy)) << c.name;
        EXPECT_EQ(cam.pitch, c.pitch) << c.name;
    }
}

TEST(Camera3D, WheelZoomsWithin50To15000) {
    struct Case {
        const char* name;
        int rotation, turns;
        double distance;
    };
    const Case cases[] = {
        {"one notch in", 120, 1, 800 * 0.88},
        {"one notch out", -120, 1, 800 / 0.88},
        {"far in", 120, 100, 50},
        {"far out", -120, 100, 15000},
    };
    for (const Case& c : cases) {
        Camera3D cam;
        for (int i = 0; i < c.turns; ++i)
            cam.wheel(c.rotation);
        EXPECT_NEAR(cam.distance, c.distance, 1e-9) << c.name;
    }
}

TEST(Camera3D, RightDragPansAlongTheTurnedGround) {
    struct Case {
        const char* name;
        double yaw;
        int dx, dy;
        double panX, panY;
    };
    // At distance 900 a pixel moves the target 1 mm.
    const Case cases[] = {
        {"yaw 0, sideways", 0, 10, 0, 10, 0},
        {"yaw 0, down", 0, 0, 10, 0, 10},
        {"yaw 90, sideways", 90, 10, 0, 0, -10},
    };
    for (const Case& c : cases) {
        Camera3D cam;
        cam.distance = 900;
        cam.yaw = c.yaw;
        cam.press(0, 0, false, true);
        cam.drag(c.dx, c.dy);
        EXPECT_NEAR(cam.panX, c.panX, 1e-9) << c.name;
        EXPECT_NEAR(cam.panY, c.panY, 1e-9) << c.name;
        EXPECT_EQ(cam.yaw, c.yaw) << c.name << ": panning does not rotate";
    }
}

TEST(Camera3D, EachMotionTurnsByItsStepSinceTheLastOneAndOnlyWhileDragging) {
    Camera3D cam;
    cam.press(0, 0, true, false);
    cam.drag(10, 0);
    cam.drag(12, 0);
    EXPECT_EQ(cam.yaw, 36);
    cam.release();
    EXPECT_FALSE(cam.drag(50, 50)) << "no repaint without a button";
    EXPECT_EQ(cam.yaw, 36);
}

TEST(Camera3D, SceneStandsUprightWithItsFarSideAwayFromTheViewer) {
    struct Case {
        const char* name;
        double pitch, yaw;
    };
    const Case cases[] = {{"default view", 35, 30}, {"steep", 80, 0}, {"turned", 35, 200}};
    for (const Case& c : cases) {
        Camera3D cam;
        cam.pitch = c.pitch;
        cam.yaw = c.yaw;
        cam.centreX = 500;
        cam.centreY = -300;
        const Vec3 centre = cam.toEye({500, -300, 0});
        EXPECT_NEAR(centre.x, 0, 1e-9) << c.name << ": the centre is in the middle";
        EXPECT_NEAR(centre.y, 0, 1e-9) << c.name;
        EXPECT_NEAR(centre.z, -800, 1e-9) << c.name;
        const Vec3 top = cam.toEye({500, -300, 100});
        EXPECT_GT(top.y, 1) << c.name << ": what is higher shows higher on the screen";
        EXPECT_GT(top.z, centre.z) << c.name << ": and nearer the viewer";
    }
    // With no yaw the plan's x runs to the right and its top edge lies away from the viewer.
    Camera3D cam;
    cam.yaw = 0;
    EXPECT_GT(cam.toEye({100, 0, 0}).x, 99);
    EXPECT_LT(cam.toEye({0, 100, 0}).z, -800);
}
