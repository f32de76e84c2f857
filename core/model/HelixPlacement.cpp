#include "core/model/HelixPlacement.h"
#include "core/base/Geometry.h"

#include "core/catalog/HelixVariants.h"
#include "core/catalog/TrackCatalog.h"

#include <cmath>

namespace plandor {

namespace {

const HelixVariant* variantOrDefault(const std::string& variantId) {
    if (const HelixVariant* v =
            findHelixVariant(variantId.empty() ? defaultHelixVariantId() : variantId))
        return v;
    return findHelixVariant(defaultHelixVariantId());
}

// A stub at helix-frame offset (0, d): d < 0 lies to the left of the heading, d > 0 to the right.
PlacedPiece makeStub(Layout& layout, const Helix& helix, const std::string& part, double d,
                     double z) {
    const double h = helix.heading * kDegToRad;
    PlacedPiece stub = makePlacedPiece(part);
    stub.id = layout.takeId();
    stub.x = helix.cx - d * std::sin(h);
    stub.y = helix.cy + d * std::cos(h);
    stub.heading = helix.heading;
    stub.z = z;
    stub.grade = 0;
    stub.level = 1;
    stub.helix = helix.id;
    return stub;
}

} // namespace

bool placeHelix(Layout& layout, double x, double y, double heading, const std::string& variantId) {
    const HelixVariant* variant = variantOrDefault(variantId);
    if (!variant || !TrackCatalog::instance().find(variant->straightPart))
        return false;

    Helix helix;
    helix.id = layout.takeId();
    helix.cx = x;
    helix.cy = y;
    helix.heading = normalizeHeading(heading);
    helix.variant = variant->id;

    const std::string& part = variant->straightPart;
    PlacedPiece bottomR1 = makeStub(layout, helix, part, -variant->r1, 0);
    PlacedPiece bottomR2 = makeStub(layout, helix, part, -variant->r2, 0);
    PlacedPiece topR1 = makeStub(layout, helix, part, variant->r1, variant->rise);
    PlacedPiece topR2 = makeStub(layout, helix, part, variant->r2, variant->rise);
    helix.bottomR1 = bottomR1.id;
    helix.bottomR2 = bottomR2.id;
    helix.topR1 = topR1.id;
    helix.topR2 = topR2.id;

    layout.pieces.push_back(std::move(bottomR1));
    layout.pieces.push_back(std::move(bottomR2));
    layout.pieces.push_back(std::move(topR1));
    layout.pieces.push_back(std::move(topR2));
    layout.helices.push_back(std::move(helix));
    return true;
}

} // namespace plandor
