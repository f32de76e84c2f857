#include "EditingTestSupport.h"

#include "elevation/GradeRuns.h"
#include "elevation/Grades.h"

#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

using namespace plandor;
using namespace plandor::testing;

namespace {

const double kPi = 3.141592653589793;
double sinDeg(double deg) {
    return std::sin(deg * kPi / 180.0);
}
const PieceDef* def(const char* part) {
    return TrackCatalog::instance().find(part);
}
PlacedPiece& piece(Layout& layout, int32_t id) {
    return *layout.findPiece(id);
}

// Lays `newId` onto connector `existingConn` of `existingId` the way the canvas does.
void attach(Layout& layout, int32_t existingId, int existingConn, int32_t newId, int newConn) {
    layout.join(existingId, existingConn, newId, newConn);
    continueElevation(layout, existingId, existingConn, newId, newConn);
}

// A 3-degree run started on the 180 mm straight `s`.
struct StartedRun {
    Layout layout = emptyLayout();
    int32_t s;
    StartedRun() {
        s = put(layout, "2200", 0, 0);
        startGrade(layout, s, 3, false);
    }
    // A new piece laid by its connector `newConn` onto connector `ontoConn` of `onto`.
    int32_t add(int32_t onto, int ontoConn, int newConn, const char* part = "2200") {
        const int32_t id = put(layout, part, 0, 0);
        attach(layout, onto, ontoConn, id, newConn);
        return id;
    }
};

// What undo must bring back: every piece's height, grade and direction, and the runs.
using PieceHeights = std::vector<std::tuple<int32_t, double, double, bool>>;
PieceHeights heightsOf(const Layout& layout) {
    PieceHeights out;
    for (const PlacedPiece& p : layout.pieces)
        out.emplace_back(p.id, p.z, p.grade, p.reversed);
    return out;
}
bool sameRuns(const std::vector<GradeRun>& a, const std::vector<GradeRun>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].deg != b[i].deg || a[i].anchor != b[i].anchor || a[i].conn != b[i].conn)
            return false;
    return true;
}

// ---- Start grade ------------------------------------------------------------------------

struct StartCase {
    const char* name;
    double spin;
    bool down;
    double deg;
    const char* status;
};

TEST(StartGrade, AngleDirectionAndLimit) {
    const StartCase cases[] = {
        {"up 3", 3.0, false, 3.0, "Elevation: UP 3.0 deg"},
        {"down 2.5", 2.5, true, -2.5, "Elevation: DOWN 2.5 deg"},
        {"at the 6 degree limit", 6.0, false, 6.0, "Elevation: UP 6.0 deg"},
        {"just past the limit", 6.01, true, -6.0, "Elevation: DOWN 6.0 deg"},
        {"below zero", -1.0, false, 0.0, "Elevation: UP 0.0 deg"},
        {"down at zero stays unsigned", 0.0, true, 0.0, "Elevation: DOWN 0.0 deg"},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = emptyLayout();
        const int32_t s = put(layout, "2200", 0, 0);
        const GradeOutcome out = startGrade(layout, s, c.spin, c.down);
        EXPECT_TRUE(out.changed);
        EXPECT_EQ(out.status, c.status);
        EXPECT_EQ(layout.undoDepth(), 1u);
        EXPECT_DOUBLE_EQ(piece(layout, s).grade, c.deg);
        EXPECT_FALSE(std::signbit(piece(layout, s).grade) && c.deg == 0);
        ASSERT_EQ(layout.gradeRuns.size(), 1u);
        EXPECT_DOUBLE_EQ(layout.gradeRuns[0].deg, c.deg);
        EXPECT_EQ(layout.gradeRuns[0].anchor, s);
        EXPECT_EQ(layout.gradeRuns[0].conn, 0);
        EXPECT_TRUE(layout.gradeActive);
        EXPECT_EQ(layout.gradeAnchor, s);
        EXPECT_EQ(layout.gradeConn, 0);
    }
}

TEST(StartGrade, OnARunsTipChangesThatRun) {
    Layout layout = emptyLayout();
    const int32_t s = put(layout, "2200", 0, 0);
    const int32_t other = put(layout, "2200", 500, 0);
    layout.gradeRuns = {GradeRun{2, s, 1}, GradeRun{1, other, 0}};
    layout.restoreGradeState();
    ASSERT_TRUE(startGrade(layout, s, 4, false).changed);
    ASSERT_EQ(layout.gradeRuns.size(), 2u);
    EXPECT_DOUBLE_EQ(layout.gradeRuns[0].deg, 4);
    EXPECT_EQ(layout.gradeRuns[0].conn, 0);
    EXPECT_EQ(layout.gradeAnchor, other); // the state follows the most recent run
}

