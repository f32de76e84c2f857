// The benchmark layouts must look like real ones, or the figures measured on them mean little.
#include "LayoutGenerator.h"

#include "catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <unordered_map>

using namespace plandor;

namespace {

// Height of a connector end: z at connector 0, raised by the grade along the piece.
double endHeight(const PlacedPiece& p, const PieceDef& def, int c) {
    return c == 0 ? p.z : p.z + def.length * std::sin(p.grade * 3.141592653589793 / 180.0);
}

void expectConsistent(const Layout& layout) {
    std::unordered_map<int32_t, const PlacedPiece*> byId;
    std::set<int32_t> ids;
    for (const PlacedPiece& p : layout.pieces)
        byId[p.id] = &p;
    for (const PlacedPiece& p : layout.pieces) {
        EXPECT_TRUE(ids.insert(p.id).second) << "duplicate id " << p.id;
        EXPECT_LT(p.id, static_cast<int32_t>(layout.nextId));
        const PieceDef* def = TrackCatalog::instance().find(p.part);
        ASSERT_NE(def, nullptr) << p.part;
        ASSERT_EQ(p.joints.size(), def->connectors.size()) << p.part;
        for (int c = 0; c < static_cast<int>(p.joints.size()); ++c) {
            const Joint j = p.joints[c];
            if (j.isFree()) {
                // Loops are closed: only the far end of a siding's last straight is open.
                EXPECT_TRUE(p.part == "24188" && c == 1 && !p.jointAt(0).isFree())
                    << "open end at " << p.id << ":" << c << " (" << p.part << ")";
                continue;
            }
            ASSERT_TRUE(byId.count(j.target)) << p.id << " joined to missing " << j.target;
            const PlacedPiece& q = *byId[j.target];
            const Joint back = q.jointAt(j.targetConn);
            ASSERT_TRUE(back.target == p.id && back.targetConn == c)
                << "joint " << p.id << ":" << c << " is not mirrored on " << q.id;
            const PieceDef* qdef = TrackCatalog::instance().find(q.part);
            const Pose a = worldConnector({p.x, p.y, p.heading}, *def, c);
            const Pose b = worldConnector({q.x, q.y, q.heading}, *qdef, j.targetConn);
            const double turn = std::fmod(std::fabs(a.heading - b.heading), 360.0);
            EXPECT_NEAR(std::hypot(a.x - b.x, a.y - b.y), 0, 0.01) << p.id << ":" << c;
            EXPECT_NEAR(turn, 180, 0.01) << p.id << ":" << c;
            EXPECT_NEAR(endHeight(p, *def, c), endHeight(q, *qdef, j.targetConn), 0.01)
                << p.id << ":" << c;
        }
    }
}

} // namespace

TEST(LayoutGenerator, JointsAreMirroredAndConnectorsCoincideHeadOn) {
    for (const auto& [count, seed] : {std::pair{1000, 1u}, {10000, 3u}, {37, 1u}}) {
        SCOPED_TRACE(std::to_string(count) + " pieces, seed " + std::to_string(seed));
        const Layout layout = generateLayout(count, seed);
        EXPECT_EQ(layout.pieces.size(), static_cast<std::size_t>(count));
        expectConsistent(layout);
    }
}

TEST(LayoutGenerator, HoldsWhatRealLayoutsHold) {
    const Layout layout = generateLayout(1000, 1);
    std::set<std::string> parts;
    for (const PlacedPiece& p : layout.pieces)
        parts.insert(p.part);
    for (const char* part : {"24130", "24611", "24640", "24977"})
        EXPECT_TRUE(parts.count(part)) << part;
    EXPECT_FALSE(layout.tunnels.empty() || layout.scenery.empty() || layout.gradeRuns.empty());
    EXPECT_EQ(layout.levels.size(), 3u);
}
