#include "core/app/ReversingSections.h"

#include "core/app/TrackRuns.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace plandor {

namespace {

// Every connector of a junction is a vertex; routes through a junction and tracks between
// junctions are edges. Along any of them the rail on a connector's left (looking out of the
// piece) becomes the rail on the right of the other connector, so every edge swaps: the
// network is sound exactly when its vertices can be split in two sides with every edge
// running across.
struct Edge {
    int u = 0, v = 0;
    int piece = -1; // a route through this junction, or
    int run = -1;   // this track
};

// Union-find that keeps, for each vertex, whether it lies on its root's side or across.
class SideSets {
  public:
    explicit SideSets(int n) : parent_(n), size_(n, 1), across_(n, 0) {
        std::iota(parent_.begin(), parent_.end(), 0);
    }
    // Joins u and v on opposite sides; false (nothing changed) when they are already on one.
    bool joinAcross(int u, int v) {
        const int ru = root(u), rv = root(v);
        const int parity = across_[u] ^ across_[v] ^ 1;
        if (ru == rv)
            return parity == 0;
        const auto [small, large] = size_[ru] < size_[rv] ? std::pair(ru, rv) : std::pair(rv, ru);
        parent_[small] = large;
        size_[large] += size_[small];
        across_[small] = static_cast<uint8_t>(parity);
        return true;
    }

  private:
    // Sets are joined small under large, so the climb stays short.
    int root(int v) {
        if (parent_[v] == v)
            return v;
        const int r = root(parent_[v]);
        across_[v] ^= across_[parent_[v]];
        parent_[v] = r;
        return r;
    }
    std::vector<int> parent_;
    std::vector<int> size_;
    std::vector<uint8_t> across_; // side relative to the parent
};

class Finder {
  public:
    explicit Finder(const Layout& layout) : layout_(layout), net_(trackNetwork(layout)) {}

    std::vector<ReversingSection> run() {
        collectEdges();
        SideSets sides(static_cast<int>(vertexPiece_.size()));
        std::vector<int> isolated; // edges that close a loop turning trains round
        for (int e = 0; e < static_cast<int>(edges_.size()); ++e) {
            if (sides.joinAcross(edges_[e].u, edges_[e].v))
                tree_.push_back(e);
            else
                isolated.push_back(e);
        }
        if (isolated.empty())
            return {};
        rootForest();
        std::vector<ReversingSection> out;
        for (int e : isolated)
            out.push_back(section(e));
        return out;
    }

  private:
    bool isPolarJunction(int i) const {
        const PieceDef* def = net_.defs[i];
        // A turntable's bridge turns with the train and its own contacts swap the rails.
        return def && isJunction(*def) && def->kind != PieceKind::Turntable;
    }

    int vertex(int piece, int conn) {
        const auto key = (static_cast<int64_t>(piece) << 8) | conn;
        auto it = vertices_.find(key);
        if (it != vertices_.end())
            return it->second;
        const int v = static_cast<int>(vertexPiece_.size());
        vertices_.emplace(key, v);
        vertexPiece_.push_back(piece);
        vertexConn_.push_back(conn);
        return v;
    }

    // Routes through junctions first, then the tracks, longest first: main lines and loops
    // take their poles before the short cut-off, diagonal or wye leg that turns trains round,
    // so that one is the track that closes the loop and is named for insulating.
    void collectEdges() {
        for (int i = 0; i < static_cast<int>(layout_.pieces.size()); ++i) {
            if (!isPolarJunction(i))
                continue;
            const PieceDef& def = *net_.defs[i];
            for (const TrackRoute& r : pieceRoutes(def))
                if (isTwoRail(def.connectorSystem(r.a)) && isTwoRail(def.connectorSystem(r.b)))
                    edges_.push_back(Edge{vertex(i, r.a), vertex(i, r.b), i, -1});
        }
        std::vector<int> runs;
        for (int r = 0; r < static_cast<int>(net_.runs.size()); ++r) {
            const TrackRun& run = net_.runs[r];
            if (run.twoRail && run.from.kind == TrackEndKind::Junction &&
                run.to.kind == TrackEndKind::Junction && isPolarJunction(run.from.piece) &&
                isPolarJunction(run.to.piece))
                runs.push_back(r);
        }
        // Tracks side by side between the same two junctions (station tracks, passing loops)
        // are never the one to insulate: cutting one leaves the other closing the loop.
        std::unordered_map<int64_t, int> between;
        auto pairOf = [&](int r) {
            const auto [lo, hi] = std::minmax(net_.runs[r].from.piece, net_.runs[r].to.piece);
            return (static_cast<int64_t>(lo) << 32) | static_cast<uint32_t>(hi);
        };
        for (int r : runs)
            ++between[pairOf(r)];
        auto rank = [&](int r) {
            return net_.runs[r].pieces.empty() ? 0 : between[pairOf(r)] > 1 ? 1 : 2;
        };
        std::stable_sort(runs.begin(), runs.end(), [&](int a, int b) {
            if (rank(a) != rank(b))
                return rank(a) < rank(b);
            return net_.runs[a].length > net_.runs[b].length;
        });
        for (int r : runs) {
            const TrackRun& run = net_.runs[r];
            edges_.push_back(Edge{vertex(run.from.piece, run.from.conn),
                                  vertex(run.to.piece, run.to.conn), -1, r});
        }
    }

