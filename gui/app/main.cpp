// Process entry: toolkit assertions stay on except in Release, where they are switched off with
// the debug messages; trace messages are dropped before the toolkit starts the application.
// The check and export options run without a window.
#include "core/app/CheckCommand.h"
#include "core/app/CommandLine.h"
#include "gui/app/CommandLineRun.h"
#include "gui/app/PlandorApp.h"
#include "gui/app/ProgramStart.h"
#include "gui/ui/Translations.h"

#include <wx/init.h>
#include <wx/log.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

wxIMPLEMENT_APP_NO_MAIN(plandor::PlandorApp);

int main(int argc, char** argv) {
    plandor::connectStandardOutput();
    const std::vector<std::string> args = plandor::commandLineArguments(argc, argv);
    // Messages to people speak the user's language; machine-readable output stays English.
    plandor::installTranslations();
    // A check from the command line runs without the toolkit: no window, no display needed.
    if (auto code = plandor::runCheckCommand(args, std::cout, std::cerr))
        return *code;
    if (auto code = plandor::runTracksCommand(args, std::cout, std::cerr))
        return *code;
        // GTK probes OpenGL through GDK at start, loading the software GL driver before any window
        // wants it. The 3D view draws through GLX, which this does not touch.
#ifndef _WIN32
    setenv("GDK_GL", "disable", 0);
#endif
    wxDISABLE_DEBUG_SUPPORT();
    wxLog::SetLogLevel(wxLOG_Info);
    const plandor::CommandLine line = plandor::parseCommandLine(args);
    if (line.action == plandor::CommandLineAction::OpenWindow) {
        if (!line.layoutPath.empty())
            plandor::startReadingLayout(line.layoutPath);
        return wxEntry(argc, argv);
    }
    return plandor::runCommandLine(line, argc, argv);
}
