#pragma once
// Heights of placed pieces: a piece's z is the height of its connector-0 end and its grade
// tilts it along its run length.

#include "catalog/TrackCatalog.h"
#include "model/Layout.h"

namespace plandor {

// Grades of at most this magnitude (degrees) count as flat.
constexpr double kFlatGrade = 0.001;

// True when the piece climbs or falls (grade magnitude above kFlatGrade).
bool isGraded(const PlacedPiece& piece);

// Run length of a piece: its length, but for a curve with two or more connectors the x of
// connector 1 when that exceeds 1 mm. 0 without a definition.
double pieceRunLength(const PieceDef* def);

// Height gained from connector 0 to the far end: run length x sin(grade).
double pieceRise(const PlacedPiece& piece, const PieceDef* def);

// Height of the piece at connector c: z at connector 0, z plus the rise at the others
// (minus the rise when the piece is reversed).
double heightAtConnector(const PlacedPiece& piece, const PieceDef* def, int c);

} // namespace plandor
