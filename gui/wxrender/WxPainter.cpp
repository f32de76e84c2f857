#include "gui/wxrender/WxPainter.h"

#include <wx/bitmap.h>
#include <wx/brush.h>
#include <wx/dc.h>
#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/pen.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace plandor {

namespace {

constexpr uint64_t kUnset = ~0ull;

uint32_t packColor(const Color& c) {
    return uint32_t(c.r) | uint32_t(c.g) << 8 | uint32_t(c.b) << 16 | uint32_t(c.a) << 24;
}

uint64_t penKey(const Pen& p) {
    if (p.transparent)
        return 1ull << 63;
    return packColor(p.color) | uint64_t(p.width & 0xffff) << 32 | uint64_t(p.style) << 48;
}

uint64_t brushKey(const Brush& b) {
    return b.transparent ? 1ull << 32 : packColor(b.color);
}

uint64_t fontKey(const Font& f) {
    return uint64_t(uint32_t(f.pointSize)) << 1 | (f.bold ? 1 : 0);
}

wxColour toWx(const Color& c) {
    return wxColour(c.r, c.g, c.b, c.a);
}

} // namespace

struct WxPainter::Impl {
    Impl(wxDC& d, double scale) : dc(d), fontScale(scale) {}

    wxDC& dc;
    double fontScale;
    std::unordered_map<uint64_t, wxPen> pens;
    std::unordered_map<uint64_t, wxBrush> brushes;
    std::unordered_map<uint64_t, wxFont> fonts;
    // Text sizes per font, so repeated labels are measured once.
    std::unordered_map<uint64_t, std::unordered_map<std::string, TextExtent>> extents;
    std::unordered_map<std::string, TextExtent>* currentExtents = nullptr;
    uint64_t pen = kUnset;
    uint64_t brush = kUnset;
    uint64_t font = kUnset;
    uint32_t textColor = 0;
    bool textColorSet = false;
    uint64_t textBackground = kUnset;
    std::vector<wxPoint> points;

    const wxPoint* toWxPoints(const std::vector<ScreenPoint>& in) {
        points.resize(in.size());
        for (std::size_t i = 0; i < in.size(); ++i)
            points[i] = wxPoint(in[i].x, in[i].y);
        return points.data();
    }
};

WxPainter::WxPainter(wxDC& dc) : impl_(new Impl(dc, 1.0)) {}

WxPainter::WxPainter(wxDC& dc, double fontScale) : impl_(new Impl(dc, fontScale)) {}

WxPainter::~WxPainter() = default;

double WxPainter::screenFontScale(wxDC& dc) {
    // One large probe keeps rounding small; the screen's memory device is the reference.
    const wxFont probe(wxFontInfo(100).Bold());
    const wxFont kept = dc.GetFont();
    dc.SetFont(probe);
    wxCoord w = 0, onDevice = 0;
    dc.GetTextExtent("M", &w, &onDevice);
    dc.SetFont(kept.IsOk() ? kept : wxNullFont);
    wxBitmap pixel(1, 1);
    wxMemoryDC screen(pixel);
    screen.SetFont(probe);
    wxCoord onScreen = 0;
    screen.GetTextExtent("M", &w, &onScreen);
    return onDevice > 0 && onScreen > 0 ? double(onScreen) / onDevice : 1.0;
}

void WxPainter::setPen(const Pen& pen) {
    const uint64_t key = penKey(pen);
    if (key == impl_->pen)
        return;
    impl_->pen = key;
    if (pen.transparent) {
        impl_->dc.SetPen(*wxTRANSPARENT_PEN);
        return;
    }
    auto it = impl_->pens.find(key);
    if (it == impl_->pens.end()) {
        const wxPenStyle style = pen.style == PenStyle::Dot ? wxPENSTYLE_DOT : wxPENSTYLE_SOLID;
        it = impl_->pens.emplace(key, wxPen(toWx(pen.color), pen.width, style)).first;
    }
    impl_->dc.SetPen(it->second);
}

void WxPainter::setBrush(const Brush& brush) {
    const uint64_t key = brushKey(brush);
    if (key == impl_->brush)
        return;
    impl_->brush = key;
    if (brush.transparent) {
        impl_->dc.SetBrush(*wxTRANSPARENT_BRUSH);
        return;
    }
    auto it = impl_->brushes.find(key);
    if (it == impl_->brushes.end())
        it = impl_->brushes.emplace(key, wxBrush(toWx(brush.color))).first;
    impl_->dc.SetBrush(it->second);
}

