#include "gui/platform/WxPrompter.h"

#include "gui/platform/WxText.h"

#include <wx/choicdlg.h>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>

namespace plandor {

namespace {

long iconStyle(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return wxICON_INFORMATION;
    case PromptIcon::Exclamation:
        return wxICON_EXCLAMATION;
    case PromptIcon::Warning:
        return wxICON_WARNING;
    case PromptIcon::Question:
        return wxICON_QUESTION;
    case PromptIcon::Error:
        return wxICON_ERROR;
    }
    return wxICON_NONE;
}

} // namespace

PromptAnswer WxPrompter::show(const std::string& title, const std::string& text, long style) {
    wxMessageDialog dialog(parent_, toWx(text), toWx(title), style | wxCENTRE);
    switch (dialog.ShowModal()) {
    case wxID_YES:
        return PromptAnswer::Yes;
    case wxID_NO:
        return PromptAnswer::No;
    case wxID_OK:
        return PromptAnswer::Ok;
    default:
        return PromptAnswer::Cancel;
    }
}

void WxPrompter::message(const std::string& title, const std::string& text, PromptIcon icon) {
    show(title, text, wxOK | iconStyle(icon));
}

PromptAnswer WxPrompter::askYesNo(const std::string& title, const std::string& text,
                                  PromptIcon icon, bool defaultNo) {
    return show(title, text, wxYES_NO | iconStyle(icon) | (defaultNo ? wxNO_DEFAULT : 0));
}

PromptAnswer WxPrompter::askYesNoCancel(const std::string& title, const std::string& text,
                                        PromptIcon icon) {
    return show(title, text, wxYES_NO | wxCANCEL | iconStyle(icon));
}

PromptAnswer WxPrompter::askYesNoLater(const std::string& title, const std::string& text,
                                       PromptIcon icon) {
    wxMessageDialog dialog(parent_, toWx(text), toWx(title),
                           wxYES_NO | wxCANCEL | iconStyle(icon) | wxCENTRE);
    dialog.SetYesNoCancelLabels(wxID_YES, wxID_NO, _("&Later"));
    switch (dialog.ShowModal()) {
    case wxID_YES:
        return PromptAnswer::Yes;
    case wxID_NO:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Later;
    }
}

bool WxPrompter::askText(const std::string& title, const std::string& text,
                         const std::string& initial, std::string& answer) {
    // A text of several lines is edited as such, or its line breaks would be lost.
    const long lines = initial.find('\n') == std::string::npos ? 0 : wxTE_MULTILINE;
    wxTextEntryDialog dialog(parent_, toWx(text), toWx(title), toWx(initial),
                             wxOK | wxCANCEL | wxCENTRE | lines);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    answer = fromWx(dialog.GetValue());
    return true;
}

int WxPrompter::choose(const std::string& title, const std::string& text,
                       const std::vector<std::string>& choices) {
    wxArrayString items;
    for (const std::string& c : choices)
        items.Add(toWx(c));
    wxSingleChoiceDialog dialog(parent_, toWx(text), toWx(title), items);
    if (dialog.ShowModal() != wxID_OK)
        return -1;
    return dialog.GetSelection();
}

} // namespace plandor
