// Library blocks through the real window: "Save as Library Block..." answered in its dialogs,
// and the saved block inserted by a real double-click on the palette's Library page.
#include "GuiTestSupport.h"
#include "core/app/Commands.h"
#include "gui/canvas/CanvasPanel.h"

#include <wx/msgdlg.h>
#include <wx/notebook.h>

using namespace plandor;
using namespace plandor::guitest;
namespace fs = std::filesystem;

using LibraryBlockGuiTest = MainFrameFixture;

TEST_F(LibraryBlockGuiTest, SavedBlockIsInsertedByDoubleClickOnTheLibraryPage) {
    layout().ensureDefaultLevel();
    const int32_t a = addPiece(layout(), "24188", 600, 400).id;
    const int32_t b = addPiece(layout(), "24188", 788.3, 400).id;
    layout().join(a, 1, b, 0);
    for (PlacedPiece& p : layout().pieces)
        p.selected = true;

    PalettePanel* palette = frame->palette();
    wxTEST_DIALOG(command(CmdSaveLibraryBlock), answerText("Station throat"),
                  Drive<wxMessageDialog>(
                      [&](wxMessageDialog*) {
                          ASSERT_EQ(palette->rows(PalettePage::Library).size(), 1u)
                              << "the list is reloaded before the message";
                          EXPECT_EQ(palette->rows(PalettePage::Library)[0].text, "Station throat");
                      },
                      wxID_OK));
    EXPECT_TRUE(fs::exists(root + "/app/library/Marklin_C-Track/Station throat.xml"));

    layout().pieces.clear();
    frame->canvas()->layoutChanged();
    palette->notebook()->SetSelection(1);
    settle();
    wxListBox* list = palette->list(PalettePage::Library);
    wxUIActionSimulator sim;
    sim.MouseMove(list->ClientToScreen(wxPoint(20, list->GetCharHeight() / 2 + 2)));
    settle();
    sim.MouseDblClick();
    ASSERT_TRUE(waitFor([&] { return layout().pieces.size() == 2; }));
    sim.MouseUp();
    settle();
    EXPECT_EQ(layout().pieces.size(), 2u) << "the double-click's held button inserts no more";

    command(CmdUndo);
    EXPECT_TRUE(layout().pieces.empty());
}
