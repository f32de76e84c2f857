// Repainting generated layouts through WxPainter into a 1920 x 1080 memory bitmap, as the
// canvas does on every paint: the whole layout fitted to the window, and a part of it at
// 1 px/mm. Run under Xvfb when there is no display.
#include "LayoutGenerator.h"

#include "core/render/LayoutRenderer.h"
#include "gui/wxrender/WxPainter.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/init.h>

#include <algorithm>
#include <cstdio>
#include <map>

using namespace plandor;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

const Layout& layoutOf(int pieces) {
    static std::map<int, Layout> layouts;
    auto it = layouts.find(pieces);
    if (it == layouts.end())
        it = layouts.emplace(pieces, generateLayout(pieces, 1)).first;
    return it->second;
}

struct Bounds {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
};

Bounds originBounds(const Layout& layout) {
    Bounds b;
    for (const PlacedPiece& p : layout.pieces) {
        b.minX = std::min(b.minX, p.x);
        b.minY = std::min(b.minY, p.y);
        b.maxX = std::max(b.maxX, p.x);
        b.maxY = std::max(b.maxY, p.y);
    }
    return b;
}

// The whole layout in the window with a margin of about one piece.
ViewTransform fittedView(const Layout& layout) {
    const Bounds b = originBounds(layout);
    const double margin = 200;
    const double w = b.maxX - b.minX + 2 * margin, h = b.maxY - b.minY + 2 * margin;
    ViewTransform view;
    view.scale = std::min(kWidth / std::max(w, 1.0), kHeight / std::max(h, 1.0));
    view.panX = kWidth / 2.0 - (b.minX + b.maxX) / 2 * view.scale;
    view.panY = kHeight / 2.0 - (b.minY + b.maxY) / 2 * view.scale;
    return view;
}

// 1 px/mm around the middle of the layout.
ViewTransform partView(const Layout& layout) {
    const Bounds b = originBounds(layout);
    ViewTransform view;
    view.scale = 1.0;
    view.panX = kWidth / 2.0 - (b.minX + b.maxX) / 2;
    view.panY = kHeight / 2.0 - (b.minY + b.maxY) / 2;
    return view;
}

void repaint(benchmark::State& state, const Layout& layout, const ViewTransform& view) {
    wxBitmap bitmap(kWidth, kHeight, 24);
    wxMemoryDC dc(bitmap);
    LayoutRenderer renderer;
    for (auto _ : state) {
        WxPainter painter(dc);
        renderer.drawLayout(painter, layout, view, kWidth, kHeight);
    }
    dc.SelectObject(wxNullBitmap);
    state.counters["pieces"] = static_cast<double>(layout.pieces.size());
    state.counters["scale"] = view.scale;
}

void BM_DrawFitted(benchmark::State& state) {
    const Layout& layout = layoutOf(static_cast<int>(state.range(0)));
    repaint(state, layout, fittedView(layout));
}
BENCHMARK(BM_DrawFitted)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DrawPartAtScaleOne(benchmark::State& state) {
    const Layout& layout = layoutOf(static_cast<int>(state.range(0)));
    repaint(state, layout, partView(layout));
}
BENCHMARK(BM_DrawPartAtScaleOne)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
