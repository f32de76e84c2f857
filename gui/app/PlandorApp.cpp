#include "app/PlandorApp.h"

#include "catalog/TrackCatalog.h"
#include "model/Layout.h"
#include "base/TraceLog.h"
#include "ui/SplashDialog.h"

#include <wx/frame.h>
#include <wx/stdpaths.h>

#include <cstdlib>
#include <exception>

namespace plandor {

namespace {
// Builds the window, turning a throw into a logged line and a null frame.
MainWindow buildLogged(const MainWindowBuilder& build) {
    try {
        MainWindow window = build();
        appLog().write("MainFrame created OK");
        return window;
    } catch (const std::exception& e) {
        appLog().write(std::string("EXCEPTION: ") + e.what());
    } catch (...) {
        appLog().write("UNKNOWN EXCEPTION in MainFrame");
    }
    return MainWindow{};
}
} // namespace

MainWindow runStartUp(const std::string& preferredLogFolder, const std::string& fallbackLogFolder,
                      const MainWindowBuilder& build) {
    const std::string folder = chooseLogFolder(preferredLogFolder, fallbackLogFolder);
    setTraceFolder(folder);
    AppLog& log = appLog();
    log.open(folder);
    log.write("=== Plandor starting ===");
    log.write("Built-in catalog loaded - " + std::to_string(TrackCatalog::instance().count()) +
              " pieces");
    log.write("Creating MainFrame...");
    MainWindow window = buildLogged(build);
    if (!window.frame)
        return window;
    window.frame->Show();
    log.write("Show OK");
    if (window.layout)
        window.layout->ensureDefaultLevel();
    return window;
}

void runShutDown() {
    appLog().write("OnExit");
    appLog().close();
}

namespace {
// For start-up timings: PLANDOR_EXIT_WHEN_IDLE=1 ends the program at the first idle moment
// after the main window has been drawn.
void exitWhenIdleIfAsked(wxApp& app) {
    const char* flag = std::getenv("PLANDOR_EXIT_WHEN_IDLE");
    if (!flag || std::string(flag) != "1")
        return;
    app.Bind(wxEVT_IDLE, [&app](wxIdleEvent&) {
        if (wxWindow* top = app.GetTopWindow())
            top->Update();
        app.ExitMainLoop();
    });
}
} // namespace

bool PlandorApp::OnInit() {
    // The program reads no command line, so the base class's parsing is skipped.
    const wxStandardPathsBase& paths = wxStandardPaths::Get();
    const MainWindow window =
        runStartUp(std::string(paths.GetUserLocalDataDir().fn_str()),
                   std::string(paths.GetTempDir().fn_str()), createMainWindow);
    if (!window.frame)
        return false;
    showSplash(window.frame);
    exitWhenIdleIfAsked(*this);
    return true;
}

int PlandorApp::OnExit() {
    runShutDown();
    return 0;
}

} // namespace plandor
