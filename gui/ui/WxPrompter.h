#pragma once
// The Prompter and the LayoutChooser answered by real dialogs over a parent window.

#include "core/app/LayoutChooser.h"
#include "core/base/Prompter.h"

class wxWindow;

namespace plandor {

class WxPrompter : public Prompter {
  public:
    explicit WxPrompter(wxWindow* parent) : parent_(parent) {}

    void message(const std::string& title, const std::string& text, PromptIcon icon) override;
    PromptAnswer askYesNo(const std::string& title, const std::string& text, PromptIcon icon,
                          bool defaultNo) override;
    PromptAnswer askYesNoCancel(const std::string& title, const std::string& text,
                                PromptIcon icon) override;
    PromptAnswer askYesNoLater(const std::string& title, const std::string& text,
                               PromptIcon icon) override;
    bool askText(const std::string& title, const std::string& text, const std::string& initial,
                 std::string& answer) override;
    int choose(const std::string& title, const std::string& text,
               const std::vector<std::string>& choices) override;

  private:
    PromptAnswer show(const std::string& title, const std::string& text, long style);

    wxWindow* parent_;
};

class WxLayoutChooser : public LayoutChooser {
  public:
    explicit WxLayoutChooser(wxWindow* parent) : parent_(parent) {}

    std::optional<std::string>
    chooseLayoutToOpen(const std::vector<std::string>& names,
                       const std::function<bool(const std::string&)>& deleteLayout) override;
    std::optional<ImportChoice> chooseImport(const std::string& startFolder) override;
    std::optional<ExportChoice> chooseExport(const std::vector<std::string>& names, int initialRow,
                                             const std::string& startFolder) override;

  private:
    wxWindow* parent_;
};

} // namespace plandor
