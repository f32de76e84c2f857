#pragma once
// The screen area the canvas's overlays cover, so that a motion repaints only where the ghost,
// the snap marker or the rubber band were and now are, not the whole window.

#include "core/canvas/CanvasController.h"
#include "core/canvas/DropArea.h"
#include "core/render/LayoutRenderer.h"
#include "core/render/Painter.h"

namespace plandor {

// A Painter that draws nothing and keeps the box of everything drawn through it, pens
// included. Texts are measured generously from the font size (no toolkit at hand).
class ExtentPainter : public Painter {
  public:
    void setPen(const Pen& pen) override { penReach_ = pen.transparent ? 1 : pen.width / 2 + 2; }
    void setBrush(const Brush&) override {}
    void setFont(const Font& font) override { fontSize_ = font.pointSize; }
    void setTextColor(const Color&) override {}
    void setTextBackground(const Color&, bool) override {}

    void clear(const Color&) override { everything_ = true; }
    void drawPolygon(const std::vector<ScreenPoint>& points) override;
    void drawPolyline(const std::vector<ScreenPoint>& points) override;
    void drawLine(ScreenPoint a, ScreenPoint b) override;
    void drawRectangle(int x, int y, int w, int h) override;
    void drawRoundedRectangle(int x, int y, int w, int h, double radius) override;
    void drawCircle(ScreenPoint centre, int radius) override;
    void drawEllipticArc(int x, int y, int w, int h, double startDeg, double endDeg) override;
    void drawText(const std::string& text, int x, int y) override;
    TextExtent textExtent(const std::string& text) override;

    // True when something cleared the whole surface.
    bool everything() const { return everything_; }
    // The box of what was drawn, clipped to the surface (empty when nothing was drawn there).
    PixelRect area(int width, int height) const;

  private:
    void include(double ax, double ay, double bx, double by, double reach);

    bool everything_ = false;
    bool any_ = false;
    double x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0;
    int penReach_ = 2;
    int fontSize_ = 10;
};

// What the overlays of `overlays` cover on the width x height surface; `whole` when they cover
// it all.
RedrawRegion overlayArea(LayoutRenderer& renderer, const CanvasOverlays& overlays,
                         const ViewTransform& view, int width, int height);

// The smallest rectangle holding both (an empty one adds nothing).
PixelRect unite(const PixelRect& a, const PixelRect& b);

} // namespace plandor
