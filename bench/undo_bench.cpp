// One undo step of a 10,000-piece layout: an edit copies the content before it changes
// anything, so this bounds how quickly any editing command can answer.
#include "LayoutGenerator.h"

#include "core/document/Document.h"

#include <benchmark/benchmark.h>

using namespace plandor;

namespace {

void BM_PushUndo(benchmark::State& state) {
    Document doc;
    doc.layout = generateLayout(static_cast<int>(state.range(0)));
    // Start with a full history, as after a working session: every step also drops the oldest.
    for (std::size_t i = 0; i < kMaxUndoSteps; ++i)
        doc.begin().commit(Change(Change::Pieces));
    for (auto _ : state)
        doc.begin().commit(Change(Change::Pieces));
}
BENCHMARK(BM_PushUndo)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_UndoRedo(benchmark::State& state) {
    Document doc;
    doc.layout = generateLayout(static_cast<int>(state.range(0)));
    doc.begin().commit(Change(Change::Pieces));
    for (auto _ : state) {
        doc.undo();
        doc.redo();
    }
}
BENCHMARK(BM_UndoRedo)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
