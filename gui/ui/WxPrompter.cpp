#include "ui/WxPrompter.h"

#include "ui/LayoutFileDialogs.h"
#include "ui/WxText.h"

#include <wx/choicdlg.h>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>

namespace plandor {

long messageStyle(const Message& message) {
    long style = wxCENTRE;
    switch (message.buttons) {
    case MessageButtons::Ok:
        style |= wxOK;
        break;
    case MessageButtons::YesNo:
        style |= wxYES_NO;
        break;
    case MessageButtons::YesNoCancel:
        style |= wxYES_NO | wxCANCEL;
        break;
    }
    switch (message.icon) {
    case MessageIcon::None:
        style |= wxICON_NONE;
        break;
    case MessageIcon::Information:
        style |= wxICON_INFORMATION;
        break;
    case MessageIcon::Warning:
        style |= wxICON_WARNING;
        break;
    case MessageIcon::Question:
        style |= wxICON_QUESTION;
        break;
    case MessageIcon::Error:
        style |= wxICON_ERROR;
        break;
    }
    if (message.buttons != MessageButtons::Ok && message.defaultAnswer == Answer::No)
        style |= wxNO_DEFAULT;
    return style;
}

Answer WxPrompter::ask(const Message& message) {
    wxMessageDialog dialog(parent_, toWx(message.text), toWx(message.title), messageStyle(message));
    switch (dialog.ShowModal()) {
    case wxID_YES:
        return Answer::Yes;
    case wxID_NO:
        return Answer::No;
    case wxID_OK:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

std::optional<std::string> WxPrompter::askText(const TextPrompt& prompt) {
    wxTextEntryDialog dialog(parent_, toWx(prompt.prompt), toWx(prompt.caption),
                             toWx(prompt.initial), wxOK | wxCANCEL | wxCENTRE);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return fromWx(dialog.GetValue());
}

int WxPrompter::chooseFromList(const std::string& title, const std::string& text,
                               const std::vector<std::string>& choices) {
    wxArrayString items;
    for (const std::string& c : choices)
        items.Add(toWx(c));
    wxSingleChoiceDialog dialog(parent_, toWx(text), toWx(title), items);
    if (dialog.ShowModal() != wxID_OK)
        return -1;
    return dialog.GetSelection();
}

std::optional<std::string>
WxPrompter::chooseLayoutToOpen(const std::vector<std::string>& names,
                               const std::function<bool(const std::string&)>& deleteLayout) {
    OpenLayoutDialog dialog(parent_, names, deleteLayout);
    if (dialog.ShowModal() != wxID_OK || dialog.selectedName().empty())
        return std::nullopt;
    return dialog.selectedName();
}

std::optional<ImportChoice> WxPrompter::chooseImport(const std::string& startFolder) {
    ImportLayoutDialog dialog(parent_, startFolder);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return ImportChoice{dialog.sourcePath(), dialog.importName()};
}

std::optional<ExportChoice> WxPrompter::chooseExport(const std::vector<std::string>& names,
                                                     int initialRow,
                                                     const std::string& startFolder) {
    ExportLayoutDialog dialog(parent_, names, initialRow, startFolder);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return ExportChoice{dialog.selectedName(), dialog.folder(), dialog.saveAs()};
}

} // namespace plandor
