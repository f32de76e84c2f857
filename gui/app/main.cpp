// Process entry: silences toolkit assertions and drops debug and trace messages before the
// toolkit starts the application.
#include "app/PlandorApp.h"

#include <wx/init.h>
#include <wx/log.h>

#include <cstdlib>

wxIMPLEMENT_APP_NO_MAIN(plandor::PlandorApp);

int main(int argc, char** argv) {
    // GTK probes OpenGL through GDK at start, loading the software GL driver before any window
    // wants it. The 3D view draws through GLX, which this does not touch.
    setenv("GDK_GL", "disable", 0);
    wxSetAssertHandler(nullptr);
    wxLog::SetLogLevel(wxLOG_Info);
    return wxEntry(argc, argv);
}
