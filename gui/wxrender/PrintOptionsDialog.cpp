#include "gui/wxrender/PrintOptionsDialog.h"

#include <wx/checkbox.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace plandor {

namespace {
constexpr int kSpinMin = 1;
constexpr int kSpinMax = 1000;
} // namespace

PrintOptionsDialog::PrintOptionsDialog(wxWindow* parent, PrintOptions& options)
    : wxDialog(parent, wxID_ANY, "Print Options"), options_(options) {
    auto* top = new wxBoxSizer(wxVERTICAL);

    const wxString scalingChoices[] = {"Fit to page", "Actual scale 1 : N", "Custom percentage"};
    scaling_ = new wxRadioBox(this, wxID_ANY, "Scaling", wxDefaultPosition, wxDefaultSize, 3,
                              scalingChoices, 1, wxRA_SPECIFY_COLS);
    scaling_->SetSelection(options.scalingMode);
    top->Add(scaling_, 0, wxEXPAND | wxALL, 6);

    auto* nRow = new wxBoxSizer(wxHORIZONTAL);
    denominatorLabel_ = new wxStaticText(this, wxID_ANY, "    1 :");
    denominator_ = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                  wxSP_ARROW_KEYS, kSpinMin, kSpinMax, options.scaleDenominator);
    nRow->Add(denominatorLabel_, 0, wxALIGN_CENTER_VERTICAL);
    nRow->Add(denominator_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    nRow->Add(new wxStaticText(this, wxID_ANY, "  (e.g. 1:10 -- 10 mm on layout = 1 mm on paper)"),
              0, wxALIGN_CENTER_VERTICAL);
    top->Add(nRow, 0, wxLEFT | wxRIGHT | wxBOTTOM, 6);

    auto* pRow = new wxBoxSizer(wxHORIZONTAL);
    percentageLabel_ = new wxStaticText(this, wxID_ANY, "    Scale:");
    percentage_ = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                 wxSP_ARROW_KEYS, kSpinMin, kSpinMax, options.percentage);
    pRow->Add(percentageLabel_, 0, wxALIGN_CENTER_VERTICAL);
    pRow->Add(percentage_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    pRow->Add(new wxStaticText(this, wxID_ANY, "  %"), 0, wxALIGN_CENTER_VERTICAL);
    top->Add(pRow, 0, wxLEFT | wxRIGHT | wxBOTTOM, 6);

    const wxString levelChoices[] = {"Active level only", "All levels (composite)"};
    levels_ = new wxRadioBox(this, wxID_ANY, "Levels", wxDefaultPosition, wxDefaultSize, 2,
                             levelChoices, 1, wxRA_SPECIFY_COLS);
    levels_->SetSelection(options.levelMode);
    top->Add(levels_, 0, wxEXPAND | wxALL, 6);

    const wxString colorChoices[] = {"Color", "Grayscale"};
    colors_ = new wxRadioBox(this, wxID_ANY, "Color", wxDefaultPosition, wxDefaultSize, 2,
                             colorChoices, 2, wxRA_SPECIFY_COLS);
    colors_->SetSelection(options.colorMode);
    top->Add(colors_, 0, wxEXPAND | wxALL, 6);

    auto* include = new wxStaticBoxSizer(wxVERTICAL, this, "Include");
    grid_ = new wxCheckBox(include->GetStaticBox(), wxID_ANY, "Grid");
    grid_->SetValue(options.includeGrid);
    baseboard_ = new wxCheckBox(include->GetStaticBox(), wxID_ANY, "Baseboard outline");
    baseboard_->SetValue(options.includeBaseboard);
    include->Add(grid_, 0, wxALL, 4);
    include->Add(baseboard_, 0, wxALL, 4);
    top->Add(include, 0, wxEXPAND | wxALL, 6);

    top->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 6);
    SetSizerAndFit(top);

    scaling_->Bind(wxEVT_RADIOBOX, [this](wxCommandEvent&) { enableScaleRows(); });
    enableScaleRows();
}

void PrintOptionsDialog::enableScaleRows() {
    const int mode = scaling_->GetSelection();
    denominatorLabel_->Enable(mode == ScaleActual);
    denominator_->Enable(mode == ScaleActual);
    percentageLabel_->Enable(mode == ScalePercentage);
    percentage_->Enable(mode == ScalePercentage);
}

bool PrintOptionsDialog::TransferDataFromWindow() {
    options_.scalingMode = scaling_->GetSelection();
    options_.scaleDenominator = denominator_->GetValue();
    options_.percentage = percentage_->GetValue();
    options_.levelMode = levels_->GetSelection();
    options_.colorMode = colors_->GetSelection();
    options_.includeGrid = grid_->GetValue();
    options_.includeBaseboard = baseboard_->GetValue();
    return true;
}

} // namespace plandor
