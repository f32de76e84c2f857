#pragma once
// "Print Options": scaling, levels, colour and what to include. OK copies the seven values
// back into the options; Cancel leaves them as they were.

#include "core/render/PrintLayout.h"

#include <wx/dialog.h>

class wxCheckBox;
class wxRadioBox;
class wxSpinCtrl;
class wxStaticText;

namespace plandor {

class PrintOptionsDialog : public wxDialog {
  public:
    PrintOptionsDialog(wxWindow* parent, PrintOptions& options);

    bool TransferDataFromWindow() override;

    wxRadioBox* scaling() const { return scaling_; }
    wxSpinCtrl* denominator() const { return denominator_; }
    wxSpinCtrl* percentage() const { return percentage_; }
    wxStaticText* denominatorLabel() const { return denominatorLabel_; }
    wxStaticText* percentageLabel() const { return percentageLabel_; }
    wxRadioBox* levels() const { return levels_; }
    wxRadioBox* colors() const { return colors_; }
    wxCheckBox* grid() const { return grid_; }
    wxCheckBox* baseboard() const { return baseboard_; }

  private:
    // The N row only for "Actual scale 1 : N", the percentage row only for "Custom percentage".
    void enableScaleRows();

    PrintOptions& options_;
    wxRadioBox* scaling_ = nullptr;
    wxStaticText* denominatorLabel_ = nullptr;
    wxSpinCtrl* denominator_ = nullptr;
    wxStaticText* percentageLabel_ = nullptr;
    wxSpinCtrl* percentage_ = nullptr;
    wxRadioBox* levels_ = nullptr;
    wxRadioBox* colors_ = nullptr;
    wxCheckBox* grid_ = nullptr;
    wxCheckBox* baseboard_ = nullptr;
};

} // namespace plandor
