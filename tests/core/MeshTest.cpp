// Piece and scenery meshes, near and far: well-formed for every catalogue row, inside the
// extent the plan gives the piece or item, and the track, buffer and pier rules where they bite.
#include "LayoutBuilder.h"

#include "core/catalog/SceneryCatalog.h"
#include "core/render/PieceGeometry.h"
#include "core/render/PieceMesh.h"
#include "core/render/SceneryMesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

using namespace plandor;

namespace {

// Arrays in step, every index in range and every normal of unit length; the x/y extent.
Bounds checkWellFormed(const Mesh3D& mesh, const std::string& name) {
    EXPECT_FALSE(mesh.empty()) << name;
    EXPECT_EQ(mesh.positions.size() % 3, 0u) << name;
    EXPECT_EQ(mesh.normals.size(), mesh.positions.size()) << name;
    EXPECT_EQ(mesh.colors.size(), mesh.positions.size()) << name;
    EXPECT_EQ(mesh.indices.size() % 3, 0u) << name;
    for (uint32_t i : mesh.indices)
        if (i >= mesh.vertexCount()) {
            ADD_FAILURE() << name << ": index " << i << " out of range";
            break;
        }
    Bounds extent;
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        const float* n = &mesh.normals[3 * v];
        if (std::fabs(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) - 1) > 1e-4) {
            ADD_FAILURE() << name << ": normal of vertex " << v << " is not unit length";
            break;
        }
        extent.add(mesh.positions[3 * v], mesh.positions[3 * v + 1]);
    }
    return extent;
}

void expectWithin(const Bounds& extent, const Bounds& outer, const std::string& name) {
    EXPECT_TRUE(outer.contains(extent.minX, extent.minY) &&
                outer.contains(extent.maxX, extent.maxY))
        << name << " reaches beyond its plan extent";
}

} // namespace

TEST(PieceMesh, EveryCatalogueRowGivesAWellFormedMeshInsideThePlanExtent) {
    for (const PieceDef& def : TrackCatalog::instance().pieces()) {
        // The plan draws Z-Track narrower; the 3D track has one width for every system.
        Bounds plan = pieceLocalBounds(def);
        plan.expand(kTrackHalfWidth - trackHalfWidth(def) + 0.01);
        const Mesh3D full = buildPieceMesh(def);
        expectWithin(checkWellFormed(full, def.partNumber), plan, def.partNumber);
        // From far: simpler, and no farther out than the far tolerance.
        const Mesh3D far = buildPieceMesh(def, TrackDetail::Far);
        plan.expand(kFarTolerance);
        expectWithin(checkWellFormed(far, def.partNumber + " far"), plan, def.partNumber);
        EXPECT_LT(far.triangleCount(), full.triangleCount()) << def.partNumber;
    }
}

TEST(SceneryMesh, EveryTypeGivesAWellFormedMeshInsideItsFootprint) {
    std::vector<SceneryDef> defs = SceneryCatalog::instance().defs();
    SceneryDef unknown;
    unknown.id = "not_a_type";
    unknown.width = 30;
    unknown.depth = 20;
    defs.push_back(unknown);
    for (const SceneryDef& def : defs) {
        const Mesh3D mesh = buildSceneryMesh(def);
        Bounds footprint;
        footprint.add(-def.width / 2, -def.depth / 2);
        footprint.add(def.width / 2, def.depth / 2);
        footprint.expand(1e-3);
        expectWithin(checkWellFormed(mesh, def.id), footprint, def.id);
        for (std::size_t v = 0; v < mesh.vertexCount(); ++v)
            ASSERT_GE(mesh.positions[3 * v + 2], -1e-3) << def.id << " reaches below the ground";
        const Mesh3D far = simplified(mesh);
        footprint.expand(kFarTolerance);
        expectWithin(checkWellFormed(far, def.id + " far"), footprint, def.id);
        EXPECT_LE(far.triangleCount(), mesh.triangleCount()) << def.id;
    }
}

