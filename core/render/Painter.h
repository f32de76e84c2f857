#pragma once
// The drawing primitives the renderer needs. WxPainter puts them on a wxDC (screen,
// printer, memory bitmap); tests record them.

#include "core/base/Color.h"
#include "core/render/ViewTransform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

enum class PenStyle { Solid, Dot };

struct Pen {
    Color color;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool transparent = false;
    static Pen none() {
        Pen p;
        p.transparent = true;
        return p;
    }
};

struct Brush {
    Color color;
    bool transparent = false;
    static Brush none() {
        Brush b;
        b.transparent = true;
        return b;
    }
};

struct Font {
    int pointSize = 10;
    bool bold = true;
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

class Painter {
  public:
    virtual ~Painter() = default;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setBrush(const Brush& brush) = 0;
    virtual void setFont(const Font& font) = 0;
    virtual void setTextColor(const Color& color) = 0;
    // Opaque text background in the given colour, or none.
    virtual void setTextBackground(const Color& color, bool opaque) = 0;

    virtual void clear(const Color& background) = 0;
    virtual void drawPolygon(const std::vector<ScreenPoint>& points) = 0;
    virtual void drawLine(ScreenPoint a, ScreenPoint b) = 0;
    // Open chain of line segments with the current pen.
    virtual void drawPolyline(const std::vector<ScreenPoint>& points) {
        for (std::size_t i = 1; i < points.size(); ++i)
            drawLine(points[i - 1], points[i]);
    }
    virtual void drawRectangle(int x, int y, int w, int h) = 0;
    virtual void drawRoundedRectangle(int x, int y, int w, int h, double radius) = 0;
    virtual void drawCircle(ScreenPoint centre, int radius) = 0;
    // Elliptic arc in the box (x, y, w, h) from startDeg to endDeg, counter-clockwise on
    // screen as wxDC::DrawEllipticArc does.
    virtual void drawEllipticArc(int x, int y, int w, int h, double startDeg, double endDeg) = 0;
    virtual void drawText(const std::string& text, int x, int y) = 0;
    virtual TextExtent textExtent(const std::string& text) = 0;
};

} // namespace plandor
