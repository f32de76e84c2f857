#pragma once
// "Buy Track - How it works": what Buy Track does, a link to the shop and "Got it!".

#include <wx/dialog.h>

namespace plandor {

struct ShopMap;

class BuyTrackHelpDialog : public wxDialog {
  public:
    BuyTrackHelpDialog(wxWindow* parent, const ShopMap& shop);
};

} // namespace plandor
