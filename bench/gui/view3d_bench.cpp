// The 3D view of a generated layout in the real windows: opened from the main window's command
// up to its first frame and idle (its display lists compile when idle after that), and, once they
// are, orbited by left-button drags through the canvas's own event handlers, each motion followed
// by its paint and the toolkit's work up to idle. The GL is whatever the display offers (Mesa's
// llvmpipe under Xvfb), finished before the clock stops. Memory is the growth of the resident set
// from before the view opened to its first frame.
#include "LayoutGenerator.h"

#include "core/app/Commands.h"
#include "core/document/Document.h"
#include "gui/ui/MainFrame.h"
#include "gui/wxrender/TrackGLCanvas.h"
#include "gui/wxrender/View3DFrame.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace plandor;

namespace {

void toIdle() {
    wxYield();
    wxTheApp->ProcessIdle();
}

void settle() {
    for (int i = 0; i < 20; ++i) {
        toIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// The resident set now, in MiB.
double residentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

double minimum(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

struct Window {
    std::string folder;
    MainFrame* frame = nullptr;
};

// The main window over a generated layout of `pieces` pieces, shown and idle.
Window& mainWindow(int pieces) {
    static Window* w = nullptr;
    static int shown = 0;
    if (w && shown == pieces)
        return *w;
    if (w) {
        w->frame->document().modified = false;
        w->frame->Destroy();
        settle();
        std::filesystem::remove_all(w->folder);
        delete w;
    }
    w = new Window;
    std::string pattern =
        (std::filesystem::temp_directory_path() / "plandor-bench-XXXXXX").string();
    w->folder = mkdtemp(pattern.data());
    w->frame = new MainFrame(Folders{w->folder, "", w->folder, ""});
    w->frame->SetSize(wxRect(0, 0, 1600, 1000));
    w->frame->Show();
    w->frame->applyChange(w->frame->document().replace(generateLayout(pieces, 1), "", "bench"));
    settle();
    shown = pieces;
    return *w;
}

void closeView(MainFrame& frame) {
    if (View3DFrame* view = frame.view3D()) {
        view->Destroy();
        settle();
    }
}

// Opens the view through the main window's command and waits for its first frame.
TrackGLCanvas* openView(MainFrame& frame) {
    wxCommandEvent command(wxEVT_MENU, Cmd3DView);
    frame.GetEventHandler()->ProcessEvent(command);
    View3DFrame* view = frame.view3D();
    if (!view)
        return nullptr;
    view->SetClientSize(1000, 700);
    for (int i = 0; i < 400 && view->canvas()->framesDrawn() == 0; ++i) {
        toIdle();
        if (view->canvas()->framesDrawn() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    glFinish();
    toIdle();
    return view->canvas()->framesDrawn() > 0 ? view->canvas() : nullptr;
}

// Waits while the view compiles, when idle, the lists of what its frames drew from arrays.
void finishLists(TrackGLCanvas& canvas) {
    for (int i = 0; i < 1000 && canvas.compiling(); ++i)
        toIdle();
}

void BM_Open3DView(benchmark::State& state) {
    Window& w = mainWindow(static_cast<int>(state.range(0)));
    closeView(*w.frame);
    double grown = 0, withLists = 0;
    for (auto _ : state) {
        const double before = residentMiB();
        TrackGLCanvas* canvas = openView(*w.frame);
        state.PauseTiming();
        if (!canvas) {
            state.SkipWithError("the 3D view drew no frame");
            break;
        }
        grown = std::max(grown, residentMiB() - before);
        finishLists(*canvas);
        withLists = std::max(withLists, residentMiB() - before);
        state.counters["pieces"] = static_cast<double>(canvas->scene().pieces.size());
        closeView(*w.frame);
        state.ResumeTiming();
    }
    state.counters["grown_MiB"] = grown;
    state.counters["with_lists_MiB"] = withLists; // once the idle time has compiled them
}
BENCHMARK(BM_Open3DView)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("min", minimum)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

void sendMouse(wxWindow& target, wxEventType type, int x, int y, bool leftDown) {
    wxMouseEvent e(type);
    e.SetPosition(wxPoint(x, y));
    e.m_leftDown = leftDown;
    e.SetEventObject(&target);
    target.GetEventHandler()->ProcessEvent(e);
}

// One motion of a left-button drag round the scene, drawn and finished.
void BM_Orbit3DView(benchmark::State& state) {
    Window& w = mainWindow(static_cast<int>(state.range(0)));
    closeView(*w.frame);
    TrackGLCanvas* canvas = openView(*w.frame);
    if (!canvas) {
        state.SkipWithError("the 3D view drew no frame");
        return;
    }
    finishLists(*canvas);
    sendMouse(*canvas, wxEVT_LEFT_DOWN, 500, 350, true);
    int x = 500;
    const int framesBefore = canvas->framesDrawn();
    for (auto _ : state) {
        x += 6;
        sendMouse(*canvas, wxEVT_MOTION, x, 350 + (x / 6) % 3, true);
        canvas->Update();
        glFinish();
        toIdle();
    }
    sendMouse(*canvas, wxEVT_LEFT_UP, x, 350, false);
    state.counters["frames"] = canvas->framesDrawn() - framesBefore;
    state.counters["pieces"] = static_cast<double>(canvas->scene().pieces.size());
    closeView(*w.frame);
}
BENCHMARK(BM_Orbit3DView)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ComputeStatistics("min", minimum)
    ->ReportAggregatesOnly(true)
    ->MeasureProcessCPUTime();

// An edit of one piece while the view is open, up to the view's next frame and idle: the
// main window brings the scene up to date and the view draws it.
void BM_EditWith3DViewOpen(benchmark::State& state) {
    Window& w = mainWindow(static_cast<int>(state.range(0)));
    closeView(*w.frame);
    TrackGLCanvas* canvas = openView(*w.frame);
    if (!canvas) {
        state.SkipWithError("the 3D view drew no frame");
        return;
    }
    finishLists(*canvas);
    Layout& layout = w.frame->document().layout;
    PlacedPiece& moved = layout.pieces[layout.pieces.size() / 2];
    double step = 1;
    for (auto _ : state) {
        const int frames = canvas->framesDrawn();
        moved.x += step;
        step = -step;
        w.frame->applyChange(Change(Change::Pieces));
        while (canvas->framesDrawn() == frames) {
            canvas->Update();
            toIdle();
        }
        glFinish();
        toIdle();
    }
    closeView(*w.frame);
}
BENCHMARK(BM_EditWith3DViewOpen)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ComputeStatistics("min", minimum)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// One frame drawn straight, without the toolkit, at the view's opening camera.
void BM_DrawFrame(benchmark::State& state) {
    Window& w = mainWindow(static_cast<int>(state.range(0)));
    closeView(*w.frame);
    TrackGLCanvas* canvas = openView(*w.frame);
    if (!canvas) {
        state.SkipWithError("the 3D view drew no frame");
        return;
    }
    finishLists(*canvas);
    for (auto _ : state) {
        canvas->renderFrame();
        glFinish();
    }
    state.counters["pieces"] = static_cast<double>(canvas->scene().pieces.size());
    closeView(*w.frame);
}
// llvmpipe draws on several threads: count the CPU time of all of them.
BENCHMARK(BM_DrawFrame)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime();

} // namespace
