#include "gui/wxrender/View3DFrame.h"
#include "gui/wxrender/TrackGLCanvas.h"

#include <wx/sizer.h>

namespace plandor {

const char* const View3DFrame::kHint = "Left drag or arrows: rotate  |  Right drag: pan  |  "
                                       "Scroll or +/-: zoom  |  R: reset view  |  Esc: close";
const char* const View3DFrame::kCutNotice = "Layout too large: part left out";

View3DFrame::View3DFrame(wxWindow* parent, const plandor::Layout& layout)
    : wxFrame(parent, wxID_ANY, "3D View - Plandor", wxDefaultPosition, wxSize(1000, 700),
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT) {
    CreateStatusBar(1);
    canvas_ = new TrackGLCanvas(this, layout);
    showHint();
    // The window's own keys come first: passed on, they reach the main window's shortcuts,
    // where Ctrl+W would close the layout instead of this view and + would zoom the plan.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (canvas_->cameraKey(event))
            return;
        const bool ctrlW = event.GetModifiers() == wxMOD_CONTROL &&
                           (event.GetKeyCode() == 'W' || event.GetKeyCode() == 'w');
        if (ctrlW || (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers())) {
            Close();
            return;
        }
        event.Skip();
    });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(canvas_, 1, wxEXPAND);
    SetSizer(sizer);
    Show();
}

void View3DFrame::rebuildScene(const plandor::Layout& layout) {
    canvas_->rebuildScene(layout);
    showHint();
}

void View3DFrame::showHint() {
    wxString hint = kHint;
    if (canvas_->scene().cut)
        hint = wxString(kCutNotice) + "  |  " + hint;
    SetStatusText(hint);
}

} // namespace plandor
