// The shared plane geometry: headings, degree conversion, boxes, polygons and the grid index
// that move snapping, the overlap search and the layout check look things up in.
#include "core/base/Geometry.h"
#include "core/base/GridIndex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <vector>

namespace plandor {
namespace {

TEST(Geometry, HeadingsAreKeptInAFullTurn) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        double in, want;
    } const cases[] = {
        {"zero", 0, 0},
        {"just under a turn", 359.999, 359.999},
        {"a full turn", 360, 0},
        {"two turns and a half", 900, 180},
        {"negative", -90, 270},
        {"a tiny negative rounds up to 360 and wraps", -1e-17, 0},
        {"not a number", std::nan(""), 0},
        {"infinite", inf, 0},
        {"minus infinite", -inf, 0},
    };
    for (const Case& c : cases) {
        const double h = normalizeHeading(c.in);
        EXPECT_NEAR(h, c.want, 1e-9) << c.what;
        EXPECT_GE(h, 0) << c.what;
        EXPECT_LT(h, 360) << c.what;
    }
}

TEST(Geometry, BoxesOverlapWhenTheyShareAPoint) {
    const Bounds a{0, 0, 10, 10};
    struct Case {
        const char* what;
        Bounds b;
        bool want;
    } const cases[] = {
        {"inside", {2, 2, 3, 3}, true},
        {"touching the right edge", {10, 0, 20, 10}, true},
        {"just right of it", {10.000001, 0, 20, 10}, false},
        {"touching a corner", {-5, -5, 0, 0}, true},
        {"just below it", {0, 10.000001, 10, 20}, false},
        {"round it", {-1, -1, 11, 11}, true},
        {"empty box", Bounds{}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(a.overlaps(c.b), c.want) << c.what;
        EXPECT_EQ(c.b.overlaps(a), c.want) << c.what << " (the other way round)";
    }
}

TEST(Geometry, PolygonsContainByTheEvenOddRule) {
    // An L: the notch at the top right is outside.
    const std::vector<Point> l{{0, 0}, {10, 0}, {10, 4}, {4, 4}, {4, 10}, {0, 10}};
    struct Case {
        const char* what;
        Point p;
        bool want;
    } const cases[] = {
        {"in the foot", {8, 2}, true},   {"in the stem", {2, 8}, true},
        {"in the notch", {8, 8}, false}, {"left of it", {-1, 5}, false},
        {"far away", {1e9, 1e9}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(polygonContains(l, c.p), c.want) << c.what;
    EXPECT_FALSE(polygonContains({}, Point{0, 0}));
    EXPECT_FALSE(polygonContains({{0, 0}, {10, 10}}, Point{5, 5})) << "a line encloses nothing";
}

std::set<uint32_t> near(const GridIndex& grid, double x, double y) {
    std::set<uint32_t> found;
    grid.forItemsNear(x, y, [&](uint32_t item) { found.insert(item); });
    return found;
}

TEST(GridIndex, APointSearchLooksOneCellAroundIncludingAcrossTheOrigin) {
    GridIndex grid(10);
    const std::vector<Point> points{{5, 5}, {15, 5}, {25, 5}, {-5, -5}, {-15, 5}, {5, 29.999}};
    for (std::size_t i = 0; i < points.size(); ++i)
        grid.addPoint(static_cast<uint32_t>(i), points[i].x, points[i].y);
    grid.build();
    EXPECT_EQ(near(grid, 5, 5), (std::set<uint32_t>{0, 1, 3})) << "cells -1..1 around (0, 0)";
    EXPECT_EQ(near(grid, 19.9, 5), (std::set<uint32_t>{0, 1, 2}));
    EXPECT_EQ(near(grid, -10, 0), (std::set<uint32_t>{0, 3, 4})) << "-10 is the first of cell -1";
    EXPECT_EQ(near(grid, 5, 20), (std::set<uint32_t>{5})) << "29.999 still lies in cell 2";
    EXPECT_TRUE(near(grid, 1000, 1000).empty());
    EXPECT_TRUE(grid.itemsIn(50, 50).begin() == grid.itemsIn(50, 50).end());
}

TEST(GridIndex, BoxesAreFiledInEveryCellTheyTouchAndCellsListItemsInOrder) {
    GridIndex grid(100);
    grid.addBox(2, Bounds{-50, 10, 150, 20}); // cells x -1..1
    grid.addBox(0, Bounds{120, 10, 130, 20}); // cell x 1
    grid.addBox(1, Bounds{-10, 0, -5, 0});    // cell x -1
    grid.build();
    std::vector<std::vector<uint32_t>> cells;
    grid.forEachCell(
        [&](GridIndex::Items items) { cells.emplace_back(items.begin(), items.end()); });
    ASSERT_EQ(cells.size(), 3u);
    std::multiset<std::vector<uint32_t>> got(cells.begin(), cells.end());
    EXPECT_EQ(got, (std::multiset<std::vector<uint32_t>>{{1, 2}, {2}, {0, 2}}));
    const GridIndex::Items right = grid.itemsIn(1, 0);
    EXPECT_EQ(std::vector<uint32_t>(right.begin(), right.end()), (std::vector<uint32_t>{0, 2}));
}

TEST(GridIndex, ALargeGridFiledInOrderListsItsCellsAsOneFiledOutOfOrder) {
    // Tens of thousands of entries filed in increasing number take the radix sort; the same
    // boxes filed the other way round take the plain one. Both lie across the origin, so
    // every digit of the cell keys differs.
    constexpr uint32_t kCount = 40000;
    const auto boxOf = [](uint32_t i) {
        const double x = (static_cast<double>(i % 211) - 105) * 37.5;
        const double y = (static_cast<double>(i / 211) - 95) * 41.25;
        return Bounds{x, y, x + 60, y + 15};
    };
    GridIndex inOrder(50), reversed(50);
    for (uint32_t i = 0; i < kCount; ++i)
        inOrder.addBox(i, boxOf(i));
    for (uint32_t i = kCount; i-- > 0;)
        reversed.addBox(i, boxOf(i));
    inOrder.build();
    reversed.build();
    const auto cellsOf = [](const GridIndex& grid) {
        std::vector<std::vector<uint32_t>> cells;
        grid.forEachCell(
            [&](GridIndex::Items items) { cells.emplace_back(items.begin(), items.end()); });
        return cells;
    };
    const auto cells = cellsOf(inOrder);
    EXPECT_GT(cells.size(), kCount / 2);
    EXPECT_EQ(cells, cellsOf(reversed));
    const GridIndex::Items origin = inOrder.itemsIn(0, 0);
    EXPECT_EQ(std::vector<uint32_t>(origin.begin(), origin.end()),
              std::vector<uint32_t>(reversed.itemsIn(0, 0).begin(), reversed.itemsIn(0, 0).end()));
}

} // namespace
} // namespace plandor
