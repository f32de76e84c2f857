#pragma once
// Everything an operation asks or tells the user goes through a Prompter: message boxes,
// Yes/No questions, text prompts, choosing from a list and the layout-file dialogs. The
// GUI answers with real dialogs; tests script the answers and record every call.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plandor {

// The toolkit shows the warning and the exclamation icon alike, so there is one Warning.
enum class MessageIcon { None, Information, Warning, Question, Error };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    Answer defaultAnswer = Answer::Ok; // for questions: Yes unless the question is destructive
};

struct TextPrompt {
    std::string caption;
    std::string prompt;
    std::string initial;
};

// What the Import dialog hands back: the chosen file and the name to import it as
// (both as shown, untrimmed).
struct ImportChoice {
    std::string sourcePath;
    std::string name;
};

// What the Export dialog hands back: the chosen layout name, the destination folder and
// the save-as name (as typed, untrimmed).
struct ExportChoice {
    std::string layoutName;
    std::string folder;
    std::string saveAs;
};

class Prompter {
public:
    virtual ~Prompter() = default;

    // A message box; returns the button pressed (Ok for a plain message).
    virtual Answer ask(const Message& message) = 0;
    // A text-entry dialog with OK and Cancel; nothing on Cancel.
    virtual std::optional<std::string> askText(const TextPrompt& prompt) = 0;
    // Picking one of `choices`; its index, or -1 on Cancel.
    virtual int chooseFromList(const std::string& title, const std::string& text,
                               const std::vector<std::string>& choices) = 0;

    // The Open Layout dialog over `names` (already sorted). Its Delete... button calls
    // `deleteLayout` with the selected name, which answers whether the row is gone.
    // Returns the name chosen to open, or nothing on Cancel.
    virtual std::optional<std::string>
    chooseLayoutToOpen(const std::vector<std::string>& names,
                       const std::function<bool(const std::string&)>& deleteLayout) = 0;
    // The Import Layout dialog, starting at `startFolder`; nothing on Cancel.
    virtual std::optional<ImportChoice> chooseImport(const std::string& startFolder) = 0;
    // The Export Layout dialog over `names` with row `initialRow` (or -1) selected and
    // `startFolder` as the destination; nothing on Cancel.
    virtual std::optional<ExportChoice> chooseExport(const std::vector<std::string>& names,
                                                     int initialRow,
                                                     const std::string& startFolder) = 0;

    // A message with OK.
    void tell(const std::string& title, const std::string& text, MessageIcon icon) {
        ask(Message{title, text, icon, MessageButtons::Ok, Answer::Ok});
    }
    // A Yes/No question; true only for Yes.
    bool askYesNo(const std::string& title, const std::string& text, MessageIcon icon,
                  Answer defaultAnswer) {
        return ask(Message{title, text, icon, MessageButtons::YesNo, defaultAnswer}) == Answer::Yes;
    }
};

} // namespace plandor
