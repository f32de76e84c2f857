#include "app/MainWindowRules.h"

#include <gtest/gtest.h>

using namespace plandor;

TEST(MainWindowTitle, FollowsNameThenPathThenModifiedMark) {
    const std::string base = "Plandor v1.3 by Korvane Models";
    const struct {
        const char* what;
        std::string name, path;
        bool modified;
        std::string expected;
    } cases[] = {
        {"fresh", "", "", false, base},
        {"unnamed with changes", "", "", true, base + " *"},
        {"display name", "Yard", "/apps/plandor/Other.plo", false, base + " - Yard"},
        {"path only", "", "/apps/plandor/Branch Line.plo", false, base + " - Branch Line"},
        {"old extension", "", "/apps/plandor/Old.Yard.xml", true, base + " - Old.Yard *"},
        {"dotted folder", "", "/apps/v1.2/Depot", false, base + " - Depot"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowTitle(c.name, c.path, c.modified), c.expected) << c.what;
}
