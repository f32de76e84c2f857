// Process entry: toolkit assertions stay on except in Release, where they are switched off with
// the debug messages; trace messages are dropped before the toolkit starts the application.
// The export options run without a window.
#include "app/CommandLine.h"
#include "app/CommandLineRun.h"
#include "app/PlandorApp.h"

#include <wx/init.h>
#include <wx/log.h>

#include <cstdlib>
#include <string>
#include <vector>

wxIMPLEMENT_APP_NO_MAIN(plandor::PlandorApp);

int main(int argc, char** argv) {
    // GTK probes OpenGL through GDK at start, loading the software GL driver before any window
    // wants it. The 3D view draws through GLX, which this does not touch.
    setenv("GDK_GL", "disable", 0);
    wxDISABLE_DEBUG_SUPPORT();
    wxLog::SetLogLevel(wxLOG_Info);
    const plandor::CommandLine line =
        plandor::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.action == plandor::CommandLineAction::OpenWindow)
        return wxEntry(argc, argv);
    return plandor::runCommandLine(line, argc, argv);
}
