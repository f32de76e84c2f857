#pragma once
// Meshes of track pieces in their own plan frame (origin at connector 0, x along the track,
// y to the side as on the plan, z up), plus the piers under bridges and the helix posts.

#include "core/catalog/TrackCatalog.h"
#include "core/render/Mesh3D.h"

namespace plandor {

enum class BridgeStructure { None, Truss, Arch, Ramp };

// Which structure a bridge part carries, by part number.
BridgeStructure bridgeStructure(const PieceDef& def);

// The track of every route of the piece, with the bridge or ramp structure of bridge parts
// and the buffer of buffer stops.
Mesh3D buildPieceMesh(const PieceDef& def, TrackDetail detail = TrackDetail::Full);
Mesh3D buildBufferStopMesh(const PieceDef& def, TrackDetail detail = TrackDetail::Full);

// A stadium-shaped concrete pier under a bridge end, long side along `angleDeg`; nothing
// when it would be shorter than 2 mm.
void addPier(Mesh3D& mesh, double x, double y, double bottom, double top, double angleDeg);
// The same pier from far, standing on the origin: the box round its stadium, whose corners
// stray 11 (sqrt 2 - 1) mm, under 5 mm, from it.
void addFarPier(Mesh3D& mesh, double height);
// A square wooden post under a helix; nothing when shorter than 2 mm.
void addHelixPost(Mesh3D& mesh, double x, double y, double bottom, double top, double angleDeg);

} // namespace plandor
