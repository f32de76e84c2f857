#include "gui/platform/ShopServices.h"

#include "core/base/Folders.h"
#include "core/base/TraceLog.h"
#include "gui/platform/SystemFolders.h"
#include "gui/platform/WxText.h"

#include <wx/clipbrd.h>
#include <wx/log.h>
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
    // The failure is explained by Buy Track itself, not by the toolkit's raw error.
    wxLogNull quiet;
    return wxLaunchDefaultBrowser(toWx(url));
}

bool WxBrowserOpener::copyToClipboard(const std::string& text) {
    wxClipboardLocker locker;
    if (!locker)
        return false;
    return wxTheClipboard->SetData(new wxTextDataObject(toWx(text)));
}

} // namespace plandor
