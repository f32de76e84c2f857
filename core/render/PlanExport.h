#pragma once
// Exporting the plan as a picture: the sheets of paper (or the one big sheet) the visible
// levels are drawn on, worked out with the same page arithmetic as printing.

#include "core/model/Layout.h"
#include "core/render/PrintLayout.h"

#include <optional>
#include <string>

namespace plandor {

enum class ExportFormat { Pdf, Svg, Png };
enum class PaperSize { A4, A3, A2 };

// Exports draw on a 300 dpi device, like a common printer.
constexpr int kExportDpi = 300;

struct PlanExportOptions {
    ExportFormat format = ExportFormat::Pdf;
    int scaleDenominator = 0; // 1 : N; 0 fits the plan on one sheet of the paper size
    PaperSize paper = PaperSize::A4;
};

// What the drawing code needs: the box and grid of the pages, each width x height device
// pixels, and the print options the pages are drawn with. `error` is set instead when the
// picture cannot be made.
struct ExportPlan {
    Bounds box = kEmptyBounds;
    PageGrid grid;
    int width = 0;
    int height = 0;
    PrintOptions options;
    std::string error;
};

// The format named by a file's extension (".pdf", ".svg", ".png", any case).
std::optional<ExportFormat> exportFormatOf(const std::string& path);
// "A4", "A3", "A2" (any case).
std::optional<PaperSize> paperSizeOf(const std::string& name);
// Paper in device pixels at kExportDpi, portrait.
int paperWidthPx(PaperSize paper);
int paperHeightPx(PaperSize paper);

// Fit: one sheet of the paper turned the way that gives the larger scale. 1 : N: pages of
// the paper for PDF (turned the way that takes fewer pages), one sheet just large enough
// for SVG and PNG. Levels as shown on screen; grid and baseboard as the layout's switches.
ExportPlan planExport(const Layout& layout, const PlanExportOptions& options);

} // namespace plandor
