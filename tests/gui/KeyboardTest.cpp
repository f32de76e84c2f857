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

// A plan that only fits at 0.05 px/mm: three steps in with + and three out with - come back
// to the whole plan instead of stopping at 0.3 px/mm.
TEST_F(KeyboardTest, ZoomingOutReturnsToAFittedLargePlan) {
    addPiece(layout(), "24188", 0, 0);
    addPiece(layout(), "24188", 60000, 40000);
    canvas->zoomToFit();
    clickAt(5, 5);
    ASSERT_DOUBLE_EQ(canvas->view().scale(), 0.05);
    for (int i = 1; i <= 3; ++i) {
        const double before = canvas->view().scale();
        sim.Char('+', wxMOD_SHIFT);
        ASSERT_TRUE(waitFor([&] { return canvas->view().scale() > before; })) << "step in " << i;
    }
    for (int i = 1; i <= 3; ++i) {
        const double before = canvas->view().scale();
        sim.Char('-');
        ASSERT_TRUE(waitFor([&] { return canvas->view().scale() < before; })) << "step out " << i;
    }
    EXPECT_NEAR(canvas->view().scale(), 0.05, 1e-12);
    sim.Char('-');
    settle();
    EXPECT_NEAR(canvas->view().scale(), 0.05, 1e-12) << "zoomed past the whole plan";
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
