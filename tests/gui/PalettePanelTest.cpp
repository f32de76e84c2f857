// The real palette in a frame under Xvfb: its chooser, the notebook pages as the track system
// changes, the lists it shows, the entries it hands on for double-clicks and drags, the piece
// preview, and the main window carrying out what it is handed.
#include "canvas/PalettePanel.h"
#include "canvas/PiecePreviewPopup.h"
#include "catalog/TrackCatalog.h"
#include "model/LayoutFile.h"
#include "shell/Commands.h"
#include "shell/Document.h"
#include "shell/TraceLog.h"
#include "ui/LayoutFileDialogs.h"
#include "ui/MainFrame.h"

#include <gtest/gtest.h>

#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/testing.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        wxYield();
}

// Lets the toolkit run until `done` holds or about two seconds have passed.
bool waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 100; ++i) {
        wxYield();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

// Nothing the palette does in these tests may ask the user anything.
class NoQuestions : public Prompter {
  public:
    void message(const std::string& title, const std::string&, PromptIcon) override {
        ADD_FAILURE() << "unexpected message " << title;
    }
    PromptAnswer askYesNo(const std::string& title, const std::string&, PromptIcon, bool) override {
        ADD_FAILURE() << "unexpected question " << title;
        return PromptAnswer::No;
    }
    PromptAnswer askYesNoCancel(const std::string& title, const std::string&, PromptIcon) override {
        ADD_FAILURE() << "unexpected question " << title;
        return PromptAnswer::Cancel;
    }
    bool askText(const std::string& title, const std::string&, const std::string&,
                 std::string&) override {
        ADD_FAILURE() << "unexpected prompt " << title;
        return false;
    }
    int choose(const std::string& title, const std::string&,
               const std::vector<std::string>&) override {
        ADD_FAILURE() << "unexpected choice " << title;
        return -1;
    }
};

std::string tempFolder(const char* prefix) {
    std::string pattern = (fs::temp_directory_path() / prefix).string() + "-XXXXXX";
    return mkdtemp(pattern.data());
}

std::vector<std::string> pageTitles(wxNotebook* book) {
    std::vector<std::string> titles;
    for (size_t i = 0; i < book->GetPageCount(); ++i)
        titles.push_back(book->GetPageText(i).ToStdString());
    return titles;
}

class PalettePanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = tempFolder("plandor-palette");
        frame = new wxFrame(nullptr, wxID_ANY, "palette", wxPoint(0, 0), wxSize(300, 800));
        palette = new PalettePanel(frame, doc, prompter, root);
        palette->setActionHandler([this](const PaletteAction& a) { actions.push_back(a); });
        frame->Show();
        settle();
    }
    void TearDown() override {
        frame->Destroy();
        settle();
        fs::remove_all(root);
    }

    void choose(int index) {
        palette->chooser()->SetSelection(index);
        wxCommandEvent event(wxEVT_CHOICE, kPaletteChooserId);
        event.SetInt(index);
        event.SetEventObject(palette->chooser());
        palette->chooser()->ProcessWindowEvent(event);
    }
    void doubleClick(PalettePage page, int row) {
        wxListBox* list = palette->list(page);
        list->SetSelection(row);
        wxCommandEvent event(wxEVT_LISTBOX_DCLICK, list->GetId());
        event.SetInt(row);
        event.SetEventObject(list);
        list->ProcessWindowEvent(event);
    }
    int rowOf(PalettePage page, const std::string& key) const {
        const std::vector<PaletteRow>& rows = palette->rows(page);
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].key == key)
                return static_cast<int>(i);
        return -1;
    }
    // Screen point in the middle of a visible row of the Track list.
    wxPoint screenPointOfRow(int row) const {
        wxListBox* list = palette->list(PalettePage::Track);
        int first = -1, last = -1;
        for (int y = 0; y < list->GetClientSize().y; ++y) {
            if (list->HitTest(wxPoint(20, y)) == row) {
                if (first < 0)
                    first = y;
                last = y;
            }
        }
        EXPECT_GE(first, 0) << "row " << row << " not visible";
        return list->ClientToScreen(wxPoint(20, (first + last) / 2));
    }

    std::string root;
    Document doc;
    NoQuestions prompter;
    wxFrame* frame = nullptr;
    PalettePanel* palette = nullptr;
    std::vector<PaletteAction> actions;
};

