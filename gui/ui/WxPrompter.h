#pragma once
// The Prompter answered by real dialogs over a parent window.

#include "shell/Prompter.h"

class wxWindow;

namespace plandor {

class WxPrompter : public Prompter {
public:
    explicit WxPrompter(wxWindow* parent) : parent_(parent) {}

    Answer ask(const Message& message) override;
    std::optional<std::string> askText(const TextPrompt& prompt) override;
    int chooseFromList(const std::string& title, const std::string& text,
                       const std::vector<std::string>& choices) override;
    std::optional<std::string>
    chooseLayoutToOpen(const std::vector<std::string>& names,
                       const std::function<bool(const std::string&)>& deleteLayout) override;
    std::optional<ImportChoice> chooseImport(const std::string& startFolder) override;
    std::optional<ExportChoice> chooseExport(const std::vector<std::string>& names, int initialRow,
                                             const std::string& startFolder) override;

private:
    wxWindow* parent_;
};

// The message-dialog style for a message: buttons, icon, default button, centred.
long messageStyle(const Message& message);

} // namespace plandor
