#include "core/editing/Delete.h"

#include "core/editing/EditLocks.h"
#include "core/editing/Selection.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace plandor {

namespace {

template <typename List, typename Pred> void eraseIf(List& list, Pred pred) {
    list.erase(std::remove_if(list.begin(), list.end(), pred), list.end());
}

void removeSelectedPieces(Layout& layout) {
    std::unordered_set<int32_t> removed;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected)
            removed.insert(p.id);
    removePieces(layout, removed);
}

} // namespace

void removePieces(Layout& layout, const std::unordered_set<int32_t>& removed) {
    if (removed.empty())
        return;
    auto gone = [&](int32_t id) { return removed.count(id) != 0; };

    eraseIf(layout.pieces, [&](const PlacedPiece& p) { return gone(p.id); });
    for (PlacedPiece& p : layout.pieces)
        for (Joint& j : p.joints)
            if (!j.isFree() && gone(j.target))
                j = Joint{};

    eraseIf(layout.gradeRuns, [&](const GradeRun& r) { return gone(r.anchor); });
    layout.restoreGradeState();

    eraseIf(layout.helices, [&](const Helix& h) {
        return gone(h.bottomR1) || gone(h.bottomR2) || gone(h.topR1) || gone(h.topR2);
    });

    // A tunnel over removed track goes with its portals rather than cover pieces that are gone.
    std::unordered_set<int32_t> portals;
    eraseIf(layout.tunnels, [&](const Tunnel& t) {
        const bool broken = std::any_of(t.covers.begin(), t.covers.end(), gone);
        if (broken) {
            portals.insert(t.portalA);
            portals.insert(t.portalB);
        }
        return broken;
    });
    eraseIf(layout.scenery, [&](const SceneryItem& s) { return portals.count(s.id) != 0; });
}

namespace {

std::vector<bool> pieceSelection(const Layout& layout) {
    std::vector<bool> flags;
    flags.reserve(layout.pieces.size());
    for (const PlacedPiece& p : layout.pieces)
        flags.push_back(p.selected);
    return flags;
}

void restorePieceSelection(Layout& layout, const std::vector<bool>& flags) {
    for (std::size_t i = 0; i < flags.size() && i < layout.pieces.size(); ++i)
        layout.pieces[i].selected = flags[i];
}

// The helix and tunnel locks (one whole helix excepted) and the graded-pieces question.
bool mayDelete(const Layout& layout, Prompter& prompter) {
    if (!selectionIsOneWholeHelix(layout) && !canEdit(layout, prompter, "delete"))
        return false;
    return !selectionHasGradedPieces(layout) ||
           prompter.askYesNo(kGradedDeleteTitle, kGradedDeleteText, PromptIcon::Question, true) ==
               PromptAnswer::Yes;
}

} // namespace

bool deleteSelection(Layout& layout, Prompter& prompter) {
    if (!anythingSelected(layout))
        return false;
    // Both halves of a pair go together, so the locks and the question must see both.
    const std::vector<bool> selectedBefore = pieceSelection(layout);
    addPairedHalves(layout);
    if (!mayDelete(layout, prompter)) {
        restorePieceSelection(layout, selectedBefore);
        return false;
    }

    removeSelectedPieces(layout);
    auto selected = [](const auto& r) { return r.selected; };
    eraseIf(layout.scenery, selected);
    eraseIf(layout.labels, selected);
    eraseIf(layout.measurements, selected);
    eraseIf(layout.shapes, selected);
    return true;
}

} // namespace plandor
