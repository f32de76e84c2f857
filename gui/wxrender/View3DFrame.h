#pragma once
// The 3D view window: one GL canvas showing the layout as it was at the last rebuild.

#include "core/model/Layout.h"

#include <wx/frame.h>

namespace plandor {

class TrackGLCanvas;

class View3DFrame : public wxFrame {
  public:
    // The hint bar: how to move around and leave.
    static const char* const kHint;
    // Put before the hint when the scene had to leave part of the layout out.
    static const char* const kCutNotice;

    View3DFrame(wxWindow* parent, const plandor::Layout& layout);

    // The main window calls this whenever the layout changed in a way the scene shows.
    void rebuildScene(const plandor::Layout& layout);

    TrackGLCanvas* canvas() const { return canvas_; }

  private:
    void showHint();

    TrackGLCanvas* canvas_ = nullptr;
};

} // namespace plandor
