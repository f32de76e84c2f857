#pragma once
// Where the track bands of two pieces overlap in the plan, and how far apart in height they
// are there. Pieces are binned in a uniform grid so that only neighbours are compared.

#include "base/Geometry.h"
#include "model/Layout.h"

#include <vector>

namespace plandor {

struct TrackOverlap {
    int a = -1; // positions in layout.pieces, a < b
    int b = -1;
    double heightGap = 0; // least rail-top height difference over the overlap
    int lower = -1;       // a or b: the piece lying lower there
    Point at;             // the middle of the largest part of the overlap
};

// Overlapping pairs of pieces that are not joined to each other, not both joined to one
// turnout, crossing, slip or turntable, and not parts of the same helix. Bands are shrunk by half
// of `tolerance` on every side first, so pieces that only touch or overlap by less than `tolerance`
// are not reported. Unknown parts are skipped.
std::vector<TrackOverlap> findTrackOverlaps(const Layout& layout, double tolerance);

} // namespace plandor
