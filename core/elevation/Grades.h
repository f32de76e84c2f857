#pragma once
// The grade commands of the properties panel (Start Grade, End Grade, Recalc), the walk along
// the elevation chain they share, and the status texts that tell whether a run is under way.

#include "core/model/Layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

// Status field 0 after "End Grade".
constexpr const char* kGradeEndedStatus = "Grade ended - subsequent pieces will be flat";
// Status field 0 with no grade run under way.
constexpr const char* kReadyStatus = "Ready";

// What a grade command did. `changed`: heights or grades changed (one undo step).
// `status`: the text for status field 0; empty when the command found no piece.
struct GradeOutcome {
    bool changed = false;
    std::string status;
};

// A piece met while following the chain ahead, and the connector it was entered by.
struct ChainLink {
    int32_t piece = -1;
    int entered = 0;
};

// The pieces joined one after another ahead of `pieceId`, which is left by connector 1 (by
// connector 0 when it is reversed). Each following piece is left by connector 1, or by
// connector 0 when it was entered by connector 1. The walk ends at a free or unknown end and
// never visits a piece twice, so a chain that closes on itself ends.
std::vector<ChainLink> chainAhead(const Layout& layout, int32_t pieceId);

// "Start Grade" on the piece: the spinner's value (clamped to 0..kMaxGradeDeg), negated for
// "DOWN", becomes its grade and the angle of the run anchored at it (a new run when there is
// none), with conn 0. Status "Elevation: UP 3.0 deg".
GradeOutcome startGrade(Layout& layout, int32_t pieceId, double spinDeg, bool down);

// "End Grade" on the piece: it lies flat at the height of the piece behind it, the ungraded
// pieces ahead follow up to the next graded one, and the run whose tip lies ahead is removed.
GradeOutcome endGrade(Layout& layout, int32_t pieceId);

// "Recalc" on the piece: it keeps its grade and takes the height of the piece behind it; the
// ungraded pieces ahead follow its far end up to the next graded one.
GradeOutcome recalculateElevation(Layout& layout, int32_t pieceId);

// "Ready" with no run; otherwise "[ELEV]", " %.1f deg" per run in order, then
// "  (right-click piece to stop)".
std::string elevationStatusText(const Layout& layout);

// Status field 0 as the canvas leaves it after painting: the elevation text while a run is
// under way; "Ready" in place of a text the grade controls left (it begins with U+25B2);
// otherwise `current` unchanged.
std::string canvasStatusText(const Layout& layout, const std::string& current);

} // namespace plandor
