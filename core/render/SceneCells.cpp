#include "core/render/SceneCells.h"
#include "core/base/Geometry.h"
#include "core/render/Scene3D.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace plandor {

namespace {

// A sleeper is drawn while it is at least this many pixels wide; narrower, it would only
// speckle the band.
constexpr double kDetailPixels = 1.0;

using CellKey = std::pair<int64_t, int64_t>;

CellKey cellOf(Vec3 p, double size) {
    return {static_cast<int64_t>(std::floor(p.x / size)),
            static_cast<int64_t>(std::floor(p.y / size))};
}

// Adds a mesh set down in the world by `place` (points) and `turn` (normals).
template <typename Place, typename Turn>
void appendMoved(Mesh3D& into, const Mesh3D& mesh, Place place, Turn turn) {
    const auto first = static_cast<uint32_t>(into.vertexCount());
    into.positions.reserve(into.positions.size() + mesh.positions.size());
    into.normals.reserve(into.normals.size() + mesh.normals.size());
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        const float* p = &mesh.positions[3 * v];
        const float* n = &mesh.normals[3 * v];
        const Vec3 q = place(Vec3{p[0], p[1], p[2]});
        const Vec3 m = turn(Vec3{n[0], n[1], n[2]});
        into.positions.insert(
            into.positions.end(),
            {static_cast<float>(q.x), static_cast<float>(q.y), static_cast<float>(q.z)});
        into.normals.insert(into.normals.end(), {static_cast<float>(m.x), static_cast<float>(m.y),
                                                 static_cast<float>(m.z)});
    }
    into.colors.insert(into.colors.end(), mesh.colors.begin(), mesh.colors.end());
    into.indices.reserve(into.indices.size() + mesh.indices.size());
    for (uint32_t i : mesh.indices)
        into.indices.push_back(first + i);
}

// How `placedPoint` sets a piece's mesh down, with the angles' sines and cosines taken once
// for all its points.
struct PiecePlacement {
    explicit PiecePlacement(const PieceInstance& at)
        : position(at.position), ct(std::cos(drawnTilt(at) * kDegToRad)),
          st(std::sin(drawnTilt(at) * kDegToRad)), cr(std::cos(at.rotation * kDegToRad)),
          sr(std::sin(at.rotation * kDegToRad)) {}
    // Flipped to the world's y, tilted about y, turned about z.
    Vec3 turn(Vec3 local) const {
        const Vec3 tilted{local.x * ct + local.z * st, -local.y, -local.x * st + local.z * ct};
        return {tilted.x * cr - tilted.y * sr, tilted.x * sr + tilted.y * cr, tilted.z};
    }
    Vec3 place(Vec3 local) const { return position + turn(local); }

    Vec3 position;
    double ct, st, cr, sr;
};

const Mesh3D* find(const MeshCache& cache, const std::string& key) {
    auto it = cache.find(key);
    return it == cache.end() ? nullptr : &it->second;
}

// Folds values into a fingerprint (FNV-1a over their bytes).
class Fingerprint {
  public:
    void add(const void* data, std::size_t bytes) {
        const auto* b = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < bytes; ++i) {
            h_ ^= b[i];
            h_ *= 1099511628211ull;
        }
    }
    void add(double v) { add(&v, sizeof v); }
    void add(Vec3 v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    void add(const std::string& text) {
        add(text.data(), text.size());
        add(double(text.size()));
    }
    uint64_t value() const { return h_; }

  private:
    uint64_t h_ = 14695981039346656037ull;
};

void addInstance(Fingerprint& f, const PieceInstance& p) {
    f.add(p.part);
    f.add(p.position);
    f.add(p.rotation);
    f.add(p.tilt);
    f.add(p.reversed ? 1.0 : 0.0);
}

// What goes into one cell before its meshes are made.
struct CellPlan {
    SceneCell cell;
    Fingerprint content;
};

} // namespace

void appendPlaced(Mesh3D& into, const Mesh3D& mesh, const PieceInstance& at) {
    const PiecePlacement placement(at);
    appendMoved(
        into, mesh, [&](Vec3 p) { return placement.place(p); },
        [&](Vec3 n) { return placement.turn(n); });
}

void appendPlaced(Mesh3D& into, const Mesh3D& mesh, const PlacedMesh& at) {
    // A stretch along z tilts the normals of slanted faces the other way.
    const PlacedMesh turnOnly{{}, at.rotation, 1};
    appendMoved(
        into, mesh, [&](Vec3 p) { return placedPoint(at, p); },
        [&](Vec3 n) {
            return normalized(placedPoint(turnOnly, {n.x, n.y, n.z / at.stretch}));
        });
}

