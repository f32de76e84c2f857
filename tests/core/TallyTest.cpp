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

// The rows of the tally after the part rows.
Rows recommendedRows(const std::vector<std::string>& parts) {
    const TallyContent content = tallyContent(layoutOf(parts), ShopMap{});
    Rows rows;
    for (std::size_t i = content.counts.size(); i < content.rows.size(); ++i)
        rows.emplace_back(content.rows[i].piece, content.rows[i].count);
    return rows;
}

} // namespace

// The ramp's deck track and the three-way turnout's recommendations are read back from the
// parts list; here the decoder a turnout asks for, and none for plain track.
TEST(Tally, RecommendationsFollowTheTurnouts) {
    EXPECT_EQ(
        recommendedRows({"24720"}),
        (Rows{{"We Recommend", ""}, {"74491 Turnout Motor", "1"}, {"74467 Decoder (24720)", "1"}}));
    EXPECT_EQ(recommendedRows({"24188", "24130", "74618", "2200"}), Rows{});
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
