#include "core/editing/InsertBlock.h"
#include "core/base/Translate.h"

#include "core/model/BlockFile.h"
#include "core/model/LayoutFile.h"

#include <algorithm>
#include <unordered_map>

namespace plandor {

namespace {

// The box over every piece origin and scenery position of a (non-empty) block.
Bounds blockBox(const std::vector<PlacedPiece>& pieces, const std::vector<SceneryItem>& scenery) {
    Bounds box;
    for (const PlacedPiece& p : pieces)
        box.add(p.x, p.y);
    for (const SceneryItem& s : scenery)
        box.add(s.x, s.y);
    return box;
}

// Block joints rewritten to the new ids. Each piece's block id names it only when it is the
// last piece with that id, as a joint to that id would have reached it. A joint to the piece
// itself is dropped: no track joins itself.
void remapJoints(std::vector<PlacedPiece>& pieces, const std::vector<int32_t>& newIds) {
    std::unordered_map<int32_t, std::size_t> indexOfBlockId;
    indexOfBlockId.reserve(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i)
        indexOfBlockId[pieces[i].id] = i;

    std::vector<std::vector<Joint>> remapped(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const PlacedPiece& p = pieces[i];
        remapped[i].resize(p.joints.size());
        for (std::size_t c = 0; c < p.joints.size(); ++c) {
            const Joint& j = p.joints[c];
            if (j.isFree())
                continue;
            auto found = indexOfBlockId.find(j.target);
            if (found == indexOfBlockId.end() || indexOfBlockId.at(p.id) != i)
                continue;
            const std::size_t k = found->second;
            const Joint back{p.id, static_cast<int32_t>(c)};
            if (k != i && pieces[k].jointAt(j.targetConn) == back)
                remapped[i][c] = Joint{newIds[k], j.targetConn};
        }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i)
        pieces[i].joints = std::move(remapped[i]);
}

} // namespace

const char* const kBlockTooWide =
    TR_NOOP("The block's pieces lie more than 1,000 km apart, so it cannot be placed.");

std::string blockPlacementProblem(const std::vector<PlacedPiece>& pieces,
                                  const std::vector<SceneryItem>& scenery) {
    if (pieces.empty() && scenery.empty())
        return {};
    // Everything moves so that the smallest x and y land on the origin; the far side must stay
    // where the reader still takes it.
    const Bounds box = blockBox(pieces, scenery);
    if (box.maxX - box.minX > kMaxFileReal || box.maxY - box.minY > kMaxFileReal)
        return tr(kBlockTooWide);
    return {};
}

bool addBlockContent(Layout& layout, std::vector<PlacedPiece> pieces,
                     std::vector<SceneryItem> scenery) {
    if ((pieces.empty() && scenery.empty()) || !blockPlacementProblem(pieces, scenery).empty())
        return false;
    const Bounds box = blockBox(pieces, scenery);
    const Point corner{box.minX, box.minY};

    std::vector<int32_t> newIds;
    newIds.reserve(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i)
        newIds.push_back(layout.takeId());
    remapJoints(pieces, newIds);

    layout.pieces.reserve(layout.pieces.size() + pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        PlacedPiece& p = pieces[i];
        p.id = newIds[i];
        p.x -= corner.x;
        p.y -= corner.y;
        p.selected = false;
        layout.pieces.push_back(std::move(p));
    }
    for (SceneryItem& s : scenery) {
        s.id = layout.takeId();
        s.x -= corner.x;
        s.y -= corner.y;
        s.selected = false;
        layout.scenery.push_back(std::move(s));
    }
    return true;
}

Change insertBlockAsEdit(Document& doc, const std::string& path, Prompter& prompter) {
    std::string name;
    std::vector<PlacedPiece> pieces;
    std::vector<SceneryItem> scenery;
    std::string error = loadBlock(path, name, pieces, scenery);
    if (error.empty())
        error = blockPlacementProblem(pieces, scenery);
    if (!error.empty()) {
        prompter.message(tr("Load Block Failed"), error, PromptIcon::Error);
        return Change{};
    }
    if (pieces.empty() && scenery.empty())
        return Change{};
    return doc.apply([&] {
        addBlockContent(doc.layout, std::move(pieces), std::move(scenery));
        return Change(Change::kPiecesEdited);
    });
}

} // namespace plandor
