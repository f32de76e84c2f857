// The layout check on small hand-built layouts, one per finding, each beside a near miss
// that must stay quiet; and on the benchmark layouts, which must raise no false alarms.
#include "core/app/LayoutCheck.h"

#include "EditingTestSupport.h"
#include "LayoutGenerator.h"
#include "core/base/Geometry.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/HelixPlacement.h"
#include "core/render/PieceGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace plandor;
using namespace plandor::testing;

namespace {

// Lays `part` with its connector `conn` head-on onto connector `fromConn` of `from`, joined,
// on the same level and at the height of that end.
int32_t attach(Layout& l, int32_t from, int fromConn, const std::string& part, int conn = 0) {
    const Pose target = connectorOf(l, from, fromConn);
    const Pose pose =
        poseForMate(*TrackCatalog::instance().find(part), conn, target.x, target.y, target.heading);
    // A copy: the list grows below.
    const PlacedPiece f = *l.findPiece(from);
    const int32_t id = addPiece(l, part, pose.x, pose.y, pose.heading, f.level).id;
    l.findPiece(id)->z = fromConn == 0 ? f.z : f.z + 188.3 * std::sin(degToRad(f.grade));
    l.join(from, fromConn, id, conn);
    return id;
}

// Straight, six R1 curves, straight, six R1 curves, closed: ids 1 to 14.
Layout oval() {
    Layout l = emptyLayout();
    const int32_t first = addPiece(l, "24188", 0, 0).id;
    int32_t last = first;
    for (int side = 0; side < 2; ++side) {
        if (side == 1)
            last = attach(l, last, 1, "24188");
        for (int i = 0; i < 6; ++i)
            last = attach(l, last, 1, "24130");
    }
    l.join(last, 1, first, 0);
    return l;
}

// The oval with its first straight unjoined from the last curve and swung about its other end
// until its free end lies `gap` mm from the curve's.
Layout swungOval(double gap) {
    Layout l = oval();
    l.freeConnector(1, 0);
    PlacedPiece& s = *l.findPiece(1);
    const Pose far = connectorOf(l, 1, 1);
    s.heading = radToDeg(2 * std::asin(gap / (2 * 188.3)));
    s.x = far.x - 188.3 * std::cos(degToRad(s.heading));
    s.y = far.y - 188.3 * std::sin(degToRad(s.heading));
    return l;
}

// A straight crossed square in its middle by another one lying `dz` higher on level 2.
Layout crossedStraights(const std::string& part, double length, double dz) {
    Layout l = emptyLayout();
    addLevel(l, 2, dz);
    addPiece(l, part, 0, 0);
    addPiece(l, part, length / 2, -length / 2, 90, 2).z = dz;
    return l;
}

// Crossing 24640 with a straight and a bumper on each of its four ends.
Layout crossingWithSpurs() {
    Layout l = emptyLayout();
    const int32_t x = addPiece(l, "24640", 0, 0).id;
    for (int c = 0; c < 4; ++c)
        attach(l, attach(l, x, c, "24188"), 1, "24977");
    return l;
}

// Three straights in a row: the first two graded by `deg` from z = 0, the third flat on
// level 2 at the top; the second is laid the other way round when `reversedMiddle`.
Layout run(double deg, bool reversedMiddle) {
    Layout l = emptyLayout();
    addLevel(l, 2, 2 * 188.3 * std::sin(degToRad(deg)));
    addPiece(l, "24188", 0, 0).grade = deg;
    const int32_t b = attach(l, 1, 1, "24188", reversedMiddle ? 1 : 0);
    PlacedPiece& middle = *l.findPiece(b);
    middle.grade = deg;
    if (reversedMiddle) {
        middle.z *= 2;
        middle.reversed = true;
    }
    l.findPiece(attach(l, b, reversedMiddle ? 0 : 1, "24188"))->level = 2;
    return l;
}

Layout single(const std::string& part, double grade, double z = 0, double deck = 0) {
    Layout l = emptyLayout();
    l.levels[0].height = deck;
    PlacedPiece& p = addPiece(l, part, 0, 0);
    p.grade = grade;
    p.z = z;
    return l;
}

// Two straights, the second at (x, y) turned by `heading`.
Layout twoStraights(double x, double y, double heading = 0) {
    Layout l = emptyLayout();
    addPiece(l, "24188", 0, 0);
    addPiece(l, "24188", x, y, heading);
    return l;
}

// A slim turnout with a straight on each exit, the straight exit joined only when `joined`.
Layout slimTurnout(bool joined) {
    Layout l = emptyLayout();
    const int32_t t = addPiece(l, "24711", 0, 0).id;
    attach(l, t, 1, "24188");
    attach(l, t, 2, "24188");
    if (!joined)
        l.freeConnector(t, 1);
    return l;
}

// `count` straights laid one on another at (x, 0), unjoined; `dz` apart in height, each on
// its own level when dz is not 0.
Layout pile(int count, double x = 0, double dz = 0) {
    Layout l = emptyLayout();
    for (int i = 0; i < count; ++i) {
        int32_t level = 1;
        if (dz != 0 && i > 0) {
            level = i + 1;
            addLevel(l, level, i * dz);
        }
        addPiece(l, "24188", x, 0, 0, level).z = i * dz;
    }
    return l;
}

Layout helix(const std::string& variant) {
    Layout l = emptyLayout();
    placeHelix(l, 0, 0, 0, variant);
    return l;
}

struct Expected {
    CheckSeverity severity;
    std::string text;
};

struct Case {
    const char* name;
    Layout layout;
    CheckKind kind; // findings of other kinds are left to their own cases
    std::vector<Expected> expected;
    CheckSettings settings = {};
};

const CheckSeverity E = CheckSeverity::Error;
const CheckSeverity W = CheckSeverity::Warning;

Layout inCentimetres(Layout l) {
    l.units = Units::Centimetres;
    return l;
}

// The upper piece climbs 2 deg and is lowest where it first passes over the lower band
// (shrunk by half the overlap tolerance): there it is 70 mm higher.
Layout gradedCrossing() {
    Layout l = crossedStraights("24188", 188.3, 70);
    const double along = 94.15 - (18.7 - kOverlapTolerance / 2);
    l.findPiece(2)->grade = 2;
    l.findPiece(2)->z = 70 - along * std::sin(degToRad(2));
    return l;
}

Layout stepped() {
    Layout l = run(0, false);
    l.findPiece(3)->z = 12;
    l.levels[1].height = 12;
    return l;
}

} // namespace

