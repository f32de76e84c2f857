// Exporting generated layouts as PDF pages and as one SVG sheet, and the first page of a
// print preview of a large layout fitted to the page. Run under Xvfb when there is no display.
#include "LayoutGenerator.h"

#include "core/render/PlanExport.h"
#include "gui/wxrender/LayoutPrintout.h"
#include "gui/wxrender/PlanExporter.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/print.h>

#include <cstdio>
#include <filesystem>
#include <map>

using namespace plandor;

namespace {

Layout& layoutOf(int pieces) {
    static std::map<int, Layout> layouts;
    auto it = layouts.find(pieces);
    if (it == layouts.end())
        it = layouts.emplace(pieces, generateLayout(pieces, 1)).first;
    return it->second;
}

std::string outputPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void exportAs(benchmark::State& state, const PlanExportOptions& options, const char* file) {
    Layout& layout = layoutOf(static_cast<int>(state.range(0)));
    const std::string path = outputPath(file);
    for (auto _ : state) {
        const std::string error = exportPlanFile(layout, options, path);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    state.counters["pages"] = planExport(layout, options).grid.pageCount();
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

// Arguments: pieces, scale denominator. The generated 1,000-piece layout spreads over about
// 22 x 17 m, so 1:14 gives it about as many A4 pages (44) as a 2 x 1 m plan takes at 1:1.
void BM_ExportPdfPages(benchmark::State& state) {
    exportAs(state, {ExportFormat::Pdf, static_cast<int>(state.range(1)), PaperSize::A4},
             "plandor-bench.pdf");
}
BENCHMARK(BM_ExportPdfPages)->Args({1000, 14})->Unit(benchmark::kMillisecond);

void BM_ExportSvgSheet(benchmark::State& state) {
    exportAs(state, {ExportFormat::Svg, static_cast<int>(state.range(1)), PaperSize::A4},
             "plandor-bench.svg");
}
BENCHMARK(BM_ExportSvgSheet)->Args({1000, 14})->Unit(benchmark::kMillisecond);

// A new preview with the first page drawn, as File > Print Preview shows it.
void BM_PrintPreviewFirstPage(benchmark::State& state) {
    Layout& layout = layoutOf(static_cast<int>(state.range(0)));
    const PrintOptions fitted;
    wxPrintData printData;
    printData.SetPaperId(wxPAPER_A4);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "preview");
    for (auto _ : state) {
        wxPrintDialogData data(printData);
        wxPrintPreview preview(new LayoutPrintout(kPrintoutTitle, layout, fitted), nullptr, &data);
        auto* canvas = new wxPreviewCanvas(&preview, frame);
        preview.SetCanvas(canvas);
        const bool drawn = preview.IsOk() && preview.RenderPage(1);
        canvas->Destroy();
        if (!drawn)
            state.SkipWithError("preview not usable");
    }
    frame->Destroy();
    state.counters["pieces"] = static_cast<double>(layout.pieces.size());
}
BENCHMARK(BM_PrintPreviewFirstPage)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
