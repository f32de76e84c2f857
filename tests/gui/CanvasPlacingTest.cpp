// Placing a piece with the real mouse: a drag from the palette's Track list onto the canvas,
// near a free connector of a placed piece, and a click that drops it joined.
#include "GuiTestSupport.h"
#include "canvas/CanvasController.h"
#include "canvas/CanvasPanel.h"

#include <wx/uiaction.h>

using namespace plandor;
using namespace plandor::guitest;

using CanvasPlacingTest = MainFrameFixture;

TEST_F(CanvasPlacingTest, DragFromThePaletteSnapsAndAClickDropsThePieceJoined) {
    Layout& layout = frame->document().layout;
    layout.ensureDefaultLevel();
    addPiece(layout, "24188", 100, 150);
    CanvasPanel* canvas = frame->canvas();
    canvas->controller().view().setView(1.0, 0, 0);
    canvas->layoutChanged();
    settle();

    // The free end of the placed piece is at world (288.3, 150) = client (288, 150).
    const wxPoint nearEnd = canvas->ClientToScreen(wxPoint(291, 154));
    const wxPoint row = screenPointOfRow(frame->palette(), "24188");
    wxUIActionSimulator sim;
    sim.MouseMove(row);
    settle();
    sim.MouseDown();
    settle();
    sim.MouseMove(row + wxPoint(4, 0));
    sim.MouseMove(row + wxPoint(8, 0));
    ASSERT_TRUE(waitFor([&] { return canvas->placing(); })) << "the drag did not start placing";

    for (int step = 1; step <= 10; ++step) {
        sim.MouseMove(row + (nearEnd - row) * step / 10);
        settle();
    }
    ASSERT_TRUE(waitFor([&] { return canvas->controller().overlays().snapMarker; }))
        << "the ghost did not snap";
    sim.MouseUp();
    settle();
    EXPECT_EQ(layout.pieces.size(), 1u) << "releasing the drag drops nothing";
    sim.MouseClick();
    ASSERT_TRUE(waitFor([&] { return layout.pieces.size() == 2; }));

    const PlacedPiece& placed = layout.pieces[1];
    EXPECT_EQ(placed.part, "24188");
    EXPECT_NEAR(placed.x, 288.3, 1e-6);
    EXPECT_NEAR(placed.y, 150, 1e-6);
    EXPECT_EQ(layout.pieces[0].jointAt(1).target, placed.id);
    EXPECT_EQ(layout.pieces[0].jointAt(1).targetConn, 0);
    EXPECT_EQ(placed.jointAt(0).target, layout.pieces[0].id);
    EXPECT_EQ(placed.jointAt(0).targetConn, 1);
    EXPECT_FALSE(canvas->placing());
    EXPECT_FALSE(canvas->HasCapture());
    EXPECT_TRUE(frame->document().modified);
    EXPECT_EQ(status(1), "Pieces: 2");
}