TEST(LayoutCheck, EachFindingAndItsNearMiss) {
    const std::string straights = "24188 #1 overlaps 24188 #2";
    const std::string gap = "Gap of 3.0 mm between 24188 #1 and 24130 #14";
    const std::string tooLow =
        "Clearance of 60.0 mm between 24188 #1 and 24188 #2 (minimum 80.0 mm)";
    const std::string kink = "Grade changes by 3.0\u00b0 between 24188 #2 and 24188 #3";
    // clang-format off
    const std::vector<Case> cases = {
        {"ClosedOvalHasNoOpenEnd", oval(), CheckKind::OpenEnd, {}},
        {"OvalSwung3mmIsOneGap", swungOval(3), CheckKind::OpenEnd, {{W, gap}}},
        {"GapInCentimetres", inCentimetres(swungOval(3)), CheckKind::OpenEnd,
         {{W, "Gap of 0.30 cm between 24188 #1 and 24130 #14"}}},
        {"EndsFartherThanAGapAreTwoOpenEnds", swungOval(kGapRadius + 10), CheckKind::OpenEnd,
         {{W, "Open end at 24188 #1"}, {W, "Open end at 24130 #14"}}},
        {"CrossingPieceIsNoCollision", crossingWithSpurs(), CheckKind::Collision, {}},
        {"StraightsOnBothExitsOfASlimTurnoutAreNoCollision", slimTurnout(true), CheckKind::Collision, {}},
        {"StraightsOnASlimTurnoutWithoutItCollide", slimTurnout(false), CheckKind::Collision,
         {{E, "24711 #1, 24188 #2 and 24188 #3 overlap"}}},
        {"StraightsCrossingOnOneLevelCollide", twoStraights(94.15, -94.15, 90), CheckKind::Collision, {{E, straights}}},
        {"ParallelBandsTouchingDoNotCollide", twoStraights(0, 2 * 18.7), CheckKind::Collision, {}},
        {"ParallelBandsOverlapping1_4mmCollide", twoStraights(0, 2 * 18.7 - 1.4), CheckKind::Collision, {{E, straights}}},
        {"CTrack60mmAboveIsTooLow", crossedStraights("24188", 188.3, 60), CheckKind::Clearance, {{E, tooLow}}},
        {"CTrack90mmAboveClears", crossedStraights("24188", 188.3, 90), CheckKind::Clearance, {}},
        {"ZTrack30mmAboveIsTooLow", crossedStraights("8500", 110, 30), CheckKind::Clearance,
         {{E, "Clearance of 30.0 mm between 8500 #1 and 8500 #2 (minimum 35.0 mm)"}}},
        {"GradedPieceCrossingMeasuredWhereItPasses", gradedCrossing(), CheckKind::Clearance,
         {{E, "Clearance of 70.0 mm between 24188 #1 and 24188 #2 (minimum 80.0 mm)"}}},
        {"HelixRiseBelowStoredMinimum", helix("proses_4_5_r1r2"), CheckKind::Clearance,
         {{E, "Helix #1 rises 93.3 mm per turn (minimum 95.0 mm)"}}, CheckSettings{95, kDefaultClearanceZ}},
        {"HelixSpiralEndsAreNotOpen", helix(""), CheckKind::OpenEnd,
         {{W, "Open end at 24188 #2"}, {W, "Open end at 24188 #3"}}},
        {"Grade6_5IsTooSteep", single("24188", 6.5), CheckKind::Grade,
         {{E, "Grade of 6.5\u00b0 on 24188 #1 (maximum 6.0\u00b0)"},
          {W, "Track ends in the air at 24188 #1, 21.3 mm above the deck"}}},
        {"Grade6IsAllowed", single("24188", 6.0), CheckKind::Grade,
         {{W, "Track ends in the air at 24188 #1, 19.7 mm above the deck"}}},
        {"RaisedBridgeEndIsNotInTheAir", single("74636", 0, 50), CheckKind::Grade, {}},
        {"DescentBelowTheDeck", single("24188", -3, 100, 100), CheckKind::Level,
         {{W, "24188 #1 lies 9.9 mm below the deck of Level 1"}}},
        {"PieceOnItsDeck", single("24188", 3, 100, 100), CheckKind::Level, {}},
        {"RunEndingOnAFlatPieceKinks3Deg", run(3, false), CheckKind::Grade, {{W, kink}}},
        {"RunEndingOnAFlatPieceKinks2DegIsAllowed", run(2, false), CheckKind::Grade, {}},
        {"RunThroughAReversedPieceIsSmooth", run(3, true), CheckKind::Grade, {{W, kink}}},
        {"JoinedEndsAtDifferentHeightsStep", stepped(), CheckKind::Grade,
         {{E, "Step of 12.0 mm between 24188 #2 and 24188 #3"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Expected> got;
        for (const CheckFinding& f : checkLayout(c.layout, c.settings))
            if (f.kind == c.kind)
                got.push_back({f.severity, f.text});
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].severity, c.expected[i].severity) << got[i].text;
            EXPECT_EQ(got[i].text, c.expected[i].text);
        }
    }
}

