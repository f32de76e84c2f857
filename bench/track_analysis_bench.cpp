// The reversing-section search and the track-length table over generated layouts: the check
// runs the first after every change while its list is open, the table the second. Measured on
// the C-Track layouts as generated (three-rail: no polarity to work out) and on the same plans
// laid in TRIX C-Track, where every junction and track joins the polarity search.
#include "LayoutGenerator.h"
#include "core/app/ReversingSections.h"
#include "core/app/TrackLengths.h"
#include "core/catalog/TrackCatalog.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace plandor {
namespace {

// The same plan in TRIX C-Track: each C-Track part by its TRIX twin of the same geometry (the
// crossing, which TRIX lacks, by the double slip of the same shape).
Layout inTrix(Layout layout) {
    static const std::map<std::string, std::string> twins = {
        {"24188", "62188"}, {"24360", "62360"}, {"24130", "62130"}, {"24230", "62230"},
        {"24224", "62224"}, {"24611", "62611"}, {"24612", "62612"}, {"24640", "62624"},
        {"24977", "62977"}, {"24978", "62977"}, {"24172", "62172"}, {"24064", "62064"},
        {"24071", "62071"}, {"24077", "62077"}, {"24094", "62094"}, {"24229", "62229"},
        {"24236", "62236"}, {"74618", "62188"},
    };
    for (PlacedPiece& p : layout.pieces) {
        auto it = twins.find(p.part);
        if (it != twins.end())
            p.part = it->second;
    }
    return layout;
}

const Layout& generated(int pieces, bool trix) {
    static std::map<std::pair<int, bool>, Layout> cache;
    auto it = cache.find({pieces, trix});
    if (it == cache.end()) {
        Layout layout = generateLayout(pieces, 1);
        it = cache.emplace(std::make_pair(pieces, trix), trix ? inTrix(layout) : layout).first;
    }
    return it->second;
}

void BM_ReversingSections(benchmark::State& state) {
    TrackCatalog::instance();
    const Layout& layout = generated(static_cast<int>(state.range(0)), state.range(1) != 0);
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<ReversingSection> sections = findReversingSections(layout);
        found = sections.size();
        benchmark::DoNotOptimize(sections.data());
    }
    state.counters["sections"] = static_cast<double>(found);
}
BENCHMARK(BM_ReversingSections)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"pieces", "trix"})
    ->Unit(benchmark::kMillisecond);

void BM_TrackLengths(benchmark::State& state) {
    TrackCatalog::instance();
    const Layout& layout = generated(static_cast<int>(state.range(0)), state.range(1) != 0);
    std::size_t tracks = 0;
    for (auto _ : state) {
        const std::vector<TrackLength> table = trackLengths(layout);
        tracks = table.size();
        benchmark::DoNotOptimize(table.data());
    }
    state.counters["tracks"] = static_cast<double>(tracks);
}
BENCHMARK(BM_TrackLengths)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"pieces", "trix"})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace plandor
