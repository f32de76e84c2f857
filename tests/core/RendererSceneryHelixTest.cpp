// Scenery primitives turned, scaled and coloured with the item; helix rings between the
// track below and above them.
#include "RecordingPainter.h"
#include "RenderTestSupport.h"

#include "catalog/SceneryCatalog.h"
#include "model/HelixPlacement.h"
#include "render/LayoutRenderer.h"
#include "render/RenderColors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

namespace {

SceneryPrimitive primitive(PrimitiveType type, uint32_t fill, uint32_t stroke, uint32_t width,
                           double x, double y, double w, double h) {
    SceneryPrimitive p;
    p.type = type;
    p.fill = fill;
    p.stroke = stroke;
    p.strokeWidth = width;
    p.x = x;
    p.y = y;
    p.w = w;
    p.h = h;
    return p;
}

// A 100 x 50 item with one primitive of every type.
SceneryDef sampleDef() {
    SceneryDef def;
    def.id = "sample";
    def.width = 100;
    def.depth = 50;
    def.primitives.push_back(primitive(PrimitiveType::FilledRect, packRgba(200, 100, 50),
                                       packRgba(10, 20, 30), 2, 0, 0, 100, 50));
    def.primitives.push_back(primitive(PrimitiveType::OutlineRect, packRgba(1, 2, 3),
                                       packRgba(4, 5, 6), 1, 10, 10, 20, 10));
    def.primitives.push_back(primitive(PrimitiveType::FilledEllipse, packRgba(9, 9, 9, 128),
                                       packRgba(0, 0, 0, 0), 3, 40, 10, 20, 20));
    def.primitives.push_back(
        primitive(PrimitiveType::Line, packRgba(0, 0, 0, 0), packRgba(7, 8, 9), 3, 0, 25, 100, 25));
    def.primitives.push_back(
        primitive(PrimitiveType::Line, packRgba(11, 12, 13), packRgba(7, 8, 9), 2, 0, 40, 100, 40));
    SceneryPrimitive text =
        primitive(PrimitiveType::Text, packRgba(20, 30, 40), 0, 0, 50, 25, 0, 10);
    text.text = "A";
    def.primitives.push_back(text);
    SceneryPrimitive poly = primitive(PrimitiveType::Polygon, packRgba(70, 80, 90, 0),
                                      packRgba(1, 1, 1), 0, 0, 0, 0, 0);
    poly.points = {{0, 0}, {10, 0}, {10, 10}};
    def.primitives.push_back(poly);
    return def;
}

RecordingPainter drawItem(const SceneryDef& def, double heading, bool selected,
                          const ViewTransform& view = ViewTransform{1, 0, 0}) {
    RecordingPainter p;
    LayoutRenderer renderer;
    renderer.drawSceneryItem(p, def, 500.5, 300.5, heading, view, selected, 2, 1);
    return p;
}

} // namespace

