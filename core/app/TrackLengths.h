#pragma once
// How long a train each track holds: one row per track between two turnouts, from a turnout
// to a buffer stop or open end, or of plain track with no turnout at all, with its length
// along the track and how many cars of a typed length it takes.

#include "core/base/Geometry.h"
#include "core/base/Units.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plandor {

enum class TrackKind : uint8_t { BetweenTurnouts, Siding, PlainRun };

struct TrackLength {
    TrackKind kind = TrackKind::PlainRun;
    std::vector<int32_t> pieces; // ids, in order along the track
    double length = 0;           // millimetres
    Point at;                    // the middle of the track, where the view centres on it
};

// Every track with at least one piece: between turnouts first, then sidings, then plain runs;
// longest first within a kind.
std::vector<TrackLength> trackLengths(const Layout& layout);

// A length as a plain number in the unit: "%.1f" in millimetres, "%.2f" in the others.
std::string trackLengthNumber(double mm, Units units);
// "Between turnouts", "Siding", "Plain run".
const char* trackKindName(TrackKind kind);
// "62188 #3, 62130 #4, ...".
std::string trackPiecesText(const Layout& layout, const TrackLength& track);
// How many cars of `carLength` millimetres stand on the track one behind another.
int carsHeld(double trackLength, double carLength);
// 110 mm for a Z-Track layout, 200 mm for the H0 systems.
double defaultCarLength(const Layout& layout);
// A typed car length in the layout's unit, in millimetres; nothing unless it is a number
// above zero.
std::optional<double> parseCarLength(const std::string& text, Units units);

// Selects the track's pieces and nothing else; a helix stub brings its whole helix.
void selectTrackPieces(Layout& layout, const TrackLength& track);

// The table as CSV for spreadsheets: "Kind,Length (mm),Cars of 200 mm,Pieces" in the
// layout's unit, one row per track, lines ending with CR LF.
std::string trackLengthsCsv(const Layout& layout);
// Writes the table; empty on success, else a message for the user.
std::string writeTrackLengths(const Layout& layout, const std::string& path);

} // namespace plandor
