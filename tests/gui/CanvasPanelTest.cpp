#include "canvas/CanvasPanel.h"
#include "editing/CanvasView.h"
#include "shell/Document.h"

#include <gtest/gtest.h>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace plandor;

namespace {

class CanvasPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.layout.ensureDefaultLevel();
        for (int i = 0; i < 3; ++i) {
            PlacedPiece p = makePlacedPiece("24188");
            p.id = doc.layout.takeId();
            p.x = 188.3 * i;
            p.y = 200;
            doc.layout.pieces.push_back(p);
        }
        frame = new wxFrame(nullptr, wxID_ANY, "canvas", wxPoint(0, 0), wxSize(800, 600));
        canvas = new CanvasPanel(frame, doc);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(canvas, 1, wxEXPAND);
        frame->SetSizer(sizer);
        canvas->setStatusSink(
            [this](int field, const std::string& text) { status.emplace_back(field, text); });
        canvas->setSelectionSink([this] { ++selectionRefreshes; });
        frame->Show();
        frame->Layout();
        waitFor([&] { return canvas->pictureRenderCount() > 0; });
    }

    // Deleted at once: a frame left for idle-time deletion could still be painted after the
    // fixture's document is gone.
    void TearDown() override { delete frame; }

    // Lets the event loop run until `done` holds or a second has passed.
    template <class F> bool waitFor(F done) {
        for (int i = 0; i < 100; ++i) {
            wxYield();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }

    void paint() {
        canvas->Refresh();
        canvas->Update();
        wxYield();
    }

    // Paints until the picture count reaches `expected`; false when it stays below.
    bool paintsPicture(int expected) {
        return waitFor([&] {
            paint();
            return canvas->pictureRenderCount() >= expected;
        });
    }

    void send(wxEventType type, int x, int y, bool middleHeld = false) {
        wxMouseEvent e(type);
        e.SetPosition(wxPoint(x, y));
        e.m_middleDown = middleHeld;
        e.SetEventObject(canvas);
        canvas->GetEventHandler()->ProcessEvent(e);
    }

    // The colour the window shows at a client point of the canvas (read back from the display).
    wxColour screenPixel(int x, int y) {
        wxBitmap probe(1, 1);
        {
            wxMemoryDC mem(probe);
            wxClientDC window(canvas);
            mem.Blit(0, 0, 1, 1, &window, x, y);
        }
        const wxImage image = probe.ConvertToImage();
        return wxColour(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0));
    }

    Document doc;
    wxFrame* frame = nullptr;
    CanvasPanel* canvas = nullptr;
    std::vector<std::pair<int, std::string>> status;
    int selectionRefreshes = 0;
};

TEST_F(CanvasPanelTest, OverlayOnlyRepaintKeepsThePicture) {
    const int before = canvas->pictureRenderCount();
    for (int i = 0; i < 3; ++i)
        paint();
    EXPECT_EQ(canvas->pictureRenderCount(), before);
}

TEST_F(CanvasPanelTest, WheelZoomRedrawsThePicture) {
    const int before = canvas->pictureRenderCount();
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.SetPosition(wxPoint(300, 200));
    wheel.m_wheelRotation = 120;
    wheel.m_wheelDelta = 120;
    wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    canvas->GetEventHandler()->ProcessEvent(wheel);
    EXPECT_DOUBLE_EQ(canvas->view().scale(), 0.4 * 1.15);
    EXPECT_TRUE(paintsPicture(before + 1));
}

TEST_F(CanvasPanelTest, EveryViewCommandRedrawsThePicture) {
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"zoom in", [&] { canvas->zoomIn(); }},
        {"zoom out", [&] { canvas->zoomOut(); }},
        {"zoom to fit", [&] { canvas->zoomToFit(); }},
        {"large view", [&] { canvas->resetViewLarge(); }},
        {"default view", [&] { canvas->resetViewDefault(); }},
    };
    for (const auto& [name, command] : commands) {
        const int before = canvas->pictureRenderCount();
        command();
        EXPECT_TRUE(paintsPicture(before + 1)) << name;
    }
}

