#pragma once
// Page arithmetic of printing and plan export: which part of the layout goes on paper, how
// many pages it takes at a scale, and where each page looks. Also the layout switches a
// print run changes for a while and puts back.

#include "core/model/Layout.h"
#include "core/render/LayoutRenderer.h"
#include "core/render/Painter.h"
#include "core/render/ViewTransform.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace plandor {

enum PrintScaling : int { ScaleFitToPage = 0, ScaleActual = 1, ScalePercentage = 2 };
// Exports keep the levels as the screen shows them.
enum PrintLevels : int { LevelsActiveOnly = 0, LevelsAll = 1, LevelsAsShown = 2 };
enum PrintColors : int { PrintInColor = 0, PrintInGreyscale = 1 };

// Kept by the main window for the whole run and edited by the Print Options dialog.
struct PrintOptions {
    int scalingMode = ScaleFitToPage;
    int scaleDenominator = 10; // 1 : N, N in 1..1000
    int percentage = 100;      // 1..1000
    int levelMode = LevelsActiveOnly;
    int colorMode = PrintInColor;
    bool includeGrid = false;
    bool includeBaseboard = true;
    // Selected items in the selection colours; an export shows the plan, not the selection.
    bool showSelection = true;
};

constexpr int kPrintDefaultDpi = 300; // when the printer reports no resolution
constexpr double kMmPerInch = 25.4;

// The area printed when nothing bounds it: a metre square at the origin.
inline constexpr Bounds kEmptyBounds{0, 0, 1000, 1000};

// Whose track bounds the printed area.
struct BoxFilter {
    int32_t onlyLevel = -1;  // pieces of this level only; -1: every level
    bool skipHidden = false; // leave out pieces and helices on hidden levels
    bool baseboard = true;   // include the baseboard vertices
};

// The extent drawn by the layout's track (each piece's drawn outline, helix rings included),
// every scenery item's position whatever its level, and the baseboard when asked. An empty
// result is (0, 0)-(1000, 1000).
Bounds printBoundingBox(const Layout& layout, const BoxFilter& filter);

// More pages than this are refused, in print and export alike, before anything is drawn:
// a far-flung piece at 1 : 1 would otherwise ask for millions of them.
constexpr int kMaxPrintPages = 500;

// Scale in device pixels per millimetre and the pages across and down. Each side is held
// to kMaxPrintPages + 1, which is already too many, so the count never overflows.
struct PageGrid {
    double scale = 1.0;
    int across = 1;
    int down = 1;
    int pageCount() const { return across * down; }
    bool tooManyPages() const { return pageCount() > kMaxPrintPages; }
};

// The message for a grid of more than kMaxPrintPages pages.
std::string tooManyPagesMessage();

// The printer's horizontal resolution, or the default when it reports less than 1.
int effectiveDpi(int reportedDpi);

// Pages for a page of width x height device pixels (92 % of each is usable). A page size,
// scale, percentage or resolution out of range is brought into range, never trusted.
PageGrid pageGrid(const Bounds& box, const PrintOptions& options, int width, int height, int dpi);

// The view transform of page p (1-based) of a grid: consecutive pieces of the layout across
// then down, or the drawing centred when there is one page. Pages keep a 4 % margin.
ViewTransform pageView(const Bounds& box, const PageGrid& grid, int page, int width, int height);

// What a page of a print run shows: the levels of the options (the active level only or all,
// or as the screen shows them), the grid and the baseboard when both the layout and the
// options have them. Built for the run; the layout itself is never changed to print.
RenderOptions printRenderOptions(const Layout& layout, const PrintOptions& options);

// The box a print run bounds: pieces of the active level only or of every level, scenery
// of every level, the baseboard when the options include it.
Bounds printRunBox(const Layout& layout, const PrintOptions& options);

// The grid of a print run on paper of the given size in millimetres, worked out before a
// printer is chosen: the number of pages does not depend on the printer's resolution.
PageGrid printGridOnPaper(const Layout& layout, const PrintOptions& options, double widthMm,
                          double heightMm);

// Draws a page of a print run through its view (pageView, or that view scaled for a coarser
// surface) on a width x height surface, with the levels, grid and baseboard of the options.
void drawPrintPage(Painter& painter, LayoutRenderer& renderer, const Layout& layout,
                   const PrintOptions& options, const ViewTransform& view, int width, int height);

} // namespace plandor
