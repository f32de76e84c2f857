#pragma once
// Where a piece's track lies in its own frame: the straight and curved bands the plan fills
// (a hit test and a 3D mesh want the same strips), the piece's mid-point and its extent.

#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"

#include <vector>

namespace plandor {

constexpr double kTrackHalfWidth = 18.7;
constexpr double kZTrackHalfWidth = 6.0;

// Half the width of the drawn track band: narrower for Z-Track.
double trackHalfWidth(const PieceDef& def);
// Segments per edge of a curved band: max(16, trunc(|angle| / 1.5)).
int arcSegments(double angleDeg);

// Which fill a band takes, relative to the piece's fill.
enum class BandShade : uint8_t {
    Base,         // the piece's fill
    Branch,       // turnout branches, curved turnout leads: darker by (15, 15, 10)
    Crossing,     // diagonal of a crossing: darker by (10, 10, 5)
    SlipCrossing, // diagonal of a double slip: darker by (8, 8, 4)
};

// One strip of track of the piece, from a start pose in the piece frame: straight for
// `length`, or curved along a circle of `radius` through `angle` degrees (positive turns
// right, toward +y, negative left).
struct TrackBand {
    Pose start;
    bool curved = false;
    double length = 0;
    double radius = 0;
    double angle = 0;
    BandShade shade = BandShade::Base;
};

// A piece has at most four bands; kept in place so drawing allocates nothing.
struct TrackBands {
    TrackBand band[4];
    int count = 0;
    void add(const TrackBand& b) {
        if (count < 4)
            band[count++] = b;
    }
};

// The filled bands of a piece in drawing order. Turntables have none; a double slip's slip
// curves come from slipCurves().
TrackBands trackBands(const PieceDef& def);
// The two slip curves of a double slip (none for other kinds or a radius of 0).
TrackBands slipCurves(const PieceDef& def);

// A point of the band in the piece frame: t runs 0..1 along it, offset is to the right of
// the direction of travel.
Point bandPoint(const TrackBand& band, double t, double offset);
// The band outline in the piece frame: its left edge from start to end, then its right edge
// back (4 points for a straight, 2 x (segments + 1) for a curve).
void appendBandOutline(const TrackBand& band, double halfWidth, std::vector<Point>& out);
// One edge of a curved band (segments + 1 points) at the given offset, from start to end.
void appendBandEdge(const TrackBand& band, double offset, std::vector<Point>& out);

// Where labels, circuit boxes and bridge arches centre: the arc mid-point of a curve, the
// centre of a turntable, otherwise half the length along the piece.
Point pieceMidPoint(const PieceDef& def);

// Everything the plan draws for a piece in millimetres, in its frame: bands, discs and
// bridge arches (pixel-sized marks such as dots and labels are not included).
Bounds pieceLocalBounds(const PieceDef& def);

// A piece pose with its rotation precomputed, mapping piece-frame points to the layout.
struct PieceFrame {
    double x = 0, y = 0, c = 1, s = 0;
    PieceFrame() = default;
    PieceFrame(double px, double py, double headingDeg);
    Point apply(Point p) const { return Point{x + p.x * c - p.y * s, y + p.x * s + p.y * c}; }
};

} // namespace plandor
