#pragma once
// A Painter that records every drawing call together with the pen, brush, font and text
// colours in force, so tests can check colours, widths, shapes and order.

#include "render/Painter.h"

#include <ostream>
#include <string>
#include <vector>

namespace plandor {

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
inline std::ostream& operator<<(std::ostream& os, const DrawCall& c) {
    static const char* names[] = {"clear",   "polygon", "polyline", "line", "rectangle",
                                  "rounded", "circle",  "arc",      "text"};
    os << names[static_cast<int>(c.op)] << " pts=" << c.points.size() << " box=" << c.x << ","
       << c.y << "," << c.w << "," << c.h;
    if (!c.text.empty())
        os << " text=\"" << c.text << "\"";
    return os << " pen=" << c.pen.color << "/" << c.pen.width << (c.pen.transparent ? "(none)" : "")
              << " brush=" << c.brush.color << (c.brush.transparent ? "(none)" : "");
}

class RecordingPainter : public Painter {
  public:
    std::vector<DrawCall> calls;

    void setPen(const Pen& pen) override { pen_ = pen; }
    void setBrush(const Brush& brush) override { brush_ = brush; }
    void setFont(const Font& font) override { font_ = font; }
    void setTextColor(const Color& color) override { textColor_ = color; }
    void setTextBackground(const Color& color, bool opaque) override {
        textBackground_ = color;
        textBackgroundOpaque_ = opaque;
    }

    void clear(const Color& background) override {
        DrawCall c = call(DrawOp::Clear);
        c.clearColor = background;
        calls.push_back(c);
    }
    void drawPolygon(const std::vector<ScreenPoint>& points) override {
        DrawCall c = call(DrawOp::Polygon);
        c.points = points;
        calls.push_back(c);
    }
    void drawPolyline(const std::vector<ScreenPoint>& points) override {
        DrawCall c = call(DrawOp::Polyline);
        c.points = points;
        calls.push_back(c);
    }
    void drawLine(ScreenPoint a, ScreenPoint b) override {
        DrawCall c = call(DrawOp::Line);
        c.points = {a, b};
        calls.push_back(c);
    }
    void drawRectangle(int x, int y, int w, int h) override {
        calls.push_back(box(DrawOp::Rectangle, x, y, w, h));
    }
    void drawRoundedRectangle(int x, int y, int w, int h, double radius) override {
        DrawCall c = box(DrawOp::RoundedRectangle, x, y, w, h);
        c.radius = radius;
        calls.push_back(c);
    }
    void drawCircle(ScreenPoint centre, int radius) override {
        DrawCall c = call(DrawOp::Circle);
        c.points = {centre};
        c.w = radius;
        calls.push_back(c);
    }
    void drawEllipticArc(int x, int y, int w, int h, double startDeg, double endDeg) override {
        DrawCall c = box(DrawOp::Arc, x, y, w, h);
        c.startDeg = startDeg;
        c.endDeg = endDeg;
        calls.push_back(c);
    }
    void drawText(const std::string& text, int x, int y) override {
        DrawCall c = call(DrawOp::Text);
        c.text = text;
        c.x = x;
        c.y = y;
        calls.push_back(c);
    }
    // A fixed-width font: 3/4 of the point size per character, 3/2 of it high.
    TextExtent textExtent(const std::string& text) override {
        return TextExtent{static_cast<int>(text.size()) * font_.pointSize * 3 / 4,
                          font_.pointSize * 3 / 2};
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
    void reset() { calls.clear(); }

  private:
    DrawCall call(DrawOp op) const {
        DrawCall c;
        c.op = op;
        c.pen = pen_;
        c.brush = brush_;
        c.font = font_;
        c.textColor = textColor_;
        c.textBackground = textBackground_;
        c.textBackgroundOpaque = textBackgroundOpaque_;
        return c;
    }
    DrawCall box(DrawOp op, int x, int y, int w, int h) const {
        DrawCall c = call(op);
        c.x = x;
        c.y = y;
        c.w = w;
        c.h = h;
        return c;
    }

    Pen pen_;
    Brush brush_;
    Font font_;
    Color textColor_;
    Color textBackground_;
    bool textBackgroundOpaque_ = false;
};

} // namespace plandor
