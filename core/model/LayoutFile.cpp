#include "model/LayoutFile.h"

namespace plandor {

std::string saveLayout(const Layout&, const std::string& path, const std::string&) {
    return "Cannot open file: " + path;
}

std::string loadLayout(Layout&, const std::string& path, std::string&) {
    return "Cannot open file: " + path;
}

void parsePieces(std::istream&, std::vector<PlacedPiece>&, int32_t&) {}

std::string attributeValue(const std::string&, const std::string&) { return {}; }

} // namespace plandor
