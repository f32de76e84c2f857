// The real properties panel in a frame, driven through its controls: the selection and its
// grade, height input and Buy Track.
#include "gui/ui/PropertiesPanel.h"
#include "../core/RecordingBrowser.h"

#include "GuiTestSupport.h"
#include "core/app/Cart.h"
#include "core/document/Document.h"
#include "gui/platform/NumberField.h"

#include <wx/frame.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

using namespace plandor;
using namespace plandor::guitest;

namespace {

class PropertiesPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.layout.ensureDefaultLevel();
        frame = new wxFrame(nullptr, wxID_ANY, "panel", wxDefaultPosition, wxSize(280, 900));
        panel = new PropertiesPanel(frame, doc);
        panel->setEditSink([this](const Change& change) {
            edits.push_back(change.message); // what the status bar is to show
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
    std::vector<std::string> edits;
    ScriptedPrompter prompter;
    RecordingBrowser browser;
    ShopMap shop{"https://shop.test", {{"24188", "10000000000188"}, {"74618", "10000000074618"}}};
};

} // namespace

// The grade rules are checked in the core; the buttons and the height field reach them.
TEST_F(PropertiesPanelTest, GradeButtonsAndHeightFieldEditTheSelectedPiece) {
    const int32_t first = addPiece(doc.layout, "24188", 0, 0).id;
    doc.layout.findPiece(first)->selected = true;
    panel->refreshSelection();
    EXPECT_EQ(text(c().title), "24188 - 188.3mm");
    EXPECT_FALSE(c().endGrade->IsEnabled()) << "no grade run is under way";

    c().spin->SetValue(3.0);
    c().up->SetValue(true);
    click(c().startGrade);
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0], "Elevation: UP 3.0 deg");
    EXPECT_EQ(text(c().gradeValue), "+3.00 deg (5.2%)");
    EXPECT_TRUE(c().endGrade->IsEnabled());

    click(c().endGrade);
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(text(c().gradeValue), "-");

    // Typed heights are in the layout's units.
    doc.layout.units = Units::Centimetres;
    panel->refreshSelection();
    typeAndEnter(c().heightField, "2.5");
    EXPECT_DOUBLE_EQ(doc.layout.findPiece(first)->z, 25.0);
    EXPECT_EQ(edits.size(), 3u);
}

// The cart rules are checked in the core; the button runs them with the panel's shop.
TEST_F(PropertiesPanelTest, BuyTrackOpensTheCartAndNamesWhatTheShopLacks) {
    for (const char* part : {"24188", "24188", "74618", "24630"})
        addPiece(doc.layout, part, 0, 0);
    click(c().buyTrack);
    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(browser.opened[0], "https://shop.test/cart/10000000000188:2,10000000074618:1");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].text.find("  24630\n"), std::string::npos);
}
