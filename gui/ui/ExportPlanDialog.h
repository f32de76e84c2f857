#pragma once
// "Export Plan": how large the exported picture is drawn (fitted to a sheet of paper or at
// 1 : N) before the file is chosen.

#include "core/render/PlanExport.h"

#include <wx/dialog.h>

class wxChoice;
class wxRadioBox;
class wxSpinCtrl;

namespace plandor {

class ExportPlanDialog : public wxDialog {
  public:
    ExportPlanDialog(wxWindow* parent, const PlanExportOptions& initial);

    // The scale and paper chosen; the format comes from the file name.
    PlanExportOptions options() const;

    wxRadioBox* scaling() const { return scaling_; }
    wxSpinCtrl* denominator() const { return denominator_; }
    wxChoice* paper() const { return paper_; }

  private:
    void enableDenominator();

    wxRadioBox* scaling_ = nullptr;
    wxSpinCtrl* denominator_ = nullptr;
    wxChoice* paper_ = nullptr;
};

} // namespace plandor
