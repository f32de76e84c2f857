#pragma once
// Which connectors of a piece a train can pass between, and how long that way is. The
// reversing-section and track-length analyses walk the layout along these routes.

#include "core/catalog/TrackCatalog.h"

#include <vector>

namespace plandor {

struct TrackRoute {
    int a = 0; // connector numbers
    int b = 0;
};

// Straights and curves 0-1; turnouts 0-1 and 0-2 (a three-way turnout also 0-3); curved
// turnouts 0-1 and 0-2; crossings 0-1 and 2-3; double slips every pair of ends their geometry
// joins (the two crossing routes and the two slips); a turntable's bridge each opposite pair.
// A buffer stop has none.
std::vector<TrackRoute> pieceRoutes(const PieceDef& def);

// How far a train travels between the route's ends: exact for straights and curves, and for
// the other pieces the circular arc through both ends that turns as the route does.
double routeLength(const PieceDef& def, TrackRoute route);

// How much the route turns, in degrees within [-180, 180), walked from a to b.
double routeTurn(const PieceDef& def, TrackRoute route);

// A piece where tracks meet and part: turnouts, double slips and turntables. A track (the
// plain run between them) ends at such a piece; crossings let both of their tracks run on.
bool isJunction(const PieceDef& def);

// Two-rail systems feed the two running rails with opposite poles, so a train coming back
// on its own track facing the other way shorts them; three-rail systems do not care.
bool isTwoRail(uint32_t system);

} // namespace plandor
