// Piece and scenery meshes: well-formed for every catalogue row, inside the extent the plan
// gives the piece or item, and the track, buffer, pier and structure rules where they bite.
#include "catalog/SceneryCatalog.h"
#include "catalog/TrackCatalog.h"
#include "render/PieceGeometry.h"
#include "render/PieceMesh.h"
#include "render/SceneryMesh.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

namespace {

struct Extent {
    double minX, minY, maxX, maxY;
};

// Arrays in step, every index in range and every normal of unit length; the x/y extent.
Extent checkWellFormed(const Mesh3D& mesh, const std::string& name) {
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
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        const float* n = &mesh.normals[3 * v];
        if (std::fabs(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) - 1) > 1e-4) {
            ADD_FAILURE() << name << ": normal of vertex " << v << " is not unit length";
            break;
        }
    }
    Extent e{1e300, 1e300, -1e300, -1e300};
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        e.minX = std::min<double>(e.minX, mesh.positions[3 * v]);
        e.minY = std::min<double>(e.minY, mesh.positions[3 * v + 1]);
        e.maxX = std::max<double>(e.maxX, mesh.positions[3 * v]);
        e.maxY = std::max<double>(e.maxY, mesh.positions[3 * v + 1]);
    }
    return e;
}

bool hasColor(const Mesh3D& mesh, std::size_t v, Rgb c) {
    const float* k = &mesh.colors[3 * v];
    return std::fabs(k[0] - c.r) < 1e-4 && std::fabs(k[1] - c.g) < 1e-4 &&
           std::fabs(k[2] - c.b) < 1e-4;
}

const PieceDef& part(const char* number) {
    const PieceDef* def = TrackCatalog::instance().find(number);
    EXPECT_NE(def, nullptr) << number;
    return *def;
}

} // namespace

TEST(PieceMesh, EveryCatalogueRowGivesAWellFormedMeshInsideThePlanExtent) {
    for (const PieceDef& def : TrackCatalog::instance().pieces()) {
        const Mesh3D mesh = buildPieceMesh(def);
        const Extent e = checkWellFormed(mesh, def.partNumber);
        // The plan draws Z-Track narrower; the 3D track has one width for every system.
        Bounds plan = pieceLocalBounds(def);
        plan.expand(kTrackHalfWidth - trackHalfWidth(def) + 0.01);
        EXPECT_GE(e.minX, plan.minX) << def.partNumber;
        EXPECT_GE(e.minY, plan.minY) << def.partNumber;
        EXPECT_LE(e.maxX, plan.maxX) << def.partNumber;
        EXPECT_LE(e.maxY, plan.maxY) << def.partNumber;
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
        const Extent e = checkWellFormed(mesh, def.id);
        EXPECT_GE(e.minX, -def.width / 2 - 1e-3) << def.id;
        EXPECT_LE(e.maxX, def.width / 2 + 1e-3) << def.id;
        EXPECT_GE(e.minY, -def.depth / 2 - 1e-3) << def.id;
        EXPECT_LE(e.maxY, def.depth / 2 + 1e-3) << def.id;
        for (std::size_t v = 0; v < mesh.vertexCount(); ++v)
            ASSERT_GE(mesh.positions[3 * v + 2], -1e-3) << def.id << " reaches below the ground";
    }
}

TEST(PieceMesh, TrackFollowsTheSideItsRouteTurnsTo) {
    struct Case {
        const char* name;
        const char* part;
        bool reachesLeft, reachesRight; // beyond the straight's band
    };
    const Case cases[] = {
        {"curve turns right", "24130", false, true},
        {"left turnout", "24611", true, false},
        {"right turnout", "24612", false, true},
        {"plain straight", "24188", false, false},
    };
    for (const Case& c : cases) {
        const Extent e = checkWellFormed(buildPieceMesh(part(c.part)), c.part);
        EXPECT_EQ(e.minY < -19, c.reachesLeft) << c.name;
        EXPECT_EQ(e.maxY > 19, c.reachesRight) << c.name;
    }
    // Ballast of the curve lies within its band around the arc's centre at (0, radius).
    const PieceDef& curve = part("24130");
    const Mesh3D mesh = buildPieceMesh(curve);
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        const double r =
            std::hypot(mesh.positions[3 * v], mesh.positions[3 * v + 1] - curve.radius);
        ASSERT_NEAR(r, curve.radius, 18.7 + 1e-3);
    }
}

TEST(PieceMesh, BridgeStructureIsChosenByPartNumber) {
    struct Case {
        const char* part;
        BridgeStructure expected;
    };
    const Case cases[] = {
        {"74620", BridgeStructure::Truss},
        {"74636", BridgeStructure::Arch},
        {"8977", BridgeStructure::Ramp}, // a curved ramp missing from the list stays a ramp
        {"24188", BridgeStructure::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bridgeStructure(part(c.part)), c.expected) << c.part;
}

// A buffer's beam spans most of its own track's width: a Z-Track one is far narrower.
TEST(PieceMesh, BufferBeamsFitTheirTrackSystem) {
    const Rgb beam{0.82f, 0.08f, 0.08f};
    for (const char* number : {"24977", "8991"}) {
        const PieceDef& def = part(number);
        const Mesh3D mesh = buildBufferStopMesh(def);
        double half = 0;
        for (std::size_t v = 0; v < mesh.vertexCount(); ++v)
            if (hasColor(mesh, v, beam))
                half = std::max<double>(half, std::fabs(mesh.positions[3 * v + 1]));
        EXPECT_GT(half, trackHalfWidth(def) / 2) << number;
        EXPECT_LT(half, trackHalfWidth(def)) << number;
    }
}

TEST(PieceMesh, PiersAndHelixPostsNeedTwoMillimetres) {
    struct Case {
        const char* name;
        double bottom, top;
        bool built;
    };
    const Case cases[] = {
        {"just under 2 mm", 30, 31.99, false},
        {"2 mm", 30, 32, true},
        {"upside down", 50, 10, false},
    };
    for (const Case& c : cases) {
        Mesh3D pier, post;
        addPier(pier, 0, 0, c.bottom, c.top, 30);
        addHelixPost(post, 0, 0, c.bottom, c.top, 30);
        EXPECT_EQ(!pier.empty(), c.built) << c.name;
        EXPECT_EQ(!post.empty(), c.built) << c.name;
    }
}
