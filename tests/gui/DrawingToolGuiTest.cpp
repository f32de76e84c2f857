// The measuring tape and the polygon tool with the real mouse: switched on from the toolbar's
// toggles, drawn on the canvas, seen in a screenshot, and the toggle released at the end.
#include "GuiTestSupport.h"
#include "app/Commands.h"
#include "canvas/CanvasController.h"
#include "canvas/CanvasPanel.h"

#include <wx/image.h>
#include <wx/utils.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <cstdio>
#include <string>

using namespace plandor;
using namespace plandor::guitest;

namespace {

class DrawingToolGuiTest : public MainFrameFixture {
  protected:
    void SetUp() override {
        MainFrameFixture::SetUp();
        layout().ensureDefaultLevel();
        canvas = frame->canvas();
        canvas->controller().view().setView(1.0, 0, 0);
        canvas->layoutChanged();
        settle();
    }
    // What the toolbar does when the toggle is pressed.
    void pressToggle(int id) {
        frame->GetToolBar()->ToggleTool(id, true);
        command(id, true);
        settle();
    }
    void clickAt(int x, int y) {
        sim.MouseMove(canvas->ClientToScreen(wxPoint(x, y)));
        settle();
        sim.MouseClick();
        settle();
    }
    // The canvas as the X server shows it (taken with ImageMagick's import), also kept as a
    // file to look at.
    wxImage screenshot(const std::string& path) {
        canvas->Refresh();
        canvas->Update();
        settle();
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        const std::string whole = path + ".screen.png";
        if (wxExecute(wxString::FromUTF8("import -window root " + whole), wxEXEC_SYNC) != 0)
            return wxImage();
        wxImage screen(wxString::FromUTF8(whole), wxBITMAP_TYPE_PNG);
        std::remove(whole.c_str());
        if (!screen.IsOk())
            return screen;
        const wxImage image = screen.GetSubImage(canvas->GetScreenRect());
        image.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
        return image;
    }
    // Pixels in the box around (cx, cy) that pass `test`.
    template <class F> int count(const wxImage& image, int cx, int cy, int half, F test) {
        int n = 0;
        for (int y = cy - half; y <= cy + half; ++y)
            for (int x = cx - half; x <= cx + half; ++x)
                if (x >= 0 && y >= 0 && x < image.GetWidth() && y < image.GetHeight() &&
                    test(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)))
                    ++n;
        return n;
    }

    CanvasPanel* canvas = nullptr;
    wxUIActionSimulator sim;
};

TEST_F(DrawingToolGuiTest, MeasurementDrawnWithTwoClicksShowsItsLength) {
    pressToggle(CmdMeasure);
    ASSERT_EQ(frame->toolMode(), ToolMode::Measure);
    clickAt(100, 150);
    sim.MouseMove(canvas->ClientToScreen(wxPoint(300, 150)));
    ASSERT_TRUE(waitFor([&] { return canvas->controller().overlays().tool.cursorKnown; }));
    screenshot("/tmp/plandor-measuring.png");
    clickAt(400, 150);

    ASSERT_TRUE(waitFor([&] { return layout().measurements.size() == 1; }));
    const Measurement& m = layout().measurements[0];
    EXPECT_NEAR(m.x2 - m.x1, 300, 1e-9);
    EXPECT_EQ(frame->toolMode(), ToolMode::None);
    EXPECT_FALSE(frame->GetToolBar()->GetToolState(CmdMeasure)) << "the toggle stays pressed";
    EXPECT_TRUE(frame->document().modified);

    // The label "300 mm" sits in its cream box at the middle of the line: dark text on cream.
    sim.MouseMove(canvas->ClientToScreen(wxPoint(250, 400)));
    const wxImage shot = screenshot("/tmp/plandor-measurement.png");
    const int cream = count(shot, 250, 150, 14, [](int r, int g, int b) {
        return r > 245 && g > 238 && g < 252 && b > 205 && b < 232;
    });
    const int ink = count(shot, 250, 150, 14, [](int r, int g, int b) { return r + g + b < 200; });
    EXPECT_GT(cream, 60) << "no label box";
    EXPECT_GT(ink, 10) << "no label text";
}

TEST_F(DrawingToolGuiTest, PolygonClosedByClickingItsFirstVertex) {
    pressToggle(CmdPolygon);
    clickAt(100, 300);
    clickAt(350, 300);
    clickAt(350, 480);
    sim.MouseMove(canvas->ClientToScreen(wxPoint(104, 303)));
    ASSERT_TRUE(waitFor([&] { return canvas->controller().overlays().tool.closeMarker; }));
    const wxImage shot = screenshot("/tmp/plandor-polygon-close.png");
    const int green =
        count(shot, 100, 300, 13, [](int r, int g, int b) { return g > 120 && r < 90 && b < 110; });
    EXPECT_GT(green, 20) << "no Close marker";

    sim.MouseClick();
    ASSERT_TRUE(waitFor([&] { return layout().shapes.size() == 1; }));
    EXPECT_EQ(layout().shapes[0].vertices.size(), 3u);
    EXPECT_EQ(frame->toolMode(), ToolMode::None);
    EXPECT_FALSE(frame->GetToolBar()->GetToolState(CmdPolygon));
    EXPECT_EQ(frame->document().undoDepth(), 1u);
    screenshot("/tmp/plandor-polygon.png");
}

TEST_F(DrawingToolGuiTest, KeysTakeBackAVertexAndCancelTheOutline) {
    pressToggle(CmdPolygon);
    clickAt(100, 300);
    clickAt(350, 300);
    canvas->SetFocus();
    sim.Char(WXK_BACK);
    ASSERT_TRUE(waitFor([&] { return canvas->controller().overlays().tool.vertices.size() == 1; }));
    sim.Char(WXK_ESCAPE);
    ASSERT_TRUE(waitFor([&] { return frame->toolMode() == ToolMode::None; }));
    EXPECT_TRUE(layout().shapes.empty());
    EXPECT_FALSE(frame->GetToolBar()->GetToolState(CmdPolygon));
}

} // namespace
