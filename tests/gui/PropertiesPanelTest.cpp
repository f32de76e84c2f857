// The real properties panel in a frame, driven through its controls: the selection and its
// grade, height input, the tally list and Buy Track.
#include "ui/PropertiesPanel.h"
#include "../core/RecordingBrowser.h"

#include "GuiTestSupport.h"
#include "catalog/TrackCatalog.h"
#include "editing/Placing.h"
#include "app/Cart.h"
#include "document/Document.h"

#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include <cmath>

using namespace plandor;
using namespace plandor::guitest;

namespace {

struct PanelEdit {
    Change change;
    std::string status;
};

class PropertiesPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.layout.ensureDefaultLevel();
        frame = new wxFrame(nullptr, wxID_ANY, "panel", wxDefaultPosition, wxSize(280, 900));
        panel = new PropertiesPanel(frame, doc);
        panel->setEditSink([this](const Change& change, const std::string& status) {
            edits.push_back(PanelEdit{change, status});
        });
        panel->setPrompter(prompter);
        panel->setBrowserOpener(browser);
        panel->setShopMap(shop);
        frame->Show();
        settle();
    }
    void TearDown() override {
        frame->Destroy();
        settle();
    }
    const PropertiesPanel::Controls& c() const { return panel->controls(); }
    std::string text(wxWindow* w) const { return w->GetLabel().ToStdString(wxConvUTF8); }

    Document doc;
    wxFrame* frame = nullptr;
    PropertiesPanel* panel = nullptr;
    std::vector<PanelEdit> edits;
    RecordingPrompter prompter;
    RecordingBrowser browser;
    ShopMap shop{"https://shop.test", {{"24188", "10000000000188"}, {"74618", "10000000074618"}}};
};

} // namespace

TEST_F(PropertiesPanelTest, StartGradeRaisesThePiecesAddedAfterTheSelectedOne) {
    const int32_t first = put(doc.layout, "24188", 0, 0);
    doc.layout.findPiece(first)->selected = true;
    panel->refreshSelection();
    EXPECT_EQ(text(c().title), "24188 - 188.3mm");
    EXPECT_EQ(c().heightField->GetValue(), "0.0");
    EXPECT_TRUE(c().startGrade->IsEnabled());
    EXPECT_FALSE(c().endGrade->IsEnabled()) << "no grade run is under way";

    c().spin->SetValue(3.0);
    c().up->SetValue(true);
    click(c().startGrade);
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].status, "Elevation: UP 3.0 deg");
    EXPECT_EQ(text(c().gradeValue), "+3.00 deg (5.2%)");
    EXPECT_TRUE(c().endGrade->IsEnabled());

    // Two straights laid on the run's tip climb with it.
    ASSERT_TRUE(autoConnect(doc.layout, "24188").placed);
    ASSERT_TRUE(autoConnect(doc.layout, "24188").placed);
    panel->refreshSelection();
    const double rise = 188.3 * std::sin(3.0 * M_PI / 180.0);
    EXPECT_EQ(c().heightField->GetValue(), heightFieldText(2 * rise, Units::Millimetres));
    EXPECT_EQ(text(c().gradeValue), "+3.00 deg (5.2%)");

    // Ending the grade on the tip lays it flat at the height where the piece behind ends.
    click(c().endGrade);
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[1].status, "Grade ended - subsequent pieces will be flat");
    EXPECT_EQ(text(c().gradeValue), "-");
    EXPECT_EQ(c().heightField->GetValue(), heightFieldText(2 * rise, Units::Millimetres));
    EXPECT_TRUE(doc.layout.gradeRuns.empty());
    EXPECT_NEAR(doc.layout.findPiece(first)->grade, 3.0, 1e-9);

    // Typed heights are in the layout's units; text that is not a number is ignored.
    const int32_t tip = doc.layout.pieces.back().id;
    doc.layout.units = Units::Centimetres;
    panel->refreshSelection();
    typeAndEnter(c().heightField, "abc");
    EXPECT_EQ(edits.size(), 2u);
    typeAndEnter(c().heightField, "2.5");
    EXPECT_DOUBLE_EQ(doc.layout.findPiece(tip)->z, 25.0);
    EXPECT_EQ(edits.size(), 3u);
}

TEST_F(PropertiesPanelTest, TallyListsPartsInOrderWithRecommendations) {
    for (const char* part : {"74618", "24630", "24720", "99999"})
        put(doc.layout, part, 0, 0);
    panel->refreshTally();
    const auto name = [](const char* part) {
        return TrackCatalog::instance().find(part)->description;
    };
    const std::vector<std::pair<std::string, std::string>> expected = {
        {name("24172"), "1"},          {name("24188"), "1"},         {name("24630"), "1"},
        {name("24720"), "1"},          {name("74618"), "1"},         {"99999", "1"},
        {"We Recommend", ""},          {"74491 Turnout Motor", "3"}, {"74462 Decoder", "1"},
        {"74467 Decoder (24720)", "1"}};
    ASSERT_EQ(c().tally->GetItemCount(), static_cast<int>(expected.size()));
    for (size_t row = 0; row < expected.size(); ++row) {
        EXPECT_EQ(c().tally->GetItemText(row, 0).ToStdString(wxConvUTF8), expected[row].first);
        EXPECT_EQ(c().tally->GetItemText(row, 1).ToStdString(wxConvUTF8), expected[row].second);
    }
    EXPECT_EQ(c().tally->GetItemFont(6).GetWeight(), wxFONTWEIGHT_BOLD);

    // Without turnouts there is nothing to recommend.
    doc.layout.pieces.clear();
    put(doc.layout, "24188", 0, 0);
    panel->refreshTally();
    EXPECT_EQ(c().tally->GetItemCount(), 1);
}

TEST_F(PropertiesPanelTest, BuyTrackOpensTheCartAndNamesWhatTheShopLacks) {
    put(doc.layout, "99999", 0, 0);
    click(c().buyTrack);
    EXPECT_TRUE(browser.opened.empty());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "No purchasable track pieces found in your layout.");

    doc.layout.pieces.clear();
    for (const char* part : {"24188", "24188", "74618", "24630"})
        put(doc.layout, part, 0, 0);
    click(c().buyTrack);
    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(browser.opened[0], "https://shop.test/cart/10000000000188:2,10000000074618:1");
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].title, "Some pieces not available");
    EXPECT_EQ(prompter.messages[1].text,
              "The following pieces are not available in the store and will be skipped:\n"
              "  24630\n");
    EXPECT_EQ(prompter.messages[1].icon, PromptIcon::Warning);
}
