#include "core/canvas/HitTest.h"
#include "core/base/Geometry.h"

#include "core/catalog/HelixVariants.h"
#include "core/model/LevelFilter.h"
#include "core/model/PartLookup.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {

constexpr double kTrackHalfWidth = 20.0;
constexpr double kZTrackHalfWidth = 7.0;
constexpr double kEndSlack = 5.0;        // extra mm beyond the ends and the band edges
constexpr double kArcSpanSlack = 3.0;    // degrees added at each end of an arc
constexpr double kTurntableSlack = 10.0; // mm beyond the turntable's outer disc
constexpr double kLevelTie = 0.001;      // level heights closer than this count as equal
constexpr double kHelixRingHalfWidth = 25.0;
constexpr double kScenerySlack = 3.0;
constexpr double kEdgeTolerancePx = 8.0;
constexpr double kMeasureLabelHalfWidthPx = 32.0;
constexpr double kMeasureLabelHalfHeightPx = 9.0;

double arcCentreSign(double angle) {
    return angle < 0 ? -1.0 : 1.0;
}

// Whether (x, y), relative to the point where an arc of radius r and signed angle a starts
// (heading along +x), lies on the arc's band of half-width `halfWidth`, within the arc's
// angular span widened by 3 degrees at each end.
bool onArcBand(double x, double y, double r, double a, double halfWidth) {
    const double sign = arcCentreSign(a);
    const double dx = x, dy = y - r * sign;
    const double d = std::hypot(dx, dy);
    if (d < r - halfWidth || d > r + halfWidth)
        return false;
    // Seen from the centre, the arc starts straight "above" (right curves) or "below" it.
    const double start = -90.0 * sign;
    const double lo = std::min(start, start + a) - kArcSpanSlack;
    const double hi = std::max(start, start + a) + kArcSpanSlack;
    double theta = std::atan2(dy, dx) / kDegToRad;
    theta = lo + std::fmod(theta - lo, 360.0);
    if (theta < lo)
        theta += 360.0;
    return theta <= hi;
}

// Farthest a point of such a band can lie from the arc's start point.
double arcBandReach(double r, double a, double halfWidth) {
    const double sweep = std::min(std::fabs(a) + kArcSpanSlack, 180.0);
    return 2.0 * r * std::sin(sweep * kDegToRad / 2.0) + halfWidth;
}

bool inStraightBox(const PieceDef& def, double x, double y, double halfWidth) {
    return x >= -kEndSlack && x <= def.length + kEndSlack && y >= -halfWidth && y <= halfWidth;
}

// The click in a frame placed at (ox, oy) and turned by `headingDeg`.
Point toLocal(double wx, double wy, double ox, double oy, double headingDeg) {
    const double t = headingDeg * kDegToRad;
    const double c = std::cos(t), s = std::sin(t);
    const double dx = wx - ox, dy = wy - oy;
    return Point{dx * c + dy * s, -dx * s + dy * c};
}

// Keeps the best candidate: higher level first, then nearer; the first found wins a tie.
struct LevelThenNearest {
    int32_t id = -1;
    double height = 0;
    double distance = 0;

    void offer(int32_t candidate, double candidateHeight, double candidateDistance) {
        const bool better =
            id == -1 || candidateHeight > height + kLevelTie ||
            (std::fabs(candidateHeight - height) <= kLevelTie && candidateDistance < distance);
        if (better) {
            id = candidate;
            height = candidateHeight;
            distance = candidateDistance;
        }
    }
};

} // namespace

double levelHeight(const Layout& layout, int32_t levelId) {
    const Level* level = layout.findLevel(levelId);
    return level ? level->height : 0.0;
}

int32_t helixLevel(const Layout& layout, int32_t helixId) {
    for (const PlacedPiece& p : layout.pieces)
        if (p.helix == helixId)
            return p.level;
    return 1;
}

double pieceHitHalfWidth(const PieceDef& def) {
    return def.system == ZTrack ? kZTrackHalfWidth : kTrackHalfWidth;
}

