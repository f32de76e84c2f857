#pragma once
// The palette on the left of the main window: track systems, pieces, scenery and library
// blocks to drag onto the canvas. For now an empty panel in its place.

#include <wx/panel.h>

namespace plandor {

struct Document;

class PalettePanel : public wxPanel {
public:
    PalettePanel(wxWindow* parent, Document& doc);

private:
    Document& doc_;
};

} // namespace plandor
