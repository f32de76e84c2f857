// Colours of track on the plan (selection, level and own colours, elevation tint, tunnels),
// selected pieces last, part-number labels and connector dots.
#include "RecordingPainter.h"
#include "RenderTestSupport.h"

#include "render/LayoutRenderer.h"
#include "render/RenderColors.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

const ViewTransform kView{1, 100, 100};

RecordingPainter draw(const Layout& layout, const ViewTransform& view = kView) {
    RecordingPainter painter;
    LayoutRenderer renderer;
    renderer.drawLayout(painter, layout, view, kSurfaceWidth, kSurfaceHeight);
    return painter;
}

// The band polygon of the only piece in the layout.
DrawCall onlyBand(const Layout& layout) {
    const std::vector<DrawCall> polys = draw(layout).ofKind(DrawOp::Polygon);
    EXPECT_EQ(polys.size(), 1u);
    return polys.empty() ? DrawCall{} : polys[0];
}

} // namespace

struct TintCase {
    const char* name;
    double z;
    Color fill;
    Color outline;
};

class ElevationTint : public ::testing::TestWithParam<TintCase> {};

TEST_P(ElevationTint, FillAndOutlineFollowTheHeight) {
    const TintCase& c = GetParam();
    Layout layout = bareLayout();
    addPiece(layout, "24188", 0, 0).z = c.z;
    const DrawCall band = onlyBand(layout);
    EXPECT_EQ(band.brush.color, c.fill);
    EXPECT_EQ(band.pen.color, c.outline);
    EXPECT_EQ(band.pen.width, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Renderer, ElevationTint,
    ::testing::Values(TintCase{"HalfMillimetreUntinted", 0.5, {210, 210, 205}, {120, 120, 115}},
                      TintCase{"JustAboveHalfMillimetre", 0.6, {210, 210, 203}, {150, 150, 173}},
                      TintCase{"ThirtyMillimetres", 30, {232, 215, 132}, {172, 155, 102}},
                      TintCase{"SixtyMillimetres", 60, {255, 220, 60}, {195, 160, 30}},
                      TintCase{"HundredTwentyMillimetres", 120, {180, 110, 0}, {120, 50, 0}},
                      TintCase{"AboveHundredTwenty", 400, {180, 110, 0}, {120, 50, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RendererPieceColours, SystemLevelAndOwnColours) {
    Layout layout = bareLayout();
    addPiece(layout, "2200", 0, 0);
    EXPECT_EQ(onlyBand(layout).brush.color, colors::PieceFillKTrack);

    layout = bareLayout();
    layout.levels[0].useTrackColor = true;
    layout.levels[0].trackR = 10;
    layout.levels[0].trackG = 20;
    layout.levels[0].trackB = 30;
    PlacedPiece& piece = addPiece(layout, "24188", 0, 0);
    EXPECT_EQ(onlyBand(layout).brush.color, (Color{10, 20, 30}));
    EXPECT_EQ(onlyBand(layout).pen.color, colors::PieceOutline);
    piece.hasColor = true;
    piece.colorR = 200;
    piece.colorG = 0;
    piece.colorB = 0;
    EXPECT_EQ(onlyBand(layout).brush.color, (Color{200, 0, 0}));
    // The elevation tint replaces level and own colours.
    layout.pieces[0].z = 60;
    EXPECT_EQ(onlyBand(layout).brush.color, (Color{255, 220, 60}));
}

TEST(RendererPieceColours, TrackInATunnelIsWashedOut) {
    Layout layout = bareLayout();
    const int32_t id = addPiece(layout, "24188", 0, 0).id;
    Tunnel tunnel;
    tunnel.id = layout.takeId();
    tunnel.covers = {id};
    layout.tunnels.push_back(tunnel);
    const DrawCall band = onlyBand(layout);
    EXPECT_EQ(band.brush.color, (Color{216, 216, 214}));
    EXPECT_EQ(band.pen.color, (Color{180, 180, 178}));
}

struct SelectedCase {
    const char* name;
    std::function<void(Layout&, PlacedPiece&)> condition;
};

class SelectedColours : public ::testing::TestWithParam<SelectedCase> {};

TEST_P(SelectedColours, SelectionColoursWin) {
    Layout layout = bareLayout();
    PlacedPiece& piece = addPiece(layout, "24188", 0, 0);
    GetParam().condition(layout, piece);
    layout.pieces[0].selected = true;
    const DrawCall band = onlyBand(layout);
    EXPECT_EQ(band.brush.color, colors::PieceFillSelected);
    EXPECT_EQ(band.pen.color, colors::PieceOutlineSelected);
    // Without the selection the condition shows.
    layout.pieces[0].selected = false;
    EXPECT_NE(onlyBand(layout).brush.color, colors::PieceFillSelected);
}

INSTANTIATE_TEST_SUITE_P(
    Renderer, SelectedColours,
    ::testing::Values(SelectedCase{"Elevated", [](Layout&, PlacedPiece& p) { p.z = 100; }},
                      SelectedCase{"LevelColour",
                                   [](Layout& l, PlacedPiece&) {
                                       l.levels[0].useTrackColor = true;
                                       l.levels[0].trackR = 0;
                                   }},
                      SelectedCase{"OwnColour",
                                   [](Layout&, PlacedPiece& p) {
                                       p.hasColor = true;
                                       p.colorR = 250;
                                   }},
                      SelectedCase{"InTunnel",
                                   [](Layout& l, PlacedPiece& p) {
                                       Tunnel t;
                                       t.covers = {p.id};
                                       l.tunnels.push_back(t);
                                   }},
                      SelectedCase{"KTrack", [](Layout&, PlacedPiece& p) { p.part = "2200"; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RendererPieceColours, SelectedPiecesAreDrawnAfterUnselectedOnes) {
    Layout layout = bareLayout();
    addPiece(layout, "24188", 0, 0).selected = true;
    addPiece(layout, "24188", 0, 100);
    addPiece(layout, "24188", 0, 200);
    const std::vector<DrawCall> polys = draw(layout).ofKind(DrawOp::Polygon);
    ASSERT_EQ(polys.size(), 3u);
    EXPECT_EQ(polys[0].brush.color, colors::PieceFill);
    EXPECT_EQ(polys[1].brush.color, colors::PieceFill);
    EXPECT_EQ(polys[2].brush.color, colors::PieceFillSelected);
    EXPECT_EQ(polys[0].points[0].y, 181); // trunc(200 - 18.7): the piece at y = 100
    EXPECT_EQ(polys[2].points[0].y, 81);  // the selected piece at y = 0
}

// ---- labels and dots ----------------------------------------------------------------------

struct LabelCase {
    const char* name;
    bool labelsOn;
    double scale;
    bool drawn;
};

class PartNumberLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(PartNumberLabels, NeedLabelsOnAndEnoughZoom) {
    const LabelCase& c = GetParam();
    Layout layout = bareLayout();
    layout.showLabels = c.labelsOn;
    addPiece(layout, "24188", 0, 0);
    const RecordingPainter p = draw(layout, ViewTransform{c.scale, 100, 100});
    EXPECT_EQ(p.findText("24188") != nullptr, c.drawn);
    EXPECT_EQ(p.count(DrawOp::Circle), c.drawn ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(Renderer, PartNumberLabels,
                         ::testing::Values(LabelCase{"OnAtFullSize", true, 1.0, true},
                                           LabelCase{"Off", false, 1.0, false},
                                           LabelCase{"OnJustBelowMinimumZoom", true, 0.19, false},
                                           LabelCase{"OnAtMinimumZoom", true, 0.2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RendererPartNumber, SizeColourAndPlacement) {
    Layout layout = bareLayout();
    layout.showLabels = true;
    addPiece(layout, "24188", 0, 0);
    struct Case {
        double scale;
        int size;
    };
    for (const Case& c :
         {Case{1.0, 9}, Case{2.0, 18}, Case{0.78, 7}, Case{0.77, 6}, Case{0.5, 6}}) {
        const RecordingPainter p = draw(layout, ViewTransform{c.scale, 100, 100});
        const DrawCall* label = p.findText("24188");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->font.pointSize, c.size) << "scale " << c.scale;
        EXPECT_TRUE(label->font.bold);
    }
    // Centred on the mid-point (94.15, 0) -> screen (194, 100); 5 characters at 9 pt are
    // 33 x 13 in the recording font.
    const RecordingPainter p = draw(layout);
    const DrawCall* label = p.findText("24188");
    EXPECT_EQ(label->x, 194 - 16);
    EXPECT_EQ(label->y, 100 - 6);
    EXPECT_EQ(label->textColor, colors::PieceLabel);
    EXPECT_FALSE(label->textBackgroundOpaque);
    layout.pieces[0].selected = true;
    EXPECT_EQ(draw(layout).findText("24188")->textColor, colors::PieceLabelSelected);
}

TEST(RendererConnectorDots, GreenWhereJoinedOrangeWhereFreeWithDarkerRims) {
    Layout layout = bareLayout();
    layout.showLabels = true;
    const int32_t a = addPiece(layout, "24188", 0, 0).id;
    const int32_t b = addPiece(layout, "24188", 188.3, 0).id;
    ASSERT_TRUE(layout.join(a, 1, b, 0));
    const std::vector<DrawCall> dots =
        draw(layout, ViewTransform{2, 10, 100}).ofKind(DrawOp::Circle);
    ASSERT_EQ(dots.size(), 4u);
    const Color rimGreen{42, 125, 42}; // 180 x 0.7 truncates to 125, as in the toolkit
    const Color rimOrange{178, 98, 0};
    EXPECT_EQ(dots[0].brush.color, colors::DotFree);
    EXPECT_EQ(dots[0].pen.color, rimOrange);
    EXPECT_EQ(dots[1].brush.color, colors::DotJoined);
    EXPECT_EQ(dots[1].pen.color, rimGreen);
    EXPECT_EQ(dots[2].brush.color, colors::DotJoined);
    EXPECT_EQ(dots[3].brush.color, colors::DotFree);
    EXPECT_EQ(dots[1].points[0], (ScreenPoint{10 + 376, 100}));
    EXPECT_EQ(dots[1].w, 5); // trunc(2 x 2.5)
    EXPECT_EQ(dots[0].pen.width, 1);
}

TEST(RendererConnectorDots, SmallestRadiusIsThreeAndNothingBelowMinimumZoom) {
    PlacedPiece piece = makePlacedPiece("24188");
    LayoutRenderer renderer;
    RecordingPainter p;
    renderer.drawConnectorDots(p, piece, catalogDef("24188"), ViewTransform{0.5, 0, 0});
    ASSERT_EQ(p.count(DrawOp::Circle), 2);
    EXPECT_EQ(p.calls[0].w, 3);
    p.reset();
    renderer.drawConnectorDots(p, piece, catalogDef("24188"), ViewTransform{0.19, 0, 0});
    EXPECT_TRUE(p.calls.empty());
}

TEST(RendererColours, LightnessChangeMatchesTheToolkit) {
    EXPECT_EQ(changeLightness(Color{255, 140, 0}, 70), (Color{178, 98, 0}));
    EXPECT_EQ(changeLightness(Color{100, 100, 100}, 100), (Color{100, 100, 100}));
    EXPECT_EQ(changeLightness(Color{100, 0, 200}, 150), (Color{177, 127, 227}));
    EXPECT_EQ(darkened(Color{10, 100, 5, 7}, 15, 15, 10), (Color{0, 85, 0, 7}));
    EXPECT_EQ(lightened(Color{250, 100, 240}, 10, 10, 18), (Color{255, 110, 255}));
}
