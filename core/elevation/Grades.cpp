#include "core/elevation/Grades.h"

#include "core/base/Units.h"
#include "core/catalog/TrackCatalog.h"
#include "core/elevation/GradeRuns.h"
#include "core/model/PieceIndex.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace plandor {

namespace {

// Heights closer than this are the same; recomputing a chain that is in order changes nothing.
constexpr double kSameHeight = 1e-9;

// A piece's end joined to the run behind it: connector 1 for a piece laid reversed.
int backConnector(const PlacedPiece& piece) {
    return piece.reversed ? 1 : 0;
}

// The end a piece is left by when entered at `entered`.
int exitConnector(int entered) {
    return entered == 1 ? 0 : 1;
}

const PieceDef* defOf(const PlacedPiece& piece) {
    return TrackCatalog::instance().find(piece.part);
}

// Position of the piece joined at connector c, or -1 for a free end, an unknown piece or a
// joint that names no connector.
int positionJoinedAt(const PlacedPiece& piece, int c, const PieceIndex& index) {
    const Joint j = piece.jointAt(c);
    return j.isFree() || j.targetConn < 0 ? -1 : index.find(j.target);
}

// A step of the walk: the piece's position in layout.pieces and the connector it was entered by.
struct Step {
    int position;
    int entered;
};

std::vector<Step> walkAhead(const Layout& layout, const PieceIndex& index, int start) {
    std::vector<Step> steps;
    std::vector<char> seen(layout.pieces.size(), 0);
    seen[start] = 1;
    int at = start;
    int exit = exitConnector(backConnector(layout.pieces[at]));
    for (;;) {
        const int next = positionJoinedAt(layout.pieces[at], exit, index);
        if (next < 0 || seen[next])
            return steps;
        const int entered = layout.pieces[at].jointAt(exit).targetConn;
        seen[next] = 1;
        steps.push_back(Step{next, entered});
        at = next;
        exit = exitConnector(entered);
    }
}

// The z that puts the piece's end at connector c at height h.
double zSeatedAt(const PlacedPiece& piece, int c, double h) {
    return h + piece.z - heightAtConnector(piece, defOf(piece), c);
}

struct NewHeight {
    int position;
    double z;
};

// Heights the walk gives: `start` (the piece at `startPos` with the grade it is to keep) on the
// end of the piece behind it, then each ungraded piece ahead on the end before it, up to the
// first graded one.
std::vector<NewHeight> chainHeights(const Layout& layout, const PieceIndex& index, int startPos,
                                    PlacedPiece start, const std::vector<Step>& ahead) {
    const int back = backConnector(start);
    const int behindPos = positionJoinedAt(start, back, index);
    if (behindPos >= 0) {
        const PlacedPiece& p = layout.pieces[behindPos];
        start.z =
            zSeatedAt(start, back, heightAtConnector(p, defOf(p), start.jointAt(back).targetConn));
    }
    std::vector<NewHeight> heights{NewHeight{startPos, start.z}};
    double h = heightAtConnector(start, defOf(start), exitConnector(back));
    for (const Step& step : ahead) {
        PlacedPiece piece = layout.pieces[step.position];
        if (isGraded(piece))
            break;
        piece.z = zSeatedAt(piece, step.entered, h);
        heights.push_back(NewHeight{step.position, piece.z});
        h = heightAtConnector(piece, defOf(piece), exitConnector(step.entered));
    }
    return heights;
}

bool heightsDiffer(const Layout& layout, const std::vector<NewHeight>& heights) {
    return std::any_of(heights.begin(), heights.end(), [&](const NewHeight& n) {
        return std::fabs(layout.pieces[n.position].z - n.z) > kSameHeight;
    });
}

void applyHeights(Layout& layout, const std::vector<NewHeight>& heights) {
    for (const NewHeight& n : heights)
        layout.pieces[n.position].z = n.z;
}

// The first piece from the start on (the start included) that is the tip of a run, or -1.
int32_t runTipAhead(Layout& layout, int start, const std::vector<Step>& ahead) {
    if (runAnchoredAt(layout, layout.pieces[start].id))
        return layout.pieces[start].id;
    for (const Step& step : ahead)
        if (runAnchoredAt(layout, layout.pieces[step.position].id))
            return layout.pieces[step.position].id;
    return -1;
}

// What End grade and Recalc work out before changing anything: the piece's position (-1 when
// it is not in the layout), the walk ahead of it and the heights along it.
struct ChainPlan {
    int start = -1;
    std::vector<Step> ahead;
    std::vector<NewHeight> heights;
};

ChainPlan planChain(const Layout& layout, int32_t pieceId, bool flatten) {
    const PieceIndex index(layout);
    ChainPlan plan;
    plan.start = index.find(pieceId);
    if (plan.start < 0)
        return plan;
    PlacedPiece start = layout.pieces[plan.start];
    if (flatten)
        start.grade = 0;
    plan.ahead = walkAhead(layout, index, plan.start);
    plan.heights = chainHeights(layout, index, plan.start, std::move(start), plan.ahead);
    return plan;
}

} // namespace

