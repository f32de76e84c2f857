#include "core/document/UndoHistory.h"

#include <string>
#include <vector>

namespace plandor {

namespace {

std::size_t heapBytes(const std::string& s) {
    // Short strings live inside the record.
    return s.capacity() > sizeof(std::string) ? s.capacity() : 0;
}

template <typename T> std::size_t listBytes(const std::vector<T>& list) {
    return list.capacity() * sizeof(T);
}

} // namespace

std::size_t snapshotBytes(const LayoutContent& c) {
    std::size_t bytes = sizeof(LayoutContent);
    bytes += listBytes(c.pieces);
    for (const PlacedPiece& p : c.pieces)
        bytes += heapBytes(p.part) + listBytes(p.joints);
    bytes += listBytes(c.scenery);
    for (const SceneryItem& s : c.scenery)
        bytes += heapBytes(s.item);
    bytes += listBytes(c.labels);
    for (const LayoutLabel& l : c.labels)
        bytes += heapBytes(l.text);
    bytes += listBytes(c.measurements);
    bytes += listBytes(c.shapes);
    for (const PolygonShape& s : c.shapes)
        bytes += listBytes(s.vertices) + heapBytes(s.label);
    bytes += listBytes(c.tunnels);
    for (const Tunnel& t : c.tunnels)
        bytes += listBytes(t.covers);
    bytes += listBytes(c.helices);
    for (const Helix& h : c.helices)
        bytes += heapBytes(h.variant);
    bytes += listBytes(c.gradeRuns);
    return bytes;
}

namespace {

std::size_t settingsBytes(const UndoStepState& s) {
    std::size_t bytes = 0;
    if (s.levels) {
        bytes += listBytes(s.levels->levels);
        for (const Level& l : s.levels->levels)
            bytes += heapBytes(l.name) + listBytes(l.outline);
    }
    if (s.baseboard)
        bytes += listBytes(s.baseboard->outline);
    return bytes;
}

} // namespace

void UndoHistory::push(LayoutContent&& before, UndoStepState settings) {
    for (const Step& s : redo_)
        bytes_ -= s.bytes;
    redo_.clear();
    const std::size_t size = snapshotBytes(before) + settingsBytes(settings);
    undo_.push_back(Step{std::move(before), std::move(settings), size});
    bytes_ += size;
    trim();
}

bool UndoHistory::step(std::deque<Step>& from, std::deque<Step>& to, Layout& current,
                       std::size_t& bytes) {
    if (from.empty())
        return false;
    Step& back = from.back();
    // The opposite step carries the levels and the baseboard whenever this one does.
    UndoStepState opposite;
    if (back.settings.levels) {
        opposite.levels = current.levelState();
        current.restoreLevels(std::move(*back.settings.levels));
    }
    if (back.settings.baseboard) {
        opposite.baseboard = current.baseboardState();
        current.restoreBaseboard(std::move(*back.settings.baseboard));
    }
    const std::size_t size = snapshotBytes(current.content()) + settingsBytes(opposite);
    to.push_back(Step{std::move(current.content()), std::move(opposite), size});
    bytes += size;
    current.content() = std::move(back.content);
    bytes -= from.back().bytes;
    from.pop_back();
    return true;
}

bool UndoHistory::undo(Layout& current) {
    return step(undo_, redo_, current, bytes_);
}

bool UndoHistory::redo(Layout& current) {
    if (!step(redo_, undo_, current, bytes_))
        return false;
    trim();
    return true;
}

void UndoHistory::trim() {
    while (undo_.size() > 1 && (undo_.size() > kMaxUndoSteps || bytes_ > budget_)) {
        bytes_ -= undo_.front().bytes;
        undo_.pop_front();
    }
}

void UndoHistory::clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
}

} // namespace plandor
