#include "shell/Cart.h"

#include "RecordingPrompter.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

class RecordingBrowser : public BrowserOpener {
  public:
    std::vector<std::string> opened;
    bool succeeds = true;
    bool open(const std::string& url) override {
        opened.push_back(url);
        return succeeds;
    }
};

Layout layoutOf(const std::vector<std::string>& parts,
                const std::vector<std::string>& scenery = {}) {
    Layout layout;
    for (const std::string& part : parts) {
        PlacedPiece piece = makePlacedPiece(part);
        piece.id = layout.takeId();
        layout.pieces.push_back(piece);
    }
    for (const std::string& item : scenery) {
        SceneryItem s;
        s.id = layout.takeId();
        s.item = item;
        layout.scenery.push_back(s);
    }
    return layout;
}

// A shop whose variant id of each part is "v" followed by the part number.
ShopMap shopSelling(const std::vector<std::string>& parts) {
    ShopMap shop;
    shop.baseAddress = "https://shop.test";
    for (const std::string& part : parts)
        shop.variants[part] = "v" + part;
    return shop;
}

const ShopMap kShop = shopSelling(
    {"24188", "24172", "24630", "74618", "72886", "74491", "74462", "74467", "75491", "24720"});

} // namespace

TEST(Cart, AddressListsVariantsWithCountsInPartOrderThenAccessories) {
    const Layout layout =
        layoutOf({"24630", "24188", "24188", "24172", "99999"}, {"72886", "tree_conifer"});
    RecordingPrompter prompter;
    RecordingBrowser browser;
    EXPECT_EQ(buyTrack(layout, kShop, prompter, browser), BuyTrackResult::Opened);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(browser.opened, (std::vector<std::string>{
                                  "https://shop.test/cart/v24172:1,v24188:2,v24630:1,v72886:1,"
                                  "v74491:2,v74462:1"}));
}

TEST(Cart, BuysTheBridgeWithoutItsDeckOrHelixCurves) {
    Layout layout = layoutOf({"74618"});
    Helix helix;
    helix.variant = "proses_2_5_r1r2";
    layout.helices.push_back(helix);
    EXPECT_EQ(purchaseCounts(layout, kShop), (CountMap{{"74618", 1}}));
    EXPECT_EQ(planCart(purchaseCounts(layout, kShop), kShop).items, "v74618:1");
}

TEST(Cart, AccessoriesFollowTheCountsAndTheShop) {
    struct Case {
        const char* name;
        std::vector<std::string> placed;
        ShopMap shop;
        std::string items;
    };
    const Case cases[] = {
        {"DoubleSlip", {"24720"}, kShop, "v24720:1,v74491:1,v74467:1"},
        {"KTrackMotorsFromUnsoldTurnout", {"2263", "2263"}, shopSelling({"75491"}), "v75491:2"},
        {"MotorNotSold", {"24630"}, shopSelling({"24630", "74462"}), "v24630:1,v74462:1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(planCart(purchaseCounts(layoutOf(c.placed), c.shop), c.shop).items, c.items)
            << c.name;
}

TEST(Cart, UnavailablePartsAreNamedOnceAndSkipped) {
    const Layout layout = layoutOf({"62188", "24188", "62130", "62188"});
    RecordingPrompter prompter;
    RecordingBrowser browser;
    EXPECT_EQ(buyTrack(layout, kShop, prompter, browser), BuyTrackResult::Opened);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Some pieces not available");
    EXPECT_EQ(prompter.messages[0].text,
              "The following pieces are not available in the store and will be skipped:\n"
              "  62130\n"
              "  62188\n");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Warning);
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"https://shop.test/cart/v24188:1"}));
}

TEST(Cart, EmptyCartTellsAndOpensNothing) {
    struct Case {
        const char* name;
        Layout layout;
    };
    const Case cases[] = {
        {"EmptyLayout", Layout{}},
        {"OnlyPartsUnknownToTheCatalogue", layoutOf({"99999", "abc"})},
        // Unsold parts alone give an empty cart: only the empty-cart message is shown.
        {"OnlyUnsoldParts", layoutOf({"62188"})},
        {"OnlyUnsoldScenery", layoutOf({}, {"tree_conifer"})},
    };
    for (const Case& c : cases) {
        RecordingPrompter prompter;
        RecordingBrowser browser;
        EXPECT_EQ(buyTrack(c.layout, kShop, prompter, browser), BuyTrackResult::EmptyCart)
            << c.name;
        ASSERT_EQ(prompter.messages.size(), 1u) << c.name;
        EXPECT_EQ(prompter.messages[0].title, "Buy Track");
        EXPECT_EQ(prompter.messages[0].text, "No purchasable track pieces found in your layout.");
        EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Information);
        EXPECT_TRUE(browser.opened.empty()) << c.name;
    }
}

TEST(Cart, BrowserThatFailsIsReported) {
    RecordingPrompter prompter;
    RecordingBrowser browser;
    browser.succeeds = false;
    EXPECT_EQ(buyTrack(layoutOf({"24188"}), kShop, prompter, browser),
              BuyTrackResult::BrowserFailed);
    EXPECT_EQ(browser.opened.size(), 1u);
}
