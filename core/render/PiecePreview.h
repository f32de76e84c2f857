#pragma once
// The small drawing of a catalogue piece that the palette shows beside the mouse: the scale
// that fits the piece into the popup, and the whole picture drawn through a Painter.

#include "core/render/LayoutRenderer.h"
#include "core/render/Painter.h"

namespace plandor {

struct PieceDef;

constexpr int kPreviewWidth = 80;
constexpr int kPreviewHeight = 55;

// Scale and screen position of the piece origin (the piece lies at heading 0).
struct PreviewFit {
    double scale = 1;
    double originX = 0;
    double originY = 0;
};

// Fits a piece into the popup: long pieces by their length, curves by the bulge of their
// arc; switches and other pieces with three or more ends get extra room.
PreviewFit previewFit(const PieceDef& def);

// Background, frame, the part number at the top and the piece itself.
void drawPiecePreview(Painter& painter, LayoutRenderer& renderer, const PieceDef& def);

} // namespace plandor
