#pragma once
// The open layout document: placed pieces with their joints, scenery, labels,
// measurements, polygons, tunnels, helices, levels, baseboard and grade runs.
// Records refer to each other only by ids from the layout's one counter.

#include "core/base/Color.h"
#include "core/base/Geometry.h"
#include "core/base/Units.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace plandor {

// Connection state of one connector: the joined piece and its connector, or -1/-1 when free.
struct Joint {
    int32_t target = -1;
    int32_t targetConn = -1;
    bool isFree() const { return target == -1; }

    // Every field, so whole records compare; a new field belongs here too.
    template <typename R> static auto fieldsOf(R& r) { return std::tie(r.target, r.targetConn); }
    bool operator==(const Joint& o) const { return fieldsOf(*this) == fieldsOf(o); }
};

struct PlacedPiece {
    int32_t id = -1;
    std::string part;
    double x = 0;
    double y = 0;
    double heading = 0;
    bool selected = false;
    double z = 0;
    double grade = 0;
    bool reversed = false;
    bool hasColor = false;
    Color color{0, 0, 0, 255}; // used when hasColor
    int32_t level = 1;
    int32_t helix = -1;
    std::vector<Joint> joints; // indexed by connector number

    // Joint of connector c; connectors beyond the list are free.
    Joint jointAt(int c) const;
    // Sets connector c's joint, growing the list when c lies beyond it.
    void setJoint(int c, Joint j);

    // Every field, so whole records compare; a new field belongs here too.
    template <typename R> static auto fieldsOf(R& r) {
        return std::tie(r.id, r.part, r.x, r.y, r.heading, r.selected, r.z, r.grade, r.reversed,
                        r.hasColor, r.color, r.level, r.helix, r.joints);
    }
    bool operator==(const PlacedPiece& o) const { return fieldsOf(*this) == fieldsOf(o); }
};

// A new piece of the given part with one free joint per catalogue connector
// (no joints when the part is unknown).
PlacedPiece makePlacedPiece(const std::string& part);

struct Level {
    int32_t id = 1;
    std::string name = "Level 1";
    bool visible = true;
    double height = 0;
    bool useTrackColor = false;
    Color trackColor{180, 200, 220, 255};
    std::vector<Point> outline;

    // Every field, so whole records compare; a new field belongs here too.
    template <typename R> static auto fieldsOf(R& r) {
        return std::tie(r.id, r.name, r.visible, r.height, r.useTrackColor, r.trackColor,
                        r.outline);
    }
    bool operator==(const Level& o) const { return fieldsOf(*this) == fieldsOf(o); }
};

struct SceneryItem {
    int32_t id = -1;
    std::string item;
    double x = 0;
    double y = 0;
    double heading = 0;
    bool selected = false;
    double scaleX = 1.0;
    double scaleY = 1.0;
    int32_t level = 1;

    // Every field, so whole records compare; a new field belongs here too.
    template <typename R> static auto fieldsOf(R& r) {
        return std::tie(r.id, r.item, r.x, r.y, r.heading, r.selected, r.scaleX, r.scaleY, r.level);
    }
    bool operator==(const SceneryItem& o) const { return fieldsOf(*this) == fieldsOf(o); }
};

struct LayoutLabel {
    int32_t id = -1;
    std::string text;
    double x = 0;
    double y = 0;
    bool selected = false;

    // Every field, so whole records compare; a new field belongs here too.
    template <typename R> static auto fieldsOf(R& r) {
        return std::tie(r.id, r.text, r.x, r.y, r.selected);
    }
    bool operator==(const LayoutLabel& o) const { return fieldsOf(*this) == fieldsOf(o); }
};

struct Measurement {
    int32_t id = -1;
    double x1 = 0, y1 = 0;
    double x2 = 0, y2 = 0;
    double dx = 0, dy = 0; // label offset from the segment's mid-point
    bool selected = false;

    // Every field, so whole records compare; a new field belongs here too.
    template <typename R> static auto fieldsOf(R& r) {
        return std::tie(r.id, r.x1, r.y1, r.x2, r.y2, r.dx, r.dy, r.selected);
    }
    bool operator==(const Measurement& o) const { return fieldsOf(*this) == fieldsOf(o); }
};

struct PolygonShape {
    int32_t id = -1;
    std::vector<Point> vertices;
    Color fill{120, 170, 110, 140};
    bool outline = true;
    int32_t level = 1;
    double height = 0;
    std::string label;
    bool selected = false;

