#pragma once
// Helpers of the GUI tests: letting the toolkit catch up, sending the events a user's input
// sends, a real main window over a temporary folder (with its canvas ready for the real mouse)
// and answers for the modal dialogs it shows.

#include "../core/LayoutBuilder.h"
#include "../core/ScriptedPrompter.h"
#include "../core/TempFolder.h"
#include "core/base/TraceLog.h"
#include "core/canvas/CanvasController.h"
#include "core/model/Layout.h"
#include "gui/canvas/CanvasPanel.h"
#include "gui/canvas/PalettePanel.h"
#include "gui/ui/LayoutFileDialogs.h"
#include "gui/ui/MainFrame.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/statusbr.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace plandor::guitest {

inline void settle() {
    for (int i = 0; i < 5; ++i) {
        wxYield();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Lets the toolkit run until `done` holds or about two seconds have passed.
template <class F> bool waitFor(F done) {
    for (int i = 0; i < 200; ++i) {
        wxYield();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// Sends a command event of the given type to a window, as the toolkit does.
inline void send(wxWindow* to, wxEventType type, int id, int value = 0) {
    wxCommandEvent event(type, id);
    event.SetInt(value);
    event.SetEventObject(to);
    to->ProcessWindowEvent(event);
}
inline void click(wxButton* button) {
    send(button, wxEVT_BUTTON, button->GetId());
}
inline void choose(wxChoice* choice, int index) {
    choice->SetSelection(index);
    send(choice, wxEVT_CHOICE, choice->GetId(), index);
}
// Text typed into a field, then Enter.
inline void typeAndEnter(wxTextCtrl* field, const std::string& text) {
    field->ChangeValue(wxString::FromUTF8(text));
    wxCommandEvent event(wxEVT_TEXT_ENTER, field->GetId());
    event.SetEventObject(field);
    event.SetString(field->GetValue());
    field->ProcessWindowEvent(event);
}
// A row of a list clicked (or double-clicked).
inline void select(wxListBox* list, int row, wxEventType type = wxEVT_LISTBOX) {
    list->SetSelection(row);
    send(list, type, list->GetId(), row);
}

// A mouse event at a client point of `to`, with the buttons held and the wheel turned.
inline void sendMouse(wxWindow* to, wxEventType type, wxPoint at, bool left = false,
                      bool right = false, bool middle = false, int wheel = 0) {
    wxMouseEvent event(type);
    event.SetPosition(at);
    event.m_leftDown = left;
    event.m_rightDown = right;
    event.m_middleDown = middle;
    event.m_wheelRotation = wheel;
    event.m_wheelDelta = 120;
    event.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    event.SetEventObject(to);
    to->ProcessWindowEvent(event);
}

// How many pixels of two pictures differ by more than `tolerance` in some channel; -1 when
// their sizes differ.
inline long differingPixels(const wxImage& a, const wxImage& b, int tolerance = 0) {
    if (a.GetSize() != b.GetSize())
        return -1;
    long count = 0;
    const unsigned char* p = a.GetData();
    const unsigned char* q = b.GetData();
    for (long i = 0; i < 3L * a.GetWidth() * a.GetHeight(); i += 3)
        count += std::abs(p[i] - q[i]) > tolerance || std::abs(p[i + 1] - q[i + 1]) > tolerance ||
                 std::abs(p[i + 2] - q[i + 2]) > tolerance;
    return count;
}

// Whether some descendant of the window carries the label.
inline bool hasLabel(wxWindow* window, const std::string& label) {
    for (wxWindow* child : window->GetChildren())
        if (child->GetLabel().ToStdString(wxConvUTF8) == label || hasLabel(child, label))
            return true;
    return false;
}

// Screen point in the middle of a list's row for the key, scrolled into view.
inline wxPoint screenPointOfRow(PalettePanel* palette, const std::string& key,
                                PalettePage page = PalettePage::Track) {
    const std::vector<PaletteRow>& rows = palette->rows(page);
    int row = 0;
    while (row < static_cast<int>(rows.size()) && rows[row].key != key)
        ++row;
    wxListBox* list = palette->list(page);
    list->EnsureVisible(row);
    settle();
    int first = -1, last = -1;
    for (int y = 0; y < list->GetClientSize().y; ++y)
        if (list->HitTest(wxPoint(20, y)) == row) {
            first = first < 0 ? y : first;
            last = y;
        }
    EXPECT_GE(first, 0) << "row of " << key << " not visible";
    return list->ClientToScreen(wxPoint(20, (first + last) / 2));
}

// The real main window over a temporary application folder.
class MainFrameFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        root = tempFolder();
        std::filesystem::create_directory(root + "/app");
        setTraceFolder(root);
        frame = new MainFrame(
            Folders{root + "/app", "", root, keepRecoveryCopies ? root + "/recovery" : ""});
        frame->Show();
        settle();
    }
    void TearDown() override {
        if (frame) {
            frame->document().modified = false;
            frame->Destroy();
        }
        settle();
        std::filesystem::remove_all(root);
    }
    void command(int id, bool checked = false) { send(frame, wxEVT_MENU, id, checked ? 1 : 0); }
    Layout& layout() { return frame->document().layout; }
    std::string status(int field) {
        return frame->GetStatusBar()->GetStatusText(field).ToStdString(wxConvUTF8);
    }

    std::string root;
    wxWeakRef<MainFrame> frame;
    // Whether the window keeps recovery copies (in root/recovery); the other tests keep none,
    // so that no restore question comes up.
    bool keepRecoveryCopies = false;
};

// The main window with its canvas at scale 1 from the origin, driven with the real mouse and
// keyboard.
class CanvasInputFixture : public MainFrameFixture {
  protected:
    void SetUp() override {
        MainFrameFixture::SetUp();
        frame->Raise();
        layout().ensureDefaultLevel();
        canvas = frame->canvas();
        canvas->controller().view().setView(1.0, 0, 0);
        canvas->layoutChanged();
        settle();
    }
    void clickAt(int x, int y) {
        sim.MouseMove(canvas->ClientToScreen(wxPoint(x, y)));
        settle();
        sim.MouseClick();
        settle();
    }
    void moveInSteps(wxPoint from, wxPoint to) {
        for (int step = 1; step <= 10; ++step) {
            sim.MouseMove(from + (to - from) * step / 10);
            settle();
        }
    }
    // The button pressed on a palette row and the mouse moved off it, far enough to start a
    // drag that places what the row holds.
    void startPaletteDrag(wxPoint row) {
        sim.MouseMove(row);
        settle();
        sim.MouseDown();
        settle();
        sim.MouseMove(row + wxPoint(4, 0));
        sim.MouseMove(row + wxPoint(8, 0));
        ASSERT_TRUE(waitFor([&] { return canvas->placing(); })) << "the drag did not start placing";
    }
    // A palette row dragged to a screen point and released there; placing goes on.
    void dragFromPalette(wxPoint row, wxPoint to) {
        startPaletteDrag(row);
        moveInSteps(row + wxPoint(8, 0), to);
        sim.MouseUp();
        settle();
    }

    CanvasPanel* canvas = nullptr;
    wxUIActionSimulator sim;
};

// While one lives, modal dialogs really show (and run their own loop) instead of failing the
// test: for a test that drives a dialog with the real mouse and keyboard, or lets the
// toolkit's printer run without its dialog.
class RealModalDialogs {
  public:
    RealModalDialogs() { ++count(); }
    ~RealModalDialogs() { --count(); }
    RealModalDialogs(const RealModalDialogs&) = delete;
    RealModalDialogs& operator=(const RealModalDialogs&) = delete;
    static bool allowed() { return count() > 0; }

  private:
    static int& count() {
        static int n = 0;
        return n;
    }
};

// Runs `drive` on the modal dialog when it shows, then leaves it with `id`.
template <class Dialog> class Drive : public wxExpectModalBase<Dialog> {
  public:
    Drive(std::function<void(Dialog*)> drive, int id) : drive_(std::move(drive)), id_(id) {}

  protected:
    int OnInvoked(Dialog* dialog) const override {
        drive_(dialog);
        return id_;
    }

  private:
    std::function<void(Dialog*)> drive_;
    int id_;
};

// Answers a text prompt with `text` and OK.
inline Drive<wxTextEntryDialog> answerText(const char* text) {
    return Drive<wxTextEntryDialog>([text](wxTextEntryDialog* d) { d->SetValue(text); }, wxID_OK);
}

} // namespace plandor::guitest
