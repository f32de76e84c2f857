#pragma once
// Tunnels over chains of track: which selections can take one, and placing and removing the
// portals and the Tunnel record. The locks on tunnel track live with the editing checks.

#include "core/model/Layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

// Scenery item placed at each end of a tunnel.
extern const char* const kTunnelPortalItem; // "tunnel_portal_single"

// What the current selection allows the Tunnel tool to do.
struct TunnelAnalysis {
    bool applicable = false;
    bool inTunnel = false; // the selection is exactly the covered chain of tunnelId
    int32_t tunnelId = -1;
    int32_t endA = -1; // end pieces of the chain, in selection order
    int32_t endB = -1;
    int connA = -1; // their outward connectors
    int connB = -1;
    std::vector<int32_t> covered; // every selected piece, ascending
};

// Looks at the selected pieces only; changes nothing.
TunnelAnalysis analyseTunnelSelection(const Layout& layout);

struct TunnelToolState {
    bool enabled = false;
    std::string label = "Tunnel";
};

// Enabled while a tunnel can be placed or removed; "Remove Tunnel" for an existing one.
TunnelToolState tunnelToolState(const TunnelAnalysis& analysis);

enum class TunnelChange { None, Placed, Removed };

// Places a tunnel over the selected chain, or removes the tunnel it exactly covers.
// Never asks or tells the user anything.
TunnelChange runTunnelCommand(Layout& layout);

} // namespace plandor
