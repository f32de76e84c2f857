#include "app/ShopMap.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace plandor;

namespace {

ShopMapLoad read(const std::string& text) {
    std::istringstream in(text);
    return readShopMap(in);
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
