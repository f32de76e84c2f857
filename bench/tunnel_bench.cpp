// The tunnel analysis runs on every toolbar update, so it must stay well under 2 ms for a
// long selected chain.
#include "LayoutGenerator.h"
#include "core/catalog/TrackCatalog.h"
#include "core/elevation/Tunnels.h"
#include "core/model/Layout.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace plandor {
namespace {

// A straight chain of `n` joined 24188 straights starting at (0, y); returns the ids.
std::vector<int32_t> addChain(Layout& layout, int n, double y) {
    std::vector<int32_t> ids;
    for (int i = 0; i < n; ++i) {
        PlacedPiece p = makePlacedPiece("24188");
        p.id = layout.takeId();
        p.x = 188.3 * i;
        p.y = y;
        layout.pieces.push_back(p);
        if (!ids.empty())
            layout.join(ids.back(), 1, p.id, 0);
        ids.push_back(p.id);
    }
    return ids;
}

// `extra` unselected pieces in other chains, then the selected chain of `chainLength`.
Layout chainLayout(int chainLength, int extra) {
    Layout layout;
    layout.ensureDefaultLevel();
    for (int done = 0; done < extra; done += 500)
        addChain(layout, std::min(500, extra - done), 1000.0 + done);
    for (int32_t id : addChain(layout, chainLength, 0))
        layout.findPiece(id)->selected = true;
    return layout;
}

void BM_AnalyseSelectedChain(benchmark::State& state) {
    const Layout layout =
        chainLayout(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseTunnelSelection(layout));
}
BENCHMARK(BM_AnalyseSelectedChain)
    ->Args({2000, 0})
    ->Args({2000, 20000})
    ->Args({10000, 0})
    ->Unit(benchmark::kMicrosecond);

// The chain already lies in a tunnel: the exact-cover check decides.
void BM_AnalyseCoveredChain(benchmark::State& state) {
    Layout layout = chainLayout(static_cast<int>(state.range(0)), 0);
    if (runTunnelCommand(layout) != TunnelChange::Placed)
        state.SkipWithError("tunnel not placed");
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseTunnelSelection(layout));
}
BENCHMARK(BM_AnalyseCoveredChain)->Arg(2000)->Unit(benchmark::kMicrosecond);

// A generated layout with everything selected (Select All), which the toolbar analyses too.
void BM_AnalyseGeneratedSelectAll(benchmark::State& state) {
    Layout layout = generateLayout(static_cast<int>(state.range(0)));
    for (PlacedPiece& p : layout.pieces)
        p.selected = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseTunnelSelection(layout));
}
BENCHMARK(BM_AnalyseGeneratedSelectAll)->Arg(20000)->Unit(benchmark::kMicrosecond);

// A generated layout with the covered chain of its first tunnel selected ("Remove Tunnel").
void BM_AnalyseGeneratedTunnelChain(benchmark::State& state) {
    Layout layout = generateLayout(static_cast<int>(state.range(0)));
    if (layout.tunnels.empty()) {
        state.SkipWithError("no tunnel generated");
        return;
    }
    for (int32_t id : layout.tunnels.front().covers)
        layout.findPiece(id)->selected = true;
    if (!analyseTunnelSelection(layout).inTunnel)
        state.SkipWithError("covered chain not recognised");
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseTunnelSelection(layout));
}
BENCHMARK(BM_AnalyseGeneratedTunnelChain)->Arg(20000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace plandor
