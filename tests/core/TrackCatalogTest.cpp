#include "catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

namespace {

constexpr double kTol = 1e-4;
constexpr double kPi = 3.141592653589793;

void expectConnector(const ConnectorDef& c, double x, double y, double heading) {
    EXPECT_NEAR(c.x, x, kTol);
    EXPECT_NEAR(c.y, y, kTol);
    EXPECT_NEAR(c.heading, heading, kTol);
}

void expectPose(const Pose& p, double x, double y, double heading) {
    EXPECT_NEAR(p.x, x, kTol);
    EXPECT_NEAR(p.y, y, kTol);
    EXPECT_NEAR(p.heading, heading, kTol);
}

} // namespace

TEST(TrackCatalogHeadings, NormalizeKeepsEveryAngleInRange) {
    struct Case {
        const char* name;
        double in;
        double out;
    };
    const Case cases[] = {
        {"zero", 0, 0},          {"just below 360", 359.9999, 359.9999},
        {"exactly 360", 360, 0}, {"two turns and a half", 720.5, 0.5},
        {"negative", -90, 270},  {"tiny negative rounds to 0", -1e-15, 0},
        {"minus 360", -360, 0},  {"just below zero", -0.5, 359.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double h = normalizeHeading(c.in);
        EXPECT_GE(h, 0.0);
        EXPECT_LT(h, 360.0);
        EXPECT_NEAR(h, c.out, 1e-9);
    }
}

TEST(TrackCatalogFactories, StraightHasEndsAtOriginAndLength) {
    const PieceDef d = TrackCatalog::makeStraight(ZTrack, "x", "x desc", 55);
    EXPECT_EQ(d.kind, PieceKind::Straight);
    EXPECT_EQ(d.system, ZTrack);
    ASSERT_EQ(d.connectors.size(), 2u);
    expectConnector(d.connectors[0], 0, 0, 180);
    expectConnector(d.connectors[1], 55, 0, 0);
    EXPECT_EQ(d.connectors[1].index, 1u);
    EXPECT_FALSE(d.isBridge || d.isPaired || d.isRamp);
    EXPECT_TRUE(d.connectorSystems.empty());
}

TEST(TrackCatalogFactories, CurveR360A30BendsRight) {
    const PieceDef d = TrackCatalog::makeCurve(CTrack, "c", "c", 360, 30);
    EXPECT_NEAR(d.length, 188.4956, kTol);
    EXPECT_DOUBLE_EQ(d.radius, 360);
    EXPECT_DOUBLE_EQ(d.angle, 30);
    ASSERT_EQ(d.connectors.size(), 2u);
    expectConnector(d.connectors[0], 0, 0, 180);
    expectConnector(d.connectors[1], 180, 48.2309, 30);
}

TEST(TrackCatalogFactories, TurnoutBranchIsClampedToTheStraightEnd) {
    struct Case {
        const char* name;
        PieceKind kind;
        double length, radius, angle;
        double bx, by, bh, storedAngle;
    };
    const Case cases[] = {
        // R sin 13° = 110.226 lies past the 110 mm straight end.
        {"clamped left", PieceKind::TurnoutLeft, 110, 490, 13, 110, -12.5065, 347.0271, -13},
        {"clamped right", PieceKind::TurnoutRight, 110, 490, 13, 110, 12.5065, 12.9729, 13},
        {"negative input angle is taken by size", PieceKind::TurnoutRight, 110, 490, -13, 110,
         12.5065, 12.9729, 13},
        // R sin 24.3° = 180.0375: the branch end itself.
        {"unclamped left", PieceKind::TurnoutLeft, 300, 437.5, 24.3, 180.0375, -38.7611, 335.7,
         -24.3},
        {"straight end just short of the branch", PieceKind::TurnoutRight, 180.03, 437.5, 24.3,
         180.03, 38.7577, 24.2989, 24.3},
        {"straight end just past the branch", PieceKind::TurnoutRight, 180.04, 437.5, 24.3,
         180.0375, 38.7611, 24.3, 24.3},
        {"zero angle left stays in range", PieceKind::TurnoutLeft, 100, 400, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PieceDef d =
            TrackCatalog::makeTurnout(KTrack, "t", "t", c.kind, c.length, c.radius, c.angle);
        EXPECT_EQ(d.kind, c.kind);
        EXPECT_DOUBLE_EQ(d.length, c.length);
        EXPECT_DOUBLE_EQ(d.angle, c.storedAngle);
        ASSERT_EQ(d.connectors.size(), 3u);
        expectConnector(d.connectors[1], c.length, 0, 0);
        expectConnector(d.connectors[2], c.bx, c.by, c.bh);
        EXPECT_LT(d.connectors[2].heading, 360.0);
    }
}

TEST(TrackCatalogFactories, LeftBranchPointsUpRightBranchDown) {
    const PieceDef left =
        TrackCatalog::makeTurnout(CTrack, "l", "l", PieceKind::TurnoutLeft, 188.3, 437.5, 24.3);
    const PieceDef right =
        TrackCatalog::makeTurnout(CTrack, "r", "r", PieceKind::TurnoutRight, 188.3, 437.5, 24.3);
    EXPECT_LT(left.connectors[2].y, 0);
    EXPECT_GT(left.connectors[2].heading, 180);
    EXPECT_GT(right.connectors[2].y, 0);
    EXPECT_LT(right.connectors[2].heading, 180);
}

TEST(TrackCatalogFactories, BumperHasOneConnector) {
    const PieceDef d = TrackCatalog::makeBumper(KTrack, "b", "b", 60);
    EXPECT_EQ(d.kind, PieceKind::Bumper);
    EXPECT_DOUBLE_EQ(d.length, 60);
    ASSERT_EQ(d.connectors.size(), 1u);
    expectConnector(d.connectors[0], 0, 0, 180);
}

TEST(TrackCatalogFactories, TurntableRingOfThirtyOutwardConnectors) {
    const PieceDef d = TrackCatalog::makeTurntable(CTrack, "tt", "tt");
    EXPECT_EQ(d.kind, PieceKind::Turntable);
    EXPECT_DOUBLE_EQ(d.length, 378);
    EXPECT_DOUBLE_EQ(d.radius, 139);
    EXPECT_DOUBLE_EQ(d.angle, 12);
    ASSERT_EQ(d.connectors.size(), 30u);
    expectConnector(d.connectors[0], 139, 0, 0);
    expectConnector(d.connectors[15], -139, 0, 180);
    expectConnector(d.connectors[29], 139 * std::cos(348 * kPi / 180),
                    139 * std::sin(348 * kPi / 180), 348);
    for (uint32_t i = 0; i < 30; ++i)
        EXPECT_EQ(d.connectors[i].index, i);
}

TEST(TrackCatalogTransform, WorldConnectorRotatesAboutThePieceOrigin) {
    const PieceDef* straight = TrackCatalog::instance().find("24188");
    ASSERT_NE(straight, nullptr);
    expectPose(worldConnector(Pose{100, 50, 90}, *straight, 1), 100, 238.3, 90);
    expectPose(worldConnector(Pose{100, 50, 90}, *straight, 0), 100, 50, 270);
    // 270 + 180 wraps to 90.
    expectPose(worldConnector(Pose{0, 0, 270}, *straight, 0), 0, 0, 90);
    expectPose(worldConnector(Pose{10, 20, 180}, *straight, 1), 10 - 188.3, 20, 180);
}

TEST(TrackCatalogTransform, PoseForMateCases) {
    const PieceDef* straight = TrackCatalog::instance().find("24188");
    ASSERT_NE(straight, nullptr);
    struct Case {
        const char* name;
        int connector;
        double tx, ty, th;
        double x, y, h;
    };
    const Case cases[] = {
        {"connector 0 facing a +x end", 0, 500, 0, 0, 500, 0, 0},
        {"connector 0 facing a +y end", 0, 500, 0, 90, 500, 0, 90},
        {"connector 1 backs onto the target", 1, 500, 0, 0, 688.3, 0, 180},
        {"negative connector", -1, 500, 10, 0, 0, 0, 0},
        {"connector past the end", 2, 500, 10, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectPose(poseForMate(*straight, c.connector, c.tx, c.ty, c.th), c.x, c.y, c.h);
    }
}

TEST(TrackCatalogLookup, FindIsExactAndAtIsBounded) {
    const TrackCatalog& cat = TrackCatalog::instance();
    EXPECT_EQ(&cat, &TrackCatalog::instance());
    const PieceDef* d = cat.find("24188");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->kind, PieceKind::Straight);
    EXPECT_DOUBLE_EQ(d->length, 188.3);
    ASSERT_EQ(d->connectors.size(), 2u);
    expectConnector(d->connectors[0], 0, 0, 180);
    expectConnector(d->connectors[1], 188.3, 0, 0);

    for (const char* unknown : {"", "24188 ", " 24188", "99999", "2418"})
        EXPECT_EQ(cat.find(unknown), nullptr) << '"' << unknown << '"';
    EXPECT_EQ(cat.find(std::string("24188\0", 6)), nullptr);

    EXPECT_EQ(cat.at(-1), nullptr);
    EXPECT_EQ(cat.at(cat.count()), nullptr);
    EXPECT_EQ(cat.at(0), d);
    ASSERT_NE(cat.at(cat.count() - 1), nullptr);
    EXPECT_EQ(cat.at(cat.count() - 1)->partNumber, "7267");
    EXPECT_EQ(cat.pieces().size(), static_cast<std::size_t>(cat.count()));
}

TEST(TrackCatalogLookup, RepeatedPartNumberResolvesToNewest) {
    TrackCatalog cat;
    cat.registerPiece(TrackCatalog::makeStraight(CTrack, "p", "p old", 10));
    cat.registerPiece(TrackCatalog::makeStraight(CTrack, "q", "q", 20));
    cat.registerPiece(TrackCatalog::makeStraight(CTrack, "p", "p new", 30));
    EXPECT_EQ(cat.count(), 3);
    ASSERT_NE(cat.find("p"), nullptr);
    EXPECT_EQ(cat.find("p")->description, "p new");
    EXPECT_EQ(cat.find("p"), cat.at(2));
    EXPECT_EQ(cat.find("q"), cat.at(1));
}

TEST(TrackCatalogLookup, OnlyTheAdapterMixesSystems) {
    const TrackCatalog& cat = TrackCatalog::instance();
    const PieceDef* adapter = cat.find("24922");
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->connectorSystem(0), CTrack);
    EXPECT_EQ(adapter->connectorSystem(1), KTrack);
    for (const PieceDef& d : cat.pieces()) {
        if (&d == adapter)
            continue;
        EXPECT_TRUE(d.connectorSystems.empty()) << d.partNumber;
        for (int c = 0; c < static_cast<int>(d.connectors.size()); ++c)
            EXPECT_EQ(d.connectorSystem(c), d.system) << d.partNumber;
    }
}
