#pragma once
// The two start-up logs: "plandor.log" (timestamped, kept open, flushed per line) and
// "mainframe.log" (the main window's construction trace, reopened per line, "\r\n" ends,
// deleted by the first line of each run). Both live in one log folder.

#include <chrono>
#include <cstdio>
#include <string>

namespace plandor {

// Picks the log folder: `preferred`, created with its parents when missing; when it
// still does not exist, `fallback`. Returns the folder to use.
std::string chooseLogFolder(const std::string& preferred, const std::string& fallback);

// The application log's line prefix for a moment: local time "%H:%M:%S.%l " with
// milliseconds, e.g. "14:03:07.042 ".
std::string formatLogTimestamp(std::chrono::system_clock::time_point when);

// The application log. Silent while it is not open.
class AppLog {
  public:
    AppLog() = default;
    ~AppLog();
    AppLog(const AppLog&) = delete;
    AppLog& operator=(const AppLog&) = delete;

    // Opens (truncating) "plandor.log" in the folder; false when it cannot be opened.
    bool open(const std::string& folder);
    // Writes "%H:%M:%S.%l " + message + "\n" and flushes.
    void write(const std::string& message);
    void close();
    bool isOpen() const;

  private:
    std::FILE* file_ = nullptr;
};

// The process-wide application log used by start-up and exit.
AppLog& appLog();

// Sets the folder of "mainframe.log"; the next trace line deletes the old file first.
void setTraceFolder(const std::string& folder);
// Appends message + "\r\n" to "mainframe.log"; skipped silently when it cannot be written.
void traceMainFrame(const std::string& message);

} // namespace plandor