TEST_F(CanvasPanelTest, LayoutChangesRedrawThePictureEvenUnannounced) {
    int count = canvas->pictureRenderCount();
    doc.layout.pieces[1].x += 50; // nobody calls layoutChanged()
    EXPECT_TRUE(paintsPicture(++count));
    canvas->setShowGrid(!doc.layout.showGrid);
    EXPECT_TRUE(paintsPicture(++count));
    canvas->layoutChanged(); // forced even when nothing it knows of differs
    EXPECT_TRUE(paintsPicture(++count));
    paint();
    EXPECT_EQ(canvas->pictureRenderCount(), count);
}

TEST_F(CanvasPanelTest, ResizeRedrawsThePicture) {
    const int before = canvas->pictureRenderCount();
    frame->SetSize(wxSize(700, 500));
    EXPECT_TRUE(paintsPicture(before + 1));
}

TEST_F(CanvasPanelTest, MotionWritesCoordinatesToField2) {
    send(wxEVT_MOTION, 160, 60); // default view: world (250, 0)
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.back().first, 2);
    EXPECT_EQ(status.back().second, "250 mm,  0 mm");
    doc.layout.units = 2;
    send(wxEVT_MOTION, 314, 60); // world (635, 0)
    EXPECT_EQ(status.back().second, "25.00 in,  0.00 in");
}

TEST_F(CanvasPanelTest, MiddleButtonPansAndRedraws) {
    const int before = canvas->pictureRenderCount();
    send(wxEVT_MIDDLE_DOWN, 100, 100, true);
    EXPECT_TRUE(canvas->HasCapture());
    send(wxEVT_MOTION, 140, 130, true);
    EXPECT_DOUBLE_EQ(canvas->view().panX(), 100);
    EXPECT_DOUBLE_EQ(canvas->view().panY(), 90);
    send(wxEVT_MIDDLE_UP, 140, 130);
    EXPECT_FALSE(canvas->HasCapture());
    EXPECT_TRUE(paintsPicture(before + 1));
}

TEST_F(CanvasPanelTest, PanGivesTheToolsCursorBack) {
    const wxCursor cross(wxCURSOR_CROSS); // as the measuring tool sets it
    canvas->SetCursor(cross);
    send(wxEVT_MIDDLE_DOWN, 100, 100, true);
    EXPECT_FALSE(canvas->GetCursor().IsSameAs(cross));
    send(wxEVT_MIDDLE_UP, 120, 100);
    EXPECT_TRUE(canvas->GetCursor().IsSameAs(cross));
}

TEST_F(CanvasPanelTest, TheScreenFollowsAPan) {
    const wxColour originMark(200, 80, 80);
    const wxColour rulerGrey(240, 240, 240);
    paint();
    EXPECT_EQ(screenPixel(60, 5), originMark); // world origin at x = 60 on the top ruler
    send(wxEVT_MIDDLE_DOWN, 100, 100, true);
    send(wxEVT_MOTION, 140, 100, true);
    send(wxEVT_MIDDLE_UP, 140, 100);
    EXPECT_TRUE(waitFor([&] {
        paint();
        return screenPixel(100, 5) == originMark;
    }));
    EXPECT_EQ(screenPixel(60, 5), rulerGrey);
}

TEST_F(CanvasPanelTest, TheScreenShowsAPieceMovedWithoutNotice) {
    const wxColour pieceFill(210, 210, 205);
    paint();
    // The first straight runs from world (0, 200): screen (60, 140) at the default view.
    ASSERT_EQ(screenPixel(80, 140), pieceFill);
    doc.layout.pieces[0].y += 300; // nobody calls layoutChanged()
    EXPECT_TRUE(waitFor([&] {
        paint();
        return screenPixel(80, 140) != pieceFill;
    }));
    EXPECT_EQ(screenPixel(80, 260), pieceFill);
}

TEST_F(CanvasPanelTest, EscapeClearsTheSelection) {
    doc.layout.pieces[0].selected = true;
    doc.layout.pieces[2].selected = true;
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_ESCAPE;
    key.SetEventObject(canvas);
    canvas->GetEventHandler()->ProcessEvent(key);
    EXPECT_FALSE(doc.layout.pieces[0].selected);
    EXPECT_FALSE(doc.layout.pieces[2].selected);
    EXPECT_EQ(selectionRefreshes, 1);
}

} // namespace
