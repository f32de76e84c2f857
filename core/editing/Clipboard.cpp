#include "core/editing/Clipboard.h"

#include "core/editing/Selection.h"

#include <unordered_map>
#include <unordered_set>

namespace plandor {

namespace {

bool copiedWhole(const Helix& h, const std::unordered_set<int32_t>& copied) {
    return copied.count(h.bottomR1) && copied.count(h.bottomR2) && copied.count(h.topR1) &&
           copied.count(h.topR2);
}

} // namespace

void copySelection(const Layout& layout, Clipboard& clipboard) {
    std::vector<PlacedPiece> copies;
    std::unordered_set<int32_t> copied;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected) {
            copies.push_back(p);
            copied.insert(p.id);
        }
    if (copies.empty())
        return;
    clipboard.pieces = std::move(copies);
    clipboard.helices.clear();
    for (const Helix& h : layout.helices)
        if (copiedWhole(h, copied))
            clipboard.helices.push_back(h);
}

namespace {

// A helix copied whole comes back as a new helix around the pasted pieces, built from the
// copied record so that it sits where its pasted stubs are; pieces of a helix that was not
// copied whole become plain track, so that no helix ever claims more than its own four pieces.
void pasteHelices(Layout& layout, const Clipboard& clipboard, std::size_t firstPasted,
                  const std::unordered_map<int32_t, int32_t>& newIds, double dx, double dy) {
    std::unordered_map<int32_t, int32_t> newHelixIds;
    for (const Helix& original : clipboard.helices) {
        Helix copy = original;
        copy.id = layout.takeId();
        copy.cx += dx;
        copy.cy += dy;
        copy.bottomR1 = newIds.at(original.bottomR1);
        copy.bottomR2 = newIds.at(original.bottomR2);
        copy.topR1 = newIds.at(original.topR1);
        copy.topR2 = newIds.at(original.topR2);
        newHelixIds[original.id] = copy.id;
        layout.helices.push_back(std::move(copy));
    }
    for (std::size_t i = firstPasted; i < layout.pieces.size(); ++i) {
        PlacedPiece& p = layout.pieces[i];
        if (p.helix == -1)
            continue;
        const auto it = newHelixIds.find(p.helix);
        p.helix = it == newHelixIds.end() ? -1 : it->second;
    }
}

} // namespace

bool pasteAt(Layout& layout, const Clipboard& clipboard, Point world) {
    if (clipboard.empty())
        return false;
    double mx = 0, my = 0;
    for (const PlacedPiece& p : clipboard.pieces) {
        mx += p.x;
        my += p.y;
    }
    const double n = static_cast<double>(clipboard.pieces.size());
    const double dx = world.x - mx / n, dy = world.y - my / n;

    std::unordered_map<int32_t, int32_t> newIds;
    for (const PlacedPiece& p : clipboard.pieces)
        newIds.emplace(p.id, layout.takeId());

    clearSelection(layout);
    const std::size_t firstPasted = layout.pieces.size();
    layout.pieces.reserve(firstPasted + clipboard.pieces.size());
    for (const PlacedPiece& source : clipboard.pieces) {
        PlacedPiece p = source;
        p.id = newIds.at(source.id);
        p.x += dx;
        p.y += dy;
        p.selected = true;
        for (Joint& j : p.joints) {
            auto it = j.isFree() ? newIds.end() : newIds.find(j.target);
            j = it == newIds.end() ? Joint{} : Joint{it->second, j.targetConn};
        }
        layout.pieces.push_back(std::move(p));
    }
    pasteHelices(layout, clipboard, firstPasted, newIds, dx, dy);
    return true;
}

} // namespace plandor