TEST_F(PalettePanelTest, ChooserCaptionAndPagesAtStart) {
    wxChoice* chooser = palette->chooser();
    EXPECT_EQ(chooser->GetId(), 3000);
    ASSERT_EQ(chooser->GetCount(), 4u);
    EXPECT_EQ(chooser->GetString(0), "Marklin C-Track");
    EXPECT_EQ(chooser->GetString(1), "Marklin K-Track");
    EXPECT_EQ(chooser->GetString(2), "TRIX C-Track");
    EXPECT_EQ(chooser->GetString(3), "Marklin Z-Track");
    EXPECT_EQ(chooser->GetSelection(), 0);

    bool captionFound = false;
    for (wxWindow* child : palette->GetChildren())
        if (auto* text = dynamic_cast<wxStaticText*>(child))
            captionFound |= text->GetLabel() == "Double-click to place on canvas.";
    EXPECT_TRUE(captionFound);

    wxNotebook* book = palette->notebook();
    EXPECT_EQ(pageTitles(book),
              (std::vector<std::string>{"Track", "Library", "Scenery", "Signals"}));
    const int ids[] = {3001, 3002, 3003, 3004};
    for (size_t i = 0; i < book->GetPageCount(); ++i)
        EXPECT_EQ(book->GetPage(i)->GetId(), ids[i]);

    wxListBox* track = palette->list(PalettePage::Track);
    const std::vector<PaletteRow> rows = trackRows(0);
    ASSERT_EQ(track->GetCount(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(track->GetString(i).ToStdString(wxConvUTF8), rows[i].text) << i;
    EXPECT_EQ(track->GetString(0), "--- Straights");
}

TEST_F(PalettePanelTest, ZTrackRemovesTheSceneryPageAndOthersBringItBackOnce) {
    wxNotebook* book = palette->notebook();
    book->SetSelection(2); // Scenery is showing when it goes
    choose(3);
    EXPECT_EQ(pageTitles(book), (std::vector<std::string>{"Track", "Library", "Signals"}));
    EXPECT_EQ(book->GetSelection(), 0);
    EXPECT_EQ(palette->list(PalettePage::Track)->GetString(0), "--- Straights");
    EXPECT_EQ(palette->list(PalettePage::Track)->GetString(1).ToStdString(),
              TrackCatalog::instance().find("8500")->description);
    EXPECT_EQ(palette->list(PalettePage::Signals)->GetString(1), "Semaphore Z (Stop)");

    choose(3);
    EXPECT_EQ(book->GetPageCount(), 3u);

    choose(0);
    const std::vector<std::string> all = {"Track", "Library", "Scenery", "Signals"};
    EXPECT_EQ(pageTitles(book), all);
    EXPECT_EQ(book->GetPage(2), palette->list(PalettePage::Scenery));
    book->SetSelection(2);
    settle();
    EXPECT_TRUE(palette->list(PalettePage::Scenery)->IsShownOnScreen());
    EXPECT_EQ(palette->list(PalettePage::Signals)->GetString(1), "Semaphore (Stop)");
    choose(1);
    EXPECT_EQ(pageTitles(book), all);
    choose(2);
    EXPECT_EQ(pageTitles(book), all);
    EXPECT_EQ(palette->list(PalettePage::Scenery)->GetString(0), "--- Platforms");
}

TEST_F(PalettePanelTest, DoubleClickOnAPieceRowHandsOnThePartNumber) {
    doubleClick(PalettePage::Track, rowOf(PalettePage::Track, "24188"));
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0], (PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"}));

    // With a piece selected on the canvas the new piece is joined to it.
    PlacedPiece selected = makePlacedPiece("24188");
    selected.id = doc.layout.takeId();
    selected.selected = true;
    doc.layout.pieces.push_back(selected);
    doubleClick(PalettePage::Track, rowOf(PalettePage::Track, "24130"));
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[1], (PaletteAction{PaletteAction::Kind::AutoConnect, "24130"}));

    doubleClick(PalettePage::Track, 0); // a header
    EXPECT_EQ(actions.size(), 2u);

    doubleClick(PalettePage::Track, rowOf(PalettePage::Track, "@helix:proses_3_5_r1r2"));
    ASSERT_EQ(actions.size(), 3u);
    EXPECT_EQ(actions[2], (PaletteAction{PaletteAction::Kind::PlaceHelix, "proses_3_5_r1r2"}));

    doubleClick(PalettePage::Signals, rowOf(PalettePage::Signals, "signal_color_clear"));
    ASSERT_EQ(actions.size(), 4u);
    EXPECT_EQ(actions[3],
              (PaletteAction{PaletteAction::Kind::BeginSceneryPlacing, "signal_color_clear"}));
}

TEST_F(PalettePanelTest, LibraryListsTheChosenSystemsBlocks) {
    const std::string cFolder = root + "/library/Marklin_C-Track";
    fs::create_directories(cFolder);
    std::ofstream(cFolder + "/Yard.xml") << "<block/>\n";
    palette->reloadLibrary();
    wxListBox* library = palette->list(PalettePage::Library);
    ASSERT_EQ(library->GetCount(), 1u);
    EXPECT_EQ(library->GetString(0), "Yard");
    EXPECT_EQ(palette->libraryFolder(), cFolder);

    doubleClick(PalettePage::Library, 0);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0], (PaletteAction{PaletteAction::Kind::InsertBlock, cFolder + "/Yard.xml"}));

    choose(1);
    EXPECT_EQ(library->GetCount(), 0u);
    EXPECT_EQ(palette->libraryFolder(), root + "/library/Marklin_K-Track");
    fs::create_directories(palette->libraryFolder());
    std::ofstream(palette->libraryFolder() + "/Loop.xml") << "<block/>\n";
    EXPECT_EQ(library->GetCount(), 0u) << "the list waits for a reload";
    palette->reloadLibrary();
    ASSERT_EQ(library->GetCount(), 1u);
    EXPECT_EQ(library->GetString(0), "Loop");
}

