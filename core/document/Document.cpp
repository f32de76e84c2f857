#include "core/document/Document.h"

#include <algorithm>

namespace plandor {

Edit::Edit(Document& doc)
    : doc_(&doc), before_(doc.layout.content()), beforeLevels_(doc.layout.levelState()),
      beforeBaseboard_(doc.layout.baseboardState()) {
    ++doc.editsBegun_;
}

Edit::Edit(Edit&& other) noexcept
    : doc_(std::exchange(other.doc_, nullptr)), before_(std::move(other.before_)),
      beforeLevels_(std::move(other.beforeLevels_)),
      beforeBaseboard_(std::move(other.beforeBaseboard_)) {}

Edit& Edit::operator=(Edit&& other) noexcept {
    doc_ = std::exchange(other.doc_, nullptr);
    before_ = std::move(other.before_);
    beforeLevels_ = std::move(other.beforeLevels_);
    beforeBaseboard_ = std::move(other.beforeBaseboard_);
    return *this;
}

Change Edit::commit(Change what) {
    if (!doc_)
        return Change{};
    Document& doc = *std::exchange(doc_, nullptr);
    if ((what.parts & Change::kUndoable) == 0) {
        if (what.has(Change::SavedSettings)) {
            doc.modified = true;
            what.parts |= Change::FileName;
            what.modified = true;
        }
        return what;
    }
    UndoStepState settings;
    if (what.has(Change::Levels))
        settings.levels = std::move(beforeLevels_);
    if (what.has(Change::Baseboard))
        settings.baseboard = std::move(beforeBaseboard_);
    doc.history_.push(std::move(before_), std::move(settings));
    doc.modified = true;
    what.parts |= Change::FileName; // the title shows the modified mark
    what.modified = true;
    return what;
}

namespace {
Change replacedLayout() {
    Change c(Change::kEverything);
    return c;
}
} // namespace

Change Document::commitWithoutUndo(Change what) {
    if (!what.any())
        return what;
    modified = true;
    what.parts |= Change::FileName;
    what.modified = true;
    return what;
}

Change Document::undo() {
    endGestures();
    if (!history_.undo(layout))
        return Change{};
    modified = true;
    Change c = replacedLayout();
    c.modified = true;
    return c;
}

Change Document::redo() {
    endGestures();
    if (!history_.redo(layout))
        return Change{};
    modified = true;
    Change c = replacedLayout();
    c.modified = true;
    return c;
}

Change Document::replace(Layout&& fresh, std::string newPath, std::string newName) {
    endGestures();
    layout = std::move(fresh);
    history_.clear();
    path = std::move(newPath);
    name = std::move(newName);
    modified = false;
    return replacedLayout();
}

Change Document::saved(std::string newPath, std::string newName) {
    path = std::move(newPath);
    name = std::move(newName);
    modified = false;
    return Change(Change::FileName);
}

Change Document::forgetPath() {
    path.clear();
    return Change(Change::FileName);
}

void Document::addGestureEnder(const void* owner, std::function<void()> end) {
    removeGestureEnder(owner);
    gestureEnders_.emplace_back(owner, std::move(end));
}

void Document::removeGestureEnder(const void* owner) {
    gestureEnders_.erase(std::remove_if(gestureEnders_.begin(), gestureEnders_.end(),
                                        [owner](const auto& e) { return e.first == owner; }),
                         gestureEnders_.end());
}

void Document::endGestures() {
    // A copy: an ender may commit an edit, which never changes this list, but stay safe.
    const auto enders = gestureEnders_;
    for (const auto& e : enders)
        e.second();
}

} // namespace plandor
