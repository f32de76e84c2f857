// The 3D camera's limits and the way it looks at the scene.
#include "core/render/Camera3D.h"
#include "core/render/Mesh3D.h"
#include "core/render/Scene3D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

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

namespace {

// The scene of a plan `side` mm square around (cx, cy), as the scene build aims at it.
Scene3D squarePlan(double cx, double cy, double side) {
    Scene3D scene;
    scene.hasTarget = true;
    scene.centreX = cx;
    scene.centreY = cy;
    scene.distance = std::max(400.0, 1.8 * side);
    scene.reach = side * std::sqrt(0.5) + 200;
    return scene;
}

} // namespace

// Every corner of the plan and of a box 500 mm above it lies between the clipping planes,
// however the camera was turned, panned and zoomed.
TEST(Camera3D, ClippingPlanesHoldTheWholeScene) {
    const double side = 72000, cx = 36000, cy = -30000;
    const struct {
        const char* name;
        double pitch, yaw, panX, panY, zoomSteps;
    } cases[] = {
        {"as it opens", Camera3D::kDefaultPitch, Camera3D::kDefaultYaw, 0, 0, 0},
        {"from straight above", 89, 0, 0, 0, 0},
        {"from below the plan", -60, 140, 0, 0, 0},
        {"zoomed right in", 35, 30, 0, 0, 40},
        {"zoomed in and panned to a corner", 10, 250, 30000, -30000, 40},
        {"backed away as far as it goes", 35, 30, 0, 0, -40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Camera3D cam;
        cam.aimAt(squarePlan(cx, cy, side));
        cam.pitch = c.pitch;
        cam.yaw = c.yaw;
        cam.panX = c.panX;
        cam.panY = c.panY;
        for (int i = 0; i < std::abs(c.zoomSteps); ++i)
            cam.wheel(c.zoomSteps > 0 ? 120 : -120);
        const auto [nearPlane, farPlane] = cam.clipRange(0);
        EXPECT_GE(nearPlane, 1);
        EXPECT_LT(farPlane / nearPlane, 20000) << "the depth buffer keeps its precision";
        for (double x : {cx - side / 2, cx + side / 2})
            for (double y : {cy - side / 2, cy + side / 2})
                for (double z : {0.0, 500.0}) {
                    const double depth = -cam.toEye({x, y, z}).z;
                    EXPECT_LE(depth, farPlane) << x << ", " << y << ", " << z;
                    // What lies behind the camera is not drawn anyway.
                    if (depth > 0 && c.zoomSteps <= 0) {
                        EXPECT_GE(depth, nearPlane) << x << ", " << y << ", " << z;
                    }
                }
        // The point the camera orbits is always in view.
        EXPECT_GT(cam.distance, nearPlane);
        EXPECT_LT(cam.distance, farPlane);
    }
}

TEST(Camera3D, ZoomingOutReachesPastTheOpeningViewOfALargePlan) {
    Camera3D cam;
    cam.aimAt(squarePlan(0, 0, 72000));
    const double opening = cam.distance;
    EXPECT_GT(opening, Camera3D::kMaxDistance);
    cam.wheel(-120);
    EXPECT_GT(cam.distance, opening) << "backing away never jumps closer";
}
