// The real main window, built under Xvfb: its status bar, title and construction trace, and the
// commands that drive the document through them.
#include "../core/Golden.h"
#include "GuiTestSupport.h"
#include "core/app/Commands.h"
#include "core/model/LayoutFile.h"

#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/toolbar.h>

#include <fstream>
#include <set>

using namespace plandor;
using namespace plandor::guitest;
namespace fs = std::filesystem;

using MainFrameTest = MainFrameFixture;

// The construction trace is pinned in a golden file; each line ends in CR LF.
TEST_F(MainFrameTest, ConstructionTraceIsWrittenLineByLineInOrder) {
    std::ifstream in(root + "/mainframe.log", std::ios::binary);
    ASSERT_TRUE(in.good());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << line;
        lines.push_back(line.substr(0, line.size() - 1));
    }
    expectGolden(lines, "mainframe_trace.txt");
}

TEST_F(MainFrameTest, UndoAndRedoToolsFollowTheLayout) {
    wxToolBar* bar = frame->GetToolBar();
    Edit edit = frame->document().begin();
    addPiece(layout(), "24188", 0, 0);
    frame->applyChange(edit.commit(Change(Change::Pieces)));
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(bar->GetToolEnabled(CmdUndo));
    command(CmdUndo);
    EXPECT_TRUE(layout().pieces.empty());
    EXPECT_TRUE(frame->document().modified);
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(bar->GetToolEnabled(CmdUndo));
    EXPECT_TRUE(bar->GetToolEnabled(CmdRedo));
    command(CmdRedo);
    EXPECT_EQ(layout().pieces.size(), 1u);
}

TEST_F(MainFrameTest, SaveNamesTheLayoutAndOpenRestoresItWithUnitsAndSystem) {
    Layout trix;
    trix.ensureDefaultLevel();
    trix.units = Units::Centimetres;
    addPiece(trix, "62188", 0, 0);
    addPiece(trix, "62188", 200, 0);
    ASSERT_EQ(saveLayout(trix, root + "/app/Trix.plo", "Trix"), "");

    frame->applyChange(frame->document().apply([&] {
        addPiece(layout(), "24188", 0, 0);
        return Change(Change::Pieces);
    }));
    wxTEST_DIALOG(command(CmdSave), answerText("  Branch Line "));
    EXPECT_TRUE(fs::exists(root + "/app/Branch Line.plo"));
    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models - Branch Line");

    frame->document().begin().commit(Change(Change::Pieces));
    frame->document().modified = false; // a history without unsaved changes
    wxTEST_DIALOG(command(CmdOpen),
                  Drive<OpenLayoutDialog>(
                      [](OpenLayoutDialog* d) { d->list()->SetStringSelection("Trix"); }, wxID_OK));
    EXPECT_EQ(frame->document().path, root + "/app/Trix.plo");
    EXPECT_EQ(status(1), "Pieces: 2");
    EXPECT_TRUE(frame->GetMenuBar()->IsChecked(CmdUnitsCentimetres));
    EXPECT_FALSE(frame->document().canUndo());
    EXPECT_EQ(frame->palette()->chooser()->GetStringSelection(), "TRIX C-Track");
}

TEST_F(MainFrameTest, ClosingAsksOnlyWithUnsavedChanges) {
    frame->document().modified = true;
    wxTEST_DIALOG(frame->Close(), wxExpectModal<wxMessageDialog>(wxID_CANCEL));
    settle();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->IsShown());

    frame->document().modified = false;
    command(CmdExit); // no question: an unexpected dialog fails the test
    settle();
    EXPECT_FALSE(frame);
}

TEST_F(MainFrameTest, AllFourPaletteTabsAreVisibleAndZTrackDropsTheSceneryPage) {
    wxNotebook* book = frame->palette()->notebook();
    ASSERT_EQ(book->GetPageCount(), 4u);
    std::set<int> seen;
    for (int y = 2; y < 40; y += 4)
        for (int x = 0; x < book->GetClientSize().x; ++x) {
            const int page = book->HitTest(wxPoint(x, y));
            if (page != wxNOT_FOUND)
                seen.insert(page);
        }
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3}));

    // Z-Track has no scenery: its page goes (taking the selection to the first page) and comes
    // back once with the next system.
    const auto titles = [&] {
        std::vector<std::string> out;
        for (size_t i = 0; i < book->GetPageCount(); ++i)
            out.push_back(book->GetPageText(i).ToStdString());
        return out;
    };
    PalettePanel* palette = frame->palette();
    book->SetSelection(2);
    choose(palette->chooser(), 3);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Track", "Library", "Signals"}));
    EXPECT_EQ(book->GetSelection(), 0);
    EXPECT_EQ(palette->list(PalettePage::Track)->GetCount(), trackRows(3).size());
    choose(palette->chooser(), 3);
    choose(palette->chooser(), 1);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Track", "Library", "Scenery", "Signals"}));
    EXPECT_EQ(book->GetPage(2), palette->page(PalettePage::Scenery));
}

TEST_F(MainFrameTest, OpeningALayoutOfTheChosenSystemRebuildsThePaletteAsItWas) {
    // The lists keep their rows and lose their selection; another system brings other rows.
    PalettePanel* palette = frame->palette();
    wxListBox* track = palette->list(PalettePage::Track);
    const auto texts = [&] {
        std::vector<std::string> out;
        for (unsigned i = 0; i < track->GetCount(); ++i)
            out.push_back(track->GetString(i).ToStdString());
        return out;
    };
    const std::vector<std::string> cTrack = texts();
    track->SetSelection(3);
    Layout opened;
    addPiece(opened, "24188", 0, 0);
    palette->selectSystemForLayout(opened);
    EXPECT_EQ(texts(), cTrack);
    EXPECT_EQ(track->GetSelection(), wxNOT_FOUND);

    track->SetSelection(3);
    Layout trix;
    addPiece(trix, "62188", 0, 0);
    palette->selectSystemForLayout(trix);
    EXPECT_EQ(palette->chooser()->GetSelection(), 2);
    EXPECT_NE(texts(), cTrack);
    EXPECT_EQ(track->GetCount(), trackRows(2).size());
    EXPECT_EQ(track->GetSelection(), wxNOT_FOUND);
}
