#pragma once
// Shared helpers of the editing tests.

#include "LayoutBuilder.h"
#include "ScriptedPrompter.h"
#include "core/document/Document.h"

namespace plandor::testing {

// Runs an operation as the commands do, as one edit of the document: `op` returns whether it
// changed the layout, and only then is an undo step taken.
template <typename Op> bool editStep(Document& doc, Op op) {
    Edit edit = doc.begin();
    const bool changed = op();
    edit.commit(changed ? Change(Change::kPiecesEdited) : Change{});
    return changed;
}

} // namespace plandor::testing
