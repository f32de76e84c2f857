#pragma once
// The layout file (.plo): a line-oriented XML text, one element per line.
// Reading and writing return an empty text on success, else a message for the user.

#include "model/Layout.h"

#include <istream>
#include <string>

namespace plandor {

std::string saveLayout(const Layout& layout, const std::string& path, const std::string& name);

// Replaces the layout's content with the file's; on failure the layout is untouched.
std::string loadLayout(Layout& layout, const std::string& path, std::string& name);

// Reads piece and joint lines up to the end of the piece section (also used for blocks).
void parsePieces(std::istream& in, std::vector<PlacedPiece>& pieces, int32_t& maxId);

// Value of attribute `name` on a line, unescaped; empty when absent.
std::string attributeValue(const std::string& line, const std::string& name);

} // namespace plandor
