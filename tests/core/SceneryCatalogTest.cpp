#include "catalog/SceneryCatalog.h"
#include "model/Layout.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <sstream>

using namespace plandor;

namespace {

struct Row {
    const char* id;
    const char* name;
    uint32_t category;
    double width;
    double depth;
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

const uint32_t kStopRed = packRgba(220, 40, 40, 255);
const uint32_t kClearGreen = packRgba(60, 200, 80, 255);

// Describes every point of a primitive that falls outside the W x D footprint.
std::vector<std::string> pointsOutside(const SceneryDef& def) {
    const double eps = 1e-9;
    std::vector<std::string> out;
    auto check = [&](size_t index, const char* what, double x, double y) {
        if (x < -eps || y < -eps || x > def.width + eps || y > def.depth + eps) {
            std::ostringstream s;
            s << def.id << " primitive " << index << " " << what << " (" << x << ", " << y << ")";
            out.push_back(s.str());
        }
    };
    for (size_t i = 0; i < def.primitives.size(); ++i) {
        const SceneryPrimitive& p = def.primitives[i];
        switch (p.type) {
        case PrimitiveType::FilledRect:
        case PrimitiveType::FilledEllipse:
        case PrimitiveType::OutlineRect:
        case PrimitiveType::OutlineEllipse:
            check(i, "box corner", p.x, p.y);
            check(i, "box corner", p.x + p.w, p.y + p.h);
            break;
        case PrimitiveType::Polygon:
            for (const auto& q : p.points)
                check(i, "polygon point", q.first, q.second);
            break;
        case PrimitiveType::Line:
            check(i, "line start", p.x, p.y);
            check(i, "line end", p.w, p.h);
            break;
        case PrimitiveType::Text:
            check(i, "text anchor", p.x, p.y);
            break;
        }
    }
    return out;
}

bool usesFill(const SceneryDef& def, uint32_t colour) {
    for (const SceneryPrimitive& p : def.primitives)
        if (p.fill == colour)
            return true;
    return false;
}

} // namespace

TEST(SceneryCatalogRows, AllRowsInRegistrationOrderWithTheirFootprints) {
    const auto& defs = SceneryCatalog::instance().defs();
    ASSERT_EQ(defs.size(), std::size(kRows));
    for (size_t i = 0; i < defs.size(); ++i) {
        SCOPED_TRACE(kRows[i].id);
        EXPECT_EQ(defs[i].id, kRows[i].id);
        EXPECT_EQ(defs[i].name, kRows[i].name);
        EXPECT_EQ(defs[i].category, kRows[i].category);
        EXPECT_DOUBLE_EQ(defs[i].width, kRows[i].width);
        EXPECT_DOUBLE_EQ(defs[i].depth, kRows[i].depth);
        EXPECT_EQ(SceneryCatalog::instance().find(kRows[i].id), &defs[i]);
    }
}

TEST(SceneryCatalogRows, IdsAreUnique) {
    std::set<std::string> ids;
    for (const SceneryDef& d : SceneryCatalog::instance().defs())
        EXPECT_TRUE(ids.insert(d.id).second) << d.id;
}

TEST(SceneryCatalogLookup, UnknownOrInexactIdsFindNothing) {
    const auto& catalog = SceneryCatalog::instance();
    for (const char* id : {"", "no_such_item", "Platform", "platform ", "tunnel_portal",
                           "tunnel_portal_2", "bridge_arch", "728860"})
        EXPECT_EQ(catalog.find(id), nullptr) << "'" << id << "'";
}

TEST(SceneryCatalogLookup, TunnelPortalIsRow38) {
    const auto& catalog = SceneryCatalog::instance();
    const SceneryDef* portal = catalog.find("tunnel_portal_single");
    ASSERT_NE(portal, nullptr);
    EXPECT_EQ(portal, &catalog.defs()[37]);
    EXPECT_DOUBLE_EQ(portal->width, 40);
    EXPECT_DOUBLE_EQ(portal->depth, 80);
    EXPECT_EQ(portal->category, 5u);
    EXPECT_EQ(sceneryCategoryName(portal->category), "Tunnels");
}

TEST(SceneryCatalogLookup, RoundhouseIsListedUnderOther) {
    const SceneryDef* roundhouse = SceneryCatalog::instance().find("72886");
    ASSERT_NE(roundhouse, nullptr);
    EXPECT_EQ(roundhouse->name, "Roundhouse 72886 (3-stall)");
    EXPECT_EQ(roundhouse->category, 10u);
    EXPECT_EQ(sceneryCategoryName(roundhouse->category), "Other");
}

TEST(SceneryCatalogLookup, ScaledRoadCoversItsFootprintTimesTheScales) {
    const SceneryDef* road = SceneryCatalog::instance().find("road_straight");
    ASSERT_NE(road, nullptr);
    SceneryItem item;
    item.item = road->id;
    item.scaleX = 2;
    item.scaleY = 0.5;
    EXPECT_DOUBLE_EQ(road->width * item.scaleX, 376);
    EXPECT_DOUBLE_EQ(road->depth * item.scaleY, 30);
}

TEST(SceneryCategories, PaletteNamesAndOtherForUnknownCodes) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0, "Platforms"}, {1, "Buildings"}, {2, "Stations"}, {3, "Signals"},
        {4, "Bridges"},   {5, "Tunnels"},   {6, "Roads"},    {7, "Nature"},
        {8, "Vehicles"},  {9, "Special"},   {10, "Other"},   {0xFFFFFFFFu, "Other"},
    };
    for (const auto& [code, name] : cases)
        EXPECT_EQ(sceneryCategoryName(code), name) << code;
}

