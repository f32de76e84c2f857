#pragma once
// "Buy Track - How it works": a picture, what Buy Track does, a link to the shop and "Got it!".

#include <wx/dialog.h>

namespace plandor {

struct ShopMap;

class BuyTrackHelpDialog : public wxDialog {
  public:
    // `withPicture` false leaves the picture out, as when it cannot be loaded.
    BuyTrackHelpDialog(wxWindow* parent, const ShopMap& shop, bool withPicture = true);
};

} // namespace plandor
