#pragma once
// A Prompter for tests: answers come from queues set up by the test, and every call is
// recorded. A call with no scripted answer fails the test and answers Cancel.

#include "shell/Prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace plandor {

class ScriptedPrompter : public Prompter {
public:
    // Scripted answers, used in order.
    std::deque<Answer> answers;
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
    std::vector<Message> messages;
    std::vector<TextPrompt> textPrompts;
    std::vector<std::vector<std::string>> openDialogNames;
    std::vector<bool> deleteResults;
    std::vector<std::string> importStartFolders;
    struct ExportCall {
        std::vector<std::string> names;
        int initialRow;
        std::string startFolder;
    };
    std::vector<ExportCall> exportCalls;

    Answer ask(const Message& message) override {
        messages.push_back(message);
        if (message.buttons == MessageButtons::Ok)
            return Answer::Ok;
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << message.title << ": " << message.text;
            return Answer::Cancel;
        }
        return take(answers);
    }

    std::optional<std::string> askText(const TextPrompt& prompt) override {
        textPrompts.push_back(prompt);
        if (texts.empty()) {
            ADD_FAILURE() << "unscripted text prompt: " << prompt.caption;
            return std::nullopt;
        }
        return take(texts);
    }

    int chooseFromList(const std::string& title, const std::string&,
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
        for (const Message& m : messages)
            out.push_back(m.title);
        return out;
    }

private:
    template <typename T> static T take(std::deque<T>& queue) {
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace plandor
