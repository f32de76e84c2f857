#pragma once
// `plandor --check LAYOUT.plo`: checks a layout file without opening a window, so a club can
// run it over its layouts. One finding per line, tab-separated:
// error|warning, kind, x, y (mm), text.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace plandor {

// Exit codes: no errors, errors found, the file could not be read (or no file was given).
constexpr int kCheckClean = 0;
constexpr int kCheckFoundErrors = 1;
constexpr int kCheckUnreadable = 2; // as every command that reads a layout file

// The exit code when the arguments (without the program name) ask for a check; nothing
// when they do not, and the program starts as usual.
std::optional<int> runCheckCommand(const std::vector<std::string>& args, std::ostream& out,
                                   std::ostream& err);

} // namespace plandor