    // Every field, so whole records compare; a new field belongs here too.
    template <typename R> static auto fieldsOf(R& r) {
        return std::tie(r.id, r.vertices, r.fill, r.outline, r.level, r.height, r.label,
                        r.selected);
    }
    bool operator==(const PolygonShape& o) const { return fieldsOf(*this) == fieldsOf(o); }
};

struct Tunnel {
    int32_t id = -1;
    int32_t portalA = -1;
    int32_t portalB = -1;
    int32_t anchorA = -1;
    int32_t anchorB = -1;
    std::vector<int32_t> covers;

    // Every field, so whole records compare; a new field belongs here too.
    template <typename R> static auto fieldsOf(R& r) {
        return std::tie(r.id, r.portalA, r.portalB, r.anchorA, r.anchorB, r.covers);
    }
    bool operator==(const Tunnel& o) const { return fieldsOf(*this) == fieldsOf(o); }
};

struct Helix {
    int32_t id = -1;
    double cx = 0;
    double cy = 0;
    double heading = 0;
    std::string variant;
    int32_t bottomR1 = -1;
    int32_t bottomR2 = -1;
    int32_t topR1 = -1;
    int32_t topR2 = -1;

    // Every field, so whole records compare; a new field belongs here too.
    template <typename R> static auto fieldsOf(R& r) {
        return std::tie(r.id, r.cx, r.cy, r.heading, r.variant, r.bottomR1, r.bottomR2, r.topR1,
                        r.topR2);
    }
    bool operator==(const Helix& o) const { return fieldsOf(*this) == fieldsOf(o); }
};

struct GradeRun {
    double deg = 0;
    int32_t anchor = -1;
    int32_t conn = 0;

    // Every field, so whole records compare; a new field belongs here too.
    template <typename R> static auto fieldsOf(R& r) { return std::tie(r.deg, r.anchor, r.conn); }
    bool operator==(const GradeRun& o) const { return fieldsOf(*this) == fieldsOf(o); }
};

// The level list and the active level. An undo step that changed what lies on the levels, or
// a deck outline, carries them, so what comes back finds its level again.
struct LevelState {
    std::vector<Level> levels;
    int32_t activeLevel = 1;
};

// The baseboard outline and the last shape the layout shape dialog made (its dimensions in
// mm). An undo step that changed the baseboard carries them.
struct BaseboardState {
    std::vector<Point> outline;
    int32_t lastShapeType = 0;
    double lastShapeW = 2400;
    double lastShapeH = 1200;
    double lastShapeW2 = 1200;
    double lastShapeH2 = 1200;

    template <typename R> static auto fieldsOf(R& r) {
        return std::tie(r.outline, r.lastShapeType, r.lastShapeW, r.lastShapeH, r.lastShapeW2,
                        r.lastShapeH2);
    }
    bool operator==(const BaseboardState& o) const { return fieldsOf(*this) == fieldsOf(o); }
    bool operator!=(const BaseboardState& o) const { return !(*this == o); }
};

// The undoable content of a layout: one undo snapshot is one copy of this. Saved in the file
// and restored by Undo and Redo.
struct LayoutContent {
    std::vector<PlacedPiece> pieces;
    std::vector<SceneryItem> scenery;
    std::vector<LayoutLabel> labels;
    std::vector<Measurement> measurements;
    std::vector<PolygonShape> shapes;
    std::vector<Tunnel> tunnels;
    std::vector<Helix> helices;
    std::vector<GradeRun> gradeRuns;
    // The grade tool's state follows the runs it was derived from.
    bool gradeActive = false;
    double gradeDeg = 0;
    int32_t gradeAnchor = -1;
    int32_t gradeConn = 1;
};

// Least rail-top height difference where tracks cross, by scale: H0 systems and Z-Track.
constexpr double kDefaultClearanceH0 = 80.0;
constexpr double kDefaultClearanceZ = 35.0;

// Where each piece id sits in a piece list, for lookups by id in O(1). The list is changed
// freely by its owners, so every answer is checked against the list before it is used: a
// stale or missing entry falls back to a scan (what a lookup cost without the map) and
// repairs that entry, and a map found stale too often is rebuilt whole. A copy starts empty,
// since it would describe the other list. Not for use from two threads at once.
class PiecePositions {
  public:
    PiecePositions() = default;
    PiecePositions(const PiecePositions&) {}
    PiecePositions(PiecePositions&&) noexcept = default;
    PiecePositions& operator=(const PiecePositions&) {
        clear();
        return *this;
    }
    PiecePositions& operator=(PiecePositions&&) noexcept = default;

