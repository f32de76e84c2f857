#pragma once
// The open document: the layout, its undo history, where it lives on disk, its display name
// and whether it has unsaved changes. The main window owns one. Every change of the layout
// goes through an Edit (or undo, redo, replace), which keeps the history and the modified flag
// and reports one Change.

#include "core/document/Change.h"
#include "core/document/UndoHistory.h"
#include "core/model/Layout.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace plandor {

struct Document;

// One edit in progress: opened before the layout changes, committed after. An edit that is
// never committed (or committed with no undoable part) leaves no undo step.
class Edit {
  public:
    Edit(Edit&& other) noexcept;
    Edit& operator=(Edit&& other) noexcept;
    Edit(const Edit&) = delete;
    Edit& operator=(const Edit&) = delete;
    ~Edit() = default;

    // Ends the edit. When `what` has an undoable part, the content as it was when the edit
    // began becomes one undo step (with the level list when `what` has Levels, with the
    // baseboard when it has Baseboard) and the document is marked modified; SavedSettings
    // alone marks it modified without a step.
    // Returns `what` with `modified` set accordingly; an edit already ended returns no change.
    Change commit(Change what);
    bool open() const { return doc_ != nullptr; }

  private:
    friend struct Document;
    explicit Edit(Document& doc);

    Document* doc_ = nullptr;
    LayoutContent before_;
    LevelState beforeLevels_;
    BaseboardState beforeBaseboard_;
};

struct Document {
    Layout layout;
    std::string path; // empty for a layout never saved or opened
    std::string name; // the name stored in the file
    bool modified = false;

    explicit Document(std::size_t undoBudgetBytes = kUndoMemoryBudget)
        : history_(undoBudgetBytes) {}
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    Edit begin() { return Edit(*this); }
    // Runs `edit` (which changes the layout and returns the Change it made, empty when it
    // refused) inside one Edit.
    template <typename Fn> Change apply(Fn&& edit) {
        Edit e = begin();
        return e.commit(edit());
    }

    // A change the history does not keep (a label dragged into place): the document is
    // marked modified all the same. Returns `what` as a commit would.
    Change commitWithoutUndo(Change what);

    Change undo();
    Change redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    std::size_t undoDepth() const { return history_.undoDepth(); }
    const UndoHistory& history() const { return history_; }
    // How many edits have begun on this document: a refusal checks before it opens one, so that
    // it copies nothing, and the tests compare the count around an operation.
    std::size_t editsBegun() const { return editsBegun_; }

    // New, Open and Import: another layout takes this one's place with an empty history and no
    // unsaved changes.
    Change replace(Layout&& fresh, std::string newPath, std::string newName);
    // Save and Save As wrote the layout under this path and name.
    Change saved(std::string newPath, std::string newName);
    // The file was deleted from under the open layout: the next Save asks for a name.
    Change forgetPath();

    // Whoever holds a gesture that refers into the layout (the canvas) ends it here before
    // the layout is replaced; an edit it keeps open is committed first.
    void addGestureEnder(const void* owner, std::function<void()> end);
    void removeGestureEnder(const void* owner);

  private:
    friend class Edit;
    void endGestures();

    UndoHistory history_;
    std::size_t editsBegun_ = 0;
    std::vector<std::pair<const void*, std::function<void()>>> gestureEnders_;
};

} // namespace plandor
