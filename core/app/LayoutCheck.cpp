#include "core/app/LayoutCheck.h"

#include "core/app/ReversingSections.h"
#include "core/app/TrackOverlaps.h"
#include "core/base/Units.h"
#include "core/catalog/HelixVariants.h"
#include "core/catalog/TrackCatalog.h"
#include "core/editing/Selection.h"
#include "core/elevation/GradeRuns.h"
#include "core/model/PartLookup.h"
#include "core/model/PieceIndex.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace plandor {

namespace {

// Ends must face each other within this many degrees of head-on to read as a gap.
constexpr double kGapFacingDeg = 30.0;
// Free ends are sorted by the way they face into this many sectors, each as wide as the most
// two ends facing each other may be off head-on.
constexpr int kFacings = 12;
static_assert(360.0 / kFacings >= kGapFacingDeg, "facing ends lie in neighbouring sectors");

// The most ends facing one end that it compares itself with.
constexpr int kMaxFacingEnds = 64;

int facingOf(double heading) {
    return static_cast<int>(normalizeHeading(heading) / (360.0 / kFacings)) % kFacings;
}

// A finding about a cluster of pieces names this many and counts the rest.
constexpr std::size_t kNamedPieces = 5;

std::string pieceName(const PlacedPiece& p) {
    return p.part + " #" + std::to_string(p.id);
}

// Lengths in the display unit, one step finer than the status bar so small gaps show.
std::string checkLength(double mm, Units units) {
    switch (units) {
    case Units::Centimetres:
        return formatText("%.2f cm", mm / 10.0);
    case Units::Inches:
        return formatText("%.2f in", mm / 25.4);
    default:
        return formatText("%.1f mm", mm);
    }
}

std::string degrees(double deg) {
    return formatText("%.1f\u00b0", deg);
}

// Slope in degrees, climbing positive, of a piece walked towards connector `conn`.
double slopeLeaving(const PlacedPiece& p, int conn) {
    const double along = p.reversed ? -p.grade : p.grade; // from connector 0 to the far end
    return conn == 0 ? -along : along;
}

double deckHeight(const Layout& layout, int32_t levelId) {
    const Level* level = layout.findLevel(levelId);
    return level ? level->height : 0.0;
}

class Checker {
  public:
    Checker(const Layout& layout, const CheckSettings& settings)
        : layout_(layout), settings_(settings), index_(layout) {
        PartLookup parts(TrackCatalog::instance());
        defs_.reserve(layout.pieces.size());
        for (const PlacedPiece& p : layout.pieces)
            defs_.push_back(parts.find(p.part));
    }

    std::vector<CheckFinding> run() {
        // Overlaps first: their search needs the most memory, best had before the list grows.
        checkOverlaps();
        checkOpenEnds();
        checkHelices();
        checkGrades();
        checkJoints();
        checkDecks();
        for (const ReversingSection& s : findReversingSections(layout_))
            out_.push_back(reversingFinding(layout_, s));
        std::stable_sort(
            out_.begin(), out_.end(), [](const CheckFinding& x, const CheckFinding& y) {
                return x.severity != y.severity ? x.severity < y.severity : x.kind < y.kind;
            });
        return std::move(out_);
    }

  private:
    struct FreeEnd {
        int piece = -1; // position in layout.pieces
        int conn = -1;
        Pose world;
        double height = 0;
        uint32_t system = 0;
    };

    void add(CheckKind kind, CheckSeverity severity, std::string text, std::vector<int32_t> pieces,
             Point at) {
        out_.push_back(CheckFinding{kind, severity, std::move(text), std::move(pieces), at});
    }

    std::string length(double mm) const { return checkLength(mm, layout_.units); }

    const PlacedPiece& piece(int i) const { return layout_.pieces[i]; }

