#pragma once
// A new empty folder under the system's temporary folder (the test removes it), and whole
// files read and written as bytes.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace plandor {

inline std::string tempFolder() {
#ifdef _WIN32
    std::random_device random;
    for (int i = 0; i < 100; ++i) {
        const auto path = std::filesystem::temp_directory_path() /
                          ("plandor-" + std::to_string(random() % 1000000000u));
        std::error_code ec;
        if (std::filesystem::create_directory(path, ec))
            return path.u8string();
    }
    return {};
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "plandor-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
#endif
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// What a shell command prints, standard error included.
inline std::string commandOutput(const std::string& commandLine) {
    std::string out;
#ifdef _WIN32
    FILE* pipe = _popen((commandLine + " 2>&1").c_str(), "r");
#else
    FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
#endif
    if (pipe) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
#ifdef _WIN32
        _pclose(pipe);
#else
        pclose(pipe);
#endif
    }
    return out;
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << text;
}

} // namespace plandor
