// The 3D camera's limits and the way it looks at the scene.
#include "render/Camera3D.h"
#include "render/Mesh3D.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

TEST(Camera3D, PitchAndZoomStopAtTheirLimits) {
    for (const auto& [dy, pitch] : {std::pair<int, double>{1000, 89}, {-1000, -89}}) {
        Camera3D cam;
        cam.press(100, 100, true, false);
        EXPECT_TRUE(cam.drag(100, 100 + dy));
        EXPECT_EQ(cam.pitch, pitch);
    }
    for (const auto& [rotation, distance] : {std::pair<int, double>{120, 50}, {-120, 15000}}) {
        Camera3D cam;
        for (int i = 0; i < 100; ++i)
            cam.wheel(rotation);
        EXPECT_NEAR(cam.distance, distance, 1e-9);
    }
}

TEST(Camera3D, SceneStandsUprightWithItsFarSideAwayFromTheViewer) {
    for (const auto& [pitch, yaw] : {std::pair<double, double>{35, 30}, {80, 200}}) {
        SCOPED_TRACE(yaw);
        Camera3D cam;
        cam.pitch = pitch;
        cam.yaw = yaw;
        cam.centreX = 500;
        cam.centreY = -300;
        const Vec3 centre = cam.toEye({500, -300, 0});
        EXPECT_NEAR(std::hypot(centre.x, centre.y), 0, 1e-9) << "the centre is in the middle";
        EXPECT_NEAR(centre.z, -800, 1e-9);
        const Vec3 top = cam.toEye({500, -300, 100});
        EXPECT_GT(top.y, 1) << "what is higher shows higher on the screen";
        EXPECT_GT(top.z, centre.z) << "and nearer the viewer";
    }
    // With no yaw the plan's x runs to the right and its top edge lies away from the viewer.
    Camera3D cam;
    cam.yaw = 0;
    EXPECT_GT(cam.toEye({100, 0, 0}).x, 99);
    EXPECT_LT(cam.toEye({0, 100, 0}).z, -800);
}
