#include "core/canvas/CanvasView.h"
#include "core/base/Geometry.h"

#include "core/catalog/HelixVariants.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/PartLookup.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {
// Radius counted for a helix whose variant is unknown.
constexpr double kUnknownHelixRadius = 500.0;

// The longest piece in the catalogue: no piece's far end lies further than this from its origin.
double longestPiece(const TrackCatalog& catalog) {
    double longest = 0;
    for (int i = 0; i < catalog.count(); ++i)
        longest = std::max(longest, std::fabs(catalog.at(i)->length));
    return longest;
}

bool holdsSquare(const Bounds& box, double x, double y, double half) {
    return x - half >= box.minX && x + half <= box.maxX && y - half >= box.minY &&
           y + half <= box.maxY;
}
} // namespace

Bounds layoutExtent(const Layout& layout, const TrackCatalog& catalog) {
    Bounds origins;
    for (const PlacedPiece& p : layout.pieces)
        origins.add(p.x, p.y);
    Bounds box = origins;
    PartLookup parts(catalog);
    const double longest = longestPiece(catalog);
    for (const PlacedPiece& p : layout.pieces) {
        // A far end can widen the box only from a piece near the rim of the origins: inside,
        // the origins already hold every point it could reach.
        if (holdsSquare(origins, p.x, p.y, longest))
            continue;
        if (const PieceDef* def = parts.find(p.part)) {
            const double t = p.heading * kPi / 180.0;
            box.add(p.x + def->length * std::cos(t), p.y + def->length * std::sin(t));
        }
    }
    for (const SceneryItem& s : layout.scenery)
        box.add(s.x, s.y);
    for (const Level& level : layout.levels)
        for (const Point& pt : level.outline)
            box.add(pt.x, pt.y);
    for (const Point& pt : layout.baseboard)
        box.add(pt.x, pt.y);
    for (const PolygonShape& shape : layout.shapes)
        for (const Point& pt : shape.vertices)
            box.add(pt.x, pt.y);
    for (const Helix& h : layout.helices) {
        const HelixVariant* variant = findHelixVariant(h.variant);
        const double r = variant ? variant->r2 : kUnknownHelixRadius;
        box.add(h.cx - r, h.cy - r);
        box.add(h.cx + r, h.cy + r);
    }
    return box;
}

namespace {

// Nothing that zoom to fit would frame: labels and measurements alone do not count.
bool nothingToFit(const Layout& layout) {
    const bool anyDeck = std::any_of(layout.levels.begin(), layout.levels.end(),
                                     [](const Level& l) { return l.outline.size() >= 3; });
    return layout.pieces.empty() && layout.scenery.empty() && !anyDeck && layout.shapes.empty() &&
           layout.helices.empty() && layout.baseboard.size() < 3;
}

struct FittedView {
    bool empty = true;
    double scale = kDefaultScale, panX = kDefaultPan, panY = kDefaultPan;
};

FittedView fittedView(const Layout& layout, int clientWidth, int clientHeight,
                      const TrackCatalog& catalog) {
    const Bounds box = nothingToFit(layout) ? Bounds{} : layoutExtent(layout, catalog);
    // A layout whose only objects have no points (a shape without vertices) has no extent
    // either; fitting it would send the view a billion millimetres away.
    if (box.empty())
        return FittedView{};
    const double width = std::max(box.maxX - box.minX, 1.0);
    const double height = std::max(box.maxY - box.minY, 1.0);
    const double usableW = clientWidth - 2 * kFitBorder;
    const double usableH = clientHeight - 2 * kFitBorder;
    const double scale =
        std::clamp(std::min(usableW / width, usableH / height), kMinFitScale, kMaxZoomScale);
    return FittedView{false, scale, kFitBorder - scale * box.minX + (usableW - scale * width) / 2,
                      kFitBorder - scale * box.minY + (usableH - scale * height) / 2};
}

} // namespace

void CanvasView::setView(double scale, double panX, double panY) {
    view_.scale = scale;
    view_.panX = panX;
    view_.panY = panY;
}

Point CanvasView::screenToWorld(double sx, double sy) const {
    return Point{view_.toWorldX(sx), view_.toWorldY(sy)};
}

void CanvasView::zoomAbout(double factor, double sx, double sy, double outLimit) {
    const Point world = screenToWorld(sx, sy);
    // A view already further out than the limit (a fitted plan shrunk in the window) stays
    // put on a step out rather than jumping in to the limit.
    const double lower = std::min(outLimit, view_.scale);
    const double newScale = std::clamp(view_.scale * factor, lower, kMaxZoomScale);
    setView(newScale, sx - world.x * newScale, sy - world.y * newScale);
}

void CanvasView::zoomIn(int clientWidth, int clientHeight, double outLimit) {
    zoomAbout(kZoomInFactor, clientWidth / 2, clientHeight / 2, outLimit);
}

void CanvasView::zoomOut(int clientWidth, int clientHeight, double outLimit) {
    zoomAbout(kZoomOutFactor, clientWidth / 2, clientHeight / 2, outLimit);
}

double zoomOutLimit(const Layout& layout, int clientWidth, int clientHeight,
                    const TrackCatalog& catalog) {
    const FittedView fitted = fittedView(layout, clientWidth, clientHeight, catalog);
    return fitted.empty ? kMinZoomScale : std::min(kMinZoomScale, fitted.scale);
}

void CanvasView::zoomToFit(const Layout& layout, int clientWidth, int clientHeight,
                           const TrackCatalog& catalog) {
    const FittedView fitted = fittedView(layout, clientWidth, clientHeight, catalog);
    setView(fitted.scale, fitted.panX, fitted.panY);
}

void CanvasView::zoomToFit(const Layout& layout, int clientWidth, int clientHeight) {
    zoomToFit(layout, clientWidth, clientHeight, TrackCatalog::instance());
}

void CanvasView::resetViewLarge() {
    setView(kLargeScale, kDefaultPan, kDefaultPan);
}

void CanvasView::centreOn(Point world, int clientWidth, int clientHeight) {
    setView(view_.scale, clientWidth / 2.0 - world.x * view_.scale,
            clientHeight / 2.0 - world.y * view_.scale);
}

void CanvasView::resetViewDefault() {
    setView(kDefaultScale, kDefaultPan, kDefaultPan);
}

void CanvasView::beginPan(PanSource source, int mouseX, int mouseY) {
    panSource_ = source;
    panStartMouseX_ = mouseX;
    panStartMouseY_ = mouseY;
    panStartX_ = view_.panX;
    panStartY_ = view_.panY;
}

void CanvasView::panTo(int mouseX, int mouseY) {
    if (!panning())
        return;
    view_.panX = panStartX_ + (mouseX - panStartMouseX_);
    view_.panY = panStartY_ + (mouseY - panStartMouseY_);
}

void CanvasView::endPan() {
    panSource_ = PanSource::None;
}

} // namespace plandor
