#pragma once
// The 3D scene of a layout: shared meshes per part number and scenery type, the instances
// that place them, and the flat meshes and lines built in world coordinates (x as on the
// plan, y flipped to point up the page, z up).

#include "model/Layout.h"
#include "render/Mesh3D.h"

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

struct LineSegment {
    Vec3 a, b;
    Rgb color;
};

// Turns a closed outline into triangles (three corners each, in one flat list).
using Triangulator = std::function<std::vector<Vec3>(const std::vector<Vec3>& outline)>;

struct Scene3D {
    MeshCache pieceMeshes;
    std::vector<PieceInstance> pieces;
    MeshCache sceneryMeshes;
    std::vector<SceneryInstance> scenery;
    Mesh3D baseboard;
    Mesh3D structure; // piers, helix posts, raised shapes
    Mesh3D tunnelHills;
    std::vector<LineSegment> lines;

    // Where the camera should look, set when at least one piece or scenery item was added.
    bool hasTarget = false;
    double centreX = 0, centreY = 0;
    double distance = 0;

    // Meshes built by the last build: one per part number and scenery type in use.
    int meshesBuilt = 0;

    void clear();
};

// Empties the scene and builds it again from the layout. Without a triangulator the
// baseboard is left out.
void buildScene(const Layout& layout, Scene3D& scene, const Triangulator& triangulate);

// How far below its level's height a scenery type is drawn.
double sceneryLift(const std::string& type);
// The rotation about y a piece is drawn with: a positive grade rises along its direction.
double drawnTilt(const PieceInstance& piece);
// A point of the piece's plan-frame mesh where the view draws it: scaled (1, -1, 1), tilted
// about y, turned about z, moved to the instance position.
Vec3 placedPoint(const PieceInstance& piece, Vec3 local);

} // namespace plandor
