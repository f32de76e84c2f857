// Layout > Track Lengths... in the real window: the table lists the station's tracks, follows
// a typed car length, and a row double-clicked with the mouse selects that track's pieces and
// centres the view on it.
#include "gui/ui/TrackLengthsDialog.h"
#include "../core/TrackFixtures.h"
#include "GuiTestSupport.h"
#include "core/app/Commands.h"
#include "core/canvas/CanvasView.h"

#include <wx/listctrl.h>

#include <set>

using namespace plandor;
using namespace plandor::guitest;

using TrackLengthsTest = MainFrameFixture;

TEST_F(TrackLengthsTest, DoubleClickedRowSelectsItsTrack) {
    layout().ensureDefaultLevel();
    addStation(layout(), kTrixParts, 2);
    frame->applyChange(Change(Change::Replaced));
    frame->Raise();
    command(CmdTrackLengths);
    settle();
    TrackLengthsDialog* dialog = frame->trackLengthsDialog();
    ASSERT_NE(dialog, nullptr);
    wxListCtrl* list = dialog->list();
    ASSERT_EQ(list->GetItemCount(), 5);
    EXPECT_EQ(list->GetItemText(0, 0), "Between turnouts");
    EXPECT_EQ(list->GetItemText(3, 0), "Siding");
    EXPECT_EQ(dialog->carLength()->GetValue(), "200");
    EXPECT_EQ(list->GetItemText(2, 2), "1"); // two straights: 376.6 mm
    dialog->carLength()->SetValue("90");
    EXPECT_EQ(list->GetItemText(2, 2), "4");
    dialog->carLength()->SetValue("none");
    EXPECT_EQ(list->GetItemText(2, 2), "");

    // The middle station track, double-clicked with the mouse.
    dialog->Raise();
    settle();
    wxRect rect;
    ASSERT_TRUE(list->GetItemRect(2, rect));
    wxUIActionSimulator sim;
    sim.MouseMove(list->ClientToScreen(wxPoint(rect.x + 30, rect.y + rect.height / 2)));
    settle();
    sim.MouseDblClick();
    const TrackLength track = dialog->tracks()[2];
    ASSERT_TRUE(waitFor([&] { return layout().findPiece(track.pieces[0])->selected; }));
    std::set<int32_t> selected;
    for (const PlacedPiece& p : layout().pieces)
        if (p.selected)
            selected.insert(p.id);
    EXPECT_EQ(selected, std::set<int32_t>(track.pieces.begin(), track.pieces.end()));
    const wxSize size = frame->canvas()->GetClientSize();
    const ViewTransform& view = frame->canvas()->view().transform();
    EXPECT_NEAR(track.at.x * view.scale + view.panX, size.x / 2.0, 1);
    EXPECT_NEAR(track.at.y * view.scale + view.panY, size.y / 2.0, 1);

    // An edit arrives: the table measures again.
    frame->applyChange(frame->document().apply([&] {
        attachPiece(layout(), layout().pieces.back().id, 1, "62188");
        return Change(Change::Pieces);
    }));
    EXPECT_EQ(list->GetItemText(3, 1), "377 mm");

    dialog->Close();
    settle();
    EXPECT_EQ(frame->trackLengthsDialog(), nullptr);
}
