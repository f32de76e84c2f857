#include "core/app/HelpTexts.h"
#include "Golden.h"
#include "core/app/Commands.h"

#include <algorithm>

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

// The shortcut table is made from the command table: every accelerator the window answers is
// listed with its command's action, so the two cannot drift apart.
TEST(HelpTexts, ShortcutTableListsEveryAcceleratorOfTheCommandTable) {
    const std::string table = shortcutTable();
    for (const Command& command : commandTable()) {
        if (command.accelerator.empty())
            continue;
        SCOPED_TRACE(command.accelerator);
        const auto rows = shortcutRows();
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) {
            return r.first == command.accelerator;
        });
        ASSERT_NE(row, rows.end());
        EXPECT_EQ(row->second.find('&'), std::string::npos);
        EXPECT_NE(table.find(command.accelerator), std::string::npos);
    }
    for (const char* keys : {"Ctrl+C", "Ctrl+X", "Ctrl+V", "Ctrl+P", "Ctrl+G", "Ctrl+W"})
        EXPECT_NE(table.find(std::string(keys) + " "), std::string::npos) << keys;
    const auto rows = shortcutRows();
    EXPECT_NE(std::find(rows.begin(), rows.end(),
                        std::pair<std::string, std::string>{"Ctrl+Shift+S", "Save As"}),
              rows.end())
        << table;
    EXPECT_NE(table.find("Alt+right-click"), std::string::npos);
    EXPECT_NE(table.find("Rotate 30 deg"), std::string::npos) << "the turn the program makes";
}

// What the help tells about a gesture is what the canvas does.
TEST(HelpTexts, LabelsAreDroppedWithCtrlClickAndAltRightClickTurnsThirtyDegrees) {
    std::string labels, rotating;
    for (const HelpTopic& t : helpTopics()) {
        if (t.title == "Adding Labels")
            labels = t.text;
        if (t.title == "Rotating Pieces")
            rotating = t.text;
    }
    EXPECT_NE(labels.find("Ctrl+click on an empty area"), std::string::npos);
    EXPECT_NE(labels.find("Double-click a label"), std::string::npos);
    EXPECT_NE(rotating.find("Alt+right-click turns the selection by 30 degrees"),
              std::string::npos);
    EXPECT_EQ(rotating.find("by 15 degrees."), std::string::npos);
}

} // namespace
} // namespace plandor
