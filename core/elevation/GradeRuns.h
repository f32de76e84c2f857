#pragma once
// Heights along grade runs: how long a piece counts for a climb, how high each of its ends
// sits, and how a run moves on when a piece is joined to its tip.

#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"

#include <cstdint>

namespace plandor {

// Grade magnitudes at or below this count as flat.
constexpr double kFlatGrade = 0.001;
// Steepest grade a run can be started with.
constexpr double kMaxGradeDeg = 6.0;

// The piece climbs or falls: its grade's magnitude exceeds kFlatGrade.
bool isGraded(const PlacedPiece& piece);

// Length a piece climbs over: its catalogue length, but for a curve the x of its
// connector 1 when that exceeds 1 mm. Zero without a definition.
double runLength(const PieceDef* def);

// Height gained from connector 0 to the far end: L * sin(grade).
double riseOf(const PlacedPiece& piece, const PieceDef* def);

// Height of the piece at connector c: z at connector 0, z +/- rise elsewhere.
double heightAtConnector(const PlacedPiece& piece, const PieceDef* def, int c);

// A bridge that is not a ramp sits flat and ends a run.
bool isFlatBridge(const PieceDef* def);

// The first run whose tip is the given piece, or null.
GradeRun* runAnchoredAt(Layout& layout, int32_t pieceId);

// Removes every run whose tip is the given piece and updates the grade state.
void removeRunsAnchoredAt(Layout& layout, int32_t pieceId);

// Piece `newId` has just been joined at its connector `newConn` to connector `existingConn` of
// piece `existingId`: it takes the height there and, when the existing piece is a run's tip,
// carries the run on (or ends it when it is a flat bridge).
void continueElevation(Layout& layout, int32_t existingId, int existingConn, int32_t newId,
                       int newConn);

} // namespace plandor
