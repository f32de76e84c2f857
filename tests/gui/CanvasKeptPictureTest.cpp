// The canvas redraws only the part of its kept picture that a drop changed, and while the
// selection moves it draws the plan without the selection once. The picture after a drop must
// be what a whole redraw makes.
#include "GuiTestSupport.h"
#include "LayoutGenerator.h"
#include "canvas/CanvasController.h"
#include "canvas/CanvasPanel.h"
#include "canvas/CanvasView.h"
#include "canvas/PaletteActions.h"
#include "document/Document.h"

#include <wx/bitmap.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <functional>

using namespace plandor;
using namespace plandor::guitest;

namespace {

class CanvasKeptPictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.layout = generateLayout(400);
        frame = new wxFrame(nullptr, wxID_ANY, "canvas", wxPoint(0, 0), wxSize(1000, 750));
        canvas = new CanvasPanel(frame, doc);
        frame->Show();
        frame->Layout();
        waitFor([&] { return canvas->pictureRenderCount() > 0; });
    }
    void TearDown() override { delete frame; }

    void paint() {
        canvas->Refresh();
        canvas->Update();
        wxYield();
    }
    void mouse(wxEventType type, ScreenPoint at, bool leftDown) {
        wxMouseEvent e(type);
        e.SetPosition(wxPoint(at.x, at.y));
        e.m_leftDown = leftDown;
        e.SetEventObject(canvas);
        canvas->GetEventHandler()->ProcessEvent(e);
    }
    ScreenPoint onScreen(Point world) {
        return canvas->view().transform().toScreen(world.x, world.y);
    }
    // A free connector of the piece, in the world; false when it has none.
    bool freeEnd(const PlacedPiece& p, Point& at) {
        const PieceDef* def = TrackCatalog::instance().find(p.part);
        if (!def || p.helix != -1)
            return false;
        for (int c = static_cast<int>(def->connectors.size()) - 1; c >= 0; --c)
            if (p.jointAt(c).isFree()) {
                const Pose w = worldConnector(Pose{p.x, p.y, p.heading}, *def, c);
                at = Point{w.x, w.y};
                return true;
            }
        return false;
    }
    wxImage picture() { return canvas->keptPicture().ConvertToImage(); }
    // How many pixels differ visibly. A redraw clipped to an area rounds the antialiased edges
    // of strokes a shade differently from a whole redraw; a missing or stale item differs by far
    // more than that.
    static long differingPixels(const wxImage& a, const wxImage& b, std::string& where) {
        if (a.GetSize() != b.GetSize())
            return -1;
        constexpr int kShade = 16;
        long count = 0;
        const unsigned char* pa = a.GetData();
        const unsigned char* pb = b.GetData();
        const long n = long(a.GetWidth()) * a.GetHeight();
        for (long i = 0; i < n; ++i)
            if (std::abs(pa[3 * i] - pb[3 * i]) > kShade ||
                std::abs(pa[3 * i + 1] - pb[3 * i + 1]) > kShade ||
                std::abs(pa[3 * i + 2] - pb[3 * i + 2]) > kShade) {
                if (count++ == 0)
                    where = "first at (" + std::to_string(i % a.GetWidth()) + ", " +
                            std::to_string(i / a.GetWidth()) + ")";
            }
        return count;
    }

    Document doc;
    wxFrame* frame = nullptr;
    CanvasPanel* canvas = nullptr;
};

