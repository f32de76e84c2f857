// The canvas of the real main window over a 10,000-piece layout, fitted to the window. Mouse
// motions and clicks go through the panel's own event handlers and are followed by the paint
// and the toolkit's work up to idle (status bar, menu and tool states), as in the program:
// placing a piece, moving a selection, dropping a piece. Repaints with only an overlay changed
// and a full redraw of the kept picture are the references.
#include "LayoutGenerator.h"
#include "core/canvas/CanvasController.h"
#include "core/canvas/PaletteActions.h"
#include "core/catalog/TrackCatalog.h"
#include "core/document/Document.h"
#include "core/render/PieceGeometry.h"
#include "gui/canvas/CanvasPanel.h"
#include "gui/ui/MainFrame.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/init.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace plandor;

namespace {

class BenchApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

constexpr int kPieces = 10000;

double minimum(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

struct Scene {
    std::string folder;
    MainFrame* frame = nullptr;
    CanvasPanel* canvas = nullptr;
    Document& doc() { return frame->document(); }
};

// Everything the toolkit has queued after an event, then the idle-time work.
void toIdle(CanvasPanel& canvas) {
    canvas.Update();
    wxYield();
    wxTheApp->ProcessIdle();
}

// The main window over the generated layout, fitted and painted once.
Scene& scene() {
    static Scene* s = [] {
        auto* sc = new Scene;
        std::string pattern =
            (std::filesystem::temp_directory_path() / "plandor-bench-XXXXXX").string();
        sc->folder = mkdtemp(pattern.data());
        sc->frame = new MainFrame(Folders{sc->folder, "", sc->folder, ""});
        sc->frame->SetSize(wxRect(0, 0, 1920, 1080));
        sc->frame->Show();
        sc->canvas = sc->frame->canvas();
        sc->frame->applyChange(sc->doc().replace(generateLayout(kPieces), "", "bench"));
        for (int i = 0; i < 20; ++i)
            toIdle(*sc->canvas);
        sc->canvas->zoomToFit();
        for (int i = 0; i < 50 && sc->canvas->pictureRenderCount() == 0; ++i)
            toIdle(*sc->canvas);
        toIdle(*sc->canvas);
        return sc;
    }();
    return *s;
}

void send(CanvasPanel& canvas, wxEventType type, ScreenPoint at, bool leftDown) {
    wxMouseEvent e(type);
    e.SetPosition(wxPoint(at.x, at.y));
    e.m_leftDown = leftDown;
    e.SetEventObject(&canvas);
    canvas.GetEventHandler()->ProcessEvent(e);
}

// Screen points of the layout's free track ends inside the canvas, where a ghost snaps; with
// `owners`, the position of each end's piece in the layout.
std::vector<ScreenPoint> freeEnds(Scene& s, std::vector<std::size_t>* owners = nullptr) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    const ViewTransform& view = s.canvas->view().transform();
    const wxSize size = s.canvas->GetClientSize();
    std::vector<ScreenPoint> ends;
    const std::vector<PlacedPiece>& pieces = s.doc().layout.pieces;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const PlacedPiece& p = pieces[k];
        const PieceDef* def = catalog.find(p.part);
        if (!def)
            continue;
        for (int c = 0; c < static_cast<int>(def->connectors.size()); ++c) {
            if (!p.jointAt(c).isFree())
                continue;
            const Pose w = worldConnector(Pose{p.x, p.y, p.heading}, *def, c);
            const ScreenPoint sp = view.toScreen(w.x, w.y);
            if (sp.x > 40 && sp.y > 40 && sp.x < size.x - 20 && sp.y < size.y - 20) {
                ends.push_back(sp);
                if (owners)
                    owners->push_back(k);
            }
        }
    }
    if (ends.empty())
        ends.push_back(ScreenPoint{size.x / 2, size.y / 2});
    return ends;
}

// Repainting with only an overlay changed: one copy of the kept picture.
void BM_CanvasRepaint_OverlayOnly10k(benchmark::State& state) {
    Scene& s = scene();
    const int before = s.canvas->pictureRenderCount();
    for (auto _ : state) {
        s.canvas->Refresh();
        s.canvas->Update();
    }
    state.counters["picture_redraws"] = s.canvas->pictureRenderCount() - before;
}
BENCHMARK(BM_CanvasRepaint_OverlayOnly10k)->Unit(benchmark::kMillisecond);

