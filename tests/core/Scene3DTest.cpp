// Building the 3D scene from a layout: what enters it, where, and at which height and tilt.
#include "core/render/Scene3D.h"
#include "LayoutBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace plandor;

namespace {

// Vertices of one pier: 18 sides of four, 36 cap triangles of three.
constexpr std::size_t kPierVertices = 18 * 4 + 36 * 3;

Scene3D build(const Layout& layout) {
    Scene3D scene;
    buildScene(layout, RenderSettings::of(layout), scene, nullptr);
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

// Two pieces end to end share the pier at their joint; bridge or plain track, raised track
// stands on piers. How tall a pier must be is a mesh rule.
TEST(Scene3D, PiersStandUnderRaisedTrackEndsOncePerPlace) {
    const struct {
        const char* name;
        const char* part;
        double z;
        int level;
        std::size_t piers;
    } cases[] = {{"two bridges at 50 mm", "74620", 50, 1, 3},
                 {"on a level at 100 mm, 50 mm below it", "74620", 50, 2, 0},
                 {"on a level at 100 mm, at 150 mm", "74620", 150, 2, 3},
                 {"two straights raised 55 mm", "24188", 55, 1, 3},
                 {"two straights on their level", "24188", 100, 2, 0},
                 {"two straights 1.5 mm up: too little for a pier", "24188", 1.5, 1, 0}};
    for (const auto& c : cases) {
        Layout layout = withLevels();
        for (double x : {0.0, 188.3}) {
            PlacedPiece& p = addPiece(layout, c.part, x, 0, 0, c.level);
            p.z = c.z;
        }
        EXPECT_EQ(build(layout).piers.size(), c.piers) << c.name;
    }
}

// A pier within 2 mm of another on both axes is not placed again, also when many pieces share
// one place.
TEST(Scene3D, AStackOfRaisedPiecesGetsOnePierPerEnd) {
    Layout layout = withLevels();
    for (int i = 0; i < 2000; ++i)
        addPiece(layout, "24188", (i % 2) * 1.5, 0).z = 40;
    const Scene3D scene = build(layout);
    EXPECT_EQ(scene.piers.size(), 2u);
    EXPECT_EQ(scene.pierMesh.vertexCount(), kPierVertices) << "one pier mesh for all";
    // Each pier reaches from the level up to the track.
    const Vec3 top = placedPoint(scene.piers[0], {0, 0, 100});
    EXPECT_NEAR(top.z, 40, 1e-9);
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
                scene.piers.empty() && scene.hills.empty() && scene.lines.empty());
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
        EXPECT_EQ(scene.hills.empty(), !c.tunnel) << c.name;
        for (const LineSegment& line : scene.lines)
            EXPECT_EQ(line.a.z, 30) << c.name;
    }
}

// A file of any size builds a scene of bounded size: alike things share one mesh, a piece
// covered by many tunnels gets one hill, and past the limit the rest is left out and said so.
TEST(Scene3D, SharesMeshesAndStopsAtTheTriangleLimit) {
    Layout layout = emptyLayout();
    for (int i = 0; i < 50; ++i) {
        const int32_t id = addPiece(layout, "24188", i * 188.3, 0).id;
        for (int t = 0; t < 3; ++t)
            layout.tunnels.push_back(Tunnel{layout.takeId(), -1, -1, id, id, {id, id}});
    }
    for (int h = 0; h < 20; ++h)
        layout.helices.push_back(Helix{layout.takeId(), h * 1000.0, 2000, 30, "", -1, -1, -1, -1});
    const Scene3D whole = build(layout);
    EXPECT_FALSE(whole.cut);
    EXPECT_EQ(whole.pieces.size(), 50u);
    EXPECT_EQ(whole.hills.size(), 50u) << "one hill per covered piece";
    EXPECT_EQ(whole.hillMeshes.size(), 1u);
    EXPECT_EQ(whole.helices.size(), 20u);
    EXPECT_EQ(whole.helixMeshes.size(), 1u) << "helices of one variant share a mesh";

    const std::size_t track = whole.pieceMeshes.at("24188").triangleCount();
    Scene3D cut;
    buildScene(layout, RenderSettings::of(layout), cut, nullptr, 10 * track);
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.pieces.size(), 10u) << "track comes first";
    EXPECT_TRUE(cut.helices.empty() && cut.hills.empty());
    EXPECT_LE(cut.triangles, 10 * track);
    EXPECT_EQ(cut.centreX, whole.centreX) << "the camera still looks at the whole layout";
}

// The helix mesh turned and moved by its placement puts the rings where the helix lies.
TEST(Scene3D, HelixIsPlacedAtItsCentreTurnedByItsRotation) {
    Layout layout = emptyLayout();
    layout.helices.push_back(Helix{layout.takeId(), 500, -300, 90, "", -1, -1, -1, -1});
    const Scene3D scene = build(layout);
    ASSERT_EQ(scene.helices.size(), 1u);
    const PlacedMesh& at = scene.helices[0].at;
    const Mesh3D& mesh = scene.helixMeshes.at(scene.helices[0].variant);
    double far = 0;
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        const float* p = &mesh.positions[3 * v];
        const Vec3 w = placedPoint(at, {p[0], p[1], p[2]});
        far = std::max(far, std::hypot(w.x - 500, w.y - 300));
    }
    EXPECT_GT(far, 300) << "rings around the centre";
    EXPECT_LT(far, 700);
    // From far, the rings are plain bands of the same extent.
    const Mesh3D& fromFar = scene.farHelixMeshes.at(scene.helices[0].variant);
    EXPECT_LT(fromFar.triangleCount() * 10, mesh.triangleCount());
    EXPECT_NEAR(boundingBall(fromFar).radius, boundingBall(mesh).radius, kFarTolerance);
    EXPECT_EQ(at.rotation, -90);
    EXPECT_TRUE(scene.hasTarget) << "the camera looks at a helix standing alone";
    EXPECT_EQ(scene.centreX, 500);
    EXPECT_EQ(scene.centreY, 300);
}
