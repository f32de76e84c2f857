// The canvas keeps its picture of the layout in a bitmap: drawn again whenever the layout or the
// view changes and only then, and only over the area a drop changed (matching a whole redraw).
#include "gui/canvas/CanvasPanel.h"
#include "GuiTestSupport.h"
#include "LayoutGenerator.h"
#include "core/canvas/CanvasView.h"
#include "core/canvas/PaletteActions.h"
#include "core/document/Document.h"

#include <wx/frame.h>
#include <wx/image.h>

#include <functional>

using namespace plandor;
using namespace plandor::guitest;

namespace {

class CanvasPanelTest : public ::testing::Test {
  protected:
    void show(Layout layout, wxSize size) {
        doc.layout = std::move(layout);
        frame = new wxFrame(nullptr, wxID_ANY, "canvas", wxPoint(0, 0), size);
        canvas = new CanvasPanel(frame, doc); // a frame's only child fills it
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
    wxImage picture() { return canvas->keptPicture().ConvertToImage(); }

    Document doc;
    wxFrame* frame = nullptr;
    CanvasPanel* canvas = nullptr;
};

Layout threeStraights() {
    Layout layout = emptyLayout();
    for (int i = 0; i < 3; ++i)
        addPiece(layout, "24188", 188.3 * i, 200);
    return layout;
}

TEST_F(CanvasPanelTest, PictureIsRedrawnWhenTheLayoutOrViewChangesAndOnlyThen) {
    show(threeStraights(), wxSize(800, 600));
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"wheel",
         [&] {
             sendMouse(canvas, wxEVT_MOUSEWHEEL, {300, 200}, false, false, false, 120);
         }},
        {"middle-button pan",
         [&] {
             sendMouse(canvas, wxEVT_MIDDLE_DOWN, {100, 100}, false, false, true);
             sendMouse(canvas, wxEVT_MOTION, {140, 130}, false, false, true);
             sendMouse(canvas, wxEVT_MIDDLE_UP, {140, 130});
             EXPECT_FALSE(canvas->HasCapture());
         }},
        {"grid toggled", [&] { canvas->setShowGrid(!doc.layout.showGrid); }},
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

TEST_F(CanvasPanelTest, DropRedrawsItsAreaOnlyAndMatchesAWholeRedraw) {
    show(generateLayout(400), wxSize(1000, 750));
    // Two flat two-ended pieces far apart with an open end each; the second ends a graded run,
    // so that a drop there takes the run's arrow over to the new piece.
    const PlacedPiece* plain = nullptr;
    PlacedPiece* graded = nullptr;
    int gradedEnd = -1;
    for (PlacedPiece& p : doc.layout.pieces) {
        const PieceDef* def = TrackCatalog::instance().find(p.part);
        if (p.grade != 0 || p.z != 0 || p.helix != -1 || !def || def->connectors.size() != 2)
            continue;
        const int end = p.jointAt(1).isFree() ? 1 : p.jointAt(0).isFree() ? 0 : -1;
        if (end >= 0 && !plain) {
            plain = &p;
        } else if (end >= 0 && std::hypot(p.x - plain->x, p.y - plain->y) > 2000) {
            graded = &p;
            gradedEnd = end;
            break;
        }
    }
    ASSERT_NE(graded, nullptr);
    graded->grade = 2.5;
    doc.layout.gradeRuns.push_back(GradeRun{2.5, graded->id, gradedEnd});
    doc.layout.restoreGradeState();

    const struct {
        const char* name;
        int32_t target;
        double scale;
        wxPoint endOnScreen; // where the free end is brought to
        bool farSelected;    // a piece elsewhere on the screen loses the selection
    } cases[] = {
        {"close, with part numbers", plain->id, 1.0, wxPoint(500, 380), false},
        {"end of a graded run", graded->id, 0.5, wxPoint(500, 380), false},
        {"next to the rulers", plain->id, 1.0, wxPoint(40, 45), false},
        {"a piece far off loses the selection", plain->id, 0.2, wxPoint(250, 200), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PlacedPiece& target = *doc.layout.findPiece(c.target);
        const PieceDef& def = *TrackCatalog::instance().find(target.part);
        const int freeEnd = target.jointAt(1).isFree() ? 1 : 0;
        const Pose end = worldConnector(Pose{target.x, target.y, target.heading}, def, freeEnd);
        canvas->controller().view().setView(c.scale, c.endOnScreen.x - end.x * c.scale,
                                            c.endOnScreen.y - end.y * c.scale);
        for (PlacedPiece& p : doc.layout.pieces)
            p.selected = false;
        if (c.farSelected) {
            const ViewTransform& view = canvas->view().transform();
            PlacedPiece* far = nullptr;
            for (PlacedPiece& p : doc.layout.pieces) {
                const ScreenPoint s = view.toScreen(p.x, p.y);
                const bool onCanvas = s.x > 80 && s.x < 920 && s.y > 80 && s.y < 670;
                const double away = std::hypot(s.x - c.endOnScreen.x, s.y - c.endOnScreen.y);
                if (onCanvas && away > 300 && p.helix == -1) {
                    far = &p;
                    break;
                }
            }
            ASSERT_NE(far, nullptr);
            far->selected = true;
        }
        canvas->layoutChanged();
        paint();

        const int whole = canvas->pictureRenderCount();
        const int areas = canvas->pictureAreaRenderCount();
        const std::size_t before = doc.layout.pieces.size();
        canvas->beginPlacing(PaletteAction{PaletteAction::Kind::BeginPlacing, "24188"});
        const ScreenPoint s = canvas->view().transform().toScreen(end.x, end.y);
        const wxPoint at(s.x, s.y);
        sendMouse(canvas, wxEVT_MOTION, at);
        ASSERT_TRUE(canvas->controller().overlays().snapMarker);
        sendMouse(canvas, wxEVT_LEFT_DOWN, at, true);
        sendMouse(canvas, wxEVT_LEFT_UP, at);
        ASSERT_EQ(doc.layout.pieces.size(), before + 1);
        paint();
        EXPECT_EQ(canvas->pictureRenderCount(), whole);
        EXPECT_EQ(canvas->pictureAreaRenderCount(), areas + (c.farSelected ? 2 : 1));

        // A redraw clipped to an area rounds the antialiased edges of strokes a shade differently
        // from a whole redraw; a missing or stale item differs by far more than that.
        const wxImage partly = picture();
        canvas->layoutChanged();
        paint();
        EXPECT_EQ(differingPixels(partly, picture(), 16), 0);
        canvas->layoutChanged(doc.undo());
    }
}

} // namespace
