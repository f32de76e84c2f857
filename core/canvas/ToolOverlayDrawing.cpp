// The measurement and outline being drawn, over the kept picture of the layout.
#include "core/canvas/CanvasOverlayDrawing.h"

#include "core/base/Units.h"

#include <cmath>

namespace plandor {

namespace {

const Color kOutlineBlue{40, 80, 200};
const Color kMarkerEdge{20, 20, 20};
const Color kLengthText{20, 20, 60};
const Color kLengthBox{255, 255, 255, 200};
const Color kLengthBoxEdge{200, 200, 200};
const Color kCloseGreen{40, 150, 60};
constexpr int kVertexMarkerRadius = 4;
constexpr int kCloseMarkerRadius = 12;

// The length of the segment being drawn, in a box 10 px right of and 8 px above the cursor;
// below it instead while the "Close" word takes that place.
void drawLengthBox(Painter& painter, double lengthMm, Units units, ScreenPoint cursor,
                   bool below = false) {
    const std::string text = formatDimension(lengthMm, units);
    painter.setFont(Font{10, true});
    const TextExtent e = painter.textExtent(text);
    const int x = cursor.x + 10;
    const int y = below ? cursor.y + 8 : cursor.y - 8 - e.height;
    painter.setPen(Pen{kLengthBoxEdge, 1});
    painter.setBrush(Brush{kLengthBox});
    painter.drawRoundedRectangle(x - 4, y - 2, e.width + 8, e.height + 4, 3);
    painter.setTextColor(kLengthText);
    painter.setTextBackground(Color{}, false);
    painter.drawText(text, x, y);
}

void drawVertexMarker(Painter& painter, ScreenPoint at) {
    painter.setPen(Pen{kMarkerEdge, 1});
    painter.setBrush(Brush{Color{255, 255, 255}});
    painter.drawCircle(at, kVertexMarkerRadius);
}

void drawCloseMarker(Painter& painter, ScreenPoint first) {
    painter.setPen(Pen{kCloseGreen, 3});
    painter.setBrush(Brush::none());
    painter.drawCircle(first, kCloseMarkerRadius);
    painter.setFont(Font{10, true});
    const TextExtent e = painter.textExtent("Close");
    painter.setTextColor(kCloseGreen);
    painter.setTextBackground(Color{}, false);
    painter.drawText("Close", first.x + 16, first.y - 8 - e.height);
}

void drawMeasuring(Painter& painter, const ToolOverlay& o, const ViewTransform& view) {
    const ScreenPoint a = view.toScreen(o.start.x, o.start.y);
    drawVertexMarker(painter, a);
    if (!o.cursorKnown)
        return;
    const ScreenPoint b = view.toScreen(o.cursor.x, o.cursor.y);
    painter.setPen(Pen{kOutlineBlue, 2});
    painter.drawLine(a, b);
    drawLengthBox(painter, std::hypot(o.cursor.x - o.start.x, o.cursor.y - o.start.y), o.units, b);
}

void drawOutline(Painter& painter, const ToolOverlay& o, const ViewTransform& view) {
    std::vector<ScreenPoint> points;
    points.reserve(o.vertices.size() + 1);
    for (const Point& v : o.vertices)
        points.push_back(view.toScreen(v.x, v.y));
    const Point last = o.vertices.back();
    if (o.cursorKnown)
        points.push_back(view.toScreen(o.cursor.x, o.cursor.y));
    painter.setPen(Pen{kOutlineBlue, 2});
    painter.drawPolyline(points);
    for (std::size_t i = 0; i < o.vertices.size(); ++i)
        drawVertexMarker(painter, points[i]);
    if (o.closeMarker)
        drawCloseMarker(painter, points.front());
    if (o.cursorKnown)
        drawLengthBox(painter, std::hypot(o.cursor.x - last.x, o.cursor.y - last.y), o.units,
                      points.back(), o.closeMarker);
}

} // namespace

void drawToolOverlay(Painter& painter, const ToolOverlay& overlay, const ViewTransform& view) {
    if (overlay.measuring)
        drawMeasuring(painter, overlay, view);
    if (overlay.outline && !overlay.vertices.empty())
        drawOutline(painter, overlay, view);
}

} // namespace plandor
