// The real properties panel in a frame, driven through its controls: the description of the
// selection, the grade buttons over pieces laid with the editing code, height, colour, level
// and label input, the tally list and Buy Track with its help dialog.
#include "ui/PropertiesPanel.h"

#include "GuiTestSupport.h"
#include "editing/Placing.h"
#include "shell/Cart.h"
#include "shell/Document.h"
#include "ui/BuyTrackHelpDialog.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/hyperlink.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <cmath>

using namespace plandor;
using namespace plandor::guitest;

namespace {

class FakeBrowser : public BrowserOpener {
  public:
    std::vector<std::string> opened;
    bool open(const std::string& url) override {
        opened.push_back(url);
        return true;
    }
};

class PropertiesPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.layout.ensureDefaultLevel();
        frame = new wxFrame(nullptr, wxID_ANY, "panel", wxDefaultPosition, wxSize(280, 900));
        panel = new PropertiesPanel(frame, doc);
        panel->setEditSink([this](const PanelEdit& edit) { edits.push_back(edit); });
        panel->setPrompter(prompter);
        panel->setBrowserOpener(browser);
        shop.baseAddress = "https://shop.test";
        shop.variants = {{"24188", "10000000000188"}, {"74618", "10000000074618"}};
        panel->setShopMap(shop);
        frame->Show();
        settle();
    }
    void TearDown() override {
        frame->Destroy();
        settle();
    }

    const PropertiesPanel::Controls& c() const { return panel->controls(); }

    // Lays a piece down selected and shows it in the panel.
    int32_t selectNew(const std::string& part, double z = 0, double grade = 0) {
        const int32_t id = put(doc.layout, part, 0, 0);
        PlacedPiece* p = doc.layout.findPiece(id);
        p->z = z;
        p->grade = grade;
        p->selected = true;
        panel->refreshSelection();
        return id;
    }

    std::string text(wxWindow* w) const { return w->GetLabel().ToStdString(wxConvUTF8); }
    std::string tallyCell(long row, int column) const {
        return c().tally->GetItemText(row, column).ToStdString(wxConvUTF8);
    }

    Document doc;
    wxFrame* frame = nullptr;
    PropertiesPanel* panel = nullptr;
    std::vector<PanelEdit> edits;
    RecordingPrompter prompter;
    FakeBrowser browser;
    ShopMap shop;
};

} // namespace