TEST(SceneryColours, RedSitsInTheLowestByteAndAlphaInTheHighest) {
    EXPECT_EQ(packRgba(0x11, 0x22, 0x33, 0x44), 0x44332211u);
    EXPECT_EQ(packRgba(1, 2, 3), 0xFF030201u);
}

TEST(SceneryDrawings, EveryPrimitiveLiesInsideItsFootprint) {
    for (const SceneryDef& def : SceneryCatalog::instance().defs()) {
        for (const std::string& problem : pointsOutside(def)) {
            ADD_FAILURE() << problem;
        }
    }
}

TEST(SceneryDrawings, EveryRowHasWellFormedPrimitives) {
    for (const SceneryDef& def : SceneryCatalog::instance().defs()) {
        SCOPED_TRACE(def.id);
        EXPECT_FALSE(def.primitives.empty());
        for (const SceneryPrimitive& p : def.primitives) {
            if (p.type == PrimitiveType::Polygon) {
                EXPECT_GE(p.points.size(), 3u);
            }
            if (p.type == PrimitiveType::Text) {
                EXPECT_FALSE(p.text.empty());
                EXPECT_GT(p.h, 0);
            }
            if (p.type != PrimitiveType::Line && p.type != PrimitiveType::Text &&
                p.type != PrimitiveType::Polygon) {
                EXPECT_GT(p.w, 0);
                EXPECT_GT(p.h, 0);
            }
            // Something must show: a visible fill, or a visible stroke with a width.
            const bool fillShows = (p.fill >> 24) != 0;
            const bool strokeShows = (p.stroke >> 24) != 0 && p.strokeWidth > 0;
            EXPECT_TRUE(fillShows || strokeShows);
        }
    }
}

