#include "catalog/SceneryCatalog.h"
#include "model/Layout.h"

#include <gtest/gtest.h>

#include <iterator>

using namespace plandor;

namespace {

struct Row {
    const char* id;
    const char* name;
    uint32_t category;
    double width, depth;
};

// The catalogue rows in registration order.
const Row kRows[] = {
    {"platform", "Platform", 0, 230, 60},
    {"platform_island", "Island platform 460mm", 0, 460, 120},
    {"station_small", "Station Gueglingen", 2, 308, 140},
    {"station_large", "Station Schwarzburg", 2, 550, 185},
    {"signal_box", "Signal box", 1, 60, 50},
    {"shed_1road", "Engine shed (1 road)", 1, 300, 80},
    {"shed_2road", "Engine shed (2 roads)", 1, 300, 160},
    {"goods_shed", "Goods shed", 1, 200, 80},
    {"warehouse", "Warehouse", 1, 400, 200},
    {"signal_semaphore_stop", "Semaphore (Stop)", 3, 20, 20},
    {"signal_semaphore_clear", "Semaphore (Clear)", 3, 20, 20},
    {"signal_color_stop", "Color light (Stop)", 3, 20, 20},
    {"signal_color_clear", "Color light (Clear)", 3, 20, 20},
    {"signal_z_semaphore_stop", "Semaphore Z (Stop)", 3, 12, 12},
    {"signal_z_semaphore_clear", "Semaphore Z (Clear)", 3, 12, 12},
    {"signal_z_color_stop", "Color light Z (Stop)", 3, 12, 12},
    {"signal_z_color_clear", "Color light Z (Clear)", 3, 12, 12},
    {"bridge_truss_scenery", "Truss bridge (scenery)", 4, 188, 64},
    {"bridge_arch_scenery", "Arch bridge (scenery)", 4, 360, 64},
    {"crossing_1track", "Level crossing (1 track)", 6, 120, 80},
    {"crossing_2track", "Level crossing (2 tracks)", 6, 120, 160},
    {"road_straight", "Road straight 188mm", 6, 188, 60},
    {"turntable", "Turntable 360mm", 9, 360, 360},
    {"72886", "Roundhouse 72886 (3-stall)", 10, 386, 343},
    {"water_tower", "Water tower", 9, 50, 50},
    {"coaling_tower", "Coaling tower", 9, 80, 80},
    {"tree_sm_dec", "Deciduous tree (small)", 7, 34, 34},
    {"tree_lg_dec", "Deciduous tree (large)", 7, 57, 57},
    {"tree_conifer", "Conifer tree", 7, 23, 40},
    {"tree_group", "Tree group (3 mixed)", 7, 115, 80},
    {"bush", "Bush / shrub", 7, 23, 17},
    {"car", "Car", 8, 50, 20},
    {"truck", "Truck", 8, 80, 25},
    {"parking_lot", "Parking lot (10 spaces)", 9, 250, 120},
    {"ped_zone", "Pedestrian zone", 9, 115, 57},
    {"bridge_truss", "Steel truss bridge (1 track)", 9, 188, 80},
    {"viaduct_pier", "Viaduct pier (concrete)", 9, 40, 60},
    {"tunnel_portal_single", "Tunnel portal (1 track)", 5, 40, 80},
    {"retaining_wall", "Retaining wall 188mm", 9, 188, 30},
};

bool usesFill(const SceneryDef& def, Color colour) {
    for (const SceneryPrimitive& p : def.primitives)
        if (p.fill == colour)
            return true;
    return false;
}

} // namespace

TEST(SceneryCatalog, AllRowsInOrderWithTheirFootprints) {
    const auto& catalog = SceneryCatalog::instance();
    const auto& defs = catalog.defs();
    ASSERT_EQ(defs.size(), std::size(kRows));
    for (size_t i = 0; i < defs.size(); ++i) {
        SCOPED_TRACE(kRows[i].id);
        EXPECT_EQ(defs[i].id, kRows[i].id);
        EXPECT_EQ(defs[i].name, kRows[i].name);
        EXPECT_EQ(defs[i].category, kRows[i].category);
        EXPECT_DOUBLE_EQ(defs[i].width, kRows[i].width);
        EXPECT_DOUBLE_EQ(defs[i].depth, kRows[i].depth);
        EXPECT_EQ(catalog.find(kRows[i].id), &defs[i]);
    }
    for (const char* id : {"", "Platform", "platform ", "tunnel_portal", "728860"})
        EXPECT_EQ(catalog.find(id), nullptr) << "'" << id << "'";
    EXPECT_EQ(sceneryCategoryName(catalog.find("72886")->category), "Other");
    EXPECT_EQ(sceneryCategoryName(0xFFFFFFFFu), "Other");

    const SceneryDef* road = catalog.find("road_straight");
    SceneryItem item;
    item.item = road->id;
    item.scaleX = 2;
    item.scaleY = 0.5;
    EXPECT_DOUBLE_EQ(road->width * item.scaleX, 376);
    EXPECT_DOUBLE_EQ(road->depth * item.scaleY, 30);
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
