#pragma once
// The 3D scene of a layout: shared meshes per part number and scenery type, the instances
// that place them, and the flat meshes and lines built in world coordinates (x as on the
// plan, y flipped to point up the page, z up).

#include "core/model/Layout.h"
#include "core/render/Mesh3D.h"
#include "core/render/RenderSettings.h"
#include "core/render/SceneCells.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace plandor {

struct Fnv1aHash {
    std::size_t operator()(const std::string& text) const;
};

using MeshCache = std::unordered_map<std::string, Mesh3D, Fnv1aHash>;

struct PieceInstance {
    std::string part;
    Vec3 position;
    double rotation = 0; // about z, degrees
    double tilt = 0;     // the grade, degrees
    double length = 0;
    bool reversed = false;
};

struct SceneryInstance {
    std::string type;
    Vec3 position;
    double rotation = 0;
    double scaleX = 1;
    double scaleY = 1;
};

// A shared mesh set down in the world: stretched up by `height`, turned about z, moved.
struct PlacedMesh {
    Vec3 position;
    double rotation = 0; // about z, degrees
    double stretch = 1;  // scale along z
};

struct HelixInstance {
    std::string variant;
    PlacedMesh at;
};

struct LineSegment {
    Vec3 a, b;
    Rgb color;
};

// Turns a closed outline into triangles (three corners each, in one flat list).
using Triangulator = std::function<std::vector<Vec3>(const std::vector<Vec3>& outline)>;

// The most triangles one scene may draw, counting every instance's mesh: a file of any size
// builds a scene of bounded memory that the view can still turn.
constexpr std::size_t kSceneTriangleLimit = 5'000'000;

// Meshes are shared wherever instances look alike: one per part number, scenery type and
// helix variant, one pier stretched to each height, one tunnel hill per part number.
struct Scene3D {
    MeshCache pieceMeshes;
    MeshCache plainPieceMeshes; // the same parts with plain track, for far views
    MeshCache farPieceMeshes;   // and simplified within the far tolerance, for farther views
    std::vector<PieceInstance> pieces;
    MeshCache sceneryMeshes;
    MeshCache farSceneryMeshes; // each type's mesh simplified
    std::vector<SceneryInstance> scenery;
    Mesh3D baseboard;
    Mesh3D structure;   // raised shapes
    Mesh3D pierMesh;    // one pier 100 mm high
    Mesh3D farPierMesh; // the same simplified
    std::vector<PlacedMesh> piers;
    MeshCache helixMeshes; // rings and posts of a helix variant around its centre, from z = 0
    MeshCache farHelixMeshes;
    std::vector<HelixInstance> helices;
    MeshCache hillMeshes;    // by part number, in the piece's frame like its track
    MeshCache farHillMeshes; // with fewer, coarser rings
    std::vector<PieceInstance> hills;
    std::vector<LineSegment> lines;
    // The pieces, piers and hills gathered by where they stand.
    std::vector<SceneCell> cells;

    // Triangles drawn per frame, and whether parts of the layout were left out to keep them
    // within the limit.
    std::size_t triangles = 0;
    bool cut = false;

    // Where the camera should look, set when at least one piece, helix or scenery item was
    // added.
    bool hasTarget = false;
    double centreX = 0, centreY = 0;
    double distance = 0;
    double reach = 0; // how far the scene extends from its centre, heights included

    // Meshes the last build had to make: one per part number and scenery type in use that an
    // earlier build of this scene had not made yet.
    int meshesBuilt = 0;

    // Empties the scene, its shared meshes included.
    void clear();
    // Empties what a build places, keeping the shared meshes and the cells for the next build.
    void clearInstances();
};

// Builds the scene again from the layout, reusing the shared meshes and the cells that stay
// as they were: the levels as shown, the baseboard
// when the settings show it and a triangulator is given. What would take the scene past
// `triangleLimit` is left out, track last.
void buildScene(const Layout& layout, const RenderSettings& settings, Scene3D& scene,
                const Triangulator& triangulate, std::size_t triangleLimit = kSceneTriangleLimit);

// How far below its level's height a scenery type is drawn.
double sceneryLift(const std::string& type);
// The rotation about y a piece is drawn with: a positive grade rises along its direction.
double drawnTilt(const PieceInstance& piece);
// A point of the piece's plan-frame mesh where the view draws it: scaled (1, -1, 1), tilted
// about y, turned about z, moved to the instance position.
Vec3 placedPoint(const PieceInstance& piece, Vec3 local);
// The same for a placed mesh: stretched, turned, moved.
Vec3 placedPoint(const PlacedMesh& at, Vec3 local);

} // namespace plandor