TEST(RendererScenery, PrimitivesAreScaledTurnedAndPlacedAroundTheItemCentre) {
    const RecordingPainter p = drawItem(sampleDef(), 90, false);
    const std::vector<DrawCall> polys = p.ofKind(DrawOp::Polygon);
    ASSERT_EQ(polys.size(), 4u); // two rectangles, the ellipse, the polygon
    // The footprint is 200 x 50 mm; (0, 0) of the drawing is local (-100, -25), turned by
    // 90 degrees to (25, -100).
    const std::vector<ScreenPoint> body = {{525, 200}, {525, 400}, {475, 400}, {475, 200}};
    EXPECT_EQ(polys[0].points, body);
    EXPECT_EQ(polys[0].brush.color, (Color{200, 100, 50}));
    EXPECT_EQ(polys[0].pen.color, (Color{10, 20, 30}));
    EXPECT_EQ(polys[0].pen.width, 2);
    EXPECT_TRUE(polys[1].brush.transparent); // outline rectangle
    EXPECT_EQ(polys[1].pen.color, (Color{4, 5, 6}));
    EXPECT_EQ(polys[2].brush.color, (Color{9, 9, 9, 128}));
    EXPECT_TRUE(polys[2].pen.transparent);   // no stroke alpha
    EXPECT_EQ(polys[2].points.size(), 12u);  // trunc(20 x 1 x 0.5) raised to 12
    EXPECT_TRUE(polys[3].brush.transparent); // no fill alpha
    EXPECT_TRUE(polys[3].pen.transparent);   // no stroke width

    const std::vector<DrawCall> lines = p.ofKind(DrawOp::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].pen.color, (Color{7, 8, 9}));
    EXPECT_EQ(lines[0].pen.width, 3);
    EXPECT_EQ(lines[0].points[0], (ScreenPoint{500, 200}));
    EXPECT_EQ(lines[0].points[1], (ScreenPoint{500, 400}));
    EXPECT_EQ(lines[1].pen.color, (Color{11, 12, 13})); // drawn in the fill when it has one
    EXPECT_TRUE(lines[1].brush.transparent);

    const std::vector<DrawCall> texts = p.texts();
    ASSERT_EQ(texts.size(), 1u);
    // "A" at 10 pt is 7 x 15, centred on the item centre.
    EXPECT_EQ(texts[0].x, 500 - 3);
    EXPECT_EQ(texts[0].y, 300 - 7);
    EXPECT_EQ(texts[0].font.pointSize, 10);
    EXPECT_EQ(texts[0].textColor, (Color{20, 30, 40}));
    EXPECT_FALSE(texts[0].textBackgroundOpaque);
}

TEST(RendererScenery, SizesOfEllipsesAndTextsFollowTheZoom) {
    struct Case {
        double scale;
        std::size_t ellipsePoints;
        int textSize;
    };
    for (const Case& c : {Case{0.5, 12, 8}, Case{3, 30, 30}, Case{10, 64, 100}, Case{0.89, 12, 8},
                          Case{0.9, 12, 9}}) {
        const RecordingPainter p = drawItem(sampleDef(), 0, false, ViewTransform{c.scale, 0, 0});
        EXPECT_EQ(p.ofKind(DrawOp::Polygon)[2].points.size(), c.ellipsePoints) << c.scale;
        EXPECT_EQ(p.texts()[0].font.pointSize, c.textSize) << c.scale;
    }
}

TEST(RendererScenery, SelectedItemIsTintedAndFramed) {
    const RecordingPainter p = drawItem(sampleDef(), 0, true);
    const std::vector<DrawCall> polys = p.ofKind(DrawOp::Polygon);
    ASSERT_EQ(polys.size(), 5u);
    EXPECT_EQ(polys[0].brush.color, (Color{170, 118, 101}));
    EXPECT_EQ(polys[2].brush.color, (Color{36, 54, 72, 128}));
    EXPECT_EQ(p.texts()[0].textColor, (Color{44, 69, 94}));
    const DrawCall& frame = polys.back();
    EXPECT_TRUE(frame.brush.transparent);
    EXPECT_EQ(frame.pen.style, PenStyle::Dot);
    EXPECT_EQ(frame.pen.color, colors::SceneryFrameBlue);
    const std::vector<ScreenPoint> footprint = {{400, 275}, {600, 275}, {600, 325}, {400, 325}};
    EXPECT_EQ(frame.points, footprint);
}

