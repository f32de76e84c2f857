#include "core/render/PiecePreview.h"
#include "core/base/Geometry.h"

#include "core/catalog/TrackCatalog.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {

constexpr Color kPreviewBackground{255, 255, 240};
constexpr Color kPreviewFrame{180, 180, 180};
constexpr Color kPreviewText{60, 60, 60};
constexpr int kPartNumberPoints = 7;
constexpr int kPartNumberTop = 2;

} // namespace

PreviewFit previewFit(const PieceDef& def) {
    const double length = std::max(1.0, def.length);
    double bulge = 1;
    if (def.radius > 0)
        bulge = std::fabs((1 - std::cos(def.angle * kPi / 180)) * def.radius) * 2.5;
    bulge = std::max(bulge, 40.0);
    double scale = def.connectors.size() < 3 ? 33 / bulge : 33 / std::max(60.0, bulge);
    scale = std::min(scale, 68 / length) * 0.8;
    scale = std::clamp(scale, 0.05, 3.0);
    return {scale, 40 - length * scale / 2, 30.5};
}

void drawPiecePreview(Painter& painter, LayoutRenderer& renderer, const PieceDef& def) {
    painter.clear(kPreviewBackground);
    Pen frame;
    frame.color = kPreviewFrame;
    painter.setPen(frame);
    painter.setBrush(Brush::none());
    painter.drawRectangle(0, 0, kPreviewWidth, kPreviewHeight);

    Font font;
    font.pointSize = kPartNumberPoints;
    font.bold = true;
    painter.setFont(font);
    painter.setTextColor(kPreviewText);
    painter.setTextBackground(kPreviewBackground, false);
    const TextExtent extent = painter.textExtent(def.partNumber);
    painter.drawText(def.partNumber, (kPreviewWidth - extent.width) / 2, kPartNumberTop);

    const PreviewFit fit = previewFit(def);
    PlacedPiece piece;
    piece.part = def.partNumber;
    piece.joints.resize(def.connectors.size());
    const ViewTransform view{fit.scale, fit.originX, fit.originY};
    renderer.drawPiece(painter, piece, def, view, false, false, false);
}

} // namespace plandor
