#pragma once
// Opens an address in the user's web browser; the GUI launches the default browser and owns
// the system clipboard.

#include <string>

namespace plandor {

class BrowserOpener {
  public:
    virtual ~BrowserOpener() = default;
    virtual bool open(const std::string& url) = 0;
    // Where no browser can be started the address is handed over as text instead.
    virtual bool copyToClipboard(const std::string& text) = 0;
};

} // namespace plandor
