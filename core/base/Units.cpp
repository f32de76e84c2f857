#include "base/Units.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace plandor {

double unitFactor(uint32_t units) {
    switch (units) {
    case 1:
        return 10.0;
    case 2:
        return 25.4;
    default:
        return 1.0;
    }
}

std::string unitShortName(uint32_t units) {
    switch (units) {
    case 1:
        return "cm";
    case 2:
        return "in";
    default:
        return "mm";
    }
}

double toDisplayUnits(double mm, uint32_t units) {
    return mm / unitFactor(units);
}

double fromDisplayUnits(double value, uint32_t units) {
    return value * unitFactor(units);
}

std::string formatText(const char* format, ...) {
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

std::string formatLength(double mm, uint32_t units) {
    switch (units) {
    case 1:
        return formatText("%.1f cm", mm / 10.0);
    case 2:
        return formatText("%.2f in", mm / 25.4);
    default:
        return formatText("%.0f mm", mm);
    }
}

std::string formatDimension(double mm, uint32_t units) {
    switch (units) {
    case 1:
        return formatText("%.1f cm", mm / 10.0);
    case 2:
        return formatText("%.2f\"", mm / 25.4);
    default:
        return formatText("%.0f mm", mm);
    }
}

std::string formatCoordinates(double xMm, double yMm, uint32_t units) {
    switch (units) {
    case 1:
        return formatText("%.1f cm,  %.1f cm", xMm / 10.0, yMm / 10.0);
    case 2:
        return formatText("%.2f in,  %.2f in", xMm / 25.4, yMm / 25.4);
    default:
        return formatText("%.0f mm,  %.0f mm", xMm, yMm);
    }
}

} // namespace plandor
