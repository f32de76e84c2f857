#pragma once
// The one Prompter and LayoutChooser of the tests: answers come from queues set up by the test, and
// every message and question is recorded. A question with no scripted answer fails the test and
// cancels, unless `otherwise` is set: then it answers (and text prompts and choices decline).

#include "core/app/LayoutChooser.h"
#include "core/base/Prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plandor {

class ScriptedPrompter : public Prompter, public LayoutChooser {
  public:
    enum class Kind { Message, YesNo, YesNoCancel, YesNoLater };
    struct Asked {
        Kind kind;
        std::string title, text;
        PromptIcon icon;
        bool defaultNo;
    };

    // Scripted answers, used in order.
    std::deque<PromptAnswer> answers;
    std::deque<std::optional<std::string>> texts;
    // Open dialog script: names to delete (each through the callback), then the name to open.
    std::deque<std::string> deletesInOpenDialog;
    std::deque<std::optional<std::string>> layoutsToOpen;
    std::deque<std::optional<ImportChoice>> imports;
    std::deque<std::optional<ExportChoice>> exports;
    // Runs when the Open dialog appears, before any scripted Delete.
    std::function<void()> onOpenDialog;
    // Answers the questions left once `answers` is empty.
    std::function<PromptAnswer()> otherwise;

    // What was asked.
    std::vector<Asked> messages;          // messages and questions, in order
    std::vector<std::string> textPrompts; // the initial text of each name prompt
    std::vector<bool> deleteResults;

    void message(const std::string& title, const std::string& text, PromptIcon icon) override {
        messages.push_back({Kind::Message, title, text, icon, false});
    }
    PromptAnswer askYesNo(const std::string& title, const std::string& text, PromptIcon icon,
                          bool defaultNo) override {
        messages.push_back({Kind::YesNo, title, text, icon, defaultNo});
        return answer(title + ": " + text);
    }
    PromptAnswer askYesNoCancel(const std::string& title, const std::string& text,
                                PromptIcon icon) override {
        messages.push_back({Kind::YesNoCancel, title, text, icon, false});
        return answer(title + ": " + text);
    }
    PromptAnswer askYesNoLater(const std::string& title, const std::string& text,
                               PromptIcon icon) override {
        messages.push_back({Kind::YesNoLater, title, text, icon, false});
        return answer(title + ": " + text);
    }
    bool askText(const std::string& title, const std::string&, const std::string& initial,
                 std::string& answer) override {
        textPrompts.push_back(initial);
        if (texts.empty() && otherwise)
            return false;
        const std::optional<std::string> reply = take(texts, title, {});
        if (reply)
            answer = *reply;
        return reply.has_value();
    }
    int choose(const std::string& title, const std::string&,
               const std::vector<std::string>&) override {
        if (!otherwise)
            ADD_FAILURE() << "unscripted: " << title;
        return -1;
    }
    std::optional<std::string>
    chooseLayoutToOpen(const std::vector<std::string>&,
                       const std::function<bool(const std::string&)>& deleteLayout) override {
        if (onOpenDialog)
            onOpenDialog();
        while (!deletesInOpenDialog.empty())
            deleteResults.push_back(deleteLayout(take(deletesInOpenDialog, "", {})));
        return take(layoutsToOpen, "Open dialog", {});
    }
    std::optional<ImportChoice> chooseImport(const std::string&) override {
        return take(imports, "Import dialog", {});
    }
    std::optional<ExportChoice> chooseExport(const std::vector<std::string>&, int,
                                             const std::string&) override {
        return take(exports, "Export dialog", {});
    }

    // Titles of all messages and questions, in order.
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const Asked& m : messages)
            out.push_back(m.title);
        return out;
    }

  private:
    PromptAnswer answer(const std::string& what) {
        if (answers.empty() && otherwise)
            return otherwise();
        return take(answers, what, PromptAnswer::Cancel);
    }
    template <typename T> static T take(std::deque<T>& queue, const std::string& what, T none) {
        if (queue.empty()) {
            ADD_FAILURE() << "unscripted: " << what;
            return none;
        }
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace plandor
