#include "core/editing/Autofill.h"

#include "core/editing/Snap.h"
#include "core/elevation/GradeRuns.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plandor {

namespace {

std::string formatGap(const char* format, double value) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

Pose poseOf(const PlacedPiece& piece) {
    return Pose{piece.x, piece.y, piece.heading};
}

// Depth-first enumeration of non-decreasing candidate indices, so each multiset comes once.
class FillSearch {
  public:
    FillSearch(const std::vector<const PieceDef*>& candidates, double gap)
        : candidates_(candidates), gap_(gap) {}

    std::vector<Fill> run() {
        if (candidates_.empty())
            return {};
        const double longest = candidates_.front()->length;
        const int most =
            static_cast<int>(std::min<double>(std::ceil(gap_ / longest) + 2, kAutofillMostPieces));
        for (int n = 1; n <= most; ++n) {
            extend(0, n, 0.0);
            if (found_.size() >= kAutofillEnough)
                break;
        }
        return std::move(found_);
    }

  private:
    double lengthOf(std::size_t i) const { return candidates_[i]->length; }

    void extend(std::size_t start, int remaining, double sum) {
        if (remaining == 0) {
            if (std::fabs(sum - gap_) <= kAutofillTolerance)
                record(sum);
            return;
        }
        if (sum > gap_ + kAutofillTolerance)
            return;
        for (std::size_t i = start; i < candidates_.size(); ++i) {
            // Candidates only get shorter: if repeating this one cannot reach the gap, none can.
            if (sum + remaining * lengthOf(i) < gap_ - kAutofillTolerance)
                return;
            if (sum + lengthOf(i) > gap_ + kAutofillTolerance)
                continue;
            picks_.push_back(i);
            extend(i, remaining - 1, sum + lengthOf(i));
            picks_.pop_back();
            if (found_.size() >= kAutofillCollected)
                return;
        }
    }

    void record(double sum) {
        Fill fill;
        fill.total = sum;
        for (std::size_t i : picks_)
            fill.parts.push_back(candidates_[i]->partNumber);
        found_.push_back(std::move(fill));
    }

    const std::vector<const PieceDef*>& candidates_;
    const double gap_;
    std::vector<std::size_t> picks_;
    std::vector<Fill> found_;
};

// The chain follows A's heading, so with ends offset sideways its last end can miss B's
// connector: it is joined to B only where placing would join it (same system, within reach).
bool meetsEnd(const Pose& end, uint32_t system, const FacingPair& pair, const Layout& layout,
              const TrackCatalog& catalog) {
    const PlacedPiece* b = layout.findPiece(pair.pieceB);
    const PieceDef* defB = b ? catalog.find(b->part) : nullptr;
    return defB && defB->connectorSystem(pair.connB) == system &&
           std::hypot(end.x - pair.endB.x, end.y - pair.endB.y) <= kAutofillJoinReach;
}

std::vector<int32_t> selectedPieces(const Layout& layout) {
    std::vector<int32_t> ids;
    for (const PlacedPiece& piece : layout.pieces)
        if (piece.selected)
            ids.push_back(piece.id);
    return ids;
}

} // namespace

std::optional<FacingPair> findFacingPair(const Layout& layout, int32_t pieceA, int32_t pieceB,
                                         const TrackCatalog& catalog) {
    const PlacedPiece* a = layout.findPiece(pieceA);
    const PlacedPiece* b = layout.findPiece(pieceB);
    if (!a || !b)
        return std::nullopt;
    const PieceDef* defA = catalog.find(a->part);
    const PieceDef* defB = catalog.find(b->part);
    if (!defA || !defB)
        return std::nullopt;

    std::optional<FacingPair> best;
    const int connectorsA = static_cast<int>(defA->connectors.size());
    const int connectorsB = static_cast<int>(defB->connectors.size());
    for (int i = 0; i < connectorsA; ++i) {
        if (!a->jointAt(i).isFree())
            continue;
        const Pose endA = worldConnector(poseOf(*a), *defA, i);
        for (int j = 0; j < connectorsB; ++j) {
            if (!b->jointAt(j).isFree())
                continue;
            const Pose endB = worldConnector(poseOf(*b), *defB, j);
            const double angle = headingDifference(endA.heading, endB.heading);
            if (angle < kAutofillFacingAngle)
                continue;
            const double gap = std::hypot(endB.x - endA.x, endB.y - endA.y);
            if (!best || gap < best->gap)
                best = FacingPair{pieceA, i, pieceB, j, endA, endB, gap, angle};
        }
    }
    return best;
}

namespace {

// An adapter (its ends of different systems) would leave a joint inside the fill that snapping
// refuses, and one half of a ramp pair cannot stand without the other.
bool standsAloneInFill(const PieceDef& def, uint32_t system) {
    if (def.isPaired)
        return false;
    for (int c = 0; c < static_cast<int>(def.connectors.size()); ++c)
        if (def.connectorSystem(c) != system)
            return false;
    return true;
}

} // namespace

