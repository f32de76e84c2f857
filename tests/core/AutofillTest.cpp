#include "editing/Autofill.h"

#include "RecordingPrompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <sstream>

using namespace plandor;

namespace {

class ScriptedChooser : public FillChooser {
  public:
    std::deque<int> answers;
    std::vector<FillDialog> shown;
    int chooseFill(const FillDialog& dialog) override {
        shown.push_back(dialog);
        if (answers.empty())
            return -1;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Selected piece A ends at (length, 0) heading 0; selected piece B has its connector 0 `gap`
// further along x, with world heading `bHeading` (180 faces A head-on).
Layout twoEnds(double gap, double bHeading = 180, const std::string& part = "24188") {
    Layout layout;
    layout.ensureDefaultLevel();
    PlacedPiece a = makePlacedPiece(part);
    a.id = layout.takeId();
    a.selected = true;
    layout.pieces.push_back(a);
    const double length = TrackCatalog::instance().find(part)->length;
    PlacedPiece b = makePlacedPiece(part);
    b.id = layout.takeId();
    b.x = length + gap;
    b.heading = normalizeHeading(bHeading - 180);
    b.selected = true;
    layout.pieces.push_back(b);
    return layout;
}

// Everything an autofill may change, as text, to show that a refusal changed nothing.
std::string describe(const Layout& layout) {
    std::ostringstream out;
    out << "next " << layout.nextId << " undo " << layout.undoDepth() << "\n";
    for (const PlacedPiece& p : layout.pieces) {
        out << p.id << " " << p.part << " " << p.x << "," << p.y << "," << p.heading;
        for (const Joint& j : p.joints)
            out << " [" << j.target << ":" << j.targetConn << "]";
        out << "\n";
    }
    return out.str();
}

TrackCatalog straightsOf(const std::vector<double>& lengths) {
    TrackCatalog catalog;
    for (double length : lengths) {
        std::ostringstream part;
        part << "S" << length;
        catalog.registerPiece(TrackCatalog::makeStraight(CTrack, part.str(), part.str(), length));
    }
    return catalog;
}

std::vector<double> totalsOf(const std::vector<Fill>& fills) {
    std::vector<double> totals;
    for (const Fill& f : fills)
        totals.push_back(f.total);
    return totals;
}

} // namespace

TEST(AutofillOffer, GapOfOneStraightOffersItFirst) {
    struct Case {
        double gap;
        const char* firstLine;
        const char* text;
    };
    const Case cases[] = {
        {188.3, "24188  (188.3 mm)", "Gap: 188.3 mm. Select fill:"},
        {360.0, "24360  (360.0 mm)", "Gap: 360.0 mm. Select fill:"},
        {171.7, "24172  (171.7 mm)", "Gap: 171.7 mm. Select fill:"},
        {64.0, "24064  (64.0 mm)", "Gap: 64.0 mm. Select fill:"},
    };
    for (const Case& c : cases) {
        Layout layout = twoEnds(c.gap);
        RecordingPrompter prompter;
        ScriptedChooser chooser;
        EXPECT_EQ(autofillGap(layout, prompter, chooser).result, AutofillResult::Cancelled);
        EXPECT_TRUE(prompter.messages.empty());
        ASSERT_EQ(chooser.shown.size(), 1u) << c.gap;
        const FillDialog& dialog = chooser.shown[0];
        EXPECT_EQ(dialog.title, "Autofill Gap");
        EXPECT_EQ(dialog.text, c.text);
        ASSERT_FALSE(dialog.lines.empty());
        EXPECT_EQ(dialog.lines[0], c.firstLine);
        EXPECT_EQ(dialog.initialLine, 0);
        EXPECT_EQ(dialog.placeLabel, "Place");
        EXPECT_EQ(dialog.placeId, 5100);
        EXPECT_EQ(dialog.cancelLabel, "Cancel");
        EXPECT_EQ(dialog.cancelId, 5101);
    }
}

TEST(AutofillOffer, KTrackEndsAreFilledWithKTrackStraights) {
    Layout layout = twoEnds(180, 180, "2200");
    RecordingPrompter prompter;
    ScriptedChooser chooser;
    autofillGap(layout, prompter, chooser);
    ASSERT_EQ(chooser.shown.size(), 1u);
    EXPECT_EQ(chooser.shown[0].lines[0], "2200  (180.0 mm)");
    for (const PieceDef* def : fillCandidates(TrackCatalog::instance(), KTrack)) {
        EXPECT_EQ(def->system, KTrack) << def->partNumber;
        EXPECT_EQ(def->kind, PieceKind::Straight) << def->partNumber;
    }
}

struct RefusalCase {
    const char* name;
    double gap;
    double bHeading;
    const char* title;
    const char* text;
};

class AutofillRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(AutofillRefusal, TellsAndChangesNothing) {
    const RefusalCase& c = GetParam();
    Layout layout = twoEnds(c.gap, c.bHeading);
    const std::string before = describe(layout);
    RecordingPrompter prompter;
    ScriptedChooser chooser;
    autofillGap(layout, prompter, chooser);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, c.title);
    EXPECT_EQ(prompter.messages[0].text, c.text);
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Information);
    EXPECT_TRUE(chooser.shown.empty());
    EXPECT_EQ(describe(layout), before);
}

