#include "gui/platform/NumberField.h"

#include "core/base/Translate.h"
#include "gui/platform/WxText.h"

#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace plandor {

namespace {

// The number with `digits` decimals and the language's decimal mark, whatever the C locale.
std::string numberText(double value, int digits) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
    if (ec != std::errc())
        return "0";
    return shownNumber(std::string(buffer, end));
}

// The number as shown: rounded to `digits` decimals.
double rounded(double value, int digits) {
    const double scale = std::pow(10.0, digits);
    return std::round(value * scale) / scale;
}

} // namespace

NumberField::NumberField(wxWindow* parent, double min, double max, double value, double step,
                         int digits)
    : wxPanel(parent, wxID_ANY), min_(min), max_(max), step_(step), digits_(digits),
      value_(rounded(std::clamp(value, min, max), digits)) {
    text_ = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxTE_PROCESS_ENTER | wxTE_RIGHT);
    // Wide enough for the longest number of the range, with room for the cursor.
    const wxString widest =
        toWx(numberText(std::max(std::abs(min), std::abs(max)), digits) + (min < 0 ? "-" : ""));
    text_->SetMinSize(wxSize(text_->GetTextExtent(widest + "00").x + 16, -1));
    arrows_ = new wxSpinButton(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    arrows_->SetRange(-1, 1);
    arrows_->SetValue(0);

    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(text_, 1, wxALIGN_CENTRE_VERTICAL);
    sizer->Add(arrows_, 0, wxEXPAND | wxLEFT, 2);
    SetSizerAndFit(sizer);
    show(value_);

    // The arrows only report a step; the number is the field's own.
    arrows_->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent& event) {
        event.Veto();
        stepBy(1);
    });
    arrows_->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent& event) {
        event.Veto();
        stepBy(-1);
    });
    text_->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_UP)
            stepBy(1);
        else if (event.GetKeyCode() == WXK_DOWN)
            stepBy(-1);
        else
            event.Skip();
    });
    // Enter still reaches the dialog's default button after the number is read.
    text_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent& event) {
        commit();
        event.Skip();
    });
    text_->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        commit();
        event.Skip();
    });
}

double NumberField::GetValue() const {
    const std::optional<double> typed = parseShownNumber(fromWx(text_->GetValue()));
    return typed ? rounded(std::clamp(*typed, min_, max_), digits_) : value_;
}

void NumberField::SetValue(double value) {
    value_ = rounded(std::clamp(value, min_, max_), digits_);
    show(value_);
}

void NumberField::show(double value) {
    text_->ChangeValue(toWx(numberText(value, digits_)));
}

void NumberField::commit() {
    const double before = value_;
    value_ = GetValue();
    show(value_);
    if (value_ == before)
        return;
    wxSpinDoubleEvent changed(wxEVT_SPINCTRLDOUBLE, GetId(), value_);
    changed.SetEventObject(this);
    ProcessWindowEvent(changed);
}

void NumberField::stepBy(int direction) {
    // A number typed but not yet read is where the step starts.
    show(std::clamp(GetValue() + direction * step_, min_, max_));
    commit();
}

} // namespace plandor
