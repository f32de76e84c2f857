#include "catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

using namespace plandor;

namespace {

constexpr double kTol = 1e-4; // the golden file rounds computed values to four decimals
constexpr double kPi = 3.141592653589793;

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

struct GoldenRow {
    int index = 0;
    std::string part;
    uint32_t system = 0;
    uint32_t kind = 0;
    double length = 0, radius = 0, angle = 0;
    std::string flags;
    std::string connectorSystems;
    std::string connectors; // literal list, or the name of the rule that builds them
    std::string description;
};

std::vector<GoldenRow> loadGolden() {
    std::ifstream in(std::string(PLANDOR_TEST_DATA) + "/track_catalog.tsv");
    std::vector<GoldenRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = split(line, '\t');
        if (f.size() != 11) {
            ADD_FAILURE() << "bad golden line: " << line;
            continue;
        }
        GoldenRow r;
        r.index = std::stoi(f[0]);
        r.part = f[1];
        r.system = static_cast<uint32_t>(std::stoul(f[2]));
        r.kind = static_cast<uint32_t>(std::stoul(f[3]));
        r.length = std::stod(f[4]);
        r.radius = std::stod(f[5]);
        r.angle = std::stod(f[6]);
        r.flags = f[7];
        r.connectorSystems = f[8];
        r.connectors = f[9];
        r.description = f[10];
        rows.push_back(r);
    }
    return rows;
}

void expectLiteralConnectors(const PieceDef& d, const std::string& text) {
    const std::vector<std::string> items = split(text, ';');
    ASSERT_EQ(d.connectors.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::vector<std::string> v = split(items[i], ',');
        ASSERT_EQ(v.size(), 3u);
        SCOPED_TRACE("connector " + std::to_string(i));
        EXPECT_NEAR(d.connectors[i].x, std::stod(v[0]), kTol);
        EXPECT_NEAR(d.connectors[i].y, std::stod(v[1]), kTol);
        EXPECT_NEAR(d.connectors[i].heading, std::stod(v[2]), kTol);
    }
}

// Checks the connectors a rule builds from the row's own length, radius and angle.
void expectRuleConnectors(const PieceDef& d, const std::string& rule) {
    const std::vector<ConnectorDef>& c = d.connectors;
    if (rule == "straight-rule") {
        ASSERT_EQ(c.size(), 2u);
        EXPECT_DOUBLE_EQ(c[1].x, d.length);
        EXPECT_DOUBLE_EQ(c[1].y, 0);
        EXPECT_DOUBLE_EQ(c[1].heading, 0);
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
        const double cy = side * d.radius;
        EXPECT_NEAR(std::hypot(c[2].x, c[2].y - cy), d.radius, 1e-9);
        EXPECT_LE(c[2].x, d.length + 1e-9);
        EXPECT_LE(c[2].x, d.radius * std::sin(rad(std::fabs(d.angle))) + 1e-9);
        const double b = std::asin(c[2].x / d.radius) * 180 / kPi;
        EXPECT_LT(headingGap(c[2].heading, side * b), 1e-9);
    } else if (rule == "bumper-rule") {
        EXPECT_EQ(c.size(), 1u);
    } else if (rule == "turntable-rule") {
        ASSERT_EQ(c.size(), 30u);
        for (std::size_t i = 0; i < c.size(); ++i) {
            EXPECT_NEAR(c[i].x, 139 * std::cos(rad(12.0 * i)), 1e-9);
            EXPECT_NEAR(c[i].y, 139 * std::sin(rad(12.0 * i)), 1e-9);
            EXPECT_DOUBLE_EQ(c[i].heading, 12.0 * i);
        }
    } else {
        ADD_FAILURE() << "unknown rule " << rule;
    }
}

} // namespace

