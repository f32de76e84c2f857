#pragma once
// Inserting a library block: its pieces and scenery join the layout with new ids, their
// smallest x and y moved to the origin, joints inside the block kept and all others freed.

#include "core/base/Prompter.h"
#include "core/document/Document.h"
#include "core/model/Layout.h"

#include <string>
#include <vector>

namespace plandor {

// Why a block cannot be placed, or empty when it can: moving its smallest x and y to the
// origin must leave everything where a saved layout still reads it back.
std::string blockPlacementProblem(const std::vector<PlacedPiece>& pieces,
                                  const std::vector<SceneryItem>& scenery);

// Adds what a block holds to the layout (no undo step). A joint is kept only when both of
// its pieces came in the block, name each other and are not one piece, so a damaged file
// cannot leave a one-sided joint. False, with nothing added, when the block held nothing or
// cannot be placed.
bool addBlockContent(Layout& layout, std::vector<PlacedPiece> pieces,
                     std::vector<SceneryItem> scenery);

// Reads the block at `path` and adds it as one edit. A file that cannot be read, or a block
// that cannot be placed, is reported as "Load Block Failed" and changes nothing (an empty
// Change).
Change insertBlockAsEdit(Document& doc, const std::string& path, Prompter& prompter);

} // namespace plandor
