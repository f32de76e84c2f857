#pragma once
// The world box of the selection, used by the wheel to choose between turning the selection
// and zooming, and as the pivot of a wheel turn.

#include "core/canvas/CanvasView.h"
#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"

namespace plandor {

// World box of the selected pieces and scenery items: each piece's origin, its connectors and,
// for a curved piece, the bulge point of its arc; each item's half extents (axis aligned).
Bounds selectionBounds(const Layout& layout, const TrackCatalog& catalog,
                       const SceneryCatalog& scenery);

} // namespace plandor