TEST(RendererScenery, GhostIsTheItemWithADottedGreenFootprint) {
    const SceneryDef def = sampleDef();
    LayoutRenderer renderer;
    RecordingPainter ghost;
    renderer.drawGhostScenery(ghost, def, 500.5, 300.5, 0, ViewTransform{1, 0, 0});
    RecordingPainter plain;
    renderer.drawSceneryItem(plain, def, 500.5, 300.5, 0, ViewTransform{1, 0, 0}, false, 1, 1);
    ASSERT_EQ(ghost.calls.size(), plain.calls.size() + 1);
    for (std::size_t i = 0; i < plain.calls.size(); ++i)
        EXPECT_EQ(ghost.calls[i], plain.calls[i]);
    const DrawCall& frame = ghost.calls.back();
    EXPECT_EQ(frame.pen.color, colors::GhostOutline);
    EXPECT_EQ(frame.pen.style, PenStyle::Dot);
    const std::vector<ScreenPoint> footprint = {{450, 275}, {550, 275}, {550, 325}, {450, 325}};
    EXPECT_EQ(frame.points, footprint);
}

TEST(RendererScenery, EveryCatalogueItemDrawsInsideItsFootprint) {
    LayoutRenderer renderer;
    const ViewTransform view{1, 0, 0};
    for (const SceneryDef& def : SceneryCatalog::instance().defs()) {
        RecordingPainter p;
        renderer.drawSceneryItem(p, def, 1000.5, 1000.5, 0, view, false, 1, 1);
        EXPECT_FALSE(p.calls.empty()) << def.id;
        for (const DrawCall& c : p.calls)
            for (const ScreenPoint& pt : c.points) {
                EXPECT_GE(pt.x, 1000 - def.width / 2 - 1) << def.id;
                EXPECT_LE(pt.x, 1000 + def.width / 2 + 1) << def.id;
                EXPECT_GE(pt.y, 1000 - def.depth / 2 - 1) << def.id;
                EXPECT_LE(pt.y, 1000 + def.depth / 2 + 1) << def.id;
            }
    }
}

// ---- helices ------------------------------------------------------------------------------

namespace {

constexpr std::size_t kRingPolygonPoints = 2 * (20 + 1); // a 30 degree curve band
constexpr int kRings = 60;                               // 2.5 turns x 12, two rings

struct HelixScene {
    Layout layout;
    int32_t bottomStub = -1, topStub = -1;
    int32_t below = -1, above = -1, aboveFlat = -1, aboveClimbing = -1, elsewhere = -1;
};

// The default helix at (500, 500) with track joined to a bottom stub and a chain on top.
HelixScene helixScene() {
    HelixScene s;
    s.layout = bareLayout();
    const int32_t helixId = static_cast<int32_t>(s.layout.nextId);
    EXPECT_TRUE(placeHelix(s.layout, 500, 500, 0, ""));
    s.bottomStub = helixId + 1; // bottom R1 at (500, 140)
    s.topStub = helixId + 3;    // top R1 at (500, 860), z 260
    s.below = addPiece(s.layout, "24188", 688.3, 140).id;
    EXPECT_TRUE(s.layout.join(s.bottomStub, 1, s.below, 0));
    PlacedPiece& above = addPiece(s.layout, "24188", 688.3, 860);
    above.z = 260;
    s.above = above.id;
    EXPECT_TRUE(s.layout.join(s.topStub, 1, s.above, 0));
    PlacedPiece& flat = addPiece(s.layout, "24188", 876.6, 860);
    flat.z = 260;
    s.aboveFlat = flat.id;
    EXPECT_TRUE(s.layout.join(s.above, 1, s.aboveFlat, 0));
    PlacedPiece& climbing = addPiece(s.layout, "24188", 1064.9, 860);
    climbing.z = 260;
    climbing.grade = 2;
    s.aboveClimbing = climbing.id;
    EXPECT_TRUE(s.layout.join(s.aboveFlat, 1, s.aboveClimbing, 0));
    s.elsewhere = addPiece(s.layout, "24188", 100, 1100).id;
    return s;
}

RecordingPainter drawScene(const Layout& layout, LayoutRenderer& renderer) {
    RecordingPainter p;
    renderer.drawLayout(p, layout, ViewTransform{0.5, 0, 0}, kSurfaceWidth, kSurfaceHeight);
    return p;
}

bool isRing(const DrawCall& c) {
    return c.points.size() == kRingPolygonPoints;
}

} // namespace

