#pragma once
// Placing a library block dragged from the palette: a ghost of the whole block follows the
// cursor (its minimum corner on the cursor, as a double-click puts it on the origin), its
// first free connector snapping as a piece's does, and the drop inserts the block there.

#include "core/base/Prompter.h"
#include "core/document/Document.h"
#include "core/editing/Snap.h"
#include "core/model/Layout.h"

#include <string>
#include <vector>

namespace plandor {

struct BlockPlacing {
    bool active = false;
    // What the file holds, handed to the block insertion on the drop.
    std::vector<PlacedPiece> filePieces;
    std::vector<SceneryItem> fileScenery;
    // The block as insertion lays it out at the origin: what the ghost shows, turned and moved.
    Layout shape;
    Point cursor;
    double turn = 0; // degrees, clockwise on screen like headings
    // The first free connector of the block (index into shape.pieces); -1 when none.
    int anchorPiece = -1;
    int anchorConn = -1;
    SnapResult snap; // the anchor connector's snap, in the anchor piece's terms
};

// Reads the block at `path` and starts its ghost at `world`. A file that cannot be read is
// reported as "Load Block Failed"; false (nothing started) then or when the block is empty.
bool beginBlockPlacing(BlockPlacing& placing, const std::string& path, Point world,
                       const Layout& layout, Prompter& prompter);
// Moves the ghost to the cursor and runs the snap search again.
void moveBlockGhost(BlockPlacing& placing, const Layout& layout, Point world);
// Turns the ghost about the cursor and runs the snap search again.
void turnBlockGhost(BlockPlacing& placing, const Layout& layout, double degrees);

// The block's pieces and scenery where the ghost stands (snapped when the snap found a target).
struct BlockGhost {
    std::vector<PlacedPiece> pieces;
    std::vector<SceneryItem> scenery;
};
BlockGhost blockGhost(const BlockPlacing& placing);

// Inserts the block where its ghost stands, the anchor joined to the snap target, as one edit.
// Placing ends in every case.
Change dropBlock(Document& doc, BlockPlacing& placing);

} // namespace plandor
