#pragma once
// Draws what the canvas shows over the kept picture of the layout: the ghost being placed,
// the snap target, the rubber band, the free-rotation pivot and the drawing tools.

#include "core/canvas/CanvasController.h"
#include "core/render/LayoutRenderer.h"
#include "core/render/Painter.h"

namespace plandor {

constexpr int kSnapMarkerRadius = 8;
constexpr int kPivotMarkerRadius = 8;

void drawCanvasOverlays(Painter& painter, LayoutRenderer& renderer, const CanvasOverlays& overlays,
                        const ViewTransform& view);
// The measurement or outline being drawn, with the length of the segment at the cursor.
void drawToolOverlay(Painter& painter, const ToolOverlay& overlay, const ViewTransform& view);

} // namespace plandor
