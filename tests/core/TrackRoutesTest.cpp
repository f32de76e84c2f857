// The routes through every piece kind, checked against the catalogue's connector geometry: a
// route joins two connectors whose headings differ by 180 degrees give or take the piece's
// turn, and every end of a piece that carries trains lies on a route.
#include "core/app/TrackRoutes.h"
#include "LayoutBuilder.h"

#include "core/base/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

using namespace plandor;

namespace {

using RouteSet = std::set<std::pair<int, int>>;

RouteSet routesOf(const PieceDef& def) {
    RouteSet out;
    for (const TrackRoute& r : pieceRoutes(def))
        out.insert({std::min(r.a, r.b), std::max(r.a, r.b)});
    return out;
}

TEST(TrackRoutes, EveryCatalogueRouteFollowsItsConnectorHeadings) {
    for (const PieceDef& def : TrackCatalog::instance().pieces()) {
        const double turn = std::fabs(def.angle);
        std::set<int> onRoute;
        for (const TrackRoute& r : pieceRoutes(def)) {
            EXPECT_LE(std::fabs(routeTurn(def, r)), turn + 0.5)
                << def.partNumber << " route " << r.a << "-" << r.b;
            EXPECT_GT(routeLength(def, r), 0) << def.partNumber;
            onRoute.insert(r.a);
            onRoute.insert(r.b);
        }
        if (def.kind != PieceKind::Bumper) {
            EXPECT_EQ(onRoute.size(), def.connectors.size()) << def.partNumber;
        }
    }
}

struct RouteCase {
    const char* part;
    RouteSet routes;
};

TEST(TrackRoutes, EachKindHasItsRoutes) {
    const RouteCase cases[] = {
        {"62188", {{0, 1}}},                         // straight
        {"62130", {{0, 1}}},                         // curve
        {"62611", {{0, 1}, {0, 2}}},                 // turnout
        {"24630", {{0, 1}, {0, 2}, {0, 3}}},         // three-way turnout
        {"62672", {{0, 1}, {0, 2}}},                 // curved turnout
        {"8568", {{0, 1}, {0, 2}}},                  // offset curved turnout
        {"24640", {{0, 1}, {2, 3}}},                 // crossing: no way from one route to the other
        {"62624", {{0, 1}, {2, 3}, {0, 3}, {1, 2}}}, // double slip: both slips too
        {"62977", {}},                               // buffer stop
    };
    for (const RouteCase& c : cases)
        EXPECT_EQ(routesOf(catalogDef(c.part)), c.routes) << c.part;
    // The turntable's bridge links opposite ends of its ring.
    const RouteSet turntable = routesOf(catalogDef("74862"));
    EXPECT_EQ(turntable.size(), 15u);
    EXPECT_TRUE(turntable.count({0, 15}) && turntable.count({14, 29}));
}

TEST(TrackRoutes, SlipsTurnByTheCrossingAngleAndTheDiamondGoesStraight) {
    const PieceDef& slip = catalogDef("62624");
    EXPECT_NEAR(routeTurn(slip, {0, 3}), 24.3, 1e-9); // right, to the far end at positive y
    EXPECT_NEAR(routeTurn(slip, {2, 1}), -24.3, 1e-9);
    EXPECT_NEAR(routeTurn(slip, {2, 3}), 0, 1e-9);
    // The two ends on one side of the diamond turn back on each other.
    EXPECT_GT(std::fabs(routeTurn(slip, {0, 2})), 150);
}

TEST(TrackRoutes, LengthsAlongTheRoute) {
    const double r1Arc = 360 * 30 * kDegToRad;
    EXPECT_NEAR(routeLength(catalogDef("62130"), {0, 1}), r1Arc, 1e-9);
    EXPECT_NEAR(routeLength(catalogDef("62188"), {0, 1}), 188.3, 1e-9);
    EXPECT_NEAR(routeLength(catalogDef("62611"), {0, 1}), 188.3, 1e-9);
    // The branch: an arc of 24.3 degrees through (0, 0) and (180.04, -38.76).
    const double chord = std::hypot(180.04, 38.76);
    const double half = 24.3 / 2 * kDegToRad;
    EXPECT_NEAR(routeLength(catalogDef("62611"), {0, 2}), chord * half / std::sin(half), 1e-6);
    // A curved turnout's inner exit is the R360 30 degree arc.
    EXPECT_NEAR(routeLength(catalogDef("24671"), {0, 1}), r1Arc, 0.5);
    EXPECT_NEAR(routeLength(catalogDef("24640"), {2, 3}), std::hypot(179.96 - 8.34, 77.48), 1e-6);
}

} // namespace
