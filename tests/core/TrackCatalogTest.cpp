#include "core/catalog/TrackCatalog.h"
#include "Golden.h"
#include "core/base/Geometry.h"
#include "core/editing/Snap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace plandor;

namespace {

constexpr double kTol = 1e-4;

void expectPose(const Pose& p, double x, double y, double heading) {
    EXPECT_NEAR(p.x, x, kTol);
    EXPECT_NEAR(p.y, y, kTol);
    EXPECT_NEAR(p.heading, heading, kTol);
}

// A number rounded to four decimals without trailing zeros.
std::string num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    std::string s = text;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

} // namespace

// Every row in catalogue order with its connectors is pinned in a golden file; every part is
// found by its exact number and by nothing near it.
TEST(TrackCatalogRows, EveryRowMatchesTheGoldenTableInOrder) {
    const TrackCatalog& cat = TrackCatalog::instance();
    std::vector<std::string> lines = {
        "# Built-in track pieces in catalogue order. Numbers are rounded to at most four decimals.",
        "# index\tpart\tsystem\tkind\tlength\tradius\tangle\tflags\tconnectorSystems\tconnectors\t"
        "description",
        "# flags: B bridge, P paired, R ramp, - none; connectors: x,y,heading;..."};
    for (int i = 0; i < cat.count(); ++i) {
        const PieceDef& d = *cat.at(i);
        EXPECT_EQ(cat.find(d.partNumber), &d) << d.partNumber;
        const std::string flags =
            std::string(d.isBridge ? "B" : "") + (d.isPaired ? "P" : "") + (d.isRamp ? "R" : "");
        std::string systems, connectors;
        for (uint32_t s : d.connectorSystems)
            systems += (systems.empty() ? "" : ",") + std::to_string(s);
        for (const ConnectorDef& c : d.connectors)
            connectors +=
                (connectors.empty() ? "" : ";") + num(c.x) + "," + num(c.y) + "," + num(c.heading);
        lines.push_back(std::to_string(i) + "\t" + d.partNumber + "\t" + std::to_string(d.system) +
                        "\t" + std::to_string(static_cast<int>(d.kind)) + "\t" + num(d.length) +
                        "\t" + num(d.radius) + "\t" + num(d.angle) + "\t" +
                        (flags.empty() ? "-" : flags) + "\t" + (systems.empty() ? "-" : systems) +
                        "\t" + connectors + "\t" + d.description);
    }
    expectGolden(lines, "track_catalog.tsv");
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
                EXPECT_LT(headingDifference(w.heading, t.heading + 180), 1e-9)
                    << d.partNumber << " c" << c;
            }
        }
    }
}
