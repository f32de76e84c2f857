// Placing with the real mouse: a row dragged from the palette onto the canvas leaves the piece
// or scenery item following the mouse (with the keyboard on the canvas), and a click drops it.
#include "GuiTestSupport.h"
#include "editing/SceneryResize.h"

#include <wx/notebook.h>

#include <cmath>

using namespace plandor;
using namespace plandor::guitest;

namespace {

using PaletteDragTest = CanvasInputFixture;

wxPoint onScreen(wxWindow* window, Point at) {
    return window->ClientToScreen(
        wxPoint(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y))));
}

TEST_F(PaletteDragTest, TrackPieceSnapsNearAFreeEndAndAClickDropsItJoined) {
    addPiece(layout(), "24188", 100, 150);
    canvas->layoutChanged();
    // The free end of the placed piece is at world (288.3, 150) = client (288, 150).
    dragFromPalette(screenPointOfRow(frame->palette(), "24188"), onScreen(canvas, {291, 154}));
    ASSERT_TRUE(waitFor([&] { return canvas->controller().overlays().snapMarker; }))
        << "the ghost did not snap";
    EXPECT_EQ(layout().pieces.size(), 1u) << "releasing the drag drops nothing";
    sim.MouseClick();
    ASSERT_TRUE(waitFor([&] { return layout().pieces.size() == 2; }));

    const PlacedPiece& placed = layout().pieces[1];
    EXPECT_NEAR(placed.x, 288.3, 1e-6);
    EXPECT_NEAR(placed.y, 150, 1e-6);
    EXPECT_EQ(layout().pieces[0].jointAt(1).target, placed.id);
    EXPECT_FALSE(canvas->placing());
    EXPECT_FALSE(canvas->HasCapture());
}

TEST_F(PaletteDragTest, PlatformDroppedTurnedAndWidenedByAHandle) {
    PalettePanel* palette = frame->palette();
    wxListBox* list = palette->list(PalettePage::Scenery);
    palette->notebook()->SetSelection(palette->notebook()->FindPage(list));
    dragFromPalette(screenPointOfRow(palette, "platform", PalettePage::Scenery),
                    onScreen(canvas, {400, 300}));
    EXPECT_EQ(wxWindow::FindFocus(), canvas) << "keys must reach the canvas after the drag";

    sim.Char('r');
    ASSERT_TRUE(waitFor([&] {
        return canvas->controller().overlays().ghostSceneryPose.heading == 15.0;
    })) << "R did not turn the ghost";
    sim.MouseClick();
    ASSERT_TRUE(waitFor([&] { return layout().scenery.size() == 1; }));
    const SceneryItem dropped = layout().scenery[0];
    EXPECT_NEAR(dropped.x, 400, 1.0);
    EXPECT_EQ(dropped.heading, 15.0);
    ASSERT_TRUE(canvas->controller().overlays().sceneryHandles);

    // Handle 3 (the right edge) pulled 50 px further out along the platform's length.
    const SceneryDef& def = *SceneryCatalog::instance().find("platform");
    const wxPoint grab = onScreen(canvas, sceneryHandlePoint(dropped, def, 3));
    const double a = degToRad(15.0);
    sim.MouseMove(grab);
    settle();
    sim.MouseDown();
    settle();
    moveInSteps(grab, grab + wxPoint(static_cast<int>(std::lround(50 * std::cos(a))),
                                     static_cast<int>(std::lround(50 * std::sin(a)))));
    sim.MouseUp();
    ASSERT_TRUE(waitFor([&] { return !canvas->HasCapture(); }));
    EXPECT_NEAR(layout().scenery[0].scaleX * def.width, 280, 2.0);
    EXPECT_EQ(frame->document().undoDepth(), 2u) << "the drop and the resize, one step each";
}

} // namespace
