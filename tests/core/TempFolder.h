#pragma once
// A new empty folder under the system's temporary folder (the test removes it), and whole
// files read and written as bytes.

#include <cstdio>
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

// What a shell command prints, standard error included.
inline std::string commandOutput(const std::string& commandLine) {
    std::string out;
    if (FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        pclose(pipe);
    }
    return out;
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace plandor
