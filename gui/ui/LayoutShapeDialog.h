#pragma once
// "Layout Baseboard": picks one of the seven baseboard shapes and builds its outline. The
// shapes, fields and outlines are the core's (editing/LayoutShape); the dialog shows the page
// of the chosen shape and hands the result over on "Apply", where typed vertices that do not
// read keep it open.

#include "core/editing/LayoutShape.h"

#include <wx/dialog.h>

#include <vector>

class wxChoice;
class wxPanel;
class wxSpinCtrl;
class wxTextCtrl;
class wxButton;

namespace plandor {

class Layout;
class Prompter;

class LayoutShapeDialog : public wxDialog {
  public:
    // `freeFormAvailable`: whether the canvas can draw an outline; without it the free-form
    // page keeps "Apply" disabled.
    LayoutShapeDialog(wxWindow* parent, const plandor::Layout& layout, Prompter& prompter,
                      bool freeFormAvailable);

    // Results after OK: the baseboard to apply (the layout is not changed by the dialog).
    const ShapeResult& result() const { return result_; }
    const std::vector<Point>& outline() const { return result_.board.outline; }
    bool drawOnCanvas() const { return result_.drawOnCanvas; }

    wxChoice* shapeChoice() const { return choice_; }
    const std::vector<wxSpinCtrl*>& fields() const { return fields_; }
    wxTextCtrl* vertexText() const { return text_; }
    wxButton* applyButton() const { return apply_; }
    void choose(int shape); // as if picked in the choice
    void apply();           // "Apply"

  private:
    void buildPage();

    const plandor::Layout& layout_;
    Prompter& prompter_;
    bool freeFormAvailable_;
    ShapeResult result_;
    wxChoice* choice_ = nullptr;
    wxPanel* page_ = nullptr;
    std::vector<wxSpinCtrl*> fields_;
    wxTextCtrl* text_ = nullptr;
    wxButton* apply_ = nullptr;
};

} // namespace plandor
