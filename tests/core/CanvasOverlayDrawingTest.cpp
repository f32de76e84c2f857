#include "RecordingPainter.h"

#include "canvas/CanvasOverlayDrawing.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

std::vector<DrawCall> drawn(const CanvasOverlays& o) {
    RecordingPainter painter;
    LayoutRenderer renderer;
    drawCanvasOverlays(painter, renderer, o, ViewTransform{2.0, 10, 20});
    return painter.calls;
}

TEST(CanvasOverlayDrawing, GhostSnapMarkerAndRubberBand) {
    CanvasOverlays marker;
    marker.snapMarker = true;
    marker.snapTarget = Point{100, 50};
    auto calls = drawn(marker);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].points[0], (ScreenPoint{210, 120}));

    CanvasOverlays band;
    band.rubberBand = true;
    band.bandStart = ScreenPoint{300, 200};
    band.bandEnd = ScreenPoint{100, 250}; // dragged up-left
    calls = drawn(band);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ((std::vector<int>{calls[0].x, calls[0].y, calls[0].w, calls[0].h}),
              (std::vector<int>{100, 200, 200, 50}));

    CanvasOverlays ghost;
    ghost.ghostPiece = true;
    ghost.ghostPart = "no-such-part";
    EXPECT_TRUE(drawn(ghost).empty());
    ghost.ghostPart = "24188";
    EXPECT_FALSE(drawn(ghost).empty());
}

} // namespace
