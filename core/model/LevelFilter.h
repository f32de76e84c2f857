#pragma once
// Which levels are hidden. A piece on a level missing from the list counts as visible.

#include "core/model/Layout.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace plandor {

class HiddenLevels {
  public:
    explicit HiddenLevels(const Layout& layout) {
        for (const Level& level : layout.levels)
            if (!level.visible)
                hidden_.push_back(level.id);
    }
    bool hides(int32_t levelId) const {
        return !hidden_.empty() &&
               std::find(hidden_.begin(), hidden_.end(), levelId) != hidden_.end();
    }

  private:
    std::vector<int32_t> hidden_;
};

} // namespace plandor
