#include "core/base/Units.h"

#include <cstdarg>
#include <cstdio>
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

std::string formatLength(double mm, Units units) {
    switch (units) {
    case Units::Centimetres:
        return formatText("%.1f cm", mm / 10.0);
    case Units::Inches:
        return formatText("%.2f in", mm / 25.4);
    case Units::Millimetres:
        break;
    }
    return formatText("%.0f mm", mm);
}

std::string formatDimension(double mm, Units units) {
    switch (units) {
    case Units::Centimetres:
        return formatText("%.1f cm", mm / 10.0);
    case Units::Inches:
        return formatText("%.2f\"", mm / 25.4);
    case Units::Millimetres:
        break;
    }
    return formatText("%.0f mm", mm);
}

std::string formatCoordinates(double xMm, double yMm, Units units) {
    switch (units) {
    case Units::Centimetres:
        return formatText("%.1f cm,  %.1f cm", xMm / 10.0, yMm / 10.0);
    case Units::Inches:
        return formatText("%.2f in,  %.2f in", xMm / 25.4, yMm / 25.4);
    case Units::Millimetres:
        break;
    }
    return formatText("%.0f mm,  %.0f mm", xMm, yMm);
}

} // namespace plandor
