#include "wxrender/View3DFrame.h"
#include "wxrender/TrackGLCanvas.h"

#include <wx/sizer.h>

namespace plandor {

View3DFrame::View3DFrame(wxWindow* parent, const plandor::Layout& layout)
    : wxFrame(parent, wxID_ANY, "3D View - Plandor", wxDefaultPosition, wxSize(1000, 700),
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT) {
    CreateStatusBar(1);
    SetStatusText("Left drag: rotate  |  Right drag: pan  |  Scroll: zoom  |  R: reset view");
    canvas_ = new TrackGLCanvas(this, layout);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(canvas_, 1, wxEXPAND);
    SetSizer(sizer);
    Show();
}

void View3DFrame::rebuildScene(const plandor::Layout& layout) {
    canvas_->rebuildScene(layout);
}

} // namespace plandor
