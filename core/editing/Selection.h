#pragma once
// Selection flags across the layout's records.

#include "catalog/SceneryCatalog.h"
#include "catalog/TrackCatalog.h"
#include "editing/CanvasView.h"
#include "model/Layout.h"

namespace plandor {

// True when at least one piece or scenery item is selected.
bool anySelected(const Layout& layout);
// Clears the selection of every kind: pieces, scenery, labels, measurements and shapes.
void clearSelection(Layout& layout);

// World box of the selected pieces and scenery items: each piece's origin, its connectors and,
// for a curved piece, the bulge point of its arc; each item's half extents (axis aligned).
Bounds selectionBounds(const Layout& layout, const TrackCatalog& catalog,
                       const SceneryCatalog& scenery);

} // namespace plandor
