#pragma once
// Autofill gap: closes the straight gap between two open track ends with catalogue straights.
// Finds the connectors that face each other, searches combinations whose length matches the
// gap, lets the user pick one and places it as a chain joined at both ends.

#include "core/base/Prompter.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plandor {

constexpr double kAutofillFacingAngle = 150.0;  // least heading difference of a facing pair
constexpr double kAutofillTouchingGap = 1.0;    // a gap below this is no gap
constexpr double kAutofillAlignedAngle = 170.0; // straights are tried only above this
constexpr double kAutofillTolerance = 1.5;      // mm between a fill's length and the gap
constexpr int kAutofillMostPieces = 32;         // pieces in one fill at most
constexpr std::size_t kAutofillCollected = 64;  // the search stops at this many fills
constexpr std::size_t kAutofillEnough = 16;     // ... or after the piece count reaching this
constexpr std::size_t kAutofillShown = 12;      // fills offered in the dialog
constexpr double kAutofillJoinReach = 25.0;     // the last piece joins B within this (snap reach)

// The two free connectors that face each other across the gap.
struct FacingPair {
    int32_t pieceA = -1;
    int connA = -1;
    int32_t pieceB = -1;
    int connB = -1;
    Pose endA; // world pose of A's connector
    Pose endB;
    double gap = 0;   // distance between the two connectors, mm
    double angle = 0; // heading difference folded into [0, 180]
};

// The nearest pair of free connectors of A and B whose headings differ by at least 150°.
std::optional<FacingPair> findFacingPair(const Layout& layout, int32_t pieceA, int32_t pieceB,
                                         const TrackCatalog& catalog);

// Straights of a track system (kind straight, length above 0), longest first, catalogue
// order among equal lengths. Adapters between systems and halves of ramp pairs are left out.
std::vector<const PieceDef*> fillCandidates(const TrackCatalog& catalog, uint32_t system);

struct Fill {
    std::vector<std::string> parts; // in candidate order
    double total = 0;
};

// The fills the search collects, in the order found: piece counts 1, 2, ... up to
// min(ceil(gap / longest) + 2, 32), stopping after the count that brings 16 or more and
// at 64 at once.
std::vector<Fill> collectFills(const std::vector<const PieceDef*>& candidates, double gap);

// The fills offered: fewest pieces first, then the closest total; at most 12.
std::vector<Fill> searchFills(const std::vector<const PieceDef*>& candidates, double gap);

// One line of the fill list: "24188 + 24172  (360.0 mm)".
std::string fillLine(const Fill& fill);

// What the "Autofill Gap" dialog shows.
struct FillDialog {
    std::string title = "Autofill Gap";
    std::string text; // "Gap: %.1f mm. Select fill:"
    std::vector<std::string> lines;
    int initialLine = 0; // the best fill is selected when the dialog opens
    std::string placeLabel = "Place";
    int placeId = 5100;
    std::string cancelLabel = "Cancel";
    int cancelId = 5101;
};

FillDialog makeFillDialog(double gap, const std::vector<Fill>& fills);

// Shows the fill dialog modally: the line chosen with Place, or -1 for anything else.
class FillChooser {
  public:
    virtual ~FillChooser() = default;
    virtual int chooseFill(const FillDialog& dialog) = 0;
};

// Places the fill from A's connector on, each piece joined to the one before on both sides,
// the last one joined to B when its end meets B's connector (same system, within 25 mm).
// Returns the new piece ids in order.
std::vector<int32_t> placeFill(Layout& layout, const FacingPair& pair, const Fill& fill,
                               const TrackCatalog& catalog);

enum class AutofillResult { NotTwoPieces, NoFacingPair, Touching, NoSolution, Cancelled, Placed };

struct AutofillOutcome {
    AutofillResult result = AutofillResult::NotTwoPieces;
    std::vector<int32_t> placed; // ids of the new pieces when placed
};

// The whole command for the two selected pieces (A first in layout order). Refusals are
// messages through the prompter and change nothing.
AutofillOutcome autofillGap(Layout& layout, Prompter& prompter, FillChooser& chooser,
                            const TrackCatalog& catalog = TrackCatalog::instance());

} // namespace plandor
