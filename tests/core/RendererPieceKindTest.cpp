// Each kind of piece body lies where the catalogue's connectors say; turntables; scenery
// inside its turned footprint; helix rings between the track below and above them.
#include "LayoutBuilder.h"
#include "RecordingPainter.h"

#include "core/catalog/SceneryCatalog.h"
#include "core/model/HelixPlacement.h"
#include "core/render/LayoutRenderer.h"
#include "core/render/PieceGeometry.h"
#include "core/render/RenderColors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

namespace {

const ViewTransform kView{2.0, 50, 40};
const Pose kPose{100, 200, 30};

// Screen position (unrounded) of a point in the piece frame.
Point screenOf(double lx, double ly) {
    const Point w = PieceFrame(kPose.x, kPose.y, kPose.heading).apply(Point{lx, ly});
    return Point{w.x * kView.scale + kView.panX, w.y * kView.scale + kView.panY};
}

Point mid(ScreenPoint a, ScreenPoint b) {
    return Point{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

// Every screen point is truncated, so a mid-point of two of them may be a pixel off.
double gap(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The piece placed at kPose.
PlacedPiece placed(const std::string& part) {
    PlacedPiece piece = makePlacedPiece(part);
    piece.x = kPose.x;
    piece.y = kPose.y;
    piece.heading = kPose.heading;
    return piece;
}

// A band end: a connector, or (conn = -1) the point (x, 0) of the piece frame; x = -1 there
// stands for the piece's length.
struct End {
    int conn;
    double x = 0;
};
struct Band {
    End from, to;
    double endTolerance = 1.5; // slip curves end near, not on, their connector
};

} // namespace

TEST(RendererKinds, EveryBandRunsBetweenTheCatalogueConnectors) {
    const std::vector<Band> straight = {{{0}, {1}}};
    const std::vector<Band> turnout = {{{0}, {1}}, {{0}, {2}}};
    const std::vector<Band> threeWay = {{{0}, {2}}, {{0}, {3}}, {{0}, {1}}};
    const std::vector<Band> crossing = {{{0}, {1}}, {{2}, {3}}};
    const std::vector<Band> slip = {{{0}, {1}}, {{2}, {3}}, {{0}, {3}, 3}, {{2}, {1}, 3}};
    auto curvedTurnout = [](double lead) {
        return std::vector<Band>{{{0}, {1}}, {{0}, {-1, lead}}, {{-1, lead}, {2}}};
    };
    const struct {
        const char* kind;
        std::vector<const char*> parts;
        std::vector<Band> bands;
    } cases[] = {
        {"straight", {"24188", "8500", "2200"}, straight},
        {"curve", {"24130", "8520", "2210"}, straight},
        {"turnout", {"24612", "24611", "8562", "2263", "24711"}, turnout},
        {"three-way turnout", {"24630", "2270"}, threeWay},
        {"curved turnout", {"24672", "24671", "62672"}, curvedTurnout(77.5)},
        {"slim curved turnout", {"24772"}, curvedTurnout(64)},
        {"offset curved turnout", {"8569", "8568", "2268", "2269"}, curvedTurnout(-1)},
        {"crossing", {"24740", "24649", "2258", "8559"}, crossing},
        {"double slip", {"24624", "2260", "8560"}, slip},
        {"bumper", {"24977"}, {{{0}, {-1, 48.3}}}},
    };
    for (const auto& c : cases)
        for (const char* part : c.parts) {
            SCOPED_TRACE(std::string(c.kind) + " " + part);
            const PieceDef& def = catalogDef(part);
            auto at = [&](End e) {
                if (e.conn >= 0)
                    return screenOf(def.connectors.at(e.conn).x, def.connectors.at(e.conn).y);
                return screenOf(e.x < 0 ? def.length : e.x, 0);
            };
            RecordingPainter p;
            LayoutRenderer().drawPiece(p, placed(part), def, kView, false, false, false);
            const std::vector<DrawCall> polys = p.ofKind(DrawOp::Polygon);
            ASSERT_EQ(polys.size(), c.bands.size());
            for (std::size_t i = 0; i < polys.size(); ++i) {
                // A band's left edge runs forward and its right edge back.
                const std::vector<ScreenPoint>& pts = polys[i].points;
                const std::size_t n = pts.size() / 2;
                EXPECT_LE(gap(mid(pts.front(), pts.back()), at(c.bands[i].from)), 1.5) << i;
                EXPECT_LE(gap(mid(pts[n - 1], pts[n]), at(c.bands[i].to)), c.bands[i].endTolerance)
                    << i;
            }
            // Full width across the start of the main band: 2 x half-width at 2 px/mm.
            const std::vector<ScreenPoint>& pts = polys[0].points;
            EXPECT_NEAR(std::hypot(pts[0].x - pts.back().x, pts[0].y - pts.back().y),
                        4 * trackHalfWidth(def), 1.5);
        }
}

TEST(RendererKinds, TurntableDiscsConnectorDotsAndJoinedApproach) {
    PlacedPiece piece = placed("74862");
    piece.joints[5].target = 99; // one track joined at 60 degrees
    piece.joints[5].targetConn = 0;
    RecordingPainter p;
    LayoutRenderer().drawPiece(p, piece, catalogDef("74862"), kView, false, false, false);
    EXPECT_EQ(p.count(DrawOp::Polygon), 0);
    const std::vector<DrawCall> circles = p.ofKind(DrawOp::Circle);
    ASSERT_EQ(circles.size(), 2u + 30u);
    EXPECT_EQ(circles[0].points[0], kView.toScreen(kPose.x, kPose.y));
    EXPECT_EQ(circles[0].w, 378); // 189 mm at 2 px/mm
    const std::vector<DrawCall> lines = p.ofKind(DrawOp::Line);
    ASSERT_EQ(lines.size(), 2u); // the bridge and one approach, to connector 5
    const ConnectorDef& c5 = catalogDef("74862").connectors[5];
    const ScreenPoint end = lines[1].points[1];
    EXPECT_LE(gap(Point{double(end.x), double(end.y)}, screenOf(c5.x, c5.y)), 1.5);
}

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