TEST(TrackCatalogRows, EveryRowMatchesTheGoldenTableInOrder) {
    const TrackCatalog& cat = TrackCatalog::instance();
    const std::vector<GoldenRow> golden = loadGolden();
    ASSERT_EQ(golden.size(), 165u);
    ASSERT_EQ(cat.count(), 165);
    for (const GoldenRow& g : golden) {
        SCOPED_TRACE(g.part);
        const PieceDef* d = cat.at(g.index);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->partNumber, g.part);
        EXPECT_EQ(d->description, g.description);
        EXPECT_EQ(d->system, g.system);
        EXPECT_EQ(static_cast<uint32_t>(d->kind), g.kind);
        EXPECT_NEAR(d->length, g.length, kTol);
        EXPECT_NEAR(d->radius, g.radius, kTol);
        EXPECT_NEAR(d->angle, g.angle, kTol);
        EXPECT_EQ(d->isBridge, g.flags.find('B') != std::string::npos);
        EXPECT_EQ(d->isPaired, g.flags.find('P') != std::string::npos);
        EXPECT_EQ(d->isRamp, g.flags.find('R') != std::string::npos);
        const std::vector<uint32_t> systems =
            g.connectorSystems == "-" ? std::vector<uint32_t>{} : std::vector<uint32_t>{0, 1};
        EXPECT_EQ(d->connectorSystems, systems);
        if (g.connectors.find("rule") != std::string::npos)
            expectRuleConnectors(*d, g.connectors);
        else
            expectLiteralConnectors(*d, g.connectors);
    }
}

TEST(TrackCatalogRows, CountsPerSystemAndUniqueParts) {
    const TrackCatalog& cat = TrackCatalog::instance();
    // Rows come grouped: C-Track, TRIX C-Track, Z-Track, K-Track.
    const std::pair<uint32_t, int> blocks[] = {
        {CTrack, 48}, {TrixCTrack, 32}, {ZTrack, 34}, {KTrack, 51}};
    int index = 0;
    for (const auto& [system, rows] : blocks)
        for (int i = 0; i < rows; ++i, ++index)
            EXPECT_EQ(cat.at(index)->system, system) << index;
    EXPECT_EQ(index, cat.count());

    std::set<std::string> parts;
    for (int i = 0; i < cat.count(); ++i) {
        const PieceDef* d = cat.at(i);
        EXPECT_TRUE(parts.insert(d->partNumber).second) << d->partNumber;
        EXPECT_EQ(cat.find(d->partNumber), d);
        EXPECT_EQ(d->description.rfind(d->partNumber + " ", 0), 0u) << d->description;
    }
}

TEST(TrackCatalogRows, ConnectorBasicsHoldForEveryPiece) {
    for (const PieceDef& d : TrackCatalog::instance().pieces()) {
        SCOPED_TRACE(d.partNumber);
        ASSERT_FALSE(d.connectors.empty());
        // Every piece starts at its origin facing back, except the turntable's ring.
        if (d.kind != PieceKind::Turntable) {
            EXPECT_DOUBLE_EQ(d.connectors[0].x, 0);
            EXPECT_DOUBLE_EQ(d.connectors[0].y, 0);
            EXPECT_DOUBLE_EQ(d.connectors[0].heading, 180);
        }
        for (std::size_t i = 0; i < d.connectors.size(); ++i) {
            EXPECT_EQ(d.connectors[i].index, i);
            EXPECT_TRUE(d.connectors[i].joinable);
            EXPECT_GE(d.connectors[i].heading, 0);
            EXPECT_LT(d.connectors[i].heading, 360);
        }
    }
}

