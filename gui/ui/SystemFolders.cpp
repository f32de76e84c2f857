#include "ui/SystemFolders.h"

#include "ui/WxText.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace plandor {

Folders systemFolders() {
    wxStandardPaths& paths = wxStandardPaths::Get();
    Folders folders;
    folders.application = fromWx(wxFileName(paths.GetExecutablePath()).GetPath());
    folders.downloads = fromWx(paths.GetUserDir(wxStandardPaths::Dir_Downloads));
    folders.home = fromWx(wxGetHomeDir());
    return folders;
}

} // namespace plandor
