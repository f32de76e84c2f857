#pragma once
// What the canvas's right-click menu offers, and the selection changes that come with it.

#include "core/editing/Clipboard.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

constexpr int kMenuCopy = 5032;
constexpr int kMenuPaste = 5033;
constexpr int kMenuAutofillGap = 6001;
constexpr int kMenuEditLabel = 6002;

struct MenuItem {
    int id;
    std::string label;
};

// A right click (nothing being placed, Alt not held) on the piece `hitPieceId` (the piece or
// helix under the cursor, -1 for empty canvas). On empty canvas: "Paste" when the clipboard
// holds pieces, else the selection (unless Shift is held) and the clipboard are cleared and no
// menu is shown. On a piece: it becomes the selection unless already selected, and the menu
// offers "Autofill Gap..." (exactly two pieces selected) and "Copy".
std::vector<MenuItem> contextMenu(Layout& layout, Clipboard& clipboard, int32_t hitPieceId,
                                  bool shift);

// A right click on a label: it becomes the one selected label, and the menu offers
// "Edit Text...".
std::vector<MenuItem> labelMenu(Layout& layout, int32_t labelId);

} // namespace plandor