TEST(LayoutCheck, FindingPointsAtThePlaceAndNamesThePieces) {
    const std::vector<CheckFinding> findings = checkLayout(swungOval(3), {});
    ASSERT_EQ(findings.size(), 1u);
    const Pose curveEnd = connectorOf(oval(), 14, 1);
    EXPECT_NEAR(findings[0].at.x, curveEnd.x, 2);
    EXPECT_NEAR(findings[0].at.y, curveEnd.y, 2);
    EXPECT_EQ(findings[0].pieces, (std::vector<int32_t>{1, 14}));

    // Errors come before warnings whatever order they were found in.
    const std::vector<CheckFinding> mixed = checkLayout(crossedStraights("24188", 188.3, 60), {});
    ASSERT_FALSE(mixed.empty());
    EXPECT_EQ(mixed.front().kind, CheckKind::Clearance);
    EXPECT_EQ(checkSummary(mixed), "Check: 1 error, 4 warnings");
    const std::vector<CheckFinding> oneWarning(mixed.end() - 1, mixed.end());
    EXPECT_EQ(checkSummary(oneWarning), "Check: 0 errors, 1 warning");
}

// A pile gives one finding per cluster of tangled pieces, whatever its size: the list, the time
// and the memory of the check grow with the pieces, not with the pairs of them.
TEST(LayoutCheck, OverlapsAreReportedOncePerCluster) {
    struct PileCase {
        const char* name;
        Layout layout;
        CheckKind kind;
        std::vector<std::string> texts;
        std::vector<std::size_t> pieceCounts;
    };
    Layout twoPiles = pile(4);
    for (const PlacedPiece& p : pile(3, 1000).pieces)
        addPiece(twoPiles, p.part, p.x, p.y);
    // clang-format off
    const std::vector<PileCase> cases = {
        {"ThreeStacked", pile(3), CheckKind::Collision,
         {"24188 #1, 24188 #2 and 24188 #3 overlap"}, {3}},
        {"TwentyStackedNameFiveAndCountTheRest", pile(20), CheckKind::Collision,
         {"24188 #1, 24188 #2, 24188 #3, 24188 #4, 24188 #5 and 15 more overlap"}, {20}},
        {"TwoPilesApartAreTwoFindings", twoPiles, CheckKind::Collision,
         {"24188 #1, 24188 #2, 24188 #3 and 24188 #4 overlap",
          "24188 #5, 24188 #6 and 24188 #7 overlap"}, {4, 3}},
        {"PileOnLevelsTooCloseIsOneClearance", pile(4, 0, 30), CheckKind::Clearance,
         {"Clearance of 30.0 mm between 24188 #1 and 24188 #2 (minimum 80.0 mm); 4 pieces in all"},
         {4}},
        {"PileOnLevelsFarApartIsFine", pile(4, 0, 100), CheckKind::Clearance, {}, {}},
    };
    // clang-format on
    for (const PileCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> texts;
        std::vector<std::size_t> counts;
        for (const CheckFinding& f : checkLayout(c.layout, {}))
            if (f.kind == c.kind) {
                texts.push_back(f.text);
                counts.push_back(f.pieces.size());
            }
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(counts, c.pieceCounts);
    }
}

