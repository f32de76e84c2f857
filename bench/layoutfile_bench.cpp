// Saving and loading generated layouts of 1,000 to 100,000 pieces through a temporary file.
#include "LayoutGenerator.h"
#include "core/model/LayoutFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace plandor;

namespace {

std::string tempPath(int pieces) {
    return (std::filesystem::temp_directory_path() /
            ("plandor-bench-" + std::to_string(::getpid()) + "-" + std::to_string(pieces) + ".plo"))
        .string();
}

void BM_SaveLayout(benchmark::State& state) {
    const int pieces = static_cast<int>(state.range(0));
    const Layout layout = generateLayout(pieces);
    const std::string path = tempPath(pieces);
    for (auto _ : state) {
        const std::string error = saveLayout(layout, path, "Benchmark layout");
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    state.SetComplexityN(pieces);
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(path, ec);
    if (!ec)
        state.counters["bytes"] = static_cast<double>(bytes);
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveLayout)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_LoadLayout(benchmark::State& state) {
    const int pieces = static_cast<int>(state.range(0));
    const std::string path = tempPath(pieces);
    {
        const std::string error = saveLayout(generateLayout(pieces), path, "Benchmark layout");
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    Layout layout;
    std::string name;
    for (auto _ : state) {
        const std::string error = loadLayout(layout, path, name);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        if (layout.pieces.size() != static_cast<std::size_t>(pieces)) {
            state.SkipWithError("the layout read back has the wrong number of pieces");
            break;
        }
    }
    state.SetComplexityN(pieces);
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadLayout)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The two halves of saving, to tell formatting cost from file-system cost.
void BM_FormatPieceLines(benchmark::State& state) {
    const int pieces = static_cast<int>(state.range(0));
    const Layout layout = generateLayout(pieces);
    for (auto _ : state) {
        std::string out;
        appendPieceLines(out, layout.pieces, 4);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetComplexityN(pieces);
}
BENCHMARK(BM_FormatPieceLines)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_WriteFileReplacing(benchmark::State& state) {
    const std::string content(static_cast<std::size_t>(state.range(0)) << 20, 'x');
    const std::string path = tempPath(-static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::string error = writeFileReplacing(path, content);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(content.size()));
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteFileReplacing)->Arg(25)->Unit(benchmark::kMillisecond); // MiB, as 100k pieces

} // namespace
