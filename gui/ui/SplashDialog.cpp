#include "gui/ui/SplashDialog.h"
#include "core/base/Translate.h"

#include "core/app/HelpTexts.h"
#include "core/base/BrowserOpener.h"
#include "gui/platform/MemoryRelease.h"
#include "gui/platform/ShopServices.h"
#include "gui/platform/WxText.h"
#include "gui/ui/EmbeddedPictures.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/hyperlink.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace plandor {

namespace {
constexpr int kWidth = 900;
constexpr int kPictureHeight = 600;
} // namespace

SplashDialog::SplashDialog(wxWindow* parent, BrowserOpener& browser, bool withPictures)
    : wxDialog(parent, wxID_ANY, toWx(tr(kSplashTitle)), wxDefaultPosition, wxSize(kWidth, 700),
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    if (withPictures) {
        const wxImage back = loadPicture(Picture::SplashBackground, kWidth, kPictureHeight);
        if (back.IsOk())
            background_ = wxBitmap(back);
    }

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* picture = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(kWidth, kPictureHeight),
                                wxBORDER_NONE);
    picture->SetMinSize(wxSize(kWidth, kPictureHeight));
    picture->Bind(wxEVT_PAINT, [this, picture](wxPaintEvent&) {
        wxPaintDC dc(picture);
        if (background_.IsOk()) {
            dc.DrawBitmap(background_, 0, 0);
        } else {
            dc.SetBrush(wxBrush(wxColour(30, 40, 60)));
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.DrawRectangle(0, 0, kWidth, kPictureHeight);
            dc.SetTextForeground(*wxWHITE);
            dc.SetFont(wxFont(20, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD));
            dc.DrawText(toWx(kSplashFallbackTitle), 20, 20);
            dc.SetFont(wxFont(13, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
            dc.DrawText(toWx(tr(kSplashFallbackSubtitle)), 20, 60);
        }
    });
    sizer->Add(picture, 0);

    auto* byRow = new wxBoxSizer(wxHORIZONTAL);
    auto* by = new wxStaticText(this, wxID_ANY, toWx(tr(kSplashByText)));
    wxFont larger = by->GetFont();
    larger.SetPointSize(larger.GetPointSize() + 1);
    by->SetFont(larger);
    auto* link = new wxHyperlinkCtrl(this, wxID_ANY, toWx(kMakerName), toWx(kMakerSiteUrl));
    link->SetFont(larger.Bold());
    link->Bind(wxEVT_HYPERLINK, [&browser](wxHyperlinkEvent&) { browser.open(kMakerSiteUrl); });
    byRow->Add(by, 0, wxALIGN_CENTRE_VERTICAL | wxRIGHT, 4);
    byRow->Add(link, 0, wxALIGN_CENTRE_VERTICAL);
    sizer->Add(byRow, 0, wxALIGN_CENTRE_HORIZONTAL | wxTOP, 12);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* done = new wxButton(this, wxID_OK, toWx(tr(kSplashButton)));
    done->SetFont(larger.Bold());
    done->SetDefault();
    done->SetFocus();
    buttons->AddStretchSpacer();
    buttons->Add(done, 0);
    buttons->AddStretchSpacer();
    sizer->Add(buttons, 0, wxEXPAND | wxALL, 12);

    SetSizer(sizer);
    SetSize(wxSize(kWidth, 700));
    Centre();
}

void showSplash(wxWindow* mainWindow) {
    {
        WxBrowserOpener browser;
        SplashDialog splash(mainWindow, browser);
        splash.ShowModal();
    }
    // The picture, decoded, scaled and made a bitmap, was the largest thing the start made.
    returnFreedMemory();
}

} // namespace plandor
