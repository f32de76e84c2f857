#include "core/base/Units.h"
#include "core/base/Translate.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#ifndef _WIN32
#include <locale.h>
#endif
#include <vector>

namespace plandor {

std::optional<Units> unitsFromNumber(long long number) {
    if (number < 0 || number > 2)
        return std::nullopt;
    return static_cast<Units>(number);
}

double unitFactor(Units units) {
    switch (units) {
    case Units::Centimetres:
        return 10.0;
    case Units::Inches:
        return 25.4;
    case Units::Millimetres:
        break;
    }
    return 1.0;
}

std::string unitShortName(Units units) {
    switch (units) {
    case Units::Centimetres:
        return "cm";
    case Units::Inches:
        return "in";
    case Units::Millimetres:
        break;
    }
    return "mm";
}

double toDisplayUnits(double mm, Units units) {
    return mm / unitFactor(units);
}

double fromDisplayUnits(double value, Units units) {
    return value * unitFactor(units);
}

namespace {

#ifndef _WIN32
// The "C" locale for this thread while one lives: files and output for programs keep their
// decimal point even when something in the process has set a locale that writes commas.
class CNumbers {
  public:
    CNumbers() : previous_(uselocale(cLocale())) {}
    ~CNumbers() { uselocale(previous_); }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

  private:
    static locale_t cLocale() {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
        return c;
    }
    locale_t previous_;
};
#else
// Windows: the C library's numeric locale is "C" for this thread only while one lives.
class CNumbers {
  public:
    CNumbers() : mode_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        previous_ = current ? current : "C";
        std::setlocale(LC_NUMERIC, "C");
    }
    ~CNumbers() {
        std::setlocale(LC_NUMERIC, previous_.c_str());
        _configthreadlocale(mode_);
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

  private:
    int mode_;
    std::string previous_;
};
#endif

} // namespace

std::string formatText(const char* format, ...) {
    [[maybe_unused]] const CNumbers cNumbers;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, args);
        out.assign(buf.data(), static_cast<std::size_t>(n));
    }
    va_end(args);
    return out;
}

std::string formatLength(double mm, Units units) {
    switch (units) {
    case Units::Centimetres:
        return shownNumber(formatText("%.1f cm", mm / 10.0));
    case Units::Inches:
        return shownNumber(formatText("%.2f in", mm / 25.4));
    case Units::Millimetres:
        break;
    }
    return shownNumber(formatText("%.0f mm", mm));
}

std::string formatDimension(double mm, Units units) {
    switch (units) {
    case Units::Centimetres:
        return shownNumber(formatText("%.1f cm", mm / 10.0));
    case Units::Inches:
        return shownNumber(formatText("%.2f\"", mm / 25.4));
    case Units::Millimetres:
        break;
    }
    return shownNumber(formatText("%.0f mm", mm));
}

std::string formatCoordinates(double xMm, double yMm, Units units) {
    switch (units) {
    case Units::Centimetres:
        return shownNumber(
            formatText(decimalMark() == ',' ? "%.1f cm;  %.1f cm" : "%.1f cm,  %.1f cm", xMm / 10.0,
                       yMm / 10.0));
    case Units::Inches:
        return shownNumber(
            formatText(decimalMark() == ',' ? "%.2f in;  %.2f in" : "%.2f in,  %.2f in", xMm / 25.4,
                       yMm / 25.4));
    case Units::Millimetres:
        break;
    }
    return shownNumber(formatText("%.0f mm,  %.0f mm", xMm, yMm));
}

} // namespace plandor
