#pragma once
// Tunnels over chains of track: which selections can take one, placing and removing the
// portals and the Tunnel record, and the locks that keep tunnel and helix track in place.

#include "model/Layout.h"
#include "shell/Prompter.h"

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
// One undo step when something changes; never asks or tells the user anything.
TunnelChange runTunnelCommand(Layout& layout);

// True when the piece id is covered by some tunnel / the scenery id is a tunnel portal.
bool isTunnelCovered(const Layout& layout, int32_t pieceId);
bool isTunnelPortal(const Layout& layout, int32_t sceneryId);

// The helix and tunnel refusal run before deleting ("delete") or rotating ("rotate") the
// selection: shows the first finding and returns false, or returns true when nothing is locked.
bool canEdit(const Layout& layout, const std::string& verb, Prompter& prompter);

// The tunnel check of dragging the selection: refuses (and says so) when a selected piece
// outside any helix is covered by a tunnel or a selected scenery item is a portal.
bool canMoveTunnelTrack(const Layout& layout, Prompter& prompter);

} // namespace plandor
