#include "core/render/PlanExport.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace plandor {

namespace {

// A PNG is held in memory while it is drawn; past this it is refused, not attempted.
constexpr double kMaxPngPixels = 64e6;
constexpr int kMaxSheetSide = 32767; // the drawing surface's limit

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

double paperMm(PaperSize paper, bool longSide) {
    switch (paper) {
    case PaperSize::A3:
        return longSide ? 420 : 297;
    case PaperSize::A2:
        return longSide ? 594 : 420;
    default:
        return longSide ? 297 : 210;
    }
}

int mmToPx(double mm) {
    return static_cast<int>(std::lround(mm / kMmPerInch * kExportDpi));
}

// The better of portrait and landscape: fewer pages, then the larger scale, then the side
// that matches the plan's shape.
void choosePaperSide(ExportPlan& plan, PaperSize paper) {
    const int shortPx = paperWidthPx(paper), longPx = paperHeightPx(paper);
    const PageGrid portrait = pageGrid(plan.box, plan.options, shortPx, longPx, kExportDpi);
    const PageGrid landscape = pageGrid(plan.box, plan.options, longPx, shortPx, kExportDpi);
    const bool wide = plan.box.maxX - plan.box.minX > plan.box.maxY - plan.box.minY;
    bool turn = landscape.pageCount() < portrait.pageCount();
    if (landscape.pageCount() == portrait.pageCount())
        turn = landscape.scale > portrait.scale || (landscape.scale == portrait.scale && wide);
    plan.grid = turn ? landscape : portrait;
    plan.width = turn ? longPx : shortPx;
    plan.height = turn ? shortPx : longPx;
}

// One sheet that holds the whole box at the grid's scale inside the page margins.
void sizeOneSheet(ExportPlan& plan) {
    const double w = std::max(1.0, plan.box.maxX - plan.box.minX) * plan.grid.scale;
    const double h = std::max(1.0, plan.box.maxY - plan.box.minY) * plan.grid.scale;
    const double width = std::ceil(w / 0.92) + 1, height = std::ceil(h / 0.92) + 1;
    // Kept just past the limit so the caller can refuse it without overflowing an int.
    plan.width = static_cast<int>(std::min<double>(width, kMaxSheetSide + 1.0));
    plan.height = static_cast<int>(std::min<double>(height, kMaxSheetSide + 1.0));
}

} // namespace

std::optional<ExportFormat> exportFormatOf(const std::string& path) {
    const std::string name = lowered(path);
    if (endsWith(name, ".pdf"))
        return ExportFormat::Pdf;
    if (endsWith(name, ".svg"))
        return ExportFormat::Svg;
    if (endsWith(name, ".png"))
        return ExportFormat::Png;
    return std::nullopt;
}

std::optional<PaperSize> paperSizeOf(const std::string& name) {
    const std::string n = lowered(name);
    if (n == "a4")
        return PaperSize::A4;
    if (n == "a3")
        return PaperSize::A3;
    if (n == "a2")
        return PaperSize::A2;
    return std::nullopt;
}

int paperWidthPx(PaperSize paper) {
    return mmToPx(paperMm(paper, false));
}

int paperHeightPx(PaperSize paper) {
    return mmToPx(paperMm(paper, true));
}

ExportPlan planExport(const Layout& layout, const PlanExportOptions& options) {
    ExportPlan plan;
    // What the screen shows: visible levels, the layout's own grid and baseboard switches.
    plan.options.levelMode = LevelsAsShown;
    plan.options.includeGrid = true;
    plan.options.includeBaseboard = true;
    plan.options.showSelection = false; // a picture of the plan, not of the editing session
    plan.box = printBoundingBox(layout, BoxFilter{-1, true, layout.showBaseboard});

    if (options.scaleDenominator <= 0) {
        plan.options.scalingMode = ScaleFitToPage;
        choosePaperSide(plan, options.paper);
        return plan;
    }
    plan.options.scalingMode = ScaleActual;
    plan.options.scaleDenominator = options.scaleDenominator;
    if (options.format == ExportFormat::Pdf) {
        choosePaperSide(plan, options.paper);
        if (plan.grid.tooManyPages())
            plan.error = tooManyPagesMessage();
        return plan;
    }
    plan.grid.scale = kExportDpi / kMmPerInch / options.scaleDenominator;
    sizeOneSheet(plan);
    const double pixels = double(plan.width) * plan.height;
    if (plan.width > kMaxSheetSide || plan.height > kMaxSheetSide ||
        (options.format == ExportFormat::Png && pixels > kMaxPngPixels))
        plan.error =
            "The picture would be too large at 1 : " + std::to_string(options.scaleDenominator) +
            ". Choose a smaller scale (a larger N) or PDF.";
    return plan;
}

} // namespace plandor
