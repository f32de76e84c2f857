#pragma once
// Draws a whole layout, or single pieces and scenery items, through a Painter.
// The canvas, the palette preview and the printout share it.

#include "core/model/Layout.h"
#include "core/render/Painter.h"
#include "core/render/PieceGeometry.h"
#include "core/render/ViewTransform.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace plandor {

struct PieceDef;
struct SceneryDef;

// What a drawing shows besides the layout's records. The canvas shows what the layout's own
// switches say; a printed or exported page builds its own options, so that drawing never
// changes the layout.
struct RenderOptions {
    enum class Levels {
        AsShown, // the levels whose visible flag is set
        All,
        OnlyOne, // `onlyLevel` alone
    };
    bool grid = true;
    bool baseboard = true;
    bool labels = true; // part numbers and connector dots
    Levels levels = Levels::AsShown;
    int32_t onlyLevel = -1;
    // Texts of a fixed size on the canvas (dimensions, shape names, measurements) are sized
    // as at scale 1 and then follow the scale, as labels and track do: on paper every text
    // covers the same part of the plan.
    bool textFollowsScale = false;
    // Selected items in the selection colours. An exported picture shows the plan, not what
    // happens to be selected while editing.
    bool selection = true;

    // As the layout's switches and level flags say.
    static RenderOptions of(const Layout& layout) {
        RenderOptions o;
        o.grid = layout.showGrid;
        o.baseboard = layout.showBaseboard;
        o.labels = layout.showLabels;
        return o;
    }
};

// Colours one piece is drawn with, after selection, level, elevation and tunnel rules.
struct PieceStyle {
    Color fill;
    Color outline;
    Color turntableDisc;
    Color turntableBridge;
};

class LayoutRenderer {
  public:
    // Clears the surface and draws everything in the layout. Items whose bounds lie wholly
    // outside the width x height surface are skipped.
    void drawLayout(Painter& painter, const Layout& layout, const ViewTransform& view, int width,
                    int height);
    // The same with what the options show instead of the layout's own switches.
    void drawLayout(Painter& painter, const Layout& layout, const RenderOptions& options,
                    const ViewTransform& view, int width, int height);
    // Redraws one rectangle of a surface drawn by drawLayout, the painter being clipped to it
    // by the caller: the pixels inside come out as a whole drawLayout would make them.
    void drawLayoutArea(Painter& painter, const Layout& layout, const ViewTransform& view,
                        int width, int height, int x, int y, int w, int h);
    // While the selection moves, the plan is kept without it and the selection is drawn over
    // that on every motion.
    void drawLayoutWithoutSelection(Painter& painter, const Layout& layout,
                                    const ViewTransform& view, int width, int height);
    // The selected pieces, helices and scenery items alone, drawn over what the painter holds.
    void drawSelection(Painter& painter, const Layout& layout, const ViewTransform& view, int width,
                       int height);

    void drawPiece(Painter& painter, const PlacedPiece& piece, const PieceDef& def,
                   const ViewTransform& view, bool selected, bool labelsOn, bool inTunnel);
    void drawSceneryItem(Painter& painter, const SceneryDef& def, double x, double y,
                         double heading, const ViewTransform& view, bool selected, double scaleX,
                         double scaleY);
    void drawConnectorDots(Painter& painter, const PlacedPiece& piece, const PieceDef& def,
                           const ViewTransform& view);
    // The piece being placed: fixed green colours, every connector free, no label.
    void drawGhostPiece(Painter& painter, const PieceDef& def, double x, double y, double heading,
                        const ViewTransform& view);
    // The scenery item being placed, with its footprint dotted around it.
    void drawGhostScenery(Painter& painter, const SceneryDef& def, double x, double y,
                          double heading, const ViewTransform& view);
    // One ring of a helix: ringCount pieces of ringDef at 30 degree steps round the centre.
    void drawHelixRing(Painter& painter, const Helix& helix, double ringRadius,
                       const PieceDef& ringDef, const ViewTransform& view, int ringCount,
                       int32_t level, bool selected);
    void drawGrid(Painter& painter, const Layout& layout, const ViewTransform& view, int width,
                  int height);

    // Helix pieces and the track joined to them, from the last drawLayout.
    const std::unordered_set<int32_t>& helixLinkedPieces() const { return helixLinked_; }

    // The colours drawPiece uses for a piece on the given level (null when unknown).
    PieceStyle pieceStyle(const PlacedPiece& piece, const PieceDef& def, const Level* level,
                          bool selected, bool inTunnel) const;

  private:
    enum class Subset { Everything, AllButSelection, SelectionOnly };

    // An item's selection as drawn. Selected items are drawn after the others, over them;
    // with the selection not shown everything is drawn in list order.
    bool shown(bool selected) const { return selected && options_.selection; }

    void drawLayoutWithin(Painter& painter, const Layout& layout, const RenderOptions& options,
                          const ViewTransform& view, int width, int height, const Bounds& area,
                          Subset subset);
    // The point size of a text that is `points` on the canvas, under the options.
    int textPoints(int points, const ViewTransform& view) const;
    // Whether things on the level are drawn; things on a level that does not exist are.
    bool levelShown(const Layout& layout, int32_t levelId) const;
    // Whether an object of the given selection state belongs to the subset being drawn.
    bool inSubset(bool selected) const {
        return subset_ == Subset::Everything || (subset_ == Subset::SelectionOnly) == selected;
    }

