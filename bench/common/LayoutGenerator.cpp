#include "LayoutGenerator.h"

namespace plandor {

Layout generateLayout(int pieceCount, unsigned) {
    Layout layout;
    layout.ensureDefaultLevel();
    for (int i = 0; i < pieceCount; ++i) {
        PlacedPiece p = makePlacedPiece("24188");
        p.id = layout.takeId();
        p.x = 188.3 * i;
        layout.pieces.push_back(p);
    }
    return layout;
}

} // namespace plandor
