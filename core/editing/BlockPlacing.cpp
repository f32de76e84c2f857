#include "core/editing/BlockPlacing.h"

#include "core/catalog/TrackCatalog.h"
#include "core/editing/InsertBlock.h"
#include "core/editing/Rigid.h"
#include "core/model/BlockFile.h"

namespace plandor {

namespace {

// Where the block goes: turned by `turn` about its origin corner, then moved by `shift`.
struct BlockPlacement {
    double turn = 0;
    Point shift;
};

void place(PlacedPiece& p, const BlockPlacement& where) {
    const Point q = rotateAbout(Point{p.x, p.y}, Point{}, where.turn);
    p.x = q.x + where.shift.x;
    p.y = q.y + where.shift.y;
    p.heading = normalizeHeading(p.heading + where.turn);
}

void place(SceneryItem& s, const BlockPlacement& where) {
    const Point q = rotateAbout(Point{s.x, s.y}, Point{}, where.turn);
    s.x = q.x + where.shift.x;
    s.y = q.y + where.shift.y;
    s.heading = normalizeHeading(s.heading + where.turn);
}

// Unsnapped the corner follows the cursor; snapped the block turns and moves so that its
// anchor piece stands at the pose the snap found for it.
BlockPlacement placementOf(const BlockPlacing& placing) {
    if (!placing.snap.found)
        return BlockPlacement{placing.turn, placing.cursor};
    const PlacedPiece& anchor = placing.shape.pieces[placing.anchorPiece];
    const double turn = placing.snap.pose.heading - anchor.heading;
    const Point turned = rotateAbout(Point{anchor.x, anchor.y}, Point{}, turn);
    return BlockPlacement{turn,
                          Point{placing.snap.pose.x - turned.x, placing.snap.pose.y - turned.y}};
}

void findAnchor(BlockPlacing& placing) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    for (std::size_t i = 0; i < placing.shape.pieces.size(); ++i) {
        const PlacedPiece& p = placing.shape.pieces[i];
        const PieceDef* def = catalog.find(p.part);
        if (!def)
            continue;
        for (std::size_t c = 0; c < def->connectors.size(); ++c)
            if (def->connectors[c].joinable && p.jointAt(static_cast<int>(c)).isFree()) {
                placing.anchorPiece = static_cast<int>(i);
                placing.anchorConn = static_cast<int>(c);
                return;
            }
    }
}

void runSnap(BlockPlacing& placing, const Layout& layout) {
    placing.snap = SnapResult{};
    if (!layout.snapOn || placing.anchorPiece < 0)
        return;
    PlacedPiece anchor = placing.shape.pieces[placing.anchorPiece];
    place(anchor, BlockPlacement{placing.turn, placing.cursor});
    const PieceDef* def = TrackCatalog::instance().find(anchor.part);
    // Only the anchor connector may snap: the subject's other connectors count as joined.
    std::vector<Joint> joints(def->connectors.size(), Joint{anchor.id, 0});
    joints[placing.anchorConn] = Joint{};
    placing.snap =
        findSnap(layout, SnapSubject{def, Pose{anchor.x, anchor.y, anchor.heading}, &joints});
}

} // namespace

bool beginBlockPlacing(BlockPlacing& placing, const std::string& path, Point world,
                       const Layout& layout, Prompter& prompter) {
    BlockPlacing fresh;
    std::string name;
    const std::string error = loadBlock(path, name, fresh.filePieces, fresh.fileScenery);
    if (!error.empty()) {
        prompter.message("Load Block Failed", error, PromptIcon::Error);
        return false;
    }
    // The ghost is the block as insertion would add it, so the drop lands exactly on it.
    if (!addBlockContent(fresh.shape, fresh.filePieces, fresh.fileScenery))
        return false;
    fresh.active = true;
    findAnchor(fresh);
    placing = std::move(fresh);
    moveBlockGhost(placing, layout, world);
    return true;
}

void moveBlockGhost(BlockPlacing& placing, const Layout& layout, Point world) {
    placing.cursor = world;
    runSnap(placing, layout);
}

void turnBlockGhost(BlockPlacing& placing, const Layout& layout, double degrees) {
    placing.turn = normalizeHeading(placing.turn + degrees);
    runSnap(placing, layout);
}

BlockGhost blockGhost(const BlockPlacing& placing) {
    BlockGhost ghost{placing.shape.pieces, placing.shape.scenery};
    const BlockPlacement where = placementOf(placing);
    for (PlacedPiece& p : ghost.pieces)
        place(p, where);
    for (SceneryItem& s : ghost.scenery)
        place(s, where);
    return ghost;
}

Change dropBlock(Document& doc, BlockPlacing& placing) {
    BlockPlacing state = std::move(placing);
    placing = BlockPlacing{};
    if (!state.active)
        return Change{};
    return doc.apply([&] {
        Layout& layout = doc.layout;
        const std::size_t firstPiece = layout.pieces.size();
        const std::size_t firstItem = layout.scenery.size();
        if (!addBlockContent(layout, std::move(state.filePieces), std::move(state.fileScenery)))
            return Change{};
        const BlockPlacement where = placementOf(state);
        for (std::size_t i = firstPiece; i < layout.pieces.size(); ++i)
            place(layout.pieces[i], where);
        for (std::size_t i = firstItem; i < layout.scenery.size(); ++i)
            place(layout.scenery[i], where);
        if (state.snap.found && state.anchorPiece >= 0) {
            const std::size_t anchor = firstPiece + static_cast<std::size_t>(state.anchorPiece);
            if (anchor < layout.pieces.size())
                layout.join(state.snap.targetPiece, state.snap.targetConn, layout.pieces[anchor].id,
                            state.anchorConn);
        }
        return Change(Change::kPiecesEdited);
    });
}

} // namespace plandor
