#pragma once
// A small track catalogue with one piece of each footprint the canvas tells apart.

#include "LayoutBuilder.h"
#include "core/catalog/TrackCatalog.h"

#include <string>

namespace plandor::canvastest {

inline const TrackCatalog& catalog() {
    static const TrackCatalog c = [] {
        TrackCatalog t;
        t.registerPiece(TrackCatalog::makeStraight(CTrack, "S", "straight 100", 100));
        t.registerPiece(TrackCatalog::makeStraight(ZTrack, "Z", "Z straight 100", 100));
        t.registerPiece(TrackCatalog::makeCurve(CTrack, "C", "curve R360 30", 360, 30));
        PieceDef offset;
        offset.partNumber = "O";
        offset.kind = PieceKind::OffsetCurvedTurnout;
        offset.length = 64.6;
        offset.radius = 360;
        offset.angle = 30;
        offset.connectors = {
            {0, 0, 180, true, 0}, {180, 48.23, 30, true, 1}, {244.6, 48.23, 30, true, 2}};
        t.registerPiece(offset);
        t.registerPiece(TrackCatalog::makeTurntable(CTrack, "T", "turntable"));
        return t;
    }();
    return c;
}

} // namespace plandor::canvastest
