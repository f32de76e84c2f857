#include "core/catalog/HelixVariants.h"

namespace plandor {

const std::vector<HelixVariant>& helixVariants() {
    // The first row is the default variant.
    static const std::vector<HelixVariant> variants = {
        {"proses_2_5_r1r2", "Proses 2.5 R1&R2 26cm/10.2\"", 2.5, 260, 360, 437.5, "24188", "24130",
         "24230"},
        {"proses_3_5_r1r2", "Proses 3.5 R1&R2 34cm/13.4\"", 3.5, 340, 360, 437.5, "24188", "24130",
         "24230"},
        {"proses_4_5_r1r2", "Proses 4.5 R1&R2 42cm/16.5\"", 4.5, 420, 360, 437.5, "24188", "24130",
         "24230"},
        {"proses_2_5_r2r3", "Proses 2.5 R2&R3 26cm/10.2\"", 2.5, 260, 437.5, 515, "24188", "24230",
         "24330"},
        {"proses_3_5_r2r3", "Proses 3.5 R2&R3 34cm/13.4\"", 3.5, 340, 437.5, 515, "24188", "24230",
         "24330"},
        {"proses_2_5_r3r4", "Proses 2.5 R3&R4 26cm/10.2\"", 2.5, 260, 515, 579.3, "24188", "24330",
         "24430"},
        {"proses_4_5_r3r4", "Proses 4.5 R3&R4 42cm/16.5\"", 4.5, 420, 515, 579.3, "24188", "24330",
         "24430"},
        {"proses_2_5_r4r5", "Proses 2.5 R4&R5 26cm/10.2\"", 2.5, 260, 579.3, 643.6, "24188",
         "24430", "24530"},
        {"proses_3_5_r4r5", "Proses 3.5 R4&R5 34cm/13.4\"", 3.5, 340, 579.3, 643.6, "24188",
         "24430", "24530"},
        {"proses_4_5_r4r5", "Proses 4.5 R4&R5 42cm/16.5\"", 4.5, 420, 579.3, 643.6, "24188",
         "24430", "24530"},
    };
    return variants;
}

const HelixVariant* findHelixVariant(const std::string& id) {
    for (const HelixVariant& v : helixVariants())
        if (v.id == id)
            return &v;
    return nullptr;
}

std::string defaultHelixVariantId() {
    return "proses_2_5_r1r2";
}

} // namespace plandor
