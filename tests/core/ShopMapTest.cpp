// The shop's part map and the tally of parts it prices.
#include "core/app/ShopMap.h"
#include "LayoutBuilder.h"
#include "core/app/Tally.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace plandor;

namespace {

ShopMapLoad read(const std::string& text) {
    std::istringstream in(text);
    return readShopMap(in);
}

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

TEST(ShopMap, ShippedFileLoadsCleanly) {
    const ShopMapLoad load =
        loadShopMap(std::string(PLANDOR_TEST_DATA) + "/../../data/" + kShopMapFileName);
    EXPECT_TRUE(load.problems.empty()) << load.problems.front();
    EXPECT_EQ(load.shop.baseAddress.rfind("https://", 0), 0u);
    EXPECT_TRUE(load.shop.sells("24188") && load.shop.sells("74618"));
}

TEST(ShopMap, ReadsAddressAndVariantsThroughBomCrLfAndBlanks) {
    const ShopMapLoad load =
        read("\xEF\xBB\xBF# comment\r\n\r\nshop https://shop.test/\r\n24188\t12345678901234\r\n"
             "  74618   22222222222222  \n");
    EXPECT_TRUE(load.problems.empty());
    EXPECT_EQ(load.shop.baseAddress, "https://shop.test");
    ASSERT_NE(load.shop.variantOf("24188"), nullptr);
    EXPECT_EQ(*load.shop.variantOf("74618"), "22222222222222");
    EXPECT_EQ(load.shop.variantOf("2200"), nullptr);
}

TEST(ShopMap, BadLinesAreSkippedAndTheRestKept) {
    for (const char* line : {"24188\n", "24188 123 456\n", "24188 12a4\n", "24188 -1234\n",
                             "24188 123456789012345678901\n", "24188 1?x=2\n"}) {
        const ShopMapLoad load = read(std::string("shop\thttps://shop.test\n") + line + "2200 1\n");
        ASSERT_EQ(load.problems.size(), 1u) << line;
        EXPECT_EQ(load.problems[0].rfind("line 2: ", 0), 0u) << line;
        EXPECT_FALSE(load.shop.sells("24188")) << line;
        EXPECT_TRUE(load.shop.sells("2200")) << line;
    }
    const ShopMapLoad repeated = read("shop https://shop.test\n2200 1\n2200 2\n");
    EXPECT_EQ(*repeated.shop.variantOf("2200"), "1");
    EXPECT_EQ(repeated.problems.size(), 1u);
}

TEST(ShopMap, WithoutAValidSecureAddressNothingIsSold) {
    for (const char* text :
         {"2200 1\n", "shop http://shop.test\n2200 1\n", "shop javascript:alert(1)\n2200 1\n",
          "shop https://\n2200 1\n", "shop https://shop.test/?next=evil\n2200 1\n"}) {
        const ShopMapLoad load = read(text);
        EXPECT_TRUE(load.shop.variants.empty()) << text;
        EXPECT_FALSE(load.problems.empty()) << text;
    }
    const ShopMapLoad missing = loadShopMap("/nonexistent/shop-variants.tsv");
    EXPECT_EQ(missing.problems.at(0), "Cannot open file: /nonexistent/shop-variants.tsv");
}

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