void WxPainter::setFont(const Font& font) {
    const uint64_t key = fontKey(font);
    if (key == impl_->font)
        return;
    impl_->font = key;
    auto it = impl_->fonts.find(key);
    if (it == impl_->fonts.end()) {
        wxFontInfo info(impl_->fontScale == 1.0
                            ? wxFontInfo(font.pointSize)
                            : wxFontInfo(static_cast<float>(font.pointSize * impl_->fontScale)));
        info.Bold(font.bold);
        it = impl_->fonts.emplace(key, wxFont(info)).first;
    }
    impl_->dc.SetFont(it->second);
    impl_->currentExtents = &impl_->extents[key];
}

void WxPainter::setTextColor(const Color& color) {
    const uint32_t key = packColor(color);
    if (impl_->textColorSet && key == impl_->textColor)
        return;
    impl_->textColor = key;
    impl_->textColorSet = true;
    impl_->dc.SetTextForeground(toWx(color));
}

void WxPainter::setTextBackground(const Color& color, bool opaque) {
    const uint64_t key = opaque ? packColor(color) : 1ull << 32;
    if (key == impl_->textBackground)
        return;
    impl_->textBackground = key;
    if (opaque)
        impl_->dc.SetTextBackground(toWx(color));
    impl_->dc.SetBackgroundMode(opaque ? wxBRUSHSTYLE_SOLID : wxBRUSHSTYLE_TRANSPARENT);
}

void WxPainter::clear(const Color& background) {
    impl_->dc.SetBackground(wxBrush(toWx(background)));
    impl_->dc.Clear();
}

void WxPainter::drawPolygon(const std::vector<ScreenPoint>& points) {
    if (points.empty())
        return;
    if (points.size() == 1) { // the toolkit wants two points; the same one twice is a dot
        impl_->dc.DrawLine(points[0].x, points[0].y, points[0].x, points[0].y);
        return;
    }
    impl_->dc.DrawPolygon(static_cast<int>(points.size()), impl_->toWxPoints(points));
}

void WxPainter::drawPolyline(const std::vector<ScreenPoint>& points) {
    if (points.empty())
        return;
    if (points.size() == 1) {
        impl_->dc.DrawLine(points[0].x, points[0].y, points[0].x, points[0].y);
        return;
    }
    impl_->dc.DrawLines(static_cast<int>(points.size()), impl_->toWxPoints(points));
}

void WxPainter::drawLine(ScreenPoint a, ScreenPoint b) {
    impl_->dc.DrawLine(a.x, a.y, b.x, b.y);
}

void WxPainter::drawRectangle(int x, int y, int w, int h) {
    impl_->dc.DrawRectangle(x, y, w, h);
}

void WxPainter::drawRoundedRectangle(int x, int y, int w, int h, double radius) {
    impl_->dc.DrawRoundedRectangle(x, y, w, h, radius);
}

void WxPainter::drawCircle(ScreenPoint centre, int radius) {
    impl_->dc.DrawCircle(centre.x, centre.y, radius);
}

void WxPainter::drawEllipticArc(int x, int y, int w, int h, double startDeg, double endDeg) {
    impl_->dc.DrawEllipticArc(x, y, w, h, startDeg, endDeg);
}

void WxPainter::drawText(const std::string& text, int x, int y) {
    impl_->dc.DrawText(wxString::FromUTF8(text.data(), text.size()), x, y);
}

TextExtent WxPainter::textExtent(const std::string& text) {
    if (!impl_->currentExtents)
        impl_->currentExtents = &impl_->extents[kUnset];
    auto it = impl_->currentExtents->find(text);
    if (it != impl_->currentExtents->end())
        return it->second;
    wxCoord w = 0, h = 0;
    impl_->dc.GetTextExtent(wxString::FromUTF8(text.data(), text.size()), &w, &h);
    const TextExtent e{static_cast<int>(w), static_cast<int>(h)};
    impl_->currentExtents->emplace(text, e);
    return e;
}

} // namespace plandor
