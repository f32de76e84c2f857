#pragma once
// Library blocks: the selected pieces and scenery of a layout saved to a small XML file, kept
// per track system in "library" beside the layouts, and read back into fresh lists.

#include "core/model/Layout.h"

#include <string>
#include <string_view>
#include <vector>

namespace plandor {

// The block file of the selected pieces and scenery items; pieces keep every joint, also
// those to pieces left out of the selection.
std::string blockFileText(const Layout& layout, const std::string& name);
// Writes the selection to `path`, replacing a file there only once the new one is whole.
// Empty on success, else "No pieces or scenery selected" or the writer's message.
std::string saveBlock(const Layout& layout, const std::string& path, const std::string& name);

// Reads a block's text into fresh lists. Of a piece only its id, part, position, heading and
// joints are taken: the rest is the layout's business, so block pieces lie flat on level 1.
// Nothing read is selected.
void readBlockText(std::string_view text, std::string& name, std::vector<PlacedPiece>& pieces,
                   std::vector<SceneryItem>& scenery);
// The file version of the above; empty on success, else "Cannot open file: " and the path
// (then all three outputs are empty).
std::string loadBlock(const std::string& path, std::string& name, std::vector<PlacedPiece>& pieces,
                      std::vector<SceneryItem>& scenery);

// "library" in the application folder, then the folder of the track system with this
// chooser label.
std::string libraryFolder(const std::string& applicationFolder, const std::string& systemLabel);

// Why a typed block name cannot become a file name in the library folder, or empty when it
// can. Refused: path separators, "..", a leading dot, control characters, over 100 bytes.
std::string blockNameProblem(const std::string& name);
// The block file of a name inside a library folder: folder, separator, name, ".xml".
std::string blockPath(const std::string& folder, const std::string& name);

} // namespace plandor
