#include "core/render/Scene3D.h"
#include "core/base/Geometry.h"
#include "core/base/GridIndex.h"
#include "core/catalog/HelixVariants.h"
#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/HelixPlacement.h"
#include "core/model/LevelFilter.h"
#include "core/model/PieceIndex.h"
#include "core/render/PieceGeometry.h"
#include "core/render/PieceMesh.h"
#include "core/render/RenderColors.h"
#include "core/render/SceneryMesh.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace plandor {

namespace {

constexpr double kPierSpacing = 2.0;    // a second pier closer than this on both axes is skipped
constexpr double kMinPierHeight = 2.0;  // lower track rests on its level
constexpr double kPierMeshHeight = 100; // the shared pier, stretched to each height
constexpr double kHelixPostOffset = 30; // posts stand clear of the ballast
constexpr double kTunnelSampleStep = 20;
constexpr int kHillPoints = 15;
// A half ring of 9 points strays 90 (1 - cos 11.25 degrees), under 2 mm, from the hill's crown, and
// keeps the shading across it.
constexpr int kFarHillPoints = 9;
constexpr Rgb kBaseboard = rgbOf(kPlanColors.baseboard3D);

double levelHeight(const Layout& layout, int32_t levelId) {
    const Level* level = layout.findLevel(levelId);
    return level ? level->height : 0.0;
}

// Length of the piece's centre line, the arc for curves: the deck drawn here climbs along it,
// where the grade rules measure a curve by its connector 1 instead.
double centreLineLength(const PieceDef& def) {
    if (def.kind == PieceKind::Curve)
        return def.radius * std::fabs(def.angle) * kDegToRad;
    return def.length;
}

// Height of the piece's centre line a run length `s` from connector 0.
double heightAlong(const PlacedPiece& piece, double s) {
    const double rise = s * std::sin(piece.grade * kDegToRad);
    return piece.z + (piece.reversed ? -rise : rise);
}

const Mesh3D& ensureMesh(MeshCache& cache, const std::string& key, int& built,
                         const std::function<Mesh3D()>& build) {
    auto it = cache.find(key);
    if (it == cache.end()) {
        it = cache.emplace(key, build()).first;
        ++built;
    }
    return it->second;
}

// Counts what the scene will draw and refuses what would take it past the limit.
class Budget {
  public:
    Budget(Scene3D& scene, std::size_t limit) : scene_(scene), limit_(limit) {}
    bool take(std::size_t triangles) {
        if (scene_.triangles + triangles > limit_) {
            scene_.cut = true;
            return false;
        }
        scene_.triangles += triangles;
        return true;
    }

  private:
    Scene3D& scene_;
    std::size_t limit_;
};

PieceInstance instanceOf(const PlacedPiece& p, const PieceDef& def) {
    return {p.part, {p.x, -p.y, p.z}, -p.heading, p.grade, def.length, p.reversed};
}

void addPieces(const Layout& layout, const HiddenLevels& hidden, Scene3D& scene, Bounds& box,
               Budget& budget) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    for (const PlacedPiece& p : layout.pieces) {
        const PieceDef* def = catalog.find(p.part);
        if (!def || hidden.hides(p.level))
            continue;
        const Mesh3D& mesh = ensureMesh(scene.pieceMeshes, p.part, scene.meshesBuilt,
                                        [def] { return buildPieceMesh(*def); });
        int plainBuilt = 0;
        ensureMesh(scene.plainPieceMeshes, p.part, plainBuilt,
                   [def] { return buildPieceMesh(*def, TrackDetail::Plain); });
        ensureMesh(scene.farPieceMeshes, p.part, plainBuilt,
                   [def] { return buildPieceMesh(*def, TrackDetail::Far); });
        // The camera looks at the whole layout, also at what did not fit.
        const double h = p.heading * kDegToRad;
        box.add(p.x, -p.y);
        box.add(p.x + def->length * std::cos(h), -(p.y + def->length * std::sin(h)));
        if (budget.take(mesh.triangleCount()))
            scene.pieces.push_back(instanceOf(p, *def));
    }
}

