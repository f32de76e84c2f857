// Repainting a full-screen canvas over a 10,000-piece layout when only an overlay changed (the
// kept picture is reused), over the whole window and over an overlay-sized area, against a
// repaint that must redraw the whole layout.
#include "LayoutGenerator.h"
#include "canvas/CanvasPanel.h"
#include "catalog/TrackCatalog.h"
#include "canvas/CanvasController.h"
#include "document/Document.h"
#include "canvas/PaletteActions.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/sizer.h>

#include <cstdio>
#include <vector>

using namespace plandor;

namespace {

class BenchApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

struct Scene {
    Document doc;
    wxFrame* frame = nullptr;
    CanvasPanel* canvas = nullptr;
};

// One full-screen canvas over the generated layout, fitted and painted once.
Scene& scene() {
    static Scene* s = [] {
        auto* sc = new Scene;
        sc->doc.layout = generateLayout(10000);
        sc->frame = new wxFrame(nullptr, wxID_ANY, "bench", wxPoint(0, 0), wxSize(1920, 1080));
        sc->canvas = new CanvasPanel(sc->frame, sc->doc);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(sc->canvas, 1, wxEXPAND);
        sc->frame->SetSizer(sizer);
        sc->frame->Show();
        sc->frame->Layout();
        sc->canvas->zoomToFit();
        for (int i = 0; i < 50 && sc->canvas->pictureRenderCount() == 0; ++i) {
            sc->canvas->Refresh();
            sc->canvas->Update();
            wxYield();
        }
        return sc;
    }();
    return *s;
}

void paintNow(CanvasPanel& canvas) {
    canvas.Refresh();
    canvas.Update();
}

void BM_CanvasRepaint_OverlayOnly10k(benchmark::State& state) {
    Scene& s = scene();
    const int before = s.canvas->pictureRenderCount();
    for (auto _ : state)
        paintNow(*s.canvas);
    state.counters["picture_redraws"] = s.canvas->pictureRenderCount() - before;
}
BENCHMARK(BM_CanvasRepaint_OverlayOnly10k)->Unit(benchmark::kMillisecond);

// An overlay such as a rubber band or a ghost piece repaints only the area it covers.
void BM_CanvasRepaint_OverlayArea10k(benchmark::State& state) {
    Scene& s = scene();
    const int before = s.canvas->pictureRenderCount();
    for (auto _ : state) {
        s.canvas->RefreshRect(wxRect(800, 400, 400, 300));
        s.canvas->Update();
    }
    state.counters["picture_redraws"] = s.canvas->pictureRenderCount() - before;
}
BENCHMARK(BM_CanvasRepaint_OverlayArea10k)->Unit(benchmark::kMillisecond);

// One mouse motion while placing a piece: the snap search over the whole layout, then a repaint
// of the ghost and the snap marker over the kept picture. The mouse visits the layout's free
// track ends in turn, so most motions find a snap target.
void BM_PlacingMotion10k(benchmark::State& state) {
    Scene& s = scene();
    const TrackCatalog& catalog = TrackCatalog::instance();
    const ViewTransform& view = s.canvas->controller().view().transform();
    std::vector<ScreenPoint> targets;
    for (const PlacedPiece& p : s.doc.layout.pieces) {
        const PieceDef* def = catalog.find(p.part);
        if (!def)
            continue;
        for (int c = 0; c < static_cast<int>(def->connectors.size()); ++c) {
            if (!p.jointAt(c).isFree())
                continue;
            const Pose w = worldConnector(Pose{p.x, p.y, p.heading}, *def, c);
            const ScreenPoint sp = view.toScreen(w.x, w.y);
            if (sp.x > 0 && sp.y > 0 && sp.x < 1900 && sp.y < 1060)
                targets.push_back(sp);
        }
    }
    if (targets.empty())
        targets.push_back(ScreenPoint{960, 540});
    s.canvas->beginPlacing(PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"});
    const int before = s.canvas->pictureRenderCount();
    std::size_t i = 0;
    int snapped = 0;
    for (auto _ : state) {
        MouseInput in;
        in.x = targets[i % targets.size()].x;
        in.y = targets[i % targets.size()].y;
        ++i;
        s.canvas->controller().motion(in);
        snapped += s.canvas->controller().overlays().snapMarker ? 1 : 0;
        paintNow(*s.canvas);
    }
    state.counters["picture_redraws"] = s.canvas->pictureRenderCount() - before;
    state.counters["snapped_share"] = i ? double(snapped) / double(i) : 0.0;
    s.canvas->controller().keyDown(CanvasKey::Escape, MouseInput{});
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
        paintNow(*s.canvas); // the picture follows the new view once, before timing
    }
    s.canvas->beginPlacing(PaletteAction{PaletteAction::Kind::BeginSceneryPlacing, "72886"});
    const int before = s.canvas->pictureRenderCount();
    int i = 0;
    for (auto _ : state) {
        MouseInput in;
        in.x = 200 + (i * 37) % 1500;
        in.y = 150 + (i * 23) % 800;
        ++i;
        s.canvas->applyReply(s.canvas->controller().motion(in));
        s.canvas->Update();
    }
    state.counters["picture_redraws"] = s.canvas->pictureRenderCount() - before;
    s.canvas->applyReply(s.canvas->controller().keyDown(CanvasKey::Escape, MouseInput{}));
    s.canvas->controller().view().setView(fitted.scale, fitted.panX, fitted.panY);
    paintNow(*s.canvas);
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
        // The panel repaints what the reply asks for: the area of the moving segment.
        s.canvas->applyReply(controller.motion(in));
        s.canvas->Update();
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

void BM_CanvasRepaint_LayoutChanged10k(benchmark::State& state) {
    Scene& s = scene();
    const int before = s.canvas->pictureRenderCount();
    for (auto _ : state) {
        s.canvas->layoutChanged();
        paintNow(*s.canvas);
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
    scene().frame->Destroy();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
