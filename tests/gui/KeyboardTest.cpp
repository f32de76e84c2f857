// The keyboard with real key presses: the window's shortcuts work wherever the focus is, the
// piece being placed takes Escape and R, and Ctrl+C / Ctrl+V copy and paste at the mouse.
#include "GuiTestSupport.h"

using namespace plandor;
using namespace plandor::guitest;

using KeyboardTest = CanvasInputFixture;

TEST_F(KeyboardTest, CtrlNFromThePaletteListStartsANewLayout) {
    addPiece(layout(), "24188", 100, 100);
    wxListBox* track = frame->palette()->list(PalettePage::Track);
    track->SetFocus();
    ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == track; }));
    sim.Char('n', wxMOD_CONTROL);
    EXPECT_TRUE(waitFor([&] { return layout().pieces.empty(); })) << "Ctrl+N was swallowed";
}

TEST_F(KeyboardTest, PlusAndMinusZoomAfterAClickOnTheCanvas) {
    clickAt(400, 300);
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
    sim.MouseMove(screenPointOfRow(frame->palette(), "24188"));
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
    clickAt(190, 100); // selects the piece
    ASSERT_TRUE(layout().pieces[0].selected);
    sim.Char('c', wxMOD_CONTROL);
    settle();
    sim.MouseMove(canvas->ClientToScreen(wxPoint(500, 400)));
    settle();
    sim.Char('v', wxMOD_CONTROL);
    ASSERT_TRUE(waitFor([&] { return layout().pieces.size() == 2; })) << "nothing was pasted";
    EXPECT_NEAR(layout().pieces[1].x, 500, 1e-6) << "pasted at the mouse";
}
