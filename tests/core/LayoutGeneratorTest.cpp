// The benchmark layouts must look like real ones, or the figures measured on them mean little.
#include "LayoutGenerator.h"
#include "LayoutFaults.h"

#include "core/catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace plandor;

namespace {

// Joined ends meet head-on (their heights are left to the layout check); loops are closed, so
// only the far end of a siding's last straight is open.
void expectEndsMeet(const Layout& layout) {
    for (const PlacedPiece& p : layout.pieces) {
        const PieceDef* def = TrackCatalog::instance().find(p.part);
        ASSERT_NE(def, nullptr) << p.part;
        ASSERT_EQ(p.joints.size(), def->connectors.size()) << p.part;
        for (int c = 0; c < static_cast<int>(p.joints.size()); ++c) {
            const Joint j = p.joints[c];
            if (j.isFree()) {
                EXPECT_TRUE(p.part == "24188" && c == 1 && !p.jointAt(0).isFree())
                    << "open end at " << p.id << ":" << c << " (" << p.part << ")";
                continue;
            }
            const PlacedPiece& q = *layout.findPiece(j.target);
            const PieceDef* qdef = TrackCatalog::instance().find(q.part);
            const Pose a = worldConnector({p.x, p.y, p.heading}, *def, c);
            const Pose b = worldConnector({q.x, q.y, q.heading}, *qdef, j.targetConn);
            EXPECT_NEAR(std::hypot(a.x - b.x, a.y - b.y), 0, 0.01) << p.id << ":" << c;
            EXPECT_NEAR(std::fmod(std::fabs(a.heading - b.heading), 360.0), 180, 0.01)
                << p.id << ":" << c;
        }
    }
}

} // namespace

TEST(LayoutGenerator, HoldsRealPartsAndJoinsHeadOn) {
    const Layout real = generateLayout(1000, 1);
    std::set<std::string> parts;
    for (const PlacedPiece& p : real.pieces)
        parts.insert(p.part);
    for (const char* part : {"24130", "24611", "24640", "24977"})
        EXPECT_TRUE(parts.count(part)) << part;
    EXPECT_FALSE(real.tunnels.empty() || real.scenery.empty() || real.gradeRuns.empty());
    EXPECT_EQ(real.levels.size(), 3u);

    for (const auto& [count, seed] : {std::pair{1000, 1u}, {10000, 3u}, {37, 1u}}) {
        SCOPED_TRACE(std::to_string(count) + " pieces, seed " + std::to_string(seed));
        const Layout layout = generateLayout(count, seed);
        EXPECT_EQ(layout.pieces.size(), static_cast<std::size_t>(count));
        ASSERT_EQ(layoutFaults(layout), "");
        expectEndsMeet(layout);
    }
}
