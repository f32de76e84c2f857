#pragma once
// Layout > Check Layout...: a non-modal list of what the layout check found, kept up to date
// by the main window; choosing a row hands the finding back to the window.

#include "core/app/LayoutCheck.h"

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

    // Puts the window where it hides least of the main window: beside or below it when the
    // screen has room, else over the bottom of its canvas, clear of the side panel.
    void placeBeside(const wxRect& mainWindow, const wxRect& canvas);

  private:
    void onSelected(wxListEvent& event);
    // The Text column as wide as its longest text.
    void fitTextColumn();
    // Room for every column, and for a few rows.
    wxSize contentSize() const;

    wxListCtrl* list_ = nullptr;
    std::vector<CheckFinding> findings_;
    std::function<void(const CheckFinding&)> onChoose_;
};

} // namespace plandor
