// While the Check Layout list is open the canvas marks the open ends and the clearance
// conflicts; closing the list takes the marks away. PLANDOR_SHOT=file.png saves what the
// canvas shows with the marks, to look at.
#include "GuiTestSupport.h"
#include "app/Commands.h"
#include "app/LayoutCheck.h"
#include "canvas/CanvasController.h"
#include "canvas/CanvasPanel.h"
#include "canvas/CanvasView.h"
#include "ui/CheckLayoutDialog.h"

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/imagpng.h>

#include <cstdlib>

using namespace plandor;
using namespace plandor::guitest;

namespace {

using CheckMarksTest = MainFrameFixture;

// What the screen shows of the window's client area.
wxImage grab(wxWindow* window) {
    const wxSize size = window->GetClientSize();
    const wxPoint origin = window->ClientToScreen(wxPoint(0, 0));
    wxBitmap shot(size);
    wxMemoryDC mem(shot);
    wxScreenDC screen;
    mem.Blit(0, 0, size.x, size.y, &screen, origin.x, origin.y);
    mem.SelectObject(wxNullBitmap);
    return shot.ConvertToImage();
}

} // namespace

TEST_F(CheckMarksTest, OpenEndsAndTooLittleHeadroomAreMarkedWhileTheListIsOpen) {
    // A straight crossed in its middle by another one 60 mm higher on level 2: one clearance
    // error and four open ends.
    Layout& l = layout();
    l.ensureDefaultLevel();
    Level upper;
    upper.id = 2;
    upper.name = "Level 2";
    upper.height = 60;
    l.levels.push_back(upper);
    put(l, "24188", 2000, 1000);
    const int32_t id = put(l, "24188", 2094.15, 905.85);
    l.findPiece(id)->heading = 90;
    l.findPiece(id)->level = 2;
    l.findPiece(id)->z = 60;
    frame->applyChange(Change(Change::kEverything));

    CanvasPanel* canvas = frame->canvas();
    const wxSize size = canvas->GetClientSize();
    canvas->controller().view().setView(1.0, size.x / 2.0 - 2094.15, size.y / 2.0 - 1000);
    canvas->layoutChanged();
    EXPECT_TRUE(canvas->checkMarks().empty());

    command(CmdCheckLayout);
    settle();
    ASSERT_NE(frame->checkDialog(), nullptr);
    ASSERT_EQ(canvas->checkMarks().size(), 5u);
    const std::vector<CheckMark> marks = canvas->checkMarks();
    EXPECT_EQ(marks[0].kind, CheckMarkKind::Clearance);
    EXPECT_NEAR(marks[0].at.x, 2094.15, 1e-6);
    EXPECT_NEAR(marks[0].at.y, 1000, 1e-6);
    for (std::size_t i = 1; i < marks.size(); ++i)
        EXPECT_EQ(marks[i].kind, CheckMarkKind::OpenEnd);
    canvas->Refresh();
    settle();
    if (const char* shot = std::getenv("PLANDOR_SHOT")) {
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        grab(canvas).SaveFile(shot, wxBITMAP_TYPE_PNG);
    }

    frame->checkDialog()->Close();
    settle();
    EXPECT_TRUE(canvas->checkMarks().empty());
}
