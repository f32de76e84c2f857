#pragma once
// A Prompter that records the messages it is given; any question fails the test, because the
// commands tested with it only tell.

#include "base/Prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plandor {

struct RecordedMessage {
    std::string title;
    std::string text;
    PromptIcon icon;
};

class RecordingPrompter : public Prompter {
  public:
    std::vector<RecordedMessage> messages;

    void message(const std::string& title, const std::string& text, PromptIcon icon) override {
        messages.push_back({title, text, icon});
    }
    PromptAnswer askYesNo(const std::string& title, const std::string&, PromptIcon, bool) override {
        ADD_FAILURE() << "unexpected question: " << title;
        return PromptAnswer::Cancel;
    }
    PromptAnswer askYesNoCancel(const std::string& title, const std::string&, PromptIcon) override {
        ADD_FAILURE() << "unexpected question: " << title;
        return PromptAnswer::Cancel;
    }
    bool askText(const std::string& title, const std::string&, const std::string&,
                 std::string&) override {
        ADD_FAILURE() << "unexpected text prompt: " << title;
        return false;
    }
    int choose(const std::string& title, const std::string&,
               const std::vector<std::string>&) override {
        ADD_FAILURE() << "unexpected choice: " << title;
        return -1;
    }
};

} // namespace plandor
