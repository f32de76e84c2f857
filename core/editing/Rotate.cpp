#include "core/editing/Rotate.h"
#include "core/base/Geometry.h"

#include "core/editing/EditLocks.h"
#include "core/editing/Rigid.h"
#include "core/editing/Selection.h"

#include <cmath>

namespace plandor {

double selectionWheelStep(int wheelRotation, bool shift) {
    const double step = shift ? 5.0 : 15.0;
    return wheelRotation < 0 ? -step : step;
}

namespace {

// Turns the whole selection (pieces, scenery, whole helices) about the pivot.
void turnSelection(Layout& layout, Point pivot, double degrees) {
    for (PlacedPiece& p : layout.pieces)
        if (p.selected)
            turnAbout(p, pivot, degrees);
    for (SceneryItem& s : layout.scenery)
        if (s.selected)
            turnAbout(s, pivot, degrees);
    const auto helices = wholeSelectedHelices(layout);
    for (Helix& h : layout.helices)
        if (helices.count(h.id))
            turnAbout(h, pivot, degrees);
}

double angleAbout(Point pivot, Point p) {
    return std::atan2(p.y - pivot.y, p.x - pivot.x) * kRadToDeg;
}

// The right angle the heading is within 2 degrees of (360 counting as 0), or -1.
double nearRightAngle(double heading) {
    for (double r : {0.0, 90.0, 180.0, 270.0, 360.0})
        if (std::fabs(heading - r) <= kRightAngleSnap)
            return r == 360.0 ? 0.0 : r;
    return -1;
}

} // namespace

void rotateSelection(Layout& layout, Point pivot, double degrees) {
    turnSelection(layout, pivot, degrees);
}

bool FreeRotation::begin(Layout& layout, Prompter& prompter, Point world) {
    *this = FreeRotation{};
    if (!piecesOrScenerySelected(layout))
        return false;
    const bool wholeHelix = selectionIsOneWholeHelix(layout);
    if (!wholeHelix && !canEdit(layout, prompter, "rotate"))
        return false;

    double sx = 0, sy = 0;
    int count = 0;
    for (const PlacedPiece& p : layout.pieces)
        if (p.selected) {
            sx += p.x;
            sy += p.y;
            ++count;
            if (referencePiece_ == -1) {
                referencePiece_ = p.id;
                startReference_ = p.heading;
            }
        }
    for (const SceneryItem& s : layout.scenery)
        if (s.selected) {
            sx += s.x;
            sy += s.y;
            ++count;
            if (referencePiece_ == -1 && referenceScenery_ == -1) {
                referenceScenery_ = s.id;
                startReference_ = s.heading;
            }
        }
    const Helix* helix = wholeHelix ? layout.findHelix(selectedHelixId(layout)) : nullptr;
    pivot_ = helix ? Point{helix->cx, helix->cy} : Point{sx / count, sy / count};
    startAngle_ = angleAbout(pivot_, world);
    target_ = startReference_;
    active_ = true;
    return true;
}

bool FreeRotation::motion(Layout& layout, Point world) {
    if (!active_)
        return false;
    const double* current = nullptr;
    if (const PlacedPiece* p = layout.findPiece(referencePiece_))
        current = &p->heading;
    else if (const SceneryItem* s = layout.findScenery(referenceScenery_))
        current = &s->heading;
    if (!current)
        return false;
    const double a = foldAngle(angleAbout(pivot_, world) - startAngle_);
    target_ = normalizeHeading(startReference_ + a);
    const double right = nearRightAngle(target_);
    const bool landed = right >= 0;
    if (landed) {
        target_ = right;
        flash_ = true;
    }
    turnSelection(layout, pivot_, foldAngle(target_ - *current));
    return landed;
}

} // namespace plandor
