#include "app/HelpTexts.h"
#include "Golden.h"

#include <gtest/gtest.h>

#include <sstream>

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
    // The header and the tally carry the two links to the maker's site.
    EXPECT_TRUE(helpTopics().front().link);
    EXPECT_TRUE(helpTopics()[17].link);
    EXPECT_EQ(helpTopics()[17].text.back(), 'e'); // "...to open the", no trailing blank
}

TEST(HelpTexts, ShortcutsAreOnePaddedBlock) {
    const std::string table = shortcutTable();
    std::istringstream lines(table);
    std::string line;
    // The longest keys, "Wheel (selection)", set the column of every separator.
    const std::size_t column = std::string("Wheel (selection)").size();
    int count = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(line.compare(column, 3, " - "), 0) << line;
        EXPECT_NE(line[column + 3], ' ') << line;
        ++count;
    }
    EXPECT_EQ(count, 17);
    EXPECT_NE(table.find("Ctrl+0            - Zoom to fit"), std::string::npos);
    EXPECT_EQ(helpTopics().back().text, table);
}

} // namespace
} // namespace plandor
