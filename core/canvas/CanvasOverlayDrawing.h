#pragma once
// Draws what the canvas shows over the kept picture of the layout: the ghost being placed,
// the snap target, the rubber band and the free-rotation pivot.

#include "canvas/CanvasController.h"
#include "render/LayoutRenderer.h"
#include "render/Painter.h"

namespace plandor {

constexpr int kSnapMarkerRadius = 8;
constexpr int kPivotMarkerRadius = 8;

void drawCanvasOverlays(Painter& painter, LayoutRenderer& renderer, const CanvasOverlays& overlays,
                        const ViewTransform& view);

} // namespace plandor
