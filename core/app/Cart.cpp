#include "core/app/Cart.h"

#include "core/catalog/TrackCatalog.h"

namespace plandor {

namespace {

void appendItem(std::string& items, const std::string& variant, int32_t count) {
    if (!items.empty())
        items += ',';
    items += variant;
    items += ':';
    items += std::to_string(count);
}

void appendAccessory(std::string& items, const ShopMap& shop, const char* part, int32_t count) {
    if (count < 1)
        return;
    if (const std::string* variant = shop.variantOf(part))
        appendItem(items, *variant, count);
}

} // namespace

CountMap purchaseCounts(const Layout& layout, const ShopMap& shop) {
    CountMap counts = countPlacedPieces(layout);
    // Pieces the catalogue does not know are shown in the tally but never bought.
    const TrackCatalog& catalog = TrackCatalog::instance();
    for (auto it = counts.begin(); it != counts.end();)
        it = catalog.find(it->first) ? std::next(it) : counts.erase(it);
    addPurchasableScenery(counts, layout.scenery, shop);
    return counts;
}

CartPlan planCart(const CountMap& purchases, const ShopMap& shop) {
    CartPlan plan;
    for (const auto& [part, count] : purchases) {
        if (const std::string* variant = shop.variantOf(part))
            appendItem(plan.items, *variant, count);
        else
            plan.unavailable.push_back(part);
    }
    const Recommendations r = recommendationsFor(purchases);
    appendAccessory(plan.items, shop, "74491", r.turnoutMotors);
    appendAccessory(plan.items, shop, "75491", r.kTrackMotors);
    appendAccessory(plan.items, shop, "74462", r.decoders);
    appendAccessory(plan.items, shop, "74467", r.doubleSlipDecoders);
    return plan;
}

std::string cartAddress(const ShopMap& shop, const std::string& items) {
    return shop.baseAddress + "/cart/" + items;
}

std::string unavailablePartsText(const std::vector<std::string>& parts) {
    std::string text = "The following pieces are not available in the store and will be skipped:\n";
    for (const std::string& part : parts)
        text += "  " + part + "\n";
    return text;
}

BuyTrackResult buyTrack(const Layout& layout, const ShopMap& shop, Prompter& prompter,
                        BrowserOpener& browser) {
    const CartPlan plan = planCart(purchaseCounts(layout, shop), shop);
    if (plan.items.empty()) {
        prompter.message("Buy Track", "No purchasable track pieces found in your layout.",
                         PromptIcon::Information);
        return BuyTrackResult::EmptyCart;
    }
    if (!plan.unavailable.empty())
        prompter.message("Some pieces not available", unavailablePartsText(plan.unavailable),
                         PromptIcon::Warning);
    const std::string address = cartAddress(shop, plan.items);
    if (browser.open(address))
        return BuyTrackResult::Opened;
    const bool copied = browser.copyToClipboard(address);
    prompter.message("Buy Track", noBrowserText(address, copied), PromptIcon::Warning);
    return BuyTrackResult::BrowserFailed;
}

std::string noBrowserText(const std::string& address, bool copied) {
    if (copied)
        return "No web browser was found.\n\nThe address of your cart has been copied to the "
               "clipboard: paste it into a web browser to see your cart.";
    return "No web browser was found.\n\nOpen this address in a web browser to see your "
           "cart:\n" +
           address;
}

} // namespace plandor
