#pragma once
// What one edit, undo, redo or file command changed, so that the window refreshes exactly the
// views that show it.

#include "core/base/Geometry.h"

#include <cstdint>

namespace plandor {

struct Change {
    enum Part : uint32_t {
        Pieces = 1u << 0,      // placed pieces, joints, helices, tunnels
        Selection = 1u << 1,   // which objects are selected
        Heights = 1u << 2,     // heights and grades
        Levels = 1u << 3,      // the levels or the objects' levels
        Annotations = 1u << 4, // labels, scenery, shapes, measurements
        ViewSettings = 1u << 5,
        FileName = 1u << 6, // path, display name or modified flag
        Replaced = 1u << 7, // the whole layout was replaced (undo, redo, new, open, import)
        // The level list alone (visibility, active level, names, colours): saved in the file
        // but not undone, so such an edit marks the document modified without an undo step.
        SavedSettings = 1u << 8,
        // The baseboard outline and the last layout shape: an undo step of its own.
        Baseboard = 1u << 9,
    };
    // What placing, pasting, deleting, moving or rotating pieces may change (heights follow a
    // joined grade, tunnel portals and scenery go with their track).
    static constexpr uint32_t kPiecesEdited = Pieces | Selection | Heights | Annotations;
    // The parts that an undo step restores.
    static constexpr uint32_t kUndoable = Pieces | Heights | Levels | Annotations | Baseboard;
    static constexpr uint32_t kEverything = Pieces | Selection | Heights | Levels | Annotations |
                                            ViewSettings | FileName | Replaced | SavedSettings |
                                            Baseboard;

    uint32_t parts = 0;
    bool modified = false; // the document became (or stayed) modified through this change
    // The world box outside which the drawing of the layout did not change; empty when the
    // change cannot be bounded (the whole plan is redrawn).
    Bounds area;

    Change() = default;
    explicit Change(uint32_t changed) : parts(changed) {}

    bool has(uint32_t part) const { return (parts & part) != 0; }
    bool any() const { return parts != 0; }
    explicit operator bool() const { return any(); }
    bool replaced() const { return has(Replaced); }
    // The layout's drawing depends on it (everything but the file name does).
    bool redraw() const { return (parts & ~static_cast<uint32_t>(FileName)) != 0; }

    bool bounded() const { return !area.empty(); }

    Change& operator|=(const Change& o) {
        // Joined changes stay bounded only while every part that changes the drawing is.
        const bool keep = (bounded() || !redraw()) && (o.bounded() || !o.redraw());
        if (keep && o.bounded()) {
            area.add(o.area.minX, o.area.minY);
            area.add(o.area.maxX, o.area.maxY);
        } else if (!keep) {
            area = Bounds{};
        }
        parts |= o.parts;
        modified = modified || o.modified;
        return *this;
    }
};

inline Change operator|(Change a, const Change& b) {
    return a |= b;
}

} // namespace plandor
