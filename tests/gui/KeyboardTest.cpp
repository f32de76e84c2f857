// The keyboard with real key presses: the window's shortcuts work wherever the focus is, the
// piece being placed takes Escape and R, and Ctrl+C / Ctrl+V copy and paste at the mouse.
#include "GuiTestSupport.h"
#include "canvas/CanvasController.h"
#include "canvas/CanvasPanel.h"

#include <wx/uiaction.h>

using namespace plandor;
using namespace plandor::guitest;

namespace {

class KeyboardTest : public MainFrameFixture {
  protected:
    void SetUp() override {
        MainFrameFixture::SetUp();
        frame->Raise();
        canvas = frame->canvas();
        canvas->controller().view().setView(1.0, 0, 0);
        canvas->layoutChanged();
        settle();
    }
    void clickCanvasAt(int x, int y) {
        sim.MouseMove(canvas->ClientToScreen(wxPoint(x, y)));
        settle();
        sim.MouseClick();
        settle();
    }

    CanvasPanel* canvas = nullptr;
    wxUIActionSimulator sim;
};

} // namespace

TEST_F(KeyboardTest, CtrlNFromThePaletteListStartsANewLayout) {
    addPiece(layout(), "24188", 100, 100);
    wxListBox* track = frame->palette()->list(PalettePage::Track);
    track->SetFocus();
    ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == track; }));
    sim.Char('n', wxMOD_CONTROL);
    EXPECT_TRUE(waitFor([&] { return layout().pieces.empty(); })) << "Ctrl+N was swallowed";
}

TEST_F(KeyboardTest, PlusAndMinusZoomAfterAClickOnTheCanvas) {
    clickCanvasAt(400, 300);
    const double before = canvas->view().transform().scale;
    sim.Char('+', wxMOD_SHIFT);
    ASSERT_TRUE(waitFor([&] { return canvas->view().transform().scale > before; }))
        << "+ did not zoom in";
    const double zoomed = canvas->view().transform().scale;
    sim.Char('-');
    EXPECT_TRUE(waitFor([&] { return canvas->view().transform().scale < zoomed; }))
        << "- did not zoom out";
}

TEST_F(KeyboardTest, AfterADoubleClickOnTheTrackListEscapeAndRReachThePieceBeingPlaced) {
    const wxPoint row = screenPointOfRow(frame->palette(), "24188");
    sim.MouseMove(row);
    settle();
    sim.MouseDblClick();
    ASSERT_TRUE(waitFor([&] { return canvas->placing(); })) << "the double-click placed nothing";

    const double heading = canvas->controller().overlays().ghostPose.heading;
    sim.Char('r');
    EXPECT_TRUE(waitFor([&] {
        return canvas->controller().overlays().ghostPose.heading != heading;
    })) << "R did not turn the ghost";
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return !canvas->placing(); })) << "Escape did not cancel placing";
    EXPECT_TRUE(layout().pieces.empty());
}

TEST_F(KeyboardTest, CtrlCAndCtrlVCopyAndPasteAtTheMouse) {
    addPiece(layout(), "24188", 100, 100);
    canvas->layoutChanged();
    clickCanvasAt(190, 100); // selects the piece
    ASSERT_TRUE(layout().pieces[0].selected);
    sim.Char('c', wxMOD_CONTROL);
    settle();
    sim.MouseMove(canvas->ClientToScreen(wxPoint(500, 400)));
    settle();
    sim.Char('v', wxMOD_CONTROL);
    ASSERT_TRUE(waitFor([&] { return layout().pieces.size() == 2; })) << "nothing was pasted";
    EXPECT_NEAR(layout().pieces[1].x, 500, 1e-6) << "pasted at the mouse";

    sim.Char('x', wxMOD_CONTROL);
    EXPECT_TRUE(waitFor([&] { return layout().pieces.size() == 1; })) << "Ctrl+X cut nothing";
}
