#pragma once
// Layout > Track Lengths...: a non-modal table of every track with its length and how many
// cars of a typed length it holds, kept up to date by the main window; double-clicking a row
// hands the track back to the window.

#include "core/app/TrackLengths.h"

#include <wx/dialog.h>

#include <functional>
#include <vector>

class wxListCtrl;
class wxListEvent;
class wxStaticText;
class wxTextCtrl;

namespace plandor {

class TrackLengthsDialog : public wxDialog {
  public:
    TrackLengthsDialog(wxWindow* parent, std::function<void(const TrackLength&)> onChoose);

    // Measures the layout again and shows its tracks.
    void refresh(const plandor::Layout& layout); // qualified: wxWindow has a Layout()
    const std::vector<TrackLength>& tracks() const { return tracks_; }
    wxListCtrl* list() const { return list_; }
    wxTextCtrl* carLength() const { return carLength_; }

  private:
    void fillCars();
    void onActivated(wxListEvent& event);

    wxListCtrl* list_ = nullptr;
    wxTextCtrl* carLength_ = nullptr;
    wxStaticText* unit_ = nullptr;
    std::vector<TrackLength> tracks_;
    Units units_ = Units::Millimetres;
    bool carLengthSet_ = false; // the default car length is put in once, then kept as typed
    std::function<void(const TrackLength&)> onChoose_;
};

} // namespace plandor
