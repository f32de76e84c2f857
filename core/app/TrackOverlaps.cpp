#include "core/app/TrackOverlaps.h"

#include "core/base/GridIndex.h"
#include "core/catalog/TrackCatalog.h"
#include "core/elevation/GradeRuns.h"
#include "core/model/PartLookup.h"
#include "core/render/PieceGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace plandor {

namespace {

// Grid cell edge: a little longer than the common straights, so most pieces cover few cells.
constexpr double kCellSize = 400.0;

// One convex piece of a band outline: a rectangle, or one segment of a curved band.
struct Quad {
    Point p[4];
    Bounds box;
};

// What the pair test needs of a piece, gathered once.
struct BandedPiece {
    int index = -1; // in layout.pieces
    PieceFrame frame;
    double z = 0;
    double signedRise = 0; // height gained from connector 0 to the far end
    double runLength = 0;
    Bounds box;
    const std::vector<Quad>* quads = nullptr;    // the part's, in the piece's own frame
    const std::vector<Point>* corners = nullptr; // of those quads, each corner once

    double heightAt(Point p) const {
        if (runLength <= 0)
            return z;
        const double along = (p.x - frame.x) * frame.c + (p.y - frame.y) * frame.s;
        return z + signedRise * std::clamp(along / runLength, 0.0, 1.0);
    }
};

Bounds boxOf(const Point* p, int n) {
    Bounds b;
    for (int i = 0; i < n; ++i)
        b.add(p[i].x, p[i].y);
    return b;
}

double bandArcLength(const TrackBand& band) {
    return band.curved ? band.radius * std::fabs(band.angle) * kDegToRad : band.length;
}

// The band trimmed by `trim` at both ends and on both sides, as quads in layout coordinates;
// curved bands are cut as finely as the plan draws them.
void appendQuads(const TrackBand& band, double halfWidth, double trim, const PieceFrame& frame,
                 std::vector<Quad>& out) {
    const double arc = bandArcLength(band);
    const double half = halfWidth - trim;
    if (arc <= 2 * trim || half <= 0)
        return;
    const double t0 = trim / arc, t1 = 1 - t0;
    const int n = band.curved ? arcSegments(band.angle) : 1;
    Point left = frame.apply(bandPoint(band, t0, -half));
    Point right = frame.apply(bandPoint(band, t0, half));
    for (int i = 1; i <= n; ++i) {
        const double t = t0 + (t1 - t0) * i / n;
        const Point nextLeft = frame.apply(bandPoint(band, t, -half));
        const Point nextRight = frame.apply(bandPoint(band, t, half));
        Quad q{{left, nextLeft, nextRight, right}, {}};
        q.box = boxOf(q.p, 4);
        out.push_back(q);
        left = nextLeft;
        right = nextRight;
    }
}

double cross(Point o, Point a, Point b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// A part's quads in its own frame, and their corners, each once.
struct PartQuads {
    std::vector<Quad> quads;
    std::vector<Point> corners;
};

// A convex polygon of at most 8 corners: a quad clipped by another quad.
struct Clip {
    Point p[8];
    int n = 0;
};

// The part of quad `a` inside quad `b` (both convex, either winding).
Clip clipQuad(const Quad& a, const Quad& b) {
    Clip cur;
    for (int i = 0; i < 4; ++i)
        cur.p[cur.n++] = a.p[i];
    const double winding = cross(b.p[0], b.p[1], b.p[2]) + cross(b.p[0], b.p[2], b.p[3]);
    const double sign = winding < 0 ? -1.0 : 1.0;
    for (int e = 0; e < 4 && cur.n > 0; ++e) {
        const Point e0 = b.p[e], e1 = b.p[(e + 1) % 4];
        Clip next;
        for (int i = 0; i < cur.n; ++i) {
            const Point p = cur.p[i], q = cur.p[(i + 1) % cur.n];
            const double dp = sign * cross(e0, e1, p), dq = sign * cross(e0, e1, q);
            if (dp >= 0 && next.n < 8)
                next.p[next.n++] = p;
            if ((dp >= 0) != (dq >= 0) && next.n < 8) {
                const double t = dp / (dp - dq);
                next.p[next.n++] = Point{p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t};
            }
        }
        cur = next;
    }
    return cur;
}

double clipArea(const Clip& c) {
    double twice = 0;
    for (int i = 0; i < c.n; ++i) {
        const Point p = c.p[i], q = c.p[(i + 1) % c.n];
        twice += p.x * q.y - q.x * p.y;
    }
    return std::fabs(twice) / 2;
}

// Mean of the corners: inside the convex clip, which is all a marker needs.
Point clipCentre(const Clip& c) {
    Point sum;
    for (int i = 0; i < c.n; ++i) {
        sum.x += c.p[i].x;
        sum.y += c.p[i].y;
    }
    return Point{sum.x / c.n, sum.y / c.n};
}

bool joinedTo(const PlacedPiece& p, int32_t otherId) {
    for (const Joint& j : p.joints)
        if (j.target == otherId)
            return true;
    return false;
}

// Union-find over positions in the finder's piece list.
class Clusters {
  public:
    explicit Clusters(std::size_t n) : parent_(n) {
        for (std::size_t i = 0; i < n; ++i)
            parent_[i] = static_cast<int>(i);
    }
    int root(int i) {
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }
    void join(int a, int b) { parent_[root(a)] = root(b); }

  private:
    std::vector<int> parent_;
};

// The pieces of one cluster met so far in one grid cell.
struct CellGroup {
    int root = -1;
    Bounds box;
    std::vector<int> members; // positions in the finder's piece list
};

Bounds unite(Bounds a, const Bounds& b) {
    a.add(b.minX, b.minY);
    a.add(b.maxX, b.maxY);
    return a;
}

class OverlapFinder {
  public:
    OverlapFinder(const Layout& layout, double tolerance, const OverlapFault& fault)
        : layout_(layout), fault_(fault) {
        gather(tolerance / 2);
    }

    std::vector<OverlapGroup> run() {
        GridIndex grid(kCellSize); // of positions in pieces_
        grid.reserve(pieces_.size() * 3);
        for (std::size_t i = 0; i < pieces_.size(); ++i)
            grid.addBox(static_cast<uint32_t>(i), pieces_[i].box);
        grid.build();
        Clusters clusters(pieces_.size());
        std::vector<CellGroup> groups;
        grid.forEachCell([&](GridIndex::Items items) {
            groups.clear();
            for (uint32_t k : items)
                placeInCell(static_cast<int>(k), groups, clusters);
        });
        return collect(clusters);
    }

  private:
    // Compares the piece with one piece at a time of each other cluster in the cell, until a
    // faulty pair links it to that cluster; then files it with its cluster.
    void placeInCell(int j, std::vector<CellGroup>& groups, Clusters& clusters) {
        const Bounds& box = pieces_[j].box;
        for (CellGroup& g : groups) {
            g.root = clusters.root(g.root);
            if (g.root == clusters.root(j) || !g.box.overlaps(box))
                continue;
            for (int m : g.members)
                if (faultyPair(m, j)) {
                    clusters.join(j, m);
                    break;
                }
        }
        const int root = clusters.root(j);
        CellGroup* home = nullptr;
        for (CellGroup& g : groups) {
            if (clusters.root(g.root) != root)
                continue;
            g.root = root;
            if (!home) {
                home = &g;
                continue;
            }
            // j linked two clusters of this cell: keep the larger list and move the other in.
            if (g.members.size() > home->members.size())
                std::swap(g, *home);
            home->members.insert(home->members.end(), g.members.begin(), g.members.end());
            home->box = unite(home->box, g.box);
            g.members.clear();
        }
        if (home) {
            home->members.push_back(j);
            home->box = unite(home->box, box);
            groups.erase(std::remove_if(groups.begin(), groups.end(),
                                        [](const CellGroup& g) { return g.members.empty(); }),
                         groups.end());
        } else {
            groups.push_back(CellGroup{root, box, {j}});
        }
    }

    bool faultyPair(int i, int j) {
        const BandedPiece& a = pieces_[std::min(i, j)];
        const BandedPiece& b = pieces_[std::max(i, j)];
        if (!a.box.overlaps(b.box))
            return false;
        const PlacedPiece& pa = layout_.pieces[a.index];
        const PlacedPiece& pb = layout_.pieces[b.index];
        if (joinedTo(pa, pb.id) || joinedTo(pb, pa.id))
            return false;
        if ((pa.helix != -1 && pa.helix == pb.helix) || shareJunction(pa, pb))
            return false;
        TrackOverlap o;
        if (!measure(a, b, o))
            return false;
        const int fault = fault_(o);
        if (fault > 0)
            links_.push_back(Link{std::min(i, j), fault, o});
        return fault > 0;
    }

    // One group per cluster and fault, holding every piece a link of that fault touched.
    std::vector<OverlapGroup> collect(Clusters& clusters) {
        struct Member {
            int root, fault, piece; // piece: layout position
            bool operator<(const Member& o) const {
                return std::tie(root, fault, piece) < std::tie(o.root, o.fault, o.piece);
            }
            bool operator==(const Member& o) const {
                return root == o.root && fault == o.fault && piece == o.piece;
            }
        };
        std::vector<Member> members;
        members.reserve(links_.size() * 2);
        for (const Link& l : links_) {
            const int root = clusters.root(l.first);
            members.push_back({root, l.fault, l.overlap.a});
            members.push_back({root, l.fault, l.overlap.b});
        }
        std::sort(members.begin(), members.end());
        members.erase(std::unique(members.begin(), members.end()), members.end());
        std::vector<OverlapGroup> out;
        std::vector<std::pair<std::pair<int, int>, std::size_t>> at; // (root, fault) -> out
        for (std::size_t k = 0; k < members.size(); ++k) {
            if (k == 0 || members[k].root != members[k - 1].root ||
                members[k].fault != members[k - 1].fault) {
                at.push_back({{members[k].root, members[k].fault}, out.size()});
                out.push_back(OverlapGroup{members[k].fault, {}, {}});
                out.back().worst.heightGap = -1;
            }
            out.back().pieces.push_back(members[k].piece);
        }
        for (const Link& l : links_) {
            const std::pair<int, int> key{clusters.root(l.first), l.fault};
            const auto it = std::lower_bound(
                at.begin(), at.end(), key,
                [](const auto& entry, const std::pair<int, int>& k) { return entry.first < k; });
            TrackOverlap& worst = out[it->second].worst;
            if (worst.heightGap < 0 || l.overlap.heightGap < worst.heightGap)
                worst = l.overlap;
        }
        std::sort(out.begin(), out.end(), [](const OverlapGroup& x, const OverlapGroup& y) {
            return x.pieces.front() != y.pieces.front() ? x.pieces.front() < y.pieces.front()
                                                        : x.fault < y.fault;
        });
        return out;
    }

  private:
    void gather(double trim) {
        PartLookup parts(TrackCatalog::instance());
        pieces_.reserve(layout_.pieces.size());
        for (int i = 0; i < static_cast<int>(layout_.pieces.size()); ++i) {
            const PlacedPiece& p = layout_.pieces[i];
            const PieceDef* def = parts.find(p.part);
            if (!def)
                continue;
            if (def->connectors.size() > 2)
                junctions_.insert(p.id);
            BandedPiece bp;
            bp.index = i;
            bp.frame = PieceFrame(p.x, p.y, p.heading);
            bp.z = p.z;
            bp.runLength = runLength(def);
            bp.signedRise = p.reversed ? -riseOf(p, def) : riseOf(p, def);
            const PartQuads& part = localQuads(*def, trim);
            bp.quads = &part.quads;
            bp.corners = &part.corners;
            if (bp.quads->empty())
                continue;
            bp.box = placedBox(bp);
            pieces_.push_back(bp);
        }
    }

    // A part's quads in its own frame, cut once for all its pieces: a large layout holds one
    // set per part in use instead of one per piece.
    const PartQuads& localQuads(const PieceDef& def, double trim) {
        auto it = localQuads_.find(&def);
        if (it != localQuads_.end())
            return it->second;
        PartQuads& part = localQuads_[&def];
        std::vector<Quad>& quads = part.quads;
        const double half = trackHalfWidth(def);
        const TrackBands bands = trackBands(def), slips = slipCurves(def);
        for (int k = 0; k < bands.count; ++k)
            appendQuads(bands.band[k], half, trim, PieceFrame(), quads);
        for (int k = 0; k < slips.count; ++k)
            appendQuads(slips.band[k], half, trim, PieceFrame(), quads);
        for (const Quad& q : quads)
            part.corners.insert(part.corners.end(), q.p, q.p + 4);
        const auto before = [](const Point& a, const Point& b) {
            return a.x != b.x ? a.x < b.x : a.y < b.y;
        };
        std::sort(part.corners.begin(), part.corners.end(), before);
        part.corners.erase(
            std::unique(part.corners.begin(), part.corners.end(),
                        [](const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }),
            part.corners.end());
        return part;
    }

    // The piece's quads where it lies.
    static void placeQuads(const BandedPiece& piece, std::vector<Quad>& out) {
        out.clear();
        for (const Quad& local : *piece.quads) {
            Quad q;
            for (int k = 0; k < 4; ++k)
                q.p[k] = piece.frame.apply(local.p[k]);
            q.box = boxOf(q.p, 4);
            out.push_back(q);
        }
    }

    // The box round the piece's quads where it lies (the union of their boxes), without
    // placing them: neighbouring quads share corners, which are placed once.
    static Bounds placedBox(const BandedPiece& piece) {
        Bounds box;
        for (const Point& corner : *piece.corners) {
            const Point p = piece.frame.apply(corner);
            box.add(p.x, p.y);
        }
        return box;
    }

    // Tracks leaving one turnout, crossing, slip or turntable start side by side and may
    // touch there: together with it they make up one junction.
    bool shareJunction(const PlacedPiece& pa, const PlacedPiece& pb) const {
        for (const Joint& j : pa.joints)
            if (!j.isFree() && junctions_.count(j.target) && joinedTo(pb, j.target))
                return true;
        return false;
    }

    bool measure(const BandedPiece& a, const BandedPiece& b, TrackOverlap& o) {
        // A piece is measured against one piece after another of its cell: its quads are
        // placed once for all of them.
        if (inQuadsA_ != &a)
            placeQuads(a, quadsA_);
        if (inQuadsB_ != &b)
            placeQuads(b, quadsB_);
        inQuadsA_ = &a;
        inQuadsB_ = &b;
        nearA_.clear();
        nearB_.clear();
        for (const Quad& q : quadsA_)
            if (q.box.overlaps(b.box))
                nearA_.push_back(&q);
        for (const Quad& q : quadsB_)
            if (q.box.overlaps(a.box))
                nearB_.push_back(&q);
        bool overlapping = false, aAbove = false, bAbove = false;
        double least = 0, largest = 0;
        Point centre;
        bool leastALower = false;
        for (const Quad* qa : nearA_)
            for (const Quad* qb : nearB_) {
                if (!qa->box.overlaps(qb->box))
                    continue;
                const Clip clip = clipQuad(*qa, *qb);
                const double area = clip.n < 3 ? 0.0 : clipArea(clip);
                if (area < 1e-6)
                    continue;
                if (area > largest) {
                    largest = area;
                    centre = clipCentre(clip);
                }
                // Heights vary linearly over a clip, so its corners hold the least gap.
                for (int k = 0; k < clip.n; ++k) {
                    const double d = a.heightAt(clip.p[k]) - b.heightAt(clip.p[k]);
                    aAbove = aAbove || d > 0;
                    bAbove = bAbove || d < 0;
                    if (!overlapping || std::fabs(d) < least) {
                        least = std::fabs(d);
                        leastALower = d < 0;
                    }
                    overlapping = true;
                }
            }
        if (!overlapping)
            return false;
        o.a = a.index;
        o.b = b.index;
        // Heights that change order across the overlap meet somewhere inside it.
        o.heightGap = aAbove && bAbove ? 0.0 : least;
        o.lower = leastALower ? a.index : b.index;
        o.at = centre;
        return true;
    }

    // A faulty pair that linked two clusters; `first` is a position in pieces_.
    struct Link {
        int first;
        int fault;
        TrackOverlap overlap;
    };

    const Layout& layout_;
    const OverlapFault& fault_;
    std::vector<BandedPiece> pieces_;
    std::unordered_set<int32_t> junctions_; // ids of pieces with more than two connectors
    std::unordered_map<const PieceDef*, PartQuads> localQuads_;
    std::vector<Quad> quadsA_, quadsB_;                           // scratch
    const BandedPiece *inQuadsA_ = nullptr, *inQuadsB_ = nullptr; // whose quads they hold
    std::vector<const Quad*> nearA_, nearB_;
    std::vector<Link> links_;
};

} // namespace

std::vector<OverlapGroup> findOverlapGroups(const Layout& layout, double tolerance,
                                            const OverlapFault& fault) {
    return OverlapFinder(layout, tolerance, fault).run();
}

} // namespace plandor
