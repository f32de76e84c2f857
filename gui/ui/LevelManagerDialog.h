#pragma once
// "Manage Levels": shows, hides, adds, edits and removes the layout's levels in place. The
// rules are the core's (editing/Levels); the dialog gathers input and shows the list.

#include "core/editing/Levels.h"

#include <wx/dialog.h>

#include <functional>

class wxButton;
class wxListCtrl;
class wxListEvent;
class wxTextCtrl;
class wxSpinCtrlDouble;
class wxCheckBox;
class wxColourPickerCtrl;

namespace plandor {

class Layout;
class Prompter;

// "Level Properties: <name>": name, height in the layout's unit and the track colour.
class LevelPropertiesDialog : public wxDialog {
  public:
    LevelPropertiesDialog(wxWindow* parent, const Level& level, Units units);
    LevelProperties value() const; // the height in millimetres

    wxTextCtrl* nameField() const { return name_; }
    wxSpinCtrlDouble* heightField() const { return height_; }

  private:
    Units units_;
    wxTextCtrl* name_ = nullptr;
    wxSpinCtrlDouble* height_ = nullptr;
    wxCheckBox* useColor_ = nullptr;
    wxColourPickerCtrl* color_ = nullptr;
};

class LevelManagerDialog : public wxDialog {
  public:
    LevelManagerDialog(wxWindow* parent, plandor::Layout& layout, Prompter& prompter);

    // What the session changed, for the one undo step taken when the dialog closes.
    const LevelsChange& change() const { return change_; }
    // Called after each change while the dialog is open, so the window shows it at once.
    void onChange(std::function<void(const Change&)> shown) { shown_ = std::move(shown); }

    wxListCtrl* list() const { return list_; }
    wxButton* removeButton() const { return remove_; }

    // The buttons' and rows' actions, also driven by tests.
    void addLevelAsked();
    void editSelectedLevel();
    void removeSelectedLevel();

  private:
    void fillList();
    int32_t selectedLevelId() const;
    void onChecked(wxListEvent& event, bool visible);
    void onSelected(wxListEvent& event);
    void took(const LevelsChange& change);

    plandor::Layout& layout_;
    Prompter& prompter_;
    LevelsChange change_;
    std::function<void(const Change&)> shown_;
    wxListCtrl* list_ = nullptr;
    wxButton* remove_ = nullptr;
    bool filling_ = false;
};

} // namespace plandor
