#pragma once
// What the process entry needs from the system before anything else runs.

#include <string>
#include <vector>

namespace plandor {

// The command-line arguments after the program name, as UTF-8. On Windows they are read from
// the wide command line: the narrow argv there is in the ANSI code page and loses any name
// outside it.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Standard output and error as the command-line options need them. On Windows a windowed
// program started from a console prints into that console unless its output is redirected,
// and writes "\n" line ends, as on Linux.
void connectStandardOutput();

} // namespace plandor
