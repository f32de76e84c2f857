#include "catalog/SceneryCatalog.h"
#include "Golden.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace plandor;

// The rows in registration order with their footprints are pinned in a golden file; every row
// is found by its id and by nothing near it. That the drawings stay inside their footprints is
// checked where they are drawn.
TEST(SceneryCatalog, RowsMatchTheGoldenListAndAreFoundByExactId) {
    const auto& catalog = SceneryCatalog::instance();
    std::vector<std::string> lines;
    for (const SceneryDef& def : catalog.defs()) {
        std::ostringstream line;
        line << def.id << "\t" << def.name << "\t" << def.category << "\t" << def.width << " x "
             << def.depth;
        lines.push_back(line.str());
        EXPECT_EQ(catalog.find(def.id), &def) << def.id;
    }
    expectGolden(lines, "scenery_rows.txt");
    for (const char* id : {"", "Platform", "platform ", "tunnel_portal", "728860"})
        EXPECT_EQ(catalog.find(id), nullptr) << "'" << id << "'";
    EXPECT_EQ(sceneryCategoryName(catalog.find("72886")->category), "Other");
    EXPECT_EQ(sceneryCategoryName(0xFFFFFFFFu), "Other");
}
