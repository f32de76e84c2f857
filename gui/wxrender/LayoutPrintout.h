#pragma once
// One print or preview run of the layout: works out the pages when printing is prepared and
// draws each page through the shared renderer with the run's own settings.

#include "core/base/Translate.h"
#include "core/render/PrintLayout.h"

#include <wx/print.h>

namespace plandor {

class Layout;

constexpr const char* kPrintoutTitle = TR_NOOP("Plandor Layout");

class LayoutPrintout : public wxPrintout {
  public:
    LayoutPrintout(const wxString& title, const Layout& layout, const PrintOptions& options);

    void OnPreparePrinting() override;
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
    bool HasPage(int page) override;
    bool OnPrintPage(int page) override;

    // The printer the run goes to, so that the page lands on its paper where the preview shows
    // it.
    void printTo(wxPrinter& printer) { printer_ = &printer; }

    const Bounds& box() const { return box_; }
    const PageGrid& grid() const { return grid_; }

  private:
    // The page grid for the page size the framework reports now.
    void updateGrid(int width, int height);

    const Layout& layout_;
    PrintOptions options_;
    RenderSettings settings_;
    Bounds box_ = kEmptyBounds;
    PageGrid grid_;
    int gridWidth_ = 0;
    int gridHeight_ = 0;
    wxPrinter* printer_ = nullptr;
};

} // namespace plandor
