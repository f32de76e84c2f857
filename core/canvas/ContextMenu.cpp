#include "core/canvas/ContextMenu.h"

#include "core/editing/Annotations.h"
#include "core/editing/Selection.h"

namespace plandor {

std::vector<MenuItem> contextMenu(Layout& layout, Clipboard& clipboard, int32_t hitPieceId,
                                  bool shift) {
    PlacedPiece* hit = layout.findPiece(hitPieceId);
    if (!hit) {
        if (!clipboard.empty())
            return {{kMenuPaste, "Paste"}};
        if (!shift)
            clearSelection(layout);
        clipboard.clear();
        return {};
    }
    if (!hit->selected) {
        clearSelection(layout);
        if (!selectHelixOf(layout, hitPieceId))
            hit->selected = true;
    }
    std::vector<MenuItem> menu;
    if (selectedPieceIndices(layout).size() == 2)
        menu.push_back({kMenuAutofillGap, "Autofill Gap..."});
    menu.push_back({kMenuCopy, "Copy"});
    return menu;
}

std::vector<MenuItem> labelMenu(Layout& layout, int32_t labelId) {
    if (!selectLabelAlone(layout, labelId))
        return {};
    return {{kMenuEditLabel, "Edit Text..."}};
}

} // namespace plandor
