#include "core/canvas/PaletteActions.h"

#include "core/base/Folders.h"

namespace plandor {

PaletteAction trackDragAction(const std::string& key) {
    if (key.empty())
        return {};
    if (isHelixKey(key))
        return {PaletteAction::Kind::BeginHelixPlacing, helixVariantOfKey(key)};
    return {PaletteAction::Kind::BeginPlacing, key};
}

PaletteAction trackDoubleClickAction(const std::string& key, bool piecesSelected) {
    if (key.empty())
        return {};
    if (isHelixKey(key))
        return {PaletteAction::Kind::PlaceHelix, helixVariantOfKey(key)};
    if (piecesSelected)
        return {PaletteAction::Kind::AutoConnect, key};
    return {PaletteAction::Kind::BeginPlacing, key};
}

PaletteAction sceneryAction(const std::string& key) {
    if (key.empty())
        return {};
    return {PaletteAction::Kind::BeginSceneryPlacing, key};
}

PaletteAction libraryAction(const std::string& key) {
    if (key.empty())
        return {};
    return {PaletteAction::Kind::InsertBlock, key};
}

PaletteAction libraryDragAction(const std::string& key) {
    if (key.empty())
        return {};
    return {PaletteAction::Kind::BeginBlockPlacing, key};
}

void paletteButtonDown(PaletteHoverState& state) {
    state.dragSuppressed = false;
    state.hoverRow = -1;
}

void paletteDoubleClick(PaletteHoverState& state) {
    state.dragSuppressed = true;
    state.hoverRow = -1;
}

bool paletteDragStarts(PaletteHoverState& state, const std::string& selectedKey) {
    if (state.dragSuppressed || selectedKey.empty())
        return false;
    // Until the canvas takes the mouse, motion keeps arriving here: hand the drag over once.
    state.dragSuppressed = true;
    state.hoverRow = -1;
    return true;
}

PreviewChange paletteHover(PaletteHoverState& state, int row, const std::string& key,
                           const TrackCatalog& catalog) {
    const bool piece = row >= 0 && !key.empty() && !isHelixKey(key) && catalog.find(key);
    if (!piece) {
        const bool wasShown = state.hoverRow >= 0;
        state.hoverRow = -1;
        return {wasShown ? PreviewChange::Kind::Hide : PreviewChange::Kind::Keep, ""};
    }
    if (row == state.hoverRow)
        return {};
    state.hoverRow = row;
    return {PreviewChange::Kind::Show, key};
}

void paletteLeave(PaletteHoverState& state) {
    state.hoverRow = -1;
}

bool deleteLibraryBlock(const PaletteRow& row, Prompter& prompter) {
    if (row.key.empty())
        return false;
    const PromptAnswer answer =
        prompter.askYesNo("Delete Library Block",
                          "Delete library block \"" + row.text + "\"?\n\nThis cannot be undone.",
                          PromptIcon::Exclamation, true);
    if (answer != PromptAnswer::Yes)
        return false;
    if (!removeFile(row.key))
        prompter.message("Delete Failed", "Could not delete:\n" + row.key, PromptIcon::Error);
    return true;
}

} // namespace plandor