constexpr const char* kNoSolution = "Autofill - No Solution";

INSTANTIATE_TEST_SUITE_P(
    Edges, AutofillRefusal,
    testing::Values(
        RefusalCase{"Gap0_8IsTouching", 0.8, 180, "Autofill",
                    "The two pieces are already touching - no gap to fill."},
        RefusalCase{"Gap0_99IsTouching", 0.99, 180, "Autofill",
                    "The two pieces are already touching - no gap to fill."},
        RefusalCase{"Gap1_0IsAGapNoStraightFits", 1.0, 180, kNoSolution,
                    "Gap is 1.0mm. No combination of catalog straights fills it within "
                    "tolerance."},
        RefusalCase{"Facing149_9IsNotFacing", 188.3, 149.9, "Autofill",
                    "Could not find facing free connectors on the two selected pieces."},
        RefusalCase{"Facing150IsFacingButNotAligned", 188.3, 150, kNoSolution,
                    "Gap is 188.3mm. No combination of catalog straights fills it within "
                    "tolerance."},
        RefusalCase{"Facing160ReportsTheMeasuredGap", 188.3, 160, kNoSolution,
                    "Gap is 188.3mm. No combination of catalog straights fills it within "
                    "tolerance."},
        RefusalCase{"Aligned170IsNotEnough", 188.3, 170, kNoSolution,
                    "Gap is 188.3mm. No combination of catalog straights fills it within "
                    "tolerance."},
        RefusalCase{"Aligned170OnTheOtherSide", 188.3, 190, kNoSolution,
                    "Gap is 188.3mm. No combination of catalog straights fills it within "
                    "tolerance."},
        RefusalCase{"GapBetweenStraights", 30.0, 180, kNoSolution,
                    "Gap is 30.0mm. No combination of catalog straights fills it within "
                    "tolerance."}),
    [](const auto& info) { return info.param.name; });

TEST(AutofillOffer, JustPastTheAlignmentEdgeIsSearched) {
    for (double bHeading : {170.1, 189.9, 180.0}) {
        Layout layout = twoEnds(188.3, bHeading);
        RecordingPrompter prompter;
        ScriptedChooser chooser;
        EXPECT_EQ(autofillGap(layout, prompter, chooser).result, AutofillResult::Cancelled)
            << bHeading;
        EXPECT_EQ(chooser.shown.size(), 1u) << bHeading;
    }
}

TEST(AutofillFacing, JoinedConnectorsAreNeverUsed) {
    Layout layout = twoEnds(100);
    PlacedPiece c = makePlacedPiece("24188");
    c.id = layout.takeId();
    layout.pieces.push_back(c);
    layout.join(1, 1, c.id, 0);
    // With A's far end taken, only its connector 0 faces B's connector 1, across both pieces.
    const auto pair = findFacingPair(layout, 1, 2, TrackCatalog::instance());
    ASSERT_TRUE(pair.has_value());
    EXPECT_EQ(pair->connA, 0);
    EXPECT_EQ(pair->connB, 1);
    EXPECT_NEAR(pair->gap, 188.3 + 100 + 188.3, 1e-9);
}

