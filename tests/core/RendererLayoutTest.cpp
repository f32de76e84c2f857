// Whole-layout drawing: background, grid, baseboard with dimensions, level outlines, shapes,
// drawing order and the skipping of items off the surface.
#include "RecordingPainter.h"
#include "RenderTestSupport.h"

#include "catalog/SceneryCatalog.h"
#include "render/LayoutRenderer.h"
#include "render/RenderColors.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

RecordingPainter draw(const Layout& layout, const ViewTransform& view) {
    RecordingPainter painter;
    LayoutRenderer renderer;
    renderer.drawLayout(painter, layout, view, kSurfaceWidth, kSurfaceHeight);
    return painter;
}

std::vector<DrawCall> linesWithPen(const RecordingPainter& p, Color c) {
    std::vector<DrawCall> out;
    for (const DrawCall& call : p.ofKind(DrawOp::Line))
        if (!call.pen.transparent && call.pen.color == c)
            out.push_back(call);
    return out;
}

int firstIndex(const RecordingPainter& p, const std::function<bool(const DrawCall&)>& match) {
    for (std::size_t i = 0; i < p.calls.size(); ++i)
        if (match(p.calls[i]))
            return static_cast<int>(i);
    return -1;
}

bool filledWith(const DrawCall& c, Color color) {
    return !c.brush.transparent && c.brush.color == color && c.op != DrawOp::Text;
}

} // namespace

TEST(RendererBackground, EmptyLayoutDrawsOnlyTheWhiteBackground) {
    const RecordingPainter p = draw(bareLayout(), ViewTransform{1, 0, 0});
    ASSERT_EQ(p.calls.size(), 1u);
    EXPECT_EQ(p.calls[0].op, DrawOp::Clear);
    EXPECT_EQ(p.calls[0].clearColor, (Color{255, 255, 255}));
}

TEST(RendererBackground, EmptyLayoutWithGridDrawsOnlyGridLinesAndOriginCross) {
    Layout layout = bareLayout();
    layout.showGrid = true; // 32 mm spacing at 1 px/mm
    const RecordingPainter p = draw(layout, ViewTransform{1, 0, 0});
    ASSERT_GT(p.calls.size(), 3u);
    EXPECT_EQ(p.calls[0].op, DrawOp::Clear);
    for (std::size_t i = 1; i < p.calls.size(); ++i)
        EXPECT_EQ(p.calls[i].op, DrawOp::Line) << p.calls[i];
    // 25 vertical lines (0 .. 768) and 19 horizontal ones (0 .. 576).
    EXPECT_EQ(linesWithPen(p, colors::GridLine).size(), 25u + 19u);
    const std::vector<DrawCall> cross = linesWithPen(p, colors::OriginCross);
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_EQ(cross[0].pen.width, 2);
    EXPECT_EQ(cross[0].points[0], (ScreenPoint{-10, 0}));
    EXPECT_EQ(cross[0].points[1], (ScreenPoint{10, 0}));
    EXPECT_EQ(cross[1].points[0], (ScreenPoint{0, -10}));
    EXPECT_EQ(cross[1].points[1], (ScreenPoint{0, 10}));
}

struct GridCase {
    const char* name;
    double spacing;
    double scale;
    bool drawn;
};

