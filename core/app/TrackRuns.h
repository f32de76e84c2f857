#pragma once
// The layout cut into tracks: each track is the plain run of pieces between two turnout ends,
// or from a turnout to a buffer stop or an open end, or a closed circuit with no turnout at
// all. A track follows routes through crossings, and the spiral of a helix from stub to stub.
// The track-length table and the reversing-section finding both work on these.

#include "core/app/TrackRoutes.h"
#include "core/base/Geometry.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

enum class TrackEndKind { Junction, Buffer, Open, Closed };

struct TrackEnd {
    TrackEndKind kind = TrackEndKind::Open;
    int piece = -1; // position in layout.pieces of the junction, or of the track's last piece
    int conn = -1;  // its connector at this end
};

struct TrackRun {
    std::vector<int> pieces; // positions in layout.pieces, in walking order
    double length = 0;       // along the track, in millimetres
    TrackEnd from, to;       // from the first piece's side to the last one's
    bool twoRail = true;     // every connector on it, junction ends too, is of a two-rail system
};

struct TrackNetwork {
    std::vector<const PieceDef*> defs; // per piece, null when the part is unknown
    std::vector<TrackRun> runs;
};

// Every track of the layout; a run between two junctions joined directly has no pieces.
TrackNetwork trackNetwork(const Layout& layout);

// Where connector `conn` of the piece at `position` lies, in layout coordinates.
Point connectorPoint(const Layout& layout, const TrackNetwork& net, int position, int conn);

// "62188 #12": how the check and the track list name a piece.
std::string pieceLabel(const PlacedPiece& piece);

} // namespace plandor
