// The "Autofill Gap" dialog: its lines and buttons, and what the chooser returns for each way
// of leaving it; then the main window's command 6001 filling a real gap.
#include "ui/AutofillDialog.h"

#include "GuiTestSupport.h"
#include "catalog/TrackCatalog.h"
#include "ui/PropertiesPanel.h"

#include <wx/msgdlg.h>

using namespace plandor;
using namespace plandor::guitest;

namespace {

FillDialog twoFills() {
    return makeFillDialog(360.0, {Fill{{"24360"}, 360.0}, Fill{{"24188", "24172"}, 360.0}});
}

// Picks a line (or none) and leaves with the given button id.
class AnswerFill : public wxExpectModalBase<AutofillDialog> {
  public:
    AnswerFill(int line, int id) : line_(line), id_(id) {}

  protected:
    int OnInvoked(AutofillDialog* dialog) const override {
        dialog->list()->SetSelection(line_ < 0 ? wxNOT_FOUND : line_);
        return id_;
    }

  private:
    int line_;
    int id_;
};

} // namespace

TEST(AutofillDialog, ListsTheFillsAndReturnsTheLinePlaced) {
    auto* dialog = new AutofillDialog(nullptr, twoFills());
    EXPECT_EQ(dialog->GetTitle(), "Autofill Gap");
    EXPECT_TRUE(hasLabel(dialog, "Gap: 360.0 mm. Select fill:"));
    wxListBox* list = dialog->list();
    ASSERT_EQ(list->GetCount(), 2u);
    EXPECT_EQ(list->GetString(0), "24360  (360.0 mm)");
    EXPECT_EQ(list->GetString(1), "24188 + 24172  (360.0 mm)");
    EXPECT_EQ(list->GetSelection(), 0);
    EXPECT_EQ(dialog->FindWindow(5100)->GetLabel(), "Place");
    EXPECT_EQ(dialog->FindWindow(5101)->GetLabel(), "Cancel");
    dialog->Destroy();

    // Leaving by: Place, Cancel, closing, Place without a chosen line.
    WxFillChooser chooser(nullptr);
    const std::pair<AnswerFill, int> cases[] = {{AnswerFill(1, 5100), 1},
                                                {AnswerFill(1, 5101), -1},
                                                {AnswerFill(1, wxID_CANCEL), -1},
                                                {AnswerFill(-1, 5100), -1}};
    for (const auto& [answer, expected] : cases) {
        int chosen = -2;
        wxTEST_DIALOG(chosen = chooser.chooseFill(twoFills()), answer);
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
    wxTEST_DIALOG(command(6001), AnswerFill(0, 5100));
    ASSERT_EQ(layout().pieces.size(), 3u);
    EXPECT_EQ(layout().pieces[2].part, "24188");
    EXPECT_TRUE(frame->document().modified);
    EXPECT_EQ(frame->properties()->lastCounts().at("24188"), 3);
    EXPECT_EQ(status(1), "Pieces: 3");
}
