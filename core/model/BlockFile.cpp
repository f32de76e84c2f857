#include "core/model/BlockFile.h"
#include "core/base/Translate.h"

#include "core/base/Folders.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/LayoutFile.h"

#include <algorithm>

namespace plandor {

namespace {

constexpr std::size_t kMaxBlockNameBytes = 100;

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
        return tr("No pieces or scenery selected");
    return writeFileReplacing(path, blockFileText(layout, name));
}

void readBlockText(std::string_view text, std::string& name, std::vector<PlacedPiece>& pieces,
                   std::vector<SceneryItem>& scenery) {
    name.clear();
    pieces.clear();
    scenery.clear();
    std::vector<PlacedPiece> read;
    readBlockLines(text, name, read, scenery);
    pieces.reserve(read.size());
    for (PlacedPiece& p : read)
        pieces.push_back(blockPiece(std::move(p)));
    for (SceneryItem& item : scenery)
        item.selected = false;
}

std::string loadBlock(const std::string& path, std::string& name, std::vector<PlacedPiece>& pieces,
                      std::vector<SceneryItem>& scenery) {
    name.clear();
    pieces.clear();
    scenery.clear();
    std::string content;
    if (readWholeFile(path, content) != FileRead::Ok)
        return tr("Cannot open file: ") + path;
    readBlockText(content, name, pieces, scenery);
    return {};
}

std::string libraryFolder(const std::string& applicationFolder, const std::string& systemLabel) {
    return joinPath(joinPath(applicationFolder, "library"), libraryFolderForLabel(systemLabel));
}

std::string blockNameProblem(const std::string& name) {
    if (name.find_first_of("/\\") != std::string::npos)
        return tr("A block name may not contain \"/\" or \"\\\".");
    if (name.find("..") != std::string::npos)
        return tr("A block name may not contain \"..\".");
    if (!name.empty() && name.front() == '.')
        return tr("A block name may not start with a dot.");
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f)
            return tr("A block name may not contain control characters.");
    if (name.size() > kMaxBlockNameBytes)
        return tr("A block name may not be longer than 100 bytes.");
    return {};
}

std::string blockPath(const std::string& folder, const std::string& name) {
    return joinPath(folder, name + ".xml");
}

} // namespace plandor
