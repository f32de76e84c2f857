// While the Check Layout list is open the canvas marks the open ends and the clearance
// conflicts, where the findings point; closing the list takes the marks away.
#include "GuiTestSupport.h"
#include "app/Commands.h"
#include "app/LayoutCheck.h"
#include "canvas/CanvasPanel.h"
#include "ui/CheckLayoutDialog.h"

using namespace plandor;
using namespace plandor::guitest;

namespace {
using CheckMarksTest = MainFrameFixture;
} // namespace

TEST_F(CheckMarksTest, OpenEndsAndTooLittleHeadroomAreMarkedWhileTheListIsOpen) {
    // A straight crossed in its middle by another one 60 mm higher on level 2: one clearance
    // error and four open ends.
    Layout& l = layout();
    l.ensureDefaultLevel();
    Level upper;
    upper.id = 2;
    upper.name = "Level 2";
    upper.height = 60;
    l.levels.push_back(upper);
    addPiece(l, "24188", 2000, 1000);
    const int32_t id = addPiece(l, "24188", 2094.15, 905.85).id;
    l.findPiece(id)->heading = 90;
    l.findPiece(id)->level = 2;
    l.findPiece(id)->z = 60;
    frame->applyChange(Change(Change::kEverything));

    CanvasPanel* canvas = frame->canvas();
    EXPECT_TRUE(canvas->checkMarks().empty());

    command(CmdCheckLayout);
    settle();
    ASSERT_NE(frame->checkDialog(), nullptr);
    ASSERT_EQ(canvas->checkMarks().size(), 5u);
    const std::vector<CheckMark> marks = canvas->checkMarks();
    EXPECT_EQ(marks[0].kind, CheckMarkKind::Clearance);
    EXPECT_NEAR(marks[0].at.x, 2094.15, 1e-6);
    EXPECT_NEAR(marks[0].at.y, 1000, 1e-6);
    for (std::size_t i = 1; i < marks.size(); ++i)
        EXPECT_EQ(marks[i].kind, CheckMarkKind::OpenEnd);

    frame->checkDialog()->Close();
    settle();
    EXPECT_TRUE(canvas->checkMarks().empty());
}