    // A helix stub's end on the spiral is meant to stay free: the spiral is not made of pieces.
    bool endsOnHelix(const PlacedPiece& p, const PieceDef& def, int conn) const {
        if (p.helix == -1 || def.connectors.size() < 2)
            return false;
        const Helix* helix = layout_.findHelix(p.helix);
        if (!helix)
            return false;
        auto distance = [&](int c) {
            const Pose w = worldConnector(Pose{p.x, p.y, p.heading}, def, c);
            return std::hypot(w.x - helix->cx, w.y - helix->cy);
        };
        for (int c = 0; c < static_cast<int>(def.connectors.size()); ++c)
            if (c != conn && distance(c) < distance(conn))
                return false;
        return true;
    }

    std::vector<FreeEnd> freeEnds() const {
        std::vector<FreeEnd> ends;
        for (int i = 0; i < static_cast<int>(layout_.pieces.size()); ++i) {
            const PlacedPiece& p = piece(i);
            const PieceDef* def = defs_[i];
            if (!def)
                continue;
            for (int c = 0; c < static_cast<int>(def->connectors.size()); ++c) {
                if (!p.jointAt(c).isFree() || !def->connectors[c].joinable ||
                    endsOnHelix(p, *def, c))
                    continue;
                ends.push_back(FreeEnd{i, c, worldConnector(Pose{p.x, p.y, p.heading}, *def, c),
                                       heightAtConnector(p, def, c), def->connectorSystem(c)});
            }
        }
        return ends;
    }

    // Two free ends near enough to read as one gap: same track system, facing each other.
    static bool couldClose(const FreeEnd& a, const FreeEnd& b, double& distance) {
        if (a.piece == b.piece || a.system != b.system)
            return false;
        const double turn = std::fabs(normalizeHeading(a.world.heading - b.world.heading) - 180);
        if (turn > kGapFacingDeg)
            return false;
        distance = std::sqrt((a.world.x - b.world.x) * (a.world.x - b.world.x) +
                             (a.world.y - b.world.y) * (a.world.y - b.world.y) +
                             (a.height - b.height) * (a.height - b.height));
        return distance <= kGapRadius;
    }

    void checkOpenEnds() {
        const std::vector<FreeEnd> ends = freeEnds();
        // Nearby ends through a grid of gap-sized cells, each split by the way the ends face:
        // an end only looks at ends facing back at it, so a pile of ends all facing one way
        // costs no comparisons. The closest pairs are matched first.
        std::unordered_map<uint64_t, std::array<std::vector<int>, kFacings>> cells;
        auto cell = [](double v) { return static_cast<int64_t>(std::floor(v / kGapRadius)); };
        auto key = [](int64_t cx, int64_t cy) {
            return (static_cast<uint64_t>(static_cast<uint32_t>(cx)) << 32) |
                   static_cast<uint32_t>(cy);
        };
        for (int e = 0; e < static_cast<int>(ends.size()); ++e)
            cells[key(cell(ends[e].world.x), cell(ends[e].world.y))]
                 [facingOf(ends[e].world.heading)]
                     .push_back(e);
        struct Candidate {
            double distance;
            int a, b;
        };
        std::vector<Candidate> candidates;
        // Each end looks at a bounded number of ends facing it: only piles of pieces put more
        // than that within reach, and there which of the coinciding ends pair up is moot.
        auto lookAround = [&](int e) {
            const int64_t cx = cell(ends[e].world.x), cy = cell(ends[e].world.y);
            const int back = facingOf(ends[e].world.heading + 180);
            int looked = 0;
            for (int64_t dx = -1; dx <= 1; ++dx)
                for (int64_t dy = -1; dy <= 1; ++dy) {
                    auto it = cells.find(key(cx + dx, cy + dy));
                    if (it == cells.end())
                        continue;
                    for (int f = back - 1; f <= back + 1; ++f)
                        for (int other : it->second[(f + kFacings) % kFacings]) {
                            if (++looked > kMaxFacingEnds)
                                return;
                            double d = 0;
                            if (other > e && couldClose(ends[e], ends[other], d))
                                candidates.push_back({d, e, other});
                        }
                }
        };
        for (int e = 0; e < static_cast<int>(ends.size()); ++e)
            lookAround(e);
        std::sort(candidates.begin(), candidates.end(), [](const Candidate& x, const Candidate& y) {
            return x.distance != y.distance ? x.distance < y.distance
                                            : std::make_pair(x.a, x.b) < std::make_pair(y.a, y.b);
        });
        std::vector<bool> matched(ends.size(), false);
        for (const Candidate& c : candidates) {
            if (matched[c.a] || matched[c.b])
                continue;
            matched[c.a] = matched[c.b] = true;
            const FreeEnd& a = ends[c.a];
            const FreeEnd& b = ends[c.b];
            add(CheckKind::OpenEnd, CheckSeverity::Warning,
                "Gap of " + length(c.distance) + " between " + pieceName(piece(a.piece)) + " and " +
                    pieceName(piece(b.piece)),
                {piece(a.piece).id, piece(b.piece).id},
                Point{(a.world.x + b.world.x) / 2, (a.world.y + b.world.y) / 2});
        }
        for (int e = 0; e < static_cast<int>(ends.size()); ++e)
            if (!matched[e])
                reportOpenEnd(ends[e]);
    }

