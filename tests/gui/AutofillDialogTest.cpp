// The "Autofill Gap" dialog: its lines and buttons, and what the chooser returns for each way
// of leaving it; then the main window's command 6001 filling a real gap.
#include "ui/AutofillDialog.h"

#include "GuiTestSupport.h"
#include "catalog/TrackCatalog.h"
#include "shell/Folders.h"
#include "ui/MainFrame.h"
#include "ui/PropertiesPanel.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/testing.h>

#include <filesystem>

using namespace plandor;
using namespace plandor::guitest;
namespace fs = std::filesystem;

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
        if (line_ < 0)
            dialog->list()->SetSelection(wxNOT_FOUND);
        else
            dialog->list()->SetSelection(line_);
        return id_;
    }

  private:
    int line_;
    int id_;
};

} // namespace

TEST(AutofillDialog, ListsTheFillsWithTheBestOneChosen) {
    auto* dialog = new AutofillDialog(nullptr, twoFills());
    EXPECT_EQ(dialog->GetTitle(), "Autofill Gap");
    EXPECT_TRUE(dialog->HasFlag(wxRESIZE_BORDER));
    EXPECT_TRUE(dialog->HasFlag(wxCLOSE_BOX));
    const std::vector<std::string> labels = windowLabels(dialog);
    EXPECT_NE(std::find(labels.begin(), labels.end(), "Gap: 360.0 mm. Select fill:"), labels.end());

    wxListBox* list = dialog->list();
    ASSERT_EQ(list->GetCount(), 2u);
    EXPECT_EQ(list->GetString(0), "24360  (360.0 mm)");
    EXPECT_EQ(list->GetString(1), "24188 + 24172  (360.0 mm)");
    EXPECT_EQ(list->GetSelection(), 0);

    auto* place = dynamic_cast<wxButton*>(dialog->FindWindow(5100));
    auto* cancel = dynamic_cast<wxButton*>(dialog->FindWindow(5101));
    ASSERT_NE(place, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(place->GetLabel(), "Place");
    EXPECT_EQ(cancel->GetLabel(), "Cancel");
    dialog->Destroy();
}

TEST(AutofillDialog, ChooserReturnsTheLinePlaced) {
    WxFillChooser chooser(nullptr);
    int chosen = -2;
    wxTEST_DIALOG(chosen = chooser.chooseFill(twoFills()), AnswerFill(1, 5100));
    EXPECT_EQ(chosen, 1);
    wxTEST_DIALOG(chosen = chooser.chooseFill(twoFills()), AnswerFill(1, 5101));
    EXPECT_EQ(chosen, -1) << "Cancel";
    wxTEST_DIALOG(chosen = chooser.chooseFill(twoFills()), AnswerFill(1, wxID_CANCEL));
    EXPECT_EQ(chosen, -1) << "closed";
    wxTEST_DIALOG(chosen = chooser.chooseFill(twoFills()), AnswerFill(-1, 5100));
    EXPECT_EQ(chosen, -1) << "Place without a chosen line";
}

namespace {

class MainFramePanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "plandor-props-XXXXXX").string();
        root = mkdtemp(pattern.data());
        fs::create_directory(root + "/app");
        frame = new MainFrame(Folders{root + "/app", "", root});
        frame->Show();
        settle();
    }
    void TearDown() override {
        frame->document().modified = false;
        frame->Destroy();
        settle();
        fs::remove_all(root);
    }

    Layout& layout() { return frame->document().layout; }
    PropertiesPanel& panel() { return *frame->properties(); }
    std::string status(int field) {
        return frame->GetStatusBar()->GetStatusText(field).ToStdString(wxConvUTF8);
    }
    void command(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
    }

    std::string root;
    MainFrame* frame = nullptr;
};

} // namespace

TEST_F(MainFramePanelTest, AutofillCommandPlacesTheChosenFillAndRefreshes) {
    // Two straights whose open ends face each other one 24188 apart.
    const double length = TrackCatalog::instance().find("24188")->length;
    const int32_t a = put(layout(), "24188", 0, 0);
    const int32_t b = put(layout(), "24188", 2 * length, 0);
    layout().findPiece(a)->selected = true;
    layout().findPiece(b)->selected = true;

    wxTEST_DIALOG(command(6001), AnswerFill(0, 5100));

    ASSERT_EQ(layout().pieces.size(), 3u);
    const PlacedPiece& fill = layout().pieces[2];
    EXPECT_EQ(fill.part, "24188");
    EXPECT_EQ(fill.joints[0].target, a);
    EXPECT_EQ(layout().findPiece(a)->joints[1].target, fill.id);
    EXPECT_TRUE(frame->document().modified);
    EXPECT_EQ(panel().lastCounts().at("24188"), 3);
    EXPECT_EQ(status(1), "Pieces: 3");
}

TEST_F(MainFramePanelTest, AutofillRefusalChangesNothing) {
    put(layout(), "24188", 0, 0);
    layout().pieces[0].selected = true;
    const int32_t b = put(layout(), "24188", 188.3, 0);
    layout().findPiece(b)->selected = true; // touching end to end: no gap
    wxTEST_DIALOG(command(6001), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(layout().pieces.size(), 2u);
    EXPECT_FALSE(frame->document().modified);
}

TEST_F(MainFramePanelTest, ModifiedLayoutRefreshesTheTally) {
    EXPECT_EQ(panel().controls().tally->GetItemCount(), 0) << "start-up fills the empty tally";
    put(layout(), "24188", 0, 0);
    put(layout(), "24172", 0, 0);
    frame->markModified();
    EXPECT_EQ(panel().controls().tally->GetItemCount(), 2);
}

TEST_F(MainFramePanelTest, SelectAllIsDescribedInThePanel) {
    put(layout(), "24188", 0, 0);
    put(layout(), "24172", 0, 0);
    command(2005);
    EXPECT_EQ(panel().state().title, "24188 + 24172");
    EXPECT_EQ(panel().state().detail, "2 pieces  |  360.0 mm");
}

TEST_F(MainFramePanelTest, GradeButtonsMarkModifiedAndShowTheElevationStatus) {
    put(layout(), "24188", 0, 0);
    layout().pieces[0].selected = true;
    frame->refreshPanels();
    panel().controls().spin->SetValue(3.0);
    click(panel().controls().startGrade);
    EXPECT_TRUE(frame->document().modified);
    EXPECT_EQ(status(0), "[ELEV] 3.0 deg  (right-click piece to stop)");

    click(panel().controls().endGrade);
    EXPECT_EQ(status(0), "Grade ended - subsequent pieces will be flat");
    EXPECT_TRUE(layout().gradeRuns.empty());
}
