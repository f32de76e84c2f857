#include "gui/wxrender/LayoutPrintout.h"

#include "core/model/Layout.h"
#include "core/render/LayoutRenderer.h"
#include "gui/wxrender/WxPainter.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {
constexpr int kMaxGreyDpi = 300;
} // namespace

LayoutPrintout::LayoutPrintout(const wxString& title, const Layout& layout,
                               const PrintOptions& options)
    : wxPrintout(title), layout_(layout), options_(options) {}

void LayoutPrintout::OnPreparePrinting() {
    box_ = printRunBox(layout_, options_);
    int w = 0, h = 0;
    GetPageSizePixels(&w, &h);
    updateGrid(w, h);
}

void LayoutPrintout::updateGrid(int width, int height) {
    int dpiX = 0, dpiY = 0;
    GetPPIPrinter(&dpiX, &dpiY);
    grid_ = pageGrid(box_, options_, width, height, dpiX);
    gridWidth_ = width;
    gridHeight_ = height;
}

void LayoutPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) {
    *minPage = 1;
    // The window refuses a run of too many pages before it starts; should the printer's page
    // still make one, it stops at the limit.
    *maxPage = std::clamp(grid_.pageCount(), 1, kMaxPrintPages);
    *pageFrom = 1;
    *pageTo = *maxPage;
}

bool LayoutPrintout::HasPage(int page) {
    return page >= 1 && page <= std::min(grid_.pageCount(), kMaxPrintPages);
}

bool LayoutPrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (!dc)
        return false;
    int w = 0, h = 0;
    GetPageSizePixels(&w, &h);
    if (w != gridWidth_ || h != gridHeight_)
        updateGrid(w, h);
    FitThisSizeToPage(wxSize(w, h));

    const ViewTransform view = pageView(box_, grid_, page, w, h);
    int dpiX = 0, dpiY = 0;
    GetPPIPrinter(&dpiX, &dpiY);
    const int dpi = effectiveDpi(dpiY);
    if (options_.colorMode == PrintInGreyscale) {
        drawGreyPage(*dc, view, w, h, dpi);
        return true;
    }
    // Text follows the page's scale as the track does, whatever the device makes of a point.
    WxPainter painter(*dc, WxPainter::screenFontScale(*dc));
    LayoutRenderer renderer;
    drawPrintPage(painter, renderer, layout_, options_, view, w, h);
    return true;
}

void LayoutPrintout::drawGreyPage(wxDC& dc, const ViewTransform& view, int width, int height,
                                  int dpi) {
    // Printers and the preview report up to 1200 dpi; a page bitmap that fine would take
    // hundreds of megabytes, so the grey picture is drawn at most at 300 dpi and stretched.
    const double k = std::min(1.0, double(kMaxGreyDpi) / dpi);
    const int bw = std::max(1, static_cast<int>(std::ceil(width * k)));
    const int bh = std::max(1, static_cast<int>(std::ceil(height * k)));
    ViewTransform coarse = view;
    coarse.scale *= k;
    coarse.panX *= k;
    coarse.panY *= k;
    wxBitmap bitmap(bw, bh, 24);
    {
        wxMemoryDC memory(bitmap);
        memory.SetBackground(*wxWHITE_BRUSH);
        memory.Clear();
        WxPainter painter(memory, WxPainter::screenFontScale(memory));
        LayoutRenderer renderer;
        drawPrintPage(painter, renderer, layout_, options_, coarse, bw, bh);
    }
    double sx = 1, sy = 1;
    dc.GetUserScale(&sx, &sy);
    dc.SetUserScale(sx / k, sy / k);
    dc.DrawBitmap(wxBitmap(bitmap.ConvertToImage().ConvertToGreyscale()), 0, 0);
    dc.SetUserScale(sx, sy);
}

} // namespace plandor
