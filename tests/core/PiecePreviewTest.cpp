// The palette's piece preview: the scale that fits a piece into the 80 x 55 popup.
#include "render/PiecePreview.h"

#include "catalog/TrackCatalog.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

PieceDef straight(double length) {
    return TrackCatalog::makeStraight(CTrack, "S", "straight", length);
}
PieceDef curve(double radius, double angle) {
    return TrackCatalog::makeCurve(CTrack, "C", "curve", radius, angle);
}
PieceDef turnout(double length, double radius, double angle) {
    return TrackCatalog::makeTurnout(CTrack, "T", "turnout", PieceKind::TurnoutLeft, length, radius,
                                     angle);
}

TEST(PiecePreviewFit, ScaleRuleAtEachLimit) {
    struct Case {
        const char* name;
        PieceDef def;
        double scale;
    };
    // Worked by hand from the rule: bulge b (at least 40), 33 / b (33 / max(60, b) for three
    // or more ends), capped by 68 / L, times 0.8, kept in [0.05, 3].
    const std::vector<Case> cases = {
        {"long straight: length wins", straight(188.3), 68 / 188.3 * 0.8},
        {"very long straight: floor 0.05", straight(2000), 0.05},
        // b = (1 - cos 30) * 360 * 2.5 = 120.577; L = 188.5
        {"R1 30 degree curve: its bulge wins", curve(360, 30), 33 / 120.57713659 * 0.8},
        // b = 16.6 -> 40 -> 60 for three ends; L = 100
        {"flat turnout: three ends get at least 60", turnout(100, 437.5, 10), 33.0 / 60 * 0.8},
        // b = (1 - cos 24.3) * 437.5 * 2.5 = 96.903, above 60
        {"turnout with a wide branch", turnout(188.3, 437.5, 24.3), 33 / 96.90266618 * 0.8},
    };
    for (const Case& c : cases) {
        const PreviewFit fit = previewFit(c.def);
        EXPECT_NEAR(fit.scale, c.scale, 1e-9) << c.name;
        // The piece is centred across the popup and its origin sits half-way down.
        EXPECT_NEAR(fit.originX + std::max(1.0, c.def.length) * fit.scale / 2, 40, 1e-9) << c.name;
        EXPECT_EQ(fit.originY, 30.5) << c.name;
    }
}

} // namespace
