#pragma once
// The folders of this machine as the toolkit reports them.

#include "core/base/Folders.h"

#include <string>
#include <vector>

namespace plandor {

// The folder of the running executable, asked of the system rather than of the toolkit: the
// command line needs it before the toolkit starts. Empty when the system does not say.
std::string executableFolder();

// The layout folder (the executable's folder, or the user's data folder when the program is
// installed where it cannot write), the user's Downloads folder and home folder, and the folder
// of recovery copies.
Folders systemFolders();

// Where files shipped with the program are looked for: beside the executable (build folder),
// then the installed data folder (<prefix>/share/plandor).
std::vector<std::string> shippedDataFolders();

} // namespace plandor
