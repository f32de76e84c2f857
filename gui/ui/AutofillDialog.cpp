#include "gui/ui/AutofillDialog.h"

#include "gui/platform/WxText.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace plandor {

AutofillDialog::AutofillDialog(wxWindow* parent, const FillDialog& content)
    : wxDialog(parent, wxID_ANY, toWx(content.title), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, toWx(content.text)), 0, wxALL, 8);

    wxArrayString lines;
    for (const std::string& line : content.lines)
        lines.Add(toWx(line));
    list_ = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(360, 220), lines, wxLB_SINGLE);
    if (content.initialLine >= 0 && content.initialLine < static_cast<int>(lines.size()))
        list_->SetSelection(content.initialLine);
    sizer->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* place = new wxButton(this, content.placeId, toWx(content.placeLabel));
    auto* cancel = new wxButton(this, content.cancelId, toWx(content.cancelLabel));
    buttons->Add(place, 0, wxRIGHT, 8);
    buttons->Add(cancel);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 8);
    place->SetDefault();

    // The buttons carry their own ids, so each ends the dialog with its id.
    const auto endWithId = [this](wxCommandEvent& event) { EndModal(event.GetId()); };
    place->Bind(wxEVT_BUTTON, endWithId);
    cancel->Bind(wxEVT_BUTTON, endWithId);
    SetEscapeId(content.cancelId);

    SetSizerAndFit(sizer);
    CentreOnParent();
}

int WxFillChooser::chooseFill(const FillDialog& content) {
    AutofillDialog dialog(parent_, content);
    if (dialog.ShowModal() != content.placeId)
        return -1;
    const int line = dialog.list()->GetSelection();
    return line == wxNOT_FOUND ? -1 : line;
}

} // namespace plandor
