// Layout > Check Layout... in the real window: the list follows the layout, a chosen row
// selects its pieces and centres the view, and the canvas marks the findings while the list
// is open.
#include "gui/ui/CheckLayoutDialog.h"
#include "GuiTestSupport.h"
#include "core/app/Commands.h"
#include "core/app/LayoutCheck.h"
#include "core/canvas/CanvasView.h"
#include "gui/ui/PropertiesPanel.h"

#include <wx/button.h>
#include <wx/listctrl.h>

#include <algorithm>

using namespace plandor;
using namespace plandor::guitest;

using CheckLayoutTest = MainFrameFixture;

TEST_F(CheckLayoutTest, ListOpensClearFollowsTheLayoutAndARowShowsItsPlace) {
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

    // The list opens clear of the middle of the canvas and of the side panel with Buy Track,
    // shows every text whole, and can be resized.
    const wxRect placed = dialog->GetScreenRect();
    const wxRect canvas = frame->canvas()->GetScreenRect();
    wxButton* buyTrack = frame->properties()->controls().buyTrack;
    EXPECT_FALSE(placed.Intersects(buyTrack->GetScreenRect())) << "Buy Track stays in sight";
    EXPECT_FALSE(placed.Contains(canvas.GetLeft() + canvas.GetWidth() / 2,
                                 canvas.GetTop() + canvas.GetHeight() / 2))
        << "the middle of the canvas, where a chosen finding shows, stays in sight";
    EXPECT_TRUE(dialog->HasFlag(wxRESIZE_BORDER));

    int longest = 0;
    for (const CheckFinding& f : dialog->findings())
        longest = std::max(longest, list->GetTextExtent(wxString::FromUTF8(f.text)).x);
    EXPECT_GE(list->GetColumnWidth(2), longest);
    const int columns = list->GetColumnWidth(0) + list->GetColumnWidth(1) + list->GetColumnWidth(2);
    EXPECT_LE(columns, list->GetClientSize().x) << "the Text column is not cut";

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

// A pile of pieces is one finding; the list of a layout with many findings fills at once.
TEST_F(CheckLayoutTest, APileOfPiecesIsOneRow) {
    layout().ensureDefaultLevel();
    for (int i = 0; i < 3000; ++i)
        addPiece(layout(), "24188", 0, 0);
    command(CmdCheckLayout);
    settle();
    CheckLayoutDialog* dialog = frame->checkDialog();
    ASSERT_NE(dialog, nullptr);
    wxListCtrl* list = dialog->list();
    ASSERT_EQ(list->GetItemCount(), static_cast<int>(dialog->findings().size()));
    EXPECT_EQ(list->GetItemText(0, 2),
              "24188 #1, 24188 #2, 24188 #3, 24188 #4, 24188 #5 and 2995 more overlap");
    int collisions = 0;
    for (const CheckFinding& f : dialog->findings())
        collisions += f.kind == CheckKind::Collision;
    EXPECT_EQ(collisions, 1);
}
