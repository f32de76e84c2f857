// Placing a piece with the real mouse: a drag from the palette's Track list onto the canvas,
// near a free connector of a placed piece, and a click that drops it joined.
#include "canvas/CanvasPanel.h"
#include "canvas/PalettePanel.h"
#include "editing/CanvasController.h"
#include "shell/TraceLog.h"
#include "ui/MainFrame.h"

#include <gtest/gtest.h>

#include <wx/listbox.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

template <class F> bool waitFor(F done) {
    for (int i = 0; i < 200; ++i) {
        wxYield();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        wxYield();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

class CanvasPlacingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "plandor-placing-XXXXXX").string();
        root = mkdtemp(pattern.data());
        fs::create_directory(root + "/app");
        setTraceFolder(root);
        frame = new MainFrame(Folders{root + "/app", "", root});
        frame->Show();
        settle();
    }
    void TearDown() override {
        if (frame) {
            frame->document().modified = false;
            frame->Destroy();
        }
        settle();
        fs::remove_all(root);
    }

    // Screen point in the middle of the Track list's row for the part, scrolled into view.
    wxPoint trackRow(const std::string& key) {
        PalettePanel* palette = frame->palette();
        const std::vector<PaletteRow>& rows = palette->rows(PalettePage::Track);
        int row = -1;
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].key == key)
                row = static_cast<int>(i);
        EXPECT_GE(row, 0) << key;
        wxListBox* list = palette->list(PalettePage::Track);
        list->EnsureVisible(row);
        settle();
        int first = -1, last = -1;
        for (int y = 0; y < list->GetClientSize().y; ++y)
            if (list->HitTest(wxPoint(20, y)) == row) {
                if (first < 0)
                    first = y;
                last = y;
            }
        EXPECT_GE(first, 0) << "row of " << key << " not visible";
        return list->ClientToScreen(wxPoint(20, (first + last) / 2));
    }

    std::string root;
    wxWeakRef<MainFrame> frame;
};

TEST_F(CanvasPlacingTest, DragFromThePaletteSnapsAndAClickDropsThePieceJoined) {
    Layout& layout = frame->document().layout;
    layout.ensureDefaultLevel();
    PlacedPiece fixed = makePlacedPiece("24188");
    fixed.id = layout.takeId();
    fixed.x = 100;
    fixed.y = 150;
    layout.pieces.push_back(fixed);
    CanvasPanel* canvas = frame->canvas();
    canvas->controller().view().setView(1.0, 0, 0);
    canvas->layoutChanged();
    settle();

    // The free end of the placed piece is at world (288.3, 150) = client (288, 150).
    const wxPoint nearEnd = canvas->ClientToScreen(wxPoint(291, 154));
    const wxPoint row = trackRow("24188");
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
    EXPECT_TRUE(placed.selected);
    EXPECT_FALSE(canvas->placing());
    EXPECT_FALSE(canvas->HasCapture());
    EXPECT_TRUE(frame->document().modified);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(1), "Pieces: 2");
}

TEST_F(CanvasPlacingTest, DoubleClickClonesAndTheDeleteKeyRemovesTheSelection) {
    Layout& layout = frame->document().layout;
    layout.ensureDefaultLevel();
    PlacedPiece first = makePlacedPiece("24188");
    first.id = layout.takeId();
    first.x = 100;
    first.y = 150;
    layout.pieces.push_back(first);
    CanvasPanel* canvas = frame->canvas();
    canvas->controller().view().setView(1.0, 0, 0);
    canvas->layoutChanged();
    settle();

    wxUIActionSimulator sim;
    sim.MouseMove(canvas->ClientToScreen(wxPoint(150, 150)));
    settle();
    sim.MouseDblClick();
    ASSERT_TRUE(waitFor([&] { return layout.pieces.size() == 2; }));
    settle();
    const PlacedPiece& clone = layout.pieces[1];
    EXPECT_NEAR(clone.x, 288.3, 1e-6);
    EXPECT_EQ(layout.pieces[0].jointAt(1).target, clone.id);
    EXPECT_EQ(clone.jointAt(0).target, layout.pieces[0].id);
    EXPECT_EQ(layout.pieces[0].x, 100) << "the held second click dragged the piece";
    EXPECT_FALSE(canvas->HasCapture());
    EXPECT_TRUE(clone.selected);

    sim.Char(WXK_DELETE);
    ASSERT_TRUE(waitFor([&] { return layout.pieces.size() == 1; }));
    EXPECT_EQ(layout.pieces[0].jointAt(1).target, -1);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(1), "Pieces: 1");
}

} // namespace
