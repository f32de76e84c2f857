#include "core/editing/Selection.h"

#include "core/catalog/TrackCatalog.h"
#include "core/model/LevelFilter.h"
#include "core/model/PieceIndex.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <unordered_set>

namespace plandor {

void clearSelection(Layout& layout) {
    for (PlacedPiece& p : layout.pieces)
        p.selected = false;
    for (SceneryItem& s : layout.scenery)
        s.selected = false;
    for (LayoutLabel& l : layout.labels)
        l.selected = false;
    for (Measurement& m : layout.measurements)
        m.selected = false;
    for (PolygonShape& s : layout.shapes)
        s.selected = false;
}

void selectAll(Layout& layout) {
    for (PlacedPiece& p : layout.pieces)
        p.selected = true;
    for (SceneryItem& s : layout.scenery)
        s.selected = true;
}

bool anythingSelected(const Layout& layout) {
    auto selected = [](const auto& r) { return r.selected; };
    return std::any_of(layout.pieces.begin(), layout.pieces.end(), selected) ||
           std::any_of(layout.scenery.begin(), layout.scenery.end(), selected) ||
           std::any_of(layout.labels.begin(), layout.labels.end(), selected) ||
           std::any_of(layout.measurements.begin(), layout.measurements.end(), selected) ||
           std::any_of(layout.shapes.begin(), layout.shapes.end(), selected);
}

bool piecesOrScenerySelected(const Layout& layout) {
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected)
            return true;
    for (const SceneryItem& s : layout.scenery)
        if (s.selected)
            return true;
    return false;
}

std::vector<std::size_t> selectedPieceIndices(const Layout& layout) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < layout.pieces.size(); ++i)
        if (layout.pieces[i].selected)
            out.push_back(i);
    return out;
}

int32_t selectedHelixId(const Layout& layout) {
    for (const SceneryItem& s : layout.scenery)
        if (s.selected)
            return -1;
    int32_t helix = -1;
    for (const PlacedPiece& p : layout.pieces) {
        if (!p.selected)
            continue;
        if (p.helix == -1 || (helix != -1 && p.helix != helix))
            return -1;
        helix = p.helix;
    }
    return helix;
}

bool selectionIsOneWholeHelix(const Layout& layout) {
    const int32_t helix = selectedHelixId(layout);
    if (helix == -1)
        return false;
    for (const PlacedPiece& p : layout.pieces)
        if (p.helix == helix && !p.selected)
            return false;
    return true;
}

bool selectHelixOf(Layout& layout, int32_t pieceId) {
    const PlacedPiece* piece = layout.findPiece(pieceId);
    if (!piece || piece->helix == -1)
        return false;
    const int32_t helix = piece->helix;
    for (PlacedPiece& p : layout.pieces)
        if (p.helix == helix)
            p.selected = true;
    return true;
}

void expandToWholeHelices(Layout& layout) {
    std::unordered_set<int32_t> helices;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected && p.helix != -1)
            helices.insert(p.helix);
    if (helices.empty())
        return;
    for (PlacedPiece& p : layout.pieces)
        if (p.helix != -1 && helices.count(p.helix))
            p.selected = true;
}

void addPairedHalves(Layout& layout) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    auto isPaired = [&](const PlacedPiece& p) {
        const PieceDef* def = catalog.find(p.part);
        return def && def->isPaired;
    };
    const PieceIndex index(layout);
    std::vector<int> toSelect;
    for (const PlacedPiece& p : layout.pieces) {
        if (!p.selected || !isPaired(p))
            continue;
        for (const Joint& j : p.joints) {
            const int other = j.isFree() ? -1 : index.find(j.target);
            if (other >= 0 && isPaired(layout.pieces[other]))
                toSelect.push_back(other);
        }
    }
    for (int i : toSelect)
        layout.pieces[i].selected = true;
}

bool selectChain(Layout& layout, int32_t fromId, int32_t toId) {
    const PieceIndex index(layout);
    const int from = index.find(fromId);
    const int to = index.find(toId);
    if (from < 0 || to < 0)
        return false;
    std::vector<int> parent(layout.pieces.size(), -2);
    std::deque<int> queue{from};
    parent[from] = -1;
    while (!queue.empty() && parent[to] == -2) {
        const int current = queue.front();
        queue.pop_front();
        for (const Joint& j : layout.pieces[current].joints) {
            if (j.isFree())
                continue;
            const int next = index.find(j.target);
            if (next < 0 || parent[next] != -2)
                continue;
            parent[next] = current;
            queue.push_back(next);
        }
    }
    if (parent[to] == -2)
        return false;
    for (int i = to; i != -1; i = parent[i])
        layout.pieces[i].selected = true;
    return true;
}

namespace {

int32_t lastSelectedPieceId(const Layout& layout) {
    for (auto it = layout.pieces.rbegin(); it != layout.pieces.rend(); ++it)
        if (it->selected)
            return it->id;
    return -1;
}

void lengthenJoints(PlacedPiece& piece) {
    if (const PieceDef* def = TrackCatalog::instance().find(piece.part))
        if (piece.joints.size() < def->connectors.size())
            piece.joints.resize(def->connectors.size());
}

} // namespace

void clickPiece(Layout& layout, int32_t pieceId, bool ctrl, bool shift) {
    PlacedPiece* piece = layout.findPiece(pieceId);
    if (!piece)
        return;
    if (shift) {
        const int32_t last = lastSelectedPieceId(layout);
        if (last == -1 || last == pieceId || !selectChain(layout, last, pieceId))
            piece->selected = !piece->selected;
    } else if (ctrl) {
        piece->selected = !piece->selected;
    } else if (!piece->selected) {
        clearSelection(layout);
        if (!selectHelixOf(layout, pieceId))
            piece->selected = true;
    }
    expandToWholeHelices(layout);
    lengthenJoints(*layout.findPiece(pieceId));
}

void clickEmptyCanvas(Layout& layout, Clipboard& clipboard) {
    clearSelection(layout);
    clipboard.clear();
}

bool rubberBandSelect(Layout& layout, Clipboard& clipboard, const ViewTransform& view,
                      ScreenPoint start, ScreenPoint end) {
    clipboard.clear();
    if (std::abs(end.x - start.x) < 5 && std::abs(end.y - start.y) < 5)
        return false;
    const int left = std::min(start.x, end.x), right = std::max(start.x, end.x);
    const int top = std::min(start.y, end.y), bottom = std::max(start.y, end.y);
    auto inside = [&](double wx, double wy) {
        const ScreenPoint s = view.toScreen(wx, wy);
        return s.x >= left && s.x <= right && s.y >= top && s.y <= bottom;
    };
    const HiddenLevels hidden(layout);
    for (PlacedPiece& p : layout.pieces)
        if (!hidden.hides(p.level) && inside(p.x, p.y))
            p.selected = true;
    for (SceneryItem& s : layout.scenery)
        if (!hidden.hides(s.level) && inside(s.x, s.y))
            s.selected = true;
    expandToWholeHelices(layout);
    return true;
}

} // namespace plandor
