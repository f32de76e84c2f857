#include "core/editing/MoveSnapIndex.h"

#include "core/model/LevelFilter.h"

#include <algorithm>
#include <cmath>
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

MoveSnapIndex::MoveSnapIndex(const Layout& layout) : grid_(kCellSize) {
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
    grid_.reserve(targets_.size());
    for (std::size_t t = 0; t < targets_.size(); ++t)
        grid_.addPoint(static_cast<uint32_t>(t), targets_[t].world.x, targets_[t].world.y);
    grid_.build();
}

template <typename Visit> void MoveSnapIndex::forTargetsNear(const Pose& at, Visit visit) const {
    grid_.forItemsNear(at.x, at.y, [&](uint32_t t) { visit(targets_[t]); });
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
            piece.setJoint(c, Joint{other.id, chosen->conn});
            other.setJoint(chosen->conn, Joint{piece.id, c});
            ++joins;
        }
    }
    return joins;
}

} // namespace plandor