TEST(SceneryDrawings, PlatformIsDrawnAsTheWorkedExample) {
    const SceneryDef* platform = SceneryCatalog::instance().find("platform");
    ASSERT_NE(platform, nullptr);
    const auto& prims = platform->primitives;
    ASSERT_EQ(prims.size(), 7u);

    const SceneryPrimitive& surface = prims[0];
    EXPECT_EQ(surface.type, PrimitiveType::FilledRect);
    EXPECT_EQ(std::vector<double>({surface.x, surface.y, surface.w, surface.h}),
              std::vector<double>({0, 0, 230, 60}));
    EXPECT_EQ(surface.fill >> 24, 255u);
    EXPECT_EQ(surface.strokeWidth, 1u);
    EXPECT_NE(surface.stroke >> 24, 0u);

    const SceneryPrimitive& edge = prims[1];
    EXPECT_EQ(edge.type, PrimitiveType::FilledRect);
    EXPECT_EQ(std::vector<double>({edge.x, edge.y, edge.w, edge.h}),
              std::vector<double>({0, 52, 230, 8}));
    EXPECT_NE(edge.fill, surface.fill);
    EXPECT_EQ(edge.strokeWidth, 0u);

    const double xs[] = {40, 80, 120, 160, 190};
    for (int i = 0; i < 5; ++i) {
        const SceneryPrimitive& joint = prims[2 + i];
        SCOPED_TRACE(xs[i]);
        EXPECT_EQ(joint.type, PrimitiveType::Line);
        EXPECT_EQ(std::vector<double>({joint.x, joint.y, joint.w, joint.h}),
                  std::vector<double>({xs[i], 0, xs[i], 60}));
        EXPECT_EQ(joint.fill, packRgba(150, 145, 140, 80));
        EXPECT_EQ(joint.strokeWidth, 1u);
    }
}

TEST(ScenerySignals, AspectColourAndSizeFollowTheIdAndScale) {
    int signals = 0;
    for (const SceneryDef& def : SceneryCatalog::instance().defs()) {
        if (def.category != Signals)
            continue;
        ++signals;
        SCOPED_TRACE(def.id);
        const bool stop = def.id.find("_stop") != std::string::npos;
        const bool clear = def.id.find("_clear") != std::string::npos;
        ASSERT_NE(stop, clear);
        EXPECT_EQ(usesFill(def, kStopRed), stop);
        EXPECT_EQ(usesFill(def, kClearGreen), clear);
        const double size = def.id.rfind("signal_z_", 0) == 0 ? 12 : 20;
        EXPECT_DOUBLE_EQ(def.width, size);
        EXPECT_DOUBLE_EQ(def.depth, size);
    }
    EXPECT_EQ(signals, 8);
}

TEST(ScenerySignals, ZSignalsAreTheStandardDrawingsScaledDown) {
    const auto& catalog = SceneryCatalog::instance();
    const std::pair<const char*, const char*> pairs[] = {
        {"signal_semaphore_stop", "signal_z_semaphore_stop"},
        {"signal_semaphore_clear", "signal_z_semaphore_clear"},
        {"signal_color_stop", "signal_z_color_stop"},
        {"signal_color_clear", "signal_z_color_clear"},
    };
    for (const auto& [standardId, zId] : pairs) {
        SCOPED_TRACE(zId);
        const SceneryDef* standard = catalog.find(standardId);
        const SceneryDef* z = catalog.find(zId);
        ASSERT_NE(standard, nullptr);
        ASSERT_NE(z, nullptr);
        ASSERT_EQ(standard->primitives.size(), z->primitives.size());
        for (size_t i = 0; i < z->primitives.size(); ++i) {
            const SceneryPrimitive& a = standard->primitives[i];
            const SceneryPrimitive& b = z->primitives[i];
            EXPECT_EQ(a.type, b.type);
            EXPECT_EQ(a.fill, b.fill);
            EXPECT_NEAR(b.x, a.x * 0.6, 1e-9);
            EXPECT_NEAR(b.y, a.y * 0.6, 1e-9);
            EXPECT_NEAR(b.w, a.w * 0.6, 1e-9);
            EXPECT_NEAR(b.h, a.h * 0.6, 1e-9);
        }
    }
}
