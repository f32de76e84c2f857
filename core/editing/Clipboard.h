#pragma once
// The canvas clipboard: copies of pieces (scenery, labels and shapes are not copied), and
// pasting them back with new ids.

#include "model/Layout.h"

#include <vector>

namespace plandor {

struct Clipboard {
    std::vector<PlacedPiece> pieces;
    bool empty() const { return pieces.empty(); }
    void clear() { pieces.clear(); }
};

// Replaces the clipboard with copies of the selected pieces, in layout order, when at least
// one piece is selected.
void copySelection(const Layout& layout, Clipboard& clipboard);

// Pastes the clipboard centred on the world point: new ids, joints among the pasted pieces
// kept, joints to anything else freed; the pasted pieces become the selection. A helix whose
// four pieces are all pasted is pasted as a new helix. False when the clipboard is empty.
bool pasteAt(Layout& layout, const Clipboard& clipboard, Point world);

} // namespace plandor
