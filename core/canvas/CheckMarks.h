#pragma once
// Marks the canvas draws over the plan while the check list is open: where track ends are left
// open and where tracks pass over one another with too little headroom.

#include "core/base/Color.h"
#include "core/base/Geometry.h"
#include "core/render/Painter.h"
#include "core/render/ViewTransform.h"

#include <vector>

namespace plandor {

enum class CheckMarkKind { OpenEnd, Clearance, Reversing };

struct CheckMark {
    CheckMarkKind kind = CheckMarkKind::OpenEnd;
    Point at; // layout coordinates
};

constexpr int kOpenEndMarkRadius = 7;
constexpr int kClearanceMarkRadius = 13;
constexpr Color kOpenEndMarkFill{255, 140, 0};
constexpr Color kOpenEndMarkPen{130, 60, 0};
constexpr Color kClearanceMarkPen{220, 0, 60};
constexpr Color kReversingMarkPen{150, 0, 200};

// Draws the marks that can show on the width x height surface: an orange disc on an open end,
// a red ring with a cross where the headroom is too small, a purple ring with the two bars of
// an insulated joint where a reversing section starts. Each keeps its size in pixels.
void drawCheckMarks(Painter& painter, const std::vector<CheckMark>& marks,
                    const ViewTransform& view, int width, int height);

} // namespace plandor
