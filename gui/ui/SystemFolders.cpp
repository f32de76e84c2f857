#include "ui/SystemFolders.h"

#include "ui/WxText.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <cstdlib>

namespace plandor {

namespace {
std::string executableFolder() {
    return fromWx(wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath());
}
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