// Far meshes: what is larger than the tolerance stays, in its colours and facing as before;
// what is thinner goes.
TEST(SimplifiedMesh, KeepsWhatOutgrowsTheToleranceAndDropsWhatDoesNot) {
    const Rgb top{0.8f, 0.2f, 0.2f}, side{0.4f, 0.1f, 0.1f}, slate{0.4f, 0.4f, 0.5f};
    struct Case {
        const char* name;
        std::function<void(Mesh3D&)> build;
        std::size_t triangles;
        Rgb seenFromAbove; // the colour of the last face facing up
    };
    const Case cases[] = {
        {"a box",
         [&](Mesh3D& m) {
             addBlock(m, {0, 0, 0}, {100, 60, 40}, top, side);
         },
         12, top},
        // across, within one row of the grid
        {"a thin tube",
         [&](Mesh3D& m) {
             addTube(m, {0, 3.4, 3.4}, {100, 3.4, 3.4}, 1.8, side);
         },
         0,
         {}},
        {"a slab laid on a box",
         [&](Mesh3D& m) {
             addBlock(m, {0, 0, 0}, {100, 60, 40}, top, side);
             addBlock(m, {0, 0, 40}, {100, 60, 40.5}, slate, side);
         },
         12, slate},
    };
    for (const Case& c : cases) {
        Mesh3D mesh;
        c.build(mesh);
        const Mesh3D far = simplified(mesh);
        EXPECT_EQ(far.triangleCount(), c.triangles) << c.name;
        Rgb above{};
        for (std::size_t v = 0; v < far.vertexCount(); ++v) {
            const Vec3 p{far.positions[3 * v], far.positions[3 * v + 1], far.positions[3 * v + 2]};
            double nearest = 1e9;
            for (std::size_t w = 0; w < mesh.vertexCount(); ++w)
                nearest = std::min(nearest,
                                   length(p - Vec3{mesh.positions[3 * w], mesh.positions[3 * w + 1],
                                                   mesh.positions[3 * w + 2]}));
            ASSERT_LE(nearest, kFarTolerance) << c.name;
            if (far.normals[3 * v + 2] > 0.9f)
                above = {far.colors[3 * v], far.colors[3 * v + 1], far.colors[3 * v + 2]};
        }
        EXPECT_EQ(above.r, c.seenFromAbove.r) << c.name;
        EXPECT_EQ(above.b, c.seenFromAbove.b) << c.name;
    }
    // Arcs are cut into the fewest chords that stray no more than the tolerance.
    for (const auto& [radius, angle, tolerance] : {std::tuple{360.0, 30.0, 12.0},
                                                   {360.0, 90.0, 1.0},
                                                   {1114.6, 12.1, 12.0},
                                                   {5.0, 90.0, 12.0},
                                                   {437.5, -24.3, 12.0}}) {
        const int n = arcSegmentsWithin(radius, angle, tolerance);
        auto strays = [&](int segments) {
            return radius * (1 - std::cos(degToRad(std::fabs(angle)) / segments / 2));
        };
        EXPECT_LE(strays(n), tolerance) << radius << " " << angle;
        if (n > 1) {
            EXPECT_GT(strays(n - 1), tolerance) << radius << " " << angle;
        }
    }
}

TEST(PieceMesh, TrackFollowsTheSideItsRouteTurnsTo) {
    const struct {
        const char* part;
        bool reachesLeft, reachesRight; // beyond the straight's band
    } cases[] = {{"24130", false, true}, {"24611", true, false}, {"24188", false, false}};
    for (const auto& c : cases) {
        const Bounds e = checkWellFormed(buildPieceMesh(catalogDef(c.part)), c.part);
        EXPECT_EQ(e.minY < -19, c.reachesLeft) << c.part;
        EXPECT_EQ(e.maxY > 19, c.reachesRight) << c.part;
    }
    // Ballast of the curve lies within its band around the arc's centre at (0, radius).
    const PieceDef& curve = catalogDef("24130");
    const Mesh3D mesh = buildPieceMesh(curve);
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        const double r =
            std::hypot(mesh.positions[3 * v], mesh.positions[3 * v + 1] - curve.radius);
        ASSERT_NEAR(r, curve.radius, 18.7 + 1e-3);
    }
}

// A buffer's beam spans most of its own track's width: a Z-Track one is far narrower.
TEST(PieceMesh, BufferBeamsFitTheirTrackSystem) {
    for (const char* number : {"24977", "8991"}) {
        const PieceDef& def = catalogDef(number);
        const Mesh3D mesh = buildBufferStopMesh(def);
        double half = 0;
        for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
            const float* k = &mesh.colors[3 * v];
            if (std::fabs(k[0] - 0.82f) < 1e-4 && std::fabs(k[1] - 0.08f) < 1e-4) // the red beam
                half = std::max<double>(half, std::fabs(mesh.positions[3 * v + 1]));
        }
        EXPECT_GT(half, trackHalfWidth(def) / 2) << number;
        EXPECT_LT(half, trackHalfWidth(def)) << number;
    }
}

TEST(PieceMesh, PiersAndHelixPostsNeedTwoMillimetres) {
    const struct {
        double bottom, top;
        bool built;
    } cases[] = {{30, 31.99, false}, {30, 32, true}, {50, 10, false}};
    for (const auto& c : cases) {
        Mesh3D pier, post;
        addPier(pier, 0, 0, c.bottom, c.top, 30);
        addHelixPost(post, 0, 0, c.bottom, c.top, 30);
        EXPECT_EQ(!pier.empty(), c.built) << c.bottom << " to " << c.top;
        EXPECT_EQ(!post.empty(), c.built) << c.bottom << " to " << c.top;
    }
}
