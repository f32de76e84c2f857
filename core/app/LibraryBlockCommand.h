#pragma once
// "Save as Library Block...": the selection check, the name prompt, the library folder and
// every message around writing the block file.

#include "base/Prompter.h"
#include "model/Layout.h"

#include <string>

namespace plandor {

// Saves the selection as a block in `libraryFolder` (created when missing). Names that would
// leave the folder are refused, and an existing block is replaced only after a Yes. True
// when the block was written, so the palette's library list needs reloading.
bool saveAsLibraryBlock(const Layout& layout, Prompter& prompter, const std::string& libraryFolder);

} // namespace plandor
