#pragma once
// The ready-made helix sizes that can be placed.

#include <string>
#include <vector>

namespace plandor {

struct HelixVariant {
    std::string id;
    std::string name;
    double turns = 0;
    double rise = 0;
    double r1 = 0;
    double r2 = 0;
    std::string straightPart;
    std::string innerCurvePart;
    std::string outerCurvePart;
};

const std::vector<HelixVariant>& helixVariants();
const HelixVariant* findHelixVariant(const std::string& id);
std::string defaultHelixVariantId();

} // namespace plandor
