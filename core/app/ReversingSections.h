#pragma once
// Reversing sections on two-rail track. Each rail keeps one pole along a track and through a
// turnout, so a network whose routes let a train come back onto its own track facing the
// other way (a balloon loop, a wye) joins the left rail to the right one: it shorts as soon as
// it is wired. Each such loop needs a section insulated on both rails at both ends and fed
// through an auto-reverser. Three-rail track has no such trouble and is not looked at.

#include "core/app/LayoutCheck.h"
#include "core/base/Geometry.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <vector>

namespace plandor {

struct ReversingSection {
    std::vector<int32_t> loop; // ids of the pieces of the loop that turns trains round
    // The track to insulate at both ends: its first and last piece (-1 when the loop closes
    // where two junctions meet directly), and the junctions it runs between.
    int32_t first = -1;
    int32_t last = -1;
    int32_t fromJunction = -1;
    int32_t toJunction = -1;
    Point at; // the insulated joint at the section's start
};

// One section for each loop that turns trains round; with those tracks cut out, the rails of
// every two-rail network take one polarity. Of a loop's tracks the shortest is named, as a
// cut-off across an oval or a leg of a wye usually is the section modellers insulate, but
// never one of two tracks side by side between the same junctions (a passing loop).
// (Finding the fewest sections is hard in general; this greedy choice is not always it.)
std::vector<ReversingSection> findReversingSections(const Layout& layout);

// The layout check's finding for a section (an error: the layout shorts).
CheckFinding reversingFinding(const Layout& layout, const ReversingSection& section);

} // namespace plandor
