#include "core/render/PrintLayout.h"

#include "core/base/Geometry.h"
#include "core/catalog/HelixVariants.h"
#include "core/catalog/TrackCatalog.h"
#include "core/render/PieceGeometry.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {

constexpr double kUsablePart = 0.92; // of the page, for the grid
constexpr double kMarginPart = 0.04; // of the page, each side
constexpr int kRingPiecesPerTurn = 12;
// Rounding slack so that a scale that exactly fills k pages does not ask for k + 1.
constexpr double kPageSlack = 1e-9;

struct Extent : Bounds {
    // A piece's drawn outline: the corners of its local box, turned and placed.
    void addPiece(const PieceDef& def, double x, double y, double heading) {
        const Bounds local = pieceLocalBounds(def);
        const PieceFrame frame(x, y, heading);
        for (const Point corner : {Point{local.minX, local.minY}, Point{local.maxX, local.minY},
                                   Point{local.maxX, local.maxY}, Point{local.minX, local.maxY}}) {
            const Point p = frame.apply(corner);
            add(p.x, p.y);
        }
    }
};

bool levelHidden(const Layout& layout, int32_t levelId) {
    const Level* level = layout.findLevel(levelId);
    return level != nullptr && !level->visible;
}

bool pieceIncluded(const Layout& layout, const PlacedPiece& piece, const BoxFilter& filter) {
    if (filter.onlyLevel >= 0 && piece.level != filter.onlyLevel)
        return false;
    return !(filter.skipHidden && levelHidden(layout, piece.level));
}

// The ring pieces the renderer lays round a helix (one turn repeats the same ring).
void addHelixRings(Extent& extent, const Layout& layout, const Helix& helix,
                   const BoxFilter& filter) {
    const HelixVariant* variant = findHelixVariant(helix.variant);
    if (!variant)
        variant = findHelixVariant(defaultHelixVariantId());
    if (!variant)
        return;
    const TrackCatalog& catalog = TrackCatalog::instance();
    const PieceDef* inner = catalog.find(variant->innerCurvePart);
    const PieceDef* outer = catalog.find(variant->outerCurvePart);
    if (!inner || !outer)
        return;
    int32_t level = 1;
    for (const PlacedPiece& p : layout.pieces)
        if (p.helix == helix.id) {
            level = p.level;
            break;
        }
    if (filter.onlyLevel >= 0 && level != filter.onlyLevel)
        return;
    if (filter.skipHidden && levelHidden(layout, level))
        return;
    const int rings =
        std::min(kRingPiecesPerTurn, static_cast<int>(std::trunc(variant->turns * 12)));
    const double rot = helix.heading * kDegToRad;
    const double c = std::cos(rot), s = std::sin(rot);
    for (const auto& [radius, def] : {std::pair{variant->r1, inner}, std::pair{variant->r2, outer}})
        for (int i = 1; i <= rings; ++i) {
            const double a = -90.0 - 30.0 * i;
            const double lx = radius * std::cos(a * kDegToRad);
            const double ly = radius * std::sin(a * kDegToRad);
            extent.addPiece(*def, helix.cx + lx * c - ly * s, helix.cy + lx * s + ly * c,
                            a + 90.0 + helix.heading);
        }
}

// Far beyond any printer, and small enough that a page in pixels fits an int.
constexpr int kMaxDpi = 10000;
constexpr int kMaxPagePx = 1 << 20;

// Pages needed along one side, at most kMaxPrintPages + 1; not-a-number counts as too many.
int pagesFor(double extentPx, int usablePx) {
    const double pages = std::ceil(extentPx / usablePx - kPageSlack);
    if (!(pages <= kMaxPrintPages))
        return kMaxPrintPages + 1;
    return std::max(1, static_cast<int>(pages));
}

} // namespace

Bounds printBoundingBox(const Layout& layout, const BoxFilter& filter) {
    Extent extent;
    const TrackCatalog& catalog = TrackCatalog::instance();
    for (const PlacedPiece& piece : layout.pieces) {
        if (!pieceIncluded(layout, piece, filter))
            continue;
        if (const PieceDef* def = catalog.find(piece.part))
            extent.addPiece(*def, piece.x, piece.y, piece.heading);
    }
    for (const Helix& helix : layout.helices)
        addHelixRings(extent, layout, helix, filter);
    for (const SceneryItem& item : layout.scenery)
        extent.add(item.x, item.y);
    if (filter.baseboard)
        for (const Point& p : layout.baseboard)
            extent.add(p.x, p.y);
    if (extent.empty())
        return kEmptyBounds;
    return extent;
}

