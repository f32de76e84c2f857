// What the 3D view leaves out or draws plainly: the picture's volume, the reach of track
// detail, plain track bands, and the cells that gather a scene's pieces.
#include "core/render/SceneCells.h"
#include "LayoutBuilder.h"
#include "LayoutGenerator.h"
#include "core/render/Camera3D.h"
#include "core/render/PieceMesh.h"
#include "core/render/Scene3D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace plandor;

namespace {

// A camera looking straight down at the origin from 1000 mm, through a square picture.
struct StraightDown {
    Camera3D camera;
    std::array<double, 16> projection = perspective(40, 1, 10, 5000);
    StraightDown() {
        camera.pitch = 0;
        camera.yaw = 0;
        camera.distance = 1000;
    }
    ViewVolume volume() const { return ViewVolume(projection, camera.modelView()); }
};

Vec3 vertex(const Mesh3D& mesh, std::size_t v) {
    return {mesh.positions[3 * v], mesh.positions[3 * v + 1], mesh.positions[3 * v + 2]};
}

} // namespace

TEST(ViewVolume, SeesWhatTouchesThePictureAndNothingPastItsEdges) {
    const StraightDown view;
    const ViewVolume volume = view.volume();
    // At the ground, 1000 mm from the eye, the picture reaches tan(20 deg) x 1000 to each side.
    const double edge = 1000 * std::tan(degToRad(20));
    // The side plane is slanted: a ball's reach across it is its radius over cos(20 deg).
    const double reach = 10 / std::cos(degToRad(20));
    const struct {
        const char* name;
        Ball ball;
        bool seen;
    } cases[] = {
        {"at the centre", {{0, 0, 0}, 1}, true},
        {"just inside the right edge", {{edge + reach - 0.5, 0, 0}, 10}, true},
        {"just past the right edge", {{edge + reach + 0.5, 0, 0}, 10}, false},
        {"just past the top edge", {{0, edge + reach + 0.5, 0}, 10}, false},
        {"behind the eye", {{0, 0, 1500}, 10}, false},
        {"beyond the far plane", {{0, 0, -4100}, 10}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(volume.sees(c.ball), c.seen) << c.name;
        Box3 box;
        box.add(c.ball.centre, c.ball.radius / std::sqrt(3.0));
        if (!c.seen) { // a box inside the ball is no more visible than the ball
            EXPECT_FALSE(volume.sees(box)) << c.name;
        }
    }
    Box3 wide; // a long box whose corners all lie outside, crossing the picture
    wide.add({-5000, -1, 0});
    wide.add({5000, 1, 0});
    EXPECT_TRUE(volume.sees(wide));
    EXPECT_FALSE(volume.sees(Box3{})) << "an empty box";
}

TEST(TrackDetailRange, ShowsSleepersWhileOneIsAPixelWide) {
    const int height = 700;
    const TrackDetailRange detail(40, height);
    // A sleeper's width seen from the reach, in pixels of the picture.
    const double pixels = kSleeperWidth / (2 * detail.reach() * std::tan(degToRad(20))) * height;
    EXPECT_NEAR(pixels, 1.0, 1e-9);
    EXPECT_TRUE(detail.full(detail.reach() * 0.99));
    EXPECT_FALSE(detail.full(detail.reach() * 1.01));
    EXPECT_GT(TrackDetailRange(40, 2 * height).reach(), detail.reach()) << "a taller picture";
    // A pixel as wide as the far tolerance, where far meshes take over.
    EXPECT_NEAR(detail.farReach() / detail.reach(), kFarTolerance / kSleeperWidth, 1e-9);
    const struct {
        double distance, scale;
        TrackDetail level;
    } cases[] = {{detail.reach() * 0.99, 1, TrackDetail::Full},
                 {detail.reach() * 1.01, 1, TrackDetail::Plain},
                 {detail.farReach() * 0.99, 1, TrackDetail::Plain},
                 {detail.farReach() * 1.01, 1, TrackDetail::Far},
                 {detail.farReach() * 1.5, 2, TrackDetail::Plain}, // an item drawn twice its size
                 {detail.farReach() * 1.5, 0.5, TrackDetail::Far}};
    for (const auto& c : cases) {
        if (c.scale == 1) {
            EXPECT_EQ(detail.at(c.distance), c.level) << c.distance;
        }
        EXPECT_EQ(detail.isFar(c.distance, c.scale), c.level == TrackDetail::Far) << c.distance;
    }
}

TEST(Camera3D, TheEyeIsWhereTheModelViewPutsTheOrigin) {
    Camera3D camera;
    camera.pitch = 25;
    camera.yaw = 140;
    camera.panX = 30;
    camera.centreX = 500;
    camera.centreY = -200;
    const Vec3 eye = camera.toEye(camera.eye());
    EXPECT_NEAR(length(eye), 0, 1e-6);
}

TEST(PlainTrack, ABandOverTheBallastInTheColourOfTheTrackSeenFromAfar) {
    const struct {
        const char* part;
        TrackDetail detail;
        std::size_t triangles; // two per segment: one for a straight, one per 5 degrees of
                               // curve, from far as few as stray within the far tolerance
    } cases[] = {{"24188", TrackDetail::Plain, 2},         {"24130", TrackDetail::Plain, 2 * 6},
                 {"24611", TrackDetail::Plain, 2 + 2 * 5}, {"24188", TrackDetail::Far, 2},
                 {"24130", TrackDetail::Far, 2 * 2},       {"24611", TrackDetail::Far, 2 + 2}};
    for (const auto& c : cases) {
        const Mesh3D plain = buildPieceMesh(catalogDef(c.part), c.detail);
        const Mesh3D full = buildPieceMesh(catalogDef(c.part));
        EXPECT_EQ(plain.triangleCount(), c.triangles) << c.part;
        EXPECT_LT(plain.triangleCount() * 20, full.triangleCount()) << c.part;
        // The band covers the full track's ballast: no point of it lies outside the full
        // mesh's extent in the plan.
        Box3 fullBox, plainBox;
        for (std::size_t v = 0; v < full.vertexCount(); ++v)
            fullBox.add(vertex(full, v));
        for (std::size_t v = 0; v < plain.vertexCount(); ++v)
            plainBox.add(vertex(plain, v));
        EXPECT_GE(plainBox.lo.x, fullBox.lo.x - 1e-3) << c.part;
        EXPECT_LE(plainBox.hi.x, fullBox.hi.x + 1e-3) << c.part;
        EXPECT_GE(plainBox.lo.y, fullBox.lo.y - 1e-3) << c.part;
        EXPECT_LE(plainBox.hi.y, fullBox.hi.y + 1e-3) << c.part;
        EXPECT_NEAR(plainBox.hi.x - plainBox.lo.x, fullBox.hi.x - fullBox.lo.x, 1.0) << c.part;
    }
    // Mostly ballast, darkened by the sleepers.
    const Rgb band = plainTrackColor();
    EXPECT_GT(band.r, 0.6f);
    EXPECT_LT(band.r, 0.76f);
    EXPECT_GT(band.r, band.b);
}

TEST(SceneCells, EveryPieceIsInOneCellWhoseBoundsHoldAllItDraws) {
    const Layout layout = generateLayout(600, 1);
    Scene3D scene;
    buildScene(layout, RenderSettings::of(layout), scene, nullptr);
    ASSERT_GT(scene.pieces.size(), 500u);
    ASSERT_GT(scene.cells.size(), 1u);
    std::vector<int> seen(scene.pieces.size(), 0);
    std::size_t plainTriangles = 0, expectedPlain = 0, fixedTriangles = 0;
    for (SceneCell& cell : scene.cells) {
        ASSERT_EQ(cell.pieces.size(), cell.balls.size());
        ASSERT_TRUE(cell.plainTrack.empty() && cell.farTrack.empty()) << "made when first drawn";
        placeCellMeshes(scene, cell, TrackDetail::Plain);
        placeCellMeshes(scene, cell, TrackDetail::Far);
        plainTriangles += cell.plainTrack.triangleCount();
        fixedTriangles += cell.fixed.triangleCount();
        for (std::size_t k = 0; k < cell.pieces.size(); ++k) {
            const PieceInstance& p = scene.pieces[cell.pieces[k]];
            ++seen[cell.pieces[k]];
            expectedPlain += scene.plainPieceMeshes.at(p.part).triangleCount();
            const Mesh3D& mesh = scene.pieceMeshes.at(p.part);
            for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
                const Vec3 w = placedPoint(p, vertex(mesh, v));
                ASSERT_LE(length(w - cell.balls[k].centre), cell.balls[k].radius + 1e-3) << p.part;
                ASSERT_LE(distanceTo(cell.bounds, w), 1e-3) << p.part;
            }
        }
        for (std::size_t v = 0; v < cell.fixed.vertexCount(); ++v)
            ASSERT_LE(distanceTo(cell.bounds, vertex(cell.fixed, v)), 1e-3);
        // Far meshes stray from the bounds by no more than their tolerance.
        for (const Mesh3D* far : {&cell.farTrack, &cell.farFixed})
            for (std::size_t v = 0; v < far->vertexCount(); ++v)
                ASSERT_LE(distanceTo(cell.bounds, vertex(*far, v)), kFarTolerance + 1e-3);
        EXPECT_EQ(cell.farFixed.empty(), cell.fixed.empty());
    }
    for (std::size_t i = 0; i < seen.size(); ++i)
        ASSERT_EQ(seen[i], 1) << "piece " << i;
    EXPECT_EQ(plainTriangles, expectedPlain);
    std::size_t hillTriangles = 0;
    for (const PieceInstance& h : scene.hills)
        hillTriangles += scene.hillMeshes.at(h.part).triangleCount();
    EXPECT_EQ(fixedTriangles, scene.piers.size() * scene.pierMesh.triangleCount() + hillTriangles);
}