// Literal rows agree with the geometry their kind implies, to the table's two decimals.
TEST(TrackCatalogRows, LiteralGeometryIsConsistent) {
    constexpr double kTable = 0.006;
    for (const PieceDef& d : TrackCatalog::instance().pieces()) {
        SCOPED_TRACE(d.partNumber);
        const std::vector<ConnectorDef>& c = d.connectors;
        switch (d.kind) {
        case PieceKind::Crossing:
        case PieceKind::DoubleSlip:
            // The diagonal is symmetric about the middle of the main route.
            ASSERT_EQ(c.size(), 4u);
            EXPECT_DOUBLE_EQ(c[1].x, d.length);
            EXPECT_NEAR(c[2].x + c[3].x, d.length, 1e-9);
            EXPECT_NEAR(c[2].y, -c[3].y, 1e-9);
            EXPECT_LT(c[2].y, 0);
            EXPECT_NEAR(c[2].heading, 180 + d.angle, 1e-9);
            EXPECT_NEAR(c[3].heading, d.angle, 1e-9);
            break;
        case PieceKind::TurnoutLeft:
        case PieceKind::TurnoutRight: {
            ASSERT_GE(c.size(), 3u);
            EXPECT_DOUBLE_EQ(c[1].x, d.length);
            const bool threeWay = c.size() == 4;
            const double a = std::fabs(d.angle);
            if (threeWay) {
                EXPECT_GT(d.angle, 0);
            }
            std::vector<std::pair<int, PieceKind>> branches;
            if (threeWay)
                branches = {{2, PieceKind::TurnoutRight}, {3, PieceKind::TurnoutLeft}};
            else
                branches = {{2, d.kind}};
            for (const auto& [index, hand] : branches) {
                const PieceDef rule =
                    TrackCatalog::makeTurnout(d.system, "", "", hand, d.length, d.radius, a);
                EXPECT_NEAR(c[index].x, rule.connectors[2].x, kTable) << index;
                EXPECT_NEAR(c[index].y, rule.connectors[2].y, kTable) << index;
                EXPECT_LT(headingGap(c[index].heading, rule.connectors[2].heading), kTable);
            }
            break;
        }
        case PieceKind::CurvedTurnout:
        case PieceKind::OffsetCurvedTurnout: {
            // The inner exit ends an arc of the stored radius and angle; the side follows the sign.
            ASSERT_EQ(c.size(), 3u);
            const double a = rad(std::fabs(d.angle));
            const double side = d.angle < 0 ? -1 : 1;
            EXPECT_NEAR(c[1].x, d.radius * std::sin(a), 0.05);
            EXPECT_NEAR(c[1].y, side * d.radius * (1 - std::cos(a)), 0.05);
            EXPECT_DOUBLE_EQ(c[1].y, c[2].y);
            EXPECT_DOUBLE_EQ(c[1].heading, c[2].heading);
            EXPECT_DOUBLE_EQ(c[1].heading, normalizeHeading(d.angle));
            const double expectedLength =
                d.kind == PieceKind::CurvedTurnout ? c[2].x : c[2].x - c[1].x;
            EXPECT_NEAR(d.length, expectedLength, 1e-9);
            break;
        }
        default:
            break;
        }
    }
}

