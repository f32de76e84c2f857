// The tally the properties panel rebuilds after every change, and the Buy Track cart, over
// large layouts.
#include "LayoutGenerator.h"
#include "core/app/Cart.h"
#include "core/app/Tally.h"
#include "core/catalog/HelixVariants.h"
#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"

#include <benchmark/benchmark.h>

namespace plandor {
namespace {

ShopMap benchShop() {
    ShopMap shop;
    shop.baseAddress = "https://shop.bench";
    for (const PieceDef& def : TrackCatalog::instance().pieces())
        if (def.system != TrixCTrack)
            shop.variants[def.partNumber] = "9" + def.partNumber;
    shop.variants["72886"] = "972886";
    return shop;
}

// Every catalogue part in turn, so the count map holds every part, plus scenery and helices.
Layout everyPartLayout(int pieces) {
    Layout layout;
    const auto& defs = TrackCatalog::instance().pieces();
    for (int i = 0; i < pieces; ++i) {
        PlacedPiece p;
        p.id = layout.takeId();
        p.part = defs[i % defs.size()].partNumber;
        layout.pieces.push_back(p);
    }
    const auto& scenery = SceneryCatalog::instance().defs();
    for (int i = 0; i < pieces / 20; ++i) {
        SceneryItem s;
        s.id = layout.takeId();
        s.item = scenery[i % scenery.size()].id;
        layout.scenery.push_back(s);
    }
    for (const HelixVariant& v : helixVariants()) {
        Helix h;
        h.id = layout.takeId();
        h.variant = v.id;
        layout.helices.push_back(h);
    }
    return layout;
}

void BM_TallyContent(benchmark::State& state) {
    const Layout layout = generateLayout(static_cast<int>(state.range(0)), 1);
    const ShopMap shop = benchShop();
    for (auto _ : state)
        benchmark::DoNotOptimize(tallyContent(layout, shop));
}
BENCHMARK(BM_TallyContent)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TallyContentEveryPart(benchmark::State& state) {
    const Layout layout = everyPartLayout(static_cast<int>(state.range(0)));
    const ShopMap shop = benchShop();
    for (auto _ : state)
        benchmark::DoNotOptimize(tallyContent(layout, shop));
}
BENCHMARK(BM_TallyContentEveryPart)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_CartPlan(benchmark::State& state) {
    const Layout layout = everyPartLayout(static_cast<int>(state.range(0)));
    const ShopMap shop = benchShop();
    for (auto _ : state)
        benchmark::DoNotOptimize(planCart(purchaseCounts(layout, shop), shop));
}
BENCHMARK(BM_CartPlan)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace plandor
