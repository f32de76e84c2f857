#include "gui/wxrender/LayoutPrintout.h"

#include "core/model/Layout.h"
#include "core/render/LayoutRenderer.h"
#include "gui/wxrender/WxPainter.h"

#include <algorithm>

namespace plandor {

LayoutPrintout::LayoutPrintout(const wxString& title, const Layout& layout,
                               const PrintOptions& options)
    : wxPrintout(title), layout_(layout), options_(options) {}

void LayoutPrintout::OnPreparePrinting() {
    box_ = printRunBox(layout_, options_);
    settings_ = printRenderSettings(layout_, options_);
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

    // Text follows the page's scale as the track does, whatever the device makes of a point.
    WxPainter painter(*dc, WxPainter::screenFontScale(*dc));
    LayoutRenderer renderer;
    renderer.drawLayout(painter, layout_, settings_, pageView(box_, grid_, page, w, h), w, h);
    return true;
}

} // namespace plandor