TEST_F(PropertiesPanelTest, ControlsCarryTheirTextsTopToBottom) {
    const std::vector<std::string> texts = windowLabels(panel);
    for (const char* expected :
         {"Add Label", "OK", "Level:", "Color", "Apply", "Set Grade",
          "Height (mm):", "Grade:", "Set height above baseboard.\nMax grade: 6 deg.", "UP", "DOWN",
          "deg", "Start Grade", "End Grade", "Recalc", "Piece Count", "  Buy Track  ", "?"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;

    EXPECT_EQ(c().recalc->GetToolTipText(), "Recalculate elevation chain from this piece forward");
    EXPECT_EQ(c().aboutBuyTrack->GetToolTipText(), "About Buy Track");
    EXPECT_TRUE(c().labelField->HasFlag(wxTE_PROCESS_ENTER));
    EXPECT_TRUE(c().heightField->HasFlag(wxTE_PROCESS_ENTER));
    EXPECT_TRUE(c().up->HasFlag(wxRB_GROUP));

    const std::vector<std::string> colours = {"Default", "Red",    "Orange", "Yellow", "Green",
                                              "Blue",    "Purple", "Pink",   "White"};
    ASSERT_EQ(c().colour->GetCount(), colours.size());
    for (unsigned i = 0; i < colours.size(); ++i)
        EXPECT_EQ(c().colour->GetString(i), colours[i]);
    EXPECT_EQ(c().colour->GetSelection(), 0);

    EXPECT_DOUBLE_EQ(c().spin->GetMin(), 0.0);
    EXPECT_DOUBLE_EQ(c().spin->GetMax(), 6.0);
    EXPECT_DOUBLE_EQ(c().spin->GetIncrement(), 0.5);
    EXPECT_DOUBLE_EQ(c().spin->GetValue(), 0.0);

    EXPECT_TRUE(c().tally->HasFlag(wxLC_REPORT));
    EXPECT_TRUE(c().tally->HasFlag(wxLC_NO_HEADER));
    ASSERT_EQ(c().tally->GetColumnCount(), 2);
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT);
    c().tally->GetColumn(0, column);
    EXPECT_EQ(column.GetText(), "Piece");
    c().tally->GetColumn(1, column);
    EXPECT_EQ(column.GetText(), "Count");

    EXPECT_EQ(c().buyTrack->GetBackgroundColour(), wxColour(20, 110, 20));
    EXPECT_EQ(c().buyTrack->GetForegroundColour(), *wxWHITE);
    EXPECT_EQ(c().buyTrack->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(c().buyTrack->GetFont().GetPointSize(), panel->GetFont().GetPointSize() + 2);
    EXPECT_EQ(c().buyTrack->GetSize().y, 36);

    // The groups follow each other down the panel and the tally takes the spare height.
    const std::vector<wxWindow*> order = {
        c().labelField, c().title, c().detail,     c().level, c().colour,  c().heightField,
        c().gradeValue, c().spin,  c().startGrade, c().tally, c().buyTrack};
    for (size_t i = 1; i < order.size(); ++i)
        EXPECT_LT(order[i - 1]->GetScreenPosition().y, order[i]->GetScreenPosition().y) << i;
    EXPECT_GT(c().tally->GetSize().y, 200);
}

TEST_F(PropertiesPanelTest, NothingSelectedShowsNoSelection) {
    EXPECT_EQ(text(c().title), "No selection");
    EXPECT_EQ(text(c().detail), "");
    EXPECT_EQ(c().heightField->GetValue(), "0");
    EXPECT_FALSE(c().heightField->IsEnabled());
    EXPECT_EQ(text(c().gradeValue), "-");
    EXPECT_EQ(text(c().warning), "");
    EXPECT_FALSE(c().level->IsEnabled());
    EXPECT_FALSE(c().startGrade->IsEnabled());
    EXPECT_FALSE(c().endGrade->IsEnabled());
    EXPECT_FALSE(c().recalc->IsEnabled());
}

TEST_F(PropertiesPanelTest, OnePieceIsDescribedWithHeightAndLevel) {
    selectNew("24188", 25.0);
    EXPECT_EQ(text(c().title), "24188 - 188.3mm");
    EXPECT_EQ(text(c().detail), "M\xC3\xA4rklin C  |  188.3 mm");
    EXPECT_EQ(text(c().heightLabel), "Height (mm):");
    EXPECT_EQ(c().heightField->GetValue(), "25.0");
    EXPECT_TRUE(c().heightField->IsEnabled());
    ASSERT_EQ(c().level->GetCount(), 1u);
    EXPECT_EQ(c().level->GetString(0), "Level 1");
    EXPECT_EQ(c().level->GetSelection(), 0);
    EXPECT_TRUE(c().level->IsEnabled());
    EXPECT_TRUE(c().startGrade->IsEnabled());
    EXPECT_TRUE(c().recalc->IsEnabled());
    EXPECT_FALSE(c().endGrade->IsEnabled()) << "no grade run is under way";

    doc.layout.units = 2;
    panel->refreshSelection();
    EXPECT_EQ(text(c().heightLabel), "Height (in):");
    EXPECT_EQ(c().heightField->GetValue(), "0.984");
}

TEST_F(PropertiesPanelTest, StartGradeRaisesThePiecesLaidAfterIt) {
    const int32_t first = selectNew("24188");
    c().spin->SetValue(3.0);
    c().up->SetValue(true);
    click(c().startGrade);

    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].status, "Elevation: UP 3.0 deg");
    EXPECT_TRUE(edits[0].modified);
    EXPECT_EQ(text(c().gradeValue), "+3.00 deg (5.2%)");
    EXPECT_TRUE(c().endGrade->IsEnabled());

    // Two straights laid on the run's tip climb with it.
    ASSERT_TRUE(autoConnect(doc.layout, "24188").placed);
    const PlaceOutcome third = autoConnect(doc.layout, "24188");
    ASSERT_TRUE(third.placed);
    panel->refreshSelection();
    const double rise = 188.3 * std::sin(3.0 * M_PI / 180.0);
    EXPECT_EQ(c().heightField->GetValue(), heightFieldText(2 * rise, 0));
    EXPECT_EQ(text(c().gradeValue), "+3.00 deg (5.2%)");
    EXPECT_DOUBLE_EQ(c().spin->GetValue(), 3.0);

    // Ending the grade on the tip lays it flat at the height where the piece behind ends.
    click(c().endGrade);
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[1].status, "Grade ended - subsequent pieces will be flat");
    EXPECT_TRUE(edits[1].modified);
    EXPECT_EQ(text(c().gradeValue), "-");
    EXPECT_EQ(c().heightField->GetValue(), heightFieldText(2 * rise, 0));
    EXPECT_FALSE(c().endGrade->IsEnabled());
    EXPECT_TRUE(doc.layout.gradeRuns.empty());
    EXPECT_NEAR(doc.layout.findPiece(first)->grade, 3.0, 1e-9);
}

