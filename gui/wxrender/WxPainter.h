#pragma once
// Puts the renderer's drawing calls on any wxDC: the canvas's buffered paint, a printer page
// or a memory bitmap. Pens, brushes, fonts and text sizes are kept and reused, since making
// toolkit objects for every piece costs more than drawing it. While a WxPainter lives, the
// DC's pen, brush, font and text colours should change only through it.

#include "core/render/Painter.h"

#include <memory>

class wxDC;

namespace plandor {

class WxPainter : public Painter {
  public:
    explicit WxPainter(wxDC& dc);
    // Fonts are made fontScale times their point size: a page drawn on a device finer
    // than the DC's own resolution keeps its text the size it has on paper.
    WxPainter(wxDC& dc, double fontScale);
    // The font scale that makes text on `dc` as many of its logical units tall as it is pixels
    // on the screen. Pages are drawn with it: a label then covers the same part of the plan on
    // paper, in the preview and in an export as it does on the canvas, whatever resolution,
    // user scale or font mapping the device has.
    static double screenFontScale(wxDC& dc);
    ~WxPainter() override;
    WxPainter(const WxPainter&) = delete;
    WxPainter& operator=(const WxPainter&) = delete;

    void setPen(const Pen& pen) override;
    void setBrush(const Brush& brush) override;
    void setFont(const Font& font) override;
    void setTextColor(const Color& color) override;
    void setTextBackground(const Color& color, bool opaque) override;

    void clear(const Color& background) override;
    void drawPolygon(const std::vector<ScreenPoint>& points) override;
    void drawPolyline(const std::vector<ScreenPoint>& points) override;
    void drawLine(ScreenPoint a, ScreenPoint b) override;
    void drawRectangle(int x, int y, int w, int h) override;
    void drawRoundedRectangle(int x, int y, int w, int h, double radius) override;
    void drawCircle(ScreenPoint centre, int radius) override;
    void drawEllipticArc(int x, int y, int w, int h, double startDeg, double endDeg) override;
    void drawText(const std::string& text, int x, int y) override;
    TextExtent textExtent(const std::string& text) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace plandor
