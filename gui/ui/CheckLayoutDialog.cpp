#include "gui/ui/CheckLayoutDialog.h"

#include "gui/platform/WxText.h"

#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>

#include <algorithm>

namespace plandor {

namespace {

enum Column { SeverityColumn, KindColumn, TextColumn };

// Rows are asked for as they come into sight, so a long list opens at once.
class FindingList : public wxListCtrl {
  public:
    FindingList(wxWindow* parent, const std::vector<CheckFinding>& findings)
        : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                     wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_VIRTUAL),
          findings_(findings) {}

  private:
    wxString OnGetItemText(long item, long column) const override {
        if (item < 0 || item >= static_cast<long>(findings_.size()))
            return {};
        const CheckFinding& f = findings_[static_cast<std::size_t>(item)];
        switch (column) {
        case SeverityColumn:
            return checkSeverityName(f.severity);
        case KindColumn:
            return checkKindName(f.kind);
        default:
            return toWx(f.text);
        }
    }

    const std::vector<CheckFinding>& findings_;
};

// Texts measured for the column width: the longest by characters stand for the rest.
constexpr std::size_t kMeasuredTexts = 40;
constexpr int kMinTextColumn = 300;
constexpr int kRowsShown = 8;
constexpr int kGap = 8;

// Wide enough for the longest kind name, so none is cut off.
int kindColumnWidth(const wxWindow* list) {
    int width = 100;
    for (CheckKind kind : kCheckKinds)
        width = std::max(width, list->GetTextExtent(checkKindName(kind)).x + 24);
    return width;
}

} // namespace

CheckLayoutDialog::CheckLayoutDialog(wxWindow* parent,
                                     std::function<void(const CheckFinding&)> onChoose)
    : wxDialog(parent, wxID_ANY, "Check Layout", wxDefaultPosition, wxSize(680, 240),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      onChoose_(std::move(onChoose)) {
    list_ = new FindingList(this, findings_);
    list_->AppendColumn("Severity", wxLIST_FORMAT_LEFT, 70);
    list_->AppendColumn("Kind", wxLIST_FORMAT_LEFT, kindColumnWidth(list_));
    list_->AppendColumn("Text", wxLIST_FORMAT_LEFT, kMinTextColumn);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(list_, 1, wxEXPAND | wxALL, 6);
    SetSizer(sizer);
    SetMinSize(wxSize(320, 140));
    list_->Bind(wxEVT_LIST_ITEM_SELECTED, &CheckLayoutDialog::onSelected, this);
}

void CheckLayoutDialog::refresh(const plandor::Layout& layout) {
    findings_ = checkLayout(layout, checkSettingsOf(layout));
    list_->SetItemCount(static_cast<long>(findings_.size()));
    fitTextColumn();
    list_->Refresh();
}

void CheckLayoutDialog::fitTextColumn() {
    std::vector<const std::string*> longest;
    for (const CheckFinding& f : findings_)
        longest.push_back(&f.text);
    const std::size_t n = std::min(longest.size(), kMeasuredTexts);
    std::partial_sort(
        longest.begin(), longest.begin() + static_cast<std::ptrdiff_t>(n), longest.end(),
        [](const std::string* a, const std::string* b) { return a->size() > b->size(); });
    int width = kMinTextColumn;
    for (std::size_t i = 0; i < n; ++i)
        width = std::max(width, list_->GetTextExtent(toWx(*longest[i])).x);
    // Room for the cell's own margins on both sides.
    list_->SetColumnWidth(TextColumn, width + 24);
}

wxSize CheckLayoutDialog::contentSize() const {
    int columns = 0;
    for (int c = 0; c < list_->GetColumnCount(); ++c)
        columns += list_->GetColumnWidth(c);
    const int row = list_->GetCharHeight() + 8;
    const wxSize frame = GetSize() - GetClientSize();
    // Borders, a scroll bar and the header row besides the rows.
    return wxSize(columns + 12 + 24 + frame.x, row * (kRowsShown + 1) + 12 + 24 + frame.y);
}

void CheckLayoutDialog::placeBeside(const wxRect& mainWindow, const wxRect& canvas) {
    int at = wxDisplay::GetFromWindow(GetParent());
    const wxRect screen =
        wxDisplay(at == wxNOT_FOUND ? 0u : static_cast<unsigned>(at)).GetClientArea();
    const wxSize want = contentSize();
    const wxRect candidates[] = {
        {mainWindow.GetRight() + kGap, canvas.GetTop(), want.x, want.y},
        {canvas.GetLeft(), mainWindow.GetBottom() + kGap, want.x, want.y},
        {mainWindow.GetLeft() - kGap - want.x, canvas.GetTop(), want.x, want.y},
    };
    for (const wxRect& r : candidates)
        if (screen.Contains(r)) {
            SetSize(r);
            return;
        }
    // No room outside: along the bottom of the canvas, where the middle stays free for the
    // finding that is shown there, reaching left over the palette when the texts are long;
    // the side panel with Buy Track stays clear.
    const int width = std::min(want.x, canvas.GetRight() - mainWindow.GetLeft());
    const int height = std::min(want.y, canvas.GetHeight() / 3);
    SetSize(wxRect(canvas.GetRight() - width, canvas.GetBottom() - height, width, height));
}

void CheckLayoutDialog::onSelected(wxListEvent& event) {
    const long row = event.GetIndex();
    if (row >= 0 && row < static_cast<long>(findings_.size()) && onChoose_)
        onChoose_(findings_[static_cast<std::size_t>(row)]);
}

} // namespace plandor
