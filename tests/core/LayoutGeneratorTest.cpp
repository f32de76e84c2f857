// The benchmark layouts must look like real ones, or the figures measured on them mean little.
#include "LayoutGenerator.h"

#include "catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <unordered_map>

using namespace plandor;

namespace {

constexpr double kPi = 3.141592653589793;

double headingGap(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180 ? 360 - d : d;
}

// Height of a connector end: z at connector 0, raised by the grade along the piece.
double endHeight(const PlacedPiece& p, const PieceDef& def, int c) {
    if (c == 0 || p.grade == 0)
        return p.z;
    return p.z + def.length * std::sin(p.grade * kPi / 180.0);
}

void expectConsistent(const Layout& layout) {
    std::unordered_map<int32_t, const PlacedPiece*> byId;
    for (const PlacedPiece& p : layout.pieces)
        ASSERT_TRUE(byId.emplace(p.id, &p).second) << "duplicate piece id " << p.id;

    std::size_t freeEnds = 0;
    for (const PlacedPiece& p : layout.pieces) {
        const PieceDef* def = TrackCatalog::instance().find(p.part);
        ASSERT_NE(def, nullptr) << p.part;
        ASSERT_EQ(p.joints.size(), def->connectors.size()) << p.part;
        for (int c = 0; c < static_cast<int>(p.joints.size()); ++c) {
            const Joint j = p.joints[c];
            if (j.isFree()) {
                // Loops are closed: an open end is only ever the far end of a straight that
                // ends a siding or spur.
                EXPECT_TRUE(p.part == "24188" && c == 1 && !p.jointAt(0).isFree())
                    << "open end at piece " << p.id << ":" << c << " (" << p.part << ")";
                ++freeEnds;
                continue;
            }
            const auto other = byId.find(j.target);
            ASSERT_NE(other, byId.end()) << "piece " << p.id << " joined to missing " << j.target;
            const PlacedPiece& q = *other->second;
            const Joint back = q.jointAt(j.targetConn);
            ASSERT_TRUE(back.target == p.id && back.targetConn == c)
                << "joint " << p.id << ":" << c << " is not mirrored on " << q.id;

            const PieceDef* qdef = TrackCatalog::instance().find(q.part);
            const Pose a = worldConnector({p.x, p.y, p.heading}, *def, c);
            const Pose b = worldConnector({q.x, q.y, q.heading}, *qdef, j.targetConn);
            EXPECT_NEAR(std::hypot(a.x - b.x, a.y - b.y), 0, 0.01) << p.id << ":" << c;
            EXPECT_NEAR(headingGap(a.heading, b.heading), 180, 0.01) << p.id << ":" << c;
            EXPECT_NEAR(endHeight(p, *def, c), endHeight(q, *qdef, j.targetConn), 0.01)
                << p.id << ":" << c;
        }
    }
    EXPECT_LE(freeEnds, layout.pieces.size() / 20 + 2);
}

std::set<int32_t> allIds(const Layout& l) {
    std::set<int32_t> ids;
    std::size_t total = 0;
    auto add = [&](const auto& list) {
        for (const auto& r : list)
            ids.insert(r.id);
        total += list.size();
    };
    add(l.pieces);
    add(l.scenery);
    add(l.labels);
    add(l.shapes);
    add(l.tunnels);
    EXPECT_EQ(ids.size(), total) << "ids come from one counter and never repeat";
    return ids;
}

} // namespace

TEST(LayoutGenerator, JointsAreMirroredAndConnectorsMeetHeadOn) {
    for (const auto& [count, seed] : {std::pair{1000, 1u}, {1000, 7u}, {10000, 3u}, {37, 1u}}) {
        SCOPED_TRACE(std::to_string(count) + " pieces, seed " + std::to_string(seed));
        const Layout layout = generateLayout(count, seed);
        EXPECT_EQ(layout.pieces.size(), static_cast<std::size_t>(count));
        expectConsistent(layout);
        const std::set<int32_t> ids = allIds(layout);
        EXPECT_LT(*ids.rbegin(), static_cast<int32_t>(layout.nextId));
    }
}

TEST(LayoutGenerator, HoldsWhatRealLayoutsHold) {
    const Layout layout = generateLayout(1000, 1);
    auto countParts = [&](std::initializer_list<const char*> parts) {
        int n = 0;
        for (const PlacedPiece& p : layout.pieces)
            for (const char* part : parts)
                n += p.part == part;
        return n;
    };
    EXPECT_GT(countParts({"24130", "24230"}), 100) << "curves of closed ovals";
    EXPECT_GT(countParts({"24611", "24612"}), 5) << "turnouts";
    EXPECT_GT(countParts({"24640"}), 0) << "crossings";
    EXPECT_GT(countParts({"24977", "24978"}), 5) << "bumpers";

    std::set<int32_t> levels;
    int graded = 0;
    double highest = 0;
    for (const PlacedPiece& p : layout.pieces) {
        levels.insert(p.level);
        graded += p.grade != 0;
        highest = std::max(highest, p.z);
    }
    EXPECT_GE(levels.size(), 2u);
    EXPECT_GT(graded, 0);
    EXPECT_GE(highest, 100) << "track on the upper decks";
    EXPECT_FALSE(layout.gradeRuns.empty());
    EXPECT_TRUE(layout.gradeActive);
    EXPECT_EQ(layout.levels.size(), 3u);
    EXPECT_GE(layout.scenery.size(), 1000u / 20);
    EXPECT_FALSE(layout.labels.empty());
    EXPECT_FALSE(layout.shapes.empty());
    EXPECT_EQ(layout.baseboard.size(), 4u);
    EXPECT_FALSE(layout.tunnels.empty());
    for (const Tunnel& t : layout.tunnels) {
        EXPECT_NE(layout.findScenery(t.portalA), nullptr);
        EXPECT_NE(layout.findPiece(t.anchorA), nullptr);
        EXPECT_EQ(t.covers.size(), 6u);
    }
}

TEST(LayoutGenerator, SameSeedSameLayout) {
    const Layout a = generateLayout(2000, 5);
    const Layout b = generateLayout(2000, 5);
    const Layout c = generateLayout(2000, 6);
    ASSERT_EQ(a.pieces.size(), b.pieces.size());
    bool differsFromOtherSeed = false;
    for (std::size_t i = 0; i < a.pieces.size(); ++i) {
        const PlacedPiece &p = a.pieces[i], &q = b.pieces[i];
        ASSERT_TRUE(p.id == q.id && p.part == q.part && p.x == q.x && p.y == q.y &&
                    p.heading == q.heading && p.z == q.z)
            << i;
        differsFromOtherSeed |= p.part != c.pieces[i].part || p.x != c.pieces[i].x;
    }
    EXPECT_TRUE(differsFromOtherSeed);
    EXPECT_EQ(a.scenery.size(), b.scenery.size());
}
