#include "core/base/AtomicFile.h"
#include "core/base/Translate.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plandor {

namespace fs = std::filesystem;

namespace {

// A name nobody else uses at the same moment; the exclusive create settles any clash.
constexpr int kNameTries = 64;

std::string uniqueTempName(const fs::path& target) {
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device random;
    std::string suffix;
    for (int i = 0; i < 10; ++i)
        suffix += kDigits[random() % 36];
    // Hidden and ending in ".tmp", so no folder listing of layouts or blocks shows it.
    return (target.parent_path() / ("." + target.filename().string() + "." + suffix + ".tmp"))
        .string();
}

// The POSIX side; a Windows port replaces these functions.
namespace sys {

int createExclusive(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

// 0 on success, else errno.
int writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

int flushAndClose(int fd) {
    int error = ::fsync(fd) == 0 ? 0 : errno;
    // Some file systems cannot flush; what matters is that every write got through.
    if (error == EINVAL || error == EROFS)
        error = 0;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// The new file keeps the mode of the one it replaces.
void copyMode(int fd, const std::string& from) {
    struct stat st {};
    if (::stat(from.c_str(), &st) == 0)
        (void)::fchmod(fd, st.st_mode & 07777);
}

// Whether an existing file may be written: replacing must not get round a file the user
// may not change. Opening it for appending asks without changing it.
bool mayWrite(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

int renameOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// The rename is made durable by flushing the folder; it has happened whatever this says.
void flushFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

void removeFile(const std::string& path) {
    ::unlink(path.c_str());
}

void closeQuietly(int fd) {
    ::close(fd);
}

bool isFull(int error) {
    return error == ENOSPC || error == EDQUOT;
}

} // namespace sys

} // namespace

AtomicFile::AtomicFile(const std::string& path) : path_(path), target_(path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path real = fs::canonical(path, ec);
        if (!ec)
            target_ = real.string();
    }
    targetExisted_ = fs::exists(target_, ec);
    if (targetExisted_ && !sys::mayWrite(target_)) {
        error_ = EACCES;
        return;
    }
    for (int i = 0; i < kNameTries && fd_ < 0; ++i) {
        temp_ = uniqueTempName(target_);
        fd_ = sys::createExclusive(temp_);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        error_ = errno ? errno : EEXIST;
        return;
    }
    opened_ = true;
    if (targetExisted_)
        sys::copyMode(fd_, target_);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0)
        sys::closeQuietly(fd_);
    if (opened_ && !committed_)
        sys::removeFile(temp_);
}

bool AtomicFile::write(const void* data, std::size_t size) {
    if (error_ != 0)
        return false;
    error_ = sys::writeAll(fd_, static_cast<const char*>(data), size);
    return error_ == 0;
}

std::string AtomicFile::commit() {
    if (error_ == 0) {
        error_ = sys::flushAndClose(fd_);
        fd_ = -1;
    }
    if (error_ == 0)
        error_ = sys::renameOver(temp_, target_);
    if (error_ != 0)
        return message();
    committed_ = true;
    sys::flushFolder(fs::path(target_).parent_path().string());
    return {};
}

std::string AtomicFile::message() const {
    if (!opened_)
        return tr("Cannot open file: ") + path_;
    std::string text = tr("Cannot write file: ") + path_;
    if (sys::isFull(error_))
        text += "\n" + tr("The disk is full.");
    if (targetExisted_)
        text += "\n" + tr("The file that was there is unchanged.");
    return text;
}

std::string writeFileReplacing(const std::string& path, std::string_view content) {
    AtomicFile file(path);
    file.write(content);
    return file.commit();
}

std::string copyFileAtomically(const std::string& from, const std::string& to) {
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in)
        return tr("Cannot open file: ") + from;
    AtomicFile file(to);
    char chunk[1 << 16];
    std::size_t n = 0;
    while (!file.failed() && (n = std::fread(chunk, 1, sizeof chunk, in)) > 0)
        file.write(chunk, n);
    const bool readFailed = std::ferror(in) != 0;
    std::fclose(in);
    if (readFailed)
        return tr("Cannot read file: ") + from; // the uncommitted copy is removed
    return file.commit();
}

} // namespace plandor
