#include "gui/ui/TrackLengthsDialog.h"

#include "gui/platform/WxText.h"

#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace plandor {

namespace {

enum Column { KindColumn, LengthColumn, CarsColumn, PiecesColumn };

} // namespace

TrackLengthsDialog::TrackLengthsDialog(wxWindow* parent,
                                       std::function<void(const TrackLength&)> onChoose)
    : wxDialog(parent, wxID_ANY, "Track Lengths", wxDefaultPosition, wxSize(640, 320),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      onChoose_(std::move(onChoose)) {
    auto* carRow = new wxBoxSizer(wxHORIZONTAL);
    carRow->Add(new wxStaticText(this, wxID_ANY, "Car length:"), 0,
                wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    carLength_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(80, -1));
    carRow->Add(carLength_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    unit_ = new wxStaticText(this, wxID_ANY, "mm");
    carRow->Add(unit_, 0, wxALIGN_CENTER_VERTICAL);

    list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                           wxLC_REPORT | wxLC_SINGLE_SEL);
    list_->AppendColumn("Kind", wxLIST_FORMAT_LEFT, 130);
    list_->AppendColumn("Length", wxLIST_FORMAT_RIGHT, 90);
    list_->AppendColumn("Cars", wxLIST_FORMAT_RIGHT, 50);
    list_->AppendColumn("Pieces", wxLIST_FORMAT_LEFT, 340);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(carRow, 0, wxALL, 6);
    sizer->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    SetSizer(sizer);
    list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, &TrackLengthsDialog::onActivated, this);
    carLength_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { fillCars(); });
}

void TrackLengthsDialog::refresh(const plandor::Layout& layout) {
    tracks_ = trackLengths(layout);
    units_ = layout.units;
    unit_->SetLabel(toWx(unitShortName(units_)));
    if (!carLengthSet_) {
        carLengthSet_ = true;
        carLength_->ChangeValue(
            toWx(formatText("%g", toDisplayUnits(defaultCarLength(layout), units_))));
    }
    list_->Freeze();
    list_->DeleteAllItems();
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
        const TrackLength& t = tracks_[i];
        const long row = list_->InsertItem(static_cast<long>(i), trackKindName(t.kind));
        list_->SetItem(row, LengthColumn, toWx(formatLength(t.length, units_)));
        list_->SetItem(row, PiecesColumn, toWx(trackPiecesText(layout, t)));
    }
    list_->Thaw();
    fillCars();
}

// Cars follow the typed length as it is typed; a length that is not a number leaves them blank.
void TrackLengthsDialog::fillCars() {
    const std::optional<double> car = parseCarLength(fromWx(carLength_->GetValue()), units_);
    for (std::size_t i = 0; i < tracks_.size(); ++i)
        list_->SetItem(static_cast<long>(i), CarsColumn,
                       car ? wxString::Format("%d", carsHeld(tracks_[i].length, *car)) : "");
}

void TrackLengthsDialog::onActivated(wxListEvent& event) {
    const long row = event.GetIndex();
    if (row >= 0 && row < static_cast<long>(tracks_.size()) && onChoose_)
        onChoose_(tracks_[static_cast<std::size_t>(row)]);
}

} // namespace plandor
