#pragma once
// The folders of this machine as the toolkit reports them.

#include "base/Folders.h"

namespace plandor {

// The executable's folder, the user's Downloads folder and home folder.
Folders systemFolders();

} // namespace plandor
