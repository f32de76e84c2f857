// Process entry: silences toolkit assertions and drops debug and trace messages before the
// toolkit starts the application; the export options run without a window.
#include "app/CommandLine.h"
#include "app/CommandLineRun.h"
#include "app/PlandorApp.h"

#include <wx/init.h>
#include <wx/log.h>

#include <string>
#include <vector>

wxIMPLEMENT_APP_NO_MAIN(plandor::PlandorApp);

int main(int argc, char** argv) {
    wxSetAssertHandler(nullptr);
    wxLog::SetLogLevel(wxLOG_Info);
    const plandor::CommandLine line =
        plandor::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.action == plandor::CommandLineAction::OpenWindow)
        return wxEntry(argc, argv);
    return plandor::runCommandLine(line, argc, argv);
}
