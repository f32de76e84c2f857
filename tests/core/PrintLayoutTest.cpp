// Page arithmetic of printing: the bounding box, the page grid for each scaling, the page
// views, and the layout switches a page changes only while it is drawn.
#include "LayoutBuilder.h"
#include "RecordingPainter.h"

#include "core/editing/Annotations.h"
#include "core/render/LayoutRenderer.h"
#include "core/render/PieceGeometry.h"
#include "core/render/PrintLayout.h"
#include "core/render/RenderColors.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace plandor {
namespace {

constexpr int kA4Width = 2480; // A4 at 300 dpi
constexpr int kA4Height = 3508;

PrintOptions scaled(int mode, int denominator = 10, int percentage = 100) {
    PrintOptions o;
    o.scalingMode = mode;
    o.scaleDenominator = denominator;
    o.percentage = percentage;
    return o;
}

struct GridCase {
    const char* name;
    Bounds box;
    PrintOptions options;
    int dpi;
    int across, down;
    double scale;
};

TEST(PageGrid, PagesAndScaleForEachScalingAndOutOfRangeInputs) {
    // Usable area of an A4 page: 2281 x 3227 pixels.
    const Bounds layout2x1{0, 0, 2000, 1000};
    const Bounds pageShaped{0, 0, 2281, 3227};
    const Bounds far{0, 0, 1e9, 1e9};
    const Bounds small{0, 0, 100, 100};
    const int kBig = std::numeric_limits<int>::max();
    const GridCase cases[] = {
        {"fit is one page", layout2x1, scaled(ScaleFitToPage), 300, 1, 1, 2281.0 / 2000},
        {"1:1 at 300 dpi", layout2x1, scaled(ScaleActual, 1), 300, 11, 4, 300 / 25.4},
        {"no resolution means 300 dpi", layout2x1, scaled(ScaleActual, 1), 0, 11, 4, 300 / 25.4},
        {"1:10 just spills across", layout2x1, scaled(ScaleActual, 10), 300, 2, 1, 30 / 25.4},
        {"200 % of a page-shaped layout", pageShaped, scaled(ScalePercentage, 10, 200), 300, 2, 2,
         2.0},
        {"201 % spills over", pageShaped, scaled(ScalePercentage, 10, 201), 300, 3, 3, 2.01},
        {"a point is one millimetre", Bounds{5, 5, 5, 5}, scaled(ScaleActual, 1), 300, 1, 1,
         300 / 25.4},
        // Inputs out of range are brought into range: no count overflows, no scale is zero or
        // less.
        {"a piece 1,000 km away at 1:1", far, scaled(ScaleActual, 1), 300, 501, 501, 300 / 25.4},
        {"a huge resolution is 10,000 dpi", small, scaled(ScaleActual, 1), kBig, 18, 13,
         10000 / 25.4},
        {"scale 1:0 is 1:1", small, scaled(ScaleActual, 0), 300, 1, 1, 300 / 25.4},
        {"scale 1:-5 is 1:1", small, scaled(ScaleActual, -5), 300, 1, 1, 300 / 25.4},
        {"scale 1:100000 is 1:1000", small, scaled(ScaleActual, 100000), 300, 1, 1, 0.3 / 25.4},
        {"0 % is 1 %", small, scaled(ScalePercentage, 10, 0), 300, 1, 1, 2281.0 / 100 / 100},
        {"-50 % is 1 %", small, scaled(ScalePercentage, 10, -50), 300, 1, 1, 2281.0 / 100 / 100},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PageGrid grid = pageGrid(c.box, c.options, kA4Width, kA4Height, c.dpi);
        EXPECT_EQ(grid.across, c.across);
        EXPECT_EQ(grid.down, c.down);
        EXPECT_NEAR(grid.scale, c.scale, 1e-9);
    }
    for (const int side : {0, -1, -kBig, kBig}) {
        SCOPED_TRACE(side);
        for (const PrintOptions& o :
             {scaled(ScaleFitToPage), scaled(ScaleActual, 1), scaled(ScalePercentage, 10, 1000)}) {
            const PageGrid grid = pageGrid(far, o, side, side, 300);
            EXPECT_GT(grid.scale, 0);
            EXPECT_TRUE(grid.across >= 1 && grid.across <= kMaxPrintPages + 1);
            EXPECT_TRUE(grid.down >= 1 && grid.down <= kMaxPrintPages + 1);
        }
    }
}

TEST(PageGrid, MoreThanFiveHundredPagesAreTooMany) {
    // A4 at 1:1 holds 228.1 x 322.7 mm of the plan per page (92 % of 247.9 x 350.8 mm).
    PrintOptions actual = scaled(ScaleActual, 1);
    const double pageW = 2281 * 25.4 / 300, pageH = 3227 * 25.4 / 300;
    const PageGrid exactly =
        pageGrid(Bounds{0, 0, 20 * pageW, 25 * pageH}, actual, kA4Width, kA4Height, 300);
    EXPECT_EQ(exactly.pageCount(), 500);
    EXPECT_FALSE(exactly.tooManyPages());
    const PageGrid over =
        pageGrid(Bounds{0, 0, 20 * pageW + 1, 25 * pageH}, actual, kA4Width, kA4Height, 300);
    EXPECT_EQ(over.pageCount(), 525);
    EXPECT_TRUE(over.tooManyPages());

    // Before a printer is chosen, on paper given in millimetres: the same count.
    Layout layout = bareLayout();
    layout.baseboard = {{0, 0}, {20 * pageW + 1, 0}, {20 * pageW + 1, 25 * pageH}};
    actual.levelMode = LevelsAll;
    EXPECT_TRUE(printGridOnPaper(layout, actual, 210, 297).tooManyPages());
    layout.baseboard[1].x = layout.baseboard[2].x = 20 * pageW;
    EXPECT_EQ(printGridOnPaper(layout, actual, 210, 297).pageCount(), 500);
    EXPECT_EQ(printGridOnPaper(layout, actual, 0, -5).pageCount(), 501 * 501)
        << "no paper leaves no room";
}

TEST(PageView, OnePageIsCentredAndPagesTileTheLayout) {
    const Bounds box{100, 200, 2100, 1200};
    const PageGrid fit = pageGrid(box, scaled(ScaleFitToPage), kA4Width, kA4Height, 300);
    const ViewTransform centred = pageView(box, fit, 1, kA4Width, kA4Height);
    EXPECT_NEAR(1100 * centred.scale + centred.panX, kA4Width / 2.0, 1.0);
    EXPECT_NEAR(700 * centred.scale + centred.panY, kA4Height / 2.0, 1.0);

    // 1:1: page 2 starts where page 1's printable width ends; page 12 starts the second row.
    const PageGrid tiles = pageGrid(box, scaled(ScaleActual, 1), kA4Width, kA4Height, 300);
    const int mx = 99, my = 140, pw = kA4Width - 2 * mx, ph = kA4Height - 2 * my;
    const ViewTransform first = pageView(box, tiles, 1, kA4Width, kA4Height);
    const ViewTransform second = pageView(box, tiles, 2, kA4Width, kA4Height);
    const ViewTransform nextRow = pageView(box, tiles, tiles.across + 1, kA4Width, kA4Height);
    EXPECT_NEAR(first.toWorldX(mx), box.minX, 1e-9);
    EXPECT_NEAR(first.toWorldY(my), box.minY, 1e-9);
    EXPECT_NEAR(second.toWorldX(mx), first.toWorldX(mx + pw), 1e-9);
    EXPECT_NEAR(nextRow.toWorldY(my), first.toWorldY(my + ph), 1e-9);
    EXPECT_NEAR(nextRow.toWorldX(mx), box.minX, 1e-9);
}

// The box the pages tile must hold the whole drawn band of a curve, not only its ends.
TEST(PrintBoundingBox, QuarterCircleOfR1CurvesPrintsWhole) {
    Layout layout = bareLayout();
    const PieceDef& r1 = catalogDef("24130");
    Pose at{0, 0, 0};
    std::vector<Point> outline;
    for (int i = 0; i < 3; ++i) { // three 30 degree curves, joined end to start
        addPiece(layout, "24130", at.x, at.y, at.heading);
        std::vector<Point> local;
        appendBandOutline(trackBands(r1).band[0], trackHalfWidth(r1), local);
        for (const Point& p : local)
            outline.push_back(PieceFrame(at.x, at.y, at.heading).apply(p));
        const Pose end = worldConnector(at, r1, 1);
        at = Pose{end.x, end.y, normalizeHeading(end.heading + 180)};
    }
    const Bounds box = printRunBox(layout, scaled(ScaleActual, 1));
    ASSERT_FALSE(outline.empty());
    for (const Point& p : outline)
        EXPECT_TRUE(p.x >= box.minX - 1e-9 && p.x <= box.maxX + 1e-9 && p.y >= box.minY - 1e-9 &&
                    p.y <= box.maxY + 1e-9)
            << "track at " << p.x << ", " << p.y << " is cut off";
}

TEST(PrintBoundingBox, WhatBoundsThePrint) {
    Layout layout = bareLayout();
    addLevel(layout, 2, 0);
    addPiece(layout, "24188", 0, 0);
    addPiece(layout, "24188", 8000, 0).level = 2;
    addPiece(layout, "no-such-part", -9000, -9000);
    addScenery(layout, "tree", 3000, 4000, 0, 2);
    layout.baseboard = {{-500, -500}, {-500, 600}};

    PrintOptions activeOnly; // active level 1, baseboard included
    Bounds box = printRunBox(layout, activeOnly);
    EXPECT_NEAR(box.minX, -500, 1e-9) << "baseboard";
    EXPECT_NEAR(box.maxX, 3000, 1e-9) << "scenery of another level still counts";
    EXPECT_NEAR(box.maxY, 4000, 1e-9);

    layout.showBaseboard = false;
    EXPECT_GE(printRunBox(layout, activeOnly).minX, -kTrackHalfWidth)
        << "a baseboard the layout hides is not printed and so bounds nothing";
    layout.showBaseboard = true;

    activeOnly.includeBaseboard = false;
    box = printRunBox(layout, activeOnly);
    // The straight's drawn band, a little round it at most; the unknown part adds nothing.
    EXPECT_LE(box.minX, 0);
    EXPECT_GE(box.minX, -kTrackHalfWidth);
    EXPECT_NEAR(box.minY, -kTrackHalfWidth, 1e-9) << "the band's width counts";

    PrintOptions all;
    all.levelMode = LevelsAll;
    const double farEnd = printRunBox(layout, all).maxX;
    EXPECT_GE(farEnd, 8188.3);
    EXPECT_LE(farEnd, 8188.3 + kTrackHalfWidth);

    const Bounds empty = printRunBox(bareLayout(), all);
    EXPECT_EQ(empty.minX, 0);
    EXPECT_EQ(empty.maxX, 1000);
    EXPECT_EQ(empty.maxY, 1000);
}

// A painter that gives up part-way through a page, as a failing device would.
class FailingPainter : public RecordingPainter {
  public:
    void drawPolygon(const std::vector<ScreenPoint>&) override {
        throw std::runtime_error("device gone");
    }
};

int gridLines(const RecordingPainter& painter) {
    int n = 0;
    for (const DrawCall& call : painter.ofKind(DrawOp::Line))
        n += call.pen.color == kPlanColors.gridLine;
    return n;
}

// Draws the first page of the print run onto an A4 sheet at 300 dpi.
void printFirstPage(Painter& painter, const Layout& layout, const PrintOptions& options) {
    const Bounds box = printRunBox(layout, options);
    const PageGrid grid = pageGrid(box, options, kA4Width, kA4Height, 300);
    LayoutRenderer renderer;
    renderer.drawLayout(painter, layout, printRenderSettings(layout, options),
                        pageView(box, grid, 1, kA4Width, kA4Height), kA4Width, kA4Height);
}

// The grid prints only when the layout shows it and the options ask for it; the levels are
// those of the options. Printing never changes the layout, however the page ends.
TEST(PrintPage, LevelsGridAndBaseboardComeFromTheOptionsAndTheLayoutStaysAsItWas) {
    Layout layout = bareLayout();
    addLevel(layout, 2, 0, false);
    addLevel(layout, 3, 0);
    layout.showGrid = true;
    layout.showBaseboard = false;
    addPiece(layout, "24188", 0, 0);
    addPiece(layout, "24188", 0, 300).level = 2;
    PrintOptions options;
    options.levelMode = LevelsAll;
    options.includeGrid = false;

    RecordingPainter painter;
    printFirstPage(painter, layout, options);
    EXPECT_EQ(painter.count(DrawOp::Polygon), 2) << "all levels: the hidden level prints too";
    EXPECT_EQ(gridLines(painter), 0);

    FailingPainter failing;
    EXPECT_THROW(printFirstPage(failing, layout, options), std::runtime_error);
    for (const auto& [id, visible] :
         std::vector<std::pair<int, bool>>{{1, true}, {2, false}, {3, true}})
        EXPECT_EQ(layout.findLevel(id)->visible, visible) << "level " << id;
    EXPECT_TRUE(layout.showGrid);
    EXPECT_FALSE(layout.showBaseboard);

    layout.activeLevel = 2;
    options.levelMode = LevelsActiveOnly;
    options.includeGrid = true;
    RecordingPainter activeOnly;
    printFirstPage(activeOnly, layout, options);
    EXPECT_EQ(activeOnly.count(DrawOp::Polygon), 1) << "only the active (hidden) level";
    EXPECT_GT(gridLines(activeOnly), 0);
    EXPECT_FALSE(layout.findLevel(2)->visible);

    layout.showGrid = false;
    RecordingPainter noGrid;
    printFirstPage(noGrid, layout, options);
    EXPECT_EQ(gridLines(noGrid), 0);
    EXPECT_FALSE(layout.showGrid);
}

// On paper every text follows the page's scale as the track does: a dimension, a label and a
// measurement are as large against the plan as on the canvas at scale 1, not fixed in points.
TEST(PrintPage, EveryTextFollowsThePageScale) {
    Layout layout = bareLayout();
    layout.baseboard = {{0, 0}, {1800, 0}, {1800, 800}, {0, 800}};
    addLabel(layout, "Station", 700, 340);
    addMeasurement(layout, Point{100, 100}, Point{600, 100});
    PrintOptions options;
    const Bounds box = printRunBox(layout, options);
    const PageGrid grid = pageGrid(box, options, kA4Width, kA4Height, 300);
    RecordingPainter painter;
    printFirstPage(painter, layout, options);
    const struct {
        const char* text;
        int canvasPoints; // at scale 1
    } texts[] = {{"1800 mm", 11}, {"Station", 11}, {"500 mm", 10}};
    for (const auto& t : texts) {
        SCOPED_TRACE(t.text);
        bool found = false;
        for (const DrawCall& call : painter.ofKind(DrawOp::Text))
            if (call.text == t.text) {
                EXPECT_EQ(call.font.pointSize, static_cast<int>(grid.scale * t.canvasPoints));
                found = true;
            }
        EXPECT_TRUE(found);
    }
}

// A print run's settings: the levels and switches of the options over the layout's, grey for a
// greyscale run, the selection as the screen shows it, text following the page's scale.
TEST(PrintPage, TheRunBuildsItsOwnSettings) {
    Layout layout = bareLayout();
    layout.activeLevel = 2;
    layout.showGrid = true;
    PrintOptions options;
    options.colorMode = PrintInGreyscale;
    options.includeGrid = true;
    RenderSettings s = printRenderSettings(layout, options);
    EXPECT_TRUE(s.greyscale);
    EXPECT_TRUE(s.grid);
    EXPECT_TRUE(s.selection);
    EXPECT_TRUE(s.textFollowsScale);
    EXPECT_EQ(s.levels, RenderSettings::Levels::OnlyOne);
    EXPECT_EQ(s.onlyLevel, 2);

    layout.showGrid = false;
    options.colorMode = PrintInColor;
    options.levelMode = LevelsAll;
    s = printRenderSettings(layout, options);
    EXPECT_FALSE(s.greyscale);
    EXPECT_FALSE(s.grid) << "the grid prints only where the layout shows it too";
    EXPECT_EQ(s.levels, RenderSettings::Levels::All);
}

} // namespace
} // namespace plandor
