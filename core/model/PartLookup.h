#pragma once
// Catalogue lookups for one pass over a layout's pieces. Neighbouring pieces often share a
// part number, so the last answer is kept and the hash lookup skipped when it repeats.
// Valid only while the layout is not changed (it remembers a piece's part string).

#include "core/catalog/TrackCatalog.h"

#include <string>

namespace plandor {

class PartLookup {
  public:
    explicit PartLookup(const TrackCatalog& catalog) : catalog_(catalog) {}

    const PieceDef* find(const std::string& part) {
        if (lastPart_ == nullptr || *lastPart_ != part) {
            lastDef_ = catalog_.find(part);
            lastPart_ = &part;
        }
        return lastDef_;
    }

  private:
    const TrackCatalog& catalog_;
    const std::string* lastPart_ = nullptr;
    const PieceDef* lastDef_ = nullptr;
};

} // namespace plandor
