#include "core/base/GridIndex.h"

#include <algorithm>
#include <utility>

namespace plandor {

// By cell, and by item within a cell. Items filed in increasing number, as callers usually
// file them, need only a stable sort by cell: many entries are sorted by a radix sort that
// makes one pass for each 16 bits of the cell key in which the entries differ (two, where
// the plan lies on one side of the origin).
void GridIndex::sortEntries() {
    constexpr std::size_t kRadixFrom = 1 << 15; // below this, counting costs more than it saves
    constexpr int kDigitBits = 16;
    constexpr uint64_t kDigitMask = (uint64_t{1} << kDigitBits) - 1;
    if (!filedInOrder_ || entries_.size() < kRadixFrom) {
        std::sort(entries_.begin(), entries_.end());
        return;
    }
    uint64_t inAll = ~uint64_t{0}, inAny = 0;
    for (const auto& entry : entries_) {
        inAll &= entry.first;
        inAny |= entry.first;
    }
    const uint64_t differing = inAll ^ inAny;
    std::vector<std::pair<uint64_t, uint32_t>> sorted(entries_.size());
    std::vector<uint32_t> start(std::size_t{1} << kDigitBits);
    for (int shift = 0; shift < 64; shift += kDigitBits) {
        if (((differing >> shift) & kDigitMask) == 0)
            continue;
        std::fill(start.begin(), start.end(), 0);
        for (const auto& entry : entries_)
            ++start[(entry.first >> shift) & kDigitMask];
        uint32_t sum = 0;
        for (uint32_t& s : start)
            sum += std::exchange(s, sum);
        for (const auto& entry : entries_)
            sorted[start[(entry.first >> shift) & kDigitMask]++] = entry;
        entries_.swap(sorted);
    }
}

void GridIndex::build() {
    sortEntries();
    filedInOrder_ = true;
    lastFiled_ = 0;
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
