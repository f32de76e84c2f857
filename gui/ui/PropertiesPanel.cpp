#include "ui/PropertiesPanel.h"

namespace plandor {

PropertiesPanel::PropertiesPanel(wxWindow* parent, Document& doc)
    : wxPanel(parent, wxID_ANY), doc_(doc) {}

} // namespace plandor
