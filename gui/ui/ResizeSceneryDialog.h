#pragma once
// "Resize Scenery": the item's two scales with their sizes in mm, the aspect lock and
// "Reset to Default". The values and rules live in the core's SceneryResizeForm.

#include "core/editing/SceneryResize.h"

#include <wx/dialog.h>

class wxSpinDoubleEvent;
class wxStaticText;
class wxCheckBox;

namespace plandor {

class NumberField;

class ResizeSceneryDialog : public wxDialog {
  public:
    ResizeSceneryDialog(wxWindow* parent, const SceneryResizeForm& form);

    // How the dialog was closed, and the scales it ended with.
    SceneryResizeChoice choice() const { return choice_; }
    const SceneryResizeForm& form() const { return form_; }

    NumberField* widthScale() const { return width_; }
    NumberField* depthScale() const { return depth_; }
    wxCheckBox* lockAspect() const { return lock_; }

  private:
    void showScales();
    void onWidth(wxSpinDoubleEvent& event);
    void onDepth(wxSpinDoubleEvent& event);

    SceneryResizeForm form_;
    SceneryResizeChoice choice_ = SceneryResizeChoice::Cancel;
    NumberField* width_ = nullptr;
    NumberField* depth_ = nullptr;
    wxStaticText* widthMm_ = nullptr;
    wxStaticText* depthMm_ = nullptr;
    wxCheckBox* lock_ = nullptr;
};

} // namespace plandor
