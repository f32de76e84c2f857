#include "catalog/SceneryCatalog.h"
#include "Golden.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace plandor;

namespace {

bool usesFill(const SceneryDef& def, Color colour) {
    for (const SceneryPrimitive& p : def.primitives)
        if (p.fill == colour)
            return true;
    return false;
}

} // namespace

// The rows in registration order with their footprints are pinned in a golden file; every row
// is found by its id and by nothing near it.
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

TEST(SceneryDrawings, EveryPrimitiveLiesInsideItsFootprint) {
    for (const SceneryDef& def : SceneryCatalog::instance().defs()) {
        for (size_t i = 0; i < def.primitives.size(); ++i) {
            const SceneryPrimitive& p = def.primitives[i];
            // Boxes span (x, y)-(x+w, y+h), lines run (x, y)-(w, h), text sits at (x, y).
            std::vector<std::pair<double, double>> points = p.points;
            points.emplace_back(p.x, p.y);
            if (p.type == PrimitiveType::Line)
                points.emplace_back(p.w, p.h);
            else if (p.type != PrimitiveType::Text && p.type != PrimitiveType::Polygon)
                points.emplace_back(p.x + p.w, p.y + p.h);
            for (const auto& [x, y] : points)
                EXPECT_TRUE(x > -1e-9 && y > -1e-9 && x < def.width + 1e-9 && y < def.depth + 1e-9)
                    << def.id << " primitive " << i << " (" << x << ", " << y << ")";
        }
    }
}

TEST(SceneryDrawings, PlatformIsDrawnAsTheWorkedExample) {
    const SceneryDef* platform = SceneryCatalog::instance().find("platform");
    ASSERT_NE(platform, nullptr);
    const auto& prims = platform->primitives;
    ASSERT_EQ(prims.size(), 7u);
    auto box = [](const SceneryPrimitive& p) { return std::vector<double>({p.x, p.y, p.w, p.h}); };
    EXPECT_EQ(prims[0].type, PrimitiveType::FilledRect);
    EXPECT_EQ(box(prims[0]), std::vector<double>({0, 0, 230, 60}));
    EXPECT_EQ(prims[0].strokeWidth, 1u);
    EXPECT_EQ(prims[1].type, PrimitiveType::FilledRect);
    EXPECT_EQ(box(prims[1]), std::vector<double>({0, 52, 230, 8}));
    EXPECT_NE(prims[1].fill, prims[0].fill);
    EXPECT_EQ(prims[1].strokeWidth, 0u);
    const double xs[] = {40, 80, 120, 160, 190};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(prims[2 + i].type, PrimitiveType::Line);
        EXPECT_EQ(box(prims[2 + i]), std::vector<double>({xs[i], 0, xs[i], 60}));
        EXPECT_EQ(prims[2 + i].fill, rgba(150, 145, 140, 80));
    }
}

// Stop signals show red, clear ones green; Z signals are 12 mm, the others 20 mm.
TEST(ScenerySignals, StopRedClearGreenAndSizeFollowTheId) {
    int signals = 0;
    for (const SceneryDef& def : SceneryCatalog::instance().defs()) {
        if (def.category != Signals)
            continue;
        ++signals;
        SCOPED_TRACE(def.id);
        const bool stop = def.id.find("_stop") != std::string::npos;
        ASSERT_NE(stop, def.id.find("_clear") != std::string::npos);
        EXPECT_EQ(usesFill(def, rgba(220, 40, 40, 255)), stop);
        EXPECT_EQ(usesFill(def, rgba(60, 200, 80, 255)), !stop);
        const double size = def.id.rfind("signal_z_", 0) == 0 ? 12 : 20;
        EXPECT_DOUBLE_EQ(def.width, size);
        EXPECT_DOUBLE_EQ(def.depth, size);
    }
    EXPECT_EQ(signals, 8);
}
