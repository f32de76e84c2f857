#include "gui/ui/ResizeSceneryDialog.h"

#include "gui/platform/NumberField.h"
#include "gui/platform/WxText.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

namespace plandor {

ResizeSceneryDialog::ResizeSceneryDialog(wxWindow* parent, const SceneryResizeForm& form)
    : wxDialog(parent, wxID_ANY, _("Resize Scenery")), form_(form) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, toWx(scenerySizeLine(form_))), 0, wxALL, 10);

    auto* grid = new wxFlexGridSizer(3, 6, 8);
    auto addRow = [&](const char* label, double value, NumberField*& spin, wxStaticText*& mm) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        spin = new NumberField(this, kMinSceneryScale, kMaxSceneryScale, value, 0.05, 2);
        grid->Add(spin, 0, wxALIGN_CENTER_VERTICAL);
        mm = new wxStaticText(this, wxID_ANY, "(= 00000 mm)");
        grid->Add(mm, 0, wxALIGN_CENTER_VERTICAL);
    };
    addRow(_("Width scale:"), form_.scaleX, width_, widthMm_);
    addRow(_("Depth scale:"), form_.scaleY, depth_, depthMm_);
    top->Add(grid, 0, wxLEFT | wxRIGHT, 10);

    lock_ = new wxCheckBox(this, wxID_ANY, _("Lock aspect ratio"));
    top->Add(lock_, 0, wxALL, 10);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* reset = new wxButton(this, wxID_ANY, _("Reset to Default"));
    buttons->Add(reset, 0, wxRIGHT, 20);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_OK, _("OK")), 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, wxID_CANCEL, _("Cancel")));
    top->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(top);
    showScales();

    width_->Bind(wxEVT_SPINCTRLDOUBLE, &ResizeSceneryDialog::onWidth, this);
    depth_->Bind(wxEVT_SPINCTRLDOUBLE, &ResizeSceneryDialog::onDepth, this);
    lock_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { form_.lockAspect = lock_->GetValue(); });
    reset->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        choice_ = SceneryResizeChoice::ResetToDefault;
        EndModal(wxID_OK);
    });
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            // OK stores what the two spin controls hold.
            form_.scaleX = width_->GetValue();
            form_.scaleY = depth_->GetValue();
            choice_ = SceneryResizeChoice::Ok;
            EndModal(wxID_OK);
        },
        wxID_OK);
}

void ResizeSceneryDialog::showScales() {
    width_->SetValue(form_.scaleX);
    depth_->SetValue(form_.scaleY);
    widthMm_->SetLabel(toWx(scaledSizeText(form_.scaleX, form_.catalogWidth)));
    depthMm_->SetLabel(toWx(scaledSizeText(form_.scaleY, form_.catalogDepth)));
}

void ResizeSceneryDialog::onWidth(wxSpinDoubleEvent& event) {
    setWidthScale(form_, event.GetValue());
    showScales();
}

void ResizeSceneryDialog::onDepth(wxSpinDoubleEvent& event) {
    setDepthScale(form_, event.GetValue());
    showScales();
}

} // namespace plandor