    // Position of the piece with this id in `pieces`, or -1 (ids are unique in a sound
    // layout; of repeated ids in a damaged one, the first is found).
    int find(const std::vector<PlacedPiece>& pieces, int32_t id);
    void clear();

  private:
    void rebuild(const std::vector<PlacedPiece>& pieces);
    void remember(int32_t id, int at);
    int known(int32_t id) const;

    // Ids are handed out one after another, so most sit in a plain table indexed by id;
    // the few far outside it (from damaged or hand-edited files) are kept apart.
    std::vector<int> byId_;
    std::unordered_map<int32_t, int> others_;
    bool built_ = false;
    int scansSinceRebuild_ = 0;
};

class Layout : public LayoutContent {
  public:
    // Saved but kept out of most undo steps: the id counter (ids are never reused, never
    // undone), the levels (carried by steps that change what lies on them) and the baseboard
    // with the last shape the layout shape dialog made (carried by steps that change them).
    uint32_t nextId = 1;
    std::vector<Level> levels;
    int32_t activeLevel = 1;
    std::vector<Point> baseboard;
    bool showBaseboard = true;
    // Ids that takeId passes over, ascending (see reserveNamedIds); not saved.
    std::vector<int32_t> reservedIds;
    int32_t lastShapeType = 0;
    double lastShapeW = 2400;
    double lastShapeH = 1200;
    double lastShapeW2 = 1200;
    double lastShapeH2 = 1200;

    // View switches: saved, never undone.
    bool snapOn = true;
    bool showGrid = true;
    bool showLabels = true;
    Units units = Units::Millimetres;
    double gridSpacing = 32.0;

    // The layout check's settings: saved, never undone.
    double minClearanceH0 = kDefaultClearanceH0;
    double minClearanceZ = kDefaultClearanceZ;

    // Adds "Level 1" when there are no levels.
    void ensureDefaultLevel();
    // Grade state from the last run, or the idle state when there is none.
    void restoreGradeState();
    // The next id, passing over the reserved ones.
    int32_t takeId() {
        while (std::binary_search(reservedIds.begin(), reservedIds.end(),
                                  static_cast<int32_t>(nextId)))
            ++nextId;
        return static_cast<int32_t>(nextId++);
    }
    // Reserves every id from nextId on that a record names (a joint, a tunnel's cover, a
    // helix's stub, ...) though no object carries it: a file may hold such a reference, and
    // the object created next must not inherit it. Called after loading.
    void reserveNamedIds();

    LayoutContent& content() { return *this; }
    const LayoutContent& content() const { return *this; }

    PlacedPiece* findPiece(int32_t id);
    const PlacedPiece* findPiece(int32_t id) const;
    SceneryItem* findScenery(int32_t id);
    const SceneryItem* findScenery(int32_t id) const;
    LayoutLabel* findLabel(int32_t id);
    PolygonShape* findShape(int32_t id);
    Tunnel* findTunnel(int32_t id);
    Helix* findHelix(int32_t id);
    const Helix* findHelix(int32_t id) const;
    Level* findLevel(int32_t id);
    const Level* findLevel(int32_t id) const;

    // Joins connector ca of piece a with connector cb of piece b, on both sides
    // (joint lists grow as needed). False when either piece is missing.
    bool join(int32_t a, int ca, int32_t b, int cb);
    // Frees connector c of piece a and the connector it was joined to.
    void freeConnector(int32_t a, int c);

    BaseboardState baseboardState() const {
        return BaseboardState{baseboard,  lastShapeType, lastShapeW,
                              lastShapeH, lastShapeW2,   lastShapeH2};
    }
    void restoreBaseboard(BaseboardState&& state) {
        baseboard = std::move(state.outline);
        lastShapeType = state.lastShapeType;
        lastShapeW = state.lastShapeW;
        lastShapeH = state.lastShapeH;
        lastShapeW2 = state.lastShapeW2;
        lastShapeH2 = state.lastShapeH2;
    }

    LevelState levelState() const { return LevelState{levels, activeLevel}; }
    void restoreLevels(LevelState&& state) {
        levels = std::move(state.levels);
        activeLevel = state.activeLevel;
    }

  private:
    // A cache behind the const lookups; it never changes what a lookup answers.
    mutable PiecePositions piecePositions_;
};

} // namespace plandor
