#include "core/base/AtomicFile.h"
#include "core/base/FilePath.h"
#include "core/base/Translate.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

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
    return utf8Path(target.parent_path() /
                    fsPath("." + utf8Path(target.filename()) + "." + suffix + ".tmp"));
}

#ifndef _WIN32

// The POSIX side.
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

#else

// The Windows side: the C runtime's descriptors on UTF-16 names. A file is replaced by
// MoveFileEx, which (unlike rename) may replace, and waits for the move to reach the disk.
namespace sys {

int createExclusive(const std::string& path) {
    return ::_wopen(fsPath(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

int writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
        const int n = ::_write(fd, data, chunk);
        if (n < 0)
            return errno;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

int flushAndClose(int fd) {
    int error = ::_commit(fd) == 0 ? 0 : errno;
    if (::_close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// A read-only file stays read-only: the rename carries the new file's attributes.
void copyMode(int, const std::string&) {}

bool mayWrite(const std::string& path) {
    const int fd = ::_wopen(fsPath(path).c_str(), _O_WRONLY | _O_APPEND | _O_BINARY);
    if (fd < 0)
        return false;
    ::_close(fd);
    return true;
}

int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return EACCES;
    default:
        return EIO;
    }
}

int renameOver(const std::string& from, const std::string& to) {
    if (::MoveFileExW(fsPath(from).c_str(), fsPath(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return errnoOf(::GetLastError());
}

void flushFolder(const std::string&) {}

void removeFile(const std::string& path) {
    ::_wunlink(fsPath(path).c_str());
}

void closeQuietly(int fd) {
    ::_close(fd);
}

bool isFull(int error) {
    return error == ENOSPC;
}

} // namespace sys

#endif

} // namespace

AtomicFile::AtomicFile(const std::string& path) : path_(path), target_(path) {
    std::error_code ec;
    if (fs::is_symlink(fsPath(path), ec)) {
        const fs::path real = fs::canonical(fsPath(path), ec);
        if (!ec)
            target_ = utf8Path(real);
    }
    targetExisted_ = fs::exists(fsPath(target_), ec);
    if (targetExisted_ && !sys::mayWrite(target_)) {
        error_ = EACCES;
        return;
    }
    for (int i = 0; i < kNameTries && fd_ < 0; ++i) {
        temp_ = uniqueTempName(fsPath(target_));
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
    sys::flushFolder(utf8Path(fsPath(target_).parent_path()));
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
    std::FILE* in = openFile(from, "rb");
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
