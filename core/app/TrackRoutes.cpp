#include "core/app/TrackRoutes.h"

#include "core/base/Geometry.h"

#include <cmath>

namespace plandor {

namespace {

// Catalogue angles are given to a tenth of a degree; the connector headings are rounded too.
constexpr double kTurnToleranceDeg = 0.5;

int connectorCount(const PieceDef& def) {
    return static_cast<int>(def.connectors.size());
}

// A double slip joins every pair of ends whose headings a slip curve or a straight through
// the diamond can link: the turn stays within the crossing angle. The two ends on one side of
// the diamond turn back on themselves and are left out by that rule.
std::vector<TrackRoute> slipRoutes(const PieceDef& def) {
    std::vector<TrackRoute> routes;
    for (int a = 0; a < connectorCount(def); ++a)
        for (int b = a + 1; b < connectorCount(def); ++b)
            if (std::fabs(routeTurn(def, {a, b})) <= std::fabs(def.angle) + kTurnToleranceDeg)
                routes.push_back({a, b});
    return routes;
}

} // namespace

std::vector<TrackRoute> pieceRoutes(const PieceDef& def) {
    const int n = connectorCount(def);
    switch (def.kind) {
    case PieceKind::Straight:
    case PieceKind::Curve:
    case PieceKind::Unassigned7:
        return n >= 2 ? std::vector<TrackRoute>{{0, 1}} : std::vector<TrackRoute>{};
    case PieceKind::TurnoutLeft:
    case PieceKind::TurnoutRight:
    case PieceKind::CurvedTurnout:
    case PieceKind::OffsetCurvedTurnout: {
        std::vector<TrackRoute> routes;
        for (int c = 1; c < n; ++c)
            routes.push_back({0, c});
        return routes;
    }
    case PieceKind::Crossing:
        return n >= 4 ? std::vector<TrackRoute>{{0, 1}, {2, 3}} : std::vector<TrackRoute>{};
    case PieceKind::DoubleSlip:
        return slipRoutes(def);
    case PieceKind::Turntable: {
        std::vector<TrackRoute> routes;
        for (int c = 0; c < n / 2; ++c)
            routes.push_back({c, c + n / 2});
        return routes;
    }
    case PieceKind::Bumper:
    case PieceKind::Unassigned9:
        break;
    }
    return {};
}

double routeTurn(const PieceDef& def, TrackRoute route) {
    const double in = def.connectors[route.a].heading + 180; // the way a train enters at a
    const double turn = normalizeHeading(def.connectors[route.b].heading - in);
    return turn >= 180 ? turn - 360 : turn;
}

double routeLength(const PieceDef& def, TrackRoute route) {
    if (def.kind == PieceKind::Straight || def.kind == PieceKind::Curve)
        return def.length;
    const ConnectorDef& a = def.connectors[route.a];
    const ConnectorDef& b = def.connectors[route.b];
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    const double half = std::fabs(routeTurn(def, route)) * kDegToRad / 2;
    return half < 1e-9 ? chord : chord * half / std::sin(half);
}

bool isJunction(const PieceDef& def) {
    switch (def.kind) {
    case PieceKind::TurnoutLeft:
    case PieceKind::TurnoutRight:
    case PieceKind::CurvedTurnout:
    case PieceKind::OffsetCurvedTurnout:
    case PieceKind::DoubleSlip:
    case PieceKind::Turntable:
        return true;
    default:
        return false;
    }
}

bool isTwoRail(uint32_t system) {
    return system == TrixCTrack || system == ZTrack;
}

} // namespace plandor