TEST_F(PropertiesPanelTest, DownGradeIsNegative) {
    const int32_t id = selectNew("24188", 40.0);
    c().spin->SetValue(2.5);
    c().down->SetValue(true);
    click(c().startGrade);
    EXPECT_DOUBLE_EQ(doc.layout.findPiece(id)->grade, -2.5);
    EXPECT_EQ(text(c().gradeValue), "-2.50 deg (4.4%)");
    EXPECT_TRUE(c().down->GetValue());
}

TEST_F(PropertiesPanelTest, RecalcWithNothingToChangeTellsNothing) {
    selectNew("24188");
    click(c().recalc);
    EXPECT_TRUE(edits.empty());
    EXPECT_EQ(doc.layout.undoDepth(), 0u);
}

TEST_F(PropertiesPanelTest, SteepGradeIsRedWithAWarning) {
    selectNew("24188", 0, -7.5);
    EXPECT_EQ(text(c().gradeValue), "-7.50 deg (13.2%)");
    EXPECT_EQ(c().gradeValue->GetForegroundColour(), wxColour(200, 40, 40));
    std::string warning = text(c().warning);
    std::replace(warning.begin(), warning.end(), '\n', ' '); // wrapped to the panel's width
    EXPECT_EQ(warning, "WARNING: Grade 7.5 deg exceeds 6 deg max!");
    EXPECT_DOUBLE_EQ(c().spin->GetValue(), 6.0);
    EXPECT_TRUE(c().down->GetValue());

    for (PlacedPiece& p : doc.layout.pieces)
        p.selected = false;
    selectNew("24188", 0, 4.0);
    EXPECT_EQ(text(c().gradeValue), "+4.00 deg (7.0%)");
    EXPECT_NE(c().gradeValue->GetForegroundColour(), wxColour(200, 40, 40));
    EXPECT_EQ(text(c().warning), "");
}

TEST_F(PropertiesPanelTest, HeightEnterSetsTheShownPieceOnly) {
    const int32_t id = selectNew("24188");
    typeAndEnter(c().heightField, "abc");
    EXPECT_TRUE(edits.empty()) << "text that is not a number is ignored";

    doc.layout.units = 1;
    panel->refreshSelection();
    typeAndEnter(c().heightField, "2.5");
    EXPECT_DOUBLE_EQ(doc.layout.findPiece(id)->z, 25.0);
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_TRUE(edits[0].modified);
    EXPECT_EQ(c().heightField->GetValue(), "2.5");

    // With two pieces selected the description names no piece.
    const int32_t other = selectNew("24188");
    EXPECT_EQ(text(c().title), "24188 + 24188");
    typeAndEnter(c().heightField, "9");
    EXPECT_DOUBLE_EQ(doc.layout.findPiece(id)->z, 25.0);
    EXPECT_DOUBLE_EQ(doc.layout.findPiece(other)->z, 0.0);
    EXPECT_EQ(edits.size(), 1u);
}

