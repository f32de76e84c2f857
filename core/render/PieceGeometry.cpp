#include "core/render/PieceGeometry.h"
#include "core/base/Geometry.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {

// Lead length of a curved turnout whose definition lacks the outer exit.
constexpr double kDefaultCurvedTurnoutLead = 77.5;

TrackBand straightBand(Pose start, double length, BandShade shade) {
    TrackBand b;
    b.start = start;
    b.length = length;
    b.shade = shade;
    return b;
}

TrackBand curvedBand(Pose start, double radius, double angle, BandShade shade) {
    TrackBand b;
    b.start = start;
    b.curved = true;
    b.radius = radius;
    b.angle = angle;
    b.shade = shade;
    return b;
}

// Largest branch sweep that keeps a turnout's branch arc from running past its straight end.
double limitedBranchAngle(const PieceDef& def) {
    if (def.radius <= 0)
        return def.angle;
    const double limit = std::asin(std::min(1.0, def.length / def.radius)) / kDegToRad;
    const double magnitude = std::min(std::fabs(def.angle), limit);
    return def.angle < 0 ? -magnitude : magnitude;
}

void addTurnoutBands(const PieceDef& def, TrackBands& bands) {
    const Pose origin{0, 0, 0};
    const TrackBand straight = straightBand(origin, def.length, BandShade::Base);
    if (def.radius <= 0) {
        bands.add(straight);
        return;
    }
    const TrackBand branch =
        curvedBand(origin, def.radius, limitedBranchAngle(def), BandShade::Branch);
    if (def.connectors.size() >= 4) {
        // Three-way: both branches under the straight route.
        bands.add(branch);
        bands.add(curvedBand(origin, def.radius, -def.angle, BandShade::Branch));
        bands.add(straight);
    } else {
        bands.add(straight);
        bands.add(branch);
    }
}

void addCurvedTurnoutBands(const PieceDef& def, double lead, TrackBands& bands) {
    const Pose origin{0, 0, 0};
    bands.add(curvedBand(origin, def.radius, def.angle, BandShade::Base));
    bands.add(straightBand(origin, lead, BandShade::Branch));
    bands.add(curvedBand(Pose{lead, 0, 0}, def.radius, def.angle, BandShade::Branch));
}

// The diagonal route of a crossing or double slip: from connector 2 to connector 3.
void addDiagonalBand(const PieceDef& def, BandShade shade, TrackBands& bands) {
    if (def.connectors.size() < 4)
        return;
    const ConnectorDef& a = def.connectors[2];
    const ConnectorDef& b = def.connectors[3];
    bands.add(straightBand(Pose{a.x, a.y, def.angle}, std::hypot(b.x - a.x, b.y - a.y), shade));
}

double sagitta(double radius, double angleDeg) {
    const double a = std::fabs(angleDeg);
    if (a >= 180)
        return 2 * radius;
    return radius * (1 - std::cos(a * kDegToRad / 2));
}

} // namespace

double trackHalfWidth(const PieceDef& def) {
    return def.system == ZTrack ? kZTrackHalfWidth : kTrackHalfWidth;
}

int arcSegments(double angleDeg) {
    return std::max(16, static_cast<int>(std::trunc(std::fabs(angleDeg) / 1.5)));
}

TrackBands trackBands(const PieceDef& def) {
    TrackBands bands;
    const Pose origin{0, 0, 0};
    switch (def.kind) {
    case PieceKind::Curve:
        bands.add(curvedBand(origin, def.radius, def.angle, BandShade::Base));
        break;
    case PieceKind::TurnoutLeft:
    case PieceKind::TurnoutRight:
        addTurnoutBands(def, bands);
        break;
    case PieceKind::CurvedTurnout: {
        const double lead = def.connectors.size() >= 3 ? def.connectors[2].x - def.connectors[1].x
                                                       : kDefaultCurvedTurnoutLead;
        addCurvedTurnoutBands(def, lead, bands);
        break;
    }
    case PieceKind::OffsetCurvedTurnout:
        addCurvedTurnoutBands(def, def.length, bands);
        break;
    case PieceKind::Crossing:
        bands.add(straightBand(origin, def.length, BandShade::Base));
        addDiagonalBand(def, BandShade::Crossing, bands);
        break;
    case PieceKind::DoubleSlip:
        if (def.connectors.size() >= 2 && std::fabs(def.connectors[1].y) < 1.0)
            bands.add(straightBand(origin, def.length, BandShade::Base));
        addDiagonalBand(def, BandShade::SlipCrossing, bands);
        break;
    case PieceKind::Turntable:
        break;
    default: // straights, bumpers and the unassigned codes
        bands.add(straightBand(origin, def.length, BandShade::Base));
        break;
    }
    return bands;
}