TEST(SceneCells, AnEmptySceneHasNoCells) {
    Scene3D scene;
    const Layout empty = emptyLayout();
    buildScene(empty, RenderSettings::of(empty), scene, nullptr);
    EXPECT_TRUE(scene.cells.empty());
}

// An edit rebuilds the scene: the cells it did not touch keep their meshes as they were, and
// the whole is what a fresh build of the edited layout makes.
TEST(SceneCells, ARebuildAfterAnEditKeepsTheUntouchedCellsAndMatchesAFreshBuild) {
    Layout layout = generateLayout(600, 1);
    Scene3D scene;
    buildScene(layout, RenderSettings::of(layout), scene, nullptr);
    const std::size_t kinds = scene.pieceMeshes.size();
    std::map<uint64_t, const float*> before; // each cell's plain track, by content
    for (SceneCell& cell : scene.cells) {
        placeCellMeshes(scene, cell, TrackDetail::Plain);
        before.emplace(cell.content, cell.plainTrack.positions.data());
    }

    layout.pieces[300].x += 40;
    layout.pieces[300].z += 30; // raised: piers under it too
    buildScene(layout, RenderSettings::of(layout), scene, nullptr);
    EXPECT_EQ(scene.meshesBuilt, 0) << "no part is new";
    EXPECT_EQ(scene.pieceMeshes.size(), kinds);
    Scene3D fresh;
    buildScene(layout, RenderSettings::of(layout), fresh, nullptr);
    ASSERT_EQ(scene.cells.size(), fresh.cells.size());
    int kept = 0, made = 0;
    for (std::size_t c = 0; c < scene.cells.size(); ++c) {
        SceneCell& cell = scene.cells[c];
        SceneCell& expected = fresh.cells[c];
        const bool taken = cell.nearPlaced; // over from the cell alike before the edit
        placeCellMeshes(scene, cell, TrackDetail::Plain);
        placeCellMeshes(fresh, expected, TrackDetail::Plain);
        EXPECT_EQ(cell.content, expected.content);
        EXPECT_EQ(cell.pieces, expected.pieces);
        EXPECT_EQ(cell.plainTrack.positions, expected.plainTrack.positions);
        EXPECT_EQ(cell.plainTrack.normals, expected.plainTrack.normals);
        EXPECT_EQ(cell.fixed.positions, expected.fixed.positions);
        EXPECT_EQ(cell.fixed.indices, expected.fixed.indices);
        auto old = before.find(cell.content);
        if (taken && old != before.end() && old->second == cell.plainTrack.positions.data())
            ++kept;
        else
            ++made;
    }
    EXPECT_GE(made, 1) << "the moved piece's cell is new";
    EXPECT_LE(made, 4) << "the cells it left and entered, and their piers'";
    EXPECT_GT(kept, 0);
    EXPECT_EQ(kept + made, static_cast<int>(scene.cells.size()));
}
