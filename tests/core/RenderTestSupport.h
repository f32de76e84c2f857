#pragma once
// The drawing surface size shared by the renderer tests.

#include "LayoutBuilder.h"

namespace plandor {

constexpr int kSurfaceWidth = 800;
constexpr int kSurfaceHeight = 600;

} // namespace plandor
