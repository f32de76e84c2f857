#include "LayoutGenerator.h"
#include "core/base/Geometry.h"

#include "core/catalog/TrackCatalog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace plandor {

namespace {

constexpr double kCell = 3500;                   // mm; one module per square grid cell
constexpr double kLevelHeight[] = {0, 100, 200}; // decks of levels 1, 2 and 3
constexpr int kLevels = 3;

// std::mt19937's output is fixed by the standard, so the layouts are the same everywhere.
class Rng {
  public:
    explicit Rng(unsigned seed) : gen_(seed) {}
    int below(int n) { return static_cast<int>(gen_() % static_cast<uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    double real(double lo, double hi) { return lo + (hi - lo) * (gen_() / 4294967296.0); }

  private:
    std::mt19937 gen_;
};

struct Deck {
    int32_t level = 1;
    double z = 0;
};

// Lays catalogue pieces onto each other's free connectors and joins them on both sides.
// Pieces are addressed by their position in the layout's piece list.
class Builder {
  public:
    Builder(Layout& layout, Rng& rng) : layout_(layout), rng_(rng) {}

    Deck deck;

    std::size_t place(const std::string& part, const Pose& pose) {
        def(part); // fails loudly on a part the catalogue lacks
        PlacedPiece p = makePlacedPiece(part);
        p.id = layout_.takeId();
        p.x = pose.x;
        p.y = pose.y;
        p.heading = pose.heading;
        p.level = deck.level;
        p.z = deck.z;
        if (rng_.chance(3)) {
            p.hasColor = true;
            p.color =
                Color{static_cast<uint8_t>(rng_.below(256)), static_cast<uint8_t>(rng_.below(256)),
                      static_cast<uint8_t>(rng_.below(256)), 255};
        }
        layout_.pieces.push_back(std::move(p));
        return layout_.pieces.size() - 1;
    }

    Pose connector(std::size_t piece, int conn) const {
        const PlacedPiece& p = layout_.pieces[piece];
        return worldConnector(Pose{p.x, p.y, p.heading}, def(p.part), conn);
    }

    // Lays `part` with its connector `conn` head-on onto connector `fromConn` of `from`.
    std::size_t attach(std::size_t from, int fromConn, const std::string& part, int conn = 0) {
        const Pose target = connector(from, fromConn);
        const Pose pose = poseForMate(def(part), conn, target.x, target.y, target.heading);
        const std::size_t added = place(part, pose);
        join(from, fromConn, added, conn);
        return added;
    }

    // A run of pieces, each entered by connector 0 and left by connector 1; returns the last.
    std::size_t chain(std::size_t from, int fromConn, const std::string& part, int count) {
        for (int i = 0; i < count; ++i) {
            from = attach(from, fromConn, part);
            fromConn = 1;
        }
        return from;
    }

    // The end of a siding or spur: mostly a bumper, sometimes one more straight left open
    // for track still to be laid.
    void endRun(std::size_t from, int fromConn, const char* bumper) {
        attach(from, fromConn, rng_.chance(25) ? "24188" : bumper);
    }

    void join(std::size_t a, int ca, std::size_t b, int cb) {
        PlacedPiece& pa = layout_.pieces[a];
        PlacedPiece& pb = layout_.pieces[b];
        pa.joints[ca] = Joint{pb.id, cb};
        pb.joints[cb] = Joint{pa.id, ca};
    }

    int32_t id(std::size_t piece) const { return layout_.pieces[piece].id; }
    PlacedPiece& piece(std::size_t index) { return layout_.pieces[index]; }

    static const PieceDef& def(const std::string& part) {
        const PieceDef* d = TrackCatalog::instance().find(part);
        if (!d)
            throw std::logic_error("generateLayout: the catalogue has no part " + part);
        return *d;
    }

  private:
    Layout& layout_;
    Rng& rng_;
};

// ---- module plans: random parameters first, so a module's piece count is known up front ----

// One place on an oval's straight side: a straight, or a turnout (same length as 24188)
// with a siding of `sidingStraights` straights and a bumper.
struct Slot {
    std::string part; // "24188", "24360" or "turnout"
    int sidingStraights = 0;
};

struct OvalPlan {
    std::vector<Slot> slots; // one straight side; the other side repeats it
    bool doubleTrack = false;
    bool tunnel = false;
};

struct YardPlan {
    int turnouts = 0;
    std::vector<int> sidingStraights;
};

struct CrossingPlan {
    int mainStraights = 0;
    int diagonalStraights = 0;
};

struct ClimbPlan {
    double grade = 0;
    int flat = 0;
    int graded = 0;
};

enum class ModuleKind { Oval, Yard, Crossing, Climb };

struct ModulePlan {
    ModuleKind kind = ModuleKind::Oval;
    OvalPlan oval;
    YardPlan yard;
    CrossingPlan crossing;
    ClimbPlan climb;
};

int sidingPieces(int straights) {
    return 2 + straights;
} // branch curve, straights, bumper

// A double-track module's inner oval has straights where the outer one has turnouts: a
// siding inside would run into the oval's own curves, one outside into the outer oval.
int ovalPieces(const OvalPlan& plan) {
    int plain = 12, withSidings = 12;
    for (const Slot& s : plan.slots) {
        plain += 2;
        withSidings += 2 * (1 + (s.part == "turnout" ? sidingPieces(s.sidingStraights) : 0));
    }
    return plan.doubleTrack ? plain + withSidings : withSidings;
}

int piecesIn(const ModulePlan& m) {
    switch (m.kind) {
    case ModuleKind::Oval:
        return ovalPieces(m.oval);
    case ModuleKind::Yard: {
        // Lead and its bumper, the ladder's turnouts and end bumper, each siding with its end.
        int n = 2 + m.yard.turnouts + 1;
        for (int s : m.yard.sidingStraights)
            n += s + 1;
        return n;
    }
    case ModuleKind::Crossing:
        return 1 + 2 * m.crossing.mainStraights + 2 * m.crossing.diagonalStraights + 4;
    case ModuleKind::Climb:
        return 2 + 2 * m.climb.flat + m.climb.graded;
    }
    return 0;
}

ModulePlan planModule(Rng& rng, int32_t deckLevel) {
    ModulePlan m;
    const int roll = rng.below(100);
    if (roll < 12 && deckLevel < kLevels) {
        m.kind = ModuleKind::Climb;
        const double grades[] = {3.0, 3.5, 4.0, 4.5};
        m.climb.grade = grades[rng.below(4)];
        m.climb.flat = rng.between(1, 3);
        const double rise = 188.3 * std::sin(m.climb.grade * kPi / 180.0);
        m.climb.graded = static_cast<int>(std::ceil(100.0 / rise));
    } else if (roll < 27) {
        m.kind = ModuleKind::Yard;
        m.yard.turnouts = rng.between(2, 5);
        for (int i = 0; i < m.yard.turnouts; ++i)
            m.yard.sidingStraights.push_back(rng.between(1, 4));
    } else if (roll < 37) {
        m.kind = ModuleKind::Crossing;
        m.crossing.mainStraights = rng.between(1, 3);
        m.crossing.diagonalStraights = rng.between(1, 3);
    } else {
        m.kind = ModuleKind::Oval;
        const int slots = rng.between(2, 6);
        // A siding runs alongside the track after its turnout (branch, curve, straights and
        // its end); the next turnout waits until it has ended, or the two sidings would meet.
        double along = 0, nextTurnoutFrom = 0;
        for (int i = 0; i < slots; ++i) {
            const int r = rng.below(10);
            if (r < 2) {
                const int straights = rng.between(1, 3);
                if (along >= nextTurnoutFrom) {
                    m.oval.slots.push_back({"turnout", straights});
                    nextTurnoutFrom = along + (3 + straights) * 188.3;
                } else {
                    m.oval.slots.push_back({"24188", 0});
                }
            } else {
                m.oval.slots.push_back({r < 7 ? "24188" : "24360", 0});
            }
            along += m.oval.slots.back().part == "24360" ? 360.0 : 188.3;
        }
        m.oval.doubleTrack = rng.chance(35);
        m.oval.tunnel = rng.chance(25);
    }
    return m;
}

// ---- module builders: each lays its module around the centre of its grid cell ----

struct Placement {
    Point centre;
    double heading = 0;
};

// The start pose that puts a module's local point `localCentre` (module laid from (0, 0)
// with heading 0) on the cell centre, turned by the cell's heading.
Pose startPose(const Placement& at, Point localCentre) {
    const double t = at.heading * kPi / 180.0;
    const double c = std::cos(t), s = std::sin(t);
    return Pose{at.centre.x - (localCentre.x * c - localCentre.y * s),
                at.centre.y - (localCentre.x * s + localCentre.y * c), at.heading};
}

double sideLength(const std::vector<Slot>& slots) {
    double l = 0;
    for (const Slot& s : slots)
        l += s.part == "24360" ? 360.0 : 188.3;
    return l;
}

// Siding off a turnout's branch: a curve back to parallel, straights, a bumper.
void buildSiding(Builder& b, std::size_t turnout, bool leftHand, int straights) {
    // A curve bends right from its connector 0, left when entered by its connector 1.
    std::size_t curve = b.attach(turnout, 2, "24224", leftHand ? 0 : 1);
    const int curveExit = leftHand ? 1 : 0;
    std::size_t last = b.attach(curve, curveExit, "24188");
    last = b.chain(last, 1, "24188", straights - 1);
    b.endRun(last, 1, straights % 2 ? "24977" : "24978");
}

struct OvalPieces {
    std::size_t beforeFarCurves = 0;
    std::size_t firstFarCurve = 0;
    std::size_t lastFarCurve = 0;
    std::size_t afterFarCurves = 0;
};

// A closed oval: one side of slots, a half circle, the same side again, a half circle.
// The curves turn right, so left-hand turnouts put their sidings outside the oval.
OvalPieces buildOval(Builder& b, const Pose& start, const std::vector<Slot>& slots,
                     const std::string& curve, bool withSidings) {
    OvalPieces out;
    std::size_t first = 0, last = 0;
    bool placed = false;
    auto lay = [&](const std::string& part) {
        if (!placed) {
            first = last = b.place(part, start);
            placed = true;
        } else {
            last = b.attach(last, 1, part);
        }
    };
    for (int side = 0; side < 2; ++side) {
        for (const Slot& s : slots) {
            if (s.part != "turnout" || !withSidings) {
                lay(s.part == "turnout" ? "24188" : s.part);
                continue;
            }
            lay("24611");
            buildSiding(b, last, true, s.sidingStraights);
        }
        if (side == 0)
            out.beforeFarCurves = last;
        for (int i = 0; i < 6; ++i) {
            lay(curve);
            if (side == 0 && i == 0)
                out.firstFarCurve = last;
        }
        if (side == 0)
            out.lastFarCurve = last;
    }
    b.join(last, 1, first, 0);
    out.afterFarCurves = out.lastFarCurve + 1;
    return out;
}

void addTunnel(Layout& layout, Builder& b, const OvalPieces& oval) {
    Tunnel t;
    t.id = layout.takeId();
    t.anchorA = b.id(oval.beforeFarCurves);
    t.anchorB = b.id(oval.afterFarCurves);
    for (std::size_t i = oval.firstFarCurve; i <= oval.lastFarCurve; ++i)
        t.covers.push_back(b.id(i));
    const Pose ends[] = {b.connector(oval.beforeFarCurves, 1), b.connector(oval.afterFarCurves, 0)};
    int32_t portals[2];
    for (int i = 0; i < 2; ++i) {
        SceneryItem portal;
        portal.id = layout.takeId();
        portal.item = "tunnel_portal_single";
        portal.x = ends[i].x;
        portal.y = ends[i].y;
        portal.heading = ends[i].heading;
        portal.level = b.deck.level;
        portals[i] = portal.id;
        layout.scenery.push_back(portal);
    }
    t.portalA = portals[0];
    t.portalB = portals[1];
    layout.tunnels.push_back(t);
}

void buildOvalModule(Layout& layout, Builder& b, const OvalPlan& plan, const Placement& at) {
    const double side = sideLength(plan.slots);
    if (!plan.doubleTrack) {
        const Pose start = startPose(at, {side / 2, 360});
        const OvalPieces oval = buildOval(b, start, plan.slots, "24130", true);
        if (plan.tunnel)
            addTunnel(layout, b, oval);
        return;
    }
    // Inner R1 oval without sidings, outer R2 oval around it with sidings outside.
    buildOval(b, startPose(at, {side / 2, 360}), plan.slots, "24130", false);
    const OvalPieces outer =
        buildOval(b, startPose(at, {side / 2, 437.5}), plan.slots, "24230", true);
    if (plan.tunnel)
        addTunnel(layout, b, outer);
}

// A ladder: a right-hand turnout leads onto a diagonal of left-hand turnouts, whose branches
// come back parallel to the lead, one track spacing apart, so no siding meets another.
// The first siding continues the lead; bumpers end the lead and the diagonal.
void buildYard(Builder& b, const YardPlan& plan, const Placement& at) {
    const double length = (plan.turnouts + 4) * 188.3;
    std::size_t t = b.place("24612", startPose(at, {length / 2 - 188.3, -150}));
    const std::size_t lead = b.attach(t, 0, "24188", 1);
    b.attach(lead, 0, "24977");
    b.endRun(b.chain(t, 1, "24188", plan.sidingStraights[0]), 1, "24978");
    int diagonalConn = 2;
    for (int i = 1; i < plan.turnouts; ++i) {
        t = b.attach(t, diagonalConn, "24611");
        diagonalConn = 1;
        b.endRun(b.chain(t, 2, "24188", plan.sidingStraights[i]), 1, "24978");
    }
    b.attach(t, diagonalConn, "24977");
}

// A crossing with straights and bumpers on all four ends.
void buildCrossing(Builder& b, const CrossingPlan& plan, const Placement& at) {
    const std::size_t x = b.place("24640", startPose(at, {94.15, 0}));
    const int runs[] = {plan.mainStraights, plan.mainStraights, plan.diagonalStraights,
                        plan.diagonalStraights};
    for (int c = 0; c < 4; ++c) {
        const std::size_t end = b.chain(x, c, "24188", runs[c]);
        b.endRun(end, 1, "24977");
    }
}

// Flat track on one deck, a graded run, flat track on the deck above; bumpers at both ends.
void buildClimb(Layout& layout, Builder& b, const ClimbPlan& plan, const Placement& at) {
    const double length = (2 * plan.flat + plan.graded) * 188.3;
    const Deck bottom = b.deck;
    std::size_t start = b.place("24188", startPose(at, {length / 2, 0}));
    b.attach(start, 0, "24977");
    std::size_t last = b.chain(start, 1, "24188", plan.flat - 1);
    const double rise = 188.3 * std::sin(plan.grade * kPi / 180.0);
    for (int i = 0; i < plan.graded; ++i) {
        b.deck.z = bottom.z + i * rise;
        last = b.attach(last, 1, "24188");
        b.piece(last).grade = plan.grade;
    }
    layout.gradeRuns.push_back(GradeRun{plan.grade, b.id(last), 1});
    b.deck.level = bottom.level + 1;
    b.deck.z = bottom.z + plan.graded * rise;
    last = b.chain(last, 1, "24188", plan.flat);
    b.attach(last, 1, "24978");
    b.deck = bottom;
}

// Left-over pieces: short open runs of straights between bumpers, each in its own cell.
void buildFiller(Builder& b, int pieces, const Placement& at) {
    const std::size_t first = b.place("24188", startPose(at, {pieces * 94.15, 0}));
    if (pieces >= 2)
        b.attach(first, 0, "24977");
    if (pieces >= 3)
        b.attach(b.chain(first, 1, "24188", pieces - 3), 1, "24978");
}

constexpr int kMaxFiller = 12;

const char* const kSceneryItems[] = {
    "tree_conifer",  "tree_group", "tree_lg_dec", "tree_sm_dec",   "bush",
    "station_small", "signal_box", "platform",    "goods_shed",    "water_tower",
    "warehouse",     "car",        "truck",       "road_straight", "signal_color_clear",
};

std::string moduleLabel(ModuleKind kind, int number) {
    switch (kind) {
    case ModuleKind::Oval:
        return "Loop " + std::to_string(number);
    case ModuleKind::Yard:
        // Some names need escaping in the layout file.
        return number % 10 == 0 ? "Goods yard <north> & \"old\" " + std::to_string(number)
                                : "Yard " + std::to_string(number);
    case ModuleKind::Crossing:
        return "Crossing " + std::to_string(number);
    case ModuleKind::Climb:
        return "Climb " + std::to_string(number);
    }
    return {};
}

struct Cell {
    Placement at;
    Deck deck;
};

} // namespace

Layout generateLayout(int pieceCount, unsigned seed) {
    Layout layout;
    Rng rng(seed);
    Builder b(layout, rng);

    const int estimatedCells = pieceCount / 25 + 1;
    const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(estimatedCells))));
    std::vector<Cell> cells;
    auto nextCell = [&]() -> const Cell& {
        const int i = static_cast<int>(cells.size());
        Cell cell;
        cell.at.centre = {(i % columns + 0.5) * kCell, (i / columns + 0.5) * kCell};
        cell.at.heading = 15.0 * rng.below(24);
        const int r = rng.below(10);
        cell.deck.level = r < 6 ? 1 : r < 9 ? 2 : 3;
        cell.deck.z = kLevelHeight[cell.deck.level - 1];
        cells.push_back(cell);
        return cells.back();
    };

    int remaining = pieceCount;
    while (remaining > 0) {
        const Cell& cell = nextCell();
        b.deck = cell.deck;
        const ModulePlan plan = planModule(rng, cell.deck.level);
        const int size = piecesIn(plan);
        // A single piece left over would have to lie alone with two open ends.
        if (size > remaining || remaining - size == 1) {
            int n = std::min(remaining, kMaxFiller);
            if (remaining - n == 1)
                --n;
            buildFiller(b, n, cell.at);
            remaining -= n;
            continue;
        }
        switch (plan.kind) {
        case ModuleKind::Oval:
            buildOvalModule(layout, b, plan.oval, cell.at);
            break;
        case ModuleKind::Yard:
            buildYard(b, plan.yard, cell.at);
            break;
        case ModuleKind::Crossing:
            buildCrossing(b, plan.crossing, cell.at);
            break;
        case ModuleKind::Climb:
            buildClimb(layout, b, plan.climb, cell.at);
            break;
        }
        remaining -= size;

        LayoutLabel label;
        label.id = layout.takeId();
        label.text = moduleLabel(plan.kind, static_cast<int>(cells.size()));
        label.x = cell.at.centre.x;
        label.y = cell.at.centre.y - 0.4 * kCell;
        layout.labels.push_back(label);
    }

    // Scenery: about one item per 20 pieces, spread over the cells.
    for (int i = 0; i < pieceCount / 20; ++i) {
        const Cell& cell = cells[i % cells.size()];
        SceneryItem item;
        item.id = layout.takeId();
        item.item = kSceneryItems[rng.below(std::size(kSceneryItems))];
        item.x = cell.at.centre.x + rng.real(-0.45, 0.45) * kCell;
        item.y = cell.at.centre.y + rng.real(-0.45, 0.45) * kCell;
        item.heading = 15.0 * rng.below(24);
        item.level = cell.deck.level;
        if (rng.chance(20))
            item.scaleX = item.scaleY = rng.real(0.5, 2.0);
        layout.scenery.push_back(item);
    }

    // A lake or a field in every eighth cell.
    for (std::size_t i = 0; i < cells.size(); i += 8) {
        PolygonShape shape;
        shape.id = layout.takeId();
        shape.level = cells[i].deck.level;
        shape.label = "Field " + std::to_string(i / 8 + 1);
        const Point corner{cells[i].at.centre.x + 0.3 * kCell, cells[i].at.centre.y + 0.3 * kCell};
        for (int k = 0; k < 6; ++k) {
            const double a = k * kPi / 3;
            shape.vertices.push_back({corner.x + 500 * std::cos(a), corner.y + 300 * std::sin(a)});
        }
        layout.shapes.push_back(shape);
    }

    const int rows = static_cast<int>((cells.size() + columns - 1) / columns);
    const double width = columns * kCell, height = rows * kCell;
    layout.baseboard = {{0, 0}, {width, 0}, {width, height}, {0, height}};

    layout.ensureDefaultLevel();
    Level second;
    second.id = 2;
    second.name = "Level 2";
    second.height = kLevelHeight[1];
    second.useTrackColor = true;
    second.trackColor = Color{200, 160, 120, 255};
    second.outline = {{0, 0}, {width / 2, 0}, {width / 2, height / 2}, {0, height / 2}};
    Level third;
    third.id = 3;
    third.name = "Upper deck";
    third.height = kLevelHeight[2];
    layout.levels.push_back(second);
    layout.levels.push_back(third);
    layout.restoreGradeState();
    return layout;
}

} // namespace plandor
