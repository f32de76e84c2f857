#include "core/editing/Placing.h"

#include "core/editing/Selection.h"
#include "core/elevation/GradeRuns.h"

namespace plandor {

bool beginPlacing(PlacingState& placing, const std::string& part, Point world) {
    if (part.empty() || !TrackCatalog::instance().find(part))
        return false;
    placing = PlacingState{};
    placing.active = true;
    placing.part = part;
    placing.ghost = Pose{world.x, world.y, 0};
    return true;
}

void cancelPlacing(PlacingState& placing) {
    placing = PlacingState{};
}

void updateGhost(PlacingState& placing, const Layout& layout, Point world) {
    placing.ghost.x = world.x;
    placing.ghost.y = world.y;
    placing.snap = snapGhost(layout, placing.part, placing.ghost);
}

double ghostWheelStep(int wheelRotation, bool shift) {
    const double step = shift ? 15.0 : 30.0;
    return wheelRotation < 0 ? -step : step;
}

void rotateGhost(PlacingState& placing, const Layout& layout, double degrees) {
    placing.ghost.heading = normalizeHeading(placing.ghost.heading + degrees);
    placing.snap = snapGhost(layout, placing.part, placing.ghost);
}

int32_t addPiece(Layout& layout, PlacedPiece piece) {
    piece.id = layout.takeId();
    layout.pieces.push_back(std::move(piece));
    return layout.pieces.back().id;
}

int32_t dropLevel(const Layout& layout) {
    const Level* best = nullptr;
    for (const Level& level : layout.levels)
        if (level.visible && (!best || level.height > best->height))
            best = &level;
    return best ? best->id : layout.activeLevel;
}

std::string piecesStatusText(const Layout& layout) {
    return "Pieces: " + std::to_string(layout.pieces.size());
}

namespace {

// A new piece of `part` posed so that its connector `newConn` meets connector `conn` of the
// existing piece head-on.
PlacedPiece pieceMatedTo(const PlacedPiece& existing, const PieceDef& existingDef, int conn,
                         const PieceDef& def, int newConn) {
    const Pose at =
        worldConnector(Pose{existing.x, existing.y, existing.heading}, existingDef, conn);
    const Pose pose = poseForMate(def, newConn, at.x, at.y, at.heading);
    PlacedPiece piece = makePlacedPiece(def.partNumber);
    piece.x = pose.x;
    piece.y = pose.y;
    piece.heading = pose.heading;
    piece.level = existing.level;
    return piece;
}

void joinAndContinue(Layout& layout, int32_t existingId, int existingConn, int32_t newId,
                     int newConn) {
    if (layout.join(existingId, existingConn, newId, newConn))
        continueElevation(layout, existingId, existingConn, newId, newConn);
}

// A paired piece brings its second half, joined at its connector 1, in the same edit.
int32_t placePairedTwin(Layout& layout, int32_t firstId) {
    const PlacedPiece* first = layout.findPiece(firstId);
    if (!first)
        return -1;
    const PieceDef* def = TrackCatalog::instance().find(first->part);
    if (!def || !def->isPaired || def->connectors.size() < 2 || !first->jointAt(1).isFree())
        return -1;
    PlacedPiece twin = pieceMatedTo(*first, *def, 1, *def, 0);
    twin.id = layout.takeId();
    const int32_t twinId = twin.id;
    layout.pieces.push_back(std::move(twin));
    joinAndContinue(layout, firstId, 1, twinId, 0);
    return twinId;
}

PlaceOutcome finishPlacing(Layout& layout, int32_t pieceId) {
    PlaceOutcome out;
    out.placed = true;
    out.pieceId = pieceId;
    out.twinId = placePairedTwin(layout, pieceId);
    clearSelection(layout);
    if (PlacedPiece* piece = layout.findPiece(pieceId))
        piece->selected = true;
    out.status = piecesStatusText(layout);
    return out;
}

// Joins a new piece of `def` to connector `conn` of the existing piece, the new piece using its
// connector 1 when the existing end is connector 0 and it has two ends, else its connector 0.
PlaceOutcome extendFrom(Layout& layout, int32_t existingId, int conn, const PieceDef& def) {
    const PlacedPiece* existing = layout.findPiece(existingId);
    const PieceDef* existingDef = TrackCatalog::instance().find(existing->part);
    const int newConn = conn == 0 && def.connectors.size() >= 2 ? 1 : 0;
    const int32_t id = addPiece(layout, pieceMatedTo(*existing, *existingDef, conn, def, newConn));
    joinAndContinue(layout, existingId, conn, id, newConn);
    return finishPlacing(layout, id);
}

bool someoneJoinedTo(const Layout& layout, int32_t pieceId, int conn) {
    for (const PlacedPiece& p : layout.pieces)
        for (const Joint& j : p.joints)
            if (j.target == pieceId && j.targetConn == conn)
                return true;
    return false;
}

} // namespace

PlaceOutcome dropPiece(Layout& layout, PlacingState& placing, Prompter& prompter) {
    const PlacingState state = placing;
    cancelPlacing(placing);
    const PieceDef* def = TrackCatalog::instance().find(state.part);
    if (!def)
        return PlaceOutcome{};

    if (!state.snap.found && layout.snapOn) {
        const IncompatiblePair clash =
            findIncompatiblePair(layout, SnapSubject{def, state.ghost, nullptr});
        if (clash.found) {
            prompter.message(kIncompatibleTitle,
                             incompatibleSystemsText(clash.ghostSystem, clash.placedSystem),
                             PromptIcon::Exclamation);
            return PlaceOutcome{};
        }
    }

    PlacedPiece piece = makePlacedPiece(state.part);
    const Pose pose = state.snap.found ? state.snap.pose : state.ghost;
    piece.x = pose.x;
    piece.y = pose.y;
    piece.heading = pose.heading;
    layout.ensureDefaultLevel();
    if (state.snap.found) {
        const PlacedPiece* target = layout.findPiece(state.snap.targetPiece);
        piece.level = target ? target->level : layout.activeLevel;
    } else {
        piece.level = dropLevel(layout);
    }
    const int32_t id = addPiece(layout, std::move(piece));

    const bool firstZTrack = def->system == ZTrack && layout.pieces.size() == 1;
    if (state.snap.found)
        joinAndContinue(layout, state.snap.targetPiece, state.snap.targetConn, id,
                        state.snap.newConn);
    PlaceOutcome out = finishPlacing(layout, id);
    out.resetViewLarge = firstZTrack;
    return out;
}

PlaceOutcome autoConnect(Layout& layout, const std::string& part) {
    const PlacedPiece* selected = nullptr;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected && (!selected || p.id > selected->id))
            selected = &p;
    const TrackCatalog& catalog = TrackCatalog::instance();
    const PieceDef* def = catalog.find(part);
    const PieceDef* selectedDef = selected ? catalog.find(selected->part) : nullptr;
    if (!def || !selectedDef)
        return PlaceOutcome{};
    const int count = static_cast<int>(selectedDef->connectors.size());
    int conn = -1;
    if (count >= 2 && selected->jointAt(1).isFree())
        conn = 1;
    else if (count >= 1 && selected->jointAt(0).isFree())
        conn = 0;
    else
        for (int c = 2; c < count && conn < 0; ++c)
            if (selected->jointAt(c).isFree())
                conn = c;
    if (conn < 0)
        return PlaceOutcome{};
    return extendFrom(layout, selected->id, conn, *def);
}

PlaceOutcome cloneAndExtend(Layout& layout, int32_t pieceId) {
    const PlacedPiece* piece = layout.findPiece(pieceId);
    if (!piece || piece->helix != -1)
        return PlaceOutcome{};
    const PieceDef* def = TrackCatalog::instance().find(piece->part);
    if (!def || def->connectors.empty())
        return PlaceOutcome{};
    int conn = -1;
    if (def->connectors.size() >= 2 && piece->jointAt(1).isFree() &&
        !someoneJoinedTo(layout, pieceId, 1))
        conn = 1;
    else if (piece->jointAt(0).isFree() && !someoneJoinedTo(layout, pieceId, 0))
        conn = 0;
    if (conn < 0)
        return PlaceOutcome{};
    return extendFrom(layout, pieceId, conn, *def);
}

} // namespace plandor
