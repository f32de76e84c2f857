#pragma once
// What is selected: selection flags on pieces, scenery, labels, measurements and shapes, and
// the rules that keep helices whole.

#include "core/editing/Clipboard.h"
#include "core/model/Layout.h"
#include "core/render/ViewTransform.h"

#include <cstdint>
#include <vector>

namespace plandor {

// Clears the selection flag of every kind of object.
void clearSelection(Layout& layout);
// Selects every placed piece and every scenery item.
void selectAll(Layout& layout);
// Something Delete would remove is selected: a piece, scenery item, label, measurement or
// shape. The Delete command and the Delete key both ask this.
bool anythingSelected(const Layout& layout);
// At least one piece or scenery item is selected: what moving and rotating act on.
bool piecesOrScenerySelected(const Layout& layout);
// Positions (in layout.pieces) of the selected pieces, in layout order.
std::vector<std::size_t> selectedPieceIndices(const Layout& layout);

// The helix shared by every selected piece when no scenery item is selected and all selected
// pieces belong to one helix; -1 otherwise.
int32_t selectedHelixId(const Layout& layout);
// The selected pieces are exactly the pieces of one helix.
bool selectionIsOneWholeHelix(const Layout& layout);
// Selects every piece of the piece's helix; false when it belongs to none.
bool selectHelixOf(Layout& layout, int32_t pieceId);
// Any selected piece of a helix selects its whole helix.
void expandToWholeHelices(Layout& layout);
// Adds to the selection every paired piece joined to a selected paired piece, so that both
// halves of a pair go together.
void addPairedHalves(Layout& layout);

// Selects the pieces on the shortest joint path from `fromId` to `toId`; false (and nothing
// changed) when `toId` cannot be reached.
bool selectChain(Layout& layout, int32_t fromId, int32_t toId);

// A left click on a placed piece: plain click selects it (with its helix) unless already
// selected, Ctrl toggles it, Shift selects the chain from the last selected piece.
void clickPiece(Layout& layout, int32_t pieceId, bool ctrl, bool shift);

// A left click on empty canvas: nothing stays selected and the clipboard is emptied.
void clickEmptyCanvas(Layout& layout, Clipboard& clipboard);

// Rubber band released: a band under 5 pixels in both directions selects nothing; otherwise
// every piece and scenery item on a visible level whose origin lies inside it (edges
// included) is selected. The clipboard is emptied either way. False for a too-small band.
bool rubberBandSelect(Layout& layout, Clipboard& clipboard, const ViewTransform& view,
                      ScreenPoint start, ScreenPoint end);

} // namespace plandor
