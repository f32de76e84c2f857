#include "core/editing/EditLocks.h"
#include "core/editing/Rigid.h"
#include "core/editing/Rotate.h"
#include "core/editing/Selection.h"

namespace plandor {

double sceneryCommandStep(const SceneryDef* def) {
    if (def && (def->category == Platforms || def->category == Signals))
        return 30.0;
    return 15.0;
}

bool rotateSelectionByCommand(Layout& layout, Prompter& prompter) {
    if (!piecesOrScenerySelected(layout))
        return false;
    const bool wholeHelix = selectionIsOneWholeHelix(layout);
    if (!wholeHelix && !canEdit(layout, prompter, "rotate"))
        return false;

    Point pivot;
    Helix* helix = wholeHelix ? layout.findHelix(selectedHelixId(layout)) : nullptr;
    if (helix) {
        pivot = Point{helix->cx, helix->cy};
        helix->heading = normalizeHeading(helix->heading + 30.0);
    } else {
        bool found = false;
        for (const PlacedPiece& p : layout.pieces)
            if (p.selected && !found) {
                pivot = Point{p.x, p.y};
                found = true;
            }
        for (const SceneryItem& s : layout.scenery)
            if (s.selected && !found) {
                pivot = Point{s.x, s.y};
                found = true;
            }
    }
    for (PlacedPiece& p : layout.pieces)
        if (p.selected)
            turnAbout(p, pivot, 30.0);
    const SceneryCatalog& catalog = SceneryCatalog::instance();
    for (SceneryItem& s : layout.scenery)
        if (s.selected)
            turnAbout(s, pivot, sceneryCommandStep(catalog.find(s.item)));
    return true;
}

} // namespace plandor
