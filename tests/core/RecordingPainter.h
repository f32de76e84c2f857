#pragma once
// A Painter that records every drawing call together with the pen, brush, font and text
// colours in force, so tests can check colours, widths, shapes and order.

#include "core/render/Painter.h"

#include <ostream>
#include <string>
#include <vector>

namespace plandor {

// The surface the renderer tests draw on.
constexpr int kSurfaceWidth = 800;
constexpr int kSurfaceHeight = 600;

enum class DrawOp {
    Clear,
    Polygon,
    Polyline,
    Line,
    Rectangle,
    RoundedRectangle,
    Circle,
    Arc,
    Text
};

struct DrawCall {
    DrawOp op = DrawOp::Clear;
    std::vector<ScreenPoint> points; // polygon, polyline, line ends, circle centre
    int x = 0, y = 0, w = 0, h = 0;  // rectangles, arc boxes, text position; circle radius in w
    double radius = 0;
    double startDeg = 0, endDeg = 0;
    std::string text;
    Color clearColor;
    Pen pen;
    Brush brush;
    Font font;
    Color textColor;
    Color textBackground;
    bool textBackgroundOpaque = false;
};

inline bool operator==(const ScreenPoint& a, const ScreenPoint& b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator==(const Pen& a, const Pen& b) {
    return a.transparent == b.transparent &&
           (a.transparent || (a.color == b.color && a.width == b.width && a.style == b.style));
}
inline bool operator==(const Brush& a, const Brush& b) {
    return a.transparent == b.transparent && (a.transparent || a.color == b.color);
}
inline bool operator==(const DrawCall& a, const DrawCall& b) {
    const bool textual = a.op == DrawOp::Text;
    return a.op == b.op && a.points == b.points && a.x == b.x && a.y == b.y && a.w == b.w &&
           a.h == b.h && a.radius == b.radius && a.startDeg == b.startDeg && a.endDeg == b.endDeg &&
           a.text == b.text && a.clearColor == b.clearColor &&
           (textual || (a.pen == b.pen && a.brush == b.brush)) &&
           (!textual || (a.font.pointSize == b.font.pointSize && a.font.bold == b.font.bold &&
                         a.textColor == b.textColor && a.textBackground == b.textBackground &&
                         a.textBackgroundOpaque == b.textBackgroundOpaque));
}

inline std::ostream& operator<<(std::ostream& os, const Color& c) {
    return os << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}
inline std::ostream& operator<<(std::ostream& os, const ScreenPoint& p) {
    return os << "(" << p.x << ", " << p.y << ")";
}

class RecordingPainter : public Painter {
  public:
    std::vector<DrawCall> calls;

    void setPen(const Pen& pen) override { state_.pen = pen; }
    void setBrush(const Brush& brush) override { state_.brush = brush; }
    void setFont(const Font& font) override { state_.font = font; }
    void setTextColor(const Color& color) override { state_.textColor = color; }
    void setTextBackground(const Color& color, bool opaque) override {
        state_.textBackground = color;
        state_.textBackgroundOpaque = opaque;
    }

    void clear(const Color& background) override { add(DrawOp::Clear).clearColor = background; }
    void drawPolygon(const std::vector<ScreenPoint>& points) override {
        add(DrawOp::Polygon).points = points;
    }
    void drawPolyline(const std::vector<ScreenPoint>& points) override {
        add(DrawOp::Polyline).points = points;
    }
    void drawLine(ScreenPoint a, ScreenPoint b) override { add(DrawOp::Line).points = {a, b}; }
    void drawRectangle(int x, int y, int w, int h) override { add(DrawOp::Rectangle, x, y, w, h); }
    void drawRoundedRectangle(int x, int y, int w, int h, double radius) override {
        add(DrawOp::RoundedRectangle, x, y, w, h).radius = radius;
    }
    void drawCircle(ScreenPoint centre, int radius) override {
        add(DrawOp::Circle, 0, 0, radius).points = {centre};
    }
    void drawEllipticArc(int x, int y, int w, int h, double startDeg, double endDeg) override {
        DrawCall& c = add(DrawOp::Arc, x, y, w, h);
        c.startDeg = startDeg;
        c.endDeg = endDeg;
    }
    void drawText(const std::string& text, int x, int y) override {
        add(DrawOp::Text, x, y).text = text;
    }
    // A fixed-width font: 3/4 of the point size per character, 3/2 of it high.
    TextExtent textExtent(const std::string& text) override {
        return TextExtent{static_cast<int>(text.size()) * state_.font.pointSize * 3 / 4,
                          state_.font.pointSize * 3 / 2};
    }

    std::vector<DrawCall> ofKind(DrawOp op) const {
        std::vector<DrawCall> out;
        for (const DrawCall& c : calls)
            if (c.op == op)
                out.push_back(c);
        return out;
    }
    int count(DrawOp op) const { return static_cast<int>(ofKind(op).size()); }
    std::vector<DrawCall> texts() const { return ofKind(DrawOp::Text); }
    // The first text call with exactly this text, or null.
    const DrawCall* findText(const std::string& text) const {
        for (const DrawCall& c : calls)
            if (c.op == DrawOp::Text && c.text == text)
                return &c;
        return nullptr;
    }

  private:
    DrawCall& add(DrawOp op, int x = 0, int y = 0, int w = 0, int h = 0) {
        DrawCall c = state_;
        c.op = op;
        c.x = x;
        c.y = y;
        c.w = w;
        c.h = h;
        calls.push_back(c);
        return calls.back();
    }

    DrawCall state_; // only the pen, brush, font and text fields are used
};

} // namespace plandor
