#pragma once
// Deleting the selection with its refusals and confirmation.

#include "model/Layout.h"
#include "base/Prompter.h"

namespace plandor {

// Deletes the selected pieces (both halves of a pair), scenery items, labels, measurements and
// polygon shapes, with everything that referred to the removed pieces: grade runs ending at
// them, joints to them, their helices, and tunnels over them. Refused by the helix and tunnel
// locks (unless the selection is one whole helix) and by a No to the graded-pieces question;
// a refusal changes nothing. True when something was deleted.
bool deleteSelection(Layout& layout, Prompter& prompter);

} // namespace plandor
