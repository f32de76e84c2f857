#include "core/elevation/GradeRuns.h"
#include "core/base/Geometry.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {
double sinDeg(double deg) {
    return std::sin(deg * kPi / 180.0);
}
} // namespace

bool isGraded(const PlacedPiece& piece) {
    return std::fabs(piece.grade) > kFlatGrade;
}

double runLength(const PieceDef* def) {
    if (!def)
        return 0;
    if (def->radius > 0 && def->connectors.size() >= 2 && def->connectors[1].x > 1.0)
        return def->connectors[1].x;
    return def->length;
}

double riseOf(const PlacedPiece& piece, const PieceDef* def) {
    return runLength(def) * sinDeg(piece.grade);
}

double heightAtConnector(const PlacedPiece& piece, const PieceDef* def, int c) {
    if (c == 0)
        return piece.z;
    const double rise = riseOf(piece, def);
    return piece.reversed ? piece.z - rise : piece.z + rise;
}

bool isFlatBridge(const PieceDef* def) {
    return def && def->isBridge && !def->isRamp;
}

GradeRun* runAnchoredAt(Layout& layout, int32_t pieceId) {
    for (GradeRun& run : layout.gradeRuns)
        if (run.anchor == pieceId)
            return &run;
    return nullptr;
}

void removeRunsAnchoredAt(Layout& layout, int32_t pieceId) {
    auto& runs = layout.gradeRuns;
    runs.erase(std::remove_if(runs.begin(), runs.end(),
                              [pieceId](const GradeRun& r) { return r.anchor == pieceId; }),
               runs.end());
    layout.restoreGradeState();
}

void continueElevation(Layout& layout, int32_t existingId, int existingConn, int32_t newId,
                       int newConn) {
    const PlacedPiece* existing = layout.findPiece(existingId);
    PlacedPiece* added = layout.findPiece(newId);
    if (!existing || !added)
        return;
    const PieceDef* existingDef = TrackCatalog::instance().find(existing->part);
    if (!existingDef || existingDef->length == 0)
        return;
    const double base = heightAtConnector(*existing, existingDef, existingConn);
    const PieceDef* addedDef = TrackCatalog::instance().find(added->part);

    if (isFlatBridge(addedDef)) {
        added->z = base;
        added->grade = 0;
        if (runAnchoredAt(layout, existingId))
            removeRunsAnchoredAt(layout, existingId);
        return;
    }
    GradeRun* run = runAnchoredAt(layout, existingId);
    if (!run) {
        added->z = base;
        added->grade = 0;
        return;
    }
    added->grade = run->deg;
    if (newConn == 1) {
        added->z = base + runLength(addedDef) * sinDeg(run->deg);
        added->reversed = true;
    } else {
        added->z = base;
        added->reversed = false;
    }
    run->anchor = newId;
    run->conn = newConn != 1 ? 1 : 0;
    layout.restoreGradeState();
}

} // namespace plandor