std::string tooManyPagesMessage() {
    return "At this scale the plan would take more than 500 pages. Choose a smaller scale "
           "(a larger N) or fit the plan to the page.";
}

int effectiveDpi(int reportedDpi) {
    return reportedDpi < 1 ? kPrintDefaultDpi : std::min(reportedDpi, kMaxDpi);
}

PageGrid pageGrid(const Bounds& box, const PrintOptions& options, int width, int height, int dpi) {
    const double w = std::max(1.0, box.maxX - box.minX);
    const double h = std::max(1.0, box.maxY - box.minY);
    const int u =
        std::max(1, static_cast<int>(std::trunc(kUsablePart * std::clamp(width, 0, kMaxPagePx))));
    const int v =
        std::max(1, static_cast<int>(std::trunc(kUsablePart * std::clamp(height, 0, kMaxPagePx))));
    const double fit = std::min(v / h, u / w);
    PageGrid grid;
    switch (options.scalingMode) {
    case ScaleActual:
        grid.scale = effectiveDpi(dpi) / kMmPerInch / std::clamp(options.scaleDenominator, 1, 1000);
        break;
    case ScalePercentage:
        grid.scale = fit * std::clamp(options.percentage, 1, 1000) / 100.0;
        break;
    default:
        grid.scale = fit;
        return grid;
    }
    grid.across = pagesFor(grid.scale * w, u);
    grid.down = pagesFor(grid.scale * h, v);
    return grid;
}

ViewTransform pageView(const Bounds& box, const PageGrid& grid, int page, int width, int height) {
    const int mx = static_cast<int>(std::trunc(kMarginPart * width));
    const int my = static_cast<int>(std::trunc(kMarginPart * height));
    const double pw = width - 2 * mx, ph = height - 2 * my;
    const double s = grid.scale;
    ViewTransform view;
    view.scale = s;
    if (grid.pageCount() > 1) {
        const int column = (page - 1) % grid.across;
        const int row = (page - 1) / grid.across;
        view.panX = mx - (pw / s * column + box.minX) * s;
        view.panY = my - (ph / s * row + box.minY) * s;
    } else {
        const double w = std::max(1.0, box.maxX - box.minX);
        const double h = std::max(1.0, box.maxY - box.minY);
        view.panX = (pw - w * s) / 2 + mx - s * box.minX;
        view.panY = (ph - h * s) / 2 + my - s * box.minY;
    }
    return view;
}

RenderOptions printRenderOptions(const Layout& layout, const PrintOptions& options) {
    RenderOptions render = RenderOptions::of(layout);
    render.grid = layout.showGrid && options.includeGrid;
    render.baseboard = layout.showBaseboard && options.includeBaseboard;
    render.textFollowsScale = true;
    render.selection = options.showSelection;
    if (options.levelMode == LevelsAll) {
        render.levels = RenderOptions::Levels::All;
    } else if (options.levelMode == LevelsActiveOnly) {
        render.levels = RenderOptions::Levels::OnlyOne;
        render.onlyLevel = layout.activeLevel;
    }
    return render;
}

Bounds printRunBox(const Layout& layout, const PrintOptions& options) {
    BoxFilter filter;
    filter.onlyLevel = options.levelMode == LevelsAll ? -1 : layout.activeLevel;
    filter.baseboard = options.includeBaseboard && layout.showBaseboard; // as it is drawn
    return printBoundingBox(layout, filter);
}

PageGrid printGridOnPaper(const Layout& layout, const PrintOptions& options, double widthMm,
                          double heightMm) {
    const auto px = [](double mm) {
        const double v = mm / kMmPerInch * kPrintDefaultDpi;
        return v > 0 && v < kMaxPagePx ? static_cast<int>(std::lround(v)) : 0;
    };
    return pageGrid(printRunBox(layout, options), options, px(widthMm), px(heightMm),
                    kPrintDefaultDpi);
}

void drawPrintPage(Painter& painter, LayoutRenderer& renderer, const Layout& layout,
                   const PrintOptions& options, const ViewTransform& view, int width, int height) {
    renderer.drawLayout(painter, layout, printRenderOptions(layout, options), view, width, height);
}

} // namespace plandor
