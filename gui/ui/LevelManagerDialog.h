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
class wxCheckBox;
class wxColourPickerCtrl;

namespace plandor {

class NumberField;

class Prompter;

// "Level Properties: <name>": name, height in the layout's unit and the track colour.
class LevelPropertiesDialog : public wxDialog {
  public:
    LevelPropertiesDialog(wxWindow* parent, const Level& level, Units units);
    LevelProperties value() const; // the height in millimetres

    wxTextCtrl* nameField() const { return name_; }
    NumberField* heightField() const { return height_; }

  private:
    Units units_;
    wxTextCtrl* name_ = nullptr;
    NumberField* height_ = nullptr;
    wxCheckBox* useColor_ = nullptr;
    wxColourPickerCtrl* color_ = nullptr;
};

class LevelManagerDialog : public wxDialog {
  public:
    // The dialog works on `session`, which its owner opens before and closes after it.
    LevelManagerDialog(wxWindow* parent, LevelsSession& session, Prompter& prompter);

    // What the session changed so far.
    const LevelsChange& change() const { return session_.change(); }
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
    void took(const Change& shown);
    const plandor::Layout& layout() const { return session_.layout(); }

    LevelsSession& session_;
    Prompter& prompter_;
    std::function<void(const Change&)> shown_;
    wxListCtrl* list_ = nullptr;
    wxButton* remove_ = nullptr;
    bool filling_ = false;
};

} // namespace plandor
