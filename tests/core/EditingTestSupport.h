#pragma once
// Shared helpers of the editing tests: a prompter that records what it was asked and answers
// from a script, and quick ways to lay pieces down.

#include "document/Document.h"
#include "catalog/TrackCatalog.h"
#include "model/Layout.h"
#include "base/Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace plandor::testing {

struct Prompt {
    std::string title;
    std::string text;
    PromptIcon icon;
};

class ScriptedPrompter : public Prompter {
  public:
    std::vector<Prompt> shown;
    std::deque<PromptAnswer> answers; // answers to questions, in order; No when exhausted

    void message(const std::string& title, const std::string& text, PromptIcon icon) override {
        shown.push_back({title, text, icon});
    }
    PromptAnswer askYesNo(const std::string& title, const std::string& text, PromptIcon icon,
                          bool) override {
        shown.push_back({title, text, icon});
        return next();
    }
    PromptAnswer askYesNoCancel(const std::string& title, const std::string& text,
                                PromptIcon icon) override {
        shown.push_back({title, text, icon});
        return next();
    }
    bool askText(const std::string& title, const std::string& text, const std::string&,
                 std::string&) override {
        shown.push_back({title, text, PromptIcon::Question});
        return false;
    }
    int choose(const std::string& title, const std::string& text,
               const std::vector<std::string>&) override {
        shown.push_back({title, text, PromptIcon::Question});
        return -1;
    }

  private:
    PromptAnswer next() {
        if (answers.empty())
            return PromptAnswer::No;
        PromptAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
};

// Appends a piece with the next id (no undo step) and returns its id.
inline int32_t put(Layout& layout, const std::string& part, double x, double y, double heading = 0,
                   int32_t level = 1) {
    PlacedPiece p = makePlacedPiece(part);
    p.id = layout.takeId();
    p.x = x;
    p.y = y;
    p.heading = heading;
    p.level = level;
    layout.pieces.push_back(p);
    return p.id;
}

inline Layout emptyLayout() {
    Layout layout;
    layout.ensureDefaultLevel();
    return layout;
}

// Runs an operation as the commands do, as one edit of the document: `op` returns whether it
// changed the layout, and only then is an undo step taken.
template <typename Op> bool editStep(Document& doc, Op op) {
    Edit edit = doc.begin();
    const bool changed = op();
    edit.commit(changed ? Change(Change::kPiecesEdited) : Change{});
    return changed;
}

// World position and heading of connector c of a placed piece.
inline Pose connectorOf(const Layout& layout, int32_t id, int c) {
    const PlacedPiece* p = layout.findPiece(id);
    return worldConnector(Pose{p->x, p->y, p->heading}, *TrackCatalog::instance().find(p->part), c);
}

// The joint is stored on both pieces.
inline bool joinedBothWays(const Layout& layout, int32_t a, int ca, int32_t b, int cb) {
    const PlacedPiece* pa = layout.findPiece(a);
    const PlacedPiece* pb = layout.findPiece(b);
    return pa && pb && pa->jointAt(ca).target == b && pa->jointAt(ca).targetConn == cb &&
           pb->jointAt(cb).target == a && pb->jointAt(cb).targetConn == ca;
}

inline int freeJointCount(const PlacedPiece& p) {
    int n = 0;
    for (const Joint& j : p.joints)
        n += j.isFree();
    return n;
}

} // namespace plandor::testing
