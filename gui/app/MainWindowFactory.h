#pragma once
// The one place that decides which window start-up builds as the program's main window.

class wxFrame;

namespace plandor {

class Layout;

// A freshly built main window and the open layout it owns.
struct MainWindow {
    wxFrame* frame = nullptr;
    Layout* layout = nullptr;
};

// Builds the main window, not yet shown. May throw; start-up catches and logs it.
MainWindow createMainWindow();

} // namespace plandor
