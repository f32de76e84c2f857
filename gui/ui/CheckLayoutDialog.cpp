#include "ui/CheckLayoutDialog.h"

#include "ui/WxText.h"

#include <wx/listctrl.h>
#include <wx/sizer.h>

namespace plandor {

CheckLayoutDialog::CheckLayoutDialog(wxWindow* parent,
                                     std::function<void(const CheckFinding&)> onChoose)
    : wxDialog(parent, wxID_ANY, "Check Layout", wxDefaultPosition, wxSize(680, 240),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      onChoose_(std::move(onChoose)) {
    list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                           wxLC_REPORT | wxLC_SINGLE_SEL);
    list_->AppendColumn("Severity", wxLIST_FORMAT_LEFT, 70);
    list_->AppendColumn("Kind", wxLIST_FORMAT_LEFT, 100);
    list_->AppendColumn("Text", wxLIST_FORMAT_LEFT, 480);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(list_, 1, wxEXPAND | wxALL, 6);
    SetSizer(sizer);
    list_->Bind(wxEVT_LIST_ITEM_SELECTED, &CheckLayoutDialog::onSelected, this);
}

void CheckLayoutDialog::refresh(const plandor::Layout& layout) {
    findings_ = checkLayout(layout, checkSettingsOf(layout));
    list_->Freeze();
    list_->DeleteAllItems();
    for (std::size_t i = 0; i < findings_.size(); ++i) {
        const CheckFinding& f = findings_[i];
        const long row = list_->InsertItem(static_cast<long>(i), checkSeverityName(f.severity));
        list_->SetItem(row, 1, checkKindName(f.kind));
        list_->SetItem(row, 2, toWx(f.text));
    }
    if (!findings_.empty())
        list_->SetColumnWidth(2, wxLIST_AUTOSIZE);
    list_->Thaw();
}

void CheckLayoutDialog::onSelected(wxListEvent& event) {
    const long row = event.GetIndex();
    if (row >= 0 && row < static_cast<long>(findings_.size()) && onChoose_)
        onChoose_(findings_[static_cast<std::size_t>(row)]);
}

} // namespace plandor
