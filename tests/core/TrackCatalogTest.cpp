#include "catalog/TrackCatalog.h"
#include "base/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace plandor;

namespace {

constexpr double kTol = 1e-4; // the golden file rounds computed values to four decimals

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

void expectPose(const Pose& p, double x, double y, double heading) {
    EXPECT_NEAR(p.x, x, kTol);
    EXPECT_NEAR(p.y, y, kTol);
    EXPECT_NEAR(p.heading, heading, kTol);
}

} // namespace

// Each line: index, part, system, kind, length, radius, angle, flags, connector systems,
// connectors "x,y,h;...", description. Every part is found by its exact number.
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
        EXPECT_EQ(cat.find(f[1]), d);
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
        const std::vector<std::string> items = split(f[9], ';');
        ASSERT_EQ(d->connectors.size(), items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::vector<std::string> v = split(items[i], ',');
            ASSERT_EQ(v.size(), 3u);
            const ConnectorDef& c = d->connectors[i];
            expectPose(Pose{c.x, c.y, c.heading}, std::stod(v[0]), std::stod(v[1]),
                       std::stod(v[2]));
        }
    }
    EXPECT_EQ(rows, 165);
    EXPECT_EQ(cat.count(), 165);
    EXPECT_EQ(cat.at(-1), nullptr);
    EXPECT_EQ(cat.at(cat.count()), nullptr);
    for (const char* unknown : {"", "24188 ", " 24188", "2418"})
        EXPECT_EQ(cat.find(unknown), nullptr) << '"' << unknown << '"';
}

// Mating any connector of any piece to a target puts that connector on the target, facing it;
// a connector the piece does not have leaves the pose at the origin.
TEST(TrackCatalogTransform, PoseForMateThenWorldConnectorMeetsTheTarget) {
    const PieceDef& straight = *TrackCatalog::instance().find("24188");
    expectPose(worldConnector(Pose{100, 50, 90}, straight, 1), 100, 238.3, 90);
    expectPose(worldConnector(Pose{0, 0, 270}, straight, 0), 0, 0, 90); // 270 + 180 wraps
    expectPose(poseForMate(straight, -1, 500, 10, 0), 0, 0, 0);
    expectPose(poseForMate(straight, 2, 500, 10, 0), 0, 0, 0);

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
