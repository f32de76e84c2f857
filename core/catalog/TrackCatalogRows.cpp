#include "catalog/TrackCatalog.h"

namespace plandor {

// The built-in rows, in catalogue order.
void TrackCatalog::registerBuiltInRows() {
    pieces_.clear();
    indexByPart_.clear();
    registerPiece(makeStraight(CTrack, "24188", "24188 - 188.3mm", 188.3));
    built_ = true;
}

} // namespace plandor
