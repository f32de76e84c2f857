#pragma once
// Units of measure for display. Stored values are always millimetres; only what is shown and
// typed changes.

#include <cstdint>
#include <optional>
#include <string>

namespace plandor {

// The numbers are the ones layout files store.
enum class Units : uint8_t { Millimetres = 0, Centimetres = 1, Inches = 2 };

// The unit a stored number names; nothing for a number that names none.
std::optional<Units> unitsFromNumber(long long number);
inline int unitsNumber(Units units) {
    return static_cast<int>(units);
}

double unitFactor(Units units);         // millimetres per unit: 1, 10, 25.4
std::string unitShortName(Units units); // "mm", "cm", "in"
// One value in the unit's own format: "%.0f mm", "%.1f cm", "%.2f in".
std::string formatLength(double mm, Units units);
// A drawn dimension (baseboard edges, measurements): "%.0f mm", "%.1f cm", or inches as
// "%.2f" followed by the inch sign.
std::string formatDimension(double mm, Units units);
// Cursor position for the status bar: "%.0f mm,  %.0f mm" and the like.
std::string formatCoordinates(double xMm, double yMm, Units units);

// A stored length in the unit shown, and a value typed in the unit back in millimetres.
double toDisplayUnits(double mm, Units units);
double fromDisplayUnits(double value, Units units);

// printf-style formatting into a std::string, always with a decimal point (the "C" locale).
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace plandor
