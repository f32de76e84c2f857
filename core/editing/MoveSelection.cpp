#include "core/editing/MoveSelection.h"

#include "core/editing/EditLocks.h"
#include "core/editing/Rigid.h"
#include "core/editing/Selection.h"
#include "core/elevation/GradeRuns.h"
#include "core/model/PieceIndex.h"

#include <cmath>

namespace plandor {

bool pastDragThreshold(ScreenPoint press, ScreenPoint now) {
    const int dx = now.x - press.x, dy = now.y - press.y;
    return dx * dx + dy * dy >= 25;
}

namespace {

// Frees every joint of a selected piece that leads to an unselected piece (and, with
// `dangling`, to a piece that no longer exists), on both sides.
void freeJointsLeavingSelection(Layout& layout, bool dangling) {
    const PieceIndex index(layout);
    for (PlacedPiece& piece : layout.pieces) {
        if (!piece.selected)
            continue;
        for (std::size_t c = 0; c < piece.joints.size(); ++c) {
            Joint& j = piece.joints[c];
            if (j.isFree())
                continue;
            const int other = index.find(j.target);
            if (other < 0) {
                if (dangling)
                    j = Joint{};
                continue;
            }
            PlacedPiece& target = layout.pieces[other];
            if (target.selected)
                continue;
            if (j.targetConn >= 0 && j.targetConn < static_cast<int>(target.joints.size())) {
                Joint& back = target.joints[j.targetConn];
                if (back.target == piece.id && back.targetConn == static_cast<int>(c))
                    back = Joint{};
            }
            j = Joint{};
        }
    }
}

} // namespace

bool SelectionMove::begin(Layout& layout, Prompter& prompter, bool& gradedMoveAccepted,
                          Point pressWorld) {
    *this = SelectionMove{};
    if (!piecesOrScenerySelected(layout))
        return false;
    std::vector<bool> before;
    before.reserve(layout.pieces.size());
    for (const PlacedPiece& p : layout.pieces)
        before.push_back(p.selected);
    addPairedHalves(layout);
    if (!canMoveSelection(layout, prompter, gradedMoveAccepted)) {
        for (std::size_t i = 0; i < before.size(); ++i)
            layout.pieces[i].selected = before[i];
        return false;
    }

    active_ = true;
    press_ = pressWorld;
    for (int i = 0; i < static_cast<int>(layout.pieces.size()); ++i) {
        const PlacedPiece& p = layout.pieces[i];
        if (p.selected)
            pieces_.push_back({i, p.id, {p.x, p.y, p.heading}});
    }
    for (int i = 0; i < static_cast<int>(layout.scenery.size()); ++i) {
        const SceneryItem& s = layout.scenery[i];
        if (s.selected)
            scenery_.push_back({i, s.id, {s.x, s.y, s.heading}});
    }
    const auto helices = wholeSelectedHelices(layout);
    for (int i = 0; i < static_cast<int>(layout.helices.size()); ++i) {
        const Helix& h = layout.helices[i];
        if (helices.count(h.id))
            helices_.push_back({i, h.id, {h.cx, h.cy, h.heading}});
    }
    freeJointsLeavingSelection(layout, false);
    index_.emplace(layout);
    return true;
}

bool SelectionMove::unchanged(const Layout& layout) const {
    for (const Start& s : pieces_)
        if (s.index >= static_cast<int>(layout.pieces.size()) || layout.pieces[s.index].id != s.id)
            return false;
    for (const Start& s : scenery_)
        if (s.index >= static_cast<int>(layout.scenery.size()) ||
            layout.scenery[s.index].id != s.id)
            return false;
    for (const Start& s : helices_)
        if (s.index >= static_cast<int>(layout.helices.size()) ||
            layout.helices[s.index].id != s.id)
            return false;
    return true;
}

void SelectionMove::motion(Layout& layout, Point world) {
    if (!active_)
        return;
    if (!unchanged(layout)) {
        *this = SelectionMove{};
        return;
    }
    const double dx = world.x - press_.x, dy = world.y - press_.y;
    for (const Start& s : pieces_) {
        layout.pieces[s.index].x = s.pose.x + dx;
        layout.pieces[s.index].y = s.pose.y + dy;
    }
    for (const Start& s : scenery_) {
        layout.scenery[s.index].x = s.pose.x + dx;
        layout.scenery[s.index].y = s.pose.y + dy;
    }
    for (const Start& s : helices_) {
        layout.helices[s.index].cx = s.pose.x + dx;
        layout.helices[s.index].cy = s.pose.y + dy;
    }
    snap_ = layout.snapOn ? index_->find(layout) : MoveSnap{};
}

void SelectionMove::release(Layout& layout) {
    if (!active_)
        return;
    if (!unchanged(layout)) {
        *this = SelectionMove{};
        return;
    }
    bool moved = false;
    for (const Start& s : pieces_) {
        const PlacedPiece& p = layout.pieces[s.index];
        const double dx = p.x - s.pose.x, dy = p.y - s.pose.y;
        if (dx * dx + dy * dy > 1.0)
            moved = true;
    }
    if (moved)
        freeJointsLeavingSelection(layout, true);

    const PlacedPiece* mover = layout.findPiece(snap_.movingPiece);
    if (snap_.snap.found && mover && layout.findPiece(snap_.snap.targetPiece)) {
        const Point from{mover->x, mover->y};
        const Pose to = snap_.snap.pose;
        const double turn = to.heading - mover->heading;
        auto land = [&](double& x, double& y, double& heading) {
            const Point p = rotateAbout(Point{x, y}, from, turn);
            x = p.x - from.x + to.x;
            y = p.y - from.y + to.y;
            heading = normalizeHeading(heading + turn);
        };
        for (const Start& s : pieces_) {
            PlacedPiece& p = layout.pieces[s.index];
            land(p.x, p.y, p.heading);
        }
        for (const Start& s : scenery_) {
            SceneryItem& item = layout.scenery[s.index];
            land(item.x, item.y, item.heading);
        }
        for (const Start& s : helices_) {
            Helix& h = layout.helices[s.index];
            land(h.cx, h.cy, h.heading);
        }
        const SnapResult& r = snap_.snap;
        layout.join(r.targetPiece, r.targetConn, snap_.movingPiece, r.newConn);
        const double zBefore = layout.findPiece(snap_.movingPiece)->z;
        continueElevation(layout, r.targetPiece, r.targetConn, snap_.movingPiece, r.newConn);
        const double lift = layout.findPiece(snap_.movingPiece)->z - zBefore;
        if (std::fabs(lift) > kFlatGrade)
            for (const Start& s : pieces_) {
                PlacedPiece& p = layout.pieces[s.index];
                if (p.id != snap_.movingPiece && p.helix == -1)
                    p.z += lift;
            }
    }
    index_->joinTouching(layout);
    *this = SelectionMove{};
}

} // namespace plandor
