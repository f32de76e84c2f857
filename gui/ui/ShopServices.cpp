#include "ui/ShopServices.h"

#include "base/Folders.h"
#include "base/TraceLog.h"
#include "ui/SystemFolders.h"
#include "ui/WxText.h"

#include <wx/utils.h>

namespace plandor {

const ShopMap& installedShopMap() {
    static const ShopMap shop = [] {
        ShopMapLoad load = loadShopMap(findFileIn(shippedDataFolders(), kShopMapFileName));
        for (const std::string& problem : load.problems)
            appLog().write("Shop map: " + problem);
        return std::move(load.shop);
    }();
    return shop;
}

bool WxBrowserOpener::open(const std::string& url) {
    return wxLaunchDefaultBrowser(toWx(url));
}

} // namespace plandor
