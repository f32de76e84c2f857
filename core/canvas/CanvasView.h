#pragma once
// The canvas's view of the plan: scale and pan, the zoom operations and the panning gesture.
// Screen = world * scale + pan, with no flip and no rotation.

#include "core/model/Layout.h"
#include "core/render/ViewTransform.h"

namespace plandor {

class TrackCatalog;

constexpr double kDefaultScale = 0.4;
constexpr double kLargeScale = 1.0;
constexpr double kDefaultPan = 60.0;
constexpr double kMinZoomScale = 0.3;
constexpr double kMaxZoomScale = 20.0;
constexpr double kMinFitScale = 0.05;
constexpr double kZoomInFactor = 1.25;
constexpr double kZoomOutFactor = 0.8;
constexpr double kFitBorder = 80.0; // pixels left free around a fitted layout

// Everything zoom to fit takes into account: pieces (origin and the point at catalogue length
// along the heading), scenery positions, level deck outlines, the baseboard, polygon vertices
// and helices with the outer radius of their variant.
Bounds layoutExtent(const Layout& layout, const TrackCatalog& catalog);

// How far zooming out may go: down to 0.3 px/mm, and further when the whole layout only fits
// the client area at a smaller scale (the scale zoom to fit would choose).
double zoomOutLimit(const Layout& layout, int clientWidth, int clientHeight,
                    const TrackCatalog& catalog);

// Who started the current pan; it decides which button release ends it.
enum class PanSource { None, MiddleButton, CtrlClick, SpaceBar };

class CanvasView {
  public:
    const ViewTransform& transform() const { return view_; }
    double scale() const { return view_.scale; }
    double panX() const { return view_.panX; }
    double panY() const { return view_.panY; }
    void setView(double scale, double panX, double panY);

    Point screenToWorld(double sx, double sy) const;

    // Scales by `factor` keeping the world point under (sx, sy); the result is clamped to
    // [min(outLimit, current scale), 20], so a step out never zooms in.
    void zoomAbout(double factor, double sx, double sy, double outLimit = kMinZoomScale);
    // Zoom in / out by 1.25 / 0.8 about the centre of a client area of the given size.
    void zoomIn(int clientWidth, int clientHeight, double outLimit = kMinZoomScale);
    void zoomOut(int clientWidth, int clientHeight, double outLimit = kMinZoomScale);
    // Centres the whole layout with an 80-pixel border (scale clamped to [0.05, 20]);
    // an empty layout gets the default view.
    void zoomToFit(const Layout& layout, int clientWidth, int clientHeight,
                   const TrackCatalog& catalog);
    void zoomToFit(const Layout& layout, int clientWidth, int clientHeight);
    // Keeps the scale and pans so the world point lies in the middle of the client area.
    void centreOn(Point world, int clientWidth, int clientHeight);
    void resetViewLarge();   // scale 1.0, pan (60, 60)
    void resetViewDefault(); // scale 0.4, pan (60, 60)

    // Panning: the pan follows the mouse from where the gesture started.
    void beginPan(PanSource source, int mouseX, int mouseY);
    void panTo(int mouseX, int mouseY);
    void endPan();
    bool panning() const { return panSource_ != PanSource::None; }
    PanSource panSource() const { return panSource_; }

  private:
    ViewTransform view_{kDefaultScale, kDefaultPan, kDefaultPan};
    PanSource panSource_ = PanSource::None;
    int panStartMouseX_ = 0;
    int panStartMouseY_ = 0;
    double panStartX_ = 0;
    double panStartY_ = 0;
};

} // namespace plandor
