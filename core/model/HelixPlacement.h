#pragma once
// Dropping a ready-made helix: one Helix record plus four straight stub pieces at its ends.

#include "core/model/Layout.h"

#include <string>

namespace plandor {

// Adds a helix centred at (x, y) with the given heading and its four stubs (bottom R1,
// bottom R2, top R1, top R2), taking ids N for the helix and N+1..N+4 for the stubs.
// An empty or unknown variant id falls back to the default variant.
// Returns false, changing nothing, when neither the variant nor its stub part can be found.
bool placeHelix(Layout& layout, double x, double y, double heading, const std::string& variantId);

} // namespace plandor
