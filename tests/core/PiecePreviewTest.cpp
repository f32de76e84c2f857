// The palette's piece preview: the scale that fits a piece into the 80 x 55 popup and the
// picture drawn around it.
#include "render/PiecePreview.h"
#include "RecordingPainter.h"
#include "catalog/TrackCatalog.h"
#include "render/LayoutRenderer.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

PieceDef straight(double length) {
    return TrackCatalog::makeStraight(CTrack, "S", "straight", length);
}
PieceDef curve(double radius, double angle) {
    return TrackCatalog::makeCurve(CTrack, "C", "curve", radius, angle);
}
PieceDef turnout(double length, double radius, double angle) {
    return TrackCatalog::makeTurnout(CTrack, "T", "turnout", PieceKind::TurnoutLeft, length, radius,
                                     angle);
}

TEST(PiecePreviewFit, ScaleRuleAtEachLimit) {
    struct Case {
        const char* name;
        PieceDef def;
        double scale;
    };
    // Worked by hand from the rule: bulge b (at least 40), 33 / b (33 / max(60, b) for three
    // or more ends), capped by 68 / L, times 0.8, kept in [0.05, 3].
    const std::vector<Case> cases = {
        {"long straight: length wins", straight(188.3), 68 / 188.3 * 0.8},
        {"short straight: bulge floor 40 wins", straight(64.3), 33.0 / 40 * 0.8},
        {"straight where both limits meet", straight(68 * 40 / 33.0), 33.0 / 40 * 0.8},
        {"zero length counts as 1", straight(0), 33.0 / 40 * 0.8},
        {"very long straight: floor 0.05", straight(2000), 0.05},
        {"straight just inside the floor", straight(1088), 68 / 1088.0 * 0.8},
        // b = (1 - cos 30) * 360 * 2.5 = 120.577; L = 188.5
        {"R1 30 degree curve: its bulge wins", curve(360, 30), 33 / 120.57713659 * 0.8},
        // b = 3.4 -> 40; L = 31.4
        {"flat curve: bulge floor 40", curve(360, 5), 33.0 / 40 * 0.8},
        // b = 16.6 -> 40 -> 60 for three ends; L = 100
        {"flat turnout: three ends get at least 60", turnout(100, 437.5, 10), 33.0 / 60 * 0.8},
        // b = (1 - cos 24.3) * 437.5 * 2.5 = 96.903, above 60
        {"turnout with a wide branch", turnout(188.3, 437.5, 24.3), 33 / 96.90266618 * 0.8},
    };
    for (const Case& c : cases) {
        const PreviewFit fit = previewFit(c.def);
        EXPECT_NEAR(fit.scale, c.scale, 1e-9) << c.name;
        // The piece is centred across the popup and its origin sits half-way down.
        EXPECT_NEAR(fit.originX + std::max(1.0, c.def.length) * fit.scale / 2, 40, 1e-9) << c.name;
        EXPECT_EQ(fit.originY, 30.5) << c.name;
    }
}

TEST(PiecePreviewFit, CatalogueCurveAndTurnoutWorkedOut) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    // 24130: R1 360 mm, 30 degrees. Bulge (1 - cos 30) * 360 * 2.5 = 120.58.
    const PieceDef* r1 = catalog.find("24130");
    ASSERT_NE(r1, nullptr);
    const double r1Scale = std::min(33 / 120.577137, 68 / std::max(1.0, r1->length)) * 0.8;
    EXPECT_NEAR(previewFit(*r1).scale, r1Scale, 1e-6);
    EXPECT_LT(previewFit(*r1).scale, 33 / 120.577137 * 0.8 + 1e-9);

    const PieceDef* left = catalog.find("24611");
    ASSERT_NE(left, nullptr);
    ASSERT_GE(left->connectors.size(), 3u);
    EXPECT_LE(previewFit(*left).scale, 33.0 / 60 * 0.8 + 1e-9);
}

TEST(PiecePreviewDrawing, FrameTitleThenThePieceAtTheFittedView) {
    const PieceDef def = straight(188.3);
    LayoutRenderer renderer;
    RecordingPainter painter;
    drawPiecePreview(painter, renderer, def);

    ASSERT_GE(painter.calls.size(), 4u);
    EXPECT_EQ(painter.calls[0].op, DrawOp::Clear);
    EXPECT_EQ(painter.calls[0].clearColor, (Color{255, 255, 240}));

    const DrawCall& frame = painter.calls[1];
    EXPECT_EQ(frame.op, DrawOp::Rectangle);
    EXPECT_EQ(frame.x, 0);
    EXPECT_EQ(frame.y, 0);
    EXPECT_EQ(frame.w, 80);
    EXPECT_EQ(frame.h, 55);
    EXPECT_EQ(frame.pen.color, (Color{180, 180, 180}));
    EXPECT_EQ(frame.pen.width, 1);
    EXPECT_TRUE(frame.brush.transparent);

    const DrawCall& title = painter.calls[2];
    EXPECT_EQ(title.op, DrawOp::Text);
    EXPECT_EQ(title.text, "S");
    EXPECT_EQ(title.font.pointSize, 7);
    EXPECT_TRUE(title.font.bold);
    EXPECT_EQ(title.textColor, (Color{60, 60, 60}));
    EXPECT_EQ(title.y, 2);
    EXPECT_EQ(title.x, (80 - painter.textExtent("S").width) / 2);

    // The rest is the renderer's own drawing of the piece at heading 0, origin at
    // (40 - L * s / 2, 30.5).
    const double s = 68 / 188.3 * 0.8;
    RecordingPainter reference;
    PlacedPiece piece;
    piece.part = "S";
    piece.joints.resize(2);
    LayoutRenderer().drawPiece(reference, piece, def, ViewTransform{s, 40 - 188.3 * s / 2, 30.5},
                               false, false, false);
    const std::vector<DrawCall> pieceCalls(painter.calls.begin() + 3, painter.calls.end());
    EXPECT_EQ(pieceCalls, reference.calls);
    // The band of the straight spans the popup's middle.
    int minX = 1000, maxX = -1000;
    for (const DrawCall& c : pieceCalls)
        for (const ScreenPoint& p : c.points) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
        }
    EXPECT_NEAR(minX, 40 - 68 * 0.8 / 2, 1.0);
    EXPECT_NEAR(maxX, 40 + 68 * 0.8 / 2, 1.0);
}

} // namespace
