#include "ui/HelpDialog.h"

#include "app/HelpTexts.h"
#include "base/BrowserOpener.h"
#include "ui/EmbeddedPictures.h"
#include "ui/WxText.h"

#include <wx/button.h>
#include <wx/hyperlink.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/wrapsizer.h>

#include <sstream>

namespace plandor {

namespace {

constexpr int kWrapWidth = 490;

wxStaticText* wrappedText(wxWindow* parent, const std::string& text, const wxFont& font,
                          int width = kWrapWidth) {
    auto* label = new wxStaticText(parent, wxID_ANY, toWx(text));
    label->SetFont(font);
    if (width > 0)
        label->Wrap(width);
    return label;
}

wxHyperlinkCtrl* makerLink(wxWindow* parent, BrowserOpener& browser, const wxFont& font) {
    auto* link = new wxHyperlinkCtrl(parent, wxID_ANY, toWx(kMakerName), toWx(kMakerSiteUrl));
    link->SetFont(font);
    link->Bind(wxEVT_HYPERLINK, [&browser](wxHyperlinkEvent&) { browser.open(kMakerSiteUrl); });
    return link;
}

// One paragraph of words flowing round a link, wrapped at the texts' width.
wxSizer* paragraphWithLink(wxWindow* parent, const std::string& before, wxHyperlinkCtrl* link,
                           const std::string& after, const wxFont& font) {
    auto* flow = new wxWrapSizer(wxHORIZONTAL);
    const int space = parent->GetTextExtent(" ").GetWidth() + 1;
    const auto addWords = [&](const std::string& text) {
        std::istringstream words(text);
        for (std::string word; words >> word;) {
            auto* label = new wxStaticText(parent, wxID_ANY, toWx(word));
            label->SetFont(font);
            flow->Add(label, 0, wxRIGHT, space);
        }
    };
    addWords(before);
    flow->Add(link, 0, wxRIGHT, space);
    addWords(after);
    // The flow wraps at the width it is given; the box gives it the texts' width.
    auto* box = new wxBoxSizer(wxVERTICAL);
    box->SetMinSize(wxSize(kWrapWidth, -1));
    box->Add(flow, 0, wxEXPAND);
    return box;
}

} // namespace

HelpDialog::HelpDialog(wxWindow* parent, BrowserOpener& browser, bool withPicture)
    : wxDialog(parent, wxID_ANY, toWx(kHelpTitle), wxDefaultPosition, wxSize(925, 700),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    auto* outer = new wxBoxSizer(wxHORIZONTAL);
    if (withPicture) {
        const wxImage side = loadPicture(Picture::HelpSide, 368, 660);
        if (side.IsOk())
            outer->Add(new wxStaticBitmap(this, wxID_ANY, wxBitmap(side)), 0, wxALL, 8);
    }

    auto* column = new wxBoxSizer(wxVERTICAL);
    topics_ = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL);
    topics_->SetScrollRate(0, 12);
    const wxFont titleFont(11, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);
    const wxFont textFont(10, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL);
    // One point smaller, so the longest shortcut line fits the column without breaking.
    const wxFont fixedFont(9, wxFONTFAMILY_TELETYPE, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL);

    auto* list = new wxBoxSizer(wxVERTICAL);
    for (const HelpTopic& topic : helpTopics()) {
        auto* title = new wxStaticText(topics_, wxID_ANY, toWx(topic.title));
        title->SetFont(titleFont);
        list->Add(title, 0, wxTOP | wxLEFT | wxRIGHT, 8);
        if (topic.link) {
            // The link is a word of its sentence: "... open the" Korvane Models "website ...".
            list->Add(paragraphWithLink(topics_, topic.text, makerLink(topics_, browser, textFont),
                                        topic.afterLink, textFont),
                      0, wxTOP | wxLEFT | wxRIGHT, 6);
        } else {
            list->Add(wrappedText(topics_, topic.text, topic.fixedWidth ? fixedFont : textFont), 0,
                      wxTOP | wxLEFT | wxRIGHT, 6);
        }
    }
    list->AddSpacer(12);
    topics_->SetSizer(list);
    topics_->FitInside();
    column->Add(topics_, 1, wxEXPAND | wxTOP | wxRIGHT, 8);
    auto* close = new wxButton(this, wxID_OK, toWx(kHelpClose));
    close->SetDefault();
    close->SetFocus(); // Enter closes rather than following the first link
    column->Add(close, 0, wxALIGN_RIGHT | wxALL, 8);
    outer->Add(column, 1, wxEXPAND);

    SetSizer(outer);
    SetSize(wxSize(925, 700));
    Centre();
}

} // namespace plandor
