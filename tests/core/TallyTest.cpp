#include "shell/Tally.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace plandor;

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

Layout layoutOf(const std::vector<std::string>& parts) {
    Layout layout;
    for (const std::string& part : parts) {
        PlacedPiece piece = makePlacedPiece(part);
        piece.id = layout.takeId();
        layout.pieces.push_back(piece);
    }
    return layout;
}

ShopMap shopSelling(const std::vector<std::string>& parts) {
    ShopMap shop;
    shop.baseAddress = "https://shop.test";
    for (const std::string& part : parts)
        shop.variants[part] = "1" + part;
    return shop;
}

Rows rowsOf(const TallyContent& content) {
    Rows rows;
    for (const TallyRow& row : content.rows)
        rows.emplace_back(row.piece, row.count);
    return rows;
}

std::vector<std::string> keysOf(const CountMap& counts) {
    std::vector<std::string> keys;
    for (const auto& entry : counts)
        keys.push_back(entry.first);
    return keys;
}

} // namespace

TEST(Tally, StraightRampShowsItsDeckTrack) {
    const TallyContent content = tallyContent(layoutOf({"74618"}), ShopMap{});
    EXPECT_EQ(rowsOf(content), (Rows{{"24172 - 171.7mm", "1"},
                                     {"24188 - 188.3mm", "1"},
                                     {"74618 Straight Ramp 180mm (pair)", "1"}}));
}

struct DeckCase {
    const char* name;
    std::vector<std::string> placed;
    CountMap expected;
};

class TallyDeck : public testing::TestWithParam<DeckCase> {};

TEST_P(TallyDeck, AddsTheDeckPiecesOncePerBridge) {
    EXPECT_EQ(tallyCounts(layoutOf(GetParam().placed), ShopMap{}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bridges, TallyDeck,
    testing::Values(
        DeckCase{"ArchBridge", {"74636"}, {{"24360", 1}, {"74636", 1}}},
        DeckCase{"KTrackArchAddsTwoStraights", {"7263"}, {{"2200", 2}, {"7263", 1}}},
        DeckCase{"TwoRampsBesideTheirDeckTrack",
                 {"74618", "24188", "74618"},
                 {{"24172", 2}, {"24188", 3}, {"74618", 2}}},
        DeckCase{"TrixBridgeNotInCatalogueStillCounts",
                 {"62636"},
                 {{"62172", 1}, {"62188", 1}, {"62636", 1}}},
        DeckCase{"ZTrackRamp", {"89759", "8976"}, {{"8500", 2}, {"89759", 1}, {"8976", 1}}},
        DeckCase{"PlainTrackAddsNothing", {"24188", "24130"}, {{"24130", 1}, {"24188", 1}}}),
    [](const auto& info) { return info.param.name; });

struct RecommendCase {
    const char* name;
    std::vector<std::string> placed;
    Rows recommended; // rows after the part rows; empty when there is no "We Recommend"
};

class TallyRecommends : public testing::TestWithParam<RecommendCase> {};

TEST_P(TallyRecommends, RowsAfterThePieces) {
    const TallyContent content = tallyContent(layoutOf(GetParam().placed), ShopMap{});
    const Rows rows = rowsOf(content);
    const Rows tail(rows.begin() + content.counts.size(), rows.end());
    EXPECT_EQ(tail, GetParam().recommended);
    if (!tail.empty()) {
        const TallyRow& heading = content.rows[content.counts.size()];
        EXPECT_TRUE(heading.emphasis);
        EXPECT_EQ(std::count_if(content.rows.begin(), content.rows.end(),
                                [](const TallyRow& r) { return r.emphasis; }),
                  1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Turnouts, TallyRecommends,
    testing::Values(
        RecommendCase{"ThreeWayTurnoutTakesTwoMotors",
                      {"24630"},
                      {{"We Recommend", ""}, {"74491 Turnout Motor", "2"}, {"74462 Decoder", "1"}}},
        RecommendCase{
            "DoubleSlipTakesItsOwnDecoder",
            {"24720"},
            {{"We Recommend", ""}, {"74491 Turnout Motor", "1"}, {"74467 Decoder (24720)", "1"}}},
        RecommendCase{"NoTurnoutsNoRecommendation", {"24188", "24130", "74618", "2200"}, {}},
        RecommendCase{"DoubleSlip24624HasADecoderButNoMotor",
                      {"24624"},
                      {{"We Recommend", ""}, {"74462 Decoder", "1"}}},
        RecommendCase{"KTrackTurnoutsTakeKTrackMotors",
                      {"2261", "2277", "2277"},
                      {{"We Recommend", ""}, {"75491 K-Track Motor", "3"}}},
        RecommendCase{"AllFourInTheirOrder",
                      {"24720", "2265", "24611", "24612", "24630"},
                      {{"We Recommend", ""},
                       {"74491 Turnout Motor", "5"},
                       {"75491 K-Track Motor", "1"},
                       {"74462 Decoder", "3"},
                       {"74467 Decoder (24720)", "1"}}}),
    [](const auto& info) { return info.param.name; });

TEST(Tally, HelixAddsTwelveCurvesPerTurnOfEachRing) {
    struct Case {
        const char* variant;
        CountMap expected;
    };
    const Case cases[] = {
        {"proses_2_5_r1r2", {{"24130", 30}, {"24230", 30}}},
        {"proses_4_5_r3r4", {{"24330", 54}, {"24430", 54}}},
        {"proses_3_5_r4r5", {{"24430", 42}, {"24530", 42}}},
        // An unknown variant counts as the default one.
        {"proses_9_r9", {{"24130", 30}, {"24230", 30}}},
    };
    for (const Case& c : cases) {
        Layout layout;
        Helix helix;
        helix.id = layout.takeId();
        helix.variant = c.variant;
        layout.helices.push_back(helix);
        EXPECT_EQ(tallyCounts(layout, ShopMap{}), c.expected) << c.variant;
    }
}

TEST(Tally, HelixCurvesAddToPlacedCurves) {
    Layout layout = layoutOf({"24130", "24130"});
    Helix helix;
    helix.variant = "proses_2_5_r1r2";
    layout.helices.push_back(helix);
    EXPECT_EQ(tallyCounts(layout, ShopMap{}), (CountMap{{"24130", 32}, {"24230", 30}}));
}

TEST(Tally, RowsFollowByteWiseOrderOfPartNumbers) {
    const Layout layout = layoutOf({"8500", "74618", "7263", "24188", "2200"});
    const TallyContent content = tallyContent(layout, ShopMap{});
    EXPECT_EQ(keysOf(content.counts),
              (std::vector<std::string>{"2200", "24172", "24188", "7263", "74618", "8500"}));
    ASSERT_EQ(content.rows.size(), 6u);
    EXPECT_EQ(content.rows[0].piece, "2200 Straight Track Length 180 mm / 7-3/32\"");
    EXPECT_EQ(content.rows[0].count, "3");
    EXPECT_EQ(content.rows[5].piece, "8500 Straight 110mm / 4-3/8\"");
}

TEST(Tally, NamesComeFromTrackThenSceneryThenThePartItself) {
    Layout layout = layoutOf({"99999", "24188"});
    for (const char* item : {"72886", "tree_conifer", "72886"}) {
        SceneryItem s;
        s.item = item;
        layout.scenery.push_back(s);
    }
    const ShopMap shop = shopSelling({"72886", "24188"});
    EXPECT_EQ(
        rowsOf(tallyContent(layout, shop)),
        (Rows{{"24188 - 188.3mm", "1"}, {"Roundhouse 72886 (3-stall)", "2"}, {"99999", "1"}}));
}
