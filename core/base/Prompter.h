#pragma once
// Everything that asks or tells the user in the middle of an operation. The GUI answers with
// real dialogs; tests script the answers and record what was asked.

#include <string>
#include <vector>

namespace plandor {

enum class PromptIcon { Information, Exclamation, Warning, Question, Error };

enum class PromptAnswer { Ok, Yes, No, Cancel, Later };

class Prompter {
  public:
    virtual ~Prompter() = default;

    // A message with an OK button.
    virtual void message(const std::string& title, const std::string& text, PromptIcon icon) = 0;
    // A Yes/No question; `defaultNo` makes No the default button. Cancel when dismissed.
    virtual PromptAnswer askYesNo(const std::string& title, const std::string& text,
                                  PromptIcon icon, bool defaultNo) = 0;
    // A Yes/No/Cancel question.
    virtual PromptAnswer askYesNoCancel(const std::string& title, const std::string& text,
                                        PromptIcon icon) = 0;
    // A question answered Yes, No or Later (ask again another time); Later when dismissed.
    // Without a dialog of its own it is the Yes/No/Cancel question, Cancel meaning Later.
    virtual PromptAnswer askYesNoLater(const std::string& title, const std::string& text,
                                       PromptIcon icon) {
        const PromptAnswer answer = askYesNoCancel(title, text, icon);
        return answer == PromptAnswer::Yes || answer == PromptAnswer::No ? answer
                                                                         : PromptAnswer::Later;
    }
    // A line of text; false when cancelled.
    virtual bool askText(const std::string& title, const std::string& text,
                         const std::string& initial, std::string& answer) = 0;
    // One entry of a list; returns its index, or -1 when cancelled.
    virtual int choose(const std::string& title, const std::string& text,
                       const std::vector<std::string>& choices) = 0;
};

} // namespace plandor
