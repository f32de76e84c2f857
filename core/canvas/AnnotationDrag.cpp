#include "core/canvas/AnnotationDrag.h"

#include <algorithm>

namespace plandor {

namespace {

Measurement* findMeasurement(Layout& layout, int32_t id) {
    auto it = std::find_if(layout.measurements.begin(), layout.measurements.end(),
                           [id](const Measurement& m) { return m.id == id; });
    return it == layout.measurements.end() ? nullptr : &*it;
}

} // namespace

std::vector<Point>* AnnotationDrag::pointsOf(Layout& layout, AnnotationKind kind, int32_t id,
                                             std::vector<Point>& scratch) {
    switch (kind) {
    case AnnotationKind::Measurement:
        if (const Measurement* m = findMeasurement(layout, id)) {
            scratch = {Point{m->x1, m->y1}, Point{m->x2, m->y2}};
            return &scratch;
        }
        return nullptr;
    case AnnotationKind::Shape:
        if (PolygonShape* s = layout.findShape(id))
            return &s->vertices;
        return nullptr;
    case AnnotationKind::Label:
        if (const LayoutLabel* l = layout.findLabel(id)) {
            scratch = {Point{l->x, l->y}};
            return &scratch;
        }
        return nullptr;
    case AnnotationKind::None:
        break;
    }
    return nullptr;
}

bool AnnotationDrag::begin(Layout& layout, AnnotationKind kind, int32_t id, Point press) {
    std::vector<Point> scratch;
    const std::vector<Point>* points = pointsOf(layout, kind, id, scratch);
    if (!points)
        return false;
    kind_ = kind;
    id_ = id;
    press_ = press;
    start_ = *points;
    moved_ = false;
    return true;
}

void AnnotationDrag::motion(Layout& layout, Point now) {
    if (!active())
        return;
    std::vector<Point> scratch;
    std::vector<Point>* points = pointsOf(layout, kind_, id_, scratch);
    if (!points || points->size() != start_.size()) {
        end();
        return;
    }
    const double dx = now.x - press_.x, dy = now.y - press_.y;
    for (std::size_t i = 0; i < start_.size(); ++i)
        (*points)[i] = Point{start_[i].x + dx, start_[i].y + dy};
    moved_ = moved_ || dx != 0 || dy != 0;
    if (kind_ == AnnotationKind::Measurement) {
        Measurement* m = findMeasurement(layout, id_);
        m->x1 = scratch[0].x;
        m->y1 = scratch[0].y;
        m->x2 = scratch[1].x;
        m->y2 = scratch[1].y;
    } else if (kind_ == AnnotationKind::Label) {
        LayoutLabel* l = layout.findLabel(id_);
        l->x = scratch[0].x;
        l->y = scratch[0].y;
    }
}

} // namespace plandor
