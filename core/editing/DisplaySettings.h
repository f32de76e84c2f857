#pragma once
// The window's switches that the layout keeps: grid, snap, labels and the unit of measure.
// None is an undo step; each reports what the window redraws.

#include "core/base/Units.h"
#include "core/document/Document.h"

namespace plandor {

Change setGridShown(Document& doc, bool shown);
// Snapping draws nothing: only the next placing or move reads it, so nothing is reported.
Change setSnapOn(Document& doc, bool on);
Change setLabelsShown(Document& doc, bool shown);
Change setUnits(Document& doc, Units units);

} // namespace plandor