    // An end left raised above its deck is worse than an open one: a train runs off into the air.
    void reportOpenEnd(const FreeEnd& end) {
        const PlacedPiece& p = piece(end.piece);
        const Point at{end.world.x, end.world.y};
        const double above = end.height - deckHeight(layout_, p.level);
        if (above > kHeightTolerance && !defs_[end.piece]->isBridge) {
            add(CheckKind::Grade, CheckSeverity::Warning,
                "Track ends in the air at " + pieceName(p) + ", " + length(above) +
                    " above the deck",
                {p.id}, at);
            return;
        }
        add(CheckKind::OpenEnd, CheckSeverity::Warning, "Open end at " + pieceName(p), {p.id}, at);
    }

    enum OverlapFaultKind { kNoFault, kCollision, kTooLow };

    // Same level and height: a collision. Otherwise headroom, which is a matter of the train
    // running on the lower track.
    int overlapFault(const TrackOverlap& o) const {
        if (piece(o.a).level == piece(o.b).level && o.heightGap < kHeightTolerance)
            return kCollision;
        return o.heightGap < minClearanceFor(defs_[o.lower]->system, settings_) ? kTooLow
                                                                                : kNoFault;
    }

    // The pieces by name, at most kNamedPieces of them, then how many more.
    std::string pieceNames(const std::vector<int>& pieces) const {
        std::string text;
        const std::size_t named = std::min(pieces.size(), kNamedPieces);
        for (std::size_t k = 0; k < named; ++k) {
            if (k > 0)
                text += k + 1 == pieces.size() ? " and " : ", ";
            text += pieceName(piece(pieces[k]));
        }
        if (pieces.size() > named)
            text += formatText(" and %zu more", pieces.size() - named);
        return text;
    }

    std::vector<int32_t> idsOf(const std::vector<int>& pieces) const {
        std::vector<int32_t> ids;
        ids.reserve(pieces.size());
        for (int i : pieces)
            ids.push_back(piece(i).id);
        return ids;
    }

    // One finding per cluster of tangled pieces, so a pile of pieces does not flood the list.
    void checkOverlaps() {
        const auto fault = [this](const TrackOverlap& o) { return overlapFault(o); };
        for (const OverlapGroup& g : findOverlapGroups(layout_, kOverlapTolerance, fault)) {
            const TrackOverlap& o = g.worst;
            const PlacedPiece& a = piece(o.a);
            const PlacedPiece& b = piece(o.b);
            if (g.fault == kCollision) {
                const std::string text = g.pieces.size() == 2
                                             ? pieceName(a) + " overlaps " + pieceName(b)
                                             : pieceNames(g.pieces) + " overlap";
                add(CheckKind::Collision, CheckSeverity::Error, text, idsOf(g.pieces), o.at);
                continue;
            }
            const double minimum = minClearanceFor(defs_[o.lower]->system, settings_);
            std::string text = "Clearance of " + length(o.heightGap) + " between " + pieceName(a) +
                               " and " + pieceName(b) + " (minimum " + length(minimum) + ")";
            if (g.pieces.size() > 2)
                text += formatText("; %zu pieces in all", g.pieces.size());
            add(CheckKind::Clearance, CheckSeverity::Error, text, idsOf(g.pieces), o.at);
        }
    }

