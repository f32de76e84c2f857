#include "core/canvas/ContextMenu.h"
#include "core/base/Translate.h"

#include "core/editing/Annotations.h"
#include "core/editing/Selection.h"

namespace plandor {

std::vector<int> contextMenu(Layout& layout, Clipboard& clipboard, int32_t hitPieceId, bool shift) {
    PlacedPiece* hit = layout.findPiece(hitPieceId);
    if (!hit) {
        if (!clipboard.empty())
            return {CmdPaste};
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
    std::vector<int> menu;
    if (selectedPieceIndices(layout).size() == 2)
        menu.push_back(CmdAutofillGap);
    menu.push_back(CmdCopy);
    return menu;
}

std::vector<int> labelMenu(Layout& layout, int32_t labelId) {
    if (!selectLabelAlone(layout, labelId))
        return {};
    return {CmdEditLabel};
}

} // namespace plandor
