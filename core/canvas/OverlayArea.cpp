#include "core/canvas/OverlayArea.h"

#include "core/canvas/CanvasOverlayDrawing.h"

#include <algorithm>
#include <cmath>

namespace plandor {

void ExtentPainter::include(double ax, double ay, double bx, double by, double reach) {
    const double x0 = std::min(ax, bx) - reach, x1 = std::max(ax, bx) + reach;
    const double y0 = std::min(ay, by) - reach, y1 = std::max(ay, by) + reach;
    if (!any_) {
        x0_ = x0, y0_ = y0, x1_ = x1, y1_ = y1;
        any_ = true;
        return;
    }
    x0_ = std::min(x0_, x0);
    y0_ = std::min(y0_, y0);
    x1_ = std::max(x1_, x1);
    y1_ = std::max(y1_, y1);
}

void ExtentPainter::drawPolygon(const std::vector<ScreenPoint>& points) {
    drawPolyline(points);
}

void ExtentPainter::drawPolyline(const std::vector<ScreenPoint>& points) {
    for (const ScreenPoint& p : points)
        include(p.x, p.y, p.x, p.y, penReach_);
}

void ExtentPainter::drawLine(ScreenPoint a, ScreenPoint b) {
    include(a.x, a.y, b.x, b.y, penReach_);
}

void ExtentPainter::drawRectangle(int x, int y, int w, int h) {
    include(x, y, double(x) + w, double(y) + h, penReach_);
}

void ExtentPainter::drawRoundedRectangle(int x, int y, int w, int h, double) {
    drawRectangle(x, y, w, h);
}

void ExtentPainter::drawCircle(ScreenPoint c, int radius) {
    include(double(c.x) - radius, double(c.y) - radius, double(c.x) + radius, double(c.y) + radius,
            penReach_);
}

void ExtentPainter::drawEllipticArc(int x, int y, int w, int h, double, double) {
    drawRectangle(x, y, w, h);
}

void ExtentPainter::drawText(const std::string& text, int x, int y) {
    const TextExtent e = textExtent(text);
    include(x, y, double(x) + e.width, double(y) + e.height, 2);
}

TextExtent ExtentPainter::textExtent(const std::string& text) {
    // A bold glyph is well under a point size wide; points are 4/3 pixels at 96 dpi.
    const double px = std::max(1, fontSize_) * 4.0 / 3.0;
    return TextExtent{static_cast<int>(std::ceil(double(text.size()) * px)) + 4,
                      static_cast<int>(std::ceil(px * 1.6)) + 2};
}

PixelRect ExtentPainter::area(int width, int height) const {
    if (!any_)
        return PixelRect{};
    const double x0 = std::max(0.0, std::floor(x0_)), y0 = std::max(0.0, std::floor(y0_));
    const double x1 = std::min(double(width), std::ceil(x1_));
    const double y1 = std::min(double(height), std::ceil(y1_));
    if (x1 <= x0 || y1 <= y0)
        return PixelRect{};
    return PixelRect{int(x0), int(y0), int(x1 - x0), int(y1 - y0)};
}

RedrawRegion overlayArea(LayoutRenderer& renderer, const CanvasOverlays& overlays,
                         const ViewTransform& view, int width, int height) {
    ExtentPainter extent;
    drawCanvasOverlays(extent, renderer, overlays, view);
    RedrawRegion region;
    region.whole = extent.everything();
    region.rect = extent.area(width, height);
    return region;
}

PixelRect unite(const PixelRect& a, const PixelRect& b) {
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return PixelRect{x0, y0, x1 - x0, y1 - y0};
}

} // namespace plandor