// One mouse motion while placing a piece: the snap search, the ghost and the snap marker over
// the kept picture, the coordinates in the status bar. The mouse visits free track ends in
// turn, so most motions find a snap target.
void BM_PlacingMotion10k(benchmark::State& state) {
    Scene& s = scene();
    const std::vector<ScreenPoint> targets = freeEnds(s);
    s.canvas->beginPlacing(PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"});
    toIdle(*s.canvas);
    const int before = s.canvas->pictureRenderCount();
    std::size_t i = 0;
    int snapped = 0;
    for (auto _ : state) {
        send(*s.canvas, wxEVT_MOTION, targets[i++ % targets.size()], false);
        toIdle(*s.canvas);
        snapped += s.canvas->controller().overlays().snapMarker ? 1 : 0;
    }
    state.counters["picture_redraws"] = s.canvas->pictureRenderCount() - before;
    state.counters["snapped_share"] = i ? double(snapped) / double(i) : 0.0;
    s.canvas->controller().keyDown(CanvasKey::Escape, MouseInput{});
    toIdle(*s.canvas);
}
BENCHMARK(BM_PlacingMotion10k)->Unit(benchmark::kMillisecond);

// One mouse motion while placing a scenery item (the roundhouse, the largest drawing): the
// ghost follows the cursor across the screen; the panel repaints what the reply asks for, the
// area of the old and the new ghost over the kept picture.
// Argument 0: the whole layout in view; 1: zoomed in to 1 px per mm (a ghost of 386 x 343 px).
void BM_SceneryGhostMotion10k(benchmark::State& state) {
    Scene& s = scene();
    const ViewTransform fitted = s.canvas->controller().view().transform();
    if (state.range(0) == 1) {
        s.canvas->controller().view().setView(1.0, fitted.panX, fitted.panY);
        toIdle(*s.canvas); // the picture follows the new view once, before timing
    }
    s.canvas->beginPlacing(PaletteAction{PaletteAction::Kind::BeginSceneryPlacing, "72886"});
    const int before = s.canvas->pictureRenderCount();
    int i = 0;
    for (auto _ : state) {
        MouseInput in;
        in.x = 200 + (i * 37) % 1500;
        in.y = 150 + (i * 23) % 800;
        ++i;
        send(*s.canvas, wxEVT_MOTION, ScreenPoint{in.x, in.y}, false);
        toIdle(*s.canvas);
    }
    state.counters["picture_redraws"] = s.canvas->pictureRenderCount() - before;
    s.canvas->applyReply(s.canvas->controller().keyDown(CanvasKey::Escape, MouseInput{}));
    s.canvas->controller().view().setView(fitted.scale, fitted.panX, fitted.panY);
    toIdle(*s.canvas);
}
BENCHMARK(BM_SceneryGhostMotion10k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One mouse motion while a drawing tool is on: the line to the cursor with its length follows
// the mouse over the kept picture. `mode` is the measuring tape or the polygon outline (five
// vertices already down).
void drawingMotion(benchmark::State& state, ToolMode mode) {
    Scene& s = scene();
    CanvasController& controller = s.canvas->controller();
    s.canvas->setToolMode(mode);
    const int clicks = mode == ToolMode::Measure ? 1 : 5;
    for (int i = 0; i < clicks; ++i) {
        MouseInput in;
        in.x = 400 + 150 * i;
        in.y = 300 + 60 * (i % 2);
        in.leftDown = true;
        s.canvas->applyReply(controller.leftDown(in));
    }
    const int before = s.canvas->pictureRenderCount();
    int i = 0;
    for (auto _ : state) {
        MouseInput in;
        in.x = 300 + (i * 37) % 1200;
        in.y = 200 + (i * 53) % 700;
        ++i;
        send(*s.canvas, wxEVT_MOTION, ScreenPoint{in.x, in.y}, false);
        toIdle(*s.canvas);
    }
    state.counters["picture_redraws"] = s.canvas->pictureRenderCount() - before;
    s.canvas->applyReply(controller.keyDown(CanvasKey::Escape, MouseInput{}));
}

void BM_MeasuringMotion10k(benchmark::State& state) {
    drawingMotion(state, ToolMode::Measure);
}
BENCHMARK(BM_MeasuringMotion10k)->Unit(benchmark::kMillisecond);

void BM_OutlineMotion10k(benchmark::State& state) {
    drawingMotion(state, ToolMode::Polygon);
}
BENCHMARK(BM_OutlineMotion10k)->Unit(benchmark::kMillisecond);

// One mouse motion while dragging a run of pieces (state.range(0) of them) across the plan.
void BM_MovingSelectionMotion10k(benchmark::State& state) {
    Scene& s = scene();
    Layout& layout = s.doc().layout;
    const int count = static_cast<int>(state.range(0));
    for (PlacedPiece& p : layout.pieces)
        p.selected = false;
    const int first = kPieces / 2;
    for (int i = first; i < first + count; ++i)
        layout.pieces[i].selected = true;
    s.frame->applyChange(Change(Change::Selection));
    toIdle(*s.canvas);

    // The press lands on the middle of the first selected piece.
    const PlacedPiece& grabbed = layout.pieces[first];
    const PieceDef* def = TrackCatalog::instance().find(grabbed.part);
    const Point mid = PieceFrame(grabbed.x, grabbed.y, grabbed.heading)
                          .apply(def ? pieceMidPoint(*def) : Point{});
    const ScreenPoint press = s.canvas->view().transform().toScreen(mid.x, mid.y);
    const double startX = grabbed.x;
    send(*s.canvas, wxEVT_LEFT_DOWN, press, true);
    toIdle(*s.canvas);

    const int before = s.canvas->pictureRenderCount();
    int step = 0;
    double moved = 0;
    for (auto _ : state) {
        // Round a 40-pixel square, well past the drag threshold.
        const int k = step++ % 4;
        const ScreenPoint at{press.x + (k == 1 || k == 2 ? 40 : 10), press.y + (k >= 2 ? 40 : 10)};
        send(*s.canvas, wxEVT_MOTION, at, true);
        toIdle(*s.canvas);
        moved = std::max(moved, std::abs(layout.pieces[first].x - startX));
    }
    state.counters["picture_redraws"] = s.canvas->pictureRenderCount() - before;
    state.counters["moved_mm"] = moved;
    send(*s.canvas, wxEVT_MOTION, press, true);
    send(*s.canvas, wxEVT_LEFT_UP, press, false);
    toIdle(*s.canvas);
    s.frame->applyChange(s.doc().undo());
    toIdle(*s.canvas);
}
BENCHMARK(BM_MovingSelectionMotion10k)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

// A click that drops a piece on a free end, up to idle: the edit, the picture brought up to
// date, the window's panels and the paint. Before each drop, as after the last one a user
// made elsewhere, a piece far from the drop is the selection, which the drop takes away. Each
// drop is undone outside the timing.
void BM_DropToIdle10k(benchmark::State& state) {
    Scene& s = scene();
    std::vector<std::size_t> owners;
    const std::vector<ScreenPoint> targets = freeEnds(s, &owners);
    const std::size_t pieces = s.doc().layout.pieces.size();
    static std::size_t i = 0; // each repetition drops at the next free end
    int placed = 0;
    int fullRedraws = 0, areaRedraws = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t target = (i++ * 7) % targets.size();
        const ScreenPoint at = targets[target];
        // The end halfway round the list lies elsewhere on the plan.
        const std::size_t far = (target + targets.size() / 2) % targets.size();
        for (PlacedPiece& p : s.doc().layout.pieces)
            p.selected = false;
        s.doc().layout.pieces[owners[far]].selected = true;
        s.frame->applyChange(Change(Change::Selection));
        toIdle(*s.canvas);
        s.canvas->beginPlacing(PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"});
        send(*s.canvas, wxEVT_MOTION, at, false);
        toIdle(*s.canvas);
        const int fullBefore = s.canvas->pictureRenderCount();
        const int areaBefore = s.canvas->pictureAreaRenderCount();
        state.ResumeTiming();

        send(*s.canvas, wxEVT_LEFT_DOWN, at, true);
        toIdle(*s.canvas);

        state.PauseTiming();
        fullRedraws += s.canvas->pictureRenderCount() - fullBefore;
        areaRedraws += s.canvas->pictureAreaRenderCount() - areaBefore;
        placed += s.doc().layout.pieces.size() > pieces ? 1 : 0;
        send(*s.canvas, wxEVT_LEFT_UP, at, false);
        s.frame->applyChange(s.doc().undo());
        toIdle(*s.canvas);
        state.ResumeTiming();
    }
    state.counters["placed"] = placed;
    state.counters["picture_redraws"] = fullRedraws;
    state.counters["area_redraws"] = areaRedraws;
}
// One drop per repetition, so that the figures are the fastest and the median drop.
BENCHMARK(BM_DropToIdle10k)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(25)
    ->ComputeStatistics("min", minimum)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The reference: the whole kept picture drawn again.
void BM_CanvasRepaint_LayoutChanged10k(benchmark::State& state) {
    Scene& s = scene();
    const int before = s.canvas->pictureRenderCount();
    for (auto _ : state) {
        s.canvas->layoutChanged();
        s.canvas->Update();
    }
    state.counters["picture_redraws"] = s.canvas->pictureRenderCount() - before;
}
BENCHMARK(BM_CanvasRepaint_LayoutChanged10k)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "wx could not start (no display?)\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Scene& s = scene();
    s.doc().modified = false;
    delete s.frame;
    std::filesystem::remove_all(s.folder);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
