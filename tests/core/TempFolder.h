#pragma once
// A new empty folder under the system's temporary folder; the test removes it.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace plandor {

inline std::string tempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plandor-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

} // namespace plandor
