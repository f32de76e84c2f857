#include "app/PlandorApp.h"

#include <wx/frame.h>

namespace plandor {

bool PlandorApp::OnInit() {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Plandor v1.3 by Korvane Models", wxDefaultPosition,
                              wxSize(1400, 900));
    frame->Show();
    return true;
}

int PlandorApp::OnExit() { return 0; }

} // namespace plandor
