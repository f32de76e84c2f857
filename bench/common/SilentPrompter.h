#pragma once
// A prompter for benchmarks: messages go nowhere and every question is cancelled.
#include "core/base/Prompter.h"

namespace plandor {

class SilentPrompter : public Prompter {
  public:
    void message(const std::string&, const std::string&, PromptIcon) override {}
    PromptAnswer askYesNo(const std::string&, const std::string&, PromptIcon, bool) override {
        return PromptAnswer::Cancel;
    }
    PromptAnswer askYesNoCancel(const std::string&, const std::string&, PromptIcon) override {
        return PromptAnswer::Cancel;
    }
    bool askText(const std::string&, const std::string&, const std::string&,
                 std::string&) override {
        return false;
    }
    int choose(const std::string&, const std::string&, const std::vector<std::string>&) override {
        return -1;
    }
};

} // namespace plandor