TEST(StartGrade, RefusalsAndRepeatsTakeNoUndoStep) {
    Layout layout = emptyLayout();
    const int32_t s = put(layout, "2200", 0, 0);
    EXPECT_EQ(startGrade(layout, -1, 3, false).status, "");
    EXPECT_EQ(startGrade(layout, 999, 3, false).status, "");
    EXPECT_FALSE(startGrade(layout, s, std::nan(""), false).changed);
    EXPECT_EQ(layout.undoDepth(), 0u);
    EXPECT_TRUE(layout.gradeRuns.empty());

    ASSERT_TRUE(startGrade(layout, s, 3, false).changed);
    const GradeOutcome again = startGrade(layout, s, 3, false);
    EXPECT_FALSE(again.changed);
    EXPECT_EQ(again.status, "Elevation: UP 3.0 deg");
    EXPECT_EQ(layout.undoDepth(), 1u);
}

// ---- Laying a run -----------------------------------------------------------------------

struct LengthCase {
    const char* name;
    double length;
    double radius;
    double x1; // connector 1's x; no connector 1 when negative
    double expected;
};

TEST(RunLength, CurvesUseConnectorOnesXBeyondOneMillimetre) {
    const LengthCase cases[] = {
        {"straight", 180, 0, 180, 180},
        {"curve", 188.5, 360, 180, 180},
        {"curve with x at 1 mm", 188.5, 360, 1.0, 188.5},
        {"curve with x just past 1 mm", 188.5, 360, 1.0001, 1.0001},
        {"curve with one connector", 50, 360, -1, 50},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        PieceDef d;
        d.length = c.length;
        d.radius = c.radius;
        d.connectors.push_back(ConnectorDef{});
        if (c.x1 >= 0)
            d.connectors.push_back(ConnectorDef{c.x1, 0, 0, true});
        EXPECT_DOUBLE_EQ(runLength(&d), c.expected);
    }
}

struct BridgeCase {
    const char* name;
    const char* part;
    bool runGoesOn;
};

TEST(GradeRun, ArchBridgeEndsTheRunAndARampCarriesIt) {
    const BridgeCase cases[] = {
        {"arch bridge", "7263", false},
        {"curved bridge ramp", "7267", true},
    };
    for (const BridgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        StartedRun r;
        const int32_t b = r.add(r.s, 1, 0, c.part);
        EXPECT_NEAR(piece(r.layout, b).z, 180 * sinDeg(3), 1e-9);
        EXPECT_DOUBLE_EQ(piece(r.layout, b).grade, c.runGoesOn ? 3 : 0);
        EXPECT_EQ(r.layout.gradeActive, c.runGoesOn);
        // What comes after the bridge lies flat at its far end; after the ramp it climbs on.
        const int32_t n = r.add(b, 1, 0);
        EXPECT_DOUBLE_EQ(piece(r.layout, n).grade, c.runGoesOn ? 3 : 0);
        EXPECT_NEAR(piece(r.layout, n).z, heightAtConnector(piece(r.layout, b), def(c.part), 1),
                    1e-9);
    }
}

// ---- End grade --------------------------------------------------------------------------

// P (flat, 20 mm up) -> S -> A -> B, joined connector 1 to connector 0.
struct FlatChain {
    Layout layout = emptyLayout();
    int32_t p, s, a, b;
    FlatChain() {
        p = put(layout, "2200", 0, 0);
        s = put(layout, "2200", 0, 0);
        a = put(layout, "2200", 0, 0);
        b = put(layout, "2200", 0, 0);
        layout.join(p, 1, s, 0);
        layout.join(s, 1, a, 0);
        layout.join(a, 1, b, 0);
        piece(layout, p).z = 20;
        piece(layout, a).z = 7;
        piece(layout, b).z = 7;
    }
};

