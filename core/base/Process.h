#pragma once
// Which process this is, and whether another one still runs. A process id alone is not enough:
// ids are handed out again once a process has ended, so each process is also known by when it
// started.
//
// The system calls live in Process.cpp only, so another platform replaces that one file.

#include <string>

namespace plandor {

struct ProcessIdentity {
    long pid = 0;
    // When the process started, as the system counts it; empty when it cannot be told.
    std::string started;
};

ProcessIdentity currentProcess();
// True while the process of that id runs and, when both start times are known, is the one
// that started then.
bool processRunning(const ProcessIdentity& process);

} // namespace plandor