TEST(AutofillFacing, NearestQualifyingPairWins) {
    Layout layout = twoEnds(100);
    const auto pair = findFacingPair(layout, 1, 2, TrackCatalog::instance());
    ASSERT_TRUE(pair.has_value());
    EXPECT_EQ(pair->connA, 1);
    EXPECT_EQ(pair->connB, 0);
    EXPECT_NEAR(pair->gap, 100, 1e-9);
    EXPECT_NEAR(pair->angle, 180, 1e-9);
}

TEST(AutofillSearch, ToleranceIsOneAndAHalfMillimetres) {
    const TrackCatalog catalog = straightsOf({100});
    const auto candidates = fillCandidates(catalog, CTrack);
    struct Case {
        double gap;
        std::size_t fills;
    };
    for (const Case& c : {Case{98.5, 1}, Case{98.4, 0}, Case{101.5, 1}, Case{101.6, 0}})
        EXPECT_EQ(searchFills(candidates, c.gap).size(), c.fills) << c.gap;
}

TEST(AutofillSearch, PieceCountIsBoundedByTheGap) {
    const TrackCatalog catalog = straightsOf({40, 100});
    const auto candidates = fillCandidates(catalog, CTrack);
    ASSERT_EQ(candidates.front()->partNumber, "S100");
    // 280: at most ceil(2.8) + 2 = 5 pieces, so seven 40s are never tried.
    const auto fills280 = searchFills(candidates, 280);
    ASSERT_EQ(fills280.size(), 1u);
    EXPECT_EQ(fills280[0].parts, (std::vector<std::string>{"S100", "S100", "S40", "S40"}));
    // 200: at most 4 pieces, so five 40s are not tried.
    const auto fills200 = searchFills(candidates, 200);
    ASSERT_EQ(fills200.size(), 1u);
    EXPECT_EQ(fills200[0].parts, (std::vector<std::string>{"S100", "S100"}));
}

TEST(AutofillSearch, NoFillHasMoreThan32Pieces) {
    const TrackCatalog catalog = straightsOf({10});
    const auto candidates = fillCandidates(catalog, CTrack);
    const auto fills = searchFills(candidates, 320);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].parts.size(), 32u);
    EXPECT_TRUE(searchFills(candidates, 330).empty());
}

TEST(AutofillSearch, StopsAfterTheCountThatBringsSixteen) {
    // n one-piece fills (99.0, 99.1, ...) and one pair of 50s, all fitting a 100 mm gap.
    for (int single : {15, 16}) {
        std::vector<double> lengths{50};
        for (int i = 0; i < single; ++i)
            lengths.push_back((990 + i) / 10.0);
        const TrackCatalog catalog = straightsOf(lengths);
        const auto found = collectFills(fillCandidates(catalog, CTrack), 100);
        const bool pairTried = single < 16;
        EXPECT_EQ(found.size(), single + (pairTried ? 1u : 0u)) << single;
        EXPECT_EQ(found.back().parts.size(), pairTried ? 2u : 1u) << single;
    }
}

TEST(AutofillSearch, CollectsAtMostSixtyFour) {
    std::vector<double> lengths;
    for (int i = 0; i <= 100; ++i)
        lengths.push_back(40.0 + 0.1 * i);
    const TrackCatalog catalog = straightsOf(lengths);
    const auto found = collectFills(fillCandidates(catalog, CTrack), 100);
    EXPECT_EQ(found.size(), 64u);
    EXPECT_EQ(searchFills(fillCandidates(catalog, CTrack), 100).size(), 12u);
}

TEST(AutofillSearch, FewestPiecesFirstThenClosestTotal) {
    const TrackCatalog catalog = straightsOf({99, 101.2, 100, 50.5});
    const auto fills = searchFills(fillCandidates(catalog, CTrack), 100);
    EXPECT_EQ(totalsOf(fills), (std::vector<double>{100, 99, 101.2, 101}));
    EXPECT_EQ(fillLine(fills[3]), "S50.5 + S50.5  (101.0 mm)");
}