TEST_F(PalettePanelTest, LayoutOfTrixPiecesSwitchesTheChooser) {
    Layout layout;
    layout.pieces.push_back(makePlacedPiece("62188"));
    layout.pieces.push_back(makePlacedPiece("8500"));
    palette->selectSystemForLayout(layout);
    EXPECT_EQ(palette->chooser()->GetStringSelection(), "TRIX C-Track");
    EXPECT_EQ(palette->systemIndex(), 2);
    EXPECT_EQ(palette->rows(PalettePage::Track), trackRows(2));

    palette->selectSystemForLayout(Layout{});
    EXPECT_EQ(palette->chooser()->GetStringSelection(), "Marklin C-Track");
}

// Real mouse input: a double-click hands on one entry and the still-held button that moves a
// little starts no drag; a fresh press and move does.
TEST_F(PalettePanelTest, MouseDoubleClickThenSmallMoveStartsNoDrag) {
    const int row = rowOf(PalettePage::Track, "24071");
    const wxPoint at = screenPointOfRow(row);
    wxUIActionSimulator sim;
    sim.MouseMove(at);
    settle();
    // The second click of the double-click stays down and the mouse moves a little.
    sim.MouseDown();
    sim.MouseUp();
    sim.MouseDown();
    ASSERT_TRUE(waitFor([&] { return !actions.empty(); }));
    sim.MouseMove(at + wxPoint(3, 1));
    settle();
    sim.MouseMove(at + wxPoint(6, 2));
    settle();
    sim.MouseUp();
    settle();
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0], (PaletteAction{PaletteAction::Kind::BeginPlacing, "24071"}));

    actions.clear();
    const wxPoint other = screenPointOfRow(rowOf(PalettePage::Track, "24077"));
    sim.MouseMove(other);
    settle();
    sim.MouseDown();
    settle();
    sim.MouseMove(other + wxPoint(4, 0));
    sim.MouseMove(other + wxPoint(8, 0));
    ASSERT_TRUE(waitFor([&] { return !actions.empty(); }));
    settle();
    sim.MouseUp();
    settle();
    ASSERT_EQ(actions.size(), 1u) << "one drag per press";
    EXPECT_EQ(actions[0], (PaletteAction{PaletteAction::Kind::BeginPlacing, "24077"}));
}

TEST_F(PalettePanelTest, PreviewFollowsTheHoveredPieceRow) {
    wxUIActionSimulator sim;
    const wxPoint piece = screenPointOfRow(rowOf(PalettePage::Track, "24130"));
    sim.MouseMove(piece);
    ASSERT_TRUE(waitFor([&] { return palette->preview()->IsShown(); }));
    ASSERT_NE(palette->preview()->piece(), nullptr);
    EXPECT_EQ(palette->preview()->piece()->partNumber, "24130");
    EXPECT_EQ(palette->preview()->GetScreenPosition(), piece + wxPoint(8, -27));
    EXPECT_EQ(palette->preview()->GetClientSize(), wxSize(80, 55));

    const wxPoint next = screenPointOfRow(rowOf(PalettePage::Track, "24115"));
    sim.MouseMove(next);
    ASSERT_TRUE(waitFor([&] {
        return palette->preview()->piece() && palette->preview()->piece()->partNumber == "24115";
    }));
    EXPECT_EQ(palette->preview()->GetScreenPosition(), next + wxPoint(8, -27));

    sim.MouseMove(screenPointOfRow(0)); // the "--- Straights" header
    EXPECT_TRUE(waitFor([&] { return !palette->preview()->IsShown(); }));
    EXPECT_EQ(palette->preview()->piece(), nullptr);

    sim.MouseMove(piece);
    ASSERT_TRUE(waitFor([&] { return palette->preview()->IsShown(); }));
    sim.MouseDown();
    EXPECT_TRUE(waitFor([&] { return !palette->preview()->IsShown(); }));
    sim.MouseUp();
    settle();
}

