// The baseboard and the level list through the real window: a baseboard edit is the step that
// Ctrl+Z undoes, typed vertices that do not read leave the board alone, a level's visibility
// ticked in the levels dialog shows on the canvas at once, and a level removed with its
// contents comes back as it was.
#include "GuiTestSupport.h"

#include "core/app/Commands.h"
#include "core/editing/LayoutShape.h"
#include "gui/ui/LayoutShapeDialog.h"
#include "gui/ui/LevelManagerDialog.h"

#include <wx/listctrl.h>
#include <wx/msgdlg.h>

using namespace plandor;
using namespace plandor::guitest;

namespace {

class SettingsUndoTest : public CanvasInputFixture {
  protected:
    // One placed piece as an edit of its own, so that an older undo step exists.
    int32_t placeAsEdit(double x, double y, int32_t level = 1) {
        int32_t id = -1;
        frame->document().apply([&] {
            id = addPiece(layout(), "24188", x, y, 0, level).id;
            return Change(Change::Pieces);
        });
        canvas->layoutChanged();
        settle();
        return id;
    }
    void pressCtrlZ() {
        canvas->SetFocus();
        settle();
        sim.Char('z', wxMOD_CONTROL);
        settle();
    }
    wxColour pixel(int x, int y) {
        const wxImage image = canvas->keptPicture().ConvertToImage();
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }
};

const std::vector<Point> kBoard = {{0, 0}, {600, 0}, {600, 400}, {0, 400}};

TEST_F(SettingsUndoTest, CtrlZAfterClearingTheBaseboardBringsItBackAndLeavesOlderEdits) {
    layout().baseboard = kBoard;
    placeAsEdit(100, 100);
    wxTEST_DIALOG(command(CmdLayoutShape), Drive<LayoutShapeDialog>(
                                               [](LayoutShapeDialog* d) {
                                                   d->choose(ShapeClear);
                                                   d->apply();
                                               },
                                               wxID_OK));
    ASSERT_TRUE(layout().baseboard.empty());

    pressCtrlZ();
    EXPECT_TRUE(waitFor([&] { return layout().baseboard == kBoard; }))
        << "Ctrl+Z did not bring the board back";
    EXPECT_EQ(layout().pieces.size(), 1u) << "Ctrl+Z undid the older piece placement";
    sim.Char('y', wxMOD_CONTROL);
    EXPECT_TRUE(waitFor([&] { return layout().baseboard.empty(); })) << "Ctrl+Y redoes the clear";
}

TEST_F(SettingsUndoTest, CtrlZAfterDrawingAFreeFormBoardBringsTheOldOne) {
    layout().baseboard = kBoard;
    wxTEST_DIALOG(command(CmdLayoutShape), Drive<LayoutShapeDialog>(
                                               [](LayoutShapeDialog* d) {
                                                   d->choose(ShapeFreeForm);
                                                   d->apply();
                                               },
                                               wxID_OK));
    ASSERT_EQ(frame->toolMode(), ToolMode::Baseboard);
    // A click on the first vertex closes the outline.
    for (wxPoint p : {wxPoint(100, 450), wxPoint(300, 450), wxPoint(200, 550), wxPoint(102, 451)})
        clickAt(p.x, p.y);
    ASSERT_TRUE(waitFor([&] { return layout().baseboard.size() == 3; })) << "not closed";

    pressCtrlZ();
    EXPECT_TRUE(waitFor([&] { return layout().baseboard == kBoard; }));
}

TEST_F(SettingsUndoTest, TypedVerticesThatDoNotReadKeepTheDialogAndTheBoard) {
    layout().baseboard = kBoard;
    bool stayed = false;
    wxTEST_DIALOG(command(CmdLayoutShape),
                  Drive<LayoutShapeDialog>(
                      [&](LayoutShapeDialog* d) {
                          d->choose(ShapeCustom);
                          d->vertexText()->SetValue("0,0\n1000,0\n1000;800\n");
                          d->apply(); // answered by the message box below
                          stayed = !d->result().problem.empty() && layout().baseboard == kBoard;
                          d->vertexText()->SetValue("0,0\n1000,0\n1000,800\n");
                          d->apply();
                      },
                      wxID_OK),
                  wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(layout().baseboard.size(), 3u);
    EXPECT_EQ(layout().lastShapeType, ShapeCustom);
}

TEST_F(SettingsUndoTest, VisibilityTickedInTheLevelsDialogShowsOnTheCanvasAtOnce) {
    addLevel(layout(), 2, 0).name = "Upper";
    placeAsEdit(200, 300, 2);
    const wxColour track = pixel(294, 300);
    const wxColour empty = pixel(294, 340);
    ASSERT_NE(track, empty) << "the piece is not drawn where the test looks";

    bool hiddenWhileOpen = false;
    wxTEST_DIALOG(command(CmdLevels), Drive<LevelManagerDialog>(
                                          [&](LevelManagerDialog* d) {
                                              d->Show();
                                              settle();
                                              d->list()->CheckItem(1, false);
                                              hiddenWhileOpen =
                                                  waitFor([&] { return pixel(294, 300) == empty; });
                                              d->Hide();
                                          },
                                          wxID_OK));
    EXPECT_TRUE(hiddenWhileOpen) << "the canvas did not follow the tick";
    EXPECT_FALSE(layout().findLevel(2)->visible);
}

TEST_F(SettingsUndoTest, CtrlZAfterRemovingALevelWithContentsBringsItBackVisible) {
    Level& upper = addLevel(layout(), 2, 35);
    upper.name = "Upper";
    upper.useTrackColor = true;
    upper.trackColor = Color{200, 40, 40, 255};
    const Level before = upper;
    placeAsEdit(200, 300, 2);
    const wxColour track = pixel(294, 300);

    wxTEST_DIALOG(command(CmdLevels),
                  Drive<LevelManagerDialog>(
                      [](LevelManagerDialog* d) {
                          d->list()->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
                          settle();
                          d->removeSelectedLevel();
                      },
                      wxID_OK),
                  wxExpectModal<wxMessageDialog>(wxID_YES));
    ASSERT_EQ(layout().levels.size(), 1u);
    ASSERT_TRUE(layout().pieces.empty());

    pressCtrlZ();
    ASSERT_TRUE(waitFor([&] { return layout().levels.size() == 2; }));
    EXPECT_TRUE(layout().levels[1] == before) << "visibility, colour and height as they were";
    EXPECT_EQ(layout().pieces.size(), 1u);
    EXPECT_TRUE(waitFor([&] { return pixel(294, 300) == track; })) << "the piece is not shown";
}

} // namespace
