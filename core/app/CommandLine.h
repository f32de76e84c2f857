#pragma once
// The program's command line: without arguments it opens its window, with one layout file it
// opens the window on that layout; the export options
// write a picture of the plan or the parts list of a layout file and end, showing no window.

#include "core/app/ShopMap.h"
#include "core/model/Layout.h"
#include "core/render/PlanExport.h"

#include <string>
#include <vector>

namespace plandor {

enum class CommandLineAction { OpenWindow, ExportPlan, ExportParts, Invalid };

struct CommandLine {
    CommandLineAction action = CommandLineAction::OpenWindow;
    std::string output;       // the file to write
    std::string layoutPath;   // the layout to read (to open in the window, or to export)
    PlanExportOptions plan;   // format from the output's extension, scale and paper
    std::string error;        // why the line is Invalid
    std::string tracksOutput; // the parts list's second file: the track-length table
};

// The arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The lines printed with an error.
std::string commandLineUsage();

// Exit codes of the commands that run without a window: done; the output could not be
// written; the layout file was refused (every command refuses the same files, --check too).
constexpr int kExitDone = 0;
constexpr int kExitWriteFailed = 1;
constexpr int kExitUnreadable = 2;

struct CommandResult {
    int exitCode = kExitDone;
    std::string message; // empty when done
};

// Reads the layout a command works on; kExitUnreadable with the reader's message when the
// file cannot be read, is no layout, or is cut off.
CommandResult readLayoutForCommand(const std::string& path, Layout& layout);

// Reads the layout and writes its parts list, and the track lengths when `tracksOutput` is
// given.
CommandResult exportPartsFile(const std::string& layoutPath, const std::string& output,
                              const ShopMap& shop, const std::string& tracksOutput = "");

} // namespace plandor
