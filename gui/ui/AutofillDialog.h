#pragma once
// "Autofill Gap": the fills found for a gap, one per line, with "Place" and "Cancel".

#include "core/editing/Autofill.h"

#include <wx/dialog.h>

class wxListBox;

namespace plandor {

class AutofillDialog : public wxDialog {
  public:
    AutofillDialog(wxWindow* parent, const FillDialog& content);

    wxListBox* list() const { return list_; }

  private:
    wxListBox* list_ = nullptr;
};

// Shows the dialog modally: the line chosen with "Place", or -1.
class WxFillChooser : public FillChooser {
  public:
    explicit WxFillChooser(wxWindow* parent) : parent_(parent) {}
    int chooseFill(const FillDialog& dialog) override;

  private:
    wxWindow* parent_;
};

} // namespace plandor
