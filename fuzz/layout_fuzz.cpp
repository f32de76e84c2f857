// libFuzzer target: reads any bytes as a layout file and as a library block inserted into
// it, fits the view, draws at three zooms, and checks that save -> load -> save is stable.
#include "core/canvas/CanvasView.h"
#include "core/editing/InsertBlock.h"
#include "core/model/BlockFile.h"
#include "core/model/LayoutFile.h"
#include "core/render/LayoutRenderer.h"
#include "core/render/Painter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace plandor;

namespace {

// Draws nothing; stops the run when a screen coordinate escapes the safe range.
class CheckingPainter : public Painter {
  public:
    void setPen(const Pen&) override {}
    void setBrush(const Brush&) override {}
    void setFont(const Font&) override {}
    void setTextColor(const Color&) override {}
    void setTextBackground(const Color&, bool) override {}
    void clear(const Color&) override {}
    void drawPolygon(const std::vector<ScreenPoint>& points) override {
        for (const ScreenPoint& p : points)
            check(p.x, p.y);
    }
    void drawLine(ScreenPoint a, ScreenPoint b) override {
        check(a.x, a.y);
        check(b.x, b.y);
    }
    void drawRectangle(int x, int y, int w, int h) override {
        check(x, y);
        check(w, h);
    }
    void drawRoundedRectangle(int x, int y, int w, int h, double) override {
        check(x, y);
        check(w, h);
    }
    void drawCircle(ScreenPoint centre, int radius) override {
        check(centre.x, centre.y);
        check(radius, 0);
    }
    void drawEllipticArc(int x, int y, int w, int h, double, double) override {
        check(x, y);
        check(w, h);
    }
    void drawText(const std::string&, int x, int y) override { check(x, y); }
    TextExtent textExtent(const std::string& text) override {
        return TextExtent{static_cast<int>(text.size() % 4096) * 7, 14};
    }

  private:
    static void check(int x, int y) {
        if (std::abs(x) > kMaxScreenCoordinate || std::abs(y) > kMaxScreenCoordinate) {
            std::fprintf(stderr, "screen coordinate out of range: %d, %d\n", x, y);
            std::abort();
        }
    }
};

void draw(const Layout& layout) {
    CanvasView fit;
    fit.zoomToFit(layout, 800, 600);
    for (const ViewTransform& view :
         {fit.transform(), ViewTransform{1, 0, 0}, ViewTransform{kMaxZoomScale, -5000, 7000}}) {
        CheckingPainter painter;
        LayoutRenderer().drawLayout(painter, layout, view, 800, 600);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    Layout layout;
    std::string name;
    readLayoutText(layout, text, name);
    draw(layout);

    const std::string first = layoutFileText(layout, name);
    Layout again;
    std::string againName;
    readLayoutText(again, first, againName);
    if (layoutFileText(again, againName) != first) {
        std::fprintf(stderr, "save -> load -> save changed the text\n");
        std::abort();
    }

    std::string blockName;
    std::vector<PlacedPiece> pieces;
    std::vector<SceneryItem> scenery;
    readBlockText(text, blockName, pieces, scenery);
    addBlockContent(layout, std::move(pieces), std::move(scenery));
    draw(layout);
    return 0;
}