    void checkHelices() {
        for (const Helix& h : layout_.helices) {
            const HelixVariant* v = findHelixVariant(h.variant);
            if (!v)
                v = findHelixVariant(defaultHelixVariantId());
            const PieceDef* stub = v ? TrackCatalog::instance().find(v->straightPart) : nullptr;
            if (!stub || v->turns <= 0)
                continue;
            const double perTurn = v->rise / v->turns;
            const double minimum = minClearanceFor(stub->system, settings_);
            if (perTurn >= minimum)
                continue;
            std::vector<int32_t> stubs;
            for (int32_t id : {h.bottomR1, h.bottomR2, h.topR1, h.topR2})
                if (id != -1)
                    stubs.push_back(id);
            add(CheckKind::Clearance, CheckSeverity::Error,
                "Helix #" + std::to_string(h.id) + " rises " + length(perTurn) +
                    " per turn (minimum " + length(minimum) + ")",
                stubs, Point{h.cx, h.cy});
        }
    }

    Point midPointOf(int i) const {
        const PlacedPiece& p = piece(i);
        const PieceDef* def = defs_[i];
        const Pose end = def->connectors.size() >= 2
                             ? worldConnector(Pose{p.x, p.y, p.heading}, *def, 1)
                             : Pose{p.x, p.y, p.heading};
        return Point{(p.x + end.x) / 2, (p.y + end.y) / 2};
    }

    void checkGrades() {
        for (int i = 0; i < static_cast<int>(layout_.pieces.size()); ++i) {
            const PlacedPiece& p = piece(i);
            if (!defs_[i] || std::fabs(p.grade) <= kMaxGradeDeg + 1e-9)
                continue;
            add(CheckKind::Grade, CheckSeverity::Error,
                "Grade of " + degrees(std::fabs(p.grade)) + " on " + pieceName(p) + " (maximum " +
                    degrees(kMaxGradeDeg) + ")",
                {p.id}, midPointOf(i));
        }
    }

    // Each joint once: a change of grade across it, or ends that do not meet in height.
    void checkJoints() {
        for (int i = 0; i < static_cast<int>(layout_.pieces.size()); ++i) {
            const PlacedPiece& p = piece(i);
            if (!defs_[i])
                continue;
            for (int c = 0; c < static_cast<int>(p.joints.size()); ++c) {
                const Joint j = p.joints[c];
                const int k = j.isFree() ? -1 : index_.find(j.target);
                if (k < 0 || !defs_[k])
                    continue;
                const PlacedPiece& q = piece(k);
                const Joint back = q.jointAt(j.targetConn);
                const bool mirrored = back.target == p.id && back.targetConn == c;
                if (mirrored && std::make_pair(q.id, j.targetConn) < std::make_pair(p.id, c))
                    continue;
                checkJoint(i, c, k, j.targetConn);
            }
        }
    }

