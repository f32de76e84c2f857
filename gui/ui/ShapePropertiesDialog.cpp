#include "gui/ui/ShapePropertiesDialog.h"
#include "gui/ui/Translations.h"

#include "gui/platform/NumberField.h"
#include "gui/platform/WxText.h"

#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cmath>

namespace plandor {

ShapePropertiesDialog::ShapePropertiesDialog(wxWindow* parent, const PolygonShape& shape,
                                             Units units)
    : wxDialog(parent, wxID_ANY, _("Shape Properties"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    const ShapeProperties props = shapeProperties(shape, units);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(2, wxSize(8, 8));
    grid->AddGrowableCol(1);
    auto label = [&](const wxString& text) {
        grid->Add(new wxStaticText(this, wxID_ANY, text), 0, wxALIGN_CENTRE_VERTICAL);
    };

    label(_("Name:"));
    name_ = new wxTextCtrl(this, wxID_ANY, toWx(props.name));
    grid->Add(name_, 1, wxEXPAND);

    label(_("Color:"));
    color_ =
        new wxColourPickerCtrl(this, wxID_ANY, wxColour(props.fill.r, props.fill.g, props.fill.b));
    grid->Add(color_, 0);

    // xgettext:no-c-format
    label(_("Opacity %:"));
    opacity_ = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                              wxSP_ARROW_KEYS, 0, 100, props.opacityPercent);
    grid->Add(opacity_, 1, wxEXPAND);

    label(toWx(shapeHeightLabel(units)));
    const int digits = shapeHeightDigits(units);
    height_ = new NumberField(this, 0, kShapeHeightMaxInUnit, props.heightInUnit,
                              std::pow(10.0, -digits), digits);
    grid->Add(height_, 1, wxEXPAND);

    outline_ = new wxCheckBox(this, wxID_ANY, _("Show outline"));
    outline_->SetValue(props.outline);
    grid->Add(outline_, 0, wxALIGN_CENTRE_VERTICAL);
    grid->AddSpacer(0);

    sizer->Add(grid, 1, wxALL | wxEXPAND, 12);
    sizer->Add(new wxStaticLine(this), 0, wxLEFT | wxRIGHT | wxEXPAND, 12);
    sizer->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 8);
    labelStockButtons(*this);
    SetSizerAndFit(sizer);
    Centre();
}

ShapeProperties ShapePropertiesDialog::value() const {
    const wxColour c = color_->GetColour();
    ShapeProperties p;
    p.name = fromWx(name_->GetValue());
    p.fill = Color{c.Red(), c.Green(), c.Blue()};
    p.opacityPercent = opacity_->GetValue();
    p.heightInUnit = height_->GetValue();
    p.outline = outline_->GetValue();
    return p;
}

} // namespace plandor
