#include "core/model/BlockFile.h"

#include "core/base/Folders.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/LayoutFile.h"

#include <algorithm>
#include <sstream>

namespace plandor {

namespace {

constexpr std::size_t kMaxBlockNameBytes = 100;

bool contains(std::string_view line, std::string_view tag) {
    return line.find(tag) != std::string_view::npos;
}

// The fields a block carries for a piece; everything else starts from a new piece's values,
// with a joint entry for every catalogue connector as a freshly placed piece has.
PlacedPiece blockPiece(PlacedPiece&& read) {
    PlacedPiece p = makePlacedPiece(read.part);
    p.id = read.id;
    p.x = read.x;
    p.y = read.y;
    p.heading = read.heading;
    if (read.joints.size() > p.joints.size())
        p.joints.resize(read.joints.size());
    std::copy(read.joints.begin(), read.joints.end(), p.joints.begin());
    return p;
}

void readBlockScenery(std::string_view text, std::string& name, std::vector<SceneryItem>& scenery) {
    bool inScenery = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.find('<') == std::string_view::npos)
            continue;
        if (contains(line, "<block "))
            name = attributeValue(std::string(line), "name");
        if (contains(line, "<scenery>"))
            inScenery = true;
        if (inScenery && contains(line, "<sceneryitem ")) {
            if (std::optional<SceneryItem> item = readSceneryItemLine(line)) {
                item->selected = false;
                scenery.push_back(std::move(*item));
            }
        }
        if (contains(line, "</scenery>"))
            inScenery = false;
    }
}

} // namespace

std::string blockFileText(const Layout& layout, const std::string& name) {
    std::vector<PlacedPiece> pieces;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected)
            pieces.push_back(p);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<block name=\"" + escapeText(name) + "\" version=\"1\">\n";
    appendPieceLines(out, pieces, 2);
    bool sceneryOpen = false;
    for (const SceneryItem& item : layout.scenery) {
        if (!item.selected)
            continue;
        if (!sceneryOpen)
            out += "  <scenery>\n";
        sceneryOpen = true;
        SceneryItem written = item;
        written.selected = false;
        appendSceneryItemLine(out, written, 4);
    }
    if (sceneryOpen)
        out += "  </scenery>\n";
    out += "</block>\n";
    return out;
}

std::string saveBlock(const Layout& layout, const std::string& path, const std::string& name) {
    const auto selected = [](const auto& r) { return r.selected; };
    if (std::none_of(layout.pieces.begin(), layout.pieces.end(), selected) &&
        std::none_of(layout.scenery.begin(), layout.scenery.end(), selected))
        return "No pieces or scenery selected";
    return writeFileReplacing(path, blockFileText(layout, name));
}

void readBlockText(std::string_view text, std::string& name, std::vector<PlacedPiece>& pieces,
                   std::vector<SceneryItem>& scenery) {
    name.clear();
    pieces.clear();
    scenery.clear();
    // The piece reader stops at "</block>" and skips the scenery lines between.
    std::istringstream in{std::string(text)};
    std::vector<PlacedPiece> read;
    int32_t maxId = 0;
    parsePieces(in, read, maxId);
    pieces.reserve(read.size());
    for (PlacedPiece& p : read)
        pieces.push_back(blockPiece(std::move(p)));
    readBlockScenery(text, name, scenery);
}

std::string loadBlock(const std::string& path, std::string& name, std::vector<PlacedPiece>& pieces,
                      std::vector<SceneryItem>& scenery) {
    name.clear();
    pieces.clear();
    scenery.clear();
    std::string content;
    if (readWholeFile(path, content) != FileRead::Ok)
        return "Cannot open file: " + path;
    readBlockText(content, name, pieces, scenery);
    return {};
}

std::string libraryFolder(const std::string& applicationFolder, const std::string& systemLabel) {
    return joinPath(joinPath(applicationFolder, "library"), libraryFolderForLabel(systemLabel));
}

std::string blockNameProblem(const std::string& name) {
    if (name.find_first_of("/\\") != std::string::npos)
        return "A block name may not contain \"/\" or \"\\\".";
    if (name.find("..") != std::string::npos)
        return "A block name may not contain \"..\".";
    if (!name.empty() && name.front() == '.')
        return "A block name may not start with a dot.";
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f)
            return "A block name may not contain control characters.";
    if (name.size() > kMaxBlockNameBytes)
        return "A block name may not be longer than 100 bytes.";
    return {};
}

std::string blockPath(const std::string& folder, const std::string& name) {
    return joinPath(folder, name + ".xml");
}

} // namespace plandor
