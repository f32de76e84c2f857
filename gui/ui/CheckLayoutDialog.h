#pragma once
// Layout > Check Layout...: a non-modal list of what the layout check found, kept up to date
// by the main window; choosing a row hands the finding back to the window.

#include "app/LayoutCheck.h"

#include <wx/dialog.h>

#include <functional>
#include <vector>

class wxListCtrl;
class wxListEvent;

namespace plandor {

class CheckLayoutDialog : public wxDialog {
  public:
    CheckLayoutDialog(wxWindow* parent, std::function<void(const CheckFinding&)> onChoose);

    // Checks the layout again and shows what was found.
    void refresh(const plandor::Layout& layout); // qualified: wxWindow has a Layout()
    const std::vector<CheckFinding>& findings() const { return findings_; }
    wxListCtrl* list() const { return list_; }

  private:
    void onSelected(wxListEvent& event);

    wxListCtrl* list_ = nullptr;
    std::vector<CheckFinding> findings_;
    std::function<void(const CheckFinding&)> onChoose_;
};

} // namespace plandor
