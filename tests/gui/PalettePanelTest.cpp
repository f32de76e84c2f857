// The real palette in a frame under Xvfb: its notebook pages as the track system changes and the
// entries it hands on for double-clicks.
#include "GuiTestSupport.h"
#include "document/Document.h"

#include <wx/frame.h>
#include <wx/notebook.h>

using namespace plandor;
using namespace plandor::guitest;

namespace {

std::vector<std::string> pageTitles(wxNotebook* book) {
    std::vector<std::string> titles;
    for (size_t i = 0; i < book->GetPageCount(); ++i)
        titles.push_back(book->GetPageText(i).ToStdString());
    return titles;
}

class PalettePanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = tempFolder();
        frame = new wxFrame(nullptr, wxID_ANY, "palette", wxPoint(0, 0), wxSize(300, 800));
        palette = new PalettePanel(frame, doc, prompter, root);
        palette->setActionHandler([this](const PaletteAction& a) { actions.push_back(a); });
        frame->Show();
        settle();
    }
    void TearDown() override {
        EXPECT_TRUE(prompter.messages.empty());
        frame->Destroy();
        settle();
        std::filesystem::remove_all(root);
    }
    void doubleClickOn(PalettePage page, const std::string& key) {
        select(palette->list(page), rowOf(palette, page, key), wxEVT_LISTBOX_DCLICK);
    }

    std::string root;
    Document doc;
    ScriptedPrompter prompter;
    wxFrame* frame = nullptr;
    PalettePanel* palette = nullptr;
    std::vector<PaletteAction> actions;
};

} // namespace

TEST_F(PalettePanelTest, ZTrackRemovesTheSceneryPageAndOthersBringItBackOnce) {
    const std::vector<std::string> all = {"Track", "Library", "Scenery", "Signals"};
    wxNotebook* book = palette->notebook();
    EXPECT_EQ(pageTitles(book), all);
    EXPECT_EQ(palette->chooser()->GetCount(), 4u);
    EXPECT_EQ(palette->list(PalettePage::Track)->GetCount(), trackRows(0).size());

    book->SetSelection(2); // Scenery is showing when it goes
    choose(palette->chooser(), 3);
    EXPECT_EQ(palette->chooser()->GetStringSelection(), "Marklin Z-Track");
    EXPECT_EQ(pageTitles(book), (std::vector<std::string>{"Track", "Library", "Signals"}));
    EXPECT_EQ(book->GetSelection(), 0);
    EXPECT_EQ(palette->list(PalettePage::Track)->GetCount(), trackRows(3).size());
    choose(palette->chooser(), 3);
    EXPECT_EQ(book->GetPageCount(), 3u);

    for (int system : {0, 1, 2}) {
        choose(palette->chooser(), system);
        EXPECT_EQ(pageTitles(book), all) << system;
    }
    EXPECT_EQ(book->GetPage(2), palette->list(PalettePage::Scenery));
}

TEST_F(PalettePanelTest, DoubleClickHandsOnThePartNumber) {
    using Kind = PaletteAction::Kind;
    doubleClickOn(PalettePage::Track, "24188");
    select(palette->list(PalettePage::Track), 0, wxEVT_LISTBOX_DCLICK); // a header: nothing
    doubleClickOn(PalettePage::Track, "@helix:proses_3_5_r1r2");
    doubleClickOn(PalettePage::Signals, "signal_color_clear");
    EXPECT_TRUE(palette->list(PalettePage::Signals)->IsEnabled());
    // With a piece selected on the canvas the new piece is to be joined to it.
    addPiece(doc.layout, "24188", 0, 0);
    doc.layout.pieces.back().selected = true;
    doubleClickOn(PalettePage::Track, "24130");
    EXPECT_EQ(actions,
              (std::vector<PaletteAction>{{Kind::BeginPlacing, "24188"},
                                          {Kind::PlaceHelix, "proses_3_5_r1r2"},
                                          {Kind::BeginSceneryPlacing, "signal_color_clear"},
                                          {Kind::AutoConnect, "24130"}}));
}
