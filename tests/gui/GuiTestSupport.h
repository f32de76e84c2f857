#pragma once
// Helpers of the GUI tests: letting the toolkit catch up, sending the events a user's input
// sends and a real main window over a temporary folder.

#include "../core/LayoutBuilder.h"
#include "../core/ScriptedPrompter.h"
#include "../core/TempFolder.h"
#include "base/TraceLog.h"
#include "canvas/PalettePanel.h"
#include "model/Layout.h"
#include "ui/LayoutFileDialogs.h"
#include "ui/MainFrame.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/statusbr.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>
#include <wx/weakref.h>

#include <chrono>
#include <filesystem>
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

// Whether some descendant of the window carries the label.
inline bool hasLabel(wxWindow* window, const std::string& label) {
    for (wxWindow* child : window->GetChildren())
        if (child->GetLabel().ToStdString(wxConvUTF8) == label || hasLabel(child, label))
            return true;
    return false;
}

inline int rowOf(PalettePanel* palette, PalettePage page, const std::string& key) {
    const std::vector<PaletteRow>& rows = palette->rows(page);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].key == key)
            return static_cast<int>(i);
    ADD_FAILURE() << "no row " << key;
    return -1;
}

// Screen point in the middle of a list's row for the key, scrolled into view.
inline wxPoint screenPointOfRow(PalettePanel* palette, const std::string& key,
                                PalettePage page = PalettePage::Track) {
    const int row = rowOf(palette, page, key);
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
        std::filesystem::remove_all(root);
    }
    void command(int id, bool checked = false) { send(frame, wxEVT_MENU, id, checked ? 1 : 0); }
    Layout& layout() { return frame->document().layout; }
    std::string status(int field) {
        return frame->GetStatusBar()->GetStatusText(field).ToStdString(wxConvUTF8);
    }

    std::string root;
    wxWeakRef<MainFrame> frame;
};

// Answers the Open Layout dialog by choosing a row by name.
class ChooseLayout : public wxExpectModalBase<OpenLayoutDialog> {
  public:
    explicit ChooseLayout(const char* name) : name_(name) {}

  protected:
    int OnInvoked(OpenLayoutDialog* dialog) const override {
        dialog->list()->SetStringSelection(name_);
        return wxID_OK;
    }

  private:
    wxString name_;
};

// Answers a text prompt with `text` and OK.
class AnswerText : public wxExpectModalBase<wxTextEntryDialog> {
  public:
    explicit AnswerText(const char* text) : text_(text) {}

  protected:
    int OnInvoked(wxTextEntryDialog* dialog) const override {
        dialog->SetValue(text_);
        return wxID_OK;
    }

  private:
    wxString text_;
};

} // namespace plandor::guitest
