#include "core/base/Process.h"

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
