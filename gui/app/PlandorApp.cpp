#include "gui/app/PlandorApp.h"

#include "core/app/CommandLine.h"
#include "core/app/FileCommands.h"
#include "core/app/MainWindowRules.h"

#include "core/base/TraceLog.h"
#include "core/base/Translate.h"
#include "core/catalog/TrackCatalog.h"
#include "core/elevation/Grades.h"
#include "core/model/Layout.h"
#include "gui/platform/ThemePictures.h"
#include "gui/platform/WxText.h"
#include "gui/ui/SplashDialog.h"

#include <wx/frame.h>
#include <wx/stdpaths.h>
#include <wx/timer.h>
#include <wx/weakref.h>

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
#include <ctime>
#include <exception>
#include <future>
#include <memory>
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

void reportWallClock(const char* what) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "%s: at %lld.%09ld\n", what, static_cast<long long>(now.tv_sec),
                 now.tv_nsec);
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

double processCpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// For timings of the running window: PLANDOR_REPORT_INPUT=1 reports, for each press of the left
// mouse button (a piece is dropped with a press), the wall and CPU time from the moment the
// program got it to the first idle moment after the window had painted what it changed.
bool inputTimingRun() {
    const char* flag = std::getenv("PLANDOR_REPORT_INPUT");
    return flag && std::string(flag) == "1";
}

struct InputTiming {
    bool waiting = false;
    bool painted = false;
    double wall = 0, cpu = 0;
    std::string where; // the class of the window pressed
};

InputTiming& inputTiming() {
    static InputTiming timing;
    return timing;
}

void reportInputAtIdle(wxApp& app) {
    app.Bind(wxEVT_IDLE, [](wxIdleEvent& event) {
        event.Skip();
        InputTiming& t = inputTiming();
        if (!t.waiting || !t.painted)
            return;
        t.waiting = false;
        std::fprintf(stderr, "press to idle: wall %.2f ms, cpu %.2f ms, in %s\n",
                     (wallSeconds() - t.wall) * 1e3, (processCpuSeconds() - t.cpu) * 1e3,
                     t.where.c_str());
    });
}

void noteInput(const wxEvent& event) {
    InputTiming& t = inputTiming();
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN) {
        const wxObject* pressed = event.GetEventObject();
        const wxClassInfo* info = pressed ? pressed->GetClassInfo() : nullptr;
        t = InputTiming{true, false, wallSeconds(), processCpuSeconds(),
                        info ? std::string(wxString(info->GetClassName()).utf8_str()) : ""};
    } else if (type == wxEVT_PAINT && t.waiting) {
        t.painted = true;
    }
}

