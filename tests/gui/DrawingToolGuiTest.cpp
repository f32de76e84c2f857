// The measuring tape with the real mouse: switched on from the toolbar's toggle, drawn with two
// clicks on the canvas, and the toggle released at the end.
#include "GuiTestSupport.h"
#include "core/app/Commands.h"

#include <wx/toolbar.h>

using namespace plandor;
using namespace plandor::guitest;

using DrawingToolGuiTest = CanvasInputFixture;

TEST_F(DrawingToolGuiTest, MeasurementDrawnWithTwoClicksReleasesTheToggle) {
    // What the toolbar does when the toggle is pressed.
    frame->GetToolBar()->ToggleTool(CmdMeasure, true);
    command(CmdMeasure, true);
    settle();
    ASSERT_EQ(frame->toolMode(), ToolMode::Measure);
    clickAt(100, 150);
    clickAt(400, 150);

    ASSERT_TRUE(waitFor([&] { return layout().measurements.size() == 1; }));
    const Measurement& m = layout().measurements[0];
    EXPECT_NEAR(m.x2 - m.x1, 300, 1e-9);
    EXPECT_EQ(frame->toolMode(), ToolMode::None);
    EXPECT_FALSE(frame->GetToolBar()->GetToolState(CmdMeasure)) << "the toggle stays pressed";
    EXPECT_TRUE(frame->document().modified);
}
