#include "EditingTestSupport.h"

#include "core/elevation/GradeRuns.h"
#include "core/elevation/Grades.h"

#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

using namespace plandor;
using namespace plandor::testing;

namespace {

const double kRise3 = 180 * std::sin(degToRad(3.0)); // 9.42 mm

const PieceDef* def(const char* part) {
    return TrackCatalog::instance().find(part);
}
PlacedPiece& piece(Layout& layout, int32_t id) {
    return *layout.findPiece(id);
}

// A 3-degree run started on the 180 mm straight `s`.
struct StartedRun {
    Layout layout = emptyLayout();
    int32_t s;
    StartedRun() {
        s = addPiece(layout, "2200", 0, 0).id;
        startGrade(layout, s, 3, false);
    }
    // A new piece laid by its connector `newConn` onto connector `ontoConn` of `onto`,
    // the way the canvas does.
    int32_t add(int32_t onto, int ontoConn, int newConn, const char* part = "2200") {
        const int32_t id = addPiece(layout, part, 0, 0).id;
        layout.join(onto, ontoConn, id, newConn);
        continueElevation(layout, onto, ontoConn, id, newConn);
        return id;
    }
};

// P (flat, 20 mm up) -> S -> A -> B, joined connector 1 to connector 0.
struct FlatChain {
    Document doc;
    Layout& layout = (doc.layout = emptyLayout());
    int32_t p = 1, s = 2, a = 3, b = 4;
    FlatChain() {
        for (int32_t id = p; id <= b; ++id) {
            addPiece(layout, "2200").z = id == p ? 20 : id == s ? 0 : 7;
            if (id > p)
                layout.join(id - 1, 1, id, 0);
        }
    }
};

TEST(StartGrade, AngleDirectionAndLimit) {
    const struct {
        double spin;
        bool down;
        double deg;
        const char* status;
    } cases[] = {
        {3.0, false, 3.0, "Elevation: UP 3.0 deg"},
        {6.01, true, -6.0, "Elevation: DOWN 6.0 deg"},
        {-1.0, false, 0.0, "Elevation: UP 0.0 deg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spin);
        Layout layout = emptyLayout();
        const int32_t s = addPiece(layout, "2200", 0, 0).id;
        const GradeOutcome out = startGrade(layout, s, c.spin, c.down);
        EXPECT_EQ(out.status, c.status);
        EXPECT_TRUE(out.changed);
        EXPECT_DOUBLE_EQ(piece(layout, s).grade, c.deg);
        ASSERT_EQ(layout.gradeRuns.size(), 1u);
        EXPECT_EQ(layout.gradeRuns[0].anchor, s);
    }
}

TEST(Grades, RefusalsPushNoSnapshot) {
    Layout layout = emptyLayout();
    const int32_t s = addPiece(layout, "2200", 0, 0).id;
    EXPECT_EQ(startGrade(layout, 999, 3, false).status, "");
    EXPECT_FALSE(startGrade(layout, s, std::nan(""), false).changed);
    EXPECT_EQ(endGrade(layout, -1).status, "");
    EXPECT_FALSE(endGrade(layout, s).changed); // nothing to end
    EXPECT_FALSE(recalculateElevation(layout, 999).changed);
    EXPECT_TRUE(layout.gradeRuns.empty());
    ASSERT_TRUE(startGrade(layout, s, 3, false).changed);
    EXPECT_FALSE(startGrade(layout, s, 3, false).changed); // the same grade again
}

TEST(ContinueElevation, JoinedByEitherConnector) {
    EXPECT_NEAR(kRise3, 9.42, 0.005);
    for (int conn : {0, 1}) {
        SCOPED_TRACE(conn);
        StartedRun r;
        const int32_t next = r.add(r.s, 1, conn);
        const PlacedPiece& p = piece(r.layout, next);
        // Its joined end meets the tip 9.42 mm up; attached by connector 1 it runs reversed.
        EXPECT_EQ(p.reversed, conn == 1);
        EXPECT_NEAR(p.z, conn == 0 ? kRise3 : 2 * kRise3, 1e-9);
        EXPECT_NEAR(heightAtConnector(p, def("2200"), conn), kRise3, 1e-9);
        EXPECT_DOUBLE_EQ(p.grade, 3);
        EXPECT_EQ(r.layout.gradeRuns[0].anchor, next);
        EXPECT_EQ(r.layout.gradeRuns[0].conn, 1 - conn);
    }
}

TEST(ContinueElevation, ARampCarriesTheRun) {
    StartedRun r;
    const int32_t ramp = r.add(r.s, 1, 0, "7267");
    EXPECT_DOUBLE_EQ(piece(r.layout, ramp).grade, 3);
    EXPECT_TRUE(r.layout.gradeActive);
    const int32_t n = r.add(ramp, 1, 0);
    EXPECT_DOUBLE_EQ(piece(r.layout, n).grade, 3);
    EXPECT_NEAR(piece(r.layout, n).z, heightAtConnector(piece(r.layout, ramp), def("7267"), 1),
                1e-9);
}

TEST(EndGrade, OnTheFirstPieceFlattensItAndTheUngradedPiecesAhead) {
    FlatChain f;
    startGrade(f.layout, f.s, 3, false);
    const double aBefore = piece(f.layout, f.a).z;
    GradeOutcome out;
    editStep(f.doc, [&] {
        out = endGrade(f.layout, f.s);
        return out.changed;
    });
    EXPECT_EQ(out.status, "Grade ended - subsequent pieces will be flat");
    EXPECT_DOUBLE_EQ(piece(f.layout, f.s).grade, 0);
    for (int32_t id : {f.s, f.a, f.b})
        EXPECT_DOUBLE_EQ(piece(f.layout, id).z, 20);
    EXPECT_TRUE(f.layout.gradeRuns.empty());

    f.doc.undo();
    EXPECT_DOUBLE_EQ(piece(f.layout, f.s).grade, 3);
    EXPECT_DOUBLE_EQ(piece(f.layout, f.a).z, aBefore);
    EXPECT_EQ(f.layout.gradeRuns.size(), 1u);
}

TEST(Recalc, StopsAtTheNextGradedPiece) {
    const struct {
        const char* name;
        double nextGrade; // grade of the piece after two ungraded ones
        bool walkedOver;
    } cases[] = {
        {"at the flat tolerance", 0.001, true},
        {"just past it", 0.0011, false},
        {"falling", -2.0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FlatChain f;
        const int32_t g = addPiece(f.layout, "2200", 0, 0).id;
        const int32_t after = addPiece(f.layout, "2200", 0, 0).id;
        f.layout.join(f.b, 1, g, 0);
        f.layout.join(g, 1, after, 0);
        piece(f.layout, f.s).grade = 3;
        piece(f.layout, g).grade = c.nextGrade;
        piece(f.layout, g).z = 100;
        piece(f.layout, after).z = 55;

        EXPECT_TRUE(recalculateElevation(f.layout, f.s).changed);
        const double top = 20 + kRise3;
        EXPECT_NEAR(piece(f.layout, f.a).z, top, 1e-9);
        EXPECT_NEAR(piece(f.layout, f.b).z, top, 1e-9);
        EXPECT_NEAR(piece(f.layout, g).z, c.walkedOver ? top : 100, 1e-9);
        EXPECT_NEAR(piece(f.layout, after).z,
                    c.walkedOver ? heightAtConnector(piece(f.layout, g), def("2200"), 1) : 55,
                    1e-9);
    }
}

TEST(ChainWalk, ALoopEndsAfterVisitingEachPieceOnce) {
    // Twelve 30-degree curves closed into a circle.
    Layout circle = emptyLayout();
    std::vector<int32_t> ring;
    for (int i = 0; i < 12; ++i)
        ring.push_back(addPiece(circle, "24130", 0, 0).id);
    for (int i = 0; i < 12; ++i)
        circle.join(ring[i], 1, ring[(i + 1) % 12], 0);
    EXPECT_EQ(chainAhead(circle, ring[0]).size(), 11u);
    piece(circle, ring[0]).grade = 3;
    ASSERT_TRUE(recalculateElevation(circle, ring[0]).changed);
    for (int i = 1; i < 12; ++i)
        EXPECT_NEAR(piece(circle, ring[i]).z, kRise3, 1e-9);
    startGrade(circle, ring[0], 3, false);
    endGrade(circle, ring[5]);
    EXPECT_TRUE(circle.gradeRuns.empty()); // the walk comes round to the tip
}

} // namespace