TEST(TrackCatalogRows, NamedPieces) {
    const TrackCatalog& cat = TrackCatalog::instance();
    auto get = [&](const char* part) {
        const PieceDef* d = cat.find(part);
        EXPECT_NE(d, nullptr) << part;
        return d ? *d : PieceDef{};
    };

    // The TRIX double slip copies the C-Track one, in its own system.
    const PieceDef trixSlip = get("62624");
    const PieceDef cSlip = get("24624");
    EXPECT_EQ(trixSlip.system, TrixCTrack);
    EXPECT_EQ(trixSlip.kind, PieceKind::DoubleSlip);
    EXPECT_EQ(trixSlip.description, "62624 Double Slip Switch 24.3deg");
    ASSERT_EQ(trixSlip.connectors.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(trixSlip.connectors[i].x, cSlip.connectors[i].x);
        EXPECT_EQ(trixSlip.connectors[i].y, cSlip.connectors[i].y);
        EXPECT_EQ(trixSlip.connectors[i].heading, cSlip.connectors[i].heading);
    }
    EXPECT_DOUBLE_EQ(trixSlip.radius, 437.4);

    for (const char* part : {"24630", "62630", "2270"}) {
        SCOPED_TRACE(part);
        const PieceDef d = get(part);
        EXPECT_EQ(d.kind, PieceKind::TurnoutLeft);
        EXPECT_GT(d.angle, 0);
        ASSERT_EQ(d.connectors.size(), 4u);
        EXPECT_GT(d.connectors[2].y, 0);
        EXPECT_LT(d.connectors[3].y, 0);
    }

    for (const char* part : {"24711", "24712"})
        EXPECT_DOUBLE_EQ(get(part).connectors[2].x, 231.74) << part;

    for (const char* part : {"8562", "8565"}) {
        const PieceDef d = get(part);
        EXPECT_DOUBLE_EQ(d.connectors[2].x, 110) << part;
        EXPECT_NEAR(d.connectors[2].heading, 347.0271, kTol) << part;
    }
    for (const char* part : {"8563", "8566"}) {
        const PieceDef d = get(part);
        EXPECT_DOUBLE_EQ(d.connectors[2].x, 110) << part;
        EXPECT_NEAR(d.connectors[2].heading, 12.9729, kTol) << part;
    }

    // K-Track "Left" curved turnout bends toward +y, unlike C-Track's.
    EXPECT_GT(get("2268").connectors[1].y, 0);
    EXPECT_LT(get("2269").connectors[1].y, 0);
    EXPECT_LT(get("24671").connectors[1].y, 0);

    EXPECT_DOUBLE_EQ(get("74620").length, 188.3);
    EXPECT_DOUBLE_EQ(get("62620").length, 188.3);
    EXPECT_EQ(get("74620").description, "74620 Truss Bridge 180mm");

    const PieceDef ramp = get("74618");
    EXPECT_TRUE(ramp.isBridge && ramp.isPaired && ramp.isRamp);
    const PieceDef arch = get("74636");
    EXPECT_TRUE(arch.isBridge);
    EXPECT_FALSE(arch.isRamp || arch.isPaired);

    EXPECT_EQ(get("24130").description, "24130 (30\xC2\xB0) R1 - 360mm (14-3/16)");
    EXPECT_EQ(get("8501").description, "8501 Straight 55mm / 2-3/16\" (half)");
}

TEST(TrackCatalogRows, ZTrackComputedConnectors) {
    const TrackCatalog& cat = TrackCatalog::instance();
    struct Case {
        const char* part;
        int connector;
        double x, y, heading;
    };
    const Case cases[] = {
        {"8568", 1, 97.5, -26.125, 330},    {"8568", 2, 122.5, -26.125, 330},
        {"8569", 1, 97.5, 26.125, 30},      {"8569", 2, 122.5, 26.125, 30},
        {"8559", 2, 1.4455, -12.6872, 193}, {"8559", 3, 111.3545, 12.6872, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.part) + " connector " + std::to_string(c.connector));
        const PieceDef* d = cat.find(c.part);
        ASSERT_NE(d, nullptr);
        const ConnectorDef& con = d->connectors.at(c.connector);
        EXPECT_NEAR(con.x, c.x, 5e-5);
        EXPECT_NEAR(con.y, c.y, 5e-5);
        EXPECT_DOUBLE_EQ(con.heading, c.heading);
    }
}

// Mating any connector of any piece to a target puts that connector on the target, facing it.
TEST(TrackCatalogRows, PoseForMateThenWorldConnectorMeetsTheTarget) {
    const Pose targets[] = {
        {0, 0, 0}, {500, -120, 90}, {-33.3, 77.7, 213.4}, {1000, 1000, 359.99}, {12, 34, 180}};
    for (const PieceDef& d : TrackCatalog::instance().pieces()) {
        for (int c = 0; c < static_cast<int>(d.connectors.size()); ++c) {
            for (const Pose& t : targets) {
                const Pose placed = poseForMate(d, c, t.x, t.y, t.heading);
                const Pose w = worldConnector(placed, d, c);
                EXPECT_NEAR(w.x, t.x, 1e-9) << d.partNumber << " c" << c;
                EXPECT_NEAR(w.y, t.y, 1e-9) << d.partNumber << " c" << c;
                EXPECT_LT(headingGap(w.heading, t.heading + 180), 1e-9)
                    << d.partNumber << " c" << c;
                EXPECT_GE(placed.heading, 0);
                EXPECT_LT(placed.heading, 360);
            }
        }
    }
}
