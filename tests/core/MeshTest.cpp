// Piece and scenery meshes: well-formed for every catalogue row, inside the extent the plan
// gives the piece or item, and the track, buffer, pier and structure rules where they bite.
#include "catalog/SceneryCatalog.h"
#include "catalog/TrackCatalog.h"
#include "render/PieceGeometry.h"
#include "render/PieceMesh.h"
#include "render/SceneryMesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

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

// Centres of the upward faces of the given colour (each quad adds four vertices).
std::vector<Vec3> topFaceCentres(const Mesh3D& mesh, Rgb color) {
    std::vector<Vec3> centres;
    for (std::size_t v = 0; v + 3 < mesh.vertexCount(); v += 4) {
        if (!hasColor(mesh, v, color) || mesh.normals[3 * v + 2] < 0.99f)
            continue;
        Vec3 c;
        for (std::size_t k = v; k < v + 4; ++k)
            c = c +
                Vec3{mesh.positions[3 * k], mesh.positions[3 * k + 1], mesh.positions[3 * k + 2]};
        centres.push_back(c * 0.25);
    }
    return centres;
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

TEST(PieceMesh, StraightOf188HasNineSegmentsAndFourteenSleepers) {
    const Mesh3D mesh = buildPieceMesh(part("24188"));
    EXPECT_EQ(topFaceCentres(mesh, {0.76f, 0.74f, 0.70f}).size(), 9u) << "ballast segments";
    const std::vector<Vec3> sleepers = topFaceCentres(mesh, {0.38f, 0.27f, 0.16f});
    ASSERT_EQ(sleepers.size(), 14u);
    for (std::size_t i = 0; i < sleepers.size(); ++i) {
        EXPECT_NEAR(sleepers[i].x, 6.5 + 13.0 * i, 1e-3);
        EXPECT_NEAR(sleepers[i].z, 4.2, 1e-4);
    }
    std::set<long> railCentres;
    for (const Vec3& c : topFaceCentres(mesh, {0.74f, 0.74f, 0.78f}))
        railCentres.insert(std::lround(c.y * 100));
    EXPECT_EQ(railCentres, (std::set<long>{-825, 825}));
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
        {"74620", BridgeStructure::Truss}, {"89759", BridgeStructure::Truss},
        {"74636", BridgeStructure::Arch},  {"8975", BridgeStructure::Arch},
        {"74623", BridgeStructure::Ramp},  {"74618", BridgeStructure::Ramp},
        {"8977", BridgeStructure::Ramp}, // a curved ramp missing from the list stays a ramp
        {"24188", BridgeStructure::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bridgeStructure(part(c.part)), c.expected) << c.part;
}

TEST(PieceMesh, BufferPartsTakeTheTrackSystemsHalfWidth) {
    struct Case {
        const char* part;
        double halfWidth;
    };
    const Case cases[] = {{"24977", 18.7}, {"7389", 18.7}, {"8991", 6.0}};
    const Rgb head{0.12f, 0.12f, 0.12f}, beam{0.82f, 0.08f, 0.08f};
    for (const Case& c : cases) {
        const PieceDef& def = part(c.part);
        const Mesh3D mesh = buildBufferStopMesh(def);
        const std::vector<Vec3> heads = topFaceCentres(mesh, head);
        ASSERT_EQ(heads.size(), 2u) << c.part;
        EXPECT_NEAR(heads[0].y, -0.44 * c.halfWidth, 1e-3) << c.part;
        EXPECT_NEAR(heads[1].y, 0.44 * c.halfWidth, 1e-3) << c.part;
        double beamHalf = 0, firstBufferX = def.length;
        for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
            if (hasColor(mesh, v, beam))
                beamHalf = std::max<double>(beamHalf, std::fabs(mesh.positions[3 * v + 1]));
            if (hasColor(mesh, v, head))
                firstBufferX = std::min<double>(firstBufferX, mesh.positions[3 * v]);
        }
        EXPECT_NEAR(beamHalf, 0.75 * c.halfWidth, 1e-3) << c.part;
        EXPECT_GE(firstBufferX, 0.75 * def.length - 1e-3) << c.part;
    }
}

TEST(PieceMesh, PiersAndHelixPostsNeedTwoMillimetres) {
    struct Case {
        const char* name;
        double bottom, top;
        bool built;
    };
    const Case cases[] = {
        {"1.5 mm", 30, 31.5, false},
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
