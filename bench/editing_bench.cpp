// Costs of the editing operations on large layouts: the ghost snap search, the move snap while
// dragging half of a layout, delete / copy / paste of half a layout, and a Shift chain search
// across a long loop.
#include "LayoutGenerator.h"

#include "core/base/Prompter.h"
#include "core/editing/Clipboard.h"
#include "core/editing/Delete.h"
#include "core/editing/MoveSelection.h"
#include "core/editing/Selection.h"
#include "core/editing/Snap.h"

#include <benchmark/benchmark.h>
#include <random>

using namespace plandor;

namespace {

class YesPrompter : public Prompter {
  public:
    void message(const std::string&, const std::string&, PromptIcon) override {}
    PromptAnswer askYesNo(const std::string&, const std::string&, PromptIcon, bool) override {
        return PromptAnswer::Yes;
    }
    PromptAnswer askYesNoCancel(const std::string&, const std::string&, PromptIcon) override {
        return PromptAnswer::Yes;
    }
    bool askText(const std::string&, const std::string&, const std::string&,
                 std::string&) override {
        return false;
    }
    int choose(const std::string&, const std::string&, const std::vector<std::string>&) override {
        return -1;
    }
};

// Selects about half of the pieces at random, leaving helices and tunnels alone so that the
// operations are not refused.
void selectHalf(Layout& layout, unsigned seed) {
    std::mt19937 rng(seed);
    for (PlacedPiece& p : layout.pieces)
        p.selected = p.helix == -1 && (rng() & 1);
    for (const Tunnel& t : layout.tunnels)
        for (int32_t id : t.covers)
            if (PlacedPiece* p = layout.findPiece(id))
                p->selected = false;
    for (SceneryItem& s : layout.scenery)
        s.selected = false;
}

// Ghost positions: at free ends and at random points of the layout's extent.
std::vector<Pose> ghostPoses(const Layout& layout, int count) {
    std::mt19937 rng(3);
    std::vector<Pose> poses;
    for (int i = 0; i < count; ++i) {
        const PlacedPiece& p = layout.pieces[rng() % layout.pieces.size()];
        poses.push_back(Pose{p.x + double(rng() % 40) - 20, p.y + double(rng() % 40) - 20,
                             double(rng() % 24) * 15});
    }
    return poses;
}

void BM_GhostSnap(benchmark::State& state) {
    const Layout layout = generateLayout(static_cast<int>(state.range(0)), 1);
    const std::vector<Pose> poses = ghostPoses(layout, 256);
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const SnapResult r = snapGhost(layout, "24188", poses[i++ % poses.size()]);
        found += r.found;
        benchmark::DoNotOptimize(r);
    }
    state.counters["found%"] = 100.0 * found / std::max<std::size_t>(i, 1);
}
BENCHMARK(BM_GhostSnap)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// A crowded worst case: every piece of a 10,000-piece layout within 2 m of the ghost.
void BM_GhostSnapCrowded(benchmark::State& state) {
    Layout layout = generateLayout(10000, 1);
    std::mt19937 rng(11);
    for (PlacedPiece& p : layout.pieces) {
        p.x = double(rng() % 2000);
        p.y = double(rng() % 2000);
        p.heading = double(rng() % 24) * 15;
    }
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            snapGhost(layout, "24188", Pose{1000, 1000, double(i++ % 24) * 15}));
}
BENCHMARK(BM_GhostSnapCrowded)->Unit(benchmark::kMicrosecond);

void BM_MoveSnapMotion(benchmark::State& state) {
    Layout layout = generateLayout(10000, 1);
    selectHalf(layout, 5);
    YesPrompter prompter;
    bool graded = true;
    SelectionMove move;
    if (!move.begin(layout, prompter, graded, Point{0, 0})) {
        state.SkipWithError("move refused");
        return;
    }
    int step = 0, found = 0;
    for (auto _ : state) {
        const double d = (step++ % 7) * 3.0;
        move.motion(layout, Point{d, d * 0.5});
        found += move.snap().snap.found;
    }
    state.counters["selected"] = static_cast<double>(selectedPieceIndices(layout).size());
    state.counters["found%"] = 100.0 * found / std::max(step, 1);
}
BENCHMARK(BM_MoveSnapMotion)->Unit(benchmark::kMillisecond);

