#pragma once
// Draws a whole layout, or single pieces and scenery items, through a Painter.
// The canvas, the palette preview and the printout share it.

#include "render/Painter.h"
#include "render/ViewTransform.h"

namespace plandor {

class Layout;

class LayoutRenderer {
public:
    // Clears the surface and draws everything in the layout.
    void drawLayout(Painter& painter, const Layout& layout, const ViewTransform& view, int width,
                    int height);
};

} // namespace plandor