// Any track lifted off its level stands on piers under its ends, bridge or not: the same
// rule as for a bridge, so that raised track never floats.
void addPiers(const Layout& layout, const HiddenLevels& hidden, Scene3D& scene, Budget& budget) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    if (scene.pierMesh.empty()) {
        addPier(scene.pierMesh, 0, 0, 0, kPierMeshHeight, 0);
        addFarPier(scene.farPierMesh, kPierMeshHeight);
    }
    struct Candidate {
        double x, y, bottom, top, angle;
    };
    std::vector<Candidate> wanted;
    auto want = [&](double x, double y, double bottom, double top, double angle) {
        if (top - bottom >= kMinPierHeight && std::isfinite(x) && std::isfinite(y) &&
            std::isfinite(top))
            wanted.push_back({x, y, bottom, top, angle});
    };
    for (const PlacedPiece& p : layout.pieces) {
        const PieceDef* def = catalog.find(p.part);
        if (!def || hidden.hides(p.level))
            continue;
        const double ground = levelHeight(layout, p.level);
        Point end;
        if (def->kind == PieceKind::Curve && def->connectors.size() > 1) {
            const Pose c = worldConnector(Pose{p.x, p.y, p.heading}, *def, 1);
            end = {c.x, c.y};
        } else {
            const double h = p.heading * kDegToRad;
            end = {p.x + def->length * std::cos(h), p.y + def->length * std::sin(h)};
        }
        // Each pier reaches the deck at its own end, which a grade lifts or lowers.
        want(p.x, -p.y, ground, p.z, -p.heading);
        want(end.x, -end.y, ground, heightAlong(p, centreLineLength(*def)), -p.heading);
    }
    // In order, a pier stands unless an earlier one stands within the spacing on both axes.
    GridIndex near(kPierSpacing);
    near.reserve(wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i)
        near.addPoint(static_cast<uint32_t>(i), wanted[i].x, wanted[i].y);
    near.build();
    std::vector<bool> stands(wanted.size(), false);
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        const Candidate& c = wanted[i];
        bool crowded = false;
        near.forItemsNear(c.x, c.y, [&](uint32_t j) {
            crowded =
                crowded || (j < i && stands[j] && std::fabs(wanted[j].x - c.x) < kPierSpacing &&
                            std::fabs(wanted[j].y - c.y) < kPierSpacing);
        });
        if (crowded)
            continue;
        stands[i] = true;
        if (budget.take(scene.pierMesh.triangleCount()))
            scene.piers.push_back(
                {{c.x, c.y, c.bottom}, c.angle, (c.top - c.bottom) / kPierMeshHeight});
    }
}

// Both rings, their track at the given detail, and the posts of a helix of the variant,
// centred on the origin with the rotation 0 and its base at z = 0.
Mesh3D buildHelixMesh(const HelixVariant& v, Scene3D& scene, TrackDetail detail) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    Mesh3D mesh;
    const int n = helixRingPieceCount(v);
    const double risePerPiece = n > 0 ? v.rise / n : 0.0;
    // The rings start beside the bottom stubs and run clockwise on the plan, built round
    // the origin with the rotation 0.
    const Helix origin;
    for (const auto& [radius, part] :
         {std::pair{v.r1, v.innerCurvePart}, std::pair{v.r2, v.outerCurvePart}}) {
        const double arc = radius * kPi / 6;
        const double tilt =
            arc > 0.001 ? std::asin(std::clamp(risePerPiece / arc, -1.0, 1.0)) / kDegToRad : 0.0;
        const PieceDef* def = catalog.find(part);
        int farBuilt = 0;
        const Mesh3D& ring =
            detail == TrackDetail::Far
                ? ensureMesh(scene.farPieceMeshes, part, farBuilt,
                             [def] { return buildPieceMesh(*def, TrackDetail::Far); })
                : ensureMesh(scene.pieceMeshes, part, scene.meshesBuilt,
                             [def] { return buildPieceMesh(*def); });
        for (int k = 0; k < n; ++k) {
            const Pose pose = helixRingPose(origin, radius, k);
            appendPlaced(mesh, ring,
                         PieceInstance{part,
                                       {pose.x, -pose.y, k * risePerPiece},
                                       -normalizeHeading(pose.heading),
                                       tilt,
                                       def->length,
                                       false});
        }
    }
    auto post = [&](double radius, double angleDeg) {
        const double a = angleDeg * kDegToRad;
        addHelixPost(mesh, radius * std::cos(a), -radius * std::sin(a), 0, v.rise, -angleDeg);
    };
    for (int i = 0; i < 12; ++i)
        post(v.r2 + kHelixPostOffset, i * 30.0 - 90);
    post(v.r1 - kHelixPostOffset, 90);
    return mesh;
}

