#include "core/base/TraceLog.h"
#include "core/base/FilePath.h"
#include "core/base/Folders.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace plandor {

namespace fs = std::filesystem;

namespace {
std::string pathInFolder(const std::string& folder, const char* fileName) {
    return joinPath(folder, fileName);
}
} // namespace

std::string chooseLogFolder(const std::string& preferred, const std::string& fallback) {
    if (preferred.empty())
        return fallback;
    std::error_code ec;
    if (!fs::is_directory(fsPath(preferred), ec))
        fs::create_directories(fsPath(preferred), ec);
    // A path that exists as a plain file, or could not be created, is no folder to log into.
    return fs::is_directory(fsPath(preferred), ec) ? preferred : fallback;
}

std::string formatLogTimestamp(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    const std::time_t seconds = system_clock::to_time_t(when);
    // to_time_t may round to the nearest second; count milliseconds from the second it gives.
    long long millis =
        duration_cast<milliseconds>(when - system_clock::from_time_t(seconds)).count();
    std::time_t shown = seconds;
    if (millis < 0) {
        shown -= 1;
        millis += 1000;
    }
    std::tm local{};
    localtime_r(&shown, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03lld ", local.tm_hour, local.tm_min,
                  local.tm_sec, millis);
    return text;
}

AppLog::~AppLog() {
    close();
}

bool AppLog::open(const std::string& folder) {
    close();
    file_ = openFile(pathInFolder(folder, "plandor.log"), "wb");
    return file_ != nullptr;
}

void AppLog::write(const std::string& message) {
    if (!file_)
        return;
    const std::string line = formatLogTimestamp(std::chrono::system_clock::now()) + message + "\n";
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

void AppLog::close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

bool AppLog::isOpen() const {
    return file_ != nullptr;
}

AppLog& appLog() {
    static AppLog log;
    return log;
}

namespace {
struct TraceState {
    std::string path;
    bool deletePending = false;
};

TraceState& traceState() {
    static TraceState state;
    return state;
}
} // namespace

void setTraceFolder(const std::string& folder) {
    TraceState& state = traceState();
    state.path = pathInFolder(folder, "mainframe.log");
    state.deletePending = true;
}

void traceMainFrame(const std::string& message) {
    TraceState& state = traceState();
    if (state.path.empty())
        return;
    // The file keeps the trace of this run only: the first line of the run removes the old one.
    if (state.deletePending) {
        std::error_code ec;
        fs::remove(fsPath(state.path), ec);
        state.deletePending = false;
    }
    std::FILE* f = openFile(state.path, "ab");
    if (!f)
        return;
    const std::string line = message + "\r\n";
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
}

} // namespace plandor
