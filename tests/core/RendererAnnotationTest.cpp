// Grade arrows, text labels and measurements drawn over the track.
#include "RecordingPainter.h"
#include "RenderTestSupport.h"

#include "render/LayoutRenderer.h"
#include "render/RenderColors.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

RecordingPainter draw(const Layout& layout, const ViewTransform& view) {
    RecordingPainter painter;
    LayoutRenderer renderer;
    renderer.drawLayout(painter, layout, view, kSurfaceWidth, kSurfaceHeight);
    return painter;
}

// The layout's grade arrow: its shaft line and head polygon, drawn after the one piece.
struct Arrow {
    DrawCall shaft;
    DrawCall head;
    const DrawCall* text = nullptr;
};

Arrow arrowOf(const RecordingPainter& p) {
    Arrow a;
    const std::vector<DrawCall> lines = p.ofKind(DrawOp::Line);
    const std::vector<DrawCall> polys = p.ofKind(DrawOp::Polygon);
    EXPECT_FALSE(lines.empty());
    EXPECT_GE(polys.size(), 2u);
    if (!lines.empty())
        a.shaft = lines.back();
    if (!polys.empty())
        a.head = polys.back();
    for (const DrawCall& t : p.calls)
        if (t.op == DrawOp::Text && t.text.find("deg") != std::string::npos)
            a.text = &t;
    return a;
}

} // namespace

TEST(RendererGradeArrow, PointsAlongTheHeadingFromTheMidPoint) {
    Layout layout = bareLayout();
    const int32_t id = addPiece(layout, "24188", 300, 0).id;
    layout.gradeRuns.push_back(GradeRun{2.0, id, 0});
    const RecordingPainter p = draw(layout, ViewTransform{1, 100, 100});
    const Arrow a = arrowOf(p);
    // S = (300 + 94.15, 0), E = S + 20 mm along +x.
    EXPECT_EQ(a.shaft.points[0], (ScreenPoint{494, 100}));
    EXPECT_EQ(a.shaft.points[1], (ScreenPoint{514, 100}));
    ASSERT_EQ(a.head.points.size(), 3u);
    EXPECT_EQ(a.head.points[0], (ScreenPoint{514, 100}));
    EXPECT_EQ(a.head.points[1], (ScreenPoint{506, 106}));
    EXPECT_EQ(a.head.points[2], (ScreenPoint{506, 94}));
    EXPECT_EQ(a.shaft.pen.color, colors::GradeRising);
    EXPECT_EQ(a.shaft.pen.width, 3);
    EXPECT_EQ(a.head.brush.color, colors::GradeRising);
    ASSERT_NE(a.text, nullptr);
    EXPECT_EQ(a.text->text, "+2.0 deg");
    EXPECT_EQ(a.text->x, 518);
    EXPECT_EQ(a.text->y, 90);
    EXPECT_EQ(a.text->font.pointSize, 8);
    EXPECT_EQ(a.text->textColor, colors::GradeRising);
}

TEST(RendererGradeArrow, RunFromTheFarEndPointsAgainstTheHeading) {
    Layout layout = bareLayout();
    const int32_t id = addPiece(layout, "24188", 300, 0).id;
    const int32_t next = addPiece(layout, "24188", 488.3, 0).id;
    ASSERT_TRUE(layout.join(id, 1, next, 0)); // connector 0 free, connector 1 joined
    layout.gradeRuns.push_back(GradeRun{-1.5, id, 1});
    const RecordingPainter p = draw(layout, ViewTransform{1, 100, 100});
    const Arrow a = arrowOf(p);
    // S = (300 - 94.15, 0), E = S - 20 mm.
    EXPECT_EQ(a.shaft.points[0], (ScreenPoint{305, 100}));
    EXPECT_EQ(a.shaft.points[1], (ScreenPoint{285, 100}));
    EXPECT_EQ(a.head.points[0], (ScreenPoint{285, 100}));
    EXPECT_EQ(a.head.points[1].x, 293);
    EXPECT_EQ(a.shaft.pen.color, colors::GradeFalling);
    ASSERT_NE(a.text, nullptr);
    EXPECT_EQ(a.text->text, "-1.5 deg");
}

