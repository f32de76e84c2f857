#include "core/app/TrackRuns.h"

#include "core/catalog/HelixVariants.h"
#include "core/model/PartLookup.h"
#include "core/model/PieceIndex.h"

#include <cmath>
#include <unordered_map>

namespace plandor {

namespace {

// The connectors of all pieces numbered one after another, joined by the layout's joints and
// by the spiral of each helix.
class Walker {
  public:
    explicit Walker(const Layout& layout) : layout_(layout) {
        PartLookup parts(TrackCatalog::instance());
        const int n = static_cast<int>(layout.pieces.size());
        net_.defs.reserve(n);
        first_.reserve(n + 1);
        int vertices = 0;
        for (const PlacedPiece& p : layout.pieces) {
            const PieceDef* def = parts.find(p.part);
            net_.defs.push_back(def);
            first_.push_back(vertices);
            const int count = def ? static_cast<int>(def->connectors.size()) : 0;
            owner_.insert(owner_.end(), count, static_cast<int>(first_.size()) - 1);
            vertices += count;
        }
        first_.push_back(vertices);
        partner_.assign(vertices, -1);
        linkLength_.assign(vertices, 0.0);
        visited_.assign(n, 0);
        routes_.assign(n, nullptr);
        PieceIndex index(layout);
        for (int i = 0; i < n; ++i) {
            if (!net_.defs[i])
                continue;
            auto cached = routeCache_.find(net_.defs[i]);
            if (cached == routeCache_.end())
                cached = routeCache_.emplace(net_.defs[i], pieceRoutes(*net_.defs[i])).first;
            routes_[i] = &cached->second;
            for (int c = 0; c < connectors(i); ++c) {
                const Joint j = layout.pieces[i].jointAt(c);
                const int k = j.isFree() ? -1 : index.find(j.target);
                if (k >= 0 && j.targetConn >= 0 && j.targetConn < connectors(k))
                    partner_[first_[i] + c] = first_[k] + j.targetConn;
            }
        }
        linkHelices(index);
    }

    TrackNetwork run() {
        const int n = static_cast<int>(layout_.pieces.size());
        std::vector<bool> used(partner_.size(), false); // junction or buffer ends already walked
        auto walkFrom = [&](int i, int c, TrackEndKind kind, bool withPiece) {
            TrackRun run;
            run.from = TrackEnd{kind, i, c};
            run.twoRail = twoRailAt(i, c);
            // An open end or a closed circuit starts inside the piece; a junction at its end.
            walk(run, first_[i] + (withPiece ? enter(run, i, c) : c));
            if (run.to.kind == TrackEndKind::Junction || run.to.kind == TrackEndKind::Buffer)
                used[first_[run.to.piece] + run.to.conn] = true;
            if (!run.pieces.empty() || run.to.kind == TrackEndKind::Junction)
                net_.runs.push_back(std::move(run));
        };
        for (int i = 0; i < n; ++i)
            if (net_.defs[i] && isJunction(*net_.defs[i]))
                for (int c = 0; c < connectors(i); ++c)
                    if (!used[first_[i] + c]) {
                        used[first_[i] + c] = true;
                        walkFrom(i, c, TrackEndKind::Junction, false);
                    }
        for (int i = 0; i < n; ++i)
            if (isBuffer(i) && !used[first_[i]]) {
                used[first_[i]] = true;
                visited_[i] = 1;
                TrackRun run;
                run.from = TrackEnd{TrackEndKind::Buffer, i, 0};
                run.pieces.push_back(i);
                run.twoRail = isTwoRail(net_.defs[i]->connectorSystem(0));
                walk(run, first_[i]);
                if (run.to.kind == TrackEndKind::Junction || run.to.kind == TrackEndKind::Buffer)
                    used[first_[run.to.piece] + run.to.conn] = true;
                net_.runs.push_back(std::move(run));
            }
        // Open ends of plain pieces not yet reached, then the closed circuits that are left.
        for (int i = 0; i < n; ++i)
            for (int c = 0; isPlain(i) && c < connectors(i); ++c)
                if (partner_[first_[i] + c] == -1 && routeAt(i, c) >= 0 &&
                    !(visited_[i] & (1u << routeAt(i, c))))
                    walkFrom(i, c, TrackEndKind::Open, true);
        for (int i = 0; i < n; ++i)
            for (int r = 0; isPlain(i) && r < static_cast<int>(routes_[i]->size()); ++r)
                if (!(visited_[i] & (1u << r)))
                    walkFrom(i, (*routes_[i])[r].a, TrackEndKind::Closed, true);
        for (TrackRun& run : net_.runs)
            if (run.from.kind == TrackEndKind::Closed)
                run.to = run.from;
        return std::move(net_);
    }

