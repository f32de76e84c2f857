#include "core/app/Cart.h"
#include "LayoutBuilder.h"
#include "RecordingBrowser.h"

#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

Layout layoutOf(const std::vector<std::string>& parts,
                const std::vector<std::string>& scenery = {}) {
    Layout layout;
    for (const std::string& part : parts)
        addPiece(layout, part);
    for (const std::string& item : scenery)
        addScenery(layout, item);
    return layout;
}

// A shop whose variant id of each part is "v" followed by the part number.
const ShopMap kShop = [] {
    ShopMap shop;
    shop.baseAddress = "https://shop.test";
    for (const char* part : {"24188", "24172", "24630", "72886", "74491", "74462"})
        shop.variants[part] = std::string("v") + part;
    return shop;
}();

} // namespace

TEST(Cart, AddressListsVariantsWithCountsInPartOrderThenAccessories) {
    ScriptedPrompter prompter;
    RecordingBrowser browser;
    const Layout layout =
        layoutOf({"24630", "24188", "24188", "24172", "99999"}, {"72886", "tree_conifer"});
    EXPECT_EQ(buyTrack(layout, kShop, prompter, browser), BuyTrackResult::Opened);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(browser.opened, (std::vector<std::string>{
                                  "https://shop.test/cart/v24172:1,v24188:2,v24630:1,v72886:1,"
                                  "v74491:2,v74462:1"}));
}

TEST(Cart, EmptyCartTellsAndOpensNothing) {
    // Unsold parts alone give an empty cart: only the empty-cart message is shown.
    for (const Layout& layout : {Layout{}, layoutOf({"99999", "62188"}, {"tree_conifer"})}) {
        ScriptedPrompter prompter;
        RecordingBrowser browser;
        EXPECT_EQ(buyTrack(layout, kShop, prompter, browser), BuyTrackResult::EmptyCart);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, "No purchasable track pieces found in your layout.");
        EXPECT_TRUE(browser.opened.empty());
    }
}

TEST(Cart, WithoutABrowserTheAddressGoesToTheClipboardAndTheUserIsTold) {
    for (const bool clipboardWorks : {true, false}) {
        ScriptedPrompter prompter;
        RecordingBrowser browser;
        browser.browserFound = false;
        browser.clipboardWorks = clipboardWorks;
        EXPECT_EQ(buyTrack(layoutOf({"24188"}), kShop, prompter, browser),
                  BuyTrackResult::BrowserFailed);
        EXPECT_EQ(browser.copied.size(), clipboardWorks ? 1u : 0u);
        ASSERT_EQ(prompter.messages.size(), 1u);
        const std::string& text = prompter.messages[0].text;
        EXPECT_EQ(text.rfind("No web browser was found.", 0), 0u);
        // Without the clipboard the address is in the message itself.
        EXPECT_EQ(text.find("https://shop.test/cart/v24188:1") != std::string::npos,
                  !clipboardWorks);
    }
}