void Box3::add(Vec3 p) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
}

void Box3::add(Vec3 centre, double radius) {
    add(centre - Vec3{radius, radius, radius});
    add(centre + Vec3{radius, radius, radius});
}

Ball boundingBall(const Mesh3D& mesh) {
    Box3 box;
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v)
        box.add({mesh.positions[3 * v], mesh.positions[3 * v + 1], mesh.positions[3 * v + 2]});
    if (box.empty())
        return {};
    const Vec3 centre = (box.lo + box.hi) * 0.5;
    double radius = 0;
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v)
        radius = std::max(radius, length(Vec3{mesh.positions[3 * v], mesh.positions[3 * v + 1],
                                              mesh.positions[3 * v + 2]} -
                                         centre));
    return {centre, radius};
}

std::vector<SceneCell> gatherCells(const Scene3D& scene, double cellSize) {
    return gatherCells(scene, {}, cellSize);
}

namespace {

// Where an instance's bounding ball lies, from its part's mesh, measured once a part; none
// when the part has no mesh.
std::optional<Ball> placedBall(const MeshCache& meshes, const PieceInstance& instance,
                               std::map<std::string, Ball>& ballOfPart) {
    const Mesh3D* mesh = find(meshes, instance.part);
    if (!mesh || mesh->empty())
        return std::nullopt;
    auto known = ballOfPart.find(instance.part);
    if (known == ballOfPart.end())
        known = ballOfPart.emplace(instance.part, boundingBall(*mesh)).first;
    return Ball{placedPoint(instance, known->second.centre), known->second.radius};
}

} // namespace

std::vector<SceneCell> gatherCells(const Scene3D& scene, std::vector<SceneCell> previous,
                                   double cellSize) {
    // Where everything goes and what each cell holds; a cell alike to one of before takes over
    // its meshes, the others are made when a view first draws them.
    std::map<CellKey, CellPlan> plans;
    std::map<std::string, Ball> ballOf; // per part, in the piece's own frame
    for (std::size_t i = 0; i < scene.pieces.size(); ++i) {
        const PieceInstance& p = scene.pieces[i];
        const std::optional<Ball> placed = placedBall(scene.pieceMeshes, p, ballOf);
        if (!placed)
            continue;
        const Ball& ball = *placed;
        CellPlan& plan = plans[cellOf(ball.centre, cellSize)];
        plan.cell.pieces.push_back(static_cast<uint32_t>(i));
        plan.cell.balls.push_back(ball);
        plan.cell.bounds.add(ball.centre, ball.radius);
        addInstance(plan.content, p);
    }
    const Ball pierBall = boundingBall(scene.pierMesh);
    for (std::size_t i = 0; i < scene.piers.size(); ++i) {
        const PlacedMesh& pier = scene.piers[i];
        const Vec3 top = placedPoint(pier, {0, 0, pierBall.centre.z * 2});
        const Vec3 centre = (pier.position + top) * 0.5;
        CellPlan& plan = plans[cellOf(centre, cellSize)];
        plan.cell.piers.push_back(static_cast<uint32_t>(i));
        plan.cell.bounds.add(pier.position, pierBall.radius);
        plan.cell.bounds.add(top, pierBall.radius);
        plan.content.add(-1.0); // a pier, not a piece
        plan.content.add(pier.position);
        plan.content.add(pier.rotation);
        plan.content.add(pier.stretch);
    }
    std::map<std::string, Ball> hillBallOf;
    for (std::size_t i = 0; i < scene.hills.size(); ++i) {
        const PieceInstance& hill = scene.hills[i];
        const std::optional<Ball> placed = placedBall(scene.hillMeshes, hill, hillBallOf);
        if (!placed)
            continue;
        const Ball& ball = *placed;
        CellPlan& plan = plans[cellOf(ball.centre, cellSize)];
        plan.cell.hills.push_back(static_cast<uint32_t>(i));
        plan.cell.bounds.add(ball.centre, ball.radius);
        plan.content.add(-2.0); // a hill
        addInstance(plan.content, hill);
    }

    std::unordered_map<uint64_t, SceneCell*> before;
    for (SceneCell& cell : previous)
        before.emplace(cell.content, &cell);
    std::vector<SceneCell> list;
    list.reserve(plans.size());
    for (auto& [key, plan] : plans) {
        SceneCell& cell = plan.cell;
        cell.content = plan.content.value();
        auto same = before.find(cell.content);
        if (same != before.end()) {
            SceneCell& old = *same->second;
            cell.plainTrack = std::move(old.plainTrack);
            cell.fixed = std::move(old.fixed);
            cell.farTrack = std::move(old.farTrack);
            cell.farFixed = std::move(old.farFixed);
            cell.nearPlaced = old.nearPlaced;
            cell.farPlaced = old.farPlaced;
            before.erase(same);
        }
        list.push_back(std::move(cell));
    }
    return list;
}

