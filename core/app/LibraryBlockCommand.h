#pragma once
// "Save as Library Block...": the selection check, the name prompt, the library folder and
// every message around writing the block file.

#include "core/base/Prompter.h"
#include "core/model/Layout.h"

#include <functional>
#include <string>

namespace plandor {

// Saves the selection as a block in `libraryFolder` (created when missing). Names that would
// leave the folder are refused, and an existing block is replaced only after a Yes. Once the
// block is written `saved` runs (the palette reloads its library list), then "Block saved: "
// is shown. True when the block was written.
bool saveAsLibraryBlock(const Layout& layout, Prompter& prompter, const std::string& libraryFolder,
                        const std::function<void()>& saved = {});

} // namespace plandor
