#pragma once
// Replacing a file so that it holds either its old content or the whole new one, never a
// part: the new content goes to a fresh file of a unique name in the same folder (created
// exclusively, so no file or link already there is written through), every write is checked,
// the file is flushed to the disk and then renamed over the target, and the folder is flushed
// so the rename itself survives a power cut. Layouts, library blocks, parts lists, plan
// exports and layout copies are all written this way.
//
// The system calls live in AtomicFile.cpp only, so another platform replaces that one file.

#include <cstddef>
#include <string>
#include <string_view>

namespace plandor {

class AtomicFile {
  public:
    // Creates the unique file beside `path` (a link at `path` is followed: the file it points
    // to is the one replaced). failed() tells whether that worked.
    explicit AtomicFile(const std::string& path);
    // A file never committed is removed; the target stays as it was.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends bytes; false once any write has failed (later writes are not tried).
    bool write(const void* data, std::size_t size);
    bool write(std::string_view text) { return write(text.data(), text.size()); }
    bool failed() const { return error_ != 0; }

    // Flushes, closes and renames over the target. Empty on success, else the message for
    // the user, which says that the file at the path was left as it was.
    std::string commit();

  private:
    std::string message() const;

    std::string path_;   // as given, for messages
    std::string target_; // the file replaced
    std::string temp_;
    int fd_ = -1;
    int error_ = 0; // the first failure's errno
    bool opened_ = false;
    bool committed_ = false;
    bool targetExisted_ = false;
};

// Writes `content` to `path` through an AtomicFile; empty on success, else the message:
// "Cannot open file: " and the path when nothing could be created there, "Cannot write
// file: " and the path (with why, and that the old file is unchanged) when writing failed.
std::string writeFileReplacing(const std::string& path, std::string_view content);

// Copies a file the same way; empty on success, else the message.
std::string copyFileAtomically(const std::string& from, const std::string& to);

} // namespace plandor
