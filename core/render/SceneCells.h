#pragma once
// The 3D scene gathered into squares of the plan, so that the view can leave out, at a cost
// of one test, every square outside its picture, and draw a far square's track as one plain
// batch instead of piece by piece.

#include "core/render/Mesh3D.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace plandor {

struct Scene3D;
struct PieceInstance;
struct PlacedMesh;

// An axis-aligned box in the world.
struct Box3 {
    Vec3 lo{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
            std::numeric_limits<double>::infinity()};
    Vec3 hi{-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
            -std::numeric_limits<double>::infinity()};

    bool empty() const { return lo.x > hi.x; }
    void add(Vec3 p);
    void add(Vec3 centre, double radius);
};

// A ball holding an instance as it is drawn.
struct Ball {
    Vec3 centre;
    double radius = 0;
};

struct SceneCell {
    Box3 bounds;
    std::vector<uint32_t> pieces; // positions in the scene's piece list
    std::vector<Ball> balls;      // round each of those pieces
    std::vector<uint32_t> piers;  // positions in the scene's pier list
    std::vector<uint32_t> hills;  // and in its hill list
    // Made by placeCellMeshes when a view first draws the cell at that detail.
    Mesh3D plainTrack;         // the cell's pieces with plain track, placed in the world
    Mesh3D fixed;              // piers and tunnel hills, placed in the world
    Mesh3D farTrack, farFixed; // the same from far, within the far tolerance
    bool nearPlaced = false;   // plain track and fixed are made
    bool farPlaced = false;
    // A fingerprint of everything the meshes are made of: cells alike in it hold the same
    // meshes, so a rebuild keeps them (and the view their compiled lists).
    uint64_t content = 0;

    bool hasFixed() const { return !piers.empty() || !hills.empty(); }
};

// The side of a cell, in millimetres.
constexpr double kSceneCellSize = 1000;

// Gathers the scene's pieces, piers and tunnel hills into cells by where each stands; cells
// with nothing in them are left out. A cell whose content matches one of `previous` takes that
// cell's meshes instead of placing them again, so an edit costs the cells it touches; the
// meshes of the others are left to placeCellMeshes.
std::vector<SceneCell> gatherCells(const Scene3D& scene, double cellSize = kSceneCellSize);
std::vector<SceneCell> gatherCells(const Scene3D& scene, std::vector<SceneCell> previous,
                                   double cellSize = kSceneCellSize);

// Makes the cell's far meshes, or for any nearer detail its plain track and fixed mesh, unless
// they are made already: a view pays only for the detail it draws.
void placeCellMeshes(const Scene3D& scene, SceneCell& cell, TrackDetail detail);

// Adds a mesh where an instance sets it down: a piece's plan-frame mesh, or a shared mesh
// stretched and turned, normals turned with it.
void appendPlaced(Mesh3D& into, const Mesh3D& mesh, const PieceInstance& at);
void appendPlaced(Mesh3D& into, const Mesh3D& mesh, const PlacedMesh& at);

// The ball round every point of a mesh, in the mesh's own frame.
Ball boundingBall(const Mesh3D& mesh);

// The six planes of the picture a projection and model-view make (both column-major); tells
// whether a ball or a box can show in it.
class ViewVolume {
  public:
    ViewVolume(const std::array<double, 16>& projection, const std::array<double, 16>& modelView);
    bool sees(const Ball& ball) const;
    bool sees(const Box3& box) const;

  private:
    std::array<std::array<double, 4>, 6> planes_{}; // a x + b y + c z + d >= 0 inside
};

// A perspective projection as the graphics library's perspective helper makes it
// (column-major): `fovY` degrees high, `aspect` wide to high.
std::array<double, 16> perspective(double fovY, double aspect, double nearPlane, double farPlane);

// Which track a view draws at a distance: ballast, sleepers and rails while a sleeper is a
// pixel or more wide on screen, plain bands beyond, and far meshes where a pixel is wider
// than what they simplify; for a picture `fovY` degrees and `pictureHeight` pixels high.
class TrackDetailRange {
  public:
    TrackDetailRange(double fovY, int pictureHeight);
    // The farthest a sleeper's width still shows.
    double reach() const { return reach_; }
    // The nearest a pixel is as wide as the far tolerance.
    double farReach() const { return farReach_; }
    bool full(double distance) const { return distance <= reach_; }
    // For something that may be drawn `scale` times its size.
    bool isFar(double distance, double scale = 1) const {
        return distance >= farReach_ * std::max(1.0, scale);
    }
    TrackDetail at(double distance) const {
        return full(distance)    ? TrackDetail::Full
               : isFar(distance) ? TrackDetail::Far
                                 : TrackDetail::Plain;
    }

  private:
    double reach_ = 0;
    double farReach_ = 0;
};

// The distance from a point to the nearest point of a box (0 inside it).
double distanceTo(const Box3& box, Vec3 p);

} // namespace plandor