void addHelices(const Layout& layout, const HiddenLevels& hidden, Scene3D& scene, Bounds& box,
                Budget& budget) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    int helixMeshes = 0;
    for (const Helix& helix : layout.helices) {
        const HelixVariant* v = helixVariantOf(helix);
        if (!v || !catalog.find(v->innerCurvePart) || !catalog.find(v->outerCurvePart))
            continue;
        const PlacedPiece* first = layout.findPiece(helix.bottomR1);
        if (first && hidden.hides(first->level))
            continue;
        const Mesh3D& mesh = ensureMesh(scene.helixMeshes, v->id, helixMeshes, [&] {
            return buildHelixMesh(*v, scene, TrackDetail::Full);
        });
        ensureMesh(scene.farHelixMeshes, v->id, helixMeshes,
                   [&] { return buildHelixMesh(*v, scene, TrackDetail::Far); });
        box.add(helix.cx - v->r2, -helix.cy - v->r2);
        box.add(helix.cx + v->r2, -helix.cy + v->r2);
        if (!budget.take(mesh.triangleCount()))
            continue;
        const double base = first ? first->z : 0.0;
        scene.helices.push_back({v->id, {{helix.cx, -helix.cy, base}, -helix.heading, 1}});
    }
}

// Every piece a tunnel covers, once however many tunnels list it, looked up once for all
// shapes and hills.
std::vector<const PlacedPiece*> tunnelTrack(const Layout& layout) {
    const PieceIndex index(layout);
    std::vector<bool> seen(layout.pieces.size(), false);
    std::vector<const PlacedPiece*> covered;
    for (const Tunnel& t : layout.tunnels)
        for (int32_t id : t.covers) {
            const int at = index.find(id);
            if (at >= 0 && !seen[at]) {
                seen[at] = true;
                covered.push_back(&layout.pieces[at]);
            }
        }
    return covered;
}

bool hidesTunnelTrack(const std::vector<const PlacedPiece*>& covered, const PolygonShape& shape) {
    for (const PlacedPiece* p : covered)
        if (p->level == shape.level && polygonContains(shape.vertices, Point{p->x, p->y}))
            return true;
    return false;
}

void addShapes(const Layout& layout, const std::vector<const PlacedPiece*>& covered,
               const HiddenLevels& hidden, Scene3D& scene, Budget& budget) {
    for (const PolygonShape& shape : layout.shapes) {
        // A top and two wall triangles per edge; an outline line counts as one.
        if (shape.vertices.size() < 3 || hidden.hides(shape.level) ||
            !budget.take(3 * shape.vertices.size()))
            continue;
        const double ground = levelHeight(layout, shape.level);
        const double z = ground + shape.height;
        const Rgb color{shape.fill.r / 255.0f, shape.fill.g / 255.0f, shape.fill.b / 255.0f};
        const std::size_t n = shape.vertices.size();
        auto world = [&](std::size_t i, double h) {
            return Vec3{shape.vertices[i % n].x, -shape.vertices[i % n].y, h};
        };
        if (hidesTunnelTrack(covered, shape)) {
            for (std::size_t i = 0; i < n; ++i)
                scene.lines.push_back({world(i, z), world(i + 1, z), color});
            continue;
        }
        Vec3 mean;
        for (std::size_t i = 0; i < n; ++i)
            mean = mean + world(i, z);
        mean = mean * (1.0 / n);
        const Rgb wall = scaled(color, 0.7);
        for (std::size_t i = 0; i < n; ++i) {
            addTriangle(scene.structure, mean, world(i, z), world(i + 1, z), {0, 0, 1}, color);
            if (z - ground > 0.01)
                addFacingQuad(scene.structure, world(i, ground), world(i + 1, ground),
                              world(i + 1, z), world(i, z), wall);
        }
    }
}

void addScenery(const Layout& layout, const HiddenLevels& hidden, Scene3D& scene, Bounds& box,
                Budget& budget) {
    const SceneryCatalog& catalog = SceneryCatalog::instance();
    for (const SceneryItem& item : layout.scenery) {
        const SceneryDef* def = catalog.find(item.item);
        if (!def || hidden.hides(item.level))
            continue;
        const Mesh3D& mesh = ensureMesh(scene.sceneryMeshes, item.item, scene.meshesBuilt,
                                        [def] { return buildSceneryMesh(*def); });
        int farBuilt = 0;
        ensureMesh(scene.farSceneryMeshes, item.item, farBuilt, [&] { return simplified(mesh); });
        if (!budget.take(mesh.triangleCount()))
            continue;
        scene.scenery.push_back({item.item,
                                 {item.x, -item.y, levelHeight(layout, item.level)},
                                 -item.heading,
                                 item.scaleX,
                                 item.scaleY});
        box.add(item.x, -item.y);
        box.add(item.x + def->width, -item.y + def->depth);
    }
}

