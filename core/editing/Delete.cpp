#include "editing/Delete.h"

#include "editing/EditLocks.h"
#include "editing/Selection.h"

#include <algorithm>
#include <unordered_set>

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
    if (removed.empty())
        return;
    auto gone = [&](int32_t id) { return removed.count(id) != 0; };

    eraseIf(layout.pieces, [](const PlacedPiece& p) { return p.selected; });
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

} // namespace

bool deleteSelection(Layout& layout, Prompter& prompter) {
    if (!anythingSelected(layout))
        return false;
    if (!selectionIsOneWholeHelix(layout) && !canEdit(layout, prompter, "delete"))
        return false;
    if (selectionHasGradedPieces(layout) &&
        prompter.askYesNo(kGradedDeleteTitle, kGradedDeleteText, PromptIcon::Question, true) !=
            PromptAnswer::Yes)
        return false;
    addPairedHalves(layout);

    removeSelectedPieces(layout);
    auto selected = [](const auto& r) { return r.selected; };
    eraseIf(layout.scenery, selected);
    eraseIf(layout.labels, selected);
    eraseIf(layout.measurements, selected);
    eraseIf(layout.shapes, selected);
    return true;
}

} // namespace plandor