bool pieceFootprintContains(const PieceDef& def, double x, double y) {
    const double w = pieceHitHalfWidth(def);
    const double r = def.radius;
    switch (def.kind) {
    case PieceKind::Curve:
        if (r > 0)
            return onArcBand(x, y, r, def.angle, w + kEndSlack);
        return inStraightBox(def, x, y, w);
    case PieceKind::OffsetCurvedTurnout:
        // The lead box, the inner curve from the origin and the outer curve after the lead.
        return inStraightBox(def, x, y, w + kEndSlack) ||
               onArcBand(x, y, r, def.angle, w + kEndSlack) ||
               onArcBand(x - def.length, y, r, def.angle, w + kEndSlack);
    case PieceKind::Turntable:
        return std::hypot(x, y) <= def.length / 2 + kTurntableSlack;
    default:
        return inStraightBox(def, x, y, w);
    }
}

double pieceFootprintReach(const PieceDef& def) {
    const double w = pieceHitHalfWidth(def) + kEndSlack;
    const double boxReach = std::hypot(std::fabs(def.length) + kEndSlack, w);
    const double r = std::fabs(def.radius);
    switch (def.kind) {
    case PieceKind::Curve:
        return r > 0 ? std::max(boxReach, arcBandReach(r, def.angle, w)) : boxReach;
    case PieceKind::OffsetCurvedTurnout:
        return std::fabs(def.length) + std::max(boxReach, arcBandReach(r, def.angle, w));
    case PieceKind::Turntable:
        return std::fabs(def.length) / 2 + kTurntableSlack;
    default:
        return boxReach;
    }
}

int32_t hitPiece(const Layout& layout, const ViewTransform& view, ScreenPoint click,
                 const TrackCatalog& catalog) {
    const double wx = view.toWorldX(click.x), wy = view.toWorldY(click.y);
    // No piece of this catalogue reaches farther than this from its origin, so most pieces
    // are rejected on their origin alone, before any lookup.
    double reach = 0;
    for (const PieceDef& def : catalog.pieces())
        reach = std::max(reach, pieceFootprintReach(def));
    const double reach2 = reach * reach;

    PartLookup parts(catalog);
    const HiddenLevels hidden(layout);
    LevelThenNearest best;
    for (std::size_t i = layout.pieces.size(); i-- > 0;) {
        const PlacedPiece& p = layout.pieces[i];
        const double dx = wx - p.x, dy = wy - p.y;
        if (dx * dx + dy * dy > reach2)
            continue;
        const PieceDef* def = parts.find(p.part);
        if (def == nullptr || hidden.hides(p.level))
            continue;
        const Point local = toLocal(wx, wy, p.x, p.y, p.heading);
        if (!pieceFootprintContains(*def, local.x, local.y))
            continue;
        best.offer(p.id, levelHeight(layout, p.level), std::hypot(dx, dy) * view.scale);
    }
    return best.id;
}

int32_t hitPiece(const Layout& layout, const ViewTransform& view, ScreenPoint click) {
    return hitPiece(layout, view, click, TrackCatalog::instance());
}

int32_t hitLabel(const Layout& layout, const ViewTransform& view, ScreenPoint click) {
    for (const LayoutLabel& label : layout.labels) {
        const ScreenPoint a = view.toScreen(label.x, label.y);
        if (click.x >= a.x - 4 && click.x <= a.x + 120 && click.y >= a.y - 4 && click.y <= a.y + 24)
            return label.id;
    }
    return -1;
}

