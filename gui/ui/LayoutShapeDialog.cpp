#include "gui/ui/LayoutShapeDialog.h"

#include "core/base/Prompter.h"
#include "core/base/Units.h"
#include "core/model/Layout.h"
#include "gui/platform/WxText.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace plandor {

LayoutShapeDialog::LayoutShapeDialog(wxWindow* parent, const plandor::Layout& layout,
                                     Prompter& prompter, bool freeFormAvailable)
    : wxDialog(parent, wxID_ANY, kLayoutShapeTitle, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      layout_(layout), prompter_(prompter), freeFormAvailable_(freeFormAvailable) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "Shape:"), 0, wxALIGN_CENTRE_VERTICAL | wxRIGHT, 8);
    choice_ = new wxChoice(this, wxID_ANY);
    for (int i = 0; i < kShapeCount; ++i)
        choice_->Append(toWx(shapeDef(i).entry));
    row->Add(choice_, 1);
    sizer->Add(row, 0, wxALL | wxEXPAND, 10);
    sizer->Add(new wxStaticLine(this), 0, wxLEFT | wxRIGHT | wxEXPAND, 10);

    page_ = new wxPanel(this);
    sizer->Add(page_, 1, wxALL | wxEXPAND, 10);
    sizer->Add(new wxStaticText(
                   this, wxID_ANY,
                   toWx(formatText("All dimensions in %s.", unitShortName(layout_.units).c_str()))),
               0, wxLEFT | wxRIGHT, 10);
    sizer->Add(new wxStaticLine(this), 0, wxALL | wxEXPAND, 10);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    apply_ = new wxButton(this, wxID_OK, "Apply");
    buttons->Add(apply_, 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0);
    sizer->Add(buttons, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 10);
    SetSizer(sizer);

    choice_->SetSelection(initialShape(layout_));
    buildPage();
    Centre();

    choice_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { buildPage(); });
    apply_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { apply(); });
}

void LayoutShapeDialog::choose(int shape) {
    choice_->SetSelection(shape);
    buildPage();
}

void LayoutShapeDialog::buildPage() {
    const int shape = choice_->GetSelection();
    const ShapeDef& def = shapeDef(shape);
    page_->DestroyChildren();
    fields_.clear();
    text_ = nullptr;

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    // Wrapped here, so that the dialog's fitted height counts every line of the text.
    auto* text = new wxStaticText(page_, wxID_ANY, toWx(shapePageText(shape, layout_.units)));
    text->Wrap(390);
    sizer->Add(text, 0, wxBOTTOM, 8);
    const std::vector<int> values = shapeFieldValues(layout_, shape);
    auto* grid = new wxFlexGridSizer(3, wxSize(8, 6));
    for (std::size_t i = 0; i < def.fields.size(); ++i) {
        grid->Add(new wxStaticText(page_, wxID_ANY, toWx(def.fields[i].label)), 0,
                  wxALIGN_CENTRE_VERTICAL);
        auto* spin =
            new wxSpinCtrl(page_, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxSP_ARROW_KEYS, kShapeFieldMin, kShapeFieldMax, values[i]);
        fields_.push_back(spin);
        grid->Add(spin, 0);
        grid->Add(new wxStaticText(page_, wxID_ANY, toWx(unitShortName(layout_.units))), 0,
                  wxALIGN_CENTRE_VERTICAL);
    }
    sizer->Add(grid, 0);
    if (shape == ShapeCustom) {
        text_ = new wxTextCtrl(page_, wxID_ANY,
                               toWx(customPolygonText(layout_.baseboard, layout_.units)),
                               wxDefaultPosition, wxSize(-1, 140), wxTE_MULTILINE | wxHSCROLL);
        sizer->Add(text_, 1, wxEXPAND);
    }
    page_->SetSizer(sizer, true);
    // Each page has its own height; the dialog keeps its width.
    Fit();
    SetSize(wxSize(420, GetSize().GetHeight()));

    const bool canApply = shape != ShapeFreeForm || freeFormAvailable_;
    apply_->Enable(canApply);
    apply_->SetToolTip(canApply ? wxString()
                                : wxString("Drawing on the canvas is not available "
                                           "in this version."));
}

void LayoutShapeDialog::apply() {
    ShapeInput input;
    input.shape = choice_->GetSelection();
    if (input.shape == ShapeFreeForm && !freeFormAvailable_)
        return;
    for (wxSpinCtrl* field : fields_)
        input.values.push_back(field->GetValue());
    if (text_)
        input.customText = fromWx(text_->GetValue());
    result_ = shapeResult(layout_, input);
    if (!result_.problem.empty()) {
        // The dialog stays open with what was typed, so the lines can be corrected.
        prompter_.message(kLayoutShapeTitle, result_.problem, PromptIcon::Information);
        return;
    }
    EndDialog(wxID_OK);
}

} // namespace plandor
