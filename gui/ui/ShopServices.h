#pragma once
// The shop map shipped beside the executable and the default web browser, as Buy Track
// and the Buy Track help use them.

#include "core/app/Cart.h"
#include "core/app/ShopMap.h"

namespace plandor {

// The shop map read from the executable's folder on first use; problems go to the log.
const ShopMap& installedShopMap();

// Opens addresses in the user's default web browser and puts text on the system clipboard.
class WxBrowserOpener : public BrowserOpener {
  public:
    bool open(const std::string& url) override;
    bool copyToClipboard(const std::string& text) override;
};

} // namespace plandor
