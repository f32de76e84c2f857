// Whole-layout drawing: background, grid, baseboard dimensions and the skipping of items
// off the surface.
#include "LayoutBuilder.h"
#include "RecordingPainter.h"

#include "render/LayoutRenderer.h"
#include "render/RenderColors.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

RecordingPainter draw(const Layout& layout, const ViewTransform& view) {
    RecordingPainter painter;
    LayoutRenderer().drawLayout(painter, layout, view, kSurfaceWidth, kSurfaceHeight);
    return painter;
}

int linesWithPen(const RecordingPainter& p, Color c) {
    int n = 0;
    for (const DrawCall& call : p.ofKind(DrawOp::Line))
        n += !call.pen.transparent && call.pen.color == c;
    return n;
}

} // namespace

TEST(RendererBackground, EmptyLayoutDrawsOnlyBackgroundAndGrid) {
    Layout layout = bareLayout();
    const RecordingPainter bare = draw(layout, ViewTransform{1, 0, 0});
    ASSERT_EQ(bare.calls.size(), 1u);
    EXPECT_EQ(bare.calls[0].op, DrawOp::Clear);
    EXPECT_EQ(bare.calls[0].clearColor, (Color{255, 255, 255}));

    layout.showGrid = true; // 32 mm at 1 px/mm: 25 vertical, 19 horizontal lines, the cross
    const RecordingPainter grid = draw(layout, ViewTransform{1, 0, 0});
    EXPECT_EQ(grid.count(DrawOp::Line) + 1, static_cast<int>(grid.calls.size()));
    EXPECT_EQ(linesWithPen(grid, colors::GridLine), 25 + 19);
    EXPECT_EQ(linesWithPen(grid, colors::OriginCross), 2);
}

TEST(RendererGrid, DrawnOnlyFromSixToFourHundredPixels) {
    for (const auto& [spacing, drawn] : {std::pair{5.9, false}, std::pair{6.0, true},
                                         std::pair{400.0, true}, std::pair{401.0, false}}) {
        Layout layout = bareLayout();
        layout.showGrid = true;
        layout.gridSpacing = spacing;
        const RecordingPainter p = draw(layout, ViewTransform{1, 20, 20});
        EXPECT_EQ(linesWithPen(p, colors::GridLine) > 0, drawn) << spacing;
        EXPECT_EQ(linesWithPen(p, colors::OriginCross) > 0, drawn) << spacing;
    }
}

TEST(RendererBaseboard, EdgesOfTenMillimetresOrMoreGetTheirLengthOutsideTheEdge) {
    const struct {
        Units units;
        double shortEdge;
        std::vector<std::string> texts;
    } cases[] = {{Units::Millimetres, 9.9, {"1000 mm", "1000 mm"}},
                 {Units::Millimetres, 10, {"1000 mm", "10 mm", "1000 mm", "10 mm"}},
                 {Units::Inches, 10, {"39.37\"", "0.39\"", "39.37\"", "0.39\""}}};
    for (const auto& c : cases) {
        Layout layout = bareLayout();
        layout.units = c.units;
        layout.baseboard = {{0, 0}, {1000, 0}, {1000, c.shortEdge}, {0, c.shortEdge}};
        std::vector<std::string> texts;
        for (const DrawCall& t : draw(layout, ViewTransform{0.5, 100, 200}).texts())
            texts.push_back(t.text);
        EXPECT_EQ(texts, c.texts) << c.shortEdge;
    }
    Layout layout = bareLayout();
    layout.baseboard = {{0, 0}, {1000, 0}}; // too few vertices: nothing drawn
    EXPECT_EQ(draw(layout, ViewTransform{0.5, 0, 0}).calls.size(), 1u);
}

TEST(RendererCulling, ItemsOffTheSurfaceAreDroppedAndTheRestDrawnIdentically) {
    Layout visible = bareLayout();
    visible.showLabels = true;
    visible.showGrid = true;
    addPiece(visible, "24130", 300, 300, 45);
    addPiece(visible, "24188", -150, 300);   // crosses the left edge
    addPiece(visible, "8500", -10, 400, 90); // band off-screen, its label reaches in
    addPiece(visible, "74862", 820, 300);    // turntable disc reaches in from the right
    addLabel(visible, "Here", 400, 50);
    addScenery(visible, "platform", 500, 500, 30);
    visible.measurements.push_back(Measurement{visible.takeId(), 10, 580, 300, 580, 0, 0, false});

    Layout full = visible;
    addPiece(full, "24188", 5000, 100);
    addPiece(full, "74862", 1100, 300);
    addPiece(full, "8500", -30, 400, 90);
    addLabel(full, "Far", -500, -500);
    addScenery(full, "platform", 3000, 3000);
    addShape(full, {{2000, 0}, {2100, 0}, {2100, 100}}).label = "Far lake";
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
