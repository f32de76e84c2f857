// While the check list is open the canvas marks open ends and clearance conflicts, and only
// those, where the findings point.
#include "core/canvas/CheckMarks.h"
#include "core/app/LayoutCheck.h"

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
    EXPECT_EQ(marks[1].at, (Point{200, 80}));
}

} // namespace
