// The cost of a recovery copy of generated layouts of 10,000 and 100,000 pieces: what the
// window's thread pays (copying the layout as a snapshot), what the writing thread pays
// (turning the snapshot into text and writing it with its record), and the two together.
#include "LayoutGenerator.h"
#include "core/app/Recovery.h"
#include "core/model/LayoutFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

using namespace plandor;

namespace {

std::string benchFolder() {
    return (std::filesystem::temp_directory_path() /
            ("plandor-recovery-bench-" + std::to_string(::getpid())))
        .string();
}

void BM_RecoverySnapshot(benchmark::State& state) {
    const Layout layout = generateLayout(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Layout snapshot = layout;
        benchmark::DoNotOptimize(snapshot.pieces.data());
    }
}
BENCHMARK(BM_RecoverySnapshot)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RecoveryWrite(benchmark::State& state) {
    const Layout layout = generateLayout(static_cast<int>(state.range(0)));
    const RecoveryFiles files = recoveryFilesFor(benchFolder(), currentProcess());
    const RecoveryRecord record{"/layouts/Bench.plo", "Bench", 1765080000, currentProcess()};
    for (auto _ : state) {
        const std::string error =
            writeRecoveryCopy(files, layoutFileText(layout, record.layoutName), record);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    removeRecoveryCopy(files);
    std::filesystem::remove_all(benchFolder());
}
BENCHMARK(BM_RecoveryWrite)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The whole copy as the window runs it: snapshot, writing thread, wait for it to end.
void BM_RecoveryKeeperCopy(benchmark::State& state) {
    Document doc;
    doc.layout = generateLayout(static_cast<int>(state.range(0)));
    doc.modified = true;
    RecoveryKeeper keeper(benchFolder(), currentProcess());
    for (auto _ : state) {
        keeper.writeNow(doc, 1765080000);
        keeper.waitForWriter();
    }
    if (!keeper.lastError().empty())
        state.SkipWithError(keeper.lastError().c_str());
    keeper.discard();
    std::filesystem::remove_all(benchFolder());
}
BENCHMARK(BM_RecoveryKeeperCopy)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
