#pragma once
// What a drawing of the plan shows besides the layout's records: one value that the canvas,
// the printed pages, the exported pictures and the 3D view are each drawn with. The canvas
// takes the layout's own switches; a print run or an export builds its own settings, so that
// drawing never changes the layout.

#include "core/model/Layout.h"
#include "core/render/RenderColors.h"

#include <cstdint>

namespace plandor {

struct RenderSettings {
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
    // Every colour turned to the grey of the same lightness, as on a greyscale print.
    bool greyscale = false;
    // Texts of a fixed size on the canvas (dimensions, shape names, measurements) are sized
    // as at scale 1 and then follow the scale, as labels and track do: on paper every text
    // covers the same part of the plan.
    bool textFollowsScale = false;
    // Selected items in the selection colours. An exported picture shows the plan, not what
    // happens to be selected while editing.
    bool selection = true;
    const RenderColors* colors = &kPlanColors;

    // As the layout's switches and level flags say.
    static RenderSettings of(const Layout& layout) {
        RenderSettings s;
        s.grid = layout.showGrid;
        s.baseboard = layout.showBaseboard;
        s.labels = layout.showLabels;
        return s;
    }
};

} // namespace plandor
