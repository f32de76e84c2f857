#include "core/model/Layout.h"

#include "core/catalog/TrackCatalog.h"

#include <algorithm>
#include <limits>

namespace plandor {

Joint PlacedPiece::jointAt(int c) const {
    if (c < 0 || c >= static_cast<int>(joints.size()))
        return Joint{};
    return joints[c];
}

PlacedPiece makePlacedPiece(const std::string& part) {
    PlacedPiece p;
    p.part = part;
    if (const PieceDef* def = TrackCatalog::instance().find(part))
        p.joints.assign(def->connectors.size(), Joint{});
    return p;
}

void Layout::ensureDefaultLevel() {
    if (!levels.empty())
        return;
    levels.push_back(Level{});
}

void Layout::restoreGradeState() {
    if (gradeRuns.empty()) {
        gradeActive = false;
        gradeDeg = 0;
        gradeAnchor = -1;
        gradeConn = 1;
        return;
    }
    const GradeRun& last = gradeRuns.back();
    gradeActive = true;
    gradeDeg = last.deg;
    gradeAnchor = last.anchor;
    gradeConn = last.conn;
}

void Layout::reserveNamedIds() {
    std::vector<int32_t> named;
    const auto name = [&](int32_t id) {
        if (id >= 0 && static_cast<uint32_t>(id) >= nextId)
            named.push_back(id);
    };
    for (const PlacedPiece& p : pieces) {
        name(p.helix);
        for (const Joint& j : p.joints)
            name(j.target);
    }
    for (const Tunnel& t : tunnels) {
        for (int32_t id : {t.portalA, t.portalB, t.anchorA, t.anchorB})
            name(id);
        for (int32_t id : t.covers)
            name(id);
    }
    for (const Helix& h : helices)
        for (int32_t id : {h.bottomR1, h.bottomR2, h.topR1, h.topR2})
            name(id);
    for (const GradeRun& r : gradeRuns)
        name(r.anchor);
    std::sort(named.begin(), named.end());
    named.erase(std::unique(named.begin(), named.end()), named.end());
    reservedIds = std::move(named);
}

namespace {
template <typename List> auto* findById(List& list, int32_t id) {
    auto it = std::find_if(list.begin(), list.end(), [id](const auto& r) { return r.id == id; });
    return it == list.end() ? nullptr : &*it;
}
} // namespace

// A rebuild costs about as much as a few dozen scans; after this many scans the map is
// rebuilt, so a run of lookups after a bulk change is O(1) again while a lookup never costs
// much more than the plain scan it replaces.
constexpr int kScansBeforeRebuild = 32;

void PiecePositions::clear() {
    byId_.clear();
    others_.clear();
    built_ = false;
    scansSinceRebuild_ = 0;
}

void PiecePositions::remember(int32_t id, int at) {
    if (id >= 0 && static_cast<std::size_t>(id) < byId_.size())
        byId_[static_cast<std::size_t>(id)] = at;
    else
        others_[id] = at;
}

int PiecePositions::known(int32_t id) const {
    if (id >= 0 && static_cast<std::size_t>(id) < byId_.size())
        return byId_[static_cast<std::size_t>(id)];
    auto it = others_.find(id);
    return it == others_.end() ? -1 : it->second;
}

void PiecePositions::rebuild(const std::vector<PlacedPiece>& pieces) {
    clear();
    built_ = true;
    // The table covers the ids a layout of this size can reasonably hold; a few far-off ids
    // cannot make it large.
    const int32_t limit = static_cast<int32_t>(std::min<std::size_t>(
        4 * pieces.size() + 1024, static_cast<std::size_t>(std::numeric_limits<int32_t>::max())));
    int32_t top = -1;
    for (const PlacedPiece& p : pieces)
        if (p.id < limit)
            top = std::max(top, p.id);
    byId_.assign(static_cast<std::size_t>(top + 1), -1);
    // The first of equal ids is kept, as a scan finds it.
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const int32_t id = pieces[i].id;
        if (id >= 0 && id <= top) {
            int& slot = byId_[static_cast<std::size_t>(id)];
            if (slot < 0)
                slot = static_cast<int>(i);
        } else {
            others_.emplace(id, static_cast<int>(i));
        }
    }
}

int PiecePositions::find(const std::vector<PlacedPiece>& pieces, int32_t id) {
    if (!built_ && !pieces.empty())
        rebuild(pieces);
    const int at = known(id);
    if (at >= 0 && at < static_cast<int>(pieces.size()) &&
        pieces[static_cast<std::size_t>(at)].id == id)
        return at;
    // The list changed since the map was built, or the id is not there.
    if (++scansSinceRebuild_ > kScansBeforeRebuild) {
        rebuild(pieces);
        return known(id);
    }
    auto it = std::find_if(pieces.begin(), pieces.end(),
                           [id](const PlacedPiece& p) { return p.id == id; });
    if (it == pieces.end())
        return -1;
    const int found = static_cast<int>(it - pieces.begin());
    remember(id, found);
    return found;
}

PlacedPiece* Layout::findPiece(int32_t id) {
    const int at = piecePositions_.find(pieces, id);
    return at < 0 ? nullptr : &pieces[static_cast<std::size_t>(at)];
}
const PlacedPiece* Layout::findPiece(int32_t id) const {
    const int at = piecePositions_.find(pieces, id);
    return at < 0 ? nullptr : &pieces[static_cast<std::size_t>(at)];
}
SceneryItem* Layout::findScenery(int32_t id) {
    return findById(scenery, id);
}
const SceneryItem* Layout::findScenery(int32_t id) const {
    return findById(scenery, id);
}
LayoutLabel* Layout::findLabel(int32_t id) {
    return findById(labels, id);
}
PolygonShape* Layout::findShape(int32_t id) {
    return findById(shapes, id);
}
Tunnel* Layout::findTunnel(int32_t id) {
    return findById(tunnels, id);
}
Helix* Layout::findHelix(int32_t id) {
    return findById(helices, id);
}
const Helix* Layout::findHelix(int32_t id) const {
    return findById(helices, id);
}
Level* Layout::findLevel(int32_t id) {
    return findById(levels, id);
}
const Level* Layout::findLevel(int32_t id) const {
    return findById(levels, id);
}

void PlacedPiece::setJoint(int c, Joint j) {
    if (c >= static_cast<int>(joints.size()))
        joints.resize(c + 1);
    joints[c] = j;
}

bool Layout::join(int32_t a, int ca, int32_t b, int cb) {
    if (ca < 0 || cb < 0)
        return false;
    PlacedPiece* pa = findPiece(a);
    PlacedPiece* pb = findPiece(b);
    if (!pa || !pb)
        return false;
    // A connector holds one joint: whatever either side was joined to is freed first.
    freeConnector(a, ca);
    freeConnector(b, cb);
    pa->setJoint(ca, Joint{b, cb});
    pb->setJoint(cb, Joint{a, ca});
    return true;
}

void Layout::freeConnector(int32_t a, int c) {
    PlacedPiece* pa = findPiece(a);
    if (!pa || c < 0 || c >= static_cast<int>(pa->joints.size()))
        return;
    Joint old = pa->joints[c];
    pa->joints[c] = Joint{};
    if (old.isFree())
        return;
    PlacedPiece* pb = findPiece(old.target);
    if (pb && old.targetConn >= 0 && old.targetConn < static_cast<int>(pb->joints.size())) {
        Joint& back = pb->joints[old.targetConn];
        if (back.target == a && back.targetConn == c)
            back = Joint{};
    }
}

} // namespace plandor
