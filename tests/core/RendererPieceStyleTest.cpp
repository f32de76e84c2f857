// Colours of track on the plan (selection, level and own colours, elevation tint, tunnels),
// part-number labels and connector dots.
#include "LayoutBuilder.h"
#include "RecordingPainter.h"

#include "render/LayoutRenderer.h"
#include "render/RenderColors.h"

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

} // namespace

TEST(RendererPieceColours, ElevationTintFollowsTheHeight) {
    const struct {
        double z;
        Color fill, outline;
    } cases[] = {
        {0.5, {210, 210, 205}, {120, 120, 115}}, // untinted
        {0.6, {210, 210, 203}, {150, 150, 173}},
        {60, {255, 220, 60}, {195, 160, 30}},
        {400, {180, 110, 0}, {120, 50, 0}},
    };
    for (const auto& c : cases) {
        Layout layout = bareLayout();
        addPiece(layout, "24188", 0, 0).z = c.z;
        const DrawCall band = onlyBand(layout);
        EXPECT_EQ(band.brush.color, c.fill) << c.z;
        EXPECT_EQ(band.pen.color, c.outline) << c.z;
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

TEST(RendererPartNumber, LabelsAndDotsNeedLabelsOnAndAFifthOfFullSize) {
    const struct {
        bool labelsOn;
        double scale;
        bool drawn;
    } cases[] = {{true, 1.0, true}, {false, 1.0, false}, {true, 0.19, false}, {true, 0.2, true}};
    for (const auto& c : cases) {
        Layout layout = bareLayout();
        layout.showLabels = c.labelsOn;
        addPiece(layout, "24188", 0, 0);
        const RecordingPainter p = draw(layout, ViewTransform{c.scale, 100, 100});
        EXPECT_EQ(p.findText("24188") != nullptr, c.drawn) << c.labelsOn << " " << c.scale;
        EXPECT_EQ(p.count(DrawOp::Circle), c.drawn ? 2 : 0) << c.labelsOn << " " << c.scale;
    }
}
