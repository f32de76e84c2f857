// One undo snapshot of a 10,000-piece layout: taken before every edit, so it bounds how
// quickly any editing command can answer.
#include "LayoutGenerator.h"

#include <benchmark/benchmark.h>

using namespace plandor;

namespace {

void BM_PushUndo(benchmark::State& state) {
    Layout layout = generateLayout(static_cast<int>(state.range(0)));
    // Start with a full history, as after a working session: every push also drops the oldest.
    for (std::size_t i = 0; i < kMaxUndoSteps; ++i)
        layout.pushUndo();
    for (auto _ : state)
        layout.pushUndo();
}
BENCHMARK(BM_PushUndo)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_UndoRedo(benchmark::State& state) {
    Layout layout = generateLayout(static_cast<int>(state.range(0)));
    layout.pushUndo();
    for (auto _ : state) {
        layout.undo();
        layout.redo();
    }
}
BENCHMARK(BM_UndoRedo)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
