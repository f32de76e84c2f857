// Grade arrows and measurements drawn over the track.
#include "LayoutBuilder.h"
#include "RecordingPainter.h"

#include "render/LayoutRenderer.h"
#include "render/RenderColors.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

RecordingPainter draw(const Layout& layout,
                      const ViewTransform& view = ViewTransform{1, 100, 100}) {
    RecordingPainter painter;
    LayoutRenderer().drawLayout(painter, layout, view, kSurfaceWidth, kSurfaceHeight);
    return painter;
}

} // namespace

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

// Arrowheads at both ends from 7 px on; the length always, in the display unit at the offset.
TEST(RendererMeasurements, ArrowheadsFromSevenPixelsAndTheLengthAtTheOffset) {
    for (const auto& [length, arrowheads] : {std::pair{6.0, false}, std::pair{7.0, true}}) {
        Layout layout = bareLayout();
        layout.measurements.push_back(Measurement{layout.takeId(), 0, 0, length, 0, 0, 0, false});
        const RecordingPainter p = draw(layout);
        EXPECT_EQ(p.count(DrawOp::Polygon), arrowheads ? 2 : 0) << length;
        EXPECT_EQ(p.texts().size(), 1u) << length;
    }
    Layout layout = bareLayout();
    layout.measurements.push_back(Measurement{layout.takeId(), 0, 0, 100, 0, 0, 20, true});
    const RecordingPainter p = draw(layout);
    const std::vector<DrawCall> heads = p.ofKind(DrawOp::Polygon);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(heads[0].points[0], (ScreenPoint{200, 100}));
    EXPECT_EQ(heads[0].points[1], (ScreenPoint{190, 105}));
    EXPECT_EQ(heads[1].points[0], (ScreenPoint{100, 100}));
    EXPECT_EQ(heads[1].points[1], (ScreenPoint{110, 105}));
    EXPECT_EQ(p.ofKind(DrawOp::Line)[0].pen.color, colors::SelectionBlue);
    // "100 mm" at 10 pt is 45 x 15, centred on the mid-point moved by the offset (0, 20).
    const DrawCall* text = p.findText("100 mm");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->x, 150 - 22);
    EXPECT_EQ(text->y, 120 - 7);
}
