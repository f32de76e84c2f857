#include "gui/app/PlandorApp.h"

#include "core/app/CommandLine.h"
#include "core/app/FileCommands.h"

#include "core/base/TraceLog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"
#include "gui/platform/WxText.h"
#include "gui/ui/SplashDialog.h"

#include <wx/frame.h>
#include <wx/stdpaths.h>

#ifdef _WIN32
#include <psapi.h>
#include <windows.h>
#else
#include <sys/resource.h>
#include <time.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <future>
#include <string>
#include <system_error>
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
// after the main window has been drawn (the splash, which waits for the user, is left out),
// and reports the CPU time and peak memory used up to that moment on standard error, so the
// figure leaves out the tearing down that follows; the moment itself is given as wall-clock
// seconds, for the caller to take its own start from.
bool timingRun() {
    const char* flag = std::getenv("PLANDOR_EXIT_WHEN_IDLE");
    return flag && std::string(flag) == "1";
}

#ifdef _WIN32
void reportUsageAtIdle() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return double((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
               1e7;
    };
    PROCESS_MEMORY_COUNTERS memory{};
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto whole = std::chrono::duration_cast<std::chrono::seconds>(now);
    std::fprintf(stderr, "idle: cpu %.3f s, peak rss %ld KiB, at %lld.%09ld\n",
                 seconds(kernel) + seconds(user),
                 static_cast<long>(memory.PeakWorkingSetSize / 1024),
                 static_cast<long long>(whole.count()),
                 static_cast<long>(
                     std::chrono::duration_cast<std::chrono::nanoseconds>(now - whole).count()));
}
#else
void reportUsageAtIdle() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "idle: cpu %.3f s, peak rss %ld KiB, at %lld.%09ld\n",
                 seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss,
                 static_cast<long long>(now.tv_sec), now.tv_nsec);
}
#endif

void exitWhenIdle(wxApp& app) {
    app.Bind(wxEVT_IDLE, [&app, reported = false](wxIdleEvent&) mutable {
        if (reported)
            return;
        reported = true;
        if (wxWindow* top = app.GetTopWindow())
            top->Update();
        reportUsageAtIdle();
        app.ExitMainLoop();
    });
}

// The question about recovery copies comes once the window and the splash have shown.
void showSplashThenOfferRecovery(const MainWindow& window) {
    showSplash(window.frame);
    if (window.offerRecovery)
        window.offerRecovery();
}

// Reads the layout on a second thread; where no thread can be started, when it is asked for.
std::future<LoadedLayout> startReading(const std::string& path) {
    const auto read = [path] { return loadLayoutCopy(path); };
    try {
        return std::async(std::launch::async, read);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, read);
    }
}

// The file being read ahead, and the name it was given by.
struct ReadAhead {
    std::string given;
    std::future<LoadedLayout> result;
};

ReadAhead& readAhead() {
    static ReadAhead ahead;
    return ahead;
}

// What was read for the file given as `given`, started here unless main has started it.
std::future<LoadedLayout> takeReading(const std::string& given) {
    ReadAhead& ahead = readAhead();
    if (ahead.given == given && ahead.result.valid())
        return std::move(ahead.result);
    return startReading(commandLinePath(given));
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
    // main() has parsed the command line, so the base class's parsing is skipped. A layout
    // named there is read on a second thread while the window is built.
    const std::string file = layoutFileArgument(argc, argv);
    std::future<LoadedLayout> reading;
    if (!file.empty())
        reading = takeReading(file);
    const wxStandardPathsBase& paths = wxStandardPaths::Get();
    const MainWindow window = runStartUp(fromWx(paths.GetUserLocalDataDir()),
                                         fromWx(paths.GetTempDir()), createMainWindow);
    if (!window.frame)
        return false;
    if (reading.valid() && window.openFile)
        window.openFile(file, reading.get());
    if (timingRun())
        exitWhenIdle(*this);
    else
        showSplashThenOfferRecovery(window);
    return true;
}

void startReadingLayout(const std::string& given) {
    readAhead() = ReadAhead{given, startReading(commandLinePath(given))};
}

wxLayoutDirection PlandorApp::GetLayoutDirection() const {
    return wxLayout_LeftToRight;
}

int PlandorApp::OnExit() {
    runShutDown();
    return 0;
}

} // namespace plandor
