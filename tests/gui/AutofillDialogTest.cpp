// The "Autofill Gap" dialog: its lines, what the chooser returns for each way of leaving it, and
// the main window's command 6001 filling a real gap through it.
#include "gui/ui/AutofillDialog.h"

#include "GuiTestSupport.h"
#include "core/catalog/TrackCatalog.h"

#include <wx/msgdlg.h>

using namespace plandor;
using namespace plandor::guitest;

namespace {

// Picks a line (or none) and leaves with the given button id.
Drive<AutofillDialog> answerFill(int line, int id) {
    return Drive<AutofillDialog>(
        [line](AutofillDialog* d) { d->list()->SetSelection(line < 0 ? wxNOT_FOUND : line); }, id);
}

} // namespace

TEST(AutofillDialog, ListsTheFillsAndReturnsTheLinePlaced) {
    const FillDialog fills =
        makeFillDialog(360.0, {Fill{{"24360"}, 360.0}, Fill{{"24188", "24172"}, 360.0}});
    auto* dialog = new AutofillDialog(nullptr, fills);
    EXPECT_EQ(dialog->list()->GetCount(), 2u);
    EXPECT_EQ(dialog->list()->GetSelection(), 0);
    dialog->Destroy();

    // Leaving by: Place, Cancel, closing, Place without a chosen line.
    WxFillChooser chooser(nullptr);
    const std::pair<Drive<AutofillDialog>, int> cases[] = {{answerFill(1, 5100), 1},
                                                           {answerFill(1, 5101), -1},
                                                           {answerFill(1, wxID_CANCEL), -1},
                                                           {answerFill(-1, 5100), -1}};
    for (const auto& [answer, expected] : cases) {
        int chosen = -2;
        wxTEST_DIALOG(chosen = chooser.chooseFill(fills), answer);
        EXPECT_EQ(chosen, expected);
    }
}

using AutofillCommandTest = MainFrameFixture;

TEST_F(AutofillCommandTest, Command6001RefusesWithoutAGapAndFillsARealOne) {
    const double length = TrackCatalog::instance().find("24188")->length;
    const int32_t a = addPiece(layout(), "24188", 0, 0).id;
    const int32_t b = addPiece(layout(), "24188", length, 0).id; // touching end to end: no gap
    layout().findPiece(a)->selected = true;
    layout().findPiece(b)->selected = true;
    wxTEST_DIALOG(command(6001), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(layout().pieces.size(), 2u);
    EXPECT_FALSE(frame->document().modified);

    // Open ends facing each other one 24188 apart.
    layout().findPiece(b)->x = 2 * length;
    wxTEST_DIALOG(command(6001), answerFill(0, 5100));
    ASSERT_EQ(layout().pieces.size(), 3u);
    EXPECT_TRUE(frame->document().modified);
}