TEST(AutofillOffer, MoreThanTwelveFillsListTwelveFewestPiecesFirst) {
    Layout layout = twoEnds(720);
    RecordingPrompter prompter;
    ScriptedChooser chooser;
    autofillGap(layout, prompter, chooser);
    ASSERT_EQ(chooser.shown.size(), 1u);
    const auto candidates = fillCandidates(TrackCatalog::instance(), CTrack);
    ASSERT_GT(collectFills(candidates, 720).size(), 12u);
    const std::vector<std::string>& lines = chooser.shown[0].lines;
    ASSERT_EQ(lines.size(), 12u);
    const auto pieces = [](const std::string& line) {
        std::size_t n = 1;
        for (std::size_t at = line.find(" + "); at != std::string::npos;
             at = line.find(" + ", at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(lines.front(), "24360 + 24360  (720.0 mm)");
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_LE(pieces(lines[i - 1]), pieces(lines[i])) << lines[i];
}

TEST(AutofillPlace, TwoPieceFillIsJoinedAtBothEnds) {
    Layout layout = twoEnds(360);
    layout.pieces[0].level = 2;
    layout.pieces[0].z = 40;
    layout.pieces[1].z = 40;
    const int32_t firstId = static_cast<int32_t>(layout.nextId);
    RecordingPrompter prompter;
    ScriptedChooser chooser;
    {
        ScriptedChooser look;
        autofillGap(layout, prompter, look);
        ASSERT_EQ(look.shown.size(), 1u);
        const auto& lines = look.shown[0].lines;
        const auto it = std::find(lines.begin(), lines.end(), "24188 + 24172  (360.0 mm)");
        ASSERT_NE(it, lines.end());
        chooser.answers.push_back(static_cast<int>(it - lines.begin()));
    }
    const AutofillOutcome outcome = autofillGap(layout, prompter, chooser);
    EXPECT_TRUE(prompter.messages.empty());
    ASSERT_EQ(outcome.result, AutofillResult::Placed);
    EXPECT_EQ(outcome.placed, (std::vector<int32_t>{firstId, firstId + 1}));
    EXPECT_EQ(layout.undoDepth(), 1u);
    ASSERT_EQ(layout.pieces.size(), 4u);

    const PlacedPiece& a = *layout.findPiece(1);
    const PlacedPiece& b = *layout.findPiece(2);
    const PlacedPiece& first = *layout.findPiece(firstId);
    const PlacedPiece& second = *layout.findPiece(firstId + 1);
    EXPECT_EQ(first.part, "24188");
    EXPECT_EQ(second.part, "24172");
    EXPECT_NEAR(first.x, 188.3, 1e-9);
    EXPECT_NEAR(second.x, 376.6, 1e-9);
    for (const PlacedPiece* p : {&first, &second}) {
        EXPECT_NEAR(p->y, 0, 1e-9);
        EXPECT_NEAR(p->heading, 0, 1e-9);
        EXPECT_EQ(p->level, 2);
        EXPECT_EQ(p->z, 40);
        EXPECT_EQ(p->helix, -1);
    }
    auto joint = [](const PlacedPiece& p, int c) {
        return std::make_pair(p.jointAt(c).target, p.jointAt(c).targetConn);
    };
    EXPECT_EQ(joint(a, 1), std::make_pair(firstId, 0));
    EXPECT_EQ(joint(first, 0), std::make_pair(1, 1));
    EXPECT_EQ(joint(first, 1), std::make_pair(firstId + 1, 0));
    EXPECT_EQ(joint(second, 0), std::make_pair(firstId, 1));
    EXPECT_EQ(joint(second, 1), std::make_pair(2, 0));
    EXPECT_EQ(joint(b, 0), std::make_pair(firstId + 1, 1));
    EXPECT_TRUE(a.jointAt(0).isFree());
    EXPECT_TRUE(b.jointAt(1).isFree());

    layout.undo();
    EXPECT_EQ(layout.pieces.size(), 2u);
    EXPECT_TRUE(layout.findPiece(1)->jointAt(1).isFree());
    EXPECT_TRUE(layout.findPiece(2)->jointAt(0).isFree());
}

TEST(AutofillPlace, CancelChangesNothingAndTakesNoSnapshot) {
    for (int answer : {-1, 12, 99}) {
        Layout layout = twoEnds(360);
        const std::string before = describe(layout);
        RecordingPrompter prompter;
        ScriptedChooser chooser;
        chooser.answers.push_back(answer);
        EXPECT_EQ(autofillGap(layout, prompter, chooser).result, AutofillResult::Cancelled);
        EXPECT_EQ(describe(layout), before) << answer;
        EXPECT_EQ(layout.undoDepth(), 0u);
    }
}

TEST(AutofillPlace, FillTakesTheHeightOfTheGradedEndItJoins) {
    Layout layout = twoEnds(188.3);
    layout.pieces[0].z = 10;
    layout.pieces[0].grade = 3;
    RecordingPrompter prompter;
    ScriptedChooser chooser;
    chooser.answers.push_back(0);
    const AutofillOutcome outcome = autofillGap(layout, prompter, chooser);
    ASSERT_EQ(outcome.placed.size(), 1u);
    const PlacedPiece& fill = *layout.findPiece(outcome.placed[0]);
    EXPECT_NEAR(fill.z, 10 + 188.3 * std::sin(3 * 3.141592653589793 / 180), 1e-9);
    EXPECT_EQ(fill.grade, 0);
}

TEST(AutofillPlace, OnlyRunsForExactlyTwoSelectedPieces) {
    for (int selected : {0, 1, 3}) {
        Layout layout = twoEnds(188.3);
        PlacedPiece extra = makePlacedPiece("24188");
        extra.id = layout.takeId();
        extra.y = 500;
        layout.pieces.push_back(extra);
        for (int i = 0; i < 3; ++i)
            layout.pieces[i].selected = i < selected;
        RecordingPrompter prompter;
        ScriptedChooser chooser;
        EXPECT_EQ(autofillGap(layout, prompter, chooser).result, AutofillResult::NotTwoPieces);
        EXPECT_TRUE(prompter.messages.empty());
        EXPECT_TRUE(chooser.shown.empty());
    }
}

TEST(AutofillPlace, LastPieceJoinsBOnlyWhereItMeetsIt) {
    struct Case {
        const char* name;
        double sideways; // B's connector beside A's line, mm
        const char* bPart;
        bool joinsB;
    };
    const Case cases[] = {
        {"InLine", 0, "24188", true},
        {"SidewaysWithinReach", 24.9, "24188", true},
        {"SidewaysPastReach", 25.1, "24188", false},
        {"OtherSystem", 0, "2200", false},
    };
    for (const Case& c : cases) {
        // B faces A head-on with its connector 360 mm from A's end, so one 24360 fills the gap.
        Layout layout = twoEnds(360);
        PlacedPiece& b = layout.pieces[1];
        b.part = c.bPart;
        b.x = 188.3 + std::sqrt(360.0 * 360.0 - c.sideways * c.sideways);
        b.y = c.sideways;
        RecordingPrompter prompter;
        ScriptedChooser chooser;
        chooser.answers.push_back(0);
        const AutofillOutcome outcome = autofillGap(layout, prompter, chooser);
        ASSERT_EQ(outcome.placed.size(), 1u) << c.name;
        const PlacedPiece& fill = *layout.findPiece(outcome.placed[0]);
        EXPECT_EQ(fill.part, "24360") << c.name;
        EXPECT_EQ(fill.jointAt(0).target, 1) << c.name;
        EXPECT_EQ(layout.findPiece(1)->jointAt(1).target, fill.id) << c.name;
        EXPECT_EQ(fill.jointAt(1).target, c.joinsB ? 2 : -1) << c.name;
        EXPECT_EQ(layout.findPiece(2)->jointAt(0).target, c.joinsB ? fill.id : -1) << c.name;
    }
}
