#pragma once
// The one place that decides which window start-up builds as the program's main window.

#include <functional>
#include <string>

class wxFrame;

namespace plandor {

class Layout;
struct LoadedLayout;

// A freshly built main window and the open layout it owns.
struct MainWindow {
    wxFrame* frame = nullptr;
    Layout* layout = nullptr;
    // Opens a layout file named on the command line, already read (see FileCommands).
    std::function<void(const std::string&, LoadedLayout)> openFile;
    // Offers back the recovery copies of windows that did not close normally.
    std::function<void()> offerRecovery;
};

// Builds the main window, not yet shown. May throw; start-up catches and logs it.
MainWindow createMainWindow();

} // namespace plandor
