// Process entry: silences toolkit assertions and drops debug and trace messages before the
// toolkit starts the application.
#include "app/CheckCommand.h"
#include "app/PlandorApp.h"

#include <wx/init.h>
#include <wx/log.h>

#include <iostream>
#include <string>
#include <vector>

wxIMPLEMENT_APP_NO_MAIN(plandor::PlandorApp);

int main(int argc, char** argv) {
    // A check from the command line runs without the toolkit: no window, no display needed.
    if (auto code = plandor::runCheckCommand(std::vector<std::string>(argv + 1, argv + argc),
                                             std::cout, std::cerr))
        return *code;
    wxSetAssertHandler(nullptr);
    wxLog::SetLogLevel(wxLOG_Info);
    return wxEntry(argc, argv);
}
