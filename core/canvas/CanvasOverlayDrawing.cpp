#include "core/canvas/CanvasOverlayDrawing.h"

#include "core/catalog/HelixVariants.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace plandor {

namespace {

void drawHelixGhost(Painter& painter, const CanvasOverlays& o, const ViewTransform& view) {
    const HelixVariant* variant = findHelixVariant(o.helixVariant);
    if (!variant)
        variant = findHelixVariant(defaultHelixVariantId());
    if (!variant)
        return;
    painter.setPen(Pen{Color{0, 160, 60}, 1, PenStyle::Dot});
    painter.setBrush(Brush::none());
    const ScreenPoint centre = view.toScreen(o.ghostPose.x, o.ghostPose.y);
    for (double r : {variant->r1, variant->r2})
        painter.drawCircle(centre, std::max(1, static_cast<int>(r * view.scale)));
}

void drawSnapMarker(Painter& painter, Point target, const ViewTransform& view) {
    painter.setPen(Pen{Color{180, 120, 0}, 2});
    painter.setBrush(Brush{Color{255, 220, 0}});
    painter.drawCircle(view.toScreen(target.x, target.y), kSnapMarkerRadius);
}

void drawRubberBand(Painter& painter, ScreenPoint a, ScreenPoint b) {
    painter.setPen(Pen{Color{0, 120, 215}, 1, PenStyle::Dot});
    painter.setBrush(Brush::none());
    painter.drawRectangle(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x),
                          std::abs(b.y - a.y));
}

void drawPivot(Painter& painter, const CanvasOverlays& o, const ViewTransform& view) {
    if (o.flash) {
        painter.setPen(Pen{Color{0, 160, 60}, 2});
        painter.setBrush(Brush{Color{0, 220, 80, 180}});
    } else {
        painter.setPen(Pen{Color{180, 120, 0}, 2});
        painter.setBrush(Brush{Color{255, 180, 0, 160}});
    }
    const ScreenPoint centre = view.toScreen(o.pivot.x, o.pivot.y);
    painter.drawCircle(centre, kPivotMarkerRadius);

    char text[32];
    std::snprintf(text, sizeof text, "%.1f deg", o.referenceHeading);
    painter.setFont(Font{11, true});
    const TextExtent extent = painter.textExtent(text);
    const int x = centre.x + kPivotMarkerRadius + 6;
    const int y = centre.y - extent.height / 2;
    painter.setPen(Pen::none());
    painter.setBrush(Brush{Color{30, 30, 30, 200}});
    painter.drawRectangle(x - 4, y - 2, extent.width + 8, extent.height + 4);
    painter.setTextColor(Color{255, 255, 255});
    painter.setTextBackground(Color{}, false);
    painter.drawText(text, x, y);
}

} // namespace

void drawCanvasOverlays(Painter& painter, LayoutRenderer& renderer, const CanvasOverlays& o,
                        const ViewTransform& view) {
    if (o.ghostPiece) {
        if (const PieceDef* def = TrackCatalog::instance().find(o.ghostPart))
            renderer.drawGhostPiece(painter, *def, o.ghostPose.x, o.ghostPose.y,
                                    o.ghostPose.heading, view);
    }
    for (const PlacedPiece& p : o.ghostBlock.pieces)
        if (const PieceDef* def = TrackCatalog::instance().find(p.part))
            renderer.drawGhostPiece(painter, *def, p.x, p.y, p.heading, view);
    for (const SceneryItem& s : o.ghostBlock.scenery)
        if (const SceneryDef* def = SceneryCatalog::instance().find(s.item))
            renderer.drawGhostScenery(painter, *def, s.x, s.y, s.heading, view);
    if (o.ghostHelix)
        drawHelixGhost(painter, o, view);
    if (o.ghostScenery) {
        if (const SceneryDef* def = SceneryCatalog::instance().find(o.ghostSceneryKey))
            renderer.drawGhostScenery(painter, *def, o.ghostSceneryPose.x, o.ghostSceneryPose.y,
                                      o.ghostSceneryPose.heading, view);
    }
    if (o.sceneryHandles)
        drawSceneryHandles(painter, o.handles);
    if (o.snapMarker)
        drawSnapMarker(painter, o.snapTarget, view);
    if (o.rubberBand)
        drawRubberBand(painter, o.bandStart, o.bandEnd);
    if (o.freeRotation)
        drawPivot(painter, o, view);
    drawToolOverlay(painter, o.tool, view);
}

} // namespace plandor