TEST_F(PropertiesPanelTest, ApplyColoursTheSelectionAndDeselectsIt) {
    const int32_t a = selectNew("24188");
    const int32_t b = selectNew("24172");
    c().colour->SetSelection(1);
    click(c().apply);
    for (int32_t id : {a, b}) {
        const PlacedPiece* p = doc.layout.findPiece(id);
        EXPECT_TRUE(p->hasColor);
        EXPECT_EQ(std::make_tuple(p->colorR, p->colorG, p->colorB),
                  std::make_tuple(uint8_t(220), uint8_t(60), uint8_t(60)));
        EXPECT_FALSE(p->selected);
    }
    EXPECT_EQ(text(c().title), "No selection");
    ASSERT_EQ(edits.size(), 1u);

    click(c().apply);
    EXPECT_EQ(edits.size(), 1u) << "nothing selected: nothing happens";

    doc.layout.findPiece(a)->selected = true;
    c().colour->SetSelection(0);
    click(c().apply);
    EXPECT_FALSE(doc.layout.findPiece(a)->hasColor);
    EXPECT_TRUE(doc.layout.findPiece(b)->hasColor);
}

TEST_F(PropertiesPanelTest, LevelChoiceMovesThePieceToTheLevelsHeight) {
    Level upper;
    upper.id = 2;
    upper.name = "Upper";
    upper.height = 80;
    doc.layout.levels.push_back(upper);

    const int32_t flat = selectNew("24188", 10);
    ASSERT_EQ(c().level->GetCount(), 2u);
    choose(c().level, 1);
    EXPECT_EQ(doc.layout.findPiece(flat)->level, upper.id);
    EXPECT_DOUBLE_EQ(doc.layout.findPiece(flat)->z, 80.0);
    EXPECT_EQ(doc.layout.activeLevel, upper.id);
    EXPECT_EQ(c().level->GetSelection(), 1);
    ASSERT_EQ(edits.size(), 1u);

    doc.layout.findPiece(flat)->selected = false;
    const int32_t graded = selectNew("24188", 10, 2.0);
    choose(c().level, 1);
    EXPECT_EQ(doc.layout.findPiece(graded)->level, upper.id);
    EXPECT_DOUBLE_EQ(doc.layout.findPiece(graded)->z, 10.0) << "a graded piece keeps its height";
}

TEST_F(PropertiesPanelTest, LabelsGoToTheDropPointOrTheOrigin) {
    panel->setLabelDropPoint(120, 340);
    c().labelField->ChangeValue("Yard  ");
    click(c().labelOk);
    ASSERT_EQ(doc.layout.labels.size(), 1u);
    EXPECT_EQ(doc.layout.labels[0].text, "Yard");
    EXPECT_DOUBLE_EQ(doc.layout.labels[0].x, 120);
    EXPECT_DOUBLE_EQ(doc.layout.labels[0].y, 340);
    EXPECT_EQ(c().labelField->GetValue(), "");
    ASSERT_EQ(edits.size(), 1u);

    typeAndEnter(c().labelField, "Depot");
    ASSERT_EQ(doc.layout.labels.size(), 2u);
    EXPECT_DOUBLE_EQ(doc.layout.labels[1].x, 0);
    EXPECT_DOUBLE_EQ(doc.layout.labels[1].y, 0);
    EXPECT_NE(doc.layout.labels[0].id, doc.layout.labels[1].id);

    typeAndEnter(c().labelField, "   ");
    EXPECT_EQ(doc.layout.labels.size(), 2u);
}