TEST(RendererGradeArrow, JoinedAtBothEndsOrAtConnectorZeroKeepsTheHeading) {
    Layout layout = bareLayout();
    const int32_t before = addPiece(layout, "24188", 111.7, 0).id;
    const int32_t id = addPiece(layout, "24188", 300, 0).id;
    ASSERT_TRUE(layout.join(before, 1, id, 0));
    layout.gradeRuns.push_back(GradeRun{1.0, id, 0});
    const RecordingPainter p = draw(layout, ViewTransform{1, 100, 100});
    const Arrow a = arrowOf(p);
    EXPECT_GT(a.shaft.points[1].x, a.shaft.points[0].x);
}

TEST(RendererGradeArrow, TextOnlyFromQuarterZoomAndNothingForMissingAnchors) {
    Layout layout = bareLayout();
    const int32_t id = addPiece(layout, "24188", 300, 0).id;
    layout.gradeRuns.push_back(GradeRun{2.0, id, 0});
    EXPECT_EQ(draw(layout, ViewTransform{0.24, 100, 100}).texts().size(), 0u);
    const RecordingPainter quarter = draw(layout, ViewTransform{0.25, 100, 100});
    ASSERT_EQ(quarter.texts().size(), 1u);
    EXPECT_EQ(quarter.texts()[0].font.pointSize, 7); // max(7, trunc(0.25 x 8))

    layout.gradeRuns = {GradeRun{2.0, -1, 0}, GradeRun{2.0, 999, 0}};
    const RecordingPainter none = draw(layout, ViewTransform{1, 100, 100});
    EXPECT_EQ(none.count(DrawOp::Line), 0);
    EXPECT_EQ(none.count(DrawOp::Polygon), 1); // the piece only
}

TEST(RendererLabels, OpaqueBackgroundAndDottedFrameWhenSelected) {
    Layout layout = bareLayout();
    layout.labels.push_back(LayoutLabel{layout.takeId(), "Depot", 100, 50, false});
    layout.labels.push_back(LayoutLabel{layout.takeId(), "Yard", 200, 50, true});
    const RecordingPainter p = draw(layout, ViewTransform{2, 10, 20});
    const std::vector<DrawCall> texts = p.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].x, 210);
    EXPECT_EQ(texts[0].y, 120);
    EXPECT_EQ(texts[0].font.pointSize, 22); // trunc(2 x 11)
    EXPECT_EQ(texts[0].textColor, colors::PlainText);
    EXPECT_TRUE(texts[0].textBackgroundOpaque);
    EXPECT_EQ(texts[0].textBackground, colors::LabelBackground);
    EXPECT_EQ(texts[1].textColor, colors::SelectionBlue);
    const std::vector<DrawCall> frames = p.ofKind(DrawOp::Rectangle);
    ASSERT_EQ(frames.size(), 1u);
    // "Yard" at 22 pt: 66 x 33 in the recording font.
    EXPECT_EQ(frames[0].x, 410 - 2);
    EXPECT_EQ(frames[0].y, 120 - 2);
    EXPECT_EQ(frames[0].w, 66 + 4);
    EXPECT_EQ(frames[0].h, 33 + 4);
    EXPECT_EQ(frames[0].pen.style, PenStyle::Dot);
    EXPECT_EQ(frames[0].pen.color, colors::SelectionBlue);
    EXPECT_TRUE(frames[0].brush.transparent);
    // Small zoom keeps labels readable at 8 pt.
    EXPECT_EQ(draw(layout, ViewTransform{0.5, 0, 0}).texts()[0].font.pointSize, 8);
}

struct MeasureCase {
    const char* name;
    double length; // mm at 1 px/mm
    bool arrowheads;
};

