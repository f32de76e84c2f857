#include "core/base/Process.h"

#ifdef _WIN32

#include <windows.h>

namespace plandor {

namespace {

// The creation time, in 100 ns steps since 1601; empty when the process cannot be asked.
std::string startTimeOf(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user))
        return {};
    const unsigned long long ticks =
        (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    return std::to_string(ticks);
}

} // namespace

ProcessIdentity currentProcess() {
    return ProcessIdentity{static_cast<long>(::GetCurrentProcessId()),
                           startTimeOf(::GetCurrentProcess())};
}

bool processRunning(const ProcessIdentity& process) {
    if (process.pid <= 0)
        return false;
    HANDLE handle =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process.pid));
    if (!handle)
        // Denied: the process exists but belongs to someone else.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD exitCode = 0;
    const bool running = ::GetExitCodeProcess(handle, &exitCode) && exitCode == STILL_ACTIVE;
    const std::string started = startTimeOf(handle);
    ::CloseHandle(handle);
    return running && (process.started.empty() || started.empty() || started == process.started);
}

} // namespace plandor

#else

#include <cerrno>
#include <fstream>
#include <sstream>

#include <signal.h>
#include <unistd.h>

namespace plandor {

namespace {

// Field 22 of /proc/<pid>/stat: the start time in clock ticks since boot. The command name
// (field 2) is in parentheses and may hold blanks, so the fields are counted after its end.
std::string startTimeOf(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!in || !std::getline(in, line))
        return {};
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos)
        return {};
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int i = 3; i <= 22; ++i)
        if (!(fields >> field))
            return {};
    return field;
}

} // namespace

ProcessIdentity currentProcess() {
    const long pid = static_cast<long>(::getpid());
    return ProcessIdentity{pid, startTimeOf(pid)};
}

bool processRunning(const ProcessIdentity& process) {
    if (process.pid <= 0)
        return false;
    // EPERM: the process exists but belongs to someone else.
    if (::kill(static_cast<pid_t>(process.pid), 0) != 0 && errno != EPERM)
        return false;
    const std::string started = startTimeOf(process.pid);
    return process.started.empty() || started.empty() || started == process.started;
}

} // namespace plandor

#endif
