// Scenery drawn inside its turned footprint; helix rings between the track below and
// above them.
#include "LayoutBuilder.h"
#include "RecordingPainter.h"

#include "catalog/SceneryCatalog.h"
#include "model/HelixPlacement.h"
#include "render/LayoutRenderer.h"
#include "render/RenderColors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

TEST(RendererScenery, EveryCatalogueItemDrawsInsideItsTurnedFootprint) {
    LayoutRenderer renderer;
    for (const SceneryDef& def : SceneryCatalog::instance().defs()) {
        RecordingPainter p; // turned by 90 degrees: the width runs down the screen
        renderer.drawSceneryItem(p, def, 1000.5, 1000.5, 90, ViewTransform{1, 0, 0}, false, 1, 1);
        EXPECT_FALSE(p.calls.empty()) << def.id;
        for (const DrawCall& c : p.calls)
            for (const ScreenPoint& pt : c.points)
                EXPECT_TRUE(std::abs(pt.x - 1000) <= def.depth / 2 + 1 &&
                            std::abs(pt.y - 1000) <= def.width / 2 + 1)
                    << def.id << " " << pt;
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

TEST(RendererHelix, RingsLieBetweenLowerAndUpperTrackAndFlatJoinedTrackIsNotTinted) {
    const HelixScene s = helixScene();
    LayoutRenderer renderer;
    const std::vector<DrawCall> polys = drawScene(s.layout, renderer).ofKind(DrawOp::Polygon);
    std::unordered_set<int32_t> linked = {s.below, s.above, s.aboveFlat, s.aboveClimbing};
    for (int32_t id = s.bottomStub; id < s.bottomStub + 4; ++id)
        linked.insert(id);
    EXPECT_EQ(renderer.helixLinkedPieces(), linked);
    // Bottom stubs and the track below, 60 ring pieces, then the rest.
    ASSERT_EQ(polys.size(), 3u + kRings + 6u);
    for (std::size_t i = 0; i < polys.size(); ++i)
        EXPECT_EQ(isRing(polys[i]), i >= 3 && i < 3 + kRings) << i;
    // The first ring piece starts at -120 degrees on the inner radius.
    const double a = -120 * 3.141592653589793 / 180;
    const DrawCall& first = polys[3];
    EXPECT_NEAR((first.points.front().x + first.points.back().x) / 2.0,
                (500 + 360 * std::cos(a)) * 0.5, 1.5);
    EXPECT_NEAR((first.points.front().y + first.points.back().y) / 2.0,
                (500 + 360 * std::sin(a)) * 0.5, 1.5);
    // Upper group in layout order: top stubs, above, aboveFlat, aboveClimbing, elsewhere.
    const std::size_t upper = 3 + kRings;
    EXPECT_EQ(polys[upper + 3].brush.color, colors::PieceFill);    // flat, joined, at 260 mm
    EXPECT_EQ(polys[upper + 4].brush.color, (Color{180, 110, 0})); // climbing away
}
