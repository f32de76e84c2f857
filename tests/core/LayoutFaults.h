#pragma once
// What keeps a layout whole, checked after edits that may tear it: ids unique and issued,
// every joint mirrored and never to a missing piece or to the piece itself, helices and their
// stubs naming each other, tunnels with both portals and every covered piece.

#include "core/model/Layout.h"

#include <set>
#include <sstream>
#include <string>
#include <unordered_map>

namespace plandor {

// Everything wrong with the layout's records, one line each; empty when it holds together.
inline std::string layoutFaults(const Layout& layout) {
    std::ostringstream out;
    std::set<int32_t> ids;
    auto issue = [&](int32_t id, const char* what) {
        if (!ids.insert(id).second)
            out << what << " id " << id << " used twice\n";
        if (id < 1 || static_cast<uint32_t>(id) >= layout.nextId)
            out << what << " id " << id << " not below the next id " << layout.nextId << "\n";
    };
    for (const PlacedPiece& p : layout.pieces)
        issue(p.id, "piece");
    for (const SceneryItem& s : layout.scenery)
        issue(s.id, "scenery");
    for (const Helix& h : layout.helices)
        issue(h.id, "helix");
    for (const Tunnel& t : layout.tunnels)
        issue(t.id, "tunnel");
    std::unordered_map<int32_t, const PlacedPiece*> pieces;
    for (const PlacedPiece& p : layout.pieces)
        pieces.emplace(p.id, &p);
    for (const PlacedPiece& p : layout.pieces) {
        for (std::size_t c = 0; c < p.joints.size(); ++c) {
            const Joint& j = p.joints[c];
            if (j.isFree())
                continue;
            const auto found = pieces.find(j.target);
            const PlacedPiece* other = found == pieces.end() ? nullptr : found->second;
            if (j.target == p.id)
                out << "piece " << p.id << ":" << c << " joined to itself\n";
            else if (!other)
                out << "piece " << p.id << ":" << c << " joined to missing " << j.target << "\n";
            else if (other->jointAt(j.targetConn).target != p.id ||
                     other->jointAt(j.targetConn).targetConn != static_cast<int>(c))
                out << "piece " << p.id << ":" << c << " -> " << j.target << ":" << j.targetConn
                    << " not mirrored\n";
        }
    }
    for (const PlacedPiece& p : layout.pieces)
        if (p.helix != -1 && !layout.findHelix(p.helix))
            out << "piece " << p.id << " of missing helix " << p.helix << "\n";
    for (const Helix& h : layout.helices)
        for (int32_t stub : {h.bottomR1, h.bottomR2, h.topR1, h.topR2})
            if (!layout.findPiece(stub) || layout.findPiece(stub)->helix != h.id)
                out << "helix " << h.id << " stub " << stub << " missing or not its own\n";
    for (const Tunnel& t : layout.tunnels) {
        for (int32_t portal : {t.portalA, t.portalB})
            if (!layout.findScenery(portal))
                out << "tunnel " << t.id << " without its portal " << portal << "\n";
        for (int32_t covered : t.covers)
            if (!layout.findPiece(covered))
                out << "tunnel " << t.id << " over missing piece " << covered << "\n";
    }
    return out.str();
}

} // namespace plandor
