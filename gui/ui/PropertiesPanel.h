#pragma once
// The properties panel on the right of the main window: the selection's properties and the
// piece tally. For now an empty panel in its place.

#include <wx/panel.h>

namespace plandor {

struct Document;

class PropertiesPanel : public wxPanel {
public:
    PropertiesPanel(wxWindow* parent, Document& doc);

private:
    Document& doc_;
};

} // namespace plandor