TEST_F(CanvasKeptPictureTest, DropRedrawsItsAreaOnlyAndMatchesAWholeRedraw) {
    // Two pieces with an open end each; the second ends a graded run, so that a drop there
    // takes the run's arrow over to the new piece.
    int32_t plain = -1, graded = -1;
    int gradedEnd = -1;
    for (const PlacedPiece& p : doc.layout.pieces) {
        const PieceDef* def = TrackCatalog::instance().find(p.part);
        if (p.grade != 0 || p.z != 0 || p.helix != -1 || !def || def->connectors.size() != 2)
            continue;
        const int end = p.jointAt(1).isFree() ? 1 : p.jointAt(0).isFree() ? 0 : -1;
        if (end < 0)
            continue;
        if (plain < 0) {
            plain = p.id;
        } else if (std::hypot(p.x - doc.layout.findPiece(plain)->x,
                              p.y - doc.layout.findPiece(plain)->y) > 2000) {
            graded = p.id;
            gradedEnd = end;
            break;
        }
    }
    ASSERT_GE(graded, 0);
    doc.layout.findPiece(graded)->grade = 2.5;
    doc.layout.gradeRuns.push_back(GradeRun{2.5, graded, gradedEnd});
    doc.layout.restoreGradeState();

    const wxSize size = canvas->GetClientSize();
    const struct {
        const char* name;
        int32_t target;
        double scale;        // 0: the whole plan fitted
        wxPoint endOnScreen; // where the free end is brought to
        bool otherSelected;  // a piece somewhat away is selected before the drop
    } cases[] = {
        {"fitted plan", plain, 0, wxPoint(), false},
        {"close, with part numbers", plain, 1.0, wxPoint(500, 380), false},
        {"end of a graded run", graded, 0.5, wxPoint(500, 380), false},
        {"next to the rulers", plain, 1.0, wxPoint(40, 45), false},
        {"another piece selected", plain, 0.3, wxPoint(500, 380), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point end;
        ASSERT_TRUE(freeEnd(*doc.layout.findPiece(c.target), end));
        if (c.scale == 0)
            canvas->zoomToFit();
        else
            canvas->controller().view().setView(c.scale, c.endOnScreen.x - end.x * c.scale,
                                                c.endOnScreen.y - end.y * c.scale);
        if (c.otherSelected) {
            const PlacedPiece* target = doc.layout.findPiece(c.target);
            for (PlacedPiece& p : doc.layout.pieces)
                if (p.id != c.target && std::hypot(p.x - target->x, p.y - target->y) < 400 &&
                    std::hypot(p.x - target->x, p.y - target->y) > 200) {
                    p.selected = true;
                    break;
                }
        }
        canvas->layoutChanged();
        paint();
        ASSERT_GT(size.x, 0);

        const int whole = canvas->pictureRenderCount();
        const int areas = canvas->pictureAreaRenderCount();
        const std::size_t before = doc.layout.pieces.size();
        canvas->beginPlacing(PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"});
        mouse(wxEVT_MOTION, onScreen(end), false);
        ASSERT_TRUE(canvas->controller().overlays().snapMarker);
        mouse(wxEVT_LEFT_DOWN, onScreen(end), true);
        mouse(wxEVT_LEFT_UP, onScreen(end), false);
        ASSERT_EQ(doc.layout.pieces.size(), before + 1);
        paint();
        EXPECT_EQ(canvas->pictureRenderCount(), whole);
        EXPECT_EQ(canvas->pictureAreaRenderCount(), areas + 1);

        const wxImage partly = picture();
        canvas->layoutChanged();
        paint();
        EXPECT_EQ(canvas->pictureRenderCount(), whole + 1);
        std::string where;
        EXPECT_EQ(differingPixels(partly, picture(), where), 0) << where;
        canvas->layoutChanged(doc.undo());
        for (PlacedPiece& p : doc.layout.pieces)
            p.selected = false;
    }
}

TEST_F(CanvasKeptPictureTest, ChangesThatCannotBeBoundedRedrawTheWholePicture) {
    canvas->zoomToFit();
    paint();
    const struct {
        const char* name;
        std::function<Change()> change;
    } cases[] = {
        {"no area", [] { return Change(Change::kPiecesEdited); }},
        {"area joined with an unbounded change",
         [] {
             Change bounded(Change::kPiecesEdited);
             bounded.area.add(0, 0);
             bounded.area.add(100, 100);
             return bounded | Change(Change::Selection);
         }},
        {"area over most of the window",
         [&] {
             Change big(Change::kPiecesEdited);
             const ViewTransform& v = canvas->view().transform();
             big.area.add(v.toWorldX(0), v.toWorldY(0));
             big.area.add(v.toWorldX(600), v.toWorldY(500));
             return big;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int whole = canvas->pictureRenderCount();
        const int areas = canvas->pictureAreaRenderCount();
        canvas->layoutChanged(c.change());
        paint();
        EXPECT_EQ(canvas->pictureRenderCount(), whole + 1);
        EXPECT_EQ(canvas->pictureAreaRenderCount(), areas);
    }
}

TEST_F(CanvasKeptPictureTest, MovingTheSelectionDrawsThePlanWithoutItOnce) {
    const PlacedPiece& grabbed = doc.layout.pieces[10];
    const int32_t id = grabbed.id;
    const Point start{grabbed.x, grabbed.y};
    canvas->controller().view().setView(0.5, 500 - start.x * 0.5, 380 - start.y * 0.5);
    canvas->layoutChanged();
    paint();
    // Pressed on the middle of the piece: it becomes the selection.
    const PieceDef* def = TrackCatalog::instance().find(grabbed.part);
    ASSERT_NE(def, nullptr);
    const Point mid = PieceFrame(grabbed.x, grabbed.y, grabbed.heading).apply(pieceMidPoint(*def));
    const ScreenPoint press = onScreen(mid);
    mouse(wxEVT_LEFT_DOWN, press, true);
    paint();
    ASSERT_TRUE(doc.layout.findPiece(id)->selected);

    const int before = canvas->pictureRenderCount();
    for (int i = 1; i <= 6; ++i) {
        mouse(wxEVT_MOTION, ScreenPoint{press.x + 12 * i, press.y + 5 * i}, true);
        paint();
    }
    EXPECT_TRUE(canvas->controller().movingSelection());
    EXPECT_NEAR(doc.layout.findPiece(id)->x, start.x + 72 / 0.5, 1e-6);
    EXPECT_EQ(canvas->pictureRenderCount(), before + 1); // the still plan, drawn once

    mouse(wxEVT_LEFT_UP, ScreenPoint{press.x + 72, press.y + 30}, false);
    paint();
    EXPECT_FALSE(canvas->controller().movingSelection());
    EXPECT_EQ(canvas->pictureRenderCount(), before + 2); // the plan with the piece landed
}

} // namespace