class MeasurementArrowheads : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(MeasurementArrowheads, OnlyWhenLongerThanSixPixelsButTextAlways) {
    const MeasureCase& c = GetParam();
    Layout layout = bareLayout();
    layout.measurements.push_back(Measurement{layout.takeId(), 0, 0, c.length, 0, 0, 0, false});
    const RecordingPainter p = draw(layout, ViewTransform{1, 100, 100});
    EXPECT_EQ(p.count(DrawOp::Polygon), c.arrowheads ? 2 : 0);
    EXPECT_EQ(p.count(DrawOp::Line), 1);
    EXPECT_EQ(p.texts().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Renderer, MeasurementArrowheads,
                         ::testing::Values(MeasureCase{"SixPixels", 6, false},
                                           MeasureCase{"SevenPixels", 7, true},
                                           MeasureCase{"TwoPixels", 2, false},
                                           MeasureCase{"Long", 100, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RendererMeasurements, LineArrowheadsAndBoxedLengthInTheDisplayUnit) {
    Layout layout = bareLayout();
    layout.measurements.push_back(Measurement{layout.takeId(), 0, 0, 100, 0, 0, 20, false});
    const RecordingPainter p = draw(layout, ViewTransform{1, 100, 100});
    const DrawCall line = p.ofKind(DrawOp::Line)[0];
    EXPECT_EQ(line.pen.color, colors::MeasurementLine);
    EXPECT_EQ(line.pen.width, 2);
    const std::vector<DrawCall> heads = p.ofKind(DrawOp::Polygon);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(heads[0].points[0], (ScreenPoint{200, 100}));
    EXPECT_EQ(heads[0].points[1], (ScreenPoint{190, 105}));
    EXPECT_EQ(heads[0].points[2], (ScreenPoint{190, 95}));
    EXPECT_EQ(heads[1].points[0], (ScreenPoint{100, 100}));
    EXPECT_EQ(heads[1].points[1], (ScreenPoint{110, 105}));
    EXPECT_EQ(heads[1].points[2], (ScreenPoint{110, 95}));
    EXPECT_EQ(heads[0].brush.color, colors::MeasurementLine);

    // "100 mm" at 10 pt is 45 x 15, centred on the mid-point moved by the offset (0, 20).
    const DrawCall* text = p.findText("100 mm");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->x, 150 - 22);
    EXPECT_EQ(text->y, 120 - 7);
    EXPECT_EQ(text->font.pointSize, 10);
    EXPECT_EQ(text->textColor, colors::PlainText);
    EXPECT_FALSE(text->textBackgroundOpaque);
    const DrawCall box = p.ofKind(DrawOp::RoundedRectangle)[0];
    EXPECT_EQ(box.x, 150 - 22 - 5);
    EXPECT_EQ(box.y, 120 - 7 - 2);
    EXPECT_EQ(box.w, 45 + 10);
    EXPECT_EQ(box.h, 15 + 4);
    EXPECT_EQ(box.brush.color, colors::MeasurementBox);
    EXPECT_EQ(box.pen.color, colors::MeasurementLine);
    EXPECT_EQ(box.pen.width, 1);

    layout.units = 2;
    layout.measurements[0].selected = true;
    const RecordingPainter inches = draw(layout, ViewTransform{1, 100, 100});
    EXPECT_NE(inches.findText("3.94\""), nullptr);
    EXPECT_EQ(inches.ofKind(DrawOp::Line)[0].pen.color, colors::SelectionBlue);
    EXPECT_EQ(inches.ofKind(DrawOp::Line)[0].pen.width, 3);
    EXPECT_EQ(inches.ofKind(DrawOp::RoundedRectangle)[0].brush.color,
              colors::MeasurementBoxSelected);
    layout.units = 1;
    EXPECT_NE(draw(layout, ViewTransform{1, 100, 100}).findText("10.0 cm"), nullptr);
}
