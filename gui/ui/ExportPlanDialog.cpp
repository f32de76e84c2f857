#include "gui/ui/ExportPlanDialog.h"

#include <wx/choice.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

namespace plandor {

ExportPlanDialog::ExportPlanDialog(wxWindow* parent, const PlanExportOptions& initial)
    : wxDialog(parent, wxID_ANY, "Export Plan") {
    auto* top = new wxBoxSizer(wxVERTICAL);
    const wxString scalingChoices[] = {"Fit to one sheet", "Actual scale 1 : N"};
    scaling_ = new wxRadioBox(this, wxID_ANY, "Scaling", wxDefaultPosition, wxDefaultSize, 2,
                              scalingChoices, 1, wxRA_SPECIFY_COLS);
    scaling_->SetSelection(initial.scaleDenominator > 0 ? 1 : 0);
    top->Add(scaling_, 0, wxEXPAND | wxALL, 6);

    auto* nRow = new wxBoxSizer(wxHORIZONTAL);
    nRow->Add(new wxStaticText(this, wxID_ANY, "    1 :"), 0, wxALIGN_CENTER_VERTICAL);
    denominator_ = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                  wxSP_ARROW_KEYS, 1, 1000,
                                  initial.scaleDenominator > 0 ? initial.scaleDenominator : 10);
    nRow->Add(denominator_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    top->Add(nRow, 0, wxLEFT | wxRIGHT | wxBOTTOM, 6);

    auto* paperRow = new wxBoxSizer(wxHORIZONTAL);
    paperRow->Add(new wxStaticText(this, wxID_ANY, "Paper (PDF pages, fitted sheet):"), 0,
                  wxALIGN_CENTER_VERTICAL);
    const wxString papers[] = {"A4", "A3", "A2"};
    paper_ = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 3, papers);
    paper_->SetSelection(static_cast<int>(initial.paper));
    paperRow->Add(paper_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    top->Add(paperRow, 0, wxALL, 6);

    top->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 6);
    SetSizerAndFit(top);
    scaling_->Bind(wxEVT_RADIOBOX, [this](wxCommandEvent&) { enableDenominator(); });
    enableDenominator();
}

void ExportPlanDialog::enableDenominator() {
    denominator_->Enable(scaling_->GetSelection() == 1);
}

PlanExportOptions ExportPlanDialog::options() const {
    PlanExportOptions options;
    options.scaleDenominator = scaling_->GetSelection() == 1 ? denominator_->GetValue() : 0;
    options.paper = static_cast<PaperSize>(std::max(0, paper_->GetSelection()));
    return options;
}

} // namespace plandor
