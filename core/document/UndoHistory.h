#pragma once
// Undo and redo: whole copies of the layout's undoable content, the newest last. At most
// kMaxUndoSteps are kept, and fewer when the layout is so large that their estimated size
// would pass the memory budget (the newest step always stays).

#include "core/model/Layout.h"

#include <cstddef>
#include <deque>
#include <optional>

namespace plandor {

constexpr std::size_t kMaxUndoSteps = 50;
constexpr std::size_t kUndoMemoryBudget = std::size_t{256} << 20;

// What a step carries besides the content: the level list when the edit changed what lies
// on the levels, the baseboard when it changed the baseboard (both are otherwise not undone).
struct UndoStepState {
    std::optional<LevelState> levels;
    std::optional<BaseboardState> baseboard;
};

// Bytes one snapshot of the content holds, estimated from its records and their lists.
std::size_t snapshotBytes(const LayoutContent& content);

class UndoHistory {
  public:
    explicit UndoHistory(std::size_t budgetBytes = kUndoMemoryBudget) : budget_(budgetBytes) {}

    // The content as it was before an edit, with the level list or baseboard that the edit
    // changed; the redo steps are dropped.
    void push(LayoutContent&& before, UndoStepState settings = {});
    // Puts the last step into `current`, keeping what it held for redo (and the other way
    // round). False when there is no step.
    bool undo(Layout& current);
    bool redo(Layout& current);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    std::size_t undoDepth() const { return undo_.size(); }
    std::size_t redoDepth() const { return redo_.size(); }
    std::size_t bytes() const { return bytes_; }
    void clear();

  private:
    struct Step {
        LayoutContent content;
        UndoStepState settings;
        std::size_t bytes = 0;
    };
    static bool step(std::deque<Step>& from, std::deque<Step>& to, Layout& current,
                     std::size_t& bytes);
    void trim();

    std::size_t budget_;
    std::size_t bytes_ = 0; // both lists
    std::deque<Step> undo_;
    std::deque<Step> redo_;
};

} // namespace plandor
