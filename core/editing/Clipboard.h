#pragma once
// The canvas clipboard: copies of pieces (scenery, labels and shapes are not copied), and
// pasting them back with new ids.

#include "core/model/Layout.h"

#include <vector>

namespace plandor {

struct Clipboard {
    std::vector<PlacedPiece> pieces;
    // The helices whose four pieces were all copied, as they stood then: a paste rebuilds
    // them from here, whatever has happened to the originals since.
    std::vector<Helix> helices;
    bool empty() const { return pieces.empty(); }
    void clear() {
        pieces.clear();
        helices.clear();
    }
};

// Replaces the clipboard with copies of the selected pieces, in layout order, and of every
// helix whose four pieces are among them, when at least one piece is selected.
void copySelection(const Layout& layout, Clipboard& clipboard);

// Pastes the clipboard centred on the world point: new ids, joints among the pasted pieces
// kept, joints to anything else freed; the pasted pieces become the selection. A helix whose
// four pieces are all pasted is pasted as a new helix. False when the clipboard is empty.
bool pasteAt(Layout& layout, const Clipboard& clipboard, Point world);

} // namespace plandor
