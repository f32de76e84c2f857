// A label's text changed with the real mouse and keyboard: a double-click opens the text
// dialog, the typed text replaces the preselected one, OK changes the label and Ctrl+Z brings
// the old text back.
#include "GuiTestSupport.h"

#include <wx/timer.h>

#include <cstdlib>

using namespace plandor;
using namespace plandor::guitest;

namespace {

// The text dialog while it is open, or null.
wxTextEntryDialog* openTextDialog() {
    for (wxWindow* top : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxTextEntryDialog*>(top); dialog && dialog->IsShown())
            return dialog;
    return nullptr;
}

using LabelEditTest = CanvasInputFixture;

TEST_F(LabelEditTest, DoubleClickTypeOkChangesTheTextAndCtrlZRestoresIt) {
    const int32_t id = addLabel(layout(), "Station", 200, 200).id;
    canvas->layoutChanged();
    settle();

    // The dialog runs its own loop; a timer inside it types and clicks OK as a user would.
    RealModalDialogs real;
    std::string offered;
    bool preselected = false;
    int step = 0;
    wxTimer user;
    user.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        wxTextEntryDialog* dialog = openTextDialog();
        if (!dialog || !dialog->IsShownOnScreen())
            return;
        if (step == 0) {
            offered = dialog->GetValue().ToStdString(wxConvUTF8);
            for (wxWindow* child : dialog->GetChildren())
                if (auto* text = dynamic_cast<wxTextCtrl*>(child)) {
                    long from = 0, to = 0;
                    text->GetSelection(&from, &to);
                    preselected = from == 0 && to == text->GetLastPosition();
                }
            sim.Text("Yard");
            ++step;
        } else if (step == 1) {
            if (const char* shots = std::getenv("PLANDOR_SHOTS"))
                std::system(
                    (std::string("import -window root ") + shots + "/label_dialog.png").c_str());
            wxWindow* ok = dialog->FindWindow(wxID_OK);
            sim.MouseMove(ok->GetScreenRect().GetPosition() + ok->GetSize() / 2);
            sim.MouseClick();
            ++step;
        } else if (++step > 30) {
            dialog->EndModal(wxID_CANCEL); // the click never arrived: fail, do not hang
        }
    });
    user.Start(100);
    sim.MouseMove(canvas->ClientToScreen(wxPoint(215, 205)));
    settle();
    sim.MouseDblClick();
    ASSERT_TRUE(waitFor([&] { return layout().findLabel(id)->text == "Yard"; }))
        << "the label's text did not change";
    user.Stop();
    EXPECT_EQ(offered, "Station") << "the dialog offers the current text";
    EXPECT_TRUE(preselected) << "typing replaces the current text";

    canvas->SetFocus();
    settle();
    sim.Char('z', wxMOD_CONTROL);
    EXPECT_TRUE(waitFor([&] { return layout().findLabel(id)->text == "Station"; }))
        << "Ctrl+Z did not bring the old text back";
}

} // namespace
