// Placing with the real mouse: a row dragged from the palette onto the canvas leaves the piece
// or scenery item following the mouse (with the keyboard on the canvas), and a click drops it;
// a library block dragged there lands where the button is let go.
#include "GuiTestSupport.h"
#include "core/editing/SceneryResize.h"
#include "core/model/BlockFile.h"
#include "gui/ui/PropertiesPanel.h"

#include <wx/listctrl.h>
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

// A point on the tab of a notebook page, on screen.
wxPoint tabOnScreen(wxNotebook* book, int page) {
    for (int y = 2; y < 40; y += 4)
        for (int x = 0; x < book->GetClientSize().x; ++x)
            if (book->HitTest(wxPoint(x, y)) == page)
                return book->ClientToScreen(wxPoint(x + 8, y));
    return wxDefaultPosition;
}

// The count the piece tally shows for a part, or "" when it has no row.
std::string tallyCount(MainFrame* frame, const std::string& part) {
    wxListCtrl* tally = frame->properties()->controls().tally;
    for (int i = 0; i < tally->GetItemCount(); ++i)
        if (tally->GetItemText(i).StartsWith(part))
            return std::string(tally->GetItemText(i, 1).utf8_str());
    return "";
}

TEST_F(PaletteDragTest, TrackPieceSnapsNearAFreeEndAndAClickDropsItJoined) {
    addPiece(layout(), "24188", 100, 150);
    frame->applyChange(Change(Change::Pieces));
    ASSERT_EQ(tallyCount(frame, "24188"), "1");
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
    EXPECT_EQ(tallyCount(frame, "24188"), "2") << "the tally counts the dropped piece";

    // A part new to the layout gets its own row.
    addPiece(layout(), "24130", 100, 400);
    frame->applyChange(Change(Change::Pieces));
    EXPECT_EQ(tallyCount(frame, "24130"), "1");
    EXPECT_EQ(tallyCount(frame, "24188"), "2");
}

TEST_F(PaletteDragTest, PlatformDroppedTurnedAndWidenedByAHandle) {
    // The Scenery page gets its list, with its rows, when its tab is first clicked.
    PalettePanel* palette = frame->palette();
    wxWindow* page = palette->page(PalettePage::Scenery);
    EXPECT_TRUE(page->GetChildren().empty()) << "the start made a list nobody sees";
    sim.MouseMove(tabOnScreen(palette->notebook(), palette->notebook()->FindPage(page)));
    settle();
    sim.MouseClick();
    ASSERT_TRUE(waitFor([&] { return palette->notebook()->GetCurrentPage() == page; }));
    ASSERT_EQ(page->GetChildren().size(), 1u);
    auto* shown = dynamic_cast<wxListBox*>(page->GetChildren().front());
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->GetCount(), palette->rows(PalettePage::Scenery).size());
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

// Two joined straights saved as the block "Pair" of the C-Track library, shown on the
// palette's Library page; returns the screen point of its row.
wxPoint showPairBlock(PalettePanel* palette, const std::string& appFolder) {
    Layout source;
    source.ensureDefaultLevel();
    const int32_t a = addPiece(source, "24188", 500, 300).id;
    const int32_t b = addPiece(source, "24188", 688.3, 300).id;
    source.join(a, 1, b, 0);
    for (PlacedPiece& p : source.pieces)
        p.selected = true;
    const std::string folder = appFolder + "/library/Marklin_C-Track";
    std::filesystem::create_directories(folder);
    EXPECT_EQ(saveBlock(source, folder + "/Pair.xml", "Pair"), "");
    palette->reloadLibrary();
    palette->notebook()->SetSelection(
        palette->notebook()->FindPage(palette->page(PalettePage::Library)));
    settle();
    return screenPointOfRow(palette, folder + "/Pair.xml", PalettePage::Library);
}

// A library block dragged onto the canvas: its ghost follows the mouse while the button is
// held, and letting go puts the block where it was aimed, as one undo step.
TEST_F(PaletteDragTest, LibraryBlockGhostFollowsTheDragAndLandsWhereReleased) {
    const wxPoint row = showPairBlock(frame->palette(), root + "/app");
    startPaletteDrag(row);
    EXPECT_TRUE(layout().pieces.empty()) << "the drag inserted the block at once";
    moveInSteps(row + wxPoint(8, 0), onScreen(canvas, {420, 260}));
    ASSERT_TRUE(waitFor([&] {
        const std::vector<PlacedPiece> ghost = canvas->controller().overlays().ghostBlock.pieces;
        return ghost.size() == 2 && std::fabs(ghost[0].x - 420) < 1.5 &&
               std::fabs(ghost[0].y - 260) < 1.5;
    })) << "the ghost does not follow the mouse";
    sim.MouseUp();
    ASSERT_TRUE(waitFor([&] { return layout().pieces.size() == 2; }))
        << "the release placed nothing";
    EXPECT_NEAR(layout().pieces[0].x, 420, 1.5);
    EXPECT_NEAR(layout().pieces[0].y, 260, 1.5);
    EXPECT_NEAR(layout().pieces[1].x - layout().pieces[0].x, 188.3, 1e-6);
    EXPECT_EQ(layout().pieces[0].jointAt(1).target, layout().pieces[1].id);
    EXPECT_FALSE(canvas->placing());
    EXPECT_FALSE(canvas->HasCapture());
    EXPECT_EQ(frame->document().undoDepth(), 1u);
}

TEST_F(PaletteDragTest, EscapeDuringALibraryBlockDragCancelsIt) {
    const wxPoint row = showPairBlock(frame->palette(), root + "/app");
    startPaletteDrag(row);
    moveInSteps(row + wxPoint(8, 0), onScreen(canvas, {420, 260}));
    sim.Char(WXK_ESCAPE);
    ASSERT_TRUE(waitFor([&] { return !canvas->placing(); })) << "Escape did not cancel";
    sim.MouseUp();
    settle();
    EXPECT_TRUE(layout().pieces.empty());
    EXPECT_TRUE(canvas->controller().overlays().ghostBlock.pieces.empty());
    EXPECT_EQ(frame->document().undoDepth(), 0u);
}

} // namespace