TEST(RendererHelix, HelixPiecesAndJoinedTrackAreLinked) {
    const HelixScene s = helixScene();
    LayoutRenderer renderer;
    drawScene(s.layout, renderer);
    std::unordered_set<int32_t> expected = {s.below, s.above, s.aboveFlat, s.aboveClimbing};
    for (int32_t id = s.bottomStub; id < s.bottomStub + 4; ++id)
        expected.insert(id);
    EXPECT_EQ(renderer.helixLinkedPieces(), expected);
}

TEST(RendererHelix, RingsLieBetweenLowerAndUpperTrack) {
    const HelixScene s = helixScene();
    LayoutRenderer renderer;
    const std::vector<DrawCall> polys = drawScene(s.layout, renderer).ofKind(DrawOp::Polygon);
    // Bottom stubs and the track below, 60 ring pieces, then the rest.
    ASSERT_EQ(polys.size(), 3u + kRings + 6u);
    for (std::size_t i = 0; i < polys.size(); ++i)
        EXPECT_EQ(isRing(polys[i]), i >= 3 && i < 3 + kRings) << i;
    // The first ring piece starts at -120 degrees on the inner radius, heading -30.
    const double a = -120 * 3.141592653589793 / 180;
    const double x = (500 + 360 * std::cos(a)) * 0.5, y = (500 + 360 * std::sin(a)) * 0.5;
    const DrawCall& first = polys[3];
    const double mx = (first.points.front().x + first.points.back().x) / 2.0;
    const double my = (first.points.front().y + first.points.back().y) / 2.0;
    EXPECT_NEAR(mx, x, 1.5);
    EXPECT_NEAR(my, y, 1.5);
}

TEST(RendererHelix, FlatTrackLinkedToTheHelixIsNotTinted) {
    const HelixScene s = helixScene();
    LayoutRenderer renderer;
    const std::vector<DrawCall> polys = drawScene(s.layout, renderer).ofKind(DrawOp::Polygon);
    // Upper group in layout order: top stubs, above, aboveFlat, aboveClimbing, elsewhere.
    const std::size_t upper = 3 + kRings;
    EXPECT_EQ(polys[upper].brush.color, colors::PieceFill);     // top stub at 260 mm
    EXPECT_EQ(polys[upper + 2].brush.color, colors::PieceFill); // flat, joined to it
    EXPECT_EQ(polys[upper + 3].brush.color, colors::PieceFill);
    EXPECT_EQ(polys[upper + 4].brush.color, (Color{180, 110, 0})); // climbing away
}

TEST(RendererHelix, SelectionHiddenLevelAndUnknownVariant) {
    HelixScene s = helixScene();
    LayoutRenderer renderer;
    s.layout.findPiece(s.topStub)->selected = true;
    std::vector<DrawCall> polys = drawScene(s.layout, renderer).ofKind(DrawOp::Polygon);
    int selectedRings = 0;
    for (const DrawCall& c : polys)
        selectedRings += isRing(c) && c.brush.color == colors::PieceFillSelected;
    EXPECT_EQ(selectedRings, kRings);

    s.layout.helices[0].variant = "no-such-variant"; // drawn as the default variant
    polys = drawScene(s.layout, renderer).ofKind(DrawOp::Polygon);
    EXPECT_EQ(std::count_if(polys.begin(), polys.end(), isRing), kRings);

    Level hidden;
    hidden.id = 2;
    hidden.visible = false;
    s.layout.levels.push_back(hidden);
    for (PlacedPiece& p : s.layout.pieces)
        if (p.helix != -1)
            p.level = 2;
    polys = drawScene(s.layout, renderer).ofKind(DrawOp::Polygon);
    EXPECT_EQ(std::count_if(polys.begin(), polys.end(), isRing), 0);
    EXPECT_EQ(polys.size(), 5u); // the track outside the helix
}
