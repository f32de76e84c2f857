#pragma once
// Dropping a ready-made helix: one Helix record plus four straight stub pieces at its ends;
// and where the curved pieces of its two rings lie, for everything that draws or counts them.

#include "core/base/Geometry.h"
#include "core/model/Layout.h"

#include <string>

namespace plandor {

// A helix of the variant (the default one for an empty or unknown id) can be placed: its
// straight stub part is in the catalogue.
bool helixPlaceable(const std::string& variantId);
// Adds a helix centred at (x, y) with the given heading and its four stubs (bottom R1,
// bottom R2, top R1, top R2), taking ids N for the helix and N+1..N+4 for the stubs.
// An empty or unknown variant id falls back to the default variant.
// Returns false, changing nothing, when neither the variant nor its stub part can be found.
bool placeHelix(Layout& layout, double x, double y, double heading, const std::string& variantId);

struct HelixVariant;

// The variant a helix is built from: its own, or the default one when its id is unknown.
const HelixVariant* helixVariantOf(const Helix& helix);

// Curved pieces in each of a helix's two rings: twelve per turn, a part turn cut off.
int helixRingPieceCount(const HelixVariant& variant);

// Ring piece `step` of the ring of the given radius round the helix: it lies at the angle
// -90 + 30 * step degrees about the centre and points along the ring, all turned with the
// helix. Steps count clockwise on the plan from beside the bottom stubs; one turn is twelve.
Pose helixRingPose(const Helix& helix, double radius, int step);

} // namespace plandor