std::vector<const PieceDef*> fillCandidates(const TrackCatalog& catalog, uint32_t system) {
    std::vector<const PieceDef*> candidates;
    for (const PieceDef& def : catalog.pieces())
        if (def.system == system && def.kind == PieceKind::Straight && def.length > 0 &&
            standsAloneInFill(def, system))
            candidates.push_back(&def);
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const PieceDef* l, const PieceDef* r) { return l->length > r->length; });
    return candidates;
}

std::vector<Fill> collectFills(const std::vector<const PieceDef*>& candidates, double gap) {
    return FillSearch(candidates, gap).run();
}

std::vector<Fill> searchFills(const std::vector<const PieceDef*>& candidates, double gap) {
    std::vector<Fill> fills = collectFills(candidates, gap);
    std::stable_sort(fills.begin(), fills.end(), [gap](const Fill& l, const Fill& r) {
        if (l.parts.size() != r.parts.size())
            return l.parts.size() < r.parts.size();
        return std::fabs(l.total - gap) < std::fabs(r.total - gap);
    });
    if (fills.size() > kAutofillShown)
        fills.resize(kAutofillShown);
    return fills;
}

std::string fillLine(const Fill& fill) {
    std::string line;
    for (const std::string& part : fill.parts) {
        if (!line.empty())
            line += " + ";
        line += part;
    }
    return line + formatGap("  (%.1f mm)", fill.total);
}

FillDialog makeFillDialog(double gap, const std::vector<Fill>& fills) {
    FillDialog dialog;
    dialog.text = formatGap("Gap: %.1f mm. Select fill:", gap);
    for (const Fill& fill : fills)
        dialog.lines.push_back(fillLine(fill));
    return dialog;
}

std::vector<int32_t> placeFill(Layout& layout, const FacingPair& pair, const Fill& fill,
                               const TrackCatalog& catalog) {
    const PlacedPiece* a = layout.findPiece(pair.pieceA);
    const PieceDef* defA = a ? catalog.find(a->part) : nullptr;
    if (!defA || fill.parts.empty())
        return {};
    const int32_t level = a->level;
    const double z = heightAtConnector(*a, defA, pair.connA);

    std::vector<int32_t> placed;
    int32_t previous = pair.pieceA;
    int previousConn = pair.connA;
    uint32_t previousSystem = defA->connectorSystem(pair.connA);
    Pose end = pair.endA;
    for (const std::string& part : fill.parts) {
        const PieceDef* def = catalog.find(part);
        if (!def)
            break;
        const Pose pose = poseForMate(*def, 0, end.x, end.y, end.heading);
        PlacedPiece piece;
        piece.id = layout.takeId();
        piece.part = part;
        piece.x = pose.x;
        piece.y = pose.y;
        piece.heading = pose.heading;
        piece.level = level;
        piece.z = z;
        piece.joints.assign(def->connectors.size(), Joint{});
        layout.pieces.push_back(piece);
        layout.join(previous, previousConn, piece.id, 0);
        placed.push_back(piece.id);
        if (def->connectors.size() < 2) {
            previous = -1;
            break;
        }
        previous = piece.id;
        previousConn = 1;
        previousSystem = def->connectorSystem(1);
        end = worldConnector(pose, *def, 1);
    }
    if (previous != -1 && previous != pair.pieceA &&
        meetsEnd(end, previousSystem, pair, layout, catalog))
        layout.join(previous, previousConn, pair.pieceB, pair.connB);
    return placed;
}

AutofillOutcome autofillGap(Layout& layout, Prompter& prompter, FillChooser& chooser,
                            const TrackCatalog& catalog) {
    AutofillOutcome outcome;
    const std::vector<int32_t> selected = selectedPieces(layout);
    if (selected.size() != 2)
        return outcome;

    const std::optional<FacingPair> pair =
        findFacingPair(layout, selected[0], selected[1], catalog);
    if (!pair) {
        prompter.message("Autofill",
                         "Could not find facing free connectors on the two selected pieces.",
                         PromptIcon::Information);
        outcome.result = AutofillResult::NoFacingPair;
        return outcome;
    }
    if (pair->gap < kAutofillTouchingGap) {
        prompter.message("Autofill", "The two pieces are already touching - no gap to fill.",
                         PromptIcon::Information);
        outcome.result = AutofillResult::Touching;
        return outcome;
    }

    std::vector<Fill> fills;
    if (pair->angle > kAutofillAlignedAngle) {
        const PieceDef* defA = catalog.find(layout.findPiece(pair->pieceA)->part);
        fills = searchFills(fillCandidates(catalog, defA->system), pair->gap);
    }
    if (fills.empty()) {
        prompter.message("Autofill - No Solution",
                         formatGap("Gap is %.1fmm. No combination of catalog straights fills it "
                                   "within tolerance.",
                                   pair->gap),
                         PromptIcon::Information);
        outcome.result = AutofillResult::NoSolution;
        return outcome;
    }

    const int chosen = chooser.chooseFill(makeFillDialog(pair->gap, fills));
    if (chosen < 0 || chosen >= static_cast<int>(fills.size())) {
        outcome.result = AutofillResult::Cancelled;
        return outcome;
    }
    outcome.placed = placeFill(layout, *pair, fills[chosen], catalog);
    outcome.result = AutofillResult::Placed;
    return outcome;
}

} // namespace plandor
