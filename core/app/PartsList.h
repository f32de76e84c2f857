#pragma once
// The parts list as CSV (RFC 4180) for spreadsheets: the tally's counts, deck track of
// bridges and helix curves included, then the recommended accessories.

#include "core/app/ShopMap.h"
#include "core/model/Layout.h"

#include <string>

namespace plandor {

// A field quoted when it holds a comma, a quote or a line break; quotes are doubled.
std::string csvField(const std::string& text);

// Header "Part number,Description,Count,Note", one row per tally entry in part-number order,
// then the accessories with the note "Recommended". Lines end with CR LF.
std::string partsListCsv(const Layout& layout, const ShopMap& shop);

// Writes the parts list; empty on success, else a message for the user.
std::string writePartsList(const Layout& layout, const ShopMap& shop, const std::string& path);

} // namespace plandor