TEST(EndGrade, OnTheFirstPieceFlattensItAndTheUngradedPiecesAheadAndEndsTheRun) {
    FlatChain f;
    startGrade(f.layout, f.s, 3, false);
    const std::size_t depth = f.layout.undoDepth();
    const GradeOutcome out = endGrade(f.layout, f.s);
    EXPECT_TRUE(out.changed);
    EXPECT_EQ(out.status, "Grade ended - subsequent pieces will be flat");
    EXPECT_EQ(f.layout.undoDepth(), depth + 1);
    EXPECT_DOUBLE_EQ(piece(f.layout, f.s).grade, 0);
    for (int32_t id : {f.s, f.a, f.b})
        EXPECT_DOUBLE_EQ(piece(f.layout, id).z, 20);
    EXPECT_TRUE(f.layout.gradeRuns.empty());
    EXPECT_FALSE(f.layout.gradeActive);
    EXPECT_EQ(f.layout.gradeAnchor, -1);
    EXPECT_EQ(f.layout.gradeConn, 1);
}

TEST(EndGrade, OnARunsFirstPieceRemovesTheRunWhoseTipLiesAhead) {
    Layout layout = emptyLayout();
    const int32_t other = put(layout, "2200", 0, 0);
    startGrade(layout, other, 1, true);
    const int32_t s = put(layout, "2200", 0, 0);
    piece(layout, s).z = 10;
    startGrade(layout, s, 3, false);
    const int32_t n1 = put(layout, "2200", 0, 0);
    attach(layout, s, 1, n1, 0);
    attach(layout, n1, 1, put(layout, "2200", 0, 0), 0);
    const double n1z = piece(layout, n1).z;

    endGrade(layout, s);
    EXPECT_DOUBLE_EQ(piece(layout, s).grade, 0);
    EXPECT_DOUBLE_EQ(piece(layout, s).z, 10);   // nothing behind it: it keeps its height
    EXPECT_DOUBLE_EQ(piece(layout, n1).z, n1z); // the walk stops at the graded piece
    ASSERT_EQ(layout.gradeRuns.size(), 1u);     // the run tipped at n2 is gone
    EXPECT_EQ(layout.gradeRuns[0].anchor, other);
    EXPECT_EQ(layout.gradeAnchor, other);
    EXPECT_DOUBLE_EQ(layout.gradeDeg, -1);
}

TEST(EndGrade, OnTheTipLetsTheNextPieceLieFlat) {
    StartedRun r;
    const int32_t tip = r.add(r.s, 1, 0);
    endGrade(r.layout, tip);
    EXPECT_NEAR(piece(r.layout, tip).z, 180 * sinDeg(3), 1e-9);
    EXPECT_FALSE(r.layout.gradeActive);
    const int32_t n = r.add(tip, 1, 0);
    EXPECT_DOUBLE_EQ(piece(r.layout, n).grade, 0);
    EXPECT_NEAR(piece(r.layout, n).z, 180 * sinDeg(3), 1e-9);
}

TEST(EndGrade, FindsTheTipPastReversedPieces) {
    StartedRun r;
    const int32_t back = r.add(r.s, 1, 1); // reversed: the run leaves it by connector 0
    const int32_t tip = r.add(back, 0, 0);
    ASSERT_EQ(r.layout.gradeAnchor, tip);
    endGrade(r.layout, r.s);
    EXPECT_TRUE(r.layout.gradeRuns.empty());
}

TEST(EndGrade, UnknownPieceOrNothingToDoTakesNoUndoStep) {
    Layout layout = emptyLayout();
    const int32_t lone = put(layout, "2200", 0, 0);
    EXPECT_EQ(endGrade(layout, -1).status, "");
    EXPECT_EQ(endGrade(layout, 999).status, "");
    const GradeOutcome flat = endGrade(layout, lone);
    EXPECT_FALSE(flat.changed);
    EXPECT_EQ(layout.undoDepth(), 0u);
}

// ---- Recalc -----------------------------------------------------------------------------

struct FlatnessCase {
    const char* name;
    double nextGrade; // grade of the piece after two ungraded ones
    bool walkedOver;
};

