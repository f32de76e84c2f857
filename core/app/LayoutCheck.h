#pragma once
// The layout check: what would stop trains on the built layout — open ends and small gaps,
// pieces overlapping, too little headroom where tracks cross at different heights, grades
// that are too steep or change too sharply, and pieces sunk below their deck.

#include "core/base/Geometry.h"
#include "core/canvas/CheckMarks.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

enum class CheckSeverity : uint8_t { Error, Warning };

enum class CheckKind : uint8_t { OpenEnd, Collision, Clearance, Grade, Level, Reversing };
constexpr CheckKind kCheckKinds[] = {CheckKind::OpenEnd,   CheckKind::Collision,
                                     CheckKind::Clearance, CheckKind::Grade,
                                     CheckKind::Level,     CheckKind::Reversing};

struct CheckFinding {
    CheckKind kind = CheckKind::OpenEnd;
    CheckSeverity severity = CheckSeverity::Warning;
    std::string text;            // in the layout's display unit
    std::vector<int32_t> pieces; // the pieces involved
    Point at;                    // where to look, in layout coordinates
};

struct CheckSettings {
    double minClearanceH0 = kDefaultClearanceH0; // C-Track, K-Track, TRIX C-Track
    double minClearanceZ = kDefaultClearanceZ;   // Z-Track
};

// Free ends of the same track system closer than this, facing each other, read as one gap.
constexpr double kGapRadius = 50.0;
// A grade may change by at most this much from one piece to the next before couplings part.
constexpr double kMaxGradeChangeDeg = 2.0;
// Heights closer than this count as equal (steps, sunk pieces, ends in the air, collisions).
constexpr double kHeightTolerance = 1.0;
// Track bands must overlap by more than this before two pieces count as touching: catalogue
// geometry lets neighbouring bands meet edge to edge.
constexpr double kOverlapTolerance = 1.0;

// The check settings stored with the layout.
CheckSettings checkSettingsOf(const Layout& layout);

// Every finding, errors first, then warnings; within a severity by kind, then in layout order.
std::vector<CheckFinding> checkLayout(const Layout& layout, const CheckSettings& settings);

// Minimum headroom for a piece of the given track system.
double minClearanceFor(uint32_t system, const CheckSettings& settings);

// Selects the finding's pieces and nothing else; a helix stub brings its whole helix.
void selectFindingPieces(Layout& layout, const CheckFinding& finding);

// What the canvas marks while the list is open: the open ends, the clearance conflicts and
// where reversing sections start.
std::vector<CheckMark> checkMarks(const std::vector<CheckFinding>& findings);

// "Open end", "Collision", "Clearance", "Grade", "Level", "Reversing section".
const char* checkKindName(CheckKind kind);
// "error" or "warning".
const char* checkSeverityName(CheckSeverity severity);
// "Check: N errors, M warnings".
std::string checkSummary(const std::vector<CheckFinding>& findings);

} // namespace plandor
