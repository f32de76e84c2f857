#pragma once
// A browser for tests: records the addresses opened and the texts put on the clipboard, and
// can play a machine without a browser or without a clipboard.
#include "core/base/BrowserOpener.h"

#include <string>
#include <vector>

namespace plandor {

class RecordingBrowser : public BrowserOpener {
  public:
    bool browserFound = true;
    bool clipboardWorks = true;
    std::vector<std::string> opened;
    std::vector<std::string> copied;
    bool open(const std::string& url) override {
        if (browserFound)
            opened.push_back(url);
        return browserFound;
    }
    bool copyToClipboard(const std::string& text) override {
        if (clipboardWorks)
            copied.push_back(text);
        return clipboardWorks;
    }
};

} // namespace plandor
