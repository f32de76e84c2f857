// The renderer drawn through WxPainter into a memory bitmap: the picture has the plan's
// colours where the pieces are, and the painter agrees with the toolkit on what it caches.
#include "render/WxPainter.h"
#include "catalog/TrackCatalog.h"
#include "model/Layout.h"
#include "render/LayoutRenderer.h"
#include "render/RenderColors.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

using namespace plandor;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

struct Rgb {
    int r, g, b;
};

Rgb pixel(const wxImage& image, int x, int y) {
    return Rgb{image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
}

::testing::AssertionResult isColor(Rgb p, Color c, int tolerance = 0) {
    if (std::abs(p.r - c.r) <= tolerance && std::abs(p.g - c.g) <= tolerance &&
        std::abs(p.b - c.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << p.r << ", " << p.g << ", " << p.b << ") is not (" << int(c.r) << ", "
           << int(c.g) << ", " << int(c.b) << ")";
}

PlacedPiece piece(Layout& layout, const char* part, double x, double y) {
    PlacedPiece p = makePlacedPiece(part);
    p.id = layout.takeId();
    p.x = x;
    p.y = y;
    return p;
}

wxImage render(const Layout& layout, const ViewTransform& view) {
    wxBitmap bitmap(kWidth, kHeight, 24);
    {
        wxMemoryDC dc(bitmap);
        WxPainter painter(dc);
        LayoutRenderer renderer;
        renderer.drawLayout(painter, layout, view, kWidth, kHeight);
        dc.SelectObject(wxNullBitmap);
    }
    return bitmap.ConvertToImage();
}

} // namespace

TEST(WxPainterPicture, BackgroundAndPieceFillsLandOnTheBitmap) {
    Layout layout;
    layout.ensureDefaultLevel();
    layout.showGrid = false;
    layout.showLabels = false;
    layout.pieces.push_back(piece(layout, "24188", 20, 60));
    PlacedPiece selected = piece(layout, "24188", 20, 160);
    selected.selected = true;
    layout.pieces.push_back(selected);
    PlacedPiece raised = piece(layout, "2200", 20, 240);
    raised.z = 60;
    layout.pieces.push_back(raised);

    const wxImage image = render(layout, ViewTransform{1, 0, 0});
    EXPECT_TRUE(isColor(pixel(image, 5, 5), colors::Background));
    EXPECT_TRUE(isColor(pixel(image, 390, 290), colors::Background));
    // Middles of the bands: plain, selected, and elevated to 60 mm.
    EXPECT_TRUE(isColor(pixel(image, 114, 60), colors::PieceFill));
    EXPECT_TRUE(isColor(pixel(image, 114, 160), colors::PieceFillSelected));
    EXPECT_TRUE(isColor(pixel(image, 110, 240), Color{255, 220, 60}));
    // Just outside the band's 18.7 mm half-width is background again.
    EXPECT_TRUE(isColor(pixel(image, 114, 60 - 21), colors::Background));
    // The outline row sits at the band edge.
    bool outlineFound = false;
    for (int y = 60 - 20; y <= 60 - 17; ++y)
        outlineFound = outlineFound || isColor(pixel(image, 114, y), colors::PieceOutline, 40);
    EXPECT_TRUE(outlineFound);
}

TEST(WxPainterPicture, TranslucentBrushBlendsWithWhatIsUnder) {
    wxBitmap bitmap(50, 50, 24);
    {
        wxMemoryDC dc(bitmap);
        WxPainter painter(dc);
        painter.clear(Color{255, 255, 255});
        painter.setPen(Pen::none());
        painter.setBrush(Brush{Color{0, 0, 0, 128}, false});
        painter.drawRectangle(10, 10, 30, 30);
        dc.SelectObject(wxNullBitmap);
    }
    const Rgb p = pixel(bitmap.ConvertToImage(), 25, 25);
    EXPECT_NEAR(p.r, 127, 2);
    EXPECT_NEAR(p.g, 127, 2);
}

TEST(WxPainterText, CachedExtentsMatchTheToolkitsAndFollowTheFont) {
    wxBitmap bitmap(100, 100, 24);
    wxMemoryDC dc(bitmap);
    WxPainter painter(dc);
    painter.setFont(Font{9, true});
    const TextExtent small = painter.textExtent("24188");
    wxCoord w = 0, h = 0;
    dc.GetTextExtent("24188", &w, &h);
    EXPECT_EQ(small.width, w);
    EXPECT_EQ(small.height, h);
    EXPECT_EQ(painter.textExtent("24188").width, small.width);
    painter.setFont(Font{18, true});
    EXPECT_GT(painter.textExtent("24188").width, small.width);
    painter.setFont(Font{9, true});
    EXPECT_EQ(painter.textExtent("24188").width, small.width);
    dc.SelectObject(wxNullBitmap);
}

TEST(WxPainterColours, LightnessChangeAgreesWithTheToolkit) {
    for (int amount : {0, 30, 70, 99, 101, 150, 200}) {
        for (Color c :
             {Color{60, 180, 60}, Color{255, 140, 0}, Color{1, 128, 254}, Color{33, 77, 211}}) {
            const wxColour expected = wxColour(c.r, c.g, c.b).ChangeLightness(amount);
            const Color actual = changeLightness(c, amount);
            EXPECT_EQ(actual.r, expected.Red()) << amount;
            EXPECT_EQ(actual.g, expected.Green()) << amount;
            EXPECT_EQ(actual.b, expected.Blue()) << amount;
        }
    }
}
