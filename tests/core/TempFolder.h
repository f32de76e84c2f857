#pragma once
// A new empty folder under the system's temporary folder (the test removes it), and whole
// files read and written as bytes.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace plandor {

inline std::string tempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plandor-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace plandor
