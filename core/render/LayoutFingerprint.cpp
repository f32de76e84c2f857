#include "render/LayoutFingerprint.h"

#include "model/Layout.h"

#include <cstring>
#include <string>

namespace plandor {

namespace {

// Word-at-a-time mixing. Every step is a bijection of the running value, so changing any one
// word always changes the digest; only several changes at once could cancel out.
class Digest {
  public:
    void add(uint64_t v) {
        h_ = (h_ ^ v) * 0x9e3779b97f4a7c15ULL;
        h_ ^= h_ >> 31;
    }
    void add(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        add(bits);
    }
    void add(int32_t v) { add(static_cast<uint64_t>(static_cast<uint32_t>(v))); }
    void add(uint32_t v) { add(static_cast<uint64_t>(v)); }
    void add(bool v) { add(static_cast<uint64_t>(v ? 1 : 2)); }
    void add(const std::string& s) {
        add(static_cast<uint64_t>(s.size()));
        uint64_t word = 0;
        std::size_t i = 0;
        for (; i + 8 <= s.size(); i += 8) {
            std::memcpy(&word, s.data() + i, 8);
            add(word);
        }
        word = 0;
        std::memcpy(&word, s.data() + i, s.size() - i);
        add(word);
    }
    void add(const std::vector<Point>& points) {
        add(static_cast<uint64_t>(points.size()));
        for (const Point& p : points) {
            add(p.x);
            add(p.y);
        }
    }
    void addRgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
        add(static_cast<uint64_t>(r) | static_cast<uint64_t>(g) << 8 |
            static_cast<uint64_t>(b) << 16 | static_cast<uint64_t>(a) << 24);
    }
    uint64_t value() const { return h_; }

  private:
    uint64_t h_ = 0xcbf29ce484222325ULL;
};

uint64_t bitsOf(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

uint64_t pack(int32_t high, int32_t low) {
    return static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32 | static_cast<uint32_t>(low);
}

// One word per piece, the sum of its fields times distinct odd constants. Multiplying by an odd
// constant is a bijection, so a change in any one field still changes the word, and the
// products are independent of each other, which makes this several times faster than feeding
// every field through the chained digest. Pieces are most of a large layout.
class PieceWord {
  public:
    void add(uint64_t v) {
        static constexpr uint64_t kOdd[8] = {0x9e3779b97f4a7c15ULL, 0xc2b2ae3d27d4eb4fULL,
                                             0x165667b19e3779f9ULL, 0xd6e8feb86659fd93ULL,
                                             0xff51afd7ed558ccdULL, 0xc4ceb9fe1a85ec53ULL,
                                             0x94d049bb133111ebULL, 0xbf58476d1ce4e5b9ULL};
        sum_ += v * kOdd[n_++ & 7];
    }
    uint64_t value() const { return sum_; }

  private:
    uint64_t sum_ = 0;
    unsigned n_ = 0;
};

uint64_t pieceWord(const PlacedPiece& p) {
    PieceWord w;
    w.add(pack(p.id, p.level));
    const uint32_t flags = (p.selected ? 1u : 0u) | (p.reversed ? 2u : 0u) |
                           (p.hasColor ? 4u : 0u) | static_cast<uint32_t>(p.colorR) << 8 |
                           static_cast<uint32_t>(p.colorG) << 16 |
                           static_cast<uint32_t>(p.colorB) << 24;
    w.add(static_cast<uint64_t>(static_cast<uint32_t>(p.helix)) << 32 | flags);
    w.add(bitsOf(p.x));
    w.add(bitsOf(p.y));
    w.add(bitsOf(p.heading));
    w.add(bitsOf(p.z));
    w.add(bitsOf(p.grade));
    uint64_t word = 0;
    std::size_t i = 0;
    for (; i + 8 <= p.part.size(); i += 8) {
        std::memcpy(&word, p.part.data() + i, 8);
        w.add(word);
    }
    word = p.part.size() << 56; // the length keeps "12" and "12\0" apart
    std::memcpy(&word, p.part.data() + i, p.part.size() - i);
    w.add(word);
    w.add(p.joints.size());
    for (const Joint& j : p.joints)
        w.add(pack(j.target, j.targetConn));
    return w.value();
}

void addPieces(Digest& d, const Layout& layout) {
    d.add(static_cast<uint64_t>(layout.pieces.size()));
    for (const PlacedPiece& p : layout.pieces)
        d.add(pieceWord(p));
}

void addDecorations(Digest& d, const Layout& layout) {
    d.add(static_cast<uint64_t>(layout.scenery.size()));
    for (const SceneryItem& s : layout.scenery) {
        d.add(s.id);
        d.add(s.item);
        d.add(s.x);
        d.add(s.y);
        d.add(s.heading);
        d.add(s.selected);
        d.add(s.scaleX);
        d.add(s.scaleY);
        d.add(s.level);
    }
    d.add(static_cast<uint64_t>(layout.labels.size()));
    for (const LayoutLabel& l : layout.labels) {
        d.add(l.text);
        d.add(l.x);
        d.add(l.y);
        d.add(l.selected);
    }
    d.add(static_cast<uint64_t>(layout.measurements.size()));
    for (const Measurement& m : layout.measurements) {
        for (double v : {m.x1, m.y1, m.x2, m.y2, m.dx, m.dy})
            d.add(v);
        d.add(m.selected);
    }
    d.add(static_cast<uint64_t>(layout.shapes.size()));
    for (const PolygonShape& s : layout.shapes) {
        d.add(s.vertices);
        d.addRgb(s.fillR, s.fillG, s.fillB, s.fillA);
        d.add(s.outline);
        d.add(s.level);
        d.add(s.height);
        d.add(s.label);
        d.add(s.selected);
    }
}

void addStructures(Digest& d, const Layout& layout) {
    d.add(static_cast<uint64_t>(layout.tunnels.size()));
    for (const Tunnel& t : layout.tunnels) {
        d.add(t.portalA);
        d.add(t.portalB);
        d.add(static_cast<uint64_t>(t.covers.size()));
        for (int32_t id : t.covers)
            d.add(id);
    }
    d.add(static_cast<uint64_t>(layout.helices.size()));
    for (const Helix& h : layout.helices) {
        d.add(h.id);
        d.add(h.cx);
        d.add(h.cy);
        d.add(h.heading);
        d.add(h.variant);
    }
    d.add(static_cast<uint64_t>(layout.gradeRuns.size()));
    for (const GradeRun& g : layout.gradeRuns) {
        d.add(g.deg);
        d.add(g.anchor);
        d.add(g.conn);
    }
    d.add(static_cast<uint64_t>(layout.levels.size()));
    for (const Level& l : layout.levels) {
        d.add(l.id);
        d.add(l.visible);
        d.add(l.height);
        d.add(l.useTrackColor);
        d.addRgb(l.trackR, l.trackG, l.trackB);
        d.add(l.outline);
    }
    d.add(layout.baseboard);
}

} // namespace

uint64_t layoutFingerprint(const Layout& layout) {
    Digest d;
    addPieces(d, layout);
    addDecorations(d, layout);
    addStructures(d, layout);
    d.add(layout.showBaseboard);
    d.add(layout.showGrid);
    d.add(layout.showLabels);
    d.add(layout.units);
    d.add(layout.gridSpacing);
    return d.value();
}

} // namespace plandor
