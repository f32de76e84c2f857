#include "core/editing/Autofill.h"
#include "LayoutBuilder.h"

#include "ScriptedPrompter.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>

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
    Layout layout = emptyLayout();
    addPiece(layout, part).selected = true;
    const double length = catalogDef(part).length;
    addPiece(layout, part, length + gap, 0, normalizeHeading(bHeading - 180)).selected = true;
    return layout;
}

// Everything an autofill may change, as text, to show that a refusal changed nothing.
std::string describe(const Layout& layout) {
    return layoutFileText(layout, "") + std::to_string(layout.nextId);
}

} // namespace

// A gap of one straight's length offers that straight first. Touching ends, ends that do not
// face each other and gaps no straights fill are reported and change nothing; just inside each
// edge the fills are offered.
TEST(AutofillOffer, OffersAndRefusalsAtAndPastEachEdge) {
    const char* touching = "The two pieces are already touching - no gap to fill.";
    const char* notFacing = "Could not find facing free connectors on the two selected pieces.";
    const std::string noFill = "No combination of catalog straights fills it within tolerance.";
    struct Case {
        double gap, bHeading;
        const char* title; // nullptr: fills are offered, `text` first
        std::string text;
    };
    const Case cases[] = {
        {188.3, 180, nullptr, "24188  (188.3 mm)"},
        {188.3, 170.1, nullptr, "24188  (188.3 mm)"},
        {188.3, 170, "Autofill - No Solution", "Gap is 188.3mm. " + noFill},
        {188.3, 149.9, "Autofill", notFacing},
        {0.99, 180, "Autofill", touching},
        {1.0, 180, "Autofill - No Solution", "Gap is 1.0mm. " + noFill},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.gap) + " at " + std::to_string(c.bHeading));
        Layout layout = twoEnds(c.gap, c.bHeading);
        const std::string before = describe(layout);
        ScriptedPrompter prompter;
        ScriptedChooser chooser;
        autofillGap(layout, prompter, chooser);
        EXPECT_EQ(describe(layout), before);
        if (!c.title) {
            EXPECT_TRUE(prompter.messages.empty());
            ASSERT_EQ(chooser.shown.size(), 1u);
            EXPECT_EQ(chooser.shown[0].lines.at(0), c.text);
            continue;
        }
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].title, c.title);
        EXPECT_EQ(prompter.messages[0].text, c.text);
        EXPECT_TRUE(chooser.shown.empty());
    }
}

TEST(AutofillSearch, ToleranceIsOneAndAHalfMillimetres) {
    TrackCatalog catalog;
    catalog.registerPiece(TrackCatalog::makeStraight(CTrack, "S100", "S100", 100));
    const auto candidates = fillCandidates(catalog, CTrack);
    for (const auto& [gap, fills] :
         {std::pair<double, std::size_t>{98.5, 1}, {98.4, 0}, {101.5, 1}, {101.6, 0}})
        EXPECT_EQ(searchFills(candidates, gap).size(), fills) << gap;
}

TEST(AutofillPlace, TwoPieceFillIsJoinedAtBothEnds) {
    Layout layout = twoEnds(360);
    const int32_t firstId = static_cast<int32_t>(layout.nextId);
    ScriptedPrompter prompter;
    ScriptedChooser chooser;
    {
        ScriptedChooser look;
        autofillGap(layout, prompter, look);
        const auto& lines = look.shown.at(0).lines;
        const auto it = std::find(lines.begin(), lines.end(), "24188 + 24172  (360.0 mm)");
        ASSERT_NE(it, lines.end());
        chooser.answers.push_back(static_cast<int>(it - lines.begin()));
    }
    const AutofillOutcome outcome = autofillGap(layout, prompter, chooser);
    ASSERT_EQ(outcome.result, AutofillResult::Placed);
    EXPECT_EQ(outcome.placed, (std::vector<int32_t>{firstId, firstId + 1}));

    EXPECT_EQ(layout.findPiece(firstId + 1)->part, "24172");
    EXPECT_NEAR(layout.findPiece(firstId + 1)->x, 376.6, 1e-9);
    EXPECT_TRUE(joinedBothWays(layout, 1, 1, firstId, 0));
    EXPECT_TRUE(joinedBothWays(layout, firstId, 1, firstId + 1, 0));
    EXPECT_TRUE(joinedBothWays(layout, firstId + 1, 1, 2, 0));
}

TEST(AutofillPlace, CancelChangesNothingAndTakesNoSnapshot) {
    for (int answer : {-1, 12}) {
        Layout layout = twoEnds(360);
        const std::string before = describe(layout);
        ScriptedPrompter prompter;
        ScriptedChooser chooser;
        chooser.answers.push_back(answer);
        EXPECT_EQ(autofillGap(layout, prompter, chooser).result, AutofillResult::Cancelled);
        EXPECT_EQ(describe(layout), before) << answer; // includes the undo depth
    }
}

// B's connector beside A's line: the last piece joins B within 25 mm sideways, not past it.
TEST(AutofillPlace, LastPieceJoinsBOnlyWhereItMeetsIt) {
    for (const auto& [sideways, joinsB] : {std::pair<double, bool>{24.9, true}, {25.1, false}}) {
        Layout layout = twoEnds(360);
        PlacedPiece& b = layout.pieces[1];
        b.x = 188.3 + std::sqrt(360.0 * 360.0 - sideways * sideways);
        b.y = sideways;
        ScriptedPrompter prompter;
        ScriptedChooser chooser;
        chooser.answers.push_back(0);
        const AutofillOutcome outcome = autofillGap(layout, prompter, chooser);
        ASSERT_EQ(outcome.placed.size(), 1u) << sideways;
        const PlacedPiece& fill = *layout.findPiece(outcome.placed[0]);
        EXPECT_EQ(fill.jointAt(0).target, 1) << sideways;
        EXPECT_EQ(fill.jointAt(1).target, joinsB ? 2 : -1) << sideways;
        EXPECT_EQ(layout.findPiece(2)->jointAt(0).target, joinsB ? fill.id : -1) << sideways;
    }
}

// An adapter's far end is of another system and a ramp half needs its partner: neither may
// appear inside a fill, at any gap their length would make up.
TEST(AutofillOffer, AdaptersAndRampHalvesAreNeverOffered) {
    const auto offersPart = [](const std::vector<std::string>& lines, const std::string& part) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        });
    };
    struct Case {
        const char* name;
        double gap;
        const char* plainFill; // still offered; nullptr when no plain fill exists
    };
    const Case cases[] = {
        {"adapter plus two short straights", 368.4, nullptr},
        {"two adapter or ramp lengths", 360.0, "24360  (360.0 mm)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = twoEnds(c.gap);
        ScriptedPrompter prompter;
        ScriptedChooser chooser;
        autofillGap(layout, prompter, chooser);
        const std::vector<std::string> lines =
            chooser.shown.empty() ? std::vector<std::string>{} : chooser.shown[0].lines;
        EXPECT_FALSE(offersPart(lines, "24922"));
        EXPECT_FALSE(offersPart(lines, "74618"));
        if (c.plainFill) {
            EXPECT_TRUE(std::find(lines.begin(), lines.end(), c.plainFill) != lines.end());
        }
    }
}
