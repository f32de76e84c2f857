#pragma once
// Small track plans laid from catalogue pieces in any system: a balloon loop, a wye, a
// dogbone, an oval, a figure eight over a crossing and a three-track station. Each is built
// piece by piece from connector to connector; a loop is closed with a joint.

#include "LayoutBuilder.h"

#include <string>

namespace plandor {

// One system's pieces for the plans.
struct TrackParts {
    std::string name;
    std::string straight, curve, left, right, crossing, buffer;
    std::string stationCurve; // bends a turnout's branch back parallel to its straight
};

inline const TrackParts kTrixParts{"TRIX C", "62188", "62130", "62611",
                                   "62612",  "62624", "62977", "62224"};
inline const TrackParts kCTrackParts{"C-Track", "24188", "24130", "24611",
                                     "24612",   "24640", "24977", "24224"};
inline const TrackParts kZParts{"Z", "8500", "8521", "8562", "8563", "8559", "8991", "8591"};

// A free connector of a piece.
struct TrackEndRef {
    int32_t id = -1;
    int conn = 0;
};

// Lays `count` two-ended pieces from `from`, each entered by its connector `conn` (a curve
// entered by 1 bends left); the far end of the last.
inline TrackEndRef layRun(Layout& layout, TrackEndRef from, const std::string& part, int count,
                          int conn = 0) {
    const int32_t last = attachChain(layout, from.id, from.conn, part, count, conn);
    return TrackEndRef{last, 1 - conn};
}

inline void closeLoop(Layout& layout, TrackEndRef a, TrackEndRef b) {
    layout.join(a.id, a.conn, b.id, b.conn);
}

// A balloon loop: a left turnout whose branch runs round through curves back into its
// straight exit, and a tail straight on its common end. Returns the turnout.
inline int32_t addBalloon(Layout& layout, const TrackParts& p, TrackEndRef from = {}) {
    const int32_t t = from.id == -1 ? addPiece(layout, p.left).id
                                    : attachPiece(layout, from.id, from.conn, p.left).id;
    if (from.id == -1)
        layRun(layout, {t, 0}, p.straight, 1);
    TrackEndRef e = layRun(layout, {t, 2}, p.straight, 2);
    e = layRun(layout, e, p.curve, 7);
    e = layRun(layout, e, p.straight, 1);
    closeLoop(layout, e, {t, 1});
    return t;
}

// A balloon loop with a passing loop on it: the loop leaves the turnout's branch by three
// straights, splits into two tracks of two straights each, and comes back round through
// curves into the turnout's straight exit.
inline int32_t addBalloonWithPassingLoop(Layout& layout, const TrackParts& p) {
    const int32_t t = addPiece(layout, p.left).id;
    layRun(layout, {t, 0}, p.straight, 1);
    TrackEndRef e = layRun(layout, {t, 2}, p.straight, 3);
    const int32_t split = attachPiece(layout, e.id, e.conn, p.right).id;
    e = layRun(layout, {split, 1}, p.straight, 2);
    const int32_t merge = attachPiece(layout, e.id, e.conn, p.left, 1).id;
    closeLoop(layout, layRun(layout, {split, 2}, p.straight, 2), {merge, 2});
    e = layRun(layout, {merge, 0}, p.curve, 7);
    closeLoop(layout, layRun(layout, e, p.straight, 1), {t, 1});
    return t;
}

// A wye: turnout A's two exits lead to B and C, and B's branch runs to C's straight exit.
struct Wye {
    int32_t a, b, c;
};
inline Wye addWye(Layout& layout, const TrackParts& p) {
    Wye w{};
    w.a = addPiece(layout, p.left).id;
    layRun(layout, {w.a, 0}, p.straight, 1);
    TrackEndRef e = layRun(layout, {w.a, 1}, p.straight, 2);
    w.b = attachPiece(layout, e.id, e.conn, p.right, 1).id;
    layRun(layout, {w.b, 0}, p.straight, 1);
    e = layRun(layout, {w.a, 2}, p.curve, 3, 1);
    w.c = attachPiece(layout, e.id, e.conn, p.left, 2).id;
    layRun(layout, {w.c, 0}, p.straight, 1);
    e = layRun(layout, {w.b, 2}, p.curve, 3, 0);
    e = layRun(layout, e, p.straight, 1);
    closeLoop(layout, e, {w.c, 1});
    return w;
}

// An oval of two loops joined through two right turnouts, and a diagonal between the
// turnouts' branches across the middle: the diagonal turns trains round.
struct OvalWithDiagonal {
    int32_t top, bottom, firstOfDiagonal;
};
inline OvalWithDiagonal addOvalWithDiagonal(Layout& layout, const TrackParts& p) {
    OvalWithDiagonal o{};
    o.top = addPiece(layout, p.right).id;
    const TrackEndRef d = layRun(layout, {o.top, 2}, p.straight, 8);
    o.firstOfDiagonal = layout.findPiece(o.top)->jointAt(2).target;
    o.bottom = attachPiece(layout, d.id, d.conn, p.right, 2).id;
    TrackEndRef e = layRun(layout, {o.top, 1}, p.straight, 10);
    e = layRun(layout, e, p.curve, 6);
    closeLoop(layout, layRun(layout, e, p.straight, 1), {o.bottom, 0});
    TrackEndRef w = layRun(layout, {o.bottom, 1}, p.straight, 10);
    w = layRun(layout, w, p.curve, 6);
    closeLoop(layout, layRun(layout, w, p.straight, 1), {o.top, 0});
    return o;
}

// Two balloon loops at the ends of one line. Returns the two turnouts.
inline std::pair<int32_t, int32_t> addDogbone(Layout& layout, const TrackParts& p) {
    const int32_t first = addBalloon(layout, p);
    // The first balloon's tail is the line: lengthen it and hang the second balloon on it.
    const int32_t tail = layout.pieces[1].id;
    const TrackEndRef e = layRun(layout, {tail, 1}, p.straight, 3);
    return {first, addBalloon(layout, p, e)};
}

// An oval of two straights and twelve curves.
inline void addOval(Layout& layout, const TrackParts& p) {
    const int32_t start = addPiece(layout, p.straight).id;
    TrackEndRef e = layRun(layout, {start, 1}, p.curve, 6);
    e = layRun(layout, e, p.straight, 1);
    e = layRun(layout, e, p.curve, 6);
    closeLoop(layout, e, {start, 0});
}

// A figure eight: the east loop runs from the crossing's main route round into its
// diagonal, the west loop from the diagonal round into the main route.
inline int32_t addFigureEight(Layout& layout, const TrackParts& p) {
    const int32_t x = addPiece(layout, p.crossing).id;
    TrackEndRef e = layRun(layout, {x, 1}, p.straight, 1);
    e = layRun(layout, e, p.curve, 7);
    closeLoop(layout, e, {x, 3});
    e = layRun(layout, {x, 2}, p.straight, 1);
    e = layRun(layout, e, p.curve, 5);
    closeLoop(layout, e, {x, 0});
    return x;
}

// A three-track station: a left and a right turnout at each end. Track a leaves by the first
// turnout's branch, b runs straight through, c leaves by the second turnout's branch; each
// holds `straights` straights, a and c a bend at both ends. A siding with a buffer stop on
// the left, an open straight on the right.
struct Station {
    int32_t t1, t2, u1, u2;
};
inline Station addStation(Layout& layout, const TrackParts& p, int straights) {
    Station s{};
    s.t1 = addPiece(layout, p.left).id;
    const TrackEndRef buffer = layRun(layout, {s.t1, 0}, p.straight, 1);
    attachPiece(layout, buffer.id, buffer.conn, p.buffer);
    s.t2 = attachPiece(layout, s.t1, 1, p.right).id;
    TrackEndRef a = layRun(layout, {s.t1, 2}, p.stationCurve, 1);
    a = layRun(layout, a, p.straight, straights);
    a = layRun(layout, a, p.stationCurve, 1, 1);
    const TrackEndRef b = layRun(layout, {s.t2, 1}, p.straight, straights);
    TrackEndRef c = layRun(layout, {s.t2, 2}, p.stationCurve, 1, 1);
    c = layRun(layout, c, p.straight, straights);
    c = layRun(layout, c, p.stationCurve, 1);
    s.u2 = attachPiece(layout, b.id, b.conn, p.left, 1).id;
    s.u1 = attachPiece(layout, s.u2, 0, p.right, 1).id;
    closeLoop(layout, a, {s.u1, 2});
    closeLoop(layout, c, {s.u2, 2});
    layRun(layout, {s.u1, 0}, p.straight, 1);
    return s;
}

} // namespace plandor
