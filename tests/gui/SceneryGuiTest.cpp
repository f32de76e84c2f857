// Scenery with the real mouse: a platform dragged from the Scenery page onto the canvas, turned
// with R (the keyboard follows the drag to the canvas), dropped, and widened by a handle.
#include "GuiTestSupport.h"

#include "canvas/CanvasController.h"
#include "canvas/CanvasPanel.h"
#include "canvas/SceneryGestures.h"
#include "editing/SceneryResize.h"

#include <wx/notebook.h>
#include <wx/uiaction.h>

#include <cmath>

using namespace plandor;
using namespace plandor::guitest;

namespace {

using SceneryGuiTest = MainFrameFixture;

// Screen point in the middle of a row of the Scenery list, which is brought to the front.
wxPoint sceneryRowPoint(PalettePanel* palette, const std::string& key) {
    wxListBox* list = palette->list(PalettePage::Scenery);
    palette->notebook()->SetSelection(palette->notebook()->FindPage(list));
    return screenPointOfRow(palette, key, PalettePage::Scenery);
}

void moveInSteps(wxUIActionSimulator& sim, wxPoint from, wxPoint to) {
    for (int step = 1; step <= 10; ++step) {
        sim.MouseMove(from + (to - from) * step / 10);
        settle();
    }
}

TEST_F(SceneryGuiTest, PlatformDraggedFromThePaletteDroppedAndWidenedByAHandle) {
    Layout& layout = frame->document().layout;
    layout.ensureDefaultLevel();
    CanvasPanel* canvas = frame->canvas();
    canvas->controller().view().setView(1.0, 0, 0);
    canvas->layoutChanged();
    settle();

    const wxPoint row = sceneryRowPoint(frame->palette(), "platform");
    const wxPoint dropAt = canvas->ClientToScreen(wxPoint(400, 300));
    wxUIActionSimulator sim;
    sim.MouseMove(row);
    settle();
    sim.MouseDown();
    settle();
    sim.MouseMove(row + wxPoint(4, 0));
    sim.MouseMove(row + wxPoint(8, 0));
    ASSERT_TRUE(waitFor([&] { return canvas->placing(); })) << "the drag did not start placing";
    moveInSteps(sim, row + wxPoint(8, 0), dropAt);
    sim.MouseUp();
    settle();
    EXPECT_TRUE(layout.scenery.empty()) << "releasing the drag drops nothing";
    EXPECT_EQ(wxWindow::FindFocus(), canvas) << "keys must reach the canvas after the drag";

    sim.Char('r');
    ASSERT_TRUE(waitFor([&] {
        return canvas->controller().overlays().ghostSceneryPose.heading == 15.0;
    })) << "R did not turn the ghost";
    sim.MouseClick();
    ASSERT_TRUE(waitFor([&] { return layout.scenery.size() == 1; }));
    const SceneryItem dropped = layout.scenery[0];
    EXPECT_EQ(dropped.item, "platform");
    EXPECT_NEAR(dropped.x, 400, 1.0);
    EXPECT_NEAR(dropped.y, 300, 1.0);
    EXPECT_EQ(dropped.heading, 15.0);
    EXPECT_TRUE(dropped.selected);
    EXPECT_FALSE(canvas->placing());
    ASSERT_TRUE(canvas->controller().overlays().sceneryHandles);

    // Handle 3 (the right edge) pulled 50 px further out along the platform's length.
    const SceneryDef& def = *SceneryCatalog::instance().find("platform");
    const Point edge = sceneryHandlePoint(dropped, def, 3);
    const Point anchor = sceneryHandlePoint(dropped, def, 7);
    const double a = degToRad(15.0);
    const wxPoint grab = canvas->ClientToScreen(
        wxPoint(static_cast<int>(std::lround(edge.x)), static_cast<int>(std::lround(edge.y))));
    const wxPoint pull = grab + wxPoint(static_cast<int>(std::lround(50 * std::cos(a))),
                                        static_cast<int>(std::lround(50 * std::sin(a))));
    sim.MouseMove(grab);
    settle();
    sim.MouseDown();
    settle();
    moveInSteps(sim, grab, pull);
    sim.MouseUp();
    ASSERT_TRUE(waitFor([&] { return !canvas->HasCapture(); }));

    const SceneryItem& resized = layout.scenery[0];
    EXPECT_NEAR(resized.scaleX * def.width, 280, 2.0);
    EXPECT_DOUBLE_EQ(resized.scaleY, 1.0);
    const Point anchorAfter = sceneryHandlePoint(resized, def, 7);
    EXPECT_NEAR(anchorAfter.x, anchor.x, 1e-6);
    EXPECT_NEAR(anchorAfter.y, anchor.y, 1e-6);
    EXPECT_EQ(frame->document().undoDepth(), 2u) << "the drop and the resize, one step each";
}

} // namespace
