#include "base/Geometry.h"
#include "catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

using namespace plandor;

namespace {

constexpr double kTol = 1e-4; // the golden file rounds computed values to four decimals

double rad(double deg) {
    return deg * kPi / 180.0;
}

// Smallest difference between two headings, across the 0/360 seam.
double headingGap(double a, double b) {
    const double d = std::fabs(normalizeHeading(a) - normalizeHeading(b));
    return std::min(d, 360.0 - d);
}

std::vector<std::string> split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    return parts;
}

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

// Checks the connectors a rule builds from the row's own length, radius and angle.
void expectRuleConnectors(const PieceDef& d, const std::string& rule) {
    const std::vector<ConnectorDef>& c = d.connectors;
    expectConnector(c[0], 0, 0, 180);
    if (rule == "straight-rule") {
        ASSERT_EQ(c.size(), 2u);
        expectConnector(c[1], d.length, 0, 0);
    } else if (rule == "curve-rule") {
        ASSERT_EQ(c.size(), 2u);
        const double a = rad(d.angle);
        EXPECT_NEAR(c[1].x, d.radius * std::sin(a), 1e-9);
        EXPECT_NEAR(c[1].y, d.radius * (1 - std::cos(a)), 1e-9);
        EXPECT_DOUBLE_EQ(c[1].heading, d.angle);
    } else if (rule == "turnout-rule") {
        ASSERT_EQ(c.size(), 3u);
        EXPECT_DOUBLE_EQ(c[1].x, d.length);
        const bool left = d.kind == PieceKind::TurnoutLeft;
        EXPECT_EQ(left, d.angle < 0);
        // The branch end lies on the branch circle, tangent to it, never beyond the straight end.
        const double side = left ? -1 : 1;
        EXPECT_NEAR(std::hypot(c[2].x, c[2].y - side * d.radius), d.radius, 1e-9);
        EXPECT_LE(c[2].x, d.length + 1e-9);
        EXPECT_LE(c[2].x, d.radius * std::sin(rad(std::fabs(d.angle))) + 1e-9);
        const double b = std::asin(c[2].x / d.radius) * 180 / kPi;
        EXPECT_LT(headingGap(c[2].heading, side * b), 1e-9);
    } else if (rule == "bumper-rule") {
        EXPECT_EQ(c.size(), 1u);
    } else {
        ADD_FAILURE() << "unknown rule " << rule;
    }
}

} // namespace

// Each line: index, part, system, kind, length, radius, angle, flags, connector systems,
// connectors (literal "x,y,h;..." or the rule that builds them), description.
TEST(TrackCatalogRows, EveryRowMatchesTheGoldenTableInOrder) {
    const TrackCatalog& cat = TrackCatalog::instance();
    std::ifstream in(std::string(PLANDOR_TEST_DATA) + "/track_catalog.tsv");
    int rows = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = split(line, '\t');
        ASSERT_EQ(f.size(), 11u) << line;
        SCOPED_TRACE(f[1]);
        const PieceDef* d = cat.at(std::stoi(f[0]));
        ASSERT_NE(d, nullptr);
        ++rows;
        EXPECT_EQ(d->partNumber, f[1]);
        EXPECT_EQ(d->system, std::stoul(f[2]));
        EXPECT_EQ(static_cast<uint32_t>(d->kind), std::stoul(f[3]));
        EXPECT_NEAR(d->length, std::stod(f[4]), kTol);
        EXPECT_NEAR(d->radius, std::stod(f[5]), kTol);
        EXPECT_NEAR(d->angle, std::stod(f[6]), kTol);
        EXPECT_EQ(d->isBridge, f[7].find('B') != std::string::npos);
        EXPECT_EQ(d->isPaired, f[7].find('P') != std::string::npos);
        EXPECT_EQ(d->isRamp, f[7].find('R') != std::string::npos);
        const std::vector<uint32_t> mixed{0, 1}; // the adapter: C-Track at 0, K-Track at 1
        EXPECT_EQ(d->connectorSystems, f[8] == "-" ? std::vector<uint32_t>{} : mixed);
        EXPECT_EQ(d->description, f[10]);
        if (f[9] == "turntable-rule") {
            ASSERT_EQ(d->connectors.size(), 30u);
            for (std::size_t i = 0; i < 30; ++i)
                expectConnector(d->connectors[i], 139 * std::cos(rad(12.0 * i)),
                                139 * std::sin(rad(12.0 * i)), 12.0 * i);
        } else if (f[9].find("rule") != std::string::npos) {
            expectRuleConnectors(*d, f[9]);
        } else {
            const std::vector<std::string> items = split(f[9], ';');
            ASSERT_EQ(d->connectors.size(), items.size());
            for (std::size_t i = 0; i < items.size(); ++i) {
                const std::vector<std::string> v = split(items[i], ',');
                ASSERT_EQ(v.size(), 3u);
                expectConnector(d->connectors[i], std::stod(v[0]), std::stod(v[1]),
                                std::stod(v[2]));
            }
        }
    }
    EXPECT_EQ(rows, 165);
    EXPECT_EQ(cat.count(), 165);
}

