// One frame of the 3D view of a generated layout, drawn into a 1000 x 700 window on whatever
// GL the display offers (Mesa's llvmpipe under Xvfb), finished before the clock stops.
#include "LayoutGenerator.h"

#include "gui/wxrender/TrackGLCanvas.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/sizer.h>

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

using namespace plandor;

namespace {

void settle() {
    for (int i = 0; i < 20; ++i) {
        wxYield();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void BM_DrawFrame(benchmark::State& state) {
    const Layout layout = generateLayout(static_cast<int>(state.range(0)), 1);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench");
    auto* canvas = new TrackGLCanvas(frame, layout);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(canvas, 1, wxEXPAND);
    frame->SetSizer(sizer);
    frame->SetClientSize(1000, 700);
    frame->Show();
    settle();
    if (!canvas->renderFrame()) {
        state.SkipWithError("no GL context");
    } else {
        for (auto _ : state) {
            canvas->renderFrame();
            glFinish();
        }
    }
    state.counters["pieces"] = static_cast<double>(canvas->scene().pieces.size());
    state.counters["width"] = canvas->GetClientSize().x;
    state.counters["height"] = canvas->GetClientSize().y;
    frame->Destroy();
    settle();
}
// llvmpipe draws on several threads: count the CPU time of all of them.
BENCHMARK(BM_DrawFrame)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime();

} // namespace
