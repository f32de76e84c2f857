#pragma once
// Triangulates a closed outline with the GLU tessellator (needs no GL context).

#include "core/render/Mesh3D.h"

#include <vector>

namespace plandor {

// Three corners per triangle; nothing for an outline the tessellator rejects.
std::vector<Vec3> tessellateOutline(const std::vector<Vec3>& outline);

} // namespace plandor