    // Each tree of accepted edges hung from a root, so that the path between two vertices is
    // found by climbing from both to where they meet.
    void rootForest() {
        const int n = static_cast<int>(vertexPiece_.size());
        std::vector<std::vector<int>> adjacent(n);
        for (int e : tree_) {
            adjacent[edges_[e].u].push_back(e);
            adjacent[edges_[e].v].push_back(e);
        }
        up_.assign(n, -1);
        depth_.assign(n, -1);
        std::vector<int> queue;
        for (int start = 0; start < n; ++start) {
            if (depth_[start] != -1)
                continue;
            depth_[start] = 0;
            queue.assign(1, start);
            for (std::size_t q = 0; q < queue.size(); ++q) {
                const int v = queue[q];
                for (int e : adjacent[v]) {
                    const int w = edges_[e].u == v ? edges_[e].v : edges_[e].u;
                    if (depth_[w] != -1)
                        continue;
                    depth_[w] = depth_[v] + 1;
                    up_[w] = e;
                    queue.push_back(w);
                }
            }
        }
    }

    int parentOf(int v) const {
        const Edge& e = edges_[up_[v]];
        return e.u == v ? e.v : e.u;
    }

    void addPieces(const Edge& e, std::vector<int32_t>& ids) const {
        if (e.piece >= 0) {
            ids.push_back(layout_.pieces[e.piece].id);
            return;
        }
        const TrackRun& run = net_.runs[e.run];
        ids.push_back(layout_.pieces[run.from.piece].id);
        for (int p : run.pieces)
            ids.push_back(layout_.pieces[p].id);
        ids.push_back(layout_.pieces[run.to.piece].id);
    }

    // The loop: the isolated track, then back along the tree from its far end to its start.
    ReversingSection section(int e) const {
        const Edge& closing = edges_[e];
        std::vector<int32_t> loop;
        addPieces(closing, loop);
        std::vector<int> fromEnd, fromStart; // tree edges climbed from each end
        int a = closing.v, b = closing.u;
        while (a != b) {
            if (depth_[a] >= depth_[b]) {
                fromEnd.push_back(up_[a]);
                a = parentOf(a);
            } else {
                fromStart.push_back(up_[b]);
                b = parentOf(b);
            }
        }
        for (int t : fromEnd)
            addPieces(edges_[t], loop);
        for (auto it = fromStart.rbegin(); it != fromStart.rend(); ++it)
            addPieces(edges_[*it], loop);
        std::vector<int32_t> unique;
        for (int32_t id : loop)
            if (std::find(unique.begin(), unique.end(), id) == unique.end())
                unique.push_back(id);

        ReversingSection s;
        s.loop = std::move(unique);
        if (closing.run >= 0) {
            const TrackRun& run = net_.runs[closing.run];
            s.fromJunction = layout_.pieces[run.from.piece].id;
            s.toJunction = layout_.pieces[run.to.piece].id;
            if (!run.pieces.empty()) {
                s.first = layout_.pieces[run.pieces.front()].id;
                s.last = layout_.pieces[run.pieces.back()].id;
            }
            s.at = connectorPoint(layout_, net_, run.from.piece, run.from.conn);
        } else {
            s.fromJunction = s.toJunction = layout_.pieces[closing.piece].id;
            s.at = connectorPoint(layout_, net_, closing.piece, vertexConn_[closing.u]);
        }
        return s;
    }

    const Layout& layout_;
    TrackNetwork net_;
    std::unordered_map<int64_t, int> vertices_;
    std::vector<int> vertexPiece_, vertexConn_;
    std::vector<Edge> edges_;
    std::vector<int> tree_;
    std::vector<int> up_;    // the tree edge towards the root, per vertex
    std::vector<int> depth_; // per vertex
};

std::string labelOf(const Layout& layout, int32_t id) {
    const PlacedPiece* p = layout.findPiece(id);
    return p ? pieceLabel(*p) : "#" + std::to_string(id);
}

} // namespace

std::vector<ReversingSection> findReversingSections(const Layout& layout) {
    return Finder(layout).run();
}

CheckFinding reversingFinding(const Layout& layout, const ReversingSection& section) {
    std::string text =
        "Reversing loop of " + std::to_string(section.loop.size()) + " pieces shorts the rails: ";
    if (section.first == -1)
        text += "insulate both rails of one of its tracks at both ends where " +
                labelOf(layout, section.fromJunction) + " joins " +
                labelOf(layout, section.toJunction);
    else if (section.first == section.last)
        text += "insulate both rails at both ends of " + labelOf(layout, section.first);
    else
        text += "insulate both rails at both ends of the track from " +
                labelOf(layout, section.first) + " to " + labelOf(layout, section.last);
    text += " and feed it through an auto-reverser";
    return CheckFinding{CheckKind::Reversing, CheckSeverity::Error, std::move(text), section.loop,
                        section.at};
}

} // namespace plandor