void exitWhenIdle(wxApp& app) {
    app.Bind(wxEVT_IDLE, [&app, reported = false](wxIdleEvent&) mutable {
        // Idle while the layout is still being read is not the idle of an opened window.
        if (reported || stillReading())
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

// The file being read, and how far.
struct Reading {
    std::future<LoadedLayout> result;
    std::shared_ptr<std::atomic<int>> percent;
};

// Reads the layout on a second thread; where no thread can be started, when it is asked for.
Reading startReading(const std::string& path) {
    auto percent = std::make_shared<std::atomic<int>>(-1);
    const auto read = [path, percent] {
        return loadLayoutCopyReporting(path, Layout{},
                                       [&percent](int done) { percent->store(done); });
    };
    try {
        return {std::async(std::launch::async, read), percent};
    } catch (const std::system_error&) {
        return {std::async(std::launch::deferred, read), percent};
    }
}

// The file being read ahead, and the name it was given by.
struct ReadAhead {
    std::string given;
    Reading reading;
};

ReadAhead& readAhead() {
    static ReadAhead ahead;
    return ahead;
}

// What was read for the file given as `given`, started here unless main has started it.
Reading takeReading(const std::string& given) {
    ReadAhead& ahead = readAhead();
    if (ahead.given == given && ahead.reading.result.valid())
        return std::move(ahead.reading);
    return startReading(commandLinePath(given));
}

// A layout named at start is opened once the window has shown, so that the window appears
// as soon as it is built and the plan fills in after. A file still being read by then is
// named in the status bar with the share read so far, and the window takes no input until it
// is there.
class PendingOpen : public wxTimer {
  public:
    PendingOpen(const MainWindow& window, std::string given, std::future<LoadedLayout> reading,
                ReadingProgress progress)
        : window_(window), frame_(window.frame), given_(std::move(given)),
          reading_(std::move(reading)), progress_(std::move(progress)) {
        if (!ready()) {
            showProgress();
            frame_->Disable();
        }
        Start(kPollMs);
    }
    bool done() const { return done_; }

    void Notify() override {
        if (done_)
            return;
        if (!ready()) {
            showProgress();
            return;
        }
        Stop();
        done_ = true;
        if (!frame_) // closed while the file was read
            return;
        frame_->Enable();
        // Opening says what it found; a file that could not be read leaves the window ready.
        if (frame_->GetStatusBar())
            frame_->SetStatusText(wxString::FromUTF8(tr(kReadyStatus)), kMessageField);
        window_.openFile(given_, reading_.get());
    }

  private:
    bool ready() const {
        return reading_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }

    // The file's name, and the share read once the reader has told one.
    void showProgress() {
        const int percent = progress_ ? progress_->load() : -1;
        if (!frame_ || !frame_->GetStatusBar() || (shown_ && percent == shownPercent_))
            return;
        shown_ = true;
        shownPercent_ = percent;
        const std::string text =
            percent < 0 ? readingStatusText(given_) : readingStatusText(given_, percent);
        frame_->SetStatusText(wxString::FromUTF8(text), kMessageField);
    }

    static constexpr int kPollMs = 20;
    MainWindow window_;
    wxWeakRef<wxFrame> frame_;
    std::string given_;
    std::future<LoadedLayout> reading_;
    ReadingProgress progress_;
    bool shown_ = false;
    int shownPercent_ = -1;
    bool done_ = false;
};

std::unique_ptr<PendingOpen>& pendingOpen() {
    static std::unique_ptr<PendingOpen> pending;
    return pending;
}

} // namespace

bool stillReading() {
    return pendingOpen() && !pendingOpen()->done();
}

void openWhenRead(const MainWindow& window, const std::string& given,
                  std::future<LoadedLayout> reading, ReadingProgress progress) {
    pendingOpen() =
        std::make_unique<PendingOpen>(window, given, std::move(reading), std::move(progress));
}

namespace {

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
    Reading reading;
    if (!file.empty())
        reading = takeReading(file);
    drawRadioDotsFromPictures();
    const wxStandardPathsBase& paths = wxStandardPaths::Get();
    const MainWindow window = runStartUp(fromWx(paths.GetUserLocalDataDir()),
                                         fromWx(paths.GetTempDir()), createMainWindow);
    if (!window.frame)
        return false;
    if (reading.result.valid() && window.openFile)
        openWhenRead(window, file, std::move(reading.result), std::move(reading.percent));
    reportInput_ = inputTimingRun();
    if (reportInput_)
        reportInputAtIdle(*this);
    if (timingRun()) {
        reportFirstPaint_ = true;
        exitWhenIdle(*this);
    } else
        showSplashThenOfferRecovery(window);
    return true;
}

void startReadingLayout(const std::string& given) {
    readAhead() = ReadAhead{given, startReading(commandLinePath(given))};
}

int PlandorApp::FilterEvent(wxEvent& event) {
    if (reportInput_)
        noteInput(event);
    // The moment the window first draws, for the start-up timings.
    if (reportFirstPaint_ && event.GetEventType() == wxEVT_PAINT) {
        reportFirstPaint_ = false;
        reportWallClock("shown");
    }
    return Event_Skip;
}

wxLayoutDirection PlandorApp::GetLayoutDirection() const {
    return wxLayout_LeftToRight;
}

int PlandorApp::OnExit() {
    pendingOpen().reset();
    runShutDown();
    return 0;
}

} // namespace plandor
