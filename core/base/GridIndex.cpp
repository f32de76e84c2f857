#include "core/base/GridIndex.h"

#include <algorithm>

namespace plandor {

void GridIndex::build() {
    std::sort(entries_.begin(), entries_.end());
    items_.clear();
    items_.reserve(entries_.size());
    runs_.clear();
    cells_.clear();
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        const uint64_t key = entries_[k].first;
        const auto at = static_cast<uint32_t>(k);
        if (k == 0 || key != entries_[k - 1].first)
            runs_.push_back({key, Range{at, at}});
        ++runs_.back().second.second;
        items_.push_back(entries_[k].second);
    }
    cells_.reserve(runs_.size());
    for (const auto& [key, range] : runs_)
        cells_.emplace(key, range);
    entries_.clear();
    entries_.shrink_to_fit();
}

} // namespace plandor
