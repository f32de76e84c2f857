// Drawing the whole plan: background and grid, selection winning over every other track colour,
// grade arrows and the skipping of items off the surface.
#include "LayoutBuilder.h"
#include "RecordingPainter.h"

#include "core/render/LayoutRenderer.h"
#include "core/render/RenderColors.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plandor;

namespace {

RecordingPainter draw(const Layout& layout,
                      const ViewTransform& view = ViewTransform{1, 100, 100}) {
    RecordingPainter painter;
    LayoutRenderer().drawLayout(painter, layout, view, kSurfaceWidth, kSurfaceHeight);
    return painter;
}

// The band polygon of the only piece in the layout.
DrawCall onlyBand(const Layout& layout) {
    const std::vector<DrawCall> polys = draw(layout).ofKind(DrawOp::Polygon);
    EXPECT_EQ(polys.size(), 1u);
    return polys.empty() ? DrawCall{} : polys[0];
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

TEST(RendererGradeArrow, PointsAlongTheHeadingOrAgainstItFromTheFarEnd) {
    const struct {
        const char* name;
        double deg;
        int anchorConn;
        bool joinFarEnd;
        ScreenPoint from, to;
        Color colour;
        const char* text;
    } cases[] = {
        // S = (300 + 94.15, 0), E = S + 20 mm along +x.
        {"rising", 2.0, 0, false, {494, 100}, {514, 100}, colors::GradeRising, "+2.0 deg"},
        // Connector 0 free, connector 1 joined: S = (300 - 94.15, 0), E = S - 20 mm.
        {"reversed", -1.5, 1, true, {305, 100}, {285, 100}, colors::GradeFalling, "-1.5 deg"},
    };
    for (const auto& c : cases) {
        Layout layout = bareLayout();
        const int32_t id = addPiece(layout, "24188", 300, 0).id;
        if (c.joinFarEnd) {
            ASSERT_TRUE(layout.join(id, 1, addPiece(layout, "24188", 488.3, 0).id, 0));
        }
        layout.gradeRuns.push_back(GradeRun{c.deg, id, c.anchorConn});
        const RecordingPainter p = draw(layout);
        const DrawCall shaft = p.ofKind(DrawOp::Line).back();
        const DrawCall head = p.ofKind(DrawOp::Polygon).back();
        EXPECT_EQ(shaft.points[0], c.from) << c.name;
        EXPECT_EQ(shaft.points[1], c.to) << c.name;
        EXPECT_EQ(head.points[0], c.to) << c.name;
        EXPECT_EQ(shaft.pen.color, c.colour) << c.name;
        EXPECT_NE(p.findText(c.text), nullptr) << c.name;
    }
}

TEST(RendererPieceColours, SelectionColoursWinOverEveryOtherColour) {
    const std::pair<const char*, std::function<void(Layout&, PlacedPiece&)>> conditions[] = {
        {"elevated", [](Layout&, PlacedPiece& p) { p.z = 100; }},
        {"level colour",
         [](Layout& l, PlacedPiece&) {
             l.levels[0].useTrackColor = true;
             l.levels[0].trackColor.r = 0;
         }},
        {"own colour",
         [](Layout&, PlacedPiece& p) {
             p.hasColor = true;
             p.color.r = 250;
         }},
        {"in a tunnel",
         [](Layout& l, PlacedPiece& p) {
             l.tunnels.push_back(Tunnel{0, -1, -1, p.id, p.id, {p.id}});
         }},
    };
    for (const auto& [name, condition] : conditions) {
        Layout layout = bareLayout();
        condition(layout, addPiece(layout, "24188", 0, 0));
        EXPECT_NE(onlyBand(layout).brush.color, colors::PieceFillSelected) << name;
        layout.pieces[0].selected = true;
        const DrawCall band = onlyBand(layout);
        EXPECT_EQ(band.brush.color, colors::PieceFillSelected) << name;
        EXPECT_EQ(band.pen.color, colors::PieceOutlineSelected) << name;
    }
}
