// Lookup of a piece definition by part number: done for every piece on every repaint,
// hit test and snap search.
#include "core/catalog/TrackCatalog.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace plandor;

namespace {

void BM_FindByPartNumber(benchmark::State& state) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    std::vector<std::string> parts;
    for (const PieceDef& def : catalog.pieces())
        parts.push_back(def.partNumber);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(catalog.find(parts[i]));
        i = i + 1 == parts.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_FindByPartNumber);

void BM_FindUnknownPartNumber(benchmark::State& state) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    const std::string unknown = "99999";
    for (auto _ : state)
        benchmark::DoNotOptimize(catalog.find(unknown));
}
BENCHMARK(BM_FindUnknownPartNumber);

} // namespace
