#pragma once
// The move snap: while a selection is dragged, the nearest free connector of an unselected
// piece that a free connector of a selected piece would join. The index hashes the unselected
// free connectors by position once per drag so that each motion looks only at nearby cells.

#include "core/editing/Snap.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace plandor {

struct MoveSnap {
    SnapResult snap; // newConn is the moving piece's connector
    int32_t movingPiece = -1;
};

// Pieces closer than this (between free connectors) are joined when a move ends.
constexpr double kTouchJoinDistance = 4.0;

// Reference search: the ghost snap run for each selected piece in turn against the unselected
// pieces on visible levels; a later piece wins only when strictly nearer.
MoveSnap findMoveSnapPlain(const Layout& layout);

class MoveSnapIndex {
  public:
    // Takes the free connectors of the unselected pieces and of the selected pieces as they are
    // now; the selection's joints to the outside must already be broken.
    explicit MoveSnapIndex(const Layout& layout);

    // Same answer as findMoveSnapPlain for the pieces' current poses. Pieces that are gone
    // since the index was made are left out.
    MoveSnap find(const Layout& layout) const;

    // Joins each free connector of a selected piece to a free connector of an unselected piece
    // of the same track system lying closer than 4 mm, on both sides. Returns the joins made.
    int joinTouching(Layout& layout) const;

  private:
    // Pieces are remembered by id; the position in layout.pieces only saves a search and is
    // checked against the id before each use, so a list replaced since is never misread.
    struct Target {
        Pose world;
        uint32_t system;
        int pieceIndex;
        int32_t pieceId;
        int conn;
        bool visible;
    };
    struct Mover {
        int pieceIndex;
        int32_t pieceId;
        int conn;
        uint32_t system;
        const PieceDef* def;
    };
    template <typename L> static auto* pieceAt(L& layout, int index, int32_t id) {
        const bool same = index >= 0 && index < static_cast<int>(layout.pieces.size()) &&
                          layout.pieces[index].id == id;
        return same ? &layout.pieces[index] : nullptr;
    }
    struct Range {
        uint32_t begin;
        uint32_t end;
    };

    static int64_t cellOf(double v);
    static uint64_t keyOf(int64_t cx, int64_t cy);
    template <typename Visit> void forTargetsNear(const Pose& at, Visit visit) const;

    std::vector<Target> targets_; // sorted by cell
    std::unordered_map<uint64_t, Range> cells_;
    std::vector<Mover> movers_; // in layout order
};

} // namespace plandor