// The main window carries out what the palette hands on that needs no canvas.
class PaletteInFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = tempFolder("plandor-palette-frame");
        fs::create_directory(root + "/app");
        setTraceFolder(root);
        frame = new MainFrame(Folders{root + "/app", "", root});
        frame->Show();
        settle();
    }
    void TearDown() override {
        if (frame) {
            frame->document().modified = false;
            frame->Destroy();
        }
        settle();
        fs::remove_all(root);
    }
    void doubleClickTrack(const std::string& key) {
        PalettePanel* palette = frame->palette();
        const std::vector<PaletteRow>& rows = palette->rows(PalettePage::Track);
        int row = -1;
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].key == key)
                row = static_cast<int>(i);
        ASSERT_GE(row, 0) << key;
        wxListBox* list = palette->list(PalettePage::Track);
        list->SetSelection(row);
        wxCommandEvent event(wxEVT_LISTBOX_DCLICK, list->GetId());
        event.SetInt(row);
        event.SetEventObject(list);
        list->ProcessWindowEvent(event);
    }

    std::string root;
    wxWeakRef<MainFrame> frame;
};

TEST_F(PaletteInFrameTest, DoubleClickWithASelectedPieceJoinsTheNewPiece) {
    Layout& layout = frame->document().layout;
    layout.ensureDefaultLevel();
    PlacedPiece first = makePlacedPiece("24188");
    first.id = layout.takeId();
    first.selected = true;
    layout.pieces.push_back(first);

    doubleClickTrack("24130");
    ASSERT_EQ(layout.pieces.size(), 2u);
    const PlacedPiece& added = layout.pieces[1];
    EXPECT_EQ(added.part, "24130");
    EXPECT_EQ(layout.pieces[0].jointAt(1).target, added.id);
    EXPECT_EQ(added.jointAt(0).target, layout.pieces[0].id);
    EXPECT_TRUE(frame->document().modified);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(1), "Pieces: 2");
    EXPECT_TRUE(layout.canUndo());
}

TEST_F(PaletteInFrameTest, DoubleClickOnAHelixRowPlacesTheHelix) {
    Layout& layout = frame->document().layout;
    layout.ensureDefaultLevel();
    doubleClickTrack("@helix:proses_3_5_r1r2");
    ASSERT_EQ(layout.helices.size(), 1u);
    EXPECT_EQ(layout.helices[0].variant, "proses_3_5_r1r2");
    EXPECT_DOUBLE_EQ(layout.helices[0].cx, 500);
    EXPECT_DOUBLE_EQ(layout.helices[0].cy, 500);
    EXPECT_TRUE(frame->document().modified);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(1).ToStdString(),
              "Pieces: " + std::to_string(layout.pieces.size()));
}

// Answers the Open Layout dialog by choosing a row by name.
class ChooseLayout : public wxExpectModalBase<OpenLayoutDialog> {
  public:
    explicit ChooseLayout(const char* name) : name_(name) {}

  protected:
    int OnInvoked(OpenLayoutDialog* dialog) const override {
        dialog->list()->SetStringSelection(name_);
        return wxID_OK;
    }

  private:
    wxString name_;
};

TEST_F(PaletteInFrameTest, OpeningATrixLayoutSwitchesThePalette) {
    Layout trix;
    trix.ensureDefaultLevel();
    PlacedPiece p = makePlacedPiece("62188");
    p.id = trix.takeId();
    trix.pieces.push_back(p);
    ASSERT_EQ(saveLayout(trix, root + "/app/Trix.plo", "Trix"), "");

    wxCommandEvent open(wxEVT_MENU, CmdOpen);
    open.SetEventObject(frame);
    wxTEST_DIALOG(frame->ProcessWindowEvent(open), ChooseLayout("Trix"));
    EXPECT_EQ(frame->palette()->chooser()->GetStringSelection(), "TRIX C-Track");
    EXPECT_EQ(frame->palette()->list(PalettePage::Track)->GetString(1).ToStdString(),
              TrackCatalog::instance().find("62064")->description);
}

} // namespace
