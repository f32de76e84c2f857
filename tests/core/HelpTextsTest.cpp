#include "app/HelpTexts.h"
#include "Golden.h"

#include <gtest/gtest.h>

namespace plandor {
namespace {

// The topic titles in order are pinned in a golden file; every topic has a text.
TEST(HelpTexts, EveryTopicInOrder) {
    std::vector<std::string> got;
    for (const HelpTopic& t : helpTopics()) {
        got.push_back(t.title);
        EXPECT_FALSE(t.text.empty()) << t.title;
    }
    expectGolden(got, "help_topics.txt");
    EXPECT_TRUE(helpTopics().front().link); // the header links to the maker's site
    EXPECT_EQ(helpTopics().back().text, shortcutTable());
}

} // namespace
} // namespace plandor