    void checkJoint(int i, int c, int k, int kc) {
        const PlacedPiece& p = piece(i);
        const PlacedPiece& q = piece(k);
        const Pose w = worldConnector(Pose{p.x, p.y, p.heading}, *defs_[i], c);
        const Point at{w.x, w.y};
        const double step =
            std::fabs(heightAtConnector(p, defs_[i], c) - heightAtConnector(q, defs_[k], kc));
        if (step > kHeightTolerance) {
            add(CheckKind::Grade, CheckSeverity::Error,
                "Step of " + length(step) + " between " + pieceName(p) + " and " + pieceName(q),
                {p.id, q.id}, at);
            return;
        }
        // Walking from p into q: p is left by connector c, q entered by connector kc.
        const double change = std::fabs(slopeLeaving(p, c) + slopeLeaving(q, kc));
        if (change > kMaxGradeChangeDeg + 1e-9)
            add(CheckKind::Grade, CheckSeverity::Warning,
                "Grade changes by " + degrees(change) + " between " + pieceName(p) + " and " +
                    pieceName(q),
                {p.id, q.id}, at);
    }

    void checkDecks() {
        for (int i = 0; i < static_cast<int>(layout_.pieces.size()); ++i) {
            const PlacedPiece& p = piece(i);
            const Level* level = layout_.findLevel(p.level);
            if (!defs_[i] || !level)
                continue;
            const double lowest = std::min(p.z, heightAtConnector(p, defs_[i], 1));
            const double below = level->height - lowest;
            if (below > kHeightTolerance)
                add(CheckKind::Level, CheckSeverity::Warning,
                    pieceName(p) + " lies " + length(below) + " below the deck of " + level->name,
                    {p.id}, midPointOf(i));
        }
    }

    const Layout& layout_;
    const CheckSettings& settings_;
    PieceIndex index_;
    std::vector<const PieceDef*> defs_; // per piece, null when the part is unknown
    std::vector<CheckFinding> out_;
};

} // namespace

CheckSettings checkSettingsOf(const Layout& layout) {
    return CheckSettings{layout.minClearanceH0, layout.minClearanceZ};
}

double minClearanceFor(uint32_t system, const CheckSettings& settings) {
    return system == ZTrack ? settings.minClearanceZ : settings.minClearanceH0;
}

std::vector<CheckFinding> checkLayout(const Layout& layout, const CheckSettings& settings) {
    return Checker(layout, settings).run();
}

void selectFindingPieces(Layout& layout, const CheckFinding& finding) {
    clearSelection(layout);
    for (int32_t id : finding.pieces)
        if (PlacedPiece* p = layout.findPiece(id))
            p->selected = true;
    expandToWholeHelices(layout);
}

const char* checkKindName(CheckKind kind) {
    switch (kind) {
    case CheckKind::OpenEnd:
        return "Open end";
    case CheckKind::Collision:
        return "Collision";
    case CheckKind::Clearance:
        return "Clearance";
    case CheckKind::Grade:
        return "Grade";
    case CheckKind::Level:
        return "Level";
    case CheckKind::Reversing:
        return "Reversing section";
    }
    return "";
}

const char* checkSeverityName(CheckSeverity severity) {
    return severity == CheckSeverity::Error ? "error" : "warning";
}

std::vector<CheckMark> checkMarks(const std::vector<CheckFinding>& findings) {
    std::vector<CheckMark> marks;
    for (const CheckFinding& f : findings) {
        if (f.kind == CheckKind::OpenEnd)
            marks.push_back(CheckMark{CheckMarkKind::OpenEnd, f.at});
        else if (f.kind == CheckKind::Clearance)
            marks.push_back(CheckMark{CheckMarkKind::Clearance, f.at});
        else if (f.kind == CheckKind::Reversing)
            marks.push_back(CheckMark{CheckMarkKind::Reversing, f.at});
    }
    return marks;
}

std::string checkSummary(const std::vector<CheckFinding>& findings) {
    const auto errors = std::count_if(findings.begin(), findings.end(), [](const CheckFinding& f) {
        return f.severity == CheckSeverity::Error;
    });
    const long warnings = static_cast<long>(findings.size()) - static_cast<long>(errors);
    return formatText("Check: %ld %s, %ld %s", static_cast<long>(errors),
                      errors == 1 ? "error" : "errors", warnings,
                      warnings == 1 ? "warning" : "warnings");
}

} // namespace plandor