TEST(Recalc, StopsAtTheNextGradedPiece) {
    const FlatnessCase cases[] = {
        {"flat", 0.0, true},
        {"at the flat tolerance", 0.001, true},
        {"just past it", 0.0011, false},
        {"falling", -2.0, false},
    };
    for (const FlatnessCase& c : cases) {
        SCOPED_TRACE(c.name);
        FlatChain f;
        const int32_t g = put(f.layout, "2200", 0, 0);
        const int32_t after = put(f.layout, "2200", 0, 0);
        f.layout.join(f.b, 1, g, 0);
        f.layout.join(g, 1, after, 0);
        piece(f.layout, f.s).grade = 3;
        piece(f.layout, g).grade = c.nextGrade;
        piece(f.layout, g).z = 100;
        piece(f.layout, after).z = 55;

        EXPECT_TRUE(recalculateElevation(f.layout, f.s).changed);
        EXPECT_EQ(f.layout.undoDepth(), 1u);
        const double top = 20 + 180 * sinDeg(3);
        EXPECT_DOUBLE_EQ(piece(f.layout, f.s).z, 20);
        EXPECT_DOUBLE_EQ(piece(f.layout, f.s).grade, 3);
        EXPECT_NEAR(piece(f.layout, f.a).z, top, 1e-9);
        EXPECT_NEAR(piece(f.layout, f.b).z, top, 1e-9);
        EXPECT_NEAR(piece(f.layout, g).z, c.walkedOver ? top : 100, 1e-9);
        EXPECT_NEAR(piece(f.layout, after).z,
                    c.walkedOver ? heightAtConnector(piece(f.layout, g), def("2200"), 1) : 55,
                    1e-9);
    }
}

TEST(Recalc, FollowsPiecesLaidEitherWayRound) {
    // P -(1:1)- S reversed and graded -(0:0)- Q -(1:1)- R: each is left by its other end.
    Layout layout = emptyLayout();
    const int32_t p = put(layout, "2200", 0, 0);
    const int32_t s = put(layout, "2200", 0, 0);
    const int32_t q = put(layout, "2200", 0, 0);
    const int32_t r = put(layout, "2200", 0, 0);
    layout.join(p, 1, s, 1);
    layout.join(s, 0, q, 0);
    layout.join(q, 1, r, 1);
    piece(layout, p).z = 4;
    piece(layout, s).grade = 3;
    piece(layout, s).reversed = true;

    const std::vector<ChainLink> chain = chainAhead(layout, s);
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[0].piece, q);
    EXPECT_EQ(chain[0].entered, 0);
    EXPECT_EQ(chain[1].piece, r);
    EXPECT_EQ(chain[1].entered, 1);

    recalculateElevation(layout, s);
    const double far = 4 + 180 * sinDeg(3);
    EXPECT_NEAR(heightAtConnector(piece(layout, s), def("2200"), 1), 4, 1e-9);
    EXPECT_NEAR(piece(layout, s).z, far, 1e-9);
    EXPECT_NEAR(piece(layout, q).z, far, 1e-9);
    EXPECT_NEAR(piece(layout, r).z, far, 1e-9);
}

TEST(Recalc, ARunInOrderIsLeftAloneWithoutAnUndoStep) {
    Layout layout = emptyLayout();
    const int32_t s = put(layout, "24130", 0, 0);
    startGrade(layout, s, 2.5, true);
    int32_t last = s;
    for (int conn : {0, 1, 0}) {
        const int32_t n = put(layout, "24130", 0, 0);
        attach(layout, last, last == s || !piece(layout, last).reversed ? 1 : 0, n, conn);
        last = n;
    }
    const std::size_t depth = layout.undoDepth();
    for (const PlacedPiece& p : layout.pieces) {
        SCOPED_TRACE(p.id);
        EXPECT_FALSE(recalculateElevation(layout, p.id).changed);
    }
    EXPECT_EQ(layout.undoDepth(), depth);
    EXPECT_EQ(recalculateElevation(layout, 999).status, "");
}

TEST(Recalc, PiecesWithoutADefinitionPassTheHeightOn) {
    FlatChain f;
    const int32_t unknown = put(f.layout, "no-such-part", 0, 0);
    const int32_t after = put(f.layout, "2200", 0, 0);
    f.layout.join(f.b, 1, unknown, 0);
    f.layout.join(unknown, 1, after, 0);
    recalculateElevation(f.layout, f.s);
    EXPECT_DOUBLE_EQ(piece(f.layout, unknown).z, 20);
    EXPECT_DOUBLE_EQ(piece(f.layout, after).z, 20);
}

// ---- Walks that close on themselves -----------------------------------------------------

