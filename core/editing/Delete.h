#pragma once
// Deleting the selection with its refusals and confirmation.

#include "core/base/Prompter.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <unordered_set>

namespace plandor {

// Deletes the selected pieces (both halves of a pair), scenery items, labels, measurements and
// polygon shapes, with everything that referred to the removed pieces: grade runs ending at
// them, joints to them, their helices, and tunnels over them. Refused by the helix and tunnel
// locks (unless the selection is one whole helix) and by a No to the graded-pieces question;
// a refusal changes nothing. True when something was deleted.
bool deleteSelection(Layout& layout, Prompter& prompter);

// Removes the pieces with these ids and what referred to them: joints, grade runs ending at
// them, their helices and the tunnels over them (with the portals). No undo step.
void removePieces(Layout& layout, const std::unordered_set<int32_t>& removed);

} // namespace plandor
