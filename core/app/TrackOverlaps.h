#pragma once
// Where the track bands of pieces overlap in the plan, and how far apart in height they are
// there. Pieces are binned in a uniform grid so that only neighbours are compared, and pieces
// already known to be tangled together are not compared again: a pile of pieces costs one
// comparison per piece, not one per pair.

#include "core/base/Geometry.h"
#include "core/model/Layout.h"

#include <functional>
#include <vector>

namespace plandor {

struct TrackOverlap {
    int a = -1; // positions in layout.pieces, a < b
    int b = -1;
    double heightGap = 0; // least rail-top height difference over the overlap
    int lower = -1;       // a or b: the piece lying lower there
    Point at;             // the middle of the largest part of the overlap
};

// Names the fault an overlapping pair makes (a small number above 0), or 0 when the pair is fine.
using OverlapFault = std::function<int(const TrackOverlap&)>;

// Pieces tangled together by overlaps of one fault.
struct OverlapGroup {
    int fault = 0;
    std::vector<int> pieces; // positions in layout.pieces, ascending
    TrackOverlap worst;      // of the pairs seen, the one with the least height gap
};

// Pairs of pieces whose bands overlap, not joined to each other, not both joined to one
// turnout, crossing, slip or turntable, and not parts of the same helix, are classed by
// `fault`; faulty pairs link pieces into clusters, and each cluster gives one group per fault
// found in it, in order of its first piece. Once two pieces are in one cluster their own pair
// is not looked at, so a group names every piece but `worst` is the worst pair seen. Bands are
// shrunk by half of `tolerance` on every side first, so pieces that only touch or overlap by
// less than `tolerance` are not compared. Unknown parts are skipped.
std::vector<OverlapGroup> findOverlapGroups(const Layout& layout, double tolerance,
                                            const OverlapFault& fault);

} // namespace plandor
