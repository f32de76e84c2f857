#pragma once
// The program keeps every path as UTF-8 text. The file system takes its own encoding: bytes on
// Linux, UTF-16 on Windows. These functions are where the two meet; code that opens, lists or
// names files goes through them, so a layout named "Bahnhof Süd" works on both.

#include <cstdio>
#include <filesystem>
#include <string>

namespace plandor {

std::filesystem::path fsPath(const std::string& utf8);
std::string utf8Path(const std::filesystem::path& path);
// std::fopen for a UTF-8 path.
std::FILE* openFile(const std::string& utf8, const char* mode);

} // namespace plandor
