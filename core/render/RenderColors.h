#pragma once
// Every fixed colour of the 2D plan, and the small colour arithmetic the renderer applies
// (branch shading, elevation tint, tunnel wash-out, dot outlines).

#include "core/render/Painter.h"

namespace plandor {
namespace colors {

constexpr Color Background{255, 255, 255};
constexpr Color BaseboardFill{245, 235, 210};
constexpr Color BaseboardPen{120, 90, 50}; // baseboard and level outlines
constexpr Color LevelFill{235, 220, 190};  // level without a track colour
constexpr Color GridLine{220, 220, 215};
constexpr Color OriginCross{180, 180, 220};
constexpr Color DimensionText{80, 50, 20};
constexpr Color DimensionBoxFill{255, 248, 220, 200};
constexpr Color DimensionBoxPen{180, 140, 80};

constexpr Color PieceFillSelected{180, 200, 230};
constexpr Color PieceFillKTrack{215, 200, 175};
constexpr Color PieceFill{210, 210, 205};
constexpr Color PieceOutlineSelected{40, 100, 200};
constexpr Color PieceOutline{120, 120, 115};
constexpr Color PieceLabel{50, 50, 50};
constexpr Color PieceLabelSelected{40, 100, 200};
constexpr Color DotJoined{60, 180, 60};
constexpr Color DotFree{255, 140, 0};

constexpr Color SelectionBlue{40, 80, 200};     // shapes, labels, measurements
constexpr Color SceneryFrameBlue{40, 100, 200}; // scenery footprint frame
constexpr Color PlainText{20, 20, 20};
constexpr Color GradeFalling{30, 100, 200};
constexpr Color GradeRising{220, 100, 20};
constexpr Color MeasurementLine{60, 60, 60};
constexpr Color LabelBackground{255, 255, 220, 200};
constexpr Color MeasurementBox{255, 248, 220, 235};
constexpr Color MeasurementBoxSelected{220, 232, 255, 235};

constexpr Color ContactBoxFill{100, 120, 220};
constexpr Color ContactBoxPen{60, 60, 160};
constexpr Color StraightBridgeArch{80, 100, 130, 180};
constexpr Color CurveBridgeArch{80, 100, 130, 200};
constexpr Color TurntableDisc{220, 215, 210};
constexpr Color TurntableBridge{80, 60, 40};
constexpr Color TurntableApproach{100, 80, 60};
constexpr Color TurntableConnector{160, 140, 100};

constexpr Color GhostFill{200, 225, 200};
constexpr Color GhostOutline{80, 150, 80};
constexpr Color GhostTurntableDisc{220, 215, 210, 180};

} // namespace colors

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
// Fill of a level's outline when the level has its own track colour: mixed one part to two
// with the baseboard colour.
Color levelOutlineFill(Color track);

} // namespace plandor