void placeCellMeshes(const Scene3D& scene, SceneCell& cell, TrackDetail detail) {
    const bool seenFar = detail == TrackDetail::Far;
    if (seenFar ? cell.farPlaced : cell.nearPlaced)
        return;
    Mesh3D& track = seenFar ? cell.farTrack : cell.plainTrack;
    Mesh3D& fixed = seenFar ? cell.farFixed : cell.fixed;
    const MeshCache& pieceMeshes = seenFar ? scene.farPieceMeshes : scene.plainPieceMeshes;
    const MeshCache& hillMeshes = seenFar ? scene.farHillMeshes : scene.hillMeshes;
    for (uint32_t i : cell.pieces)
        if (const Mesh3D* mesh = find(pieceMeshes, scene.pieces[i].part))
            appendPlaced(track, *mesh, scene.pieces[i]);
    for (uint32_t i : cell.piers)
        appendPlaced(fixed, seenFar ? scene.farPierMesh : scene.pierMesh, scene.piers[i]);
    for (uint32_t i : cell.hills)
        if (const Mesh3D* mesh = find(hillMeshes, scene.hills[i].part))
            appendPlaced(fixed, *mesh, scene.hills[i]);
    (seenFar ? cell.farPlaced : cell.nearPlaced) = true;
}

ViewVolume::ViewVolume(const std::array<double, 16>& projection,
                       const std::array<double, 16>& modelView) {
    // Clip = projection x model-view; each plane is the fourth row plus or minus another.
    std::array<double, 16> m{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                m[col * 4 + row] += projection[k * 4 + row] * modelView[col * 4 + k];
    auto row = [&m](int r) { return std::array<double, 4>{m[r], m[4 + r], m[8 + r], m[12 + r]}; };
    const auto w = row(3);
    int at = 0;
    for (int r = 0; r < 3; ++r) {
        const auto axis = row(r);
        for (double sign : {1.0, -1.0}) {
            std::array<double, 4> plane{};
            for (int k = 0; k < 4; ++k)
                plane[k] = w[k] + sign * axis[k];
            const double norm =
                std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
            if (norm > 0)
                for (double& v : plane)
                    v /= norm;
            planes_[at++] = plane;
        }
    }
}

bool ViewVolume::sees(const Ball& ball) const {
    for (const auto& p : planes_)
        if (p[0] * ball.centre.x + p[1] * ball.centre.y + p[2] * ball.centre.z + p[3] <
            -ball.radius)
            return false;
    return true;
}

bool ViewVolume::sees(const Box3& box) const {
    if (box.empty())
        return false;
    for (const auto& p : planes_) {
        // The corner farthest along the plane's normal.
        const double x = p[0] >= 0 ? box.hi.x : box.lo.x;
        const double y = p[1] >= 0 ? box.hi.y : box.lo.y;
        const double z = p[2] >= 0 ? box.hi.z : box.lo.z;
        if (p[0] * x + p[1] * y + p[2] * z + p[3] < 0)
            return false;
    }
    return true;
}

std::array<double, 16> perspective(double fovY, double aspect, double nearPlane, double farPlane) {
    const double f = 1.0 / std::tan(fovY * kDegToRad / 2);
    std::array<double, 16> m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (farPlane + nearPlane) / (nearPlane - farPlane);
    m[11] = -1;
    m[14] = 2 * farPlane * nearPlane / (nearPlane - farPlane);
    return m;
}

TrackDetailRange::TrackDetailRange(double fovY, int pictureHeight) {
    // One millimetre in front of the eye the picture is 2 tan(fov / 2) millimetres high.
    const double pixelsPerUnit = std::max(1, pictureHeight) / (2 * std::tan(fovY * kDegToRad / 2));
    reach_ = kSleeperWidth * pixelsPerUnit / kDetailPixels;
    farReach_ = kFarTolerance * pixelsPerUnit;
}

double distanceTo(const Box3& box, Vec3 p) {
    if (box.empty())
        return std::numeric_limits<double>::infinity();
    const double dx = std::max({box.lo.x - p.x, 0.0, p.x - box.hi.x});
    const double dy = std::max({box.lo.y - p.y, 0.0, p.y - box.hi.y});
    const double dz = std::max({box.lo.z - p.z, 0.0, p.z - box.hi.z});
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

} // namespace plandor
