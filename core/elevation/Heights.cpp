#include "elevation/Heights.h"

#include <cmath>

namespace plandor {

namespace {
constexpr double kPi = 3.141592653589793;
}

bool isGraded(const PlacedPiece& piece) {
    return std::fabs(piece.grade) > kFlatGrade;
}

double pieceRunLength(const PieceDef* def) {
    if (!def)
        return 0.0;
    if (def->radius > 0 && def->connectors.size() >= 2 && def->connectors[1].x > 1.0)
        return def->connectors[1].x;
    return def->length;
}

double pieceRise(const PlacedPiece& piece, const PieceDef* def) {
    return pieceRunLength(def) * std::sin(piece.grade * kPi / 180.0);
}

double heightAtConnector(const PlacedPiece& piece, const PieceDef* def, int c) {
    if (c == 0)
        return piece.z;
    const double rise = pieceRise(piece, def);
    return piece.reversed ? piece.z - rise : piece.z + rise;
}

} // namespace plandor
