#include "canvas/PalettePanel.h"

namespace plandor {

PalettePanel::PalettePanel(wxWindow* parent, Document& doc)
    : wxPanel(parent, wxID_ANY), doc_(doc) {}

} // namespace plandor
