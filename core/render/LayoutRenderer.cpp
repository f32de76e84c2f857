#include "render/LayoutRenderer.h"

#include "model/Layout.h"

namespace plandor {

void LayoutRenderer::drawLayout(Painter& painter, const Layout&, const ViewTransform&, int, int) {
    painter.clear(Color{255, 255, 255, 255});
}

} // namespace plandor
