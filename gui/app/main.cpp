// Process entry: silences toolkit assertions and drops debug and trace messages before the
// toolkit starts the application.
#include "app/PlandorApp.h"

#include <wx/init.h>
#include <wx/log.h>

wxIMPLEMENT_APP_NO_MAIN(plandor::PlandorApp);

int main(int argc, char** argv) {
    wxSetAssertHandler(nullptr);
    wxLog::SetLogLevel(wxLOG_Info);
    return wxEntry(argc, argv);
}