TEST(LayoutCheck, AHugePileIsOneFindingNamingEveryPiece) {
    for (int count : {1000, 20000}) {
        SCOPED_TRACE(count);
        const Layout l = pile(count);
        int collisions = 0;
        for (const CheckFinding& f : checkLayout(l, {}))
            if (f.kind == CheckKind::Collision) {
                ++collisions;
                EXPECT_EQ(f.pieces.size(), static_cast<std::size_t>(count));
                EXPECT_EQ(f.pieces.back(), l.pieces.back().id);
            }
        EXPECT_EQ(collisions, 1);
    }
}

// Two piles end to end put thousands of ends face to face in one place: each end still pairs
// with at most one other, and the check stays linear.
TEST(LayoutCheck, PilesFacingEachOtherPairTheirEndsAtMostOnce) {
    Layout l = pile(3000);
    for (int i = 0; i < 3000; ++i)
        addPiece(l, "24188", 188.3, 0);
    std::size_t gaps = 0, openEnds = 0, collisions = 0;
    for (const CheckFinding& f : checkLayout(l, {})) {
        if (f.kind == CheckKind::Collision)
            ++collisions;
        else if (f.text.rfind("Gap of ", 0) == 0)
            ++gaps;
        else if (f.kind == CheckKind::OpenEnd)
            ++openEnds;
    }
    EXPECT_EQ(collisions, 2u) << "piles meeting end to end do not overlap: one finding each";
    EXPECT_GT(gaps, 0u);
    EXPECT_EQ(2 * gaps + openEnds, 4u * 3000) << "every free end is reported once";
}

// The generator joins and lifts everything as it should and lays no track over other track,
// so it leaves only the open ends of unfinished sidings and the change of grade at the foot
// and head of each climb: no collision, clearance, level or other grade finding.
TEST(LayoutCheck, GeneratedLayoutsRaiseNoFalseAlarms) {
    for (const auto& [count, seed] : {std::pair{2000, 1u}, {10000, 3u}, {5000, 9u}}) {
        SCOPED_TRACE(std::to_string(count) + " pieces, seed " + std::to_string(seed));
        const Layout layout = generateLayout(count, seed);
        int freeEnds = 0;
        for (const PlacedPiece& p : layout.pieces)
            freeEnds += freeJointCount(p);
        int openEnds = 0, kinks = 0;
        for (const CheckFinding& f : checkLayout(layout, checkSettingsOf(layout))) {
            if (f.kind == CheckKind::OpenEnd && f.text.rfind("Open end at ", 0) == 0) {
                ++openEnds;
            } else if (f.kind == CheckKind::Grade && f.text.rfind("Grade changes by ", 0) == 0) {
                ++kinks;
            } else {
                ADD_FAILURE() << checkKindName(f.kind) << ": " << f.text;
            }
        }
        EXPECT_EQ(openEnds, freeEnds);
        EXPECT_EQ(kinks, 2 * static_cast<int>(layout.gradeRuns.size()));
    }
}