TrackBands slipCurves(const PieceDef& def) {
    TrackBands slips;
    if (def.kind != PieceKind::DoubleSlip || def.radius <= 0)
        return slips;
    // From the main route's start to the diagonal's far end, and from the diagonal's near
    // end back onto the main route.
    slips.add(curvedBand(Pose{0, 0, 0}, def.radius, def.angle, BandShade::Base));
    if (def.connectors.size() >= 4) {
        const ConnectorDef& c2 = def.connectors[2];
        slips.add(curvedBand(Pose{c2.x, c2.y, def.angle}, def.radius, -def.angle, BandShade::Base));
    }
    return slips;
}

Point bandPoint(const TrackBand& band, double t, double offset) {
    double lx, ly;
    if (band.curved) {
        const double s = band.angle < 0 ? -1.0 : 1.0;
        const double phi = t * std::fabs(band.angle) * kDegToRad;
        const double r = band.radius - s * offset;
        lx = r * std::sin(phi);
        ly = s * (band.radius - r * std::cos(phi));
    } else {
        lx = t * band.length;
        ly = offset;
    }
    const double h = band.start.heading * kDegToRad;
    const double c = std::cos(h), sn = std::sin(h);
    return Point{band.start.x + lx * c - ly * sn, band.start.y + lx * sn + ly * c};
}

void appendBandEdge(const TrackBand& band, double offset, std::vector<Point>& out) {
    const int n = band.curved ? arcSegments(band.angle) : 1;
    for (int i = 0; i <= n; ++i)
        out.push_back(bandPoint(band, static_cast<double>(i) / n, offset));
}

void appendBandOutline(const TrackBand& band, double halfWidth, std::vector<Point>& out) {
    const int n = band.curved ? arcSegments(band.angle) : 1;
    for (int i = 0; i <= n; ++i)
        out.push_back(bandPoint(band, static_cast<double>(i) / n, -halfWidth));
    for (int i = n; i >= 0; --i)
        out.push_back(bandPoint(band, static_cast<double>(i) / n, halfWidth));
}

Point pieceMidPoint(const PieceDef& def) {
    switch (def.kind) {
    case PieceKind::Curve: {
        TrackBand arc;
        arc.curved = true;
        arc.radius = def.radius;
        arc.angle = def.angle;
        return bandPoint(arc, 0.5, 0);
    }
    case PieceKind::Turntable:
        return Point{0, 0};
    default:
        return Point{def.length / 2, 0};
    }
}

Bounds pieceLocalBounds(const PieceDef& def) {
    Bounds box;
    box.add(0, 0); // the piece's origin is always inside
    if (def.kind == PieceKind::Turntable) {
        const double r = std::max(def.length / 2, def.radius);
        box.add(-r, -r);
        box.add(r, r);
        return box;
    }
    for (const ConnectorDef& c : def.connectors)
        box.add(c.x, c.y);
    double bulge = 0;
    auto includeBands = [&](const TrackBands& bands) {
        for (int i = 0; i < bands.count; ++i) {
            const TrackBand& b = bands.band[i];
            const Point a = bandPoint(b, 0, 0), e = bandPoint(b, 1, 0);
            box.add(a.x, a.y);
            box.add(e.x, e.y);
            if (b.curved)
                bulge = std::max(bulge, sagitta(b.radius, b.angle));
        }
    };
    includeBands(trackBands(def));
    includeBands(slipCurves(def));
    box.expand(trackHalfWidth(def) + bulge);
    if (def.isBridge) {
        // The arch is an axis-aligned ellipse on screen around the mid-point; a square of its
        // half-width around the mid-point covers it at any heading.
        const Point mid = pieceMidPoint(def);
        const double half = def.kind == PieceKind::Curve ? def.radius * 0.22 : def.length / 2;
        box.add(mid.x - half, mid.y - half);
        box.add(mid.x + half, mid.y + half);
    }
    return box;
}

PieceFrame::PieceFrame(double px, double py, double headingDeg)
    : x(px), y(py), c(std::cos(headingDeg * kDegToRad)), s(std::sin(headingDeg * kDegToRad)) {}

} // namespace plandor
