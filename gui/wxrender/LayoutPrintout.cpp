#include "wxrender/LayoutPrintout.h"

#include "model/Layout.h"
#include "render/LayoutRenderer.h"
#include "wxrender/WxPainter.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace plandor {

LayoutPrintout::LayoutPrintout(const wxString& title, Layout& layout, const PrintOptions& options)
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
    *maxPage = std::max(1, grid_.pageCount());
    *pageFrom = 1;
    *pageTo = *maxPage;
}

bool LayoutPrintout::HasPage(int page) {
    return page >= 1 && page <= grid_.pageCount();
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

    // Text keeps its size on paper whatever resolution the page is drawn at.
    int dpiX = 0, dpiY = 0;
    GetPPIPrinter(&dpiX, &dpiY);
    const double fontScale = double(effectiveDpi(dpiY)) / std::max(1, dc->GetPPI().y);
    if (options_.colorMode == PrintInGreyscale) {
        drawGreyPage(*dc, page, w, h, fontScale);
        return true;
    }
    WxPainter painter(*dc, fontScale);
    LayoutRenderer renderer;
    drawPrintPage(painter, renderer, layout_, options_, box_, grid_, page, w, h);
    return true;
}

void LayoutPrintout::drawGreyPage(wxDC& dc, int page, int width, int height, double fontScale) {
    wxBitmap bitmap(width, height, 24);
    {
        wxMemoryDC memory(bitmap);
        memory.SetBackground(*wxWHITE_BRUSH);
        memory.Clear();
        WxPainter painter(memory, fontScale);
        LayoutRenderer renderer;
        drawPrintPage(painter, renderer, layout_, options_, box_, grid_, page, width, height);
    }
    dc.DrawBitmap(wxBitmap(bitmap.ConvertToImage().ConvertToGreyscale()), 0, 0);
}

} // namespace plandor
