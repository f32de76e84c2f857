#include "app/MainWindowFactory.h"

#include "model/Layout.h"

#include <wx/frame.h>

namespace plandor {

namespace {
// Stands in for the full main window: a frame with the program's title and size and the
// layout it owns.
class StartFrame : public wxFrame {
  public:
    StartFrame()
        : wxFrame(nullptr, wxID_ANY, "Plandor v1.3 by Korvane Models", wxDefaultPosition,
                  wxSize(1400, 900)) {}
    plandor::Layout layout; // qualified: wxWindow has a Layout() member
};
} // namespace

MainWindow createMainWindow() {
    auto* frame = new StartFrame();
    return MainWindow{frame, &frame->layout};
}

} // namespace plandor
