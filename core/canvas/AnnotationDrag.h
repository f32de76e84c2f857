#pragma once
// Dragging one measurement, polygon shape or label: its points follow the mouse's world
// delta from where they were at the press (a label thus keeps the click's offset).

#include "core/base/Geometry.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <vector>

namespace plandor {

enum class AnnotationKind { None, Measurement, Shape, Label };

class AnnotationDrag {
  public:
    // False (and no drag) when the object is not in the layout.
    bool begin(Layout& layout, AnnotationKind kind, int32_t id, Point press);
    // Moves the object; ends the drag when it is gone or its outline changed under it.
    void motion(Layout& layout, Point now);
    void end() { *this = AnnotationDrag{}; }

    bool active() const { return kind_ != AnnotationKind::None; }
    AnnotationKind kind() const { return kind_; }
    bool moved() const { return moved_; }

  private:
    // The object's points: a measurement's two ends, a shape's vertices, a label's anchor.
    static std::vector<Point>* pointsOf(Layout& layout, AnnotationKind kind, int32_t id,
                                        std::vector<Point>& scratch);

    AnnotationKind kind_ = AnnotationKind::None;
    int32_t id_ = -1;
    Point press_;
    std::vector<Point> start_;
    bool moved_ = false;
};

} // namespace plandor
