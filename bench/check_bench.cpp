// The layout check over generated layouts: the window reruns it after every change while
// its list is open, and a club runs it over whole layouts from the command line.
#include "LayoutGenerator.h"
#include "core/app/LayoutCheck.h"
#include "core/catalog/TrackCatalog.h"

#include <benchmark/benchmark.h>

namespace plandor {
namespace {

void BM_CheckLayout(benchmark::State& state) {
    TrackCatalog::instance();
    const Layout layout = generateLayout(static_cast<int>(state.range(0)), 1);
    const CheckSettings settings = checkSettingsOf(layout);
    std::size_t findings = 0;
    for (auto _ : state) {
        const std::vector<CheckFinding> out = checkLayout(layout, settings);
        findings = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckLayout)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Pieces pasted one on another: every pair overlaps, yet the check stays linear.
void BM_CheckPile(benchmark::State& state) {
    Layout layout;
    layout.ensureDefaultLevel();
    for (int i = 0; i < state.range(0); ++i) {
        PlacedPiece p;
        p.id = layout.takeId();
        p.part = "24188";
        p.level = 1;
        layout.pieces.push_back(p);
    }
    const CheckSettings settings = checkSettingsOf(layout);
    std::size_t findings = 0;
    for (auto _ : state) {
        const std::vector<CheckFinding> out = checkLayout(layout, settings);
        findings = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckPile)->Arg(2000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace plandor
