#pragma once
// Buy Track: turns the layout into a shopping-cart address of the maker's web shop and opens
// it in the browser, warning about parts the shop does not sell.

#include "core/app/ShopMap.h"
#include "core/app/Tally.h"
#include "core/base/BrowserOpener.h"
#include "core/base/Prompter.h"
#include "core/model/Layout.h"

#include <string>
#include <vector>

namespace plandor {

// What is bought: placed catalogue pieces and purchasable scenery, without bridge deck track
// or helix curves (the cart buys what is placed).
CountMap purchaseCounts(const Layout& layout, const ShopMap& shop);

struct CartPlan {
    std::string items;                    // "variant:count" joined by ","
    std::vector<std::string> unavailable; // parts the shop does not sell, in count-map order
};

CartPlan planCart(const CountMap& purchases, const ShopMap& shop);

// base address + "/cart/" + items.
std::string cartAddress(const ShopMap& shop, const std::string& items);

// The "Some pieces not available" text listing the skipped parts.
std::string unavailablePartsText(const std::vector<std::string>& parts);

enum class BuyTrackResult { EmptyCart, Opened, BrowserFailed };

// What Buy Track says when no browser starts: the address is on the clipboard (or, when even
// that failed, in the text itself).
std::string noBrowserText(const std::string& address, bool copied);

// The whole Buy Track command: warns through the prompter and opens the cart.
BuyTrackResult buyTrack(const Layout& layout, const ShopMap& shop, Prompter& prompter,
                        BrowserOpener& browser);

// Texts of the "About Buy Track" dialog; its link shows shopHostName of the base address.
constexpr const char* kBuyTrackHelpTitle = "Buy Track - How it works";
constexpr const char* kBuyTrackHelpText =
    "Buy all required track and accessories securely and\nconveniently online from Korvane "
    "Models.\n\nClick Buy Track and you will be taken to the Korvane\nModels website with all "
    "required track waiting\nin the shopping cart for you to review and check out.";
constexpr const char* kBuyTrackHelpButton = "Got it!";

} // namespace plandor