// Systems, order and connectors of every row are pinned by the golden table above.
TEST(TrackCatalogRows, PartNumbersAreUniqueAndLookUpsExact) {
    const TrackCatalog& cat = TrackCatalog::instance();
    std::set<std::string> parts;
    for (const PieceDef& d : cat.pieces()) {
        EXPECT_TRUE(parts.insert(d.partNumber).second) << d.partNumber;
        EXPECT_EQ(cat.find(d.partNumber), &d);
    }
    EXPECT_EQ(cat.at(-1), nullptr);
    EXPECT_EQ(cat.at(cat.count()), nullptr);
    for (const char* unknown : {"", "24188 ", " 24188", "2418"})
        EXPECT_EQ(cat.find(unknown), nullptr) << '"' << unknown << '"';
}

TEST(TrackCatalogFactories, CurveTurnoutsAndTurntable) {
    const PieceDef curve = TrackCatalog::makeCurve(CTrack, "c", "c", 360, 30);
    EXPECT_NEAR(curve.length, 188.4956, kTol);
    expectConnector(curve.connectors.at(1), 180, 48.2309, 30);

    // The Z turnouts' branch, R sin 13 = 110.226, is clamped to the 110 mm straight end.
    for (const char* part : {"8562", "8565", "8563", "8566"}) {
        const PieceDef* d = TrackCatalog::instance().find(part);
        ASSERT_NE(d, nullptr);
        const bool left = d->kind == PieceKind::TurnoutLeft;
        EXPECT_DOUBLE_EQ(d->connectors.at(2).x, 110) << part;
        EXPECT_NEAR(d->connectors[2].heading, left ? 347.0271 : 12.9729, kTol) << part;
    }
    struct Case {
        const char* name;
        double length, angle, bx, bh;
    };
    const Case cases[] = {
        {"straight end just short of the branch", 180.03, 24.3, 180.03, 24.2989},
        {"straight end just past the branch", 180.04, 24.3, 180.0375, 24.3},
        {"negative input angle is taken by size", 180.04, -24.3, 180.0375, 24.3},
    };
    for (const Case& c : cases) {
        const PieceDef d = TrackCatalog::makeTurnout(KTrack, "t", "t", PieceKind::TurnoutRight,
                                                     c.length, 437.5, c.angle);
        EXPECT_NEAR(d.connectors.at(2).x, c.bx, kTol) << c.name;
        EXPECT_NEAR(d.connectors[2].heading, c.bh, kTol) << c.name;
    }

    const PieceDef table = TrackCatalog::makeTurntable(CTrack, "tt", "tt");
    ASSERT_EQ(table.connectors.size(), 30u);
    expectConnector(table.connectors[15], -139, 0, 180);
}

TEST(TrackCatalogTransform, WorldConnectorAndPoseForMate) {
    const PieceDef* straight = TrackCatalog::instance().find("24188");
    ASSERT_NE(straight, nullptr);
    expectPose(worldConnector(Pose{100, 50, 90}, *straight, 1), 100, 238.3, 90);
    expectPose(worldConnector(Pose{0, 0, 270}, *straight, 0), 0, 0, 90); // 270 + 180 wraps

    struct Case {
        const char* name;
        int connector;
        double tx, ty, th;
        double x, y, h;
    };
    const Case cases[] = {
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

// Mating any connector of any piece to a target puts that connector on the target, facing it.
TEST(TrackCatalogTransform, PoseForMateThenWorldConnectorMeetsTheTarget) {
    const Pose targets[] = {{0, 0, 0}, {500, -120, 90}, {-33.3, 77.7, 213.4}, {1000, 1000, 359.99}};
    for (const PieceDef& d : TrackCatalog::instance().pieces()) {
        for (int c = 0; c < static_cast<int>(d.connectors.size()); ++c) {
            for (const Pose& t : targets) {
                const Pose w = worldConnector(poseForMate(d, c, t.x, t.y, t.heading), d, c);
                EXPECT_NEAR(w.x, t.x, 1e-9) << d.partNumber << " c" << c;
                EXPECT_NEAR(w.y, t.y, 1e-9) << d.partNumber << " c" << c;
                EXPECT_LT(headingGap(w.heading, t.heading + 180), 1e-9)
                    << d.partNumber << " c" << c;
            }
        }
    }
}
