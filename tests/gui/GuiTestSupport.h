#pragma once
// Helpers of the GUI tests: letting the toolkit catch up, sending the events a user's input
// sends, finding windows by kind and laying pieces down.

#include "../core/RecordingPrompter.h"
#include "model/Layout.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/textctrl.h>
#include <wx/window.h>

#include <string>
#include <vector>

namespace plandor::guitest {

inline void settle() {
    for (int i = 0; i < 5; ++i)
        wxYield();
}

// A button pressed.
inline void click(wxButton* button) {
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

// Text typed into a field, then Enter.
inline void typeAndEnter(wxTextCtrl* field, const std::string& text) {
    field->ChangeValue(wxString::FromUTF8(text));
    wxCommandEvent event(wxEVT_TEXT_ENTER, field->GetId());
    event.SetEventObject(field);
    event.SetString(field->GetValue());
    field->ProcessWindowEvent(event);
}

// An entry of a choice picked.
inline void choose(wxChoice* choice, int index) {
    choice->SetSelection(index);
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetEventObject(choice);
    event.SetInt(index);
    choice->ProcessWindowEvent(event);
}

// The labels of a window's descendants, depth first in creation order.
inline void collectLabels(wxWindow* window, std::vector<std::string>& labels) {
    for (wxWindow* child : window->GetChildren()) {
        labels.push_back(child->GetLabel().ToStdString(wxConvUTF8));
        collectLabels(child, labels);
    }
}
inline std::vector<std::string> windowLabels(wxWindow* window) {
    std::vector<std::string> labels;
    collectLabels(window, labels);
    return labels;
}

// The first descendant of a kind, or null.
template <class T> T* findChild(wxWindow* window) {
    for (wxWindow* child : window->GetChildren()) {
        if (auto* found = dynamic_cast<T*>(child))
            return found;
        if (T* found = findChild<T>(child))
            return found;
    }
    return nullptr;
}

// Appends a piece with the next id (no undo step) and returns its id.
inline int32_t put(Layout& layout, const std::string& part, double x, double y,
                   double heading = 0) {
    PlacedPiece p = makePlacedPiece(part);
    p.id = layout.takeId();
    p.x = x;
    p.y = y;
    p.heading = heading;
    layout.pieces.push_back(p);
    return p.id;
}

} // namespace plandor::guitest
