// The canvas keeps its picture of the layout in a bitmap: it must be drawn again whenever the
// layout or the view changes, and only then; the mouse position reaches status field 2.
#include "canvas/CanvasPanel.h"
#include "GuiTestSupport.h"
#include "canvas/CanvasView.h"
#include "document/Document.h"

#include <wx/frame.h>

#include <functional>

using namespace plandor;
using namespace plandor::guitest;

namespace {

class CanvasPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.layout.ensureDefaultLevel();
        for (int i = 0; i < 3; ++i)
            addPiece(doc.layout, "24188", 188.3 * i, 200);
        frame = new wxFrame(nullptr, wxID_ANY, "canvas", wxPoint(0, 0), wxSize(800, 600));
        canvas = new CanvasPanel(frame, doc); // a frame's only child fills it
        canvas->setStatusSink(
            [this](int field, const std::string& text) { status.emplace_back(field, text); });
        frame->Show();
        frame->Layout();
        waitFor([&] { return canvas->pictureRenderCount() > 0; });
    }
    // Deleted at once: a frame left for idle-time deletion could be painted after `doc` is gone.
    void TearDown() override { delete frame; }

    void paint() {
        canvas->Refresh();
        canvas->Update();
        wxYield();
    }
    void mouse(wxEventType type, int x, int y, bool middleHeld = false) {
        wxMouseEvent e(type);
        e.SetPosition(wxPoint(x, y));
        e.m_middleDown = middleHeld;
        e.SetEventObject(canvas);
        canvas->GetEventHandler()->ProcessEvent(e);
    }

    Document doc;
    wxFrame* frame = nullptr;
    CanvasPanel* canvas = nullptr;
    std::vector<std::pair<int, std::string>> status;
};

TEST_F(CanvasPanelTest, PictureIsRedrawnWhenTheLayoutOrViewChangesAndOnlyThen) {
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"wheel",
         [&] {
             wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
             wheel.SetPosition(wxPoint(300, 200));
             wheel.m_wheelRotation = wheel.m_wheelDelta = 120;
             wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
             canvas->GetEventHandler()->ProcessEvent(wheel);
             EXPECT_DOUBLE_EQ(canvas->view().scale(), 0.4 * 1.15);
         }},
        {"zoom in", [&] { canvas->zoomIn(); }},
        {"zoom out", [&] { canvas->zoomOut(); }},
        {"zoom to fit", [&] { canvas->zoomToFit(); }},
        {"default view", [&] { canvas->resetViewDefault(); }},
        {"middle-button pan",
         [&] {
             mouse(wxEVT_MIDDLE_DOWN, 100, 100, true);
             mouse(wxEVT_MOTION, 140, 130, true);
             mouse(wxEVT_MIDDLE_UP, 140, 130);
             EXPECT_DOUBLE_EQ(canvas->view().panX(), 100);
             EXPECT_DOUBLE_EQ(canvas->view().panY(), 90);
             EXPECT_FALSE(canvas->HasCapture());
         }},
        {"grid toggled", [&] { canvas->setShowGrid(!doc.layout.showGrid); }},
        {"announced change", [&] { canvas->layoutChanged(); }},
        {"resize", [&] { frame->SetSize(wxSize(700, 500)); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        const int before = canvas->pictureRenderCount();
        change();
        EXPECT_TRUE(waitFor([&] {
            paint();
            return canvas->pictureRenderCount() > before;
        }));
        // Repainting with nothing changed reuses the kept picture.
        const int after = canvas->pictureRenderCount();
        paint();
        paint();
        EXPECT_EQ(canvas->pictureRenderCount(), after);
    }
}

TEST_F(CanvasPanelTest, MotionWritesCoordinatesToField2) {
    mouse(wxEVT_MOTION, 160, 60); // default view: world (250, 0)
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.back(), std::make_pair(2, std::string("250 mm,  0 mm")));
    doc.layout.units = Units::Inches;
    mouse(wxEVT_MOTION, 314, 60); // world (635, 0)
    EXPECT_EQ(status.back(), std::make_pair(2, std::string("25.00 in,  0.00 in")));
}

} // namespace
