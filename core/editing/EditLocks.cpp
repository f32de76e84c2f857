#include "core/editing/EditLocks.h"

#include "core/elevation/GradeRuns.h"

#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace plandor {

std::string tunnelLockedText(const std::string& verb) {
    return "Selection includes tunnel track or portals. Remove the tunnel first, then " + verb +
           ".";
}

std::string helixLockedText(const std::string& verb) {
    return "Selection includes track that is part of a helix. Helix track cannot be " + verb +
           "d individually.";
}

namespace {

struct TunnelParts {
    std::unordered_set<int32_t> covered;
    std::unordered_set<int32_t> portals;
    explicit TunnelParts(const Layout& layout) {
        for (const Tunnel& t : layout.tunnels) {
            covered.insert(t.covers.begin(), t.covers.end());
            portals.insert(t.portalA);
            portals.insert(t.portalB);
        }
    }
};

bool selectedPortal(const Layout& layout, const TunnelParts& tunnels) {
    for (const SceneryItem& s : layout.scenery)
        if (s.selected && tunnels.portals.count(s.id))
            return true;
    return false;
}

} // namespace

bool canEdit(const Layout& layout, Prompter& prompter, const std::string& verb) {
    const TunnelParts tunnels(layout);
    for (const PlacedPiece& p : layout.pieces) {
        if (!p.selected)
            continue;
        if (p.helix != -1) {
            prompter.message(kHelixLockedTitle, helixLockedText(verb), PromptIcon::Information);
            return false;
        }
        if (tunnels.covered.count(p.id)) {
            prompter.message(kTunnelLockedTitle, tunnelLockedText(verb), PromptIcon::Information);
            return false;
        }
    }
    if (selectedPortal(layout, tunnels)) {
        prompter.message(kTunnelLockedTitle, tunnelLockedText(verb), PromptIcon::Information);
        return false;
    }
    return true;
}

bool selectionHasGradedPieces(const Layout& layout) {
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected && isGraded(p))
            return true;
    return false;
}

bool canMoveSelection(const Layout& layout, Prompter& prompter, bool& gradedMoveAccepted) {
    std::unordered_map<int32_t, int> selectedPerHelix;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected && p.helix != -1)
            ++selectedPerHelix[p.helix];
    for (const auto& [helix, count] : selectedPerHelix) {
        if (count != 4) {
            prompter.message(kHelixPartialTitle, kHelixPartialText, PromptIcon::Information);
            return false;
        }
    }
    const TunnelParts tunnels(layout);
    bool locked = selectedPortal(layout, tunnels);
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected && p.helix == -1 && tunnels.covered.count(p.id))
            locked = true;
    if (locked) {
        prompter.message(kTunnelLockedTitle, tunnelLockedText("move"), PromptIcon::Information);
        return false;
    }
    if (!gradedMoveAccepted && selectionHasGradedPieces(layout)) {
        if (prompter.askYesNo(kGradedMoveTitle, kGradedMoveText, PromptIcon::Question, true) !=
            PromptAnswer::Yes)
            return false;
        gradedMoveAccepted = true;
    }
    return true;
}

} // namespace plandor
