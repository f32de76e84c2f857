// Process entry: toolkit assertions stay on except in Release, where they are switched off with
// the debug messages; trace messages are dropped before the toolkit starts the application.
#include "app/PlandorApp.h"

#include <wx/init.h>
#include <wx/log.h>

#include <cstdlib>

wxIMPLEMENT_APP_NO_MAIN(plandor::PlandorApp);

int main(int argc, char** argv) {
    // GTK probes OpenGL through GDK at start, loading the software GL driver before any window
    // wants it. The 3D view draws through GLX, which this does not touch.
    setenv("GDK_GL", "disable", 0);
    wxDISABLE_DEBUG_SUPPORT();
    wxLog::SetLogLevel(wxLOG_Info);
    return wxEntry(argc, argv);
}
