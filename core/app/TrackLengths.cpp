#include "core/app/TrackLengths.h"

#include "core/app/PartsList.h"
#include "core/app/TrackRuns.h"
#include "core/editing/Selection.h"
#include "core/model/LayoutFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plandor {

namespace {

constexpr double kCarLengthH0 = 200.0;
constexpr double kCarLengthZ = 110.0;

TrackKind kindOf(const TrackRun& run) {
    const int junctions =
        (run.from.kind == TrackEndKind::Junction) + (run.to.kind == TrackEndKind::Junction);
    return junctions == 2   ? TrackKind::BetweenTurnouts
           : junctions == 1 ? TrackKind::Siding
                            : TrackKind::PlainRun;
}

// The middle of the track's middle piece.
Point middleOf(const Layout& layout, const TrackNetwork& net, const TrackRun& run) {
    const int i = run.pieces[run.pieces.size() / 2];
    const PieceDef& def = *net.defs[i];
    const Point a = connectorPoint(layout, net, i, 0);
    if (def.connectors.size() < 2)
        return a;
    const Point b = connectorPoint(layout, net, i, 1);
    return Point{(a.x + b.x) / 2, (a.y + b.y) / 2};
}

} // namespace

std::vector<TrackLength> trackLengths(const Layout& layout) {
    const TrackNetwork net = trackNetwork(layout);
    std::vector<TrackLength> tracks;
    for (const TrackRun& run : net.runs) {
        if (run.pieces.empty())
            continue;
        TrackLength t;
        t.kind = kindOf(run);
        t.length = run.length;
        t.at = middleOf(layout, net, run);
        t.pieces.reserve(run.pieces.size());
        for (int i : run.pieces)
            t.pieces.push_back(layout.pieces[i].id);
        tracks.push_back(std::move(t));
    }
    std::stable_sort(tracks.begin(), tracks.end(), [](const TrackLength& a, const TrackLength& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.length > b.length;
    });
    return tracks;
}

std::string trackLengthNumber(double mm, Units units) {
    return formatText(units == Units::Millimetres ? "%.1f" : "%.2f", toDisplayUnits(mm, units));
}

const char* trackKindName(TrackKind kind) {
    switch (kind) {
    case TrackKind::BetweenTurnouts:
        return "Between turnouts";
    case TrackKind::Siding:
        return "Siding";
    case TrackKind::PlainRun:
        return "Plain run";
    }
    return "";
}

std::string trackPiecesText(const Layout& layout, const TrackLength& track) {
    std::string text;
    for (int32_t id : track.pieces) {
        if (!text.empty())
            text += ", ";
        const PlacedPiece* p = layout.findPiece(id);
        text += p ? pieceLabel(*p) : "#" + std::to_string(id);
    }
    return text;
}

int carsHeld(double trackLength, double carLength) {
    if (carLength <= 0 || trackLength <= 0)
        return 0;
    // A hair of rounding in the catalogue lengths must not cost a whole car.
    return static_cast<int>(std::floor(trackLength / carLength + 1e-9));
}

double defaultCarLength(const Layout& layout) {
    for (const PlacedPiece& p : layout.pieces)
        if (const PieceDef* def = TrackCatalog::instance().find(p.part))
            return def->system == ZTrack ? kCarLengthZ : kCarLengthH0;
    return kCarLengthH0;
}

std::optional<double> parseCarLength(const std::string& text, Units units) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin)
        return std::nullopt;
    while (*end == ' ')
        ++end;
    if (*end != '\0' || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return fromDisplayUnits(value, units);
}

void selectTrackPieces(Layout& layout, const TrackLength& track) {
    clearSelection(layout);
    for (int32_t id : track.pieces)
        if (PlacedPiece* p = layout.findPiece(id))
            p->selected = true;
    expandToWholeHelices(layout);
}

std::string trackLengthsCsv(const Layout& layout) {
    const char* lineEnd = "\r\n";
    const Units units = layout.units;
    const double car = defaultCarLength(layout);
    std::string out = "Kind,Length (" + unitShortName(units) + "),Cars of " +
                      formatLength(car, units) + ",Pieces" + lineEnd;
    for (const TrackLength& t : trackLengths(layout))
        out += csvField(trackKindName(t.kind)) + ',' + trackLengthNumber(t.length, units) + ',' +
               std::to_string(carsHeld(t.length, car)) + ',' +
               csvField(trackPiecesText(layout, t)) + lineEnd;
    return out;
}

std::string writeTrackLengths(const Layout& layout, const std::string& path) {
    return writeFileReplacing(path, trackLengthsCsv(layout));
}

} // namespace plandor
