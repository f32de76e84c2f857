#include "editing/InsertBlock.h"

#include "model/BlockFile.h"

#include <algorithm>
#include <unordered_map>

namespace plandor {

namespace {

// Below this the smallest coordinate was lowered by something the block holds.
constexpr double kNoCorner = 1e8;

Point blockMinimumCorner(const std::vector<PlacedPiece>& pieces,
                         const std::vector<SceneryItem>& scenery) {
    Point low{1e9, 1e9};
    for (const PlacedPiece& p : pieces) {
        low.x = std::min(low.x, p.x);
        low.y = std::min(low.y, p.y);
    }
    for (const SceneryItem& s : scenery) {
        low.x = std::min(low.x, s.x);
        low.y = std::min(low.y, s.y);
    }
    return {low.x < kNoCorner ? low.x : 0, low.y < kNoCorner ? low.y : 0};
}

// Block joints rewritten to the new ids. Each piece's block id names it only when it is the
// last piece with that id, as a joint to that id would have reached it.
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
            const bool self = k == i && j.targetConn == static_cast<int32_t>(c);
            const Joint back{p.id, static_cast<int32_t>(c)};
            if (!self && pieces[k].jointAt(j.targetConn) == back)
                remapped[i][c] = Joint{newIds[k], j.targetConn};
        }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i)
        pieces[i].joints = std::move(remapped[i]);
}

} // namespace

bool addBlockContent(Layout& layout, std::vector<PlacedPiece> pieces,
                     std::vector<SceneryItem> scenery) {
    if (pieces.empty() && scenery.empty())
        return false;
    const Point corner = blockMinimumCorner(pieces, scenery);

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
    const std::string error = loadBlock(path, name, pieces, scenery);
    if (!error.empty()) {
        prompter.message("Load Block Failed", error, PromptIcon::Error);
        return Change{};
    }
    return doc.apply([&] {
        return addBlockContent(doc.layout, std::move(pieces), std::move(scenery))
                   ? Change(Change::kPiecesEdited)
                   : Change{};
    });
}

} // namespace plandor
