#pragma once
// The one translation of the toolkit's keys into the key strokes that name commands: the main
// window's shortcuts and the canvas's keys both read events through it.

#include "core/base/CommandIds.h"

class wxKeyEvent;

namespace plandor {

KeyStroke keyStroke(const wxKeyEvent& event);

} // namespace plandor
