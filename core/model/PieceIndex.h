#pragma once
// Position of each piece in the layout's list by id, built once per operation so that bulk
// edits do not scan the list for every id.

#include "core/model/Layout.h"

#include <cstdint>
#include <unordered_map>

namespace plandor {

class PieceIndex {
  public:
    explicit PieceIndex(const Layout& layout) {
        positions_.reserve(layout.pieces.size());
        for (std::size_t i = 0; i < layout.pieces.size(); ++i)
            positions_.emplace(layout.pieces[i].id, static_cast<int>(i));
    }
    // Position of the piece in layout.pieces, or -1.
    int find(int32_t id) const {
        auto it = positions_.find(id);
        return it == positions_.end() ? -1 : it->second;
    }

  private:
    std::unordered_map<int32_t, int> positions_;
};

} // namespace plandor