class GridThreshold : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridThreshold, GridIsDrawnOnlyBetweenSixAndFourHundredPixels) {
    const GridCase& c = GetParam();
    Layout layout = bareLayout();
    layout.showGrid = true;
    layout.gridSpacing = c.spacing;
    const RecordingPainter p = draw(layout, ViewTransform{c.scale, 20, 20});
    EXPECT_EQ(!linesWithPen(p, colors::GridLine).empty(), c.drawn);
    EXPECT_EQ(!linesWithPen(p, colors::OriginCross).empty(), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(Renderer, GridThreshold,
                         ::testing::Values(GridCase{"HalfPixel", 10, 0.05, false},
                                           GridCase{"JustBelowSix", 5.9, 1, false},
                                           GridCase{"Six", 6, 1, true},
                                           GridCase{"Forty", 10, 4, true},
                                           GridCase{"FourHundred", 400, 1, true},
                                           GridCase{"JustAboveFourHundred", 401, 1, false},
                                           GridCase{"FarAboveFourHundred", 10, 100, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RendererGrid, LinesStartAtThePannedPhaseAndStepBySpacing) {
    Layout layout = bareLayout();
    layout.showGrid = true;
    layout.gridSpacing = 10;
    const RecordingPainter p = draw(layout, ViewTransform{4, 15, -7});
    const std::vector<DrawCall> lines = linesWithPen(p, colors::GridLine);
    ASSERT_GT(lines.size(), 3u);
    // Vertical lines from floor(-15 / 40) * 40 + 15 = -25, top to bottom of the surface.
    EXPECT_EQ(lines[0].points[0], (ScreenPoint{-25, 0}));
    EXPECT_EQ(lines[0].points[1], (ScreenPoint{-25, kSurfaceHeight}));
    EXPECT_EQ(lines[1].points[0].x, 15);
    const int vertical = (kSurfaceWidth + 25 + 39) / 40;
    // Horizontal lines from floor(7 / 40) * 40 - 7 = -7.
    EXPECT_EQ(lines[vertical].points[0], (ScreenPoint{0, -7}));
    EXPECT_EQ(lines[vertical].points[1], (ScreenPoint{kSurfaceWidth, -7}));
    EXPECT_EQ(lines[vertical + 1].points[0].y, 33);
}

// ---- baseboard ----------------------------------------------------------------------------

struct DimensionCase {
    const char* name;
    uint32_t units;
    double shortEdge;
    std::vector<std::string> texts; // in edge order
};

class BaseboardDimensions : public ::testing::TestWithParam<DimensionCase> {};

TEST_P(BaseboardDimensions, EdgesOfTenMillimetresOrMoreGetTheirLength) {
    const DimensionCase& c = GetParam();
    Layout layout = bareLayout();
    layout.units = c.units;
    layout.baseboard = {{0, 0}, {1000, 0}, {1000, c.shortEdge}, {0, c.shortEdge}};
    const RecordingPainter p = draw(layout, ViewTransform{0.5, 100, 200});
    std::vector<std::string> texts;
    for (const DrawCall& t : p.texts())
        texts.push_back(t.text);
    EXPECT_EQ(texts, c.texts);
}

INSTANTIATE_TEST_SUITE_P(
    Renderer, BaseboardDimensions,
    ::testing::Values(
        DimensionCase{"MillimetresShortEdgeSkipped", 0, 9.9, {"1000 mm", "1000 mm"}},
        DimensionCase{"MillimetresTenShown", 0, 10, {"1000 mm", "10 mm", "1000 mm", "10 mm"}},
        DimensionCase{"CentimetresShortEdgeSkipped", 1, 9.9, {"100.0 cm", "100.0 cm"}},
        DimensionCase{"CentimetresTenShown", 1, 10, {"100.0 cm", "1.0 cm", "100.0 cm", "1.0 cm"}},
        DimensionCase{"InchesShortEdgeSkipped", 2, 9.9, {"39.37\"", "39.37\""}},
        DimensionCase{"InchesTenShown", 2, 10, {"39.37\"", "0.39\"", "39.37\"", "0.39\""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RendererBaseboard, FillOutlineAndDimensionBoxOutsideTheEdge) {
    Layout layout = bareLayout();
    layout.baseboard = {{0, 0}, {1000, 0}, {1000, 600}, {0, 600}};
    const RecordingPainter p = draw(layout, ViewTransform{0.5, 100, 200});
    const std::vector<DrawCall> polys = p.ofKind(DrawOp::Polygon);
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].brush.color, colors::BaseboardFill);
    EXPECT_EQ(polys[0].pen.color, colors::BaseboardPen);
    EXPECT_EQ(polys[0].pen.width, 2);
    EXPECT_EQ(polys[0].points[1], (ScreenPoint{600, 200}));
    EXPECT_TRUE(polys[1].brush.transparent);
    EXPECT_EQ(polys[1].pen.width, 2);

    // Top edge: mid-point (500, 0), pushed 12 mm away from the centroid -> screen (350, 194).
    // The recording font makes "1000 mm" at 11 pt 57 x 16 px.
    const DrawCall* text = p.findText("1000 mm");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->x, 350 - 28);
    EXPECT_EQ(text->y, 194 - 8);
    EXPECT_EQ(text->font.pointSize, 11);
    EXPECT_TRUE(text->font.bold);
    EXPECT_EQ(text->textColor, colors::DimensionText);
    EXPECT_FALSE(text->textBackgroundOpaque);
    const DrawCall box = p.ofKind(DrawOp::RoundedRectangle)[0];
    EXPECT_EQ(box.x, 350 - 28 - 4);
    EXPECT_EQ(box.y, 194 - 8 - 2);
    EXPECT_EQ(box.w, 57 + 8);
    EXPECT_EQ(box.h, 16 + 4);
    EXPECT_EQ(box.radius, 3);
    EXPECT_EQ(box.brush.color, colors::DimensionBoxFill);
    EXPECT_EQ(box.pen.color, colors::DimensionBoxPen);
    EXPECT_EQ(box.pen.width, 1);
}

TEST(RendererBaseboard, NothingWhenSwitchedOffOrTooFewVertices) {
    Layout layout = bareLayout();
    layout.baseboard = {{0, 0}, {1000, 0}, {1000, 600}};
    layout.showBaseboard = false;
    EXPECT_EQ(draw(layout, ViewTransform{0.5, 0, 0}).calls.size(), 1u);
    layout.showBaseboard = true;
    layout.baseboard.pop_back();
    EXPECT_EQ(draw(layout, ViewTransform{0.5, 0, 0}).calls.size(), 1u);
}

// ---- levels and shapes --------------------------------------------------------------------

TEST(RendererLevels, OutlinesFilledLowestFirstMixingTrackColourWithBaseboard) {
    Layout layout = bareLayout();
    Level high;
    high.id = 2;
    high.height = 100;
    high.useTrackColor = true; // (180, 200, 220) -> (223, 223, 213)
    high.outline = {{0, 0}, {100, 0}, {100, 100}};
    Level hidden;
    hidden.id = 3;
    hidden.visible = false;
    hidden.outline = high.outline;
    layout.levels.push_back(high);
    layout.levels.push_back(hidden);
    layout.levels[0].outline = {{0, 0}, {50, 0}, {50, 50}};
    std::swap(layout.levels[0], layout.levels[1]); // the higher level comes first in the list

    const std::vector<DrawCall> polys =
        draw(layout, ViewTransform{1, 0, 0}).ofKind(DrawOp::Polygon);
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].brush.color, colors::LevelFill);
    EXPECT_EQ(polys[1].brush.color, (Color{223, 223, 213}));
    EXPECT_EQ(polys[1].pen.color, colors::BaseboardPen);
    EXPECT_EQ(polys[1].pen.width, 2);
}

TEST(RendererShapes, SortedByLevelHeightWithOutlinePensAndCentredName) {
    Layout layout = bareLayout();
    Level upper;
    upper.id = 2;
    upper.height = 50;
    layout.levels.push_back(upper);
    PolygonShape top;
    top.level = 2;
    top.vertices = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    top.fillR = 100;
    top.fillG = 150;
    top.fillB = 200;
    top.fillA = 140;
    top.label = "Lake";
    PolygonShape selected = top;
    selected.level = 1;
    selected.selected = true;
    selected.label.clear();
    PolygonShape plain = selected;
    plain.selected = false;
    plain.outline = false;
    PolygonShape unknownLevel = plain; // a missing level sorts as height 0 and is visible
    unknownLevel.level = 99;
    layout.shapes = {top, selected, plain, unknownLevel};

    const RecordingPainter p = draw(layout, ViewTransform{1, 100, 100});
    const std::vector<DrawCall> polys = p.ofKind(DrawOp::Polygon);
    ASSERT_EQ(polys.size(), 4u);
    EXPECT_EQ(polys[0].pen.color, colors::SelectionBlue);
    EXPECT_EQ(polys[0].pen.width, 3);
    EXPECT_TRUE(polys[1].pen.transparent);
    EXPECT_TRUE(polys[2].pen.transparent);
    EXPECT_EQ(polys[3].brush.color, (Color{100, 150, 200, 140}));
    EXPECT_EQ(polys[3].pen.color, (Color{50, 75, 100}));
    EXPECT_EQ(polys[3].pen.width, 2);
    const DrawCall* name = p.findText("Lake");
    ASSERT_NE(name, nullptr);
    // "Lake" at 11 pt is 32 x 16 in the recording font, centred on (150, 150).
    EXPECT_EQ(name->x, 150 - 16);
    EXPECT_EQ(name->y, 150 - 8);
    EXPECT_EQ(name->textColor, colors::PlainText);
}

TEST(RendererShapes, HiddenLevelAndTooFewPointsAreSkipped) {
    Layout layout = bareLayout();
    layout.levels[0].visible = false;
    PolygonShape onHidden;
    onHidden.vertices = {{0, 0}, {100, 0}, {100, 100}};
    PolygonShape twoPoints;
    twoPoints.level = 5;
    twoPoints.vertices = {{0, 0}, {100, 0}};
    layout.shapes = {onHidden, twoPoints};
    EXPECT_EQ(draw(layout, ViewTransform{1, 0, 0}).calls.size(), 1u);
}

// ---- order of the whole picture -----------------------------------------------------------

TEST(RendererOrder, LayersFollowTheFixedDrawingOrder) {
    Layout layout = bareLayout();
    layout.showGrid = true;
    layout.baseboard = {{0, 0}, {600, 0}, {600, 400}, {0, 400}};
    layout.levels[0].outline = {{10, 10}, {300, 10}, {300, 300}};
    PolygonShape shape;
    shape.vertices = {{20, 20}, {80, 20}, {80, 80}};
    layout.shapes.push_back(shape);
    PlacedPiece& piece = addPiece(layout, "24188", 100, 200);
    const int32_t pieceId = piece.id;
    layout.gradeRuns.push_back(GradeRun{2.0, pieceId, 0});
    layout.labels.push_back(LayoutLabel{layout.takeId(), "Yard", 50, 50, false});
    layout.measurements.push_back(Measurement{layout.takeId(), 0, 350, 200, 350, 0, 0, false});

    const RecordingPainter p = draw(layout, ViewTransform{1, 10, 10});
    const int baseboardFill =
        firstIndex(p, [](const DrawCall& c) { return filledWith(c, colors::BaseboardFill); });
    const int levelFill =
        firstIndex(p, [](const DrawCall& c) { return filledWith(c, colors::LevelFill); });
    const int grid = firstIndex(p, [](const DrawCall& c) {
        return c.op == DrawOp::Line && c.pen.color == colors::GridLine;
    });
    const int baseboardOutline = firstIndex(p, [](const DrawCall& c) {
        return c.op == DrawOp::Polygon && c.brush.transparent &&
               c.pen.color == colors::BaseboardPen;
    });
    const int dimension = firstIndex(p, [](const DrawCall& c) { return c.text == "600 mm"; });
    const int shapeFill = firstIndex(p, [](const DrawCall& c) {
        return filledWith(c, Color{120, 170, 110, 140});
    });
    const int pieceFill =
        firstIndex(p, [](const DrawCall& c) { return filledWith(c, colors::PieceFill); });
    const int arrow =
        firstIndex(p, [](const DrawCall& c) { return filledWith(c, colors::GradeRising); });
    const int label = firstIndex(p, [](const DrawCall& c) { return c.text == "Yard"; });
    const int measure = firstIndex(p, [](const DrawCall& c) {
        return c.op == DrawOp::Line && c.pen.color == colors::MeasurementLine;
    });
    const std::vector<int> order = {baseboardFill, levelFill, grid,      baseboardOutline,
                                    dimension,     shapeFill, pieceFill, arrow,
                                    label,         measure};
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_GE(order[i], 0) << "layer " << i << " missing";
    for (std::size_t i = 1; i < order.size(); ++i)
        EXPECT_LT(order[i - 1], order[i]) << "layer " << i;
}

TEST(RendererOrder, SceneryUnderTrackAndTunnelPortalsOverIt) {
    const SceneryDef* platform = SceneryCatalog::instance().find("platform");
    const SceneryDef* portal = SceneryCatalog::instance().find("tunnel_portal_single");
    ASSERT_NE(platform, nullptr);
    ASSERT_NE(portal, nullptr);
    Layout layout = bareLayout();
    const int32_t pieceId = addPiece(layout, "24188", 100, 200).id;
    SceneryItem portalItem{layout.takeId(), "tunnel_portal_single", 120, 200, 0, false, 1, 1, 1};
    SceneryItem platformItem{layout.takeId(), "platform", 200, 250, 0, false, 1, 1, 1};
    layout.scenery = {portalItem, platformItem};
    Tunnel tunnel;
    tunnel.id = layout.takeId();
    tunnel.portalA = portalItem.id;
    tunnel.covers = {pieceId};
    layout.tunnels.push_back(tunnel);

    const ViewTransform view{1, 0, 0};
    RecordingPainter alone;
    LayoutRenderer single;
    single.drawSceneryItem(alone, *platform, 200, 250, 0, view, false, 1, 1);
    const DrawCall platformFirst = alone.calls.front();
    alone.reset();
    single.drawSceneryItem(alone, *portal, 120, 200, 0, view, false, 1, 1);
    const DrawCall portalFirst = alone.calls.front();

    const RecordingPainter p = draw(layout, view);
    const int platformAt = firstIndex(p, [&](const DrawCall& c) { return c == platformFirst; });
    const int portalAt = firstIndex(p, [&](const DrawCall& c) { return c == portalFirst; });
    // The covered piece is washed out: (210, 210, 205) -> (216, 216, 214).
    const int pieceAt = firstIndex(p, [](const DrawCall& c) {
        return filledWith(c, Color{216, 216, 214});
    });
    ASSERT_GE(platformAt, 0);
    ASSERT_GE(portalAt, 0);
    ASSERT_GE(pieceAt, 0);
    EXPECT_LT(platformAt, pieceAt);
    EXPECT_LT(pieceAt, portalAt);
}

TEST(RendererOrder, UnknownPartsSceneryAndHiddenLevelsAreSkipped) {
    Layout layout = bareLayout();
    addPiece(layout, "no-such-part", 100, 100);
    addPiece(layout, "24188", 100, 200).level = 7; // unknown level: drawn
    Level hidden;
    hidden.id = 2;
    hidden.visible = false;
    layout.levels.push_back(hidden);
    addPiece(layout, "24188", 100, 300).level = 2;
    layout.scenery.push_back(
        SceneryItem{layout.takeId(), "no-such-item", 100, 100, 0, false, 1, 1, 1});
    layout.scenery.push_back(SceneryItem{layout.takeId(), "platform", 300, 300, 0, false, 1, 1, 2});
    const RecordingPainter p = draw(layout, ViewTransform{1, 0, 0});
    ASSERT_EQ(p.ofKind(DrawOp::Polygon).size(), 1u);
    EXPECT_EQ(p.ofKind(DrawOp::Polygon)[0].points[0].y, 181); // trunc(200 - 18.7)
}

// ---- culling ------------------------------------------------------------------------------

TEST(RendererCulling, ItemsOffTheSurfaceAreDroppedAndTheRestDrawnIdentically) {
    Layout visible = bareLayout();
    visible.showLabels = true;
    visible.showGrid = true;
    addPiece(visible, "24188", 100, 100);
    addPiece(visible, "24130", 300, 300, 45);
    addPiece(visible, "24188", -150, 300);   // crosses the left edge
    addPiece(visible, "8500", -10, 400, 90); // band off-screen, its label reaches in
    addPiece(visible, "74862", 820, 300);    // turntable disc reaches in from the right
    visible.labels.push_back(LayoutLabel{visible.takeId(), "Here", 400, 50, false});
    visible.scenery.push_back(
        SceneryItem{visible.takeId(), "platform", 500, 500, 30, false, 1, 1, 1});
    visible.measurements.push_back(Measurement{visible.takeId(), 10, 580, 300, 580, 0, 0, false});

    Layout full = visible;
    addPiece(full, "24188", 5000, 100);
    addPiece(full, "24130", -800, -800);
    addPiece(full, "74862", 1100, 300);
    addPiece(full, "8500", -30, 400, 90);
    full.labels.push_back(LayoutLabel{full.takeId(), "Far", -500, -500, false});
    full.scenery.push_back(SceneryItem{full.takeId(), "platform", 3000, 3000, 0, false, 1, 1, 1});
    PolygonShape farShape;
    farShape.vertices = {{2000, 0}, {2100, 0}, {2100, 100}};
    farShape.label = "Far lake";
    full.shapes.push_back(farShape);
    full.measurements.push_back(Measurement{full.takeId(), 900, 900, 1000, 900, 0, 0, false});
    full.baseboard = {{-3000, -3000}, {-2000, -3000}, {-2000, -2000}};

    const ViewTransform view{1, 0, 0};
    const RecordingPainter drawnVisible = draw(visible, view);
    const RecordingPainter drawnFull = draw(full, view);
    ASSERT_EQ(drawnFull.calls.size(), drawnVisible.calls.size());
    for (std::size_t i = 0; i < drawnFull.calls.size(); ++i)
        EXPECT_EQ(drawnFull.calls[i], drawnVisible.calls[i]) << "call " << i;
    EXPECT_NE(drawnFull.findText("8500"), nullptr);
}
