#include "gui/ui/HelpDialog.h"

#include "core/app/HelpTexts.h"
#include "core/base/BrowserOpener.h"
#include "gui/platform/WxText.h"
#include "gui/ui/EmbeddedPictures.h"

#include <wx/button.h>
#include <wx/hyperlink.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

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

// One paragraph whose words flow round a link, broken into lines at the texts' width.
wxSizer* paragraphWithLink(wxWindow* parent, const std::string& before, wxHyperlinkCtrl* link,
                           const std::string& after, const wxFont& font) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* row = nullptr;
    std::string line; // words of the row not yet placed
    int used = 0;     // width of the row so far
    const auto widthOf = [&](const std::string& text) {
        int w = 0, h = 0;
        parent->GetTextExtent(toWx(text), &w, &h, nullptr, nullptr, &font);
        return w;
    };
    const int space = widthOf(" ");
    const auto newRow = [&] {
        row = new wxBoxSizer(wxHORIZONTAL);
        column->Add(row, 0);
        used = 0;
    };
    const auto flush = [&] {
        if (line.empty())
            return;
        auto* text = new wxStaticText(parent, wxID_ANY, toWx(line));
        text->SetFont(font);
        row->Add(text, 0, wxALIGN_CENTRE_VERTICAL | wxRIGHT, space);
        line.clear();
    };
    const auto addWords = [&](const std::string& text) {
        std::istringstream words(text);
        for (std::string word; words >> word;) {
            const int w = widthOf(word);
            if (!row || (used > 0 && used + w > kWrapWidth)) {
                flush();
                newRow();
            }
            line += line.empty() ? word : " " + word;
            used += w + space;
        }
    };
    addWords(before);
    const int linkWidth = link->GetBestSize().GetWidth();
    flush();
    if (!row || (used > 0 && used + linkWidth > kWrapWidth))
        newRow();
    row->Add(link, 0, wxALIGN_CENTRE_VERTICAL | wxRIGHT, space);
    used += linkWidth + space;
    addWords(after);
    flush();
    return column;
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