  private:
    int connectors(int i) const { return first_[i + 1] - first_[i]; }
    int pieceOf(int v) const { return owner_[v]; }
    bool isBuffer(int i) const {
        return net_.defs[i] && net_.defs[i]->kind == PieceKind::Bumper && connectors(i) == 1;
    }
    bool isPlain(int i) const { return net_.defs[i] && !isJunction(*net_.defs[i]) && !isBuffer(i); }
    // The route of a plain piece through connector c, or -1.
    int routeAt(int i, int c) const {
        for (int r = 0; r < static_cast<int>(routes_[i]->size()); ++r)
            if ((*routes_[i])[r].a == c || (*routes_[i])[r].b == c)
                return r;
        return -1;
    }
    bool twoRailAt(int i, int c) const { return isTwoRail(net_.defs[i]->connectorSystem(c)); }

    // Takes the piece into the run, entering at connector c; the connector it leaves by.
    int enter(TrackRun& run, int i, int c) {
        const int r = routeAt(i, c);
        const TrackRoute route = (*routes_[i])[r];
        const int out = route.a == c ? route.b : route.a;
        visited_[i] |= static_cast<uint8_t>(1u << r);
        run.pieces.push_back(i);
        run.length += routeLength(*net_.defs[i], route);
        run.twoRail = run.twoRail && twoRailAt(i, c) && twoRailAt(i, out);
        return out;
    }

    // Follows the track out of connector vertex v until it meets a junction, a buffer stop, an
    // open end or a piece already walked (the start of a closed circuit).
    void walk(TrackRun& run, int v) {
        for (;;) {
            const int i = pieceOf(v);
            const int c = v - first_[i];
            const int w = partner_[v];
            run.length += linkLength_[v];
            if (w == -1) {
                run.to = TrackEnd{TrackEndKind::Open, i, c};
                return;
            }
            const int k = pieceOf(w);
            const int kc = w - first_[k];
            if (isJunction(*net_.defs[k])) {
                run.twoRail = run.twoRail && twoRailAt(k, kc);
                run.to = TrackEnd{TrackEndKind::Junction, k, kc};
                return;
            }
            if (isBuffer(k)) {
                run.pieces.push_back(k);
                visited_[k] = 1;
                run.twoRail = run.twoRail && twoRailAt(k, kc);
                run.to = TrackEnd{TrackEndKind::Buffer, k, kc};
                return;
            }
            const int r = routeAt(k, kc);
            if (r < 0 || (visited_[k] & (1u << r))) {
                run.to = TrackEnd{TrackEndKind::Open, i, c};
                return;
            }
            v = first_[k] + enter(run, k, kc);
        }
    }

    // A helix's spiral joins each bottom stub to the top stub of the same track: the stubs'
    // ends nearest the centre, when nothing else is joined there.
    void linkHelices(const PieceIndex& index) {
        for (const Helix& h : layout_.helices) {
            const HelixVariant* variant = findHelixVariant(h.variant);
            if (!variant)
                variant = findHelixVariant(defaultHelixVariantId());
            if (!variant)
                continue;
            link(index, h, h.bottomR1, h.topR1, variant->r1, *variant);
            link(index, h, h.bottomR2, h.topR2, variant->r2, *variant);
        }
    }

    void link(const PieceIndex& index, const Helix& h, int32_t bottom, int32_t top, double radius,
              const HelixVariant& variant) {
        const int a = helixEnd(index.find(bottom), h);
        const int b = helixEnd(index.find(top), h);
        if (a < 0 || b < 0 || partner_[a] != -1 || partner_[b] != -1)
            return;
        partner_[a] = b;
        partner_[b] = a;
        const double around = 2 * kPi * radius * variant.turns;
        linkLength_[a] = linkLength_[b] = std::hypot(around, variant.rise);
    }

    int helixEnd(int i, const Helix& h) const {
        if (i < 0 || !net_.defs[i] || connectors(i) == 0)
            return -1;
        int best = 0;
        double bestDistance = 1e300;
        for (int c = 0; c < connectors(i); ++c) {
            const Point p = connectorPoint(layout_, net_, i, c);
            const double d = std::hypot(p.x - h.cx, p.y - h.cy);
            if (d < bestDistance) {
                bestDistance = d;
                best = c;
            }
        }
        return first_[i] + best;
    }

    const Layout& layout_;
    TrackNetwork net_;
    std::vector<int> first_;         // first connector vertex of each piece, and the total
    std::vector<int> partner_;       // the vertex joined to each vertex, or -1
    std::vector<double> linkLength_; // track length between a vertex and its partner
    std::vector<uint8_t> visited_;   // routes already walked, one bit each
    std::vector<int> owner_;         // the piece of each vertex
    std::unordered_map<const PieceDef*, std::vector<TrackRoute>> routeCache_;
    std::vector<const std::vector<TrackRoute>*> routes_; // per piece, null when unknown
};

} // namespace

TrackNetwork trackNetwork(const Layout& layout) {
    return Walker(layout).run();
}

Point connectorPoint(const Layout& layout, const TrackNetwork& net, int position, int conn) {
    const PlacedPiece& p = layout.pieces[position];
    const Pose w = worldConnector(Pose{p.x, p.y, p.heading}, *net.defs[position], conn);
    return Point{w.x, w.y};
}

std::string pieceLabel(const PlacedPiece& piece) {
    return piece.part + " #" + std::to_string(piece.id);
}

} // namespace plandor