void BM_MoveSnapPlainMotion(benchmark::State& state) {
    Layout layout = generateLayout(10000, 1);
    selectHalf(layout, 5);
    for (auto _ : state)
        benchmark::DoNotOptimize(findMoveSnapPlain(layout));
}
BENCHMARK(BM_MoveSnapPlainMotion)->Unit(benchmark::kMillisecond);

void BM_MoveBegin(benchmark::State& state) {
    const Layout original = [] {
        Layout l = generateLayout(10000, 1);
        selectHalf(l, 5);
        return l;
    }();
    YesPrompter prompter;
    for (auto _ : state) {
        state.PauseTiming();
        Layout layout = original;
        state.ResumeTiming();
        bool graded = true;
        SelectionMove move;
        benchmark::DoNotOptimize(move.begin(layout, prompter, graded, Point{0, 0}));
        move.motion(layout, Point{2, 2});
        move.release(layout);
    }
}
BENCHMARK(BM_MoveBegin)->Unit(benchmark::kMillisecond);

void BM_DeleteHalf(benchmark::State& state) {
    Layout original = generateLayout(10000, 1);
    selectHalf(original, 5);
    YesPrompter prompter;
    for (auto _ : state) {
        state.PauseTiming();
        Layout layout = original;
        state.ResumeTiming();
        benchmark::DoNotOptimize(deleteSelection(layout, prompter));
    }
}
BENCHMARK(BM_DeleteHalf)->Unit(benchmark::kMillisecond);

void BM_CopyHalf(benchmark::State& state) {
    Layout layout = generateLayout(10000, 1);
    selectHalf(layout, 5);
    Clipboard clipboard;
    for (auto _ : state) {
        copySelection(layout, clipboard);
        benchmark::DoNotOptimize(clipboard.pieces.data());
    }
}
BENCHMARK(BM_CopyHalf)->Unit(benchmark::kMillisecond);

void BM_PasteHalf(benchmark::State& state) {
    Layout original = generateLayout(10000, 1);
    selectHalf(original, 5);
    Clipboard clipboard;
    copySelection(original, clipboard);
    for (auto _ : state) {
        state.PauseTiming();
        Layout layout = original;
        state.ResumeTiming();
        benchmark::DoNotOptimize(pasteAt(layout, clipboard, Point{5000, 5000}));
    }
}
BENCHMARK(BM_PasteHalf)->Unit(benchmark::kMillisecond);

// A closed loop of 10,000 joined pieces; the Shift+click goes to the far side of it.
void BM_ShiftChainAcrossLoop(benchmark::State& state) {
    Layout layout;
    layout.ensureDefaultLevel();
    const int n = 10000;
    for (int i = 0; i < n; ++i) {
        PlacedPiece p = makePlacedPiece("24130");
        p.id = layout.takeId();
        layout.pieces.push_back(p);
    }
    for (int i = 0; i < n; ++i) {
        layout.pieces[i].joints[1] = Joint{layout.pieces[(i + 1) % n].id, 0};
        layout.pieces[(i + 1) % n].joints[0] = Joint{layout.pieces[i].id, 1};
    }
    for (auto _ : state) {
        clearSelection(layout);
        layout.pieces[0].selected = true;
        clickPiece(layout, layout.pieces[n / 2].id, false, true);
    }
    state.counters["selected"] = static_cast<double>(selectedPieceIndices(layout).size());
}
BENCHMARK(BM_ShiftChainAcrossLoop)->Unit(benchmark::kMillisecond);

} // namespace
