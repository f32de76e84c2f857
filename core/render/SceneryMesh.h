#pragma once
// Meshes of scenery types, centred on the item with y up and z up from the ground; the item's
// scale and rotation are applied when it is drawn.

#include "core/catalog/SceneryCatalog.h"
#include "core/render/Mesh3D.h"

namespace plandor {

Mesh3D buildSceneryMesh(const SceneryDef& def);

} // namespace plandor