TEST_F(PropertiesPanelTest, TallyListsPartsInOrderWithRecommendations) {
    put(doc.layout, "74618", 0, 0);
    put(doc.layout, "24630", 0, 0);
    put(doc.layout, "24720", 0, 0);
    put(doc.layout, "99999", 0, 0);
    panel->refreshTally();

    const TrackCatalog& catalog = TrackCatalog::instance();
    const auto name = [&](const char* part) { return catalog.find(part)->description; };
    const std::vector<std::pair<std::string, std::string>> expected = {
        {name("24172"), "1"},          {name("24188"), "1"},         {name("24630"), "1"},
        {name("24720"), "1"},          {name("74618"), "1"},         {"99999", "1"},
        {"We Recommend", ""},          {"74491 Turnout Motor", "3"}, {"74462 Decoder", "1"},
        {"74467 Decoder (24720)", "1"}};
    ASSERT_EQ(c().tally->GetItemCount(), static_cast<int>(expected.size()));
    for (size_t row = 0; row < expected.size(); ++row) {
        EXPECT_EQ(tallyCell(row, 0), expected[row].first) << row;
        EXPECT_EQ(tallyCell(row, 1), expected[row].second) << row;
    }
    EXPECT_EQ(c().tally->GetItemFont(6).GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(c().tally->GetItemTextColour(6), wxColour(60, 60, 160));
    const wxFont plain = c().tally->GetItemFont(7);
    EXPECT_TRUE(!plain.IsOk() || plain.GetWeight() != wxFONTWEIGHT_BOLD);
    EXPECT_EQ(panel->lastCounts().at("24188"), 1);

    // Without turnouts there is nothing to recommend; an empty layout leaves the list empty.
    doc.layout.pieces.clear();
    put(doc.layout, "24188", 0, 0);
    panel->refreshTally();
    ASSERT_EQ(c().tally->GetItemCount(), 1);
    doc.layout.pieces.clear();
    panel->refreshTally();
    EXPECT_EQ(c().tally->GetItemCount(), 0);
}

TEST_F(PropertiesPanelTest, BuyTrackOpensTheCartAndNamesWhatTheShopLacks) {
    put(doc.layout, "24188", 0, 0);
    put(doc.layout, "24188", 0, 0);
    put(doc.layout, "74618", 0, 0);
    put(doc.layout, "24630", 0, 0);
    click(c().buyTrack);
    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(browser.opened[0], "https://shop.test/cart/10000000000188:2,10000000074618:1");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Some pieces not available");
    EXPECT_EQ(prompter.messages[0].text,
              "The following pieces are not available in the store and will be skipped:\n"
              "  24630\n");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Warning);
}

TEST_F(PropertiesPanelTest, BuyTrackWithNothingToBuyOpensNoBrowser) {
    put(doc.layout, "99999", 0, 0);
    click(c().buyTrack);
    EXPECT_TRUE(browser.opened.empty());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Buy Track");
    EXPECT_EQ(prompter.messages[0].text, "No purchasable track pieces found in your layout.");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Information);
}

namespace {

// Checks the help dialog while it is shown modally and closes it with "Got it!".
class CheckBuyTrackHelp : public wxExpectModalBase<BuyTrackHelpDialog> {
  protected:
    int OnInvoked(BuyTrackHelpDialog* dialog) const override {
        EXPECT_EQ(dialog->GetTitle(), "Buy Track - How it works");
        EXPECT_EQ(dialog->GetSize(), wxSize(480, 840));
        const std::vector<std::string> labels = windowLabels(dialog);
        EXPECT_NE(std::find(labels.begin(), labels.end(), kBuyTrackHelpText), labels.end());
        auto* link = findChild<wxHyperlinkCtrl>(dialog);
        EXPECT_NE(link, nullptr);
        if (link) {
            EXPECT_EQ(link->GetLabel(), "shop.test");
            EXPECT_EQ(link->GetURL(), "https://shop.test");
        }
        auto* ok = dynamic_cast<wxButton*>(dialog->FindWindow(wxID_OK));
        EXPECT_NE(ok, nullptr);
        if (ok) {
            EXPECT_EQ(ok->GetLabel(), "Got it!");
        }
        return wxID_OK;
    }
};

} // namespace

TEST_F(PropertiesPanelTest, AboutBuyTrackShowsHowItWorks) {
    wxTEST_DIALOG(click(c().aboutBuyTrack), CheckBuyTrackHelp());
}
