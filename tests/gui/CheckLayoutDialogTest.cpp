// Layout > Check Layout... in the real window: the list follows the layout, a chosen row
// selects its pieces and centres the view, and the canvas marks the findings while the list
// is open.
#include "ui/CheckLayoutDialog.h"
#include "GuiTestSupport.h"
#include "app/Commands.h"
#include "app/LayoutCheck.h"
#include "canvas/CanvasView.h"

#include <wx/listctrl.h>

using namespace plandor;
using namespace plandor::guitest;

using CheckLayoutTest = MainFrameFixture;

TEST_F(CheckLayoutTest, ListFollowsTheLayoutAndARowShowsItsPlace) {
    // A straight crossed in its middle by another one 60 mm higher on level 2.
    layout().ensureDefaultLevel();
    addLevel(layout(), 2, 60);
    addPiece(layout(), "24188", 2000, 1000);
    addPiece(layout(), "24188", 2094.15, 905.85, 90, 2).z = 60;
    command(CmdCheckLayout);
    settle();
    CheckLayoutDialog* dialog = frame->checkDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsShown());
    wxListCtrl* list = dialog->list();
    ASSERT_EQ(list->GetItemCount(), 5);
    EXPECT_EQ(list->GetItemText(0, 1), "Clearance");
    EXPECT_EQ(frame->canvas()->checkMarks().size(), 5u);

    wxListEvent chosen(wxEVT_LIST_ITEM_SELECTED, list->GetId());
    chosen.m_itemIndex = 0;
    chosen.SetEventObject(list);
    list->GetEventHandler()->ProcessEvent(chosen);
    settle();
    EXPECT_TRUE(layout().findPiece(1)->selected && layout().findPiece(2)->selected);
    const wxSize size = frame->canvas()->GetClientSize();
    const ViewTransform& view = frame->canvas()->view().transform();
    const Point at = dialog->findings()[0].at;
    EXPECT_NEAR(at.x * view.scale + view.panX, size.x / 2.0, 1);
    EXPECT_NEAR(at.y * view.scale + view.panY, size.y / 2.0, 1);

    // A change arrives: the upper track is raised enough and the list checks again.
    frame->applyChange(frame->document().apply([&] {
        layout().findPiece(2)->z = 90;
        layout().findLevel(2)->height = 90;
        return Change(Change::Heights | Change::Levels);
    }));
    EXPECT_EQ(list->GetItemCount(), 4);

    dialog->Close();
    settle();
    EXPECT_EQ(frame->checkDialog(), nullptr);
    EXPECT_EQ(status(0), "Ready");
    EXPECT_TRUE(frame->canvas()->checkMarks().empty());
}
