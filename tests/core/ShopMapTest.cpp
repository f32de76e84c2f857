#include "shell/ShopMap.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

using namespace plandor;

namespace {

ShopMapLoad read(const std::string& text) {
    std::istringstream in(text);
    return readShopMap(in);
}

const char* const kShopLine = "shop\thttps://shop.test\n";

} // namespace

TEST(ShopMap, ShippedFileCoversExactlyTheShopsParts) {
    const ShopMapLoad load =
        loadShopMap(std::string(PLANDOR_TEST_DATA) + "/../../data/" + kShopMapFileName);
    EXPECT_TRUE(load.problems.empty()) << load.problems.front();
    EXPECT_EQ(load.shop.baseAddress.rfind("https://", 0), 0u);

    const std::string parts =
        "2200 2201 2202 2203 2204 2205 2206 2207 2208 2209 2210 2221 2223 2224 2229 2231 2232 "
        "2233 2234 2235 2239 2241 2251 2257 2258 2259 2260 2262 2263 2265 2266 2268 2269 2270 "
        "22715 22716 2274 2275 2290 2291 2292 2293 2295 2297 2299 24001 24064 24071 24077 24094 "
        "24107 24115 24130 24172 24188 24194 24206 24207 24215 24224 24229 24230 24236 24294 "
        "24315 24330 24360 24430 24530 24611 24612 24624 24630 24640 24649 24671 24672 24711 "
        "24712 24720 24740 24771 24772 24802 24900 24902 24903 24904 24905 24912 24922 24951 "
        "24977 24978 24994 24995 24997 7262 7263 7267 72886 7389 7391 74030 74040 74041 74042 "
        "74043 74044 74046 74101 74103 74104 74105 74106 74110 74121 74131 74132 74133 74141 "
        "74142 74151 74371 74380 74391 74462 74465 74466 74467 74470 74471 74477 74491 74492 "
        "74500 74613 74618 74620 74623 74636 74861 74862 74871 74923 74924 74930 74990 74994 "
        "74995 74997 74999 75491 7569 8500 8503 8504 8505 85051 8506 8507 8510 8520 8521 8529 "
        "8530 8531 8539 8559 8560 8562 8563 8565 8566 8568 8569 8587 8588 8589 8590 8591 8592 "
        "8594 85941 89011 89012 89013 89023 89024 89025 8904 8911 8912 8913 8914 89201 8921 "
        "8922 8923 8924 8925 8926 8927 8931 89390 89391 89392 89393 89394 89395 89401 89402 "
        "89403 8945 8946 8950 8953 8954 89601 89703 89705 89708 89709 8974 8975 89758 89759 "
        "8976 89769 8977 8978 8979 89791 89805 89808 89835 89871 89881 89891 8991 8992 8993 "
        "8994 8995 8997 89971 89982 89983 8999";
    std::set<std::string> expected;
    std::istringstream in(parts);
    for (std::string part; in >> part;)
        expected.insert(part);
    ASSERT_EQ(expected.size(), 249u);

    std::set<std::string> shipped;
    for (const auto& [part, variant] : load.shop.variants) {
        shipped.insert(part);
        EXPECT_EQ(variant.size(), 14u) << part;
    }
    EXPECT_EQ(shipped, expected);
}

TEST(ShopMap, ReadsAddressAndVariants) {
    const ShopMapLoad load =
        read("\xEF\xBB\xBF# comment\r\n\r\nshop https://shop.test/\r\n24188\t12345678901234\r\n"
             "  74618   22222222222222  \n");
    EXPECT_TRUE(load.problems.empty());
    EXPECT_EQ(load.shop.baseAddress, "https://shop.test");
    ASSERT_NE(load.shop.variantOf("24188"), nullptr);
    EXPECT_EQ(*load.shop.variantOf("24188"), "12345678901234");
    EXPECT_EQ(*load.shop.variantOf("74618"), "22222222222222");
    EXPECT_EQ(load.shop.variantOf("2200"), nullptr);
}

TEST(ShopMap, BadLinesAreSkippedAndTheRestKept) {
    struct Case {
        const char* name;
        const char* line;
    };
    const Case cases[] = {
        {"OneField", "24188\n"},
        {"ThreeFields", "24188 123 456\n"},
        {"LettersInId", "24188 12a4\n"},
        {"NegativeId", "24188 -1234\n"},
        {"IdTooLong", "24188 123456789012345678901\n"},
        {"QueryInId", "24188 1?x=2\n"},
    };
    for (const Case& c : cases) {
        const ShopMapLoad load = read(std::string(kShopLine) + c.line + "2200 1\n");
        EXPECT_EQ(load.problems.size(), 1u) << c.name;
        EXPECT_EQ(load.problems.at(0).rfind("line 2: ", 0), 0u) << c.name;
        EXPECT_FALSE(load.shop.sells("24188")) << c.name;
        EXPECT_TRUE(load.shop.sells("2200")) << c.name;
    }
}

TEST(ShopMap, RepeatedPartKeepsTheFirstId) {
    const ShopMapLoad load = read(std::string(kShopLine) + "2200 1\n2200 2\n");
    EXPECT_EQ(*load.shop.variantOf("2200"), "1");
    EXPECT_EQ(load.problems.size(), 1u);
}

TEST(ShopMap, WithoutAValidSecureAddressNothingIsSold) {
    struct Case {
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {"NoAddress", "2200 1\n"},
        {"PlainHttp", "shop http://shop.test\n2200 1\n"},
        {"OtherScheme", "shop javascript:alert(1)\n2200 1\n"},
        {"NoHost", "shop https://\n2200 1\n"},
        {"QueryInAddress", "shop https://shop.test/?next=evil\n2200 1\n"},
        {"FragmentInAddress", "shop https://shop.test#x\n2200 1\n"},
    };
    for (const Case& c : cases) {
        const ShopMapLoad load = read(c.text);
        EXPECT_TRUE(load.shop.variants.empty()) << c.name;
        EXPECT_TRUE(load.shop.baseAddress.empty()) << c.name;
        EXPECT_FALSE(load.problems.empty()) << c.name;
    }
}

TEST(ShopMap, SecondAddressIsIgnored) {
    const ShopMapLoad load = read("shop https://a.test\nshop https://b.test\n2200 1\n");
    EXPECT_EQ(load.shop.baseAddress, "https://a.test");
    EXPECT_EQ(load.problems.size(), 1u);
}

TEST(ShopMap, MissingFileIsAProblemNotACrash) {
    const ShopMapLoad load = loadShopMap("/nonexistent/shop-variants.tsv");
    EXPECT_TRUE(load.shop.variants.empty());
    EXPECT_EQ(load.problems.front(), "Cannot open file: /nonexistent/shop-variants.tsv");
}

TEST(ShopMap, HostNameForTheLink) {
    EXPECT_EQ(shopHostName("https://shop.test"), "shop.test");
    EXPECT_EQ(shopHostName("https://shop.test:8443/store"), "shop.test:8443");
}
