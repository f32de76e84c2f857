#pragma once
// A number field with up and down arrows that shows and reads the decimal mark of the language
// shown: "12,5" in German, "12.5" in English. The toolkit's own spin control formats and reads
// with the C library's locale, which the program keeps at "C" for its files.

#include <wx/panel.h>

class wxSpinButton;
class wxTextCtrl;

namespace plandor {

class NumberField : public wxPanel {
  public:
    // Shows `value` with `digits` decimals; the arrows and the Up and Down keys add or take
    // `step`, always within [min, max].
    NumberField(wxWindow* parent, double min, double max, double value, double step, int digits);

    // What the field holds: the typed text when it reads as a number (kept within the range),
    // else the number last shown.
    double GetValue() const;
    void SetValue(double value);
    wxTextCtrl* text() const { return text_; }

  private:
    // Reads what is typed, shows it again and tells the owner (wxEVT_SPINCTRLDOUBLE) when the
    // number changed.
    void commit();
    void stepBy(int direction);
    void show(double value);

    wxTextCtrl* text_ = nullptr;
    wxSpinButton* arrows_ = nullptr;
    double min_;
    double max_;
    double step_;
    int digits_;
    double value_;
};

} // namespace plandor
