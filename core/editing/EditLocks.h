#pragma once
// Refusals that keep helices whole and tunnels fixed, and the graded-pieces questions, asked
// before a selection is deleted, moved or turned. A refusal changes nothing.

#include "core/base/Prompter.h"
#include "core/model/Layout.h"

#include <string>

namespace plandor {

constexpr const char* kHelixLockedTitle = "Helix track is locked";
constexpr const char* kTunnelLockedTitle = "Tunnel is locked";
constexpr const char* kHelixPartialTitle = "Helix partially selected";
constexpr const char* kHelixPartialText =
    "Selection contains part of a helix. Either select the whole helix (click any of its stubs) "
    "or exclude it from the selection before moving.";
constexpr const char* kGradedMoveTitle = "Move";
constexpr const char* kGradedMoveText =
    "Selection includes graded pieces. Moving will break joints and leave the chain's elevation "
    "inconsistent.\n\nMove anyway? (This warning will not appear again this session.)";
constexpr const char* kGradedDeleteTitle = "Delete";
constexpr const char* kGradedDeleteText = "Selection includes graded pieces. Delete?";

// "Selection includes tunnel track or portals. Remove the tunnel first, then <verb>."
std::string tunnelLockedText(const std::string& verb);
// "... Helix track cannot be <verb>d individually."
std::string helixLockedText(const std::string& verb);

// The helix and tunnel refusal before deleting ("delete") or turning ("rotate"): the first
// selected piece of a helix or under a tunnel, or a selected tunnel portal, is reported and
// the answer is false.
bool canEdit(const Layout& layout, Prompter& prompter, const std::string& verb);

// Some selected piece has a grade beyond the flat tolerance.
bool selectionHasGradedPieces(const Layout& layout);

// The checks before a selection starts moving: whole helices only, no tunnel track or portal
// (helix pieces excepted), and the graded-pieces question unless `gradedMoveAccepted` says it
// was answered Yes earlier in this run (a Yes sets it).
bool canMoveSelection(const Layout& layout, Prompter& prompter, bool& gradedMoveAccepted);

} // namespace plandor