    // Steps of drawLayout.
    void drawTrackAndScenery(Painter& painter, const Layout& layout, const ViewTransform& view);
    void drawBaseboardFill(Painter& painter, const Layout& layout, const ViewTransform& view);
    void drawLevelOutlines(Painter& painter, const Layout& layout, const ViewTransform& view);
    void drawBaseboardOutline(Painter& painter, const Layout& layout, const ViewTransform& view);
    void drawShapes(Painter& painter, const Layout& layout, const ViewTransform& view);
    void drawScenery(Painter& painter, const Layout& layout, const ViewTransform& view,
                     bool portals);
    void collectTunnelPieces(const Layout& layout);
    void collectHelixGroups(const Layout& layout);
    void drawPieceGroup(Painter& painter, const Layout& layout, const ViewTransform& view,
                        bool bottomGroup);
    void drawHelices(Painter& painter, const Layout& layout, const ViewTransform& view);
    void drawGradeArrows(Painter& painter, const Layout& layout, const ViewTransform& view);
    void drawLabels(Painter& painter, const Layout& layout, const ViewTransform& view);
    void drawMeasurements(Painter& painter, const Layout& layout, const ViewTransform& view);

    // Piece parts.
    void drawPieceBody(Painter& painter, const PlacedPiece& piece, const PieceDef& def,
                       const PieceFrame& frame, const ViewTransform& view, const PieceStyle& style);
    void drawTurntable(Painter& painter, const PlacedPiece& piece, const PieceDef& def,
                       const PieceFrame& frame, const ViewTransform& view, const PieceStyle& style);
    void drawSlipLenses(Painter& painter, const PieceDef& def, const PieceFrame& frame,
                        const ViewTransform& view, const PieceStyle& style);
    void drawStraightBridgeArch(Painter& painter, const PlacedPiece& piece, const PieceDef& def,
                                const PieceFrame& frame, const ViewTransform& view);
    void drawContactBox(Painter& painter, const PieceDef& def, const PieceFrame& frame,
                        const ViewTransform& view);
    void drawPartNumber(Painter& painter, const PlacedPiece& piece, const PieceDef& def,
                        const PieceFrame& frame, const ViewTransform& view, bool selected);
    bool pieceOffSurface(Painter& painter, const PieceDef& def, const PlacedPiece& piece,
                         const ViewTransform& view, bool labels);
    int surfaceMargin(const PieceDef& def, const ViewTransform& view) const;
    // How far off the surface, in pixels, a piece's origin may lie and some catalogue piece
    // placed there still touch it, turned any way, with its marks and, when drawn, its label.
    double catalogueReach(const ViewTransform& view, bool labelsOn);
    int labelMargin(Painter& painter, const PieceDef& def, const ViewTransform& view);
    bool sceneryOffSurface(Painter& painter, const SceneryDef& def, const PieceFrame& frame,
                           const ViewTransform& view, double scaleX, double scaleY);
    TextExtent partNumberExtent(Painter& painter, const PieceDef& def, int fontSize);
    // How far, in pixels, a line through the piece's mid-point must move along the unit
    // direction (dx, dy) to pass clear of its part number; 0 when no part number is drawn.
    int partNumberClearance(Painter& painter, const PieceDef& def, const ViewTransform& view,
                            bool labelsOn, double dx, double dy);
    const Bounds& cachedLocalBounds(const PieceDef& def);

    // Converts points in a piece frame to screen points in screenPoints_, dropping repeats.
    void toScreen(const PieceFrame& frame, const std::vector<Point>& local,
                  const ViewTransform& view);
    void toScreen(const std::vector<Point>& world, const ViewTransform& view);
    void drawLocalPolygon(Painter& painter, const PieceFrame& frame, const ViewTransform& view);
    // Whether a screen box, grown by a margin in pixels, touches the surface. Always true
    // outside drawLayout, which is the only caller that knows the surface.
    bool onSurface(const Bounds& box, double margin) const;
    Bounds screenBoxOf(const std::vector<ScreenPoint>& points) const;
    // A box sure to hold the text drawn with its top left at (x, y) in a bold font of the
    // point size.
    static Bounds textBoxBound(double x, double y, const std::string& text, int pointSize);

    const Layout* layout_ = nullptr; // the layout being drawn, only during drawLayout
    RenderOptions options_;          // what the drawing under way shows
    std::unordered_set<int32_t> helixLinked_;

    bool culling_ = false;
    // The part of the surface being drawn: items wholly outside it are skipped.
    Bounds area_{0, 0, 0, 0};
    Subset subset_ = Subset::Everything;

    // Scratch space kept between draws so that drawing a piece allocates nothing.
    std::vector<Point> localPoints_;
    std::vector<ScreenPoint> screenPoints_;
    std::unordered_set<int32_t> tunnelPieces_;
    std::unordered_set<int32_t> portalIds_;
    std::unordered_map<int32_t, int> indexById_;
    std::vector<uint8_t> inBottomGroup_;
    std::vector<uint8_t> visited_;
    std::vector<int> walkQueue_;
    std::vector<int> order_;
    PlacedPiece ringPiece_;
    // Part-number label sizes of the current draw, and piece extents by catalogue position.
    int labelFontSize_ = 0;
    std::unordered_map<const PieceDef*, TextExtent> labelExtents_;
    std::vector<Bounds> catalogueBounds_;
    std::vector<uint8_t> catalogueBoundsKnown_;
    Bounds scratchBounds_;
    // The last catalogueReach answer and what it was worked out for.
    bool reachKnown_ = false;
    double reachScale_ = 0;
    bool reachLabels_ = false;
    double reach_ = 0;
};

} // namespace plandor
