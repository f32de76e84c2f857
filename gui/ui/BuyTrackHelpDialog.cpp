#include "gui/ui/BuyTrackHelpDialog.h"

#include "core/app/Cart.h"
#include "core/app/ShopMap.h"
#include "gui/platform/WxText.h"
#include "gui/ui/EmbeddedPictures.h"

#include <wx/button.h>
#include <wx/hyperlink.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace plandor {

// The picture on top; without it (it cannot be loaded) the texts sit in the middle of the
// dialog's height.
BuyTrackHelpDialog::BuyTrackHelpDialog(wxWindow* parent, const ShopMap& shop, bool withPicture)
    : wxDialog(parent, wxID_ANY, kBuyTrackHelpTitle, wxDefaultPosition, wxSize(480, 840)) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->AddStretchSpacer();
    const wxImage picture = withPicture ? loadPicture(Picture::BuyTrack, 450, 510) : wxImage();
    if (picture.IsOk())
        sizer->Add(new wxStaticBitmap(this, wxID_ANY, wxBitmap(picture)), 0,
                   wxALL | wxALIGN_CENTRE_HORIZONTAL, 6);

    auto* text = new wxStaticText(this, wxID_ANY, kBuyTrackHelpText, wxDefaultPosition,
                                  wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL);
    wxFont font = GetFont();
    font.SetPointSize(font.GetPointSize() + 1);
    text->SetFont(font);
    sizer->Add(text, 0, wxALL | wxALIGN_CENTRE_HORIZONTAL, 12);

    // A shop map without an address has no home page to link to.
    if (!shop.baseAddress.empty()) {
        auto* link = new wxHyperlinkCtrl(this, wxID_ANY, toWx(shopHostName(shop.baseAddress)),
                                         toWx(shop.baseAddress));
        sizer->Add(link, 0, wxALL | wxALIGN_CENTRE_HORIZONTAL, 8);
    }

    auto* ok = new wxButton(this, wxID_OK, kBuyTrackHelpButton);
    sizer->Add(ok, 0, wxALL | wxALIGN_CENTRE_HORIZONTAL, 10);
    sizer->AddStretchSpacer();
    SetSizer(sizer);
    SetSize(wxSize(480, 840));
    // Enter closes the dialog rather than following the link, which would take the focus first.
    ok->SetDefault();
    ok->SetFocus();
    SetAffirmativeId(wxID_OK);
    CentreOnParent(wxBOTH);
}

} // namespace plandor
