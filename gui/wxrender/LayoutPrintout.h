#pragma once
// One print or preview run of the layout: works out the pages when printing is prepared and
// draws each page through the shared renderer, in colour or in grey.

#include "core/render/PrintLayout.h"

#include <wx/print.h>

namespace plandor {

class Layout;

constexpr const char* kPrintoutTitle = "Plandor Layout";

class LayoutPrintout : public wxPrintout {
  public:
    LayoutPrintout(const wxString& title, const Layout& layout, const PrintOptions& options);

    void OnPreparePrinting() override;
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
    bool HasPage(int page) override;
    bool OnPrintPage(int page) override;

    const Bounds& box() const { return box_; }
    const PageGrid& grid() const { return grid_; }

  private:
    // The page grid for the page size the framework reports now.
    void updateGrid(int width, int height);
    // A page drawn in grey: through a white bitmap turned to greyscale.
    void drawGreyPage(wxDC& dc, const ViewTransform& view, int width, int height, int dpi);

    const Layout& layout_;
    PrintOptions options_;
    Bounds box_ = kEmptyBounds;
    PageGrid grid_;
    int gridWidth_ = 0;
    int gridHeight_ = 0;
};

} // namespace plandor
