// While the check list is open the canvas marks open ends and clearance conflicts, and only
// those, where the findings point.
#include "RecordingPainter.h"

#include "app/LayoutCheck.h"
#include "canvas/CheckMarks.h"

#include <gtest/gtest.h>

using namespace plandor;

namespace {

CheckFinding finding(CheckKind kind, double x, double y) {
    CheckFinding f;
    f.kind = kind;
    f.at = Point{x, y};
    return f;
}

TEST(CheckMarks, OpenEndsAndClearanceConflictsAreMarkedWhereTheyPoint) {
    const std::vector<CheckMark> marks = checkMarks({
        finding(CheckKind::Clearance, 100, 50),
        finding(CheckKind::Collision, 1, 1),
        finding(CheckKind::OpenEnd, 200, 80),
        finding(CheckKind::Grade, 2, 2),
        finding(CheckKind::Level, 3, 3),
    });
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].kind, CheckMarkKind::Clearance);
    EXPECT_EQ(marks[1].kind, CheckMarkKind::OpenEnd);

    const ViewTransform view{0.5, 10, 20}; // (100, 50) -> (60, 45); (200, 80) -> (110, 60)
    RecordingPainter painter;
    drawCheckMarks(painter, marks, view, 400, 300);
    const std::vector<DrawCall> circles = painter.ofKind(DrawOp::Circle);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].points[0], (ScreenPoint{60, 45}));
    EXPECT_EQ(circles[1].points[0], (ScreenPoint{110, 60}));
}

} // namespace
