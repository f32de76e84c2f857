#pragma once
// Writes the plan as a PDF (one or more pages), an SVG or a PNG, drawn by the same renderer
// and page arithmetic as the printout.

#include "core/render/PlanExport.h"

#include <string>

namespace plandor {

class Layout;

// Empty on success, else a message for the user. Needs the toolkit started (fonts).
std::string exportPlanFile(Layout& layout, const PlanExportOptions& options,
                           const std::string& path);

} // namespace plandor
