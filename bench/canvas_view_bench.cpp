// Canvas view costs on large layouts: a click's hit test over 10,000 pieces, zoom to fit over
// 100,000, and the digest that tells the canvas its kept picture is current.
#include "LayoutGenerator.h"
#include "core/canvas/CanvasView.h"
#include "core/canvas/HitTest.h"
#include "core/catalog/TrackCatalog.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace plandor;

namespace {

// A dense 100 x 100 grid of straights and curves 120 mm apart, so that every click has many
// pieces within reach.
Layout denseGrid() {
    Layout layout;
    layout.ensureDefaultLevel();
    const char* parts[] = {"24188", "24130", "24172", "24230"};
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 100; ++j) {
            PlacedPiece p = makePlacedPiece(parts[(i + j) % 4]);
            p.id = layout.takeId();
            p.x = 120.0 * i;
            p.y = 120.0 * j;
            p.heading = (i * 37 + j * 11) % 360;
            layout.pieces.push_back(p);
        }
    return layout;
}

// Clicks spread over the layout's extent, on and between pieces.
std::vector<ScreenPoint> clicksOver(const Layout& layout, const ViewTransform& view) {
    std::vector<ScreenPoint> clicks;
    for (std::size_t i = 0; i < layout.pieces.size(); i += layout.pieces.size() / 64) {
        const PlacedPiece& p = layout.pieces[i];
        clicks.push_back(view.toScreen(p.x + 40, p.y + 3));  // on the piece or near it
        clicks.push_back(view.toScreen(p.x + 60, p.y + 70)); // mostly empty canvas
    }
    return clicks;
}

void runHitTest(benchmark::State& state, const Layout& layout) {
    CanvasView view;
    view.zoomToFit(layout, 1920, 1080);
    view.zoomAbout(8, 960, 540); // a working zoom, not the whole plan
    const std::vector<ScreenPoint> clicks = clicksOver(layout, view.transform());
    std::size_t k = 0;
    int hits = 0;
    for (auto _ : state) {
        const int32_t id = hitPiece(layout, view.transform(), clicks[k++ % clicks.size()]);
        hits += id >= 0;
        benchmark::DoNotOptimize(id);
    }
    state.counters["hit_share"] = static_cast<double>(hits) / state.iterations();
}

void BM_HitPiece_Generated10k(benchmark::State& state) {
    const Layout layout = generateLayout(10000);
    runHitTest(state, layout);
}
BENCHMARK(BM_HitPiece_Generated10k)->Unit(benchmark::kMicrosecond);

void BM_HitPiece_DenseGrid10k(benchmark::State& state) {
    const Layout layout = denseGrid();
    runHitTest(state, layout);
}
BENCHMARK(BM_HitPiece_DenseGrid10k)->Unit(benchmark::kMicrosecond);

void BM_ZoomToFit_Generated100k(benchmark::State& state) {
    const Layout layout = generateLayout(100000);
    CanvasView view;
    for (auto _ : state) {
        view.zoomToFit(layout, 1920, 1080);
        benchmark::DoNotOptimize(view.scale());
    }
}
BENCHMARK(BM_ZoomToFit_Generated100k)->Unit(benchmark::kMillisecond);

} // namespace
