#include "core/base/FilePath.h"

namespace plandor {

std::filesystem::path fsPath(const std::string& utf8) {
    return std::filesystem::u8path(utf8);
}

std::string utf8Path(const std::filesystem::path& path) {
    return path.u8string();
}

std::FILE* openFile(const std::string& utf8, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return ::_wfopen(fsPath(utf8).c_str(), wideMode.c_str());
#else
    return std::fopen(utf8.c_str(), mode);
#endif
}

} // namespace plandor