int32_t hitMeasurement(const Layout& layout, const ViewTransform& view, ScreenPoint click) {
    const Point w{view.toWorldX(click.x), view.toWorldY(click.y)};
    const double labelHalfW = view.pixelsToMm(kMeasureLabelHalfWidthPx);
    const double labelHalfH = view.pixelsToMm(kMeasureLabelHalfHeightPx);
    const double edge = view.pixelsToMm(kEdgeTolerancePx);
    for (const Measurement& m : layout.measurements) {
        const double cx = (m.x1 + m.x2) / 2 + m.dx;
        const double cy = (m.y1 + m.y2) / 2 + m.dy;
        if (std::fabs(w.x - cx) <= labelHalfW && std::fabs(w.y - cy) <= labelHalfH)
            return m.id;
        if (distanceToSegment(w, Point{m.x1, m.y1}, Point{m.x2, m.y2}) <= edge)
            return m.id;
    }
    return -1;
}

int32_t hitHelix(const Layout& layout, const ViewTransform& view, ScreenPoint click) {
    const double wx = view.toWorldX(click.x), wy = view.toWorldY(click.y);
    const HelixVariant* fallback = findHelixVariant(defaultHelixVariantId());
    const HiddenLevels hidden(layout);
    LevelThenNearest best;
    for (const Helix& h : layout.helices) {
        const HelixVariant* variant = findHelixVariant(h.variant);
        if (variant == nullptr)
            variant = fallback;
        if (variant == nullptr)
            continue;
        const double d = std::hypot(wx - h.cx, wy - h.cy);
        const bool onRing = std::fabs(d - variant->r1) <= kHelixRingHalfWidth ||
                            std::fabs(d - variant->r2) <= kHelixRingHalfWidth;
        if (!onRing)
            continue;
        const int32_t level = helixLevel(layout, h.id);
        if (hidden.hides(level))
            continue;
        best.offer(h.id, levelHeight(layout, level), d);
    }
    return best.id;
}

int32_t hitScenery(const Layout& layout, const ViewTransform& view, ScreenPoint click,
                   const SceneryCatalog& catalog) {
    const double wx = view.toWorldX(click.x), wy = view.toWorldY(click.y);
    const HiddenLevels hidden(layout);
    LevelThenNearest best;
    for (std::size_t i = layout.scenery.size(); i-- > 0;) {
        const SceneryItem& item = layout.scenery[i];
        const SceneryDef* def = catalog.find(item.item);
        if (def == nullptr || hidden.hides(item.level))
            continue;
        const Point local = toLocal(wx, wy, item.x, item.y, item.heading);
        const double halfW = std::fabs(def->width * item.scaleX) / 2 + kScenerySlack;
        const double halfD = std::fabs(def->depth * item.scaleY) / 2 + kScenerySlack;
        if (std::fabs(local.x) > halfW || std::fabs(local.y) > halfD)
            continue;
        best.offer(item.id, levelHeight(layout, item.level), std::hypot(wx - item.x, wy - item.y));
    }
    return best.id;
}

int32_t hitScenery(const Layout& layout, const ViewTransform& view, ScreenPoint click) {
    return hitScenery(layout, view, click, SceneryCatalog::instance());
}

int32_t hitShape(const Layout& layout, const ViewTransform& view, ScreenPoint click) {
    const Point w{view.toWorldX(click.x), view.toWorldY(click.y)};
    const double edge = view.pixelsToMm(kEdgeTolerancePx);
    const HiddenLevels hidden(layout);
    for (std::size_t i = layout.shapes.size(); i-- > 0;) {
        const PolygonShape& shape = layout.shapes[i];
        const std::vector<Point>& v = shape.vertices;
        // Shapes with fewer than three points are not drawn, so they cannot be clicked.
        if (v.size() < 3 || hidden.hides(shape.level))
            continue;
        for (std::size_t k = 0; k < v.size(); ++k)
            if (distanceToSegment(w, v[k], v[(k + 1) % v.size()]) <= edge)
                return shape.id;
        if (polygonContains(v, w))
            return shape.id;
    }
    return -1;
}

double distanceToSegment(Point p, Point a, Point b) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * vx), p.y - (a.y + t * vy));
}

bool polygonContains(const std::vector<Point>& polygon, Point p) {
    // Even-odd rule: count the edges a ray to the right of p crosses.
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

} // namespace plandor
