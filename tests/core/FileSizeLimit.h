#pragma once
// Makes every write past `bytes` into any file fail, as on a full disk, for as long as it
// lives: the process's file size limit, with the signal that would end the process ignored.

#include <cstddef>

#ifdef _WIN32

namespace plandor {

// Windows has no such limit: the tests that need one are skipped there.
constexpr bool kFileSizeCanBeLimited = false;

struct FileSizeLimit {
    explicit FileSizeLimit(std::size_t) {}
};

} // namespace plandor

#else

#include <csignal>

#include <sys/resource.h>

namespace plandor {

constexpr bool kFileSizeCanBeLimited = true;

class FileSizeLimit {
  public:
    explicit FileSizeLimit(std::size_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace plandor

#endif
