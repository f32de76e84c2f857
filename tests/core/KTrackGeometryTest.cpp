// The K-Track pieces mended to the maker's catalogue: radius, angle and arc of each curve,
// circles that close, the long crossing's angle, and layouts saved before the change.
#include "LayoutBuilder.h"
#include "core/catalog/TrackCatalog.h"
#include "core/editing/Snap.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

namespace {

// The end of a chain of pieces, each joined head-on to the previous one's connector 1.
Pose chainEnd(const std::vector<std::string>& parts) {
    Pose at{0, 0, 0};
    for (const std::string& part : parts) {
        const PieceDef& def = *TrackCatalog::instance().find(part);
        at = worldConnector(poseForMate(def, 0, at.x, at.y, at.heading), def, 1);
    }
    return at;
}

} // namespace

// The K-Track curves measured against the maker's catalogue: each has the radius and angle of
// the real track, its arc length follows from them, and a full circle of it closes.
TEST(KTrackGeometry, CurvesHaveTheRealRadiusAndAngleAndCloseACircle) {
    struct Case {
        const char* part;
        double radius;
        double angle;
    };
    const Case cases[] = {
        {"2221", 360, 30},       {"2223", 360, 15},     {"2224", 360, 7.5},  {"2229", 360, 15},
        {"2231", 424.6, 30},     {"2232", 424.6, 22.5}, {"2233", 424.6, 15}, {"2234", 424.6, 7.5},
        {"2235", 424.6, 3.75},   {"2239", 424.6, 15},   {"2241", 553.9, 30}, {"2251", 618.5, 30},
        {"2274", 902.4, 14.433},
    };
    for (const Case& c : cases) {
        const PieceDef& def = *TrackCatalog::instance().find(c.part);
        EXPECT_EQ(def.kind, PieceKind::Curve) << c.part;
        EXPECT_EQ(def.radius, c.radius) << c.part;
        EXPECT_EQ(def.angle, c.angle) << c.part;
        EXPECT_NEAR(def.length, c.radius * c.angle * kDegToRad, 1e-9) << c.part;
        const double pieces = 360.0 / c.angle;
        // The slim turnouts' counter-curve only ever bends back a branch: no circle of it.
        if (std::fabs(pieces - std::round(pieces)) > 1e-9)
            continue;
        const Pose end = chainEnd(std::vector<std::string>(std::lround(pieces), c.part));
        EXPECT_NEAR(std::hypot(end.x, end.y), 0, 0.05) << c.part << " circle does not close";
        EXPECT_LT(headingDifference(end.heading, 0), 1e-6) << c.part;
    }
    // Half-length pieces mix with the full ones on one radius.
    const Pose mixed = chainEnd({"2223", "2223", "2221"});
    const Pose whole = chainEnd({"2221", "2221"});
    EXPECT_NEAR(mixed.x, whole.x, 1e-6);
    EXPECT_NEAR(mixed.y, whole.y, 1e-6);
    EXPECT_NEAR(mixed.heading, whole.heading, 1e-6);
}

// The 225 mm crossing crosses at the slim turnouts' 14.433 degrees, its diagonal as long as
// the straight route and both routes crossing at the middle.
TEST(KTrackGeometry, LongCrossingCrossesAtTheSlimAngle) {
    const PieceDef& def = *TrackCatalog::instance().find("2257");
    EXPECT_EQ(def.kind, PieceKind::Crossing);
    EXPECT_EQ(def.angle, 14.433);
    ASSERT_EQ(def.connectors.size(), 4u);
    const ConnectorDef& a = def.connectors[2];
    const ConnectorDef& b = def.connectors[3];
    EXPECT_NEAR(std::hypot(b.x - a.x, b.y - a.y), 225, 0.01);
    EXPECT_NEAR((a.x + b.x) / 2, 112.5, 1e-9);
    EXPECT_NEAR((a.y + b.y) / 2, 0, 1e-9);
    EXPECT_NEAR(std::atan2(b.y - a.y, b.x - a.x) / kDegToRad, 14.433, 0.005);
    EXPECT_EQ(a.heading, 194.433);
    EXPECT_EQ(b.heading, 14.433);
}

// A layout saved with the old 2233 (R 515) keeps every stored position and joint when read,
// although the mended curve no longer ends where its neighbour begins.
TEST(KTrackGeometry, LayoutsSavedBeforeKeepTheirPositionsAndJoints) {
    Layout saved;
    saved.ensureDefaultLevel();
    const double oldEndX = 515 * std::sin(15 * kDegToRad);
    const double oldEndY = 515 * (1 - std::cos(15 * kDegToRad));
    const int32_t curve = addPiece(saved, "2233", 0, 0).id;
    const int32_t next = addPiece(saved, "2200", oldEndX, oldEndY, 15).id;
    saved.join(curve, 1, next, 0);

    Layout read;
    std::string name;
    readLayoutText(read, layoutFileText(saved, "Old curves"), name);
    ASSERT_EQ(read.pieces.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        // The file keeps what it stores to its own precision.
        EXPECT_NEAR(read.pieces[i].x, saved.pieces[i].x, 1e-3) << i;
        EXPECT_NEAR(read.pieces[i].y, saved.pieces[i].y, 1e-3) << i;
        EXPECT_NEAR(read.pieces[i].heading, saved.pieces[i].heading, 1e-3) << i;
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(read.pieces[i].jointAt(c), saved.pieces[i].jointAt(c)) << i << " c" << c;
    }
    EXPECT_EQ(read.findPiece(curve)->jointAt(1).target, next);
    const PieceDef& def = *TrackCatalog::instance().find("2233");
    const Pose end = worldConnector(Pose{0, 0, 0}, def, 1);
    EXPECT_GT(std::hypot(end.x - oldEndX, end.y - oldEndY), 20.0);
}
