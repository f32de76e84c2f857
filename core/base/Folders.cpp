#include "core/base/Folders.h"

#include "core/base/AtomicFile.h"
#include "core/base/FilePath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace plandor {

namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "/\\";
#else
constexpr const char* kSeparators = "/";
#endif

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Regular files of a folder whose names end in `extension`, sorted by name.
std::vector<std::string> filesEndingIn(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(fsPath(folder), ec);
    if (ec)
        return names;
    for (const fs::directory_entry& entry : it) {
        std::error_code typeEc;
        if (!entry.is_regular_file(typeEc))
            continue;
        const std::string name = utf8Path(entry.path().filename());
        if (name.size() > extension.size() && endsWith(name, extension))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// C:\... or \\server\...: the Windows paths that name the same place wherever the program
// runs.
bool isAbsoluteWindowsPath(const std::string& path) {
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || path.rfind("\\\\", 0) == 0;
}

} // namespace

std::string layoutFolderFor(const std::string& executableFolder, bool executableFolderWritable,
                            const UserDataEnvironment& environment) {
    if (executableFolderWritable)
        return executableFolder;
    if (environment.rules == DataFolderRules::Windows) {
        const std::string appData = isAbsoluteWindowsPath(environment.appData)
                                        ? environment.appData
                                        : environment.home + "\\AppData\\Roaming";
        return appData + (appData.back() == '\\' ? "" : "\\") + "Plandor";
    }
    // The base directory rules ignore a relative XDG_DATA_HOME.
    const std::string& xdg = environment.xdgDataHome;
    const std::string dataHome = !xdg.empty() && xdg[0] == '/'
                                     ? xdg
                                     : joinPath(joinPath(environment.home, ".local"), "share");
    return joinPath(dataHome, "plandor");
}

std::string recoveryFolderFor(const std::string& xdgStateHome, const std::string& home) {
    const std::string stateHome = !xdgStateHome.empty() && xdgStateHome[0] == '/'
                                      ? xdgStateHome
                                      : joinPath(joinPath(home, ".local"), "state");
    return joinPath(joinPath(stateHome, "plandor"), "recovery");
}

bool isWritableFolder(const std::string& folder) {
    if (!isFolder(folder))
        return false;
#ifdef _WIN32
    // The file goes away when it is closed.
    const std::string probe = joinPath(folder, ".plandor-write-test.tmp");
    const int fd = ::_wopen(fsPath(probe).c_str(),
                            _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEMPORARY | _O_BINARY, 0600);
    if (fd < 0)
        return false;
    ::_close(fd);
    return true;
#else
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

bool ensureFolder(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(fsPath(folder), ec);
    return isFolder(folder);
}

std::string findFileIn(const std::vector<std::string>& folders, const std::string& fileName) {
    for (const std::string& folder : folders) {
        const std::string path = joinPath(folder, fileName);
        if (fileExists(path))
            return path;
    }
    return {};
}

std::string transferStartFolder(const Folders& folders) {
    if (!folders.downloads.empty() && isFolder(folders.downloads))
        return folders.downloads;
    return folders.home;
}

std::string joinPath(const std::string& folder, const std::string& fileName) {
    if (folder.empty())
        return fileName;
    // Windows takes "/" as well.
    if (std::string(kSeparators).find(folder.back()) != std::string::npos)
        return folder + fileName;
    return folder + "/" + fileName;
}

std::string layoutPath(const std::string& folder, const std::string& name) {
    return joinPath(folder, name + ".plo");
}

std::string layoutNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(kSeparators);
    return dropExtension(slash == std::string::npos ? path : path.substr(slash + 1));
}

bool samePath(const std::string& a, const std::string& b) {
    return fsPath(a).lexically_normal() == fsPath(b).lexically_normal();
}

std::vector<LayoutFileEntry> listLayoutFiles(const std::string& folder) {
    std::vector<LayoutFileEntry> files;
    for (const char* extension : {".plo", ".xml"})
        for (const std::string& file : filesEndingIn(folder, extension))
            files.push_back({dropExtension(file), joinPath(folder, file)});
    return files;
}

std::vector<std::string> sortedLayoutNames(const std::vector<LayoutFileEntry>& files) {
    std::vector<std::string> names;
    for (const LayoutFileEntry& f : files)
        names.push_back(f.name);
    std::sort(names.begin(), names.end());
    return names;
}

const LayoutFileEntry* findLayoutFile(const std::vector<LayoutFileEntry>& files,
                                      const std::string& name) {
    auto it = std::find_if(files.begin(), files.end(),
                           [&](const LayoutFileEntry& f) { return f.name == name; });
    return it == files.end() ? nullptr : &*it;
}

std::vector<std::string> listImportableFiles(const std::string& folder) {
    const std::string dir = trimBlanks(folder);
    if (dir.empty() || !isFolder(dir))
        return {};
    std::vector<std::string> names = filesEndingIn(dir, ".plo");
    for (std::string& xml : filesEndingIn(dir, ".xml"))
        names.push_back(std::move(xml));
    std::sort(names.begin(), names.end());
    return names;
}

std::string trimBlanks(const std::string& text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string dropExtension(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0 ||
        name.find_first_of(kSeparators, dot) != std::string::npos)
        return name;
    return name.substr(0, dot);
}

bool nameLeavesFolder(const std::string& name) {
#ifdef _WIN32
    if (name.find(':') != std::string::npos)
        return true;
#endif
    return name.find_first_of(kSeparators) != std::string::npos || name == "." || name == "..";
}

bool isFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(fsPath(path), ec);
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fsPath(path), ec);
}

bool copyFileReplacing(const std::string& from, const std::string& to) {
    return copyFileAtomically(from, to).empty();
}

bool removeFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(fsPath(path), ec) && !ec;
}

} // namespace plandor
