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
    for (auto _ : state) {
        scene.clear(); // a first build: every shared mesh and cell is made
        buildScene(layout, RenderSettings::of(layout), scene, nullptr);
    }
    state.counters["pieces"] = static_cast<double>(scene.pieces.size());
    state.counters["scenery"] = static_cast<double>(scene.scenery.size());
    state.counters["meshes"] = scene.meshesBuilt;
    state.counters["piers"] = static_cast<double>(scene.piers.size());
    double plain = 0, fixed = 0;
    for (SceneCell& cell : scene.cells) {
        placeCellMeshes(scene, cell, TrackDetail::Plain);
        plain += static_cast<double>(cell.plainTrack.triangleCount());
        fixed += static_cast<double>(cell.fixed.triangleCount());
    }
    state.counters["cells"] = static_cast<double>(scene.cells.size());
    state.counters["plain_triangles"] = plain;
    state.counters["fixed_triangles"] = fixed;
    state.counters["kinds"] =
        static_cast<double>(scene.pieceMeshes.size() + scene.sceneryMeshes.size());
}
BENCHMARK(BM_BuildScene)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The scene built again after one piece moved, as the view does after an edit: the shared
// meshes and the cells the edit did not touch are kept.
void BM_RebuildSceneAfterEdit(benchmark::State& state) {
    Layout layout = layoutOf(static_cast<int>(state.range(0)));
    Scene3D scene;
    buildScene(layout, RenderSettings::of(layout), scene, nullptr);
    PlacedPiece& moved = layout.pieces[layout.pieces.size() / 2];
    double step = 25;
    for (auto _ : state) {
        moved.x += step;
        step = -step;
        buildScene(layout, RenderSettings::of(layout), scene, nullptr);
    }
    state.counters["meshes"] = scene.meshesBuilt;
    state.counters["cells"] = static_cast<double>(scene.cells.size());
}
BENCHMARK(BM_RebuildSceneAfterEdit)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace plandor
