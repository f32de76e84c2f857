#include "core/elevation/Tunnels.h"

#include "core/catalog/TrackCatalog.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace plandor {

const char* const kTunnelPortalItem = "tunnel_portal_single";

namespace {

// Index of each selected piece by id, so that joints are followed without list scans.
using SelectionIndex = std::unordered_map<int32_t, int>;

bool allReachable(const std::vector<const PlacedPiece*>& selected, const SelectionIndex& indexOf) {
    std::vector<char> seen(selected.size(), 0);
    std::vector<int> stack{0};
    seen[0] = 1;
    std::size_t reached = 1;
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        for (const Joint& j : selected[i]->joints) {
            if (j.isFree())
                continue;
            auto it = indexOf.find(j.target);
            if (it == indexOf.end() || seen[it->second])
                continue;
            seen[it->second] = 1;
            ++reached;
            stack.push_back(it->second);
        }
    }
    return reached == selected.size();
}

// The tunnel whose covered pieces are exactly the selection, or -1.
int32_t tunnelCoveringExactly(const Layout& layout,
                              const std::vector<const PlacedPiece*>& selected) {
    for (const Tunnel& t : layout.tunnels) {
        if (t.covers.size() != selected.size())
            continue;
        const std::unordered_set<int32_t> covers(t.covers.begin(), t.covers.end());
        const bool all = std::all_of(selected.begin(), selected.end(),
                                     [&](const PlacedPiece* p) { return covers.count(p->id) > 0; });
        if (all)
            return t.id;
    }
    return -1;
}

bool anyCovered(const Layout& layout, const SelectionIndex& indexOf) {
    for (const Tunnel& t : layout.tunnels)
        for (int32_t id : t.covers)
            if (indexOf.count(id))
                return true;
    return false;
}

// True when the piece is joined to at most one other selected piece: an end of the chain.
bool isChainEnd(const PlacedPiece& piece, const SelectionIndex& indexOf) {
    int neighbour = -1;
    for (const Joint& j : piece.joints) {
        if (j.isFree() || j.target == piece.id)
            continue;
        auto it = indexOf.find(j.target);
        if (it == indexOf.end() || it->second == neighbour)
            continue;
        if (neighbour != -1)
            return false;
        neighbour = it->second;
    }
    return true;
}

// First connector that is free or leads out of the selection; -1 when there is none.
int outwardConnector(const PlacedPiece& piece, const SelectionIndex& indexOf) {
    const PieceDef* def = TrackCatalog::instance().find(piece.part);
    const int count =
        def ? static_cast<int>(def->connectors.size()) : static_cast<int>(piece.joints.size());
    for (int c = 0; c < count; ++c) {
        const Joint j = piece.jointAt(c);
        if (j.isFree() || (j.target != piece.id && !indexOf.count(j.target)))
            return c;
    }
    return -1;
}

SceneryItem makePortal(int32_t id, const Pose& at) {
    SceneryItem s;
    s.id = id;
    s.item = kTunnelPortalItem;
    s.x = at.x;
    s.y = at.y;
    s.heading = at.heading;
    s.level = 1;
    return s;
}

} // namespace

TunnelAnalysis analyseTunnelSelection(const Layout& layout) {
    TunnelAnalysis out;
    std::vector<const PlacedPiece*> selected;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected)
            selected.push_back(&p);
    if (selected.size() < 2)
        return out;

    SelectionIndex indexOf;
    indexOf.reserve(selected.size() * 2);
    for (std::size_t i = 0; i < selected.size(); ++i)
        indexOf.emplace(selected[i]->id, static_cast<int>(i));
    if (indexOf.size() != selected.size() || !allReachable(selected, indexOf))
        return out;

    const int32_t existing = tunnelCoveringExactly(layout, selected);
    if (existing != -1) {
        out.applicable = true;
        out.inTunnel = true;
        out.tunnelId = existing;
        return out;
    }
    if (anyCovered(layout, indexOf))
        return out;

    std::vector<const PlacedPiece*> ends;
    for (const PlacedPiece* p : selected) {
        if (isChainEnd(*p, indexOf))
            ends.push_back(p);
        if (ends.size() > 2)
            return out;
    }
    if (ends.size() != 2)
        return out;

    const int connA = outwardConnector(*ends[0], indexOf);
    const int connB = outwardConnector(*ends[1], indexOf);
    if (connA < 0 || connB < 0)
        return out;

    out.applicable = true;
    out.endA = ends[0]->id;
    out.endB = ends[1]->id;
    out.connA = connA;
    out.connB = connB;
    out.covered.reserve(selected.size());
    for (const PlacedPiece* p : selected)
        out.covered.push_back(p->id);
    std::sort(out.covered.begin(), out.covered.end());
    return out;
}

TunnelToolState tunnelToolState(const TunnelAnalysis& analysis) {
    TunnelToolState state;
    state.enabled = analysis.applicable;
    state.label = analysis.inTunnel ? "Remove Tunnel" : "Tunnel";
    return state;
}

TunnelChange runTunnelCommand(Layout& layout) {
    const TunnelAnalysis a = analyseTunnelSelection(layout);
    if (!a.applicable)
        return TunnelChange::None;

    if (a.inTunnel) {
        auto tunnel = std::find_if(layout.tunnels.begin(), layout.tunnels.end(),
                                   [&](const Tunnel& t) { return t.id == a.tunnelId; });
        const int32_t portalA = tunnel->portalA;
        const int32_t portalB = tunnel->portalB;
        layout.scenery.erase(std::remove_if(layout.scenery.begin(), layout.scenery.end(),
                                            [&](const SceneryItem& s) {
                                                return s.id == portalA || s.id == portalB;
                                            }),
                             layout.scenery.end());
        layout.tunnels.erase(std::find_if(layout.tunnels.begin(), layout.tunnels.end(),
                                          [&](const Tunnel& t) { return t.id == a.tunnelId; }));
        return TunnelChange::Removed;
    }

    // Everything is looked up before the first change, so that giving up changes nothing.
    const PlacedPiece* pieceA = layout.findPiece(a.endA);
    const PlacedPiece* pieceB = layout.findPiece(a.endB);
    const PieceDef* defA = pieceA ? TrackCatalog::instance().find(pieceA->part) : nullptr;
    const PieceDef* defB = pieceB ? TrackCatalog::instance().find(pieceB->part) : nullptr;
    if (!defA || !defB)
        return TunnelChange::None;
    const Pose atA = worldConnector(Pose{pieceA->x, pieceA->y, pieceA->heading}, *defA, a.connA);
    const Pose atB = worldConnector(Pose{pieceB->x, pieceB->y, pieceB->heading}, *defB, a.connB);

    Tunnel tunnel;
    tunnel.portalA = layout.takeId();
    layout.scenery.push_back(makePortal(tunnel.portalA, atA));
    tunnel.portalB = layout.takeId();
    layout.scenery.push_back(makePortal(tunnel.portalB, atB));
    tunnel.id = layout.takeId();
    tunnel.anchorA = a.endA;
    tunnel.anchorB = a.endB;
    tunnel.covers = a.covered;
    layout.tunnels.push_back(std::move(tunnel));
    return TunnelChange::Placed;
}

} // namespace plandor
