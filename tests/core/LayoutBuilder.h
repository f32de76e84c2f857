#pragma once
// Building test layouts: every helper appends one record with the layout's next id (no undo
// step) and returns it, so a test can adjust the fields it cares about.

#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plandor {

// A layout with only its first level.
inline Layout emptyLayout() {
    Layout layout;
    layout.ensureDefaultLevel();
    return layout;
}

// An empty layout that draws nothing but what a test adds (no grid, no labels).
inline Layout bareLayout() {
    Layout layout = emptyLayout();
    layout.showGrid = false;
    layout.showLabels = false;
    return layout;
}

// A catalogue piece at a pose, with one free joint per connector.
inline PlacedPiece& addPiece(Layout& layout, const std::string& part, double x = 0, double y = 0,
                             double heading = 0, int32_t level = 1) {
    PlacedPiece p = makePlacedPiece(part);
    p.id = layout.takeId();
    p.x = x;
    p.y = y;
    p.heading = heading;
    p.level = level;
    layout.pieces.push_back(p);
    return layout.pieces.back();
}

inline SceneryItem& addScenery(Layout& layout, const std::string& item, double x = 0, double y = 0,
                               double heading = 0, int32_t level = 1) {
    SceneryItem s;
    s.id = layout.takeId();
    s.item = item;
    s.x = x;
    s.y = y;
    s.heading = heading;
    s.level = level;
    layout.scenery.push_back(s);
    return layout.scenery.back();
}

inline LayoutLabel& addLabel(Layout& layout, const std::string& text, double x = 0, double y = 0) {
    layout.labels.push_back(LayoutLabel{layout.takeId(), text, x, y, false});
    return layout.labels.back();
}

inline PolygonShape& addShape(Layout& layout, std::vector<Point> vertices, double height = 0) {
    PolygonShape s;
    s.id = layout.takeId();
    s.vertices = std::move(vertices);
    s.height = height;
    layout.shapes.push_back(s);
    return layout.shapes.back();
}

// Two ramp halves joined end to end, then a plain straight after the second.
struct RampPair {
    int32_t first, second, after;
};
inline RampPair addRampPair(Layout& layout) {
    const RampPair pair{addPiece(layout, "74618", 0, 0).id, addPiece(layout, "74618", 180, 0).id,
                        addPiece(layout, "24188", 360, 0).id};
    layout.join(pair.first, 1, pair.second, 0);
    layout.join(pair.second, 1, pair.after, 0);
    return pair;
}

inline Level levelAt(int32_t id, double height, bool visible = true) {
    Level l;
    l.id = id;
    l.name = "Level " + std::to_string(id);
    l.height = height;
    l.visible = visible;
    return l;
}

inline Level& addLevel(Layout& layout, int32_t id, double height, bool visible = true) {
    layout.levels.push_back(levelAt(id, height, visible));
    return layout.levels.back();
}

// The catalogue entry of a part; a missing part fails the test.
inline const PieceDef& catalogDef(const std::string& part) {
    const PieceDef* def = TrackCatalog::instance().find(part);
    if (!def)
        ADD_FAILURE() << "part " << part << " missing from the catalogue";
    static const PieceDef empty;
    return def ? *def : empty;
}

// World position and heading of connector c of a placed piece.
inline Pose connectorOf(const Layout& layout, int32_t id, int c) {
    const PlacedPiece* p = layout.findPiece(id);
    return worldConnector(Pose{p->x, p->y, p->heading}, catalogDef(p->part), c);
}

// A catalogue piece laid with its connector `conn` head-on onto connector `fromConn` of piece
// `from`, and joined to it there.
inline PlacedPiece& attachPiece(Layout& layout, int32_t from, int fromConn, const std::string& part,
                                int conn = 0) {
    const Pose target = connectorOf(layout, from, fromConn);
    const Pose pose = poseForMate(catalogDef(part), conn, target.x, target.y, target.heading);
    const int32_t id = addPiece(layout, part, pose.x, pose.y, pose.heading).id;
    layout.join(from, fromConn, id, conn);
    return *layout.findPiece(id);
}

// `count` copies of a part laid one after another from connector `fromConn` of `from`, each
// entered by its connector `conn` and left by the other end; the id of the last one.
inline int32_t attachChain(Layout& layout, int32_t from, int fromConn, const std::string& part,
                           int count, int conn = 0) {
    for (int i = 0; i < count; ++i) {
        from = attachPiece(layout, from, fromConn, part, conn).id;
        fromConn = 1 - conn;
    }
    return from;
}

// `count` copies of a part from (x, y) at heading 0, each joined by its connector 0 to the
// connector 1 of the one before; their ids in order.
inline std::vector<int32_t> addChain(Layout& layout, const std::string& part, int count,
                                     double x = 0, double y = 0) {
    std::vector<int32_t> ids{addPiece(layout, part, x, y).id};
    while (static_cast<int>(ids.size()) < count)
        ids.push_back(attachPiece(layout, ids.back(), 1, part).id);
    return ids;
}

// The joint is stored on both pieces.
inline bool joinedBothWays(const Layout& layout, int32_t a, int ca, int32_t b, int cb) {
    const PlacedPiece* pa = layout.findPiece(a);
    const PlacedPiece* pb = layout.findPiece(b);
    return pa && pb && pa->jointAt(ca).target == b && pa->jointAt(ca).targetConn == cb &&
           pb->jointAt(cb).target == a && pb->jointAt(cb).targetConn == ca;
}

inline int freeJointCount(const PlacedPiece& p) {
    int n = 0;
    for (const Joint& j : p.joints)
        n += j.isFree();
    return n;
}

} // namespace plandor
