#pragma once
// "Shape Properties": name, fill colour, opacity, height above the level deck and the outline
// switch of one polygon shape. The conversions are the core's (editing/Annotations).

#include "core/editing/Annotations.h"

#include <wx/dialog.h>

class wxCheckBox;
class wxColourPickerCtrl;
class wxSpinCtrl;
class wxTextCtrl;

namespace plandor {

class NumberField;

class ShapePropertiesDialog : public wxDialog {
  public:
    ShapePropertiesDialog(wxWindow* parent, const PolygonShape& shape, Units units);
    // The fields as the user left them (opacity in percent, height in the display unit).
    ShapeProperties value() const;

    wxTextCtrl* nameField() const { return name_; }
    wxColourPickerCtrl* colorField() const { return color_; }
    wxSpinCtrl* opacityField() const { return opacity_; }
    NumberField* heightField() const { return height_; }
    wxCheckBox* outlineField() const { return outline_; }

  private:
    wxTextCtrl* name_ = nullptr;
    wxColourPickerCtrl* color_ = nullptr;
    wxSpinCtrl* opacity_ = nullptr;
    NumberField* height_ = nullptr;
    wxCheckBox* outline_ = nullptr;
};

} // namespace plandor