TEST(ChainWalk, ALoopEndsAfterVisitingEachPieceOnce) {
    // Twelve 30-degree curves closed into a circle, and a tail that runs through a turnout
    // and back into the turnout's branch.
    Layout circle = emptyLayout();
    std::vector<int32_t> ring;
    for (int i = 0; i < 12; ++i)
        ring.push_back(put(circle, "24130", 0, 0));
    for (int i = 0; i < 12; ++i)
        circle.join(ring[i], 1, ring[(i + 1) % 12], 0);
    EXPECT_EQ(chainAhead(circle, ring[0]).size(), 11u);
    piece(circle, ring[0]).grade = 3;
    ASSERT_TRUE(recalculateElevation(circle, ring[0]).changed);
    for (int i = 1; i < 12; ++i)
        EXPECT_NEAR(piece(circle, ring[i]).z, 180 * sinDeg(3), 1e-9);
    startGrade(circle, ring[0], 3, false);
    endGrade(circle, ring[5]);
    EXPECT_TRUE(circle.gradeRuns.empty()); // the walk comes round to the tip

    Layout lollipop = emptyLayout();
    const int32_t a = put(lollipop, "24188", 0, 0);
    const int32_t t = put(lollipop, "24611", 0, 0); // left turnout, three connectors
    const int32_t x = put(lollipop, "24188", 0, 0);
    const int32_t y = put(lollipop, "24188", 0, 0);
    lollipop.join(a, 1, t, 0);
    lollipop.join(t, 1, x, 0);
    lollipop.join(x, 1, y, 0);
    lollipop.join(y, 1, t, 2);
    const std::vector<ChainLink> chain = chainAhead(lollipop, a);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(chain[2].piece, y);
}

// ---- Undo -------------------------------------------------------------------------------

TEST(GradeUndo, OneUndoStepRestoresHeightsGradesAndRuns) {
    using Command = GradeOutcome (*)(Layout&, int32_t);
    const std::pair<const char*, Command> commands[] = {
        {"start grade", [](Layout& l, int32_t id) { return startGrade(l, id, 4.5, true); }},
        {"end grade", endGrade},
        {"recalc", recalculateElevation},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        FlatChain f;
        startGrade(f.layout, f.s, 3, false);
        const int32_t n = put(f.layout, "2200", 0, 0);
        attach(f.layout, f.b, 1, n, 0); // no run at b: n lies flat
        piece(f.layout, f.s).z = 33;
        f.layout.clearHistory();
        const PieceHeights before = heightsOf(f.layout);
        const std::vector<GradeRun> runsBefore = f.layout.gradeRuns;

        ASSERT_TRUE(command(f.layout, f.s).changed);
        EXPECT_EQ(f.layout.undoDepth(), 1u);
        EXPECT_NE(heightsOf(f.layout), before);
        f.layout.undo();
        EXPECT_EQ(heightsOf(f.layout), before);
        EXPECT_TRUE(sameRuns(f.layout.gradeRuns, runsBefore));
        EXPECT_TRUE(f.layout.gradeActive);
        EXPECT_EQ(f.layout.gradeAnchor, f.s);
    }
}

// ---- Status texts -----------------------------------------------------------------------

struct StatusCase {
    const char* name;
    std::vector<double> runs;
    const char* current;
    const char* status;
    const char* canvas;
};

TEST(ElevationStatus, ReadyOrTheRunsUnderWay) {
    const std::string triangle = "\xE2\x96\xB2";
    const std::string gradeControls = triangle + " UP 3.0 deg";
    const StatusCase cases[] = {
        {"no run", {}, "Pieces: 3", "Ready", "Pieces: 3"},
        {"no run after the grade controls", {}, gradeControls.c_str(), "Ready", "Ready"},
        {"no run, start grade text", {}, "Elevation: UP 3.0 deg", "Ready", "Elevation: UP 3.0 deg"},
        {"one run",
         {3},
         "Ready",
         "[ELEV] 3.0 deg  (right-click piece to stop)",
         "[ELEV] 3.0 deg  (right-click piece to stop)"},
        {"two runs in order",
         {3, -2.5},
         "x",
         "[ELEV] 3.0 deg -2.5 deg  (right-click piece to stop)",
         "[ELEV] 3.0 deg -2.5 deg  (right-click piece to stop)"},
        {"rounded to one decimal",
         {0.25, 5.96},
         "x",
         "[ELEV] 0.2 deg 6.0 deg  (right-click piece to stop)",
         "[ELEV] 0.2 deg 6.0 deg  (right-click piece to stop)"},
    };
    for (const StatusCase& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = emptyLayout();
        for (double deg : c.runs)
            layout.gradeRuns.push_back(GradeRun{deg, put(layout, "2200", 0, 0), 0});
        layout.restoreGradeState();
        EXPECT_EQ(elevationStatusText(layout), c.status);
        EXPECT_EQ(canvasStatusText(layout, c.current), c.canvas);
    }
}

} // namespace
