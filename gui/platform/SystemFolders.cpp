#include "gui/platform/SystemFolders.h"

#include "core/base/FilePath.h"
#include "gui/platform/WxText.h"

#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace plandor {

std::string executableFolder() {
#ifdef _WIN32
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return utf8Path(std::filesystem::path(path).parent_path());
#else
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : utf8Path(exe.parent_path());
#endif
}

namespace {
// Recovery copies are the user's state, not shared data: the XDG state folder, or the local
// application-data folder on Windows.
std::string recoveryFolder(const std::string& home) {
#ifdef __WXMSW__
    (void)home;
    return joinPath(fromWx(wxStandardPaths::Get().GetUserLocalDataDir()), "recovery");
#else
    const char* xdg = std::getenv("XDG_STATE_HOME");
    return recoveryFolderFor(xdg ? xdg : "", home);
#endif
}
} // namespace

Folders systemFolders() {
    wxStandardPaths& paths = wxStandardPaths::Get();
    const std::string exe = executableFolder();
    Folders folders;
    folders.home = fromWx(wxGetHomeDir());
    UserDataEnvironment environment;
    environment.xdgDataHome = fromWx(wxGetenv("XDG_DATA_HOME"));
    environment.appData = fromWx(wxGetenv("APPDATA"));
    environment.home = folders.home;
    folders.application = layoutFolderFor(exe, isWritableFolder(exe), environment);
    if (folders.application != exe)
        ensureFolder(folders.application);
    folders.downloads = fromWx(paths.GetUserDir(wxStandardPaths::Dir_Downloads));
    folders.recovery = recoveryFolder(folders.home);
    return folders;
}

std::vector<std::string> shippedDataFolders() {
    const std::string exe = executableFolder();
    return {exe, joinPath(joinPath(joinPath(exe, ".."), "share"), "plandor")};
}

} // namespace plandor
