#include "core/editing/MoveSnapIndex.h"

#include "core/model/LevelFilter.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

namespace plandor {

namespace {
// A little over the snapping distance, so that rounding never puts a pair in range more than
// one cell apart.
constexpr double kCellSize = kSnapDistance + 1.0;
} // namespace

MoveSnap findMoveSnapPlain(const Layout& layout) {
    MoveSnap best;
    const TrackCatalog& catalog = TrackCatalog::instance();
    for (const PlacedPiece& piece : layout.pieces) {
        if (!piece.selected)
            continue;
        const PieceDef* def = catalog.find(piece.part);
        if (!def)
            continue;
        const SnapResult r =
            findSnap(layout, SnapSubject{def, {piece.x, piece.y, piece.heading}, &piece.joints},
                     SnapCandidates{true});
        if (r.found && (!best.snap.found || r.distance < best.snap.distance)) {
            best.snap = r;
            best.movingPiece = piece.id;
        }
    }
    return best;
}

int64_t MoveSnapIndex::cellOf(double v) {
    return static_cast<int64_t>(std::floor(v / kCellSize));
}

uint64_t MoveSnapIndex::keyOf(int64_t cx, int64_t cy) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(cx)) << 32) | static_cast<uint32_t>(cy);
}

MoveSnapIndex::MoveSnapIndex(const Layout& layout) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    const HiddenLevels hidden(layout);
    for (int i = 0; i < static_cast<int>(layout.pieces.size()); ++i) {
        const PlacedPiece& piece = layout.pieces[i];
        const PieceDef* def = catalog.find(piece.part);
        if (!def)
            continue;
        const Pose placed{piece.x, piece.y, piece.heading};
        for (int c = 0; c < static_cast<int>(def->connectors.size()); ++c) {
            if (!def->connectors[c].joinable || !piece.jointAt(c).isFree())
                continue;
            if (piece.selected)
                movers_.push_back({i, piece.id, c, def->connectorSystem(c), def});
            else
                targets_.push_back({worldConnector(placed, *def, c), def->connectorSystem(c), i,
                                    piece.id, c, !hidden.hides(piece.level)});
        }
    }
    std::vector<uint64_t> keys(targets_.size());
    for (std::size_t t = 0; t < targets_.size(); ++t)
        keys[t] = keyOf(cellOf(targets_[t].world.x), cellOf(targets_[t].world.y));
    std::vector<uint32_t> order(targets_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    std::vector<Target> sorted;
    sorted.reserve(targets_.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const uint64_t key = keys[order[k]];
        if (k == 0 || key != keys[order[k - 1]])
            cells_[key] = Range{static_cast<uint32_t>(k), static_cast<uint32_t>(k)};
        ++cells_[key].end;
        sorted.push_back(targets_[order[k]]);
    }
    targets_ = std::move(sorted);
}

template <typename Visit> void MoveSnapIndex::forTargetsNear(const Pose& at, Visit visit) const {
    const int64_t cx = cellOf(at.x), cy = cellOf(at.y);
    for (int64_t dx = -1; dx <= 1; ++dx) {
        for (int64_t dy = -1; dy <= 1; ++dy) {
            auto it = cells_.find(keyOf(cx + dx, cy + dy));
            if (it == cells_.end())
                continue;
            for (uint32_t t = it->second.begin; t < it->second.end; ++t)
                visit(targets_[t]);
        }
    }
}

MoveSnap MoveSnapIndex::find(const Layout& layout) const {
    // The plain search keeps the first of equal pairs in the order: selected piece, target
    // piece, target connector, moving connector. Ties are broken by that order here.
    MoveSnap best;
    Pose bestTarget;
    const Mover* bestMover = nullptr;
    auto order = [](const Mover& m, const Target& t) {
        return std::make_tuple(m.pieceIndex, t.pieceIndex, t.conn, m.conn);
    };
    std::tuple<int, int, int, int> bestOrder;
    for (const Mover& m : movers_) {
        const PlacedPiece* mover = pieceAt(layout, m.pieceIndex, m.pieceId);
        if (!mover)
            continue;
        const PlacedPiece& piece = *mover;
        const Pose world = worldConnector(Pose{piece.x, piece.y, piece.heading}, *m.def, m.conn);
        forTargetsNear(world, [&](const Target& t) {
            if (!t.visible || t.system != m.system || !pieceAt(layout, t.pieceIndex, t.pieceId))
                return;
            const double d = connectorDistance(t.world, world);
            if (d > kSnapDistance ||
                headingDifference(t.world.heading, world.heading) < kMinSnapAngle)
                return;
            if (best.snap.found &&
                (d > best.snap.distance || (d == best.snap.distance && !(order(m, t) < bestOrder))))
                return;
            best.snap.found = true;
            best.snap.distance = d;
            best.snap.targetPiece = t.pieceId;
            best.snap.targetConn = t.conn;
            best.snap.newConn = m.conn;
            best.movingPiece = piece.id;
            bestTarget = t.world;
            bestMover = &m;
            bestOrder = order(m, t);
        });
    }
    if (best.snap.found)
        best.snap.pose = poseForMate(*bestMover->def, bestMover->conn, bestTarget.x, bestTarget.y,
                                     bestTarget.heading);
    return best;
}

namespace {
void setJoint(PlacedPiece& p, int c, Joint j) {
    if (c >= static_cast<int>(p.joints.size()))
        p.joints.resize(c + 1);
    p.joints[c] = j;
}
} // namespace

int MoveSnapIndex::joinTouching(Layout& layout) const {
    constexpr double limitSq = kTouchJoinDistance * kTouchJoinDistance;
    const TrackCatalog& catalog = TrackCatalog::instance();
    int joins = 0;
    for (PlacedPiece& piece : layout.pieces) {
        const PieceDef* def = piece.selected ? catalog.find(piece.part) : nullptr;
        if (!def)
            continue;
        for (int c = 0; c < static_cast<int>(def->connectors.size()); ++c) {
            if (!def->connectors[c].joinable || !piece.jointAt(c).isFree())
                continue;
            const Pose world = worldConnector(Pose{piece.x, piece.y, piece.heading}, *def, c);
            const uint32_t system = def->connectorSystem(c);
            const Target* chosen = nullptr;
            forTargetsNear(world, [&](const Target& t) {
                const PlacedPiece* target = pieceAt(layout, t.pieceIndex, t.pieceId);
                if (t.system != system || !target || target == &piece ||
                    !target->jointAt(t.conn).isFree())
                    return;
                const double dx = t.world.x - world.x, dy = t.world.y - world.y;
                if (!(dx * dx + dy * dy < limitSq))
                    return;
                if (!chosen || std::make_pair(t.pieceIndex, t.conn) <
                                   std::make_pair(chosen->pieceIndex, chosen->conn))
                    chosen = &t;
            });
            if (!chosen)
                continue;
            PlacedPiece& other = layout.pieces[chosen->pieceIndex];
            setJoint(piece, c, Joint{other.id, chosen->conn});
            setJoint(other, chosen->conn, Joint{piece.id, c});
            ++joins;
        }
    }
    return joins;
}

} // namespace plandor