std::vector<ChainLink> chainAhead(const Layout& layout, int32_t pieceId) {
    const PieceIndex index(layout);
    const int start = index.find(pieceId);
    std::vector<ChainLink> chain;
    if (start < 0)
        return chain;
    for (const Step& step : walkAhead(layout, index, start))
        chain.push_back(ChainLink{layout.pieces[step.position].id, step.entered});
    return chain;
}

GradeOutcome startGrade(Layout& layout, int32_t pieceId, double spinDeg, bool down) {
    PlacedPiece* piece = layout.findPiece(pieceId);
    if (!piece || !std::isfinite(spinDeg))
        return {};
    const double magnitude = std::clamp(spinDeg, 0.0, kMaxGradeDeg);
    const double deg = down && magnitude > 0 ? -magnitude : magnitude;
    GradeOutcome out{false, formatText("Elevation: %s %.1f deg", down ? "DOWN" : "UP", magnitude)};
    GradeRun* run = runAnchoredAt(layout, pieceId);
    if (run && run->deg == deg && run->conn == 0 && piece->grade == deg)
        return out;
    if (run) {
        run->deg = deg;
        run->conn = 0;
    } else {
        layout.gradeRuns.push_back(GradeRun{deg, pieceId, 0});
    }
    layout.restoreGradeState();
    piece->grade = deg;
    out.changed = true;
    return out;
}

GradeOutcome endGrade(Layout& layout, int32_t pieceId) {
    const ChainPlan plan = planChain(layout, pieceId, true);
    if (plan.start < 0)
        return {};
    const int32_t tip = runTipAhead(layout, plan.start, plan.ahead);
    GradeOutcome out{false, kGradeEndedStatus};
    if (layout.pieces[plan.start].grade == 0 && tip == -1 && !heightsDiffer(layout, plan.heights))
        return out;
    layout.pieces[plan.start].grade = 0;
    applyHeights(layout, plan.heights);
    if (tip != -1)
        removeRunsAnchoredAt(layout, tip);
    out.changed = true;
    return out;
}

GradeOutcome recalculateElevation(Layout& layout, int32_t pieceId) {
    const ChainPlan plan = planChain(layout, pieceId, false);
    GradeOutcome out;
    if (plan.start < 0 || !heightsDiffer(layout, plan.heights))
        return out;
    applyHeights(layout, plan.heights);
    out.changed = true;
    return out;
}

std::string elevationStatusText(const Layout& layout) {
    if (layout.gradeRuns.empty())
        return kReadyStatus;
    std::string text = "[ELEV]";
    for (const GradeRun& run : layout.gradeRuns)
        text += formatText(" %.1f deg", run.deg);
    return text + "  (right-click piece to stop)";
}

std::string canvasStatusText(const Layout& layout, const std::string& current) {
    static const std::string kGradeControlsMark = "\xE2\x96\xB2"; // U+25B2 in UTF-8
    if (!layout.gradeRuns.empty())
        return elevationStatusText(layout);
    if (current.compare(0, kGradeControlsMark.size(), kGradeControlsMark) == 0)
        return kReadyStatus;
    return current;
}

} // namespace plandor
