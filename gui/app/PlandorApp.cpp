#include "app/PlandorApp.h"

#include "app/CommandLine.h"

#include "catalog/TrackCatalog.h"
#include "model/Layout.h"
#include "base/TraceLog.h"
#include "ui/SplashDialog.h"

#include <wx/frame.h>
#include <wx/stdpaths.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

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
// after the main window has been drawn (the splash, which waits for the user, is left out).
bool timingRun() {
    const char* flag = std::getenv("PLANDOR_EXIT_WHEN_IDLE");
    return flag && std::string(flag) == "1";
}

void exitWhenIdle(wxApp& app) {
    app.Bind(wxEVT_IDLE, [&app](wxIdleEvent&) {
        if (wxWindow* top = app.GetTopWindow())
            top->Update();
        app.ExitMainLoop();
    });
}

// The layout file named on the command line, if any (main has already sent every other
// command line elsewhere).
std::string layoutFileArgument(int argc, const wxCmdLineArgsArray& argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(std::string(argv[i].utf8_str()));
    return parseCommandLine(args).layoutPath;
}
} // namespace

bool PlandorApp::OnInit() {
    // main() has parsed the command line, so the base class's parsing is skipped.
    const wxStandardPathsBase& paths = wxStandardPaths::Get();
    const MainWindow window =
        runStartUp(std::string(paths.GetUserLocalDataDir().fn_str()),
                   std::string(paths.GetTempDir().fn_str()), createMainWindow);
    if (!window.frame)
        return false;
    if (const std::string file = layoutFileArgument(argc, argv); !file.empty() && window.openFile)
        window.openFile(file);
    if (timingRun())
        exitWhenIdle(*this);
    else
        showSplash(window.frame);
    return true;
}

int PlandorApp::OnExit() {
    runShutDown();
    return 0;
}

} // namespace plandor
