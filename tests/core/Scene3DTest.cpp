// Building the 3D scene from a layout: what enters it, where, and at which height and tilt.
#include "render/Scene3D.h"
#include "LayoutBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

namespace {

// Vertices of one pier: 18 sides of four, 36 cap triangles of three.
constexpr std::size_t kPierVertices = 18 * 4 + 36 * 3;

Scene3D build(const Layout& layout) {
    Scene3D scene;
    buildScene(layout, scene, nullptr);
    return scene;
}

Layout withLevels() {
    Layout layout = emptyLayout();
    addLevel(layout, 2, 100);
    return layout;
}

} // namespace

TEST(Scene3D, PiecesArePlacedWithFlippedYNegatedHeadingAndGradeTilt) {
    const double L = 188.3, rise = L * std::sin(degToRad(2)), run = L * std::cos(degToRad(2));
    const struct {
        const char* name;
        double heading, grade;
        bool reversed;
        Vec3 farEnd; // where connector 1 of a 188.3 mm straight at (100, 50, 20) is drawn
    } cases[] = {
        {"flat, heading 90 runs down the page", 90, 0, false, {100, -50 - L, 20}},
        {"+2 deg rises along the piece", 0, 2, false, {100 + run, -50, 20 + rise}},
        {"+2 deg reversed falls along it", 0, 2, true, {100 + run, -50, 20 - rise}},
    };
    for (const auto& c : cases) {
        Layout layout;
        PlacedPiece& p = addPiece(layout, "24188", 100, 50, c.heading);
        p.z = 20;
        p.grade = c.grade;
        p.reversed = c.reversed;
        const Scene3D scene = build(layout);
        ASSERT_EQ(scene.pieces.size(), 1u);
        const Vec3 end = placedPoint(scene.pieces[0], {L, 0, 0});
        EXPECT_NEAR(end.x, c.farEnd.x, 1e-6) << c.name;
        EXPECT_NEAR(end.y, c.farEnd.y, 1e-6) << c.name;
        EXPECT_NEAR(end.z, c.farEnd.z, 1e-6) << c.name;
    }
}

TEST(Scene3D, SceneryStandsOnItsLevelTurnedAndScaled) {
    Layout layout = withLevels();
    SceneryItem& item = addScenery(layout, "bridge_truss", 10, 20, 30, 2);
    item.scaleX = 2;
    addScenery(layout, "no_such_item");
    const Scene3D scene = build(layout);
    ASSERT_EQ(scene.scenery.size(), 1u) << "unknown types contribute nothing";
    const SceneryInstance& s = scene.scenery[0];
    EXPECT_EQ(s.position.z, 100);
    EXPECT_EQ(s.position.y, -20);
    EXPECT_EQ(s.rotation, -30);
    EXPECT_EQ(s.scaleX, 2);
}

// Two truss bridges end to end share the pier at their joint; how tall a pier must be is a
// mesh rule.
TEST(Scene3D, PiersStandUnderRaisedBridgeEndsOncePerPlace) {
    const struct {
        const char* name;
        double z;
        int level;
        std::size_t piers;
    } cases[] = {{"two bridges at 50 mm", 50, 1, 3},
                 {"on a level at 100 mm, 50 mm below it", 50, 2, 0},
                 {"on a level at 100 mm, at 150 mm", 150, 2, 3}};
    for (const auto& c : cases) {
        Layout layout = withLevels();
        for (double x : {0.0, 188.3}) {
            PlacedPiece& p = addPiece(layout, "74620", x, 0, 0, c.level);
            p.z = c.z;
        }
        EXPECT_EQ(build(layout).structure.vertexCount(), c.piers * kPierVertices) << c.name;
    }
}

TEST(Scene3D, HiddenLevelsContributeNothing) {
    Layout layout = withLevels();
    layout.levels[1].visible = false;
    PlacedPiece& bridge = addPiece(layout, "74620", 0, 0, 0, 2);
    bridge.z = 150;
    addScenery(layout, "platform", 0, 0, 0, 2);
    addShape(layout, {{0, 0}, {100, 0}, {100, 100}}, 20).level = 2;
    layout.tunnels.push_back(Tunnel{0, -1, -1, bridge.id, bridge.id, {bridge.id}});

    const Scene3D scene = build(layout);
    EXPECT_TRUE(scene.pieces.empty() && scene.scenery.empty() && scene.structure.empty() &&
                scene.tunnelHills.empty() && scene.lines.empty());
    EXPECT_FALSE(scene.hasTarget) << "nothing to look at leaves the camera alone";
}

TEST(Scene3D, ShapeOverTunnelTrackIsOnlyOutlinedAtItsHeight) {
    const struct {
        const char* name;
        double pieceX; // the piece inside the shape or beside it
        bool tunnel, outlined;
    } cases[] = {{"tunnel track inside", 50, true, true},
                 {"tunnel track outside", 500, true, false},
                 {"open track inside", 50, false, false}};
    for (const auto& c : cases) {
        Layout layout;
        const int32_t id = addPiece(layout, "24188", c.pieceX, 50).id;
        if (c.tunnel)
            layout.tunnels.push_back(Tunnel{0, -1, -1, id, id, {id}});
        addShape(layout, {{0, 0}, {200, 0}, {200, 200}, {0, 200}}, 30);
        const Scene3D scene = build(layout);
        EXPECT_EQ(scene.lines.size(), c.outlined ? 4u : 0u) << c.name;
        EXPECT_EQ(scene.structure.empty(), c.outlined) << c.name;
        EXPECT_EQ(scene.tunnelHills.empty(), !c.tunnel) << c.name;
        for (const LineSegment& line : scene.lines)
            EXPECT_EQ(line.a.z, 30) << c.name;
    }
}
