#pragma once
// Which parts the maker's web shop sells and under which product-variant ids, read from the
// data file shipped beside the program. Buy Track and the tally's purchasable scenery use it.

#include <istream>
#include <string>
#include <unordered_map>
#include <vector>

namespace plandor {

// The file beside the executable that holds the shop's address and variant ids.
constexpr const char* kShopMapFileName = "shop-variants.tsv";

struct ShopMap {
    std::string baseAddress;                               // e.g. "https://host", no trailing "/"
    std::unordered_map<std::string, std::string> variants; // part number -> variant id

    // The shop's variant id of a part, or null when the shop does not sell it.
    const std::string* variantOf(const std::string& part) const;
    bool sells(const std::string& part) const { return variantOf(part) != nullptr; }
};

struct ShopMapLoad {
    ShopMap shop;
    std::vector<std::string> problems; // one text per skipped line or missing item, for the log
};

// Reads the shop map; bad lines are skipped and reported. Without a valid https address the
// map is empty, so a damaged file never sends a cart to an unknown place.
ShopMapLoad readShopMap(std::istream& in);
ShopMapLoad loadShopMap(const std::string& path);

// The host of an address ("https://shop.example/x" -> "shop.example"), shown as link text.
std::string shopHostName(const std::string& baseAddress);

} // namespace plandor
