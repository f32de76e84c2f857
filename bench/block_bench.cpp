// Inserting a 1,000-piece library block into a 10,000-piece layout: reading the block file,
// new ids, joint remapping and the undo snapshot, as a double-click on the Library list does.
#include "LayoutGenerator.h"
#include "SilentPrompter.h"
#include "core/editing/InsertBlock.h"
#include "core/model/BlockFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace plandor;

namespace {

void BM_InsertBlock(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("plandor-block-bench-" + std::to_string(::getpid()) + ".xml"))
                                 .string();
    Layout block = generateLayout(static_cast<int>(state.range(0)), 2);
    for (PlacedPiece& p : block.pieces)
        p.selected = true;
    if (const std::string error = saveBlock(block, path, "Bench"); !error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    Document doc;
    doc.layout = generateLayout(static_cast<int>(state.range(1)));
    // A working session's full history: every push also drops the oldest step.
    for (std::size_t i = 0; i < kMaxUndoSteps; ++i)
        doc.begin().commit(Change(Change::Pieces));
    SilentPrompter prompter;
    for (auto _ : state) {
        if (!insertBlockAsEdit(doc, path, prompter).any()) {
            state.SkipWithError("block not inserted");
            break;
        }
        state.PauseTiming();
        doc.undo();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_InsertBlock)->Args({1000, 10000})->Unit(benchmark::kMillisecond);

} // namespace
