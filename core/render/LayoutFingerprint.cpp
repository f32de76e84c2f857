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

void addPieces(Digest& d, const Layout& layout) {
    d.add(static_cast<uint64_t>(layout.pieces.size()));
    for (const PlacedPiece& p : layout.pieces) {
        d.add(p.id);
        d.add(p.part);
        d.add(p.x);
        d.add(p.y);
        d.add(p.heading);
        d.add(p.selected);
        d.add(p.z);
        d.add(p.grade);
        d.add(p.reversed);
        d.add(p.level);
        d.add(p.helix);
        d.add(p.hasColor);
        d.addRgb(p.colorR, p.colorG, p.colorB);
        d.add(static_cast<uint64_t>(p.joints.size()));
        for (const Joint& j : p.joints) {
            d.add(j.target);
            d.add(j.targetConn);
        }
    }
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
