#include "RecordingPainter.h"

#include "editing/CanvasOverlayDrawing.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

const ViewTransform kView{2.0, 10, 20};

std::vector<DrawCall> drawn(const CanvasOverlays& o) {
    RecordingPainter painter;
    LayoutRenderer renderer;
    drawCanvasOverlays(painter, renderer, o, kView);
    return painter.calls;
}

TEST(CanvasOverlayDrawing, SnapMarkerIsAYellowCircleOfEightPixels) {
    CanvasOverlays o;
    o.snapMarker = true;
    o.snapTarget = Point{100, 50};
    const std::vector<DrawCall> calls = drawn(o);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, DrawOp::Circle);
    EXPECT_EQ(calls[0].points[0], (ScreenPoint{210, 120}));
    EXPECT_EQ(calls[0].w, 8);
    EXPECT_EQ(calls[0].brush.color, (Color{255, 220, 0}));
    EXPECT_EQ(calls[0].pen.color, (Color{180, 120, 0}));
    EXPECT_EQ(calls[0].pen.width, 2);
}

TEST(CanvasOverlayDrawing, RubberBandIsADottedBlueBoxWhicheverWayItWasDragged) {
    CanvasOverlays o;
    o.rubberBand = true;
    o.bandStart = ScreenPoint{300, 200};
    o.bandEnd = ScreenPoint{100, 250};
    const std::vector<DrawCall> calls = drawn(o);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, DrawOp::Rectangle);
    EXPECT_EQ(calls[0].x, 100);
    EXPECT_EQ(calls[0].y, 200);
    EXPECT_EQ(calls[0].w, 200);
    EXPECT_EQ(calls[0].h, 50);
    EXPECT_EQ(calls[0].pen.style, PenStyle::Dot);
    EXPECT_EQ(calls[0].pen.color, (Color{0, 120, 215}));
    EXPECT_TRUE(calls[0].brush.transparent);
}

TEST(CanvasOverlayDrawing, PivotTurnsGreenWhileTheRightAngleFlashes) {
    CanvasOverlays o;
    o.freeRotation = true;
    o.referenceHeading = 90;
    for (bool flash : {false, true}) {
        o.flash = flash;
        const std::vector<DrawCall> calls = drawn(o);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls[0].op, DrawOp::Circle);
        EXPECT_EQ(calls[0].brush.color,
                  flash ? (Color{0, 220, 80, 180}) : (Color{255, 180, 0, 160}));
        EXPECT_EQ(calls.back().op, DrawOp::Text);
        EXPECT_EQ(calls.back().text, "90.0 deg");
        EXPECT_EQ(calls.back().font.pointSize, 11);
    }
}

TEST(CanvasOverlayDrawing, GhostOfAnUnknownPartDrawsNothing) {
    CanvasOverlays o;
    o.ghostPiece = true;
    o.ghostPart = "no-such-part";
    EXPECT_TRUE(drawn(o).empty());
    o.ghostPart = "24188";
    EXPECT_FALSE(drawn(o).empty());
}

} // namespace
