#pragma once
// Opens an address in the user's web browser; the GUI launches the default browser.

#include <string>

namespace plandor {

class BrowserOpener {
  public:
    virtual ~BrowserOpener() = default;
    virtual bool open(const std::string& url) = 0;
};

} // namespace plandor
