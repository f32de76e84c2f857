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

// The default helix at (500, 500): a straight below joined to its bottom stub (500, 140);
// on top (500, 860, z 260) two flat straights from the stub, then a climbing one.
TEST(RendererHelix, RingsLieBetweenLowerAndUpperTrackAndFlatJoinedTrackIsNotTinted) {
    Layout layout = bareLayout();
    const int32_t helix = static_cast<int32_t>(layout.nextId);
    ASSERT_TRUE(placeHelix(layout, 500, 500, 0, ""));
    ASSERT_TRUE(layout.join(helix + 1, 1, addPiece(layout, "24188", 688.3, 140).id, 0));
    int32_t last = helix + 3; // the top stub
    for (int i = 0; i < 3; ++i) {
        PlacedPiece& p = addPiece(layout, "24188", 688.3 + 188.3 * i, 860);
        p.z = 260;
        p.grade = i == 2 ? 2 : 0;
        ASSERT_TRUE(layout.join(last, 1, p.id, 0));
        last = p.id;
    }

    RecordingPainter p;
    LayoutRenderer().drawLayout(p, layout, ViewTransform{0.5, 0, 0}, kSurfaceWidth, kSurfaceHeight);
    const std::vector<DrawCall> polys = p.ofKind(DrawOp::Polygon);
    // Bottom stubs and the track below, 60 ring pieces (2.5 turns x 12, two rings), then the
    // top stubs and the track on them; a ring piece is a 30 degree curve band of 2 x 21 points.
    const std::size_t rings = 60;
    ASSERT_EQ(polys.size(), 3u + rings + 5u);
    for (std::size_t i = 0; i < polys.size(); ++i)
        EXPECT_EQ(polys[i].points.size() == 42, i >= 3 && i < 3 + rings) << i;
    EXPECT_EQ(polys[3 + rings + 3].brush.color, colors::PieceFill);    // second flat, at 260 mm
    EXPECT_EQ(polys[3 + rings + 4].brush.color, (Color{180, 110, 0})); // climbing away
}
