#pragma once
// The table of fixed colours, and the small colour arithmetic the renderer applies (branch
// shading, elevation tint, tunnel wash-out, dot outlines, greyscale).

#include "core/render/Painter.h"

namespace plandor {

// Every fixed colour the program draws in 2D: the plan, the overlays of the canvas, the
// check marks, the rulers, the palette's preview and the coloured texts of the properties
// panel. A drawing takes its colours from the
// table its render settings name; the overlays use the plan's table.
struct RenderColors {
    Color background{255, 255, 255};
    Color baseboardFill{245, 235, 210};
    Color baseboardPen{120, 90, 50}; // baseboard and level outlines
    Color levelFill{235, 220, 190};  // level without a track colour
    Color gridLine{220, 220, 215};
    Color originCross{180, 180, 220};
    Color dimensionText{80, 50, 20};
    Color dimensionBoxFill{255, 248, 220, 200};
    Color dimensionBoxPen{180, 140, 80};

    Color pieceFillSelected{180, 200, 230};
    Color pieceFillKTrack{215, 200, 175};
    Color pieceFill{210, 210, 205};
    Color pieceOutlineSelected{40, 100, 200};
    Color pieceOutline{120, 120, 115};
    Color pieceLabel{50, 50, 50};
    Color pieceLabelSelected{40, 100, 200};
    Color dotJoined{60, 180, 60};
    Color dotFree{255, 140, 0};

    Color selectionBlue{40, 80, 200};     // shapes, labels, measurements
    Color sceneryFrameBlue{40, 100, 200}; // scenery footprint frame
    Color plainText{20, 20, 20};
    Color gradeFalling{30, 100, 200};
    Color gradeRising{220, 100, 20};
    Color measurementLine{60, 60, 60};
    Color labelBackground{255, 255, 220, 200};
    Color measurementBox{255, 248, 220, 235};
    Color measurementBoxSelected{220, 232, 255, 235};

    Color contactBoxFill{100, 120, 220};
    Color contactBoxPen{60, 60, 160};
    Color straightBridgeArch{80, 100, 130, 180};
    Color curveBridgeArch{80, 100, 130, 200};
    Color turntableDisc{220, 215, 210};
    Color turntableBridge{80, 60, 40};
    Color turntableApproach{100, 80, 60};
    Color turntableConnector{160, 140, 100};

    Color ghostFill{200, 225, 200};
    Color ghostOutline{80, 150, 80};
    Color ghostTurntableDisc{220, 215, 210, 180};

    // Overlays of the canvas: the helix ghost, the snap marker, the rubber band, the pivot of
    // a free rotation with its heading, the outline and measurement being drawn, and the
    // handles of a scenery item.
    Color helixGhost{0, 160, 60};
    Color snapMarkerPen{180, 120, 0};
    Color snapMarkerFill{255, 220, 0};
    Color rubberBand{0, 120, 215};
    Color pivotFlashPen{0, 160, 60};
    Color pivotFlashFill{0, 220, 80, 180};
    Color pivotPen{180, 120, 0};
    Color pivotFill{255, 180, 0, 160};
    Color pivotTextBox{30, 30, 30, 200};
    Color pivotText{255, 255, 255};
    Color drawnOutline{40, 80, 200};
    Color vertexMarkerEdge{20, 20, 20};
    Color vertexMarkerFill{255, 255, 255};
    Color lengthText{20, 20, 60};
    Color lengthBox{255, 255, 255, 200};
    Color lengthBoxEdge{200, 200, 200};
    Color closeMarker{40, 150, 60};
    Color sceneryHandleEdge{40, 90, 200};
    Color sceneryHandleFill{255, 255, 255};

    // Marks of the layout check.
    Color openEndMarkFill{255, 140, 0};
    Color openEndMarkPen{130, 60, 0};
    Color clearanceMarkPen{220, 0, 60};
    Color reversingMarkPen{150, 0, 200};

    // Rulers.
    Color rulerBorder{180, 180, 180, 255};
    Color rulerStrip{240, 240, 240, 255};
    Color rulerTick{140, 140, 140, 255};
    Color rulerText{80, 80, 80, 255};
    Color rulerOrigin{200, 80, 80, 255};

    // The palette's piece preview.
    Color previewBackground{255, 255, 240};
    Color previewFrame{180, 180, 180};
    Color previewText{60, 60, 60};

    // Texts of the properties panel: a grade steeper than the limit, and the tally's
    // "We Recommend" heading.
    Color gradeWarningText{200, 40, 40, 255};
    Color recommendHeading{60, 60, 160, 255};

    // The 3D view: the track's materials, the baseboard, a tunnel hill from its foot to its
    // crown, and the backdrop with its ground grid and axes.
    Color ballast3D{194, 189, 179};
    Color sleeper3D{97, 69, 41};
    Color rail3D{189, 189, 199};
    Color baseboard3D{92, 128, 77};
    Color hillFoot3D{140, 117, 92};
    Color hillCrown3D{102, 140, 82};
    Color backdrop3D{36, 41, 48};
    Color groundGrid3D{56, 61, 56};
    Color axisX3D{115, 46, 46};
    Color axisY3D{46, 115, 46};
};

// The colours of the plan on screen, on paper and in exported pictures.
inline constexpr RenderColors kPlanColors{};

// Each channel lowered by the given amounts, never below 0; alpha kept.
Color darkened(Color c, int dr, int dg, int db);
// Each channel raised by the given amounts, never above 255; alpha kept.
Color lightened(Color c, int dr, int dg, int db);
// Washed-out look of track inside a tunnel: trunc(c * 0.4 + 132) per channel.
Color washedOut(Color c);
// The toolkit's lightness change: below 100 blends toward black, above toward white.
Color changeLightness(Color c, int amount);
// Fill of track at elevation z (mm): grey through yellow to brown by 120 mm.
Color elevationFill(double z);
// The grey of the same lightness, with the toolkit's standard weights (0.299, 0.587, 0.114),
// rounded; alpha kept.
Color greyOf(Color c);
// Fill of a level's outline when the level has its own track colour: mixed one part to two
// with the baseboard colour.
Color levelOutlineFill(Color track);

} // namespace plandor
