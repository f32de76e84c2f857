#pragma once
// The command-line exports: they read one layout, write one file and end, with no window.

#include "core/app/CommandLine.h"

namespace plandor {

// Carries out an export or reports an invalid line on standard error; returns the exit code
// (0 written, 1 the file could not be read or written, 2 a bad command line).
int runCommandLine(const CommandLine& line, int argc, char** argv);

} // namespace plandor
