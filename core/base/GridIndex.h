#pragma once
// Items filed by the square cells of the plane they touch, so that a search looks only at
// the cells around a point, or compares only items that share a cell. Items are numbers the
// caller gives, usually positions in its own list.

#include "core/base/Geometry.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace plandor {

class GridIndex {
  public:
    // The items of one cell, in increasing number.
    struct Items {
        const uint32_t* first = nullptr;
        const uint32_t* last = nullptr;
        const uint32_t* begin() const { return first; }
        const uint32_t* end() const { return last; }
    };

    explicit GridIndex(double cellSize) : cellSize_(cellSize) {}

    int64_t cellOf(double v) const { return static_cast<int64_t>(std::floor(v / cellSize_)); }

    // Every item is filed first, then build() runs once before any search.
    void addPoint(uint32_t item, double x, double y) {
        noteOrder(item);
        entries_.emplace_back(keyOf(cellOf(x), cellOf(y)), item);
    }
    // In every cell the box touches.
    void addBox(uint32_t item, const Bounds& box) {
        noteOrder(item);
        for (int64_t cx = cellOf(box.minX); cx <= cellOf(box.maxX); ++cx)
            for (int64_t cy = cellOf(box.minY); cy <= cellOf(box.maxY); ++cy)
                entries_.emplace_back(keyOf(cx, cy), item);
    }
    void reserve(std::size_t entries) { entries_.reserve(entries); }
    void build();

    Items itemsIn(int64_t cx, int64_t cy) const {
        const auto it = cells_.find(keyOf(cx, cy));
        if (it == cells_.end())
            return {};
        return {items_.data() + it->second.first, items_.data() + it->second.second};
    }

    // Every item in the cell of (x, y) and the eight around it, column by column.
    template <typename Visit> void forItemsNear(double x, double y, Visit visit) const {
        const int64_t cx = cellOf(x), cy = cellOf(y);
        for (int64_t dx = -1; dx <= 1; ++dx)
            for (int64_t dy = -1; dy <= 1; ++dy)
                for (uint32_t item : itemsIn(cx + dx, cy + dy))
                    visit(item);
    }

    // The items of each cell that holds any, one cell after another.
    template <typename Visit> void forEachCell(Visit visit) const {
        for (const auto& [key, range] : runs_)
            visit(Items{items_.data() + range.first, items_.data() + range.second});
    }

  private:
    using Range = std::pair<uint32_t, uint32_t>; // [first, second) in items_

    void noteOrder(uint32_t item) {
        filedInOrder_ = filedInOrder_ && item >= lastFiled_;
        lastFiled_ = item;
    }
    void sortEntries();

    static uint64_t keyOf(int64_t cx, int64_t cy) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(cx)) << 32) | static_cast<uint32_t>(cy);
    }

    double cellSize_;
    std::vector<std::pair<uint64_t, uint32_t>> entries_; // (cell, item) as filed
    std::vector<uint32_t> items_;                        // grouped by cell
    std::vector<std::pair<uint64_t, Range>> runs_;       // cells in key order
    std::unordered_map<uint64_t, Range> cells_;
    bool filedInOrder_ = true; // items were filed in increasing number
    uint32_t lastFiled_ = 0;
};

} // namespace plandor
