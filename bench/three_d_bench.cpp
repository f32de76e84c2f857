// Building the 3D scene of a generated layout: every piece and scenery instance, piers,
// shapes, tunnel hills and one mesh per part number and scenery type. The baseboard's
// triangulation belongs to the toolkit and is left out here.
#include "LayoutGenerator.h"
#include "core/render/Scene3D.h"

#include <benchmark/benchmark.h>

#include <map>

namespace plandor {
namespace {

const Layout& layoutOf(int pieces) {
    static std::map<int, Layout> layouts;
    auto it = layouts.find(pieces);
    if (it == layouts.end())
        it = layouts.emplace(pieces, generateLayout(pieces, 1)).first;
    return it->second;
}

void BM_BuildScene(benchmark::State& state) {
    const Layout& layout = layoutOf(static_cast<int>(state.range(0)));
    Scene3D scene;
    for (auto _ : state)
        buildScene(layout, scene, nullptr);
    state.counters["pieces"] = static_cast<double>(scene.pieces.size());
    state.counters["scenery"] = static_cast<double>(scene.scenery.size());
    state.counters["meshes"] = scene.meshesBuilt;
    state.counters["kinds"] =
        static_cast<double>(scene.pieceMeshes.size() + scene.sceneryMeshes.size());
}
BENCHMARK(BM_BuildScene)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace plandor
