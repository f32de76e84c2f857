// Reversing sections: which two-rail plans short the rails (a balloon loop, a wye, each loop
// of a dogbone, a figure eight through a double slip's slips) and which do not (an oval, a
// figure eight over a crossing, a station throat, and every plan in three-rail C-Track).
#include "core/app/ReversingSections.h"
#include "TrackFixtures.h"
#include "core/app/LayoutCheck.h"
#include "core/app/TrackRoutes.h"
#include "core/canvas/CheckMarks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace plandor;

namespace {

bool contains(const std::vector<int32_t>& ids, int32_t id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

struct PlanCase {
    const char* name;
    std::function<void(Layout&)> build;
    std::size_t sections;
};

class ReversingPlans : public ::testing::TestWithParam<PlanCase> {};

TEST_P(ReversingPlans, FindOneSectionPerLoopThatTurnsTrainsRound) {
    Layout layout = emptyLayout();
    GetParam().build(layout);
    const std::vector<ReversingSection> found = findReversingSections(layout);
    EXPECT_EQ(found.size(), GetParam().sections);
    for (const ReversingSection& s : found) {
        // The track to insulate lies on the loop it breaks.
        EXPECT_TRUE(contains(s.loop, s.first)) << s.first;
        EXPECT_TRUE(contains(s.loop, s.last)) << s.last;
        EXPECT_TRUE(contains(s.loop, s.fromJunction));
    }
}

const PlanCase kPlans[] = {
    {"BalloonTrix", [](Layout& l) { addBalloon(l, kTrixParts); }, 1},
    {"BalloonCTrack", [](Layout& l) { addBalloon(l, kCTrackParts); }, 0},
    {"BalloonZ", [](Layout& l) { addBalloon(l, kZParts); }, 1},
    // The passing loop's two tracks are not the section: one track of the loop is enough.
    {"BalloonWithPassingLoopTrix", [](Layout& l) { addBalloonWithPassingLoop(l, kTrixParts); }, 1},
    {"BalloonWithPassingLoopCTrack", [](Layout& l) { addBalloonWithPassingLoop(l, kCTrackParts); },
     0},
    {"WyeTrix", [](Layout& l) { addWye(l, kTrixParts); }, 1},
    {"WyeCTrack", [](Layout& l) { addWye(l, kCTrackParts); }, 0},
    {"DogboneTrix", [](Layout& l) { addDogbone(l, kTrixParts); }, 2},
    {"DogboneCTrack", [](Layout& l) { addDogbone(l, kCTrackParts); }, 0},
    {"OvalTrix", [](Layout& l) { addOval(l, kTrixParts); }, 0},
    {"OvalCTrack", [](Layout& l) { addOval(l, kCTrackParts); }, 0},
    {"FigureEightZCrossing", [](Layout& l) { addFigureEight(l, kZParts); }, 0},
    {"FigureEightCTrack", [](Layout& l) { addFigureEight(l, kCTrackParts); }, 0},
    // TRIX has no plain crossing: through a double slip each loop turns trains round by a slip.
    {"FigureEightTrixDoubleSlip", [](Layout& l) { addFigureEight(l, kTrixParts); }, 2},
    {"StationTrix", [](Layout& l) { addStation(l, kTrixParts, 3); }, 0},
    {"StationCTrack", [](Layout& l) { addStation(l, kCTrackParts, 3); }, 0},
    {"OvalAndBalloonTrix",
     [](Layout& l) {
         addOval(l, kTrixParts);
         addBalloon(l, kTrixParts);
     },
     1},
    // Only two-rail track counts: a three-rail piece in the loop leaves no two-rail loop.
    {"BalloonWithCTrackPieceInLoop",
     [](Layout& l) {
         addBalloon(l, kTrixParts);
         l.pieces[5].part = "24130";
     },
     0},
};

INSTANTIATE_TEST_SUITE_P(Plans, ReversingPlans, ::testing::ValuesIn(kPlans),
                         [](const auto& c) { return std::string(c.param.name); });

TEST(ReversingSections, BalloonNamesItsLoopAndTheTrackToInsulate) {
    Layout layout = emptyLayout();
    const int32_t turnout = addBalloon(layout, kTrixParts);
    const std::vector<ReversingSection> found = findReversingSections(layout);
    ASSERT_EQ(found.size(), 1u);
    const ReversingSection& s = found[0];
    // Turnout, two straights, seven curves, one straight: the tail is not part of the loop.
    EXPECT_EQ(s.loop.size(), 11u);
    EXPECT_TRUE(contains(s.loop, turnout));
    EXPECT_FALSE(contains(s.loop, turnout + 1));
    EXPECT_EQ(s.fromJunction, turnout);
    EXPECT_EQ(s.toJunction, turnout);
    // The loop's first piece after the turnout, and the last one before it.
    const int32_t firstAfterBranch = layout.findPiece(turnout)->jointAt(2).target;
    const int32_t lastBeforeStraight = layout.findPiece(turnout)->jointAt(1).target;
    EXPECT_TRUE((s.first == firstAfterBranch && s.last == lastBeforeStraight) ||
                (s.first == lastBeforeStraight && s.last == firstAfterBranch));
    // Marked where the section's first piece meets the turnout.
    const int conn = layout.findPiece(turnout)->jointAt(1).target == s.first ? 1 : 2;
    EXPECT_NEAR(s.at.x, connectorOf(layout, turnout, conn).x, 1e-6);
    EXPECT_NEAR(s.at.y, connectorOf(layout, turnout, conn).y, 1e-6);
}

TEST(ReversingSections, DogboneLoopsAreSeparate) {
    Layout layout = emptyLayout();
    const auto [first, second] = addDogbone(layout, kTrixParts);
    const std::vector<ReversingSection> found = findReversingSections(layout);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_NE(contains(found[0].loop, first), contains(found[1].loop, first));
    EXPECT_NE(contains(found[0].loop, second), contains(found[1].loop, second));
    for (const ReversingSection& s : found)
        EXPECT_FALSE(contains(s.loop, first) && contains(s.loop, second));
}

TEST(ReversingSections, DiagonalAcrossAnOvalIsTheOneSection) {
    for (const TrackParts* parts : {&kTrixParts, &kCTrackParts}) {
        Layout layout = emptyLayout();
        const OvalWithDiagonal oval = addOvalWithDiagonal(layout, *parts);
        const std::vector<ReversingSection> found = findReversingSections(layout);
        if (parts == &kCTrackParts) {
            EXPECT_TRUE(found.empty());
            continue;
        }
        ASSERT_EQ(found.size(), 1u);
        EXPECT_TRUE(found[0].first == oval.firstOfDiagonal ||
                    found[0].last == oval.firstOfDiagonal);
        EXPECT_TRUE(contains(found[0].loop, oval.top) && contains(found[0].loop, oval.bottom));
    }
}

TEST(ReversingSections, WyeLoopRunsThroughAllThreeTurnouts) {
    Layout layout = emptyLayout();
    const Wye wye = addWye(layout, kTrixParts);
    const std::vector<ReversingSection> found = findReversingSections(layout);
    ASSERT_EQ(found.size(), 1u);
    for (int32_t t : {wye.a, wye.b, wye.c})
        EXPECT_TRUE(contains(found[0].loop, t)) << t;
}

TEST(ReversingSections, CheckReportsAnErrorAndMarksWhereToInsulate) {
    Layout layout = emptyLayout();
    addBalloon(layout, kTrixParts);
    const std::vector<CheckFinding> findings = checkLayout(layout, checkSettingsOf(layout));
    auto it = std::find_if(findings.begin(), findings.end(),
                           [](const CheckFinding& f) { return f.kind == CheckKind::Reversing; });
    ASSERT_NE(it, findings.end());
    EXPECT_EQ(it->severity, CheckSeverity::Error);
    EXPECT_STREQ(checkKindName(it->kind), "Reversing section");
    EXPECT_EQ(it->text, "Reversing loop of 11 pieces shorts the rails: insulate both rails at "
                        "both ends of the track from 62188 #12 to 62188 #3 and feed it through "
                        "an auto-reverser");
    EXPECT_EQ(it->pieces.size(), 11u);
    const std::vector<CheckMark> marks = checkMarks(findings);
    EXPECT_TRUE(std::any_of(marks.begin(), marks.end(), [&](const CheckMark& m) {
        return m.kind == CheckMarkKind::Reversing && m.at.x == it->at.x && m.at.y == it->at.y;
    }));
}

} // namespace