// Room above the highest piece for what stands on it: bridge trusses, hills, buildings.
constexpr double kHeadroom = 200;

void aimCamera(const Bounds& box, Scene3D& scene) {
    if (box.empty())
        return;
    scene.hasTarget = true;
    scene.centreX = (box.minX + box.maxX) / 2;
    scene.centreY = (box.minY + box.maxY) / 2;
    scene.distance = std::max(400.0, 1.8 * std::max(box.maxX - box.minX, box.maxY - box.minY));
    double top = 0;
    for (const PieceInstance& p : scene.pieces)
        top = std::max(top, std::fabs(p.position.z));
    for (const SceneryInstance& s : scene.scenery)
        top = std::max(top, std::fabs(s.position.z));
    scene.reach = std::hypot(box.maxX - box.minX, box.maxY - box.minY) / 2 + top + kHeadroom;
}

void addBaseboard(const Layout& layout, const RenderSettings& settings,
                  const Triangulator& triangulate, Scene3D& scene, Budget& budget) {
    // A tessellation has about as many triangles as the outline has corners.
    if (!settings.baseboard || layout.baseboard.size() < 3 || !triangulate ||
        !budget.take(layout.baseboard.size()))
        return;
    std::vector<Vec3> outline;
    for (const Point& p : layout.baseboard)
        outline.push_back({p.x, -p.y, -0.5});
    const std::vector<Vec3> corners = triangulate(outline);
    for (std::size_t i = 0; i + 2 < corners.size(); i += 3)
        addTriangle(scene.baseboard, corners[i], corners[i + 1], corners[i + 2], {0, 0, 1},
                    kBaseboard);
}

// One ring of the hill at a sample: a half circle 60 mm wide and 90 mm high over the track.
void addHillRing(Mesh3D& mesh, Vec3 centre, Vec3 side, int points) {
    for (int i = 0; i < points; ++i) {
        const double a = static_cast<double>(i) / (points - 1) * kPi;
        const double c = std::cos(a), s = std::sin(a);
        const Vec3 p = centre + side * (c * 60) + Vec3{0, 0, s * 90};
        const Vec3 n = side * c + Vec3{0, 0, s};
        mesh.positions.insert(
            mesh.positions.end(),
            {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)});
        mesh.normals.insert(mesh.normals.end(), {static_cast<float>(n.x), static_cast<float>(n.y),
                                                 static_cast<float>(n.z)});
        // Earth at the foot, grass towards the crown.
        const Rgb foot = rgbOf(kPlanColors.hillFoot3D), crown = rgbOf(kPlanColors.hillCrown3D);
        mesh.colors.insert(mesh.colors.end(),
                           {static_cast<float>(foot.r + (crown.r - foot.r) * s),
                            static_cast<float>(foot.g + (crown.g - foot.g) * s),
                            static_cast<float>(foot.b + (crown.b - foot.b) * s)});
    }
}

// A hill over one piece of the part, in the piece's plan frame like its track: a run of rings
// along its centre line. Neighbours meet at their shared ends, so the hill follows the chain
// without walking it. From far, the rings are fewer and coarser within the far tolerance.
Mesh3D buildHillMesh(const PieceDef& def, bool seenFar) {
    Mesh3D mesh;
    const TrackBands bands = trackBands(def);
    if (bands.count == 0)
        return mesh;
    const TrackBand& band = bands.band[0];
    const double len = band.curved ? band.radius * std::fabs(band.angle) * kDegToRad : band.length;
    int steps = std::max(1, static_cast<int>(std::ceil(len / kTunnelSampleStep)));
    if (seenFar)
        steps = band.curved ? arcSegmentsWithin(band.radius, band.angle, kFarTolerance) : 1;
    const int points = seenFar ? kFarHillPoints : kHillPoints;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const Point here = bandPoint(band, t, 0);
        const Point aside = bandPoint(band, t, 1);
        const Vec3 side = normalized({aside.x - here.x, aside.y - here.y, 0});
        addHillRing(mesh, {here.x, here.y, 0}, side, points);
    }
    for (int i = 0; i < steps; ++i)
        for (int j = 0; j + 1 < points; ++j) {
            const uint32_t a = i * points + j, b = a + points;
            mesh.indices.insert(mesh.indices.end(), {a, b, b + 1, a, b + 1, a + 1});
        }
    return mesh;
}

