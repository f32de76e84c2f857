#pragma once
// Realistic large layouts for benchmarks: C-Track ovals (single and double track) with
// sidings off turnouts, turnout ladders, crossings, graded climbs between levels, tunnels,
// scenery, labels, polygons, levels and a baseboard. One module per grid cell; every joint
// is written on both pieces and its two connectors coincide and face each other.
#include "core/model/Layout.h"

namespace plandor {

// Exactly `pieceCount` pieces; the same seed gives the same layout.
Layout generateLayout(int pieceCount, unsigned seed = 1);

} // namespace plandor
