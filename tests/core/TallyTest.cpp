#include "app/Tally.h"
#include "LayoutBuilder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace plandor;

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

Layout layoutOf(const std::vector<std::string>& parts) {
    Layout layout;
    for (const std::string& part : parts)
        addPiece(layout, part);
    return layout;
}

// The rows of the tally, or with `skipParts` only those after the part rows.
Rows rowsOf(const std::vector<std::string>& parts, bool skipParts = false) {
    const TallyContent content = tallyContent(layoutOf(parts), ShopMap{});
    Rows rows;
    for (std::size_t i = skipParts ? content.counts.size() : 0; i < content.rows.size(); ++i)
        rows.emplace_back(content.rows[i].piece, content.rows[i].count);
    return rows;
}

} // namespace

TEST(Tally, StraightRampShowsItsDeckTrack) {
    EXPECT_EQ(rowsOf({"74618"}), (Rows{{"24172 - 171.7mm", "1"},
                                       {"24188 - 188.3mm", "1"},
                                       {"74618 Straight Ramp 180mm (pair)", "1"}}));
}

TEST(Tally, TurnoutsGetMotorAndDecoderRecommendations) {
    EXPECT_EQ(rowsOf({"24630"}, true),
              (Rows{{"We Recommend", ""}, {"74491 Turnout Motor", "2"}, {"74462 Decoder", "1"}}));
    EXPECT_EQ(
        rowsOf({"24720"}, true),
        (Rows{{"We Recommend", ""}, {"74491 Turnout Motor", "1"}, {"74467 Decoder (24720)", "1"}}));
    EXPECT_EQ(rowsOf({"24188", "24130", "74618", "2200"}, true), Rows{});
}

TEST(Tally, RowsFollowByteWiseOrderOfPartNumbers) {
    const TallyContent content =
        tallyContent(layoutOf({"8500", "74618", "7263", "24188", "2200"}), ShopMap{});
    std::vector<std::string> keys;
    for (const auto& entry : content.counts)
        keys.push_back(entry.first);
    EXPECT_EQ(keys, (std::vector<std::string>{"2200", "24172", "24188", "7263", "74618", "8500"}));
    EXPECT_EQ(content.rows.at(0).count, "3"); // the K-Track arch bridge adds two straights
}

TEST(Tally, TwoAndAHalfTurnHelixAddsThirtyOfEachRingPart) {
    Layout layout = layoutOf({"24130", "24130"});
    Helix helix;
    helix.variant = "proses_2_5_r1r2";
    layout.helices.push_back(helix);
    EXPECT_EQ(tallyCounts(layout, ShopMap{}), (CountMap{{"24130", 32}, {"24230", 30}}));
}
