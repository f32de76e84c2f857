// The renderer drawn through WxPainter into a memory bitmap and compared with a stored picture.
#include "gui/wxrender/WxPainter.h"

#include "GuiTestSupport.h"
#include "core/canvas/CanvasView.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/LayoutFile.h"
#include "core/render/LayoutRenderer.h"

#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/imagpng.h>

#include <cstdlib>

using namespace plandor;
using namespace plandor::guitest;

// The whole flow against a stored picture: a layout with every section loaded from its file,
// fitted and drawn. A small share of pixels may differ (font hinting, anti-aliasing); a
// changed drawing moves far more. PLANDOR_UPDATE_GOLDEN=1 stores the picture anew.
TEST(WxPainterPicture, FixtureLayoutMatchesTheStoredPicture) {
    Layout layout;
    std::string name;
    ASSERT_EQ(loadLayout(layout, PLANDOR_TEST_DATA "/layout_all_sections.plo", name), "");
    CanvasView view;
    view.zoomToFit(layout, 800, 600, TrackCatalog::instance());
    wxBitmap bitmap(800, 600, 24);
    {
        wxMemoryDC dc(bitmap);
        WxPainter painter(dc);
        LayoutRenderer().drawLayout(painter, layout, view.transform(), 800, 600);
        dc.SelectObject(wxNullBitmap);
    }
    const wxImage drawn = bitmap.ConvertToImage();
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    const wxString golden = PLANDOR_TEST_DATA "/golden_render.png";
    if (const char* update = std::getenv("PLANDOR_UPDATE_GOLDEN"); update && *update == '1') {
        ASSERT_TRUE(drawn.SaveFile(golden, wxBITMAP_TYPE_PNG));
    }
    wxImage stored;
    ASSERT_TRUE(stored.LoadFile(golden, wxBITMAP_TYPE_PNG));
    ASSERT_EQ(stored.GetSize(), drawn.GetSize());

    int differing = 0;
    const unsigned char* a = drawn.GetData();
    const unsigned char* b = stored.GetData();
    for (int i = 0; i < 800 * 600; ++i) {
        const int d = std::abs(a[3 * i] - b[3 * i]) + std::abs(a[3 * i + 1] - b[3 * i + 1]) +
                      std::abs(a[3 * i + 2] - b[3 * i + 2]);
        if (d > 96)
            ++differing;
    }
    EXPECT_LT(differing, 800 * 600 / 200) << "pixels differing from the stored picture";
}
