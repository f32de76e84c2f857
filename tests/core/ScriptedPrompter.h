#pragma once
// A Prompter and LayoutChooser for tests: answers come from queues set up by the test, and
// every call is recorded. A question with no scripted answer fails the test and cancels.

#include "shell/LayoutChooser.h"
#include "shell/Prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace plandor {

class ScriptedPrompter : public Prompter, public LayoutChooser {
  public:
    enum class Kind { Message, YesNo, YesNoCancel };
    struct Asked {
        Kind kind;
        std::string title;
        std::string text;
        PromptIcon icon;
        bool defaultNo;
    };
    struct TextAsked {
        std::string title;
        std::string text;
        std::string initial;
    };
    struct ExportCall {
        std::vector<std::string> names;
        int initialRow;
        std::string startFolder;
    };

    // Scripted answers, used in order.
    std::deque<PromptAnswer> answers;
    std::deque<std::optional<std::string>> texts;
    std::deque<int> choices;
    // Open dialog script: names to delete (each through the callback), then the name to open.
    std::deque<std::string> deletesInOpenDialog;
    std::deque<std::optional<std::string>> layoutsToOpen;
    std::deque<std::optional<ImportChoice>> imports;
    std::deque<std::optional<ExportChoice>> exports;
    // Runs when the Open dialog appears, before any scripted Delete.
    std::function<void()> onOpenDialog;

    // What was asked.
    std::vector<Asked> messages; // messages and questions, in order
    std::vector<TextAsked> textPrompts;
    std::vector<std::vector<std::string>> openDialogNames;
    std::vector<bool> deleteResults;
    std::vector<std::string> importStartFolders;
    std::vector<ExportCall> exportCalls;

    void message(const std::string& title, const std::string& text, PromptIcon icon) override {
        messages.push_back({Kind::Message, title, text, icon, false});
    }

    PromptAnswer askYesNo(const std::string& title, const std::string& text, PromptIcon icon,
                          bool defaultNo) override {
        messages.push_back({Kind::YesNo, title, text, icon, defaultNo});
        return nextAnswer();
    }

    PromptAnswer askYesNoCancel(const std::string& title, const std::string& text,
                                PromptIcon icon) override {
        messages.push_back({Kind::YesNoCancel, title, text, icon, false});
        return nextAnswer();
    }

    bool askText(const std::string& title, const std::string& text, const std::string& initial,
                 std::string& answer) override {
        textPrompts.push_back({title, text, initial});
        if (texts.empty()) {
            ADD_FAILURE() << "unscripted text prompt: " << title;
            return false;
        }
        const std::optional<std::string> reply = take(texts);
        if (reply)
            answer = *reply;
        return reply.has_value();
    }

    int choose(const std::string& title, const std::string&,
               const std::vector<std::string>&) override {
        if (choices.empty()) {
            ADD_FAILURE() << "unscripted choice: " << title;
            return -1;
        }
        return take(choices);
    }

    std::optional<std::string>
    chooseLayoutToOpen(const std::vector<std::string>& names,
                       const std::function<bool(const std::string&)>& deleteLayout) override {
        openDialogNames.push_back(names);
        if (onOpenDialog)
            onOpenDialog();
        while (!deletesInOpenDialog.empty())
            deleteResults.push_back(deleteLayout(take(deletesInOpenDialog)));
        if (layoutsToOpen.empty()) {
            ADD_FAILURE() << "unscripted Open dialog";
            return std::nullopt;
        }
        return take(layoutsToOpen);
    }

    std::optional<ImportChoice> chooseImport(const std::string& startFolder) override {
        importStartFolders.push_back(startFolder);
        if (imports.empty()) {
            ADD_FAILURE() << "unscripted Import dialog";
            return std::nullopt;
        }
        return take(imports);
    }

    std::optional<ExportChoice> chooseExport(const std::vector<std::string>& names, int initialRow,
                                             const std::string& startFolder) override {
        exportCalls.push_back({names, initialRow, startFolder});
        if (exports.empty()) {
            ADD_FAILURE() << "unscripted Export dialog";
            return std::nullopt;
        }
        return take(exports);
    }

    // Titles of all messages and questions, in order.
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const Asked& m : messages)
            out.push_back(m.title);
        return out;
    }

  private:
    PromptAnswer nextAnswer() {
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << messages.back().title << ": "
                          << messages.back().text;
            return PromptAnswer::Cancel;
        }
        return take(answers);
    }

    template <typename T> static T take(std::deque<T>& queue) {
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace plandor