void addTunnelHills(const std::vector<const PlacedPiece*>& covered, const HiddenLevels& hidden,
                    Scene3D& scene, Budget& budget) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    int hillMeshes = 0;
    for (const PlacedPiece* p : covered) {
        const PieceDef* def = catalog.find(p->part);
        if (!def || hidden.hides(p->level))
            continue;
        const Mesh3D& mesh = ensureMesh(scene.hillMeshes, p->part, hillMeshes,
                                        [def] { return buildHillMesh(*def, false); });
        ensureMesh(scene.farHillMeshes, p->part, hillMeshes,
                   [def] { return buildHillMesh(*def, true); });
        if (!mesh.empty() && budget.take(mesh.triangleCount()))
            scene.hills.push_back(instanceOf(*p, *def));
    }
}

} // namespace

std::size_t Fnv1aHash::operator()(const std::string& text) const {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return static_cast<std::size_t>(h);
}

void Scene3D::clear() {
    pieceMeshes.clear();
    plainPieceMeshes.clear();
    farPieceMeshes.clear();
    sceneryMeshes.clear();
    farSceneryMeshes.clear();
    pierMesh.clear();
    farPierMesh.clear();
    helixMeshes.clear();
    farHelixMeshes.clear();
    hillMeshes.clear();
    farHillMeshes.clear();
    cells.clear();
    clearInstances();
}

void Scene3D::clearInstances() {
    pieces.clear();
    scenery.clear();
    baseboard.clear();
    structure.clear();
    piers.clear();
    helices.clear();
    hills.clear();
    lines.clear();
    triangles = 0;
    cut = false;
    hasTarget = false;
    centreX = centreY = distance = 0;
    meshesBuilt = 0;
}

void buildScene(const Layout& layout, const RenderSettings& settings, Scene3D& scene,
                const Triangulator& triangulate, std::size_t triangleLimit) {
    // The shared meshes depend on nothing but the catalogues, and the cells are kept to be
    // taken over where the new scene holds the same: an edit builds what it changed.
    std::vector<SceneCell> before = std::move(scene.cells);
    scene.clearInstances();
    const HiddenLevels hidden(layout);
    const std::vector<const PlacedPiece*> covered = tunnelTrack(layout);
    Budget budget(scene, triangleLimit);
    Bounds box;
    // Track first: when the limit is reached, what is left out is what matters least.
    addPieces(layout, hidden, scene, box, budget);
    addHelices(layout, hidden, scene, box, budget);
    addPiers(layout, hidden, scene, budget);
    addScenery(layout, hidden, scene, box, budget);
    addShapes(layout, covered, hidden, scene, budget);
    aimCamera(box, scene);
    addBaseboard(layout, settings, triangulate, scene, budget);
    addTunnelHills(covered, hidden, scene, budget);
    scene.cells = gatherCells(scene, std::move(before));
}

double sceneryLift(const std::string& type) {
    if (type == "bridge_arch")
        return -18;
    if (type == "bridge_truss")
        return -4;
    return -1;
}

double drawnTilt(const PieceInstance& piece) {
    // Turning about +y by a positive angle lowers +x, so an unreversed rise is negated.
    return piece.reversed ? piece.tilt : -piece.tilt;
}

Vec3 placedPoint(const PlacedMesh& at, Vec3 local) {
    const double r = at.rotation * kDegToRad;
    return {at.position.x + local.x * std::cos(r) - local.y * std::sin(r),
            at.position.y + local.x * std::sin(r) + local.y * std::cos(r),
            at.position.z + local.z * at.stretch};
}

Vec3 placedPoint(const PieceInstance& piece, Vec3 local) {
    const Vec3 flipped{local.x, -local.y, local.z};
    const double t = drawnTilt(piece) * kDegToRad;
    const Vec3 tilted{flipped.x * std::cos(t) + flipped.z * std::sin(t), flipped.y,
                      -flipped.x * std::sin(t) + flipped.z * std::cos(t)};
    const double r = piece.rotation * kDegToRad;
    return {piece.position.x + tilted.x * std::cos(r) - tilted.y * std::sin(r),
            piece.position.y + tilted.x * std::sin(r) + tilted.y * std::cos(r),
            piece.position.z + tilted.z};
}

} // namespace plandor
