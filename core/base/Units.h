#pragma once
// Units of measure for display: 0 millimetres, 1 centimetres, 2 inches.
// Stored values are always millimetres; only what is shown and typed changes.

#include <cstdint>
#include <string>

namespace plandor {

double unitFactor(uint32_t units);         // millimetres per unit: 1, 10, 25.4
std::string unitShortName(uint32_t units); // "mm", "cm", "in"
// One value in the unit's own format: "%.0f mm", "%.1f cm", "%.2f in".
std::string formatLength(double mm, uint32_t units);
// A drawn dimension (baseboard edges, measurements): "%.0f mm", "%.1f cm", or inches as
// "%.2f" followed by the inch sign.
std::string formatDimension(double mm, uint32_t units);
// Cursor position for the status bar: "%.0f mm,  %.0f mm" and the like.
std::string formatCoordinates(double xMm, double yMm, uint32_t units);

// A stored length in the unit shown, and a value typed in the unit back in millimetres.
double toDisplayUnits(double mm, uint32_t units);
double fromDisplayUnits(double value, uint32_t units);

// printf-style formatting into a std::string.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace plandor
