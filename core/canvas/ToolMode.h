#pragma once
// Which drawing tool the canvas has on: none, the measuring tape, a polygon shape, or the
// baseboard outline.

namespace plandor {

enum class ToolMode { None, Measure, Polygon, Baseboard };

} // namespace plandor
