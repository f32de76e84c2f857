#pragma once
// What one edit, undo, redo or file command changed, so that the window refreshes exactly the
// views that show it.

#include "core/base/Geometry.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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
    // When `area` joins boxes far apart (the piece dropped here, the one that lost the
    // selection there), those boxes, so that only they are redrawn; empty otherwise.
    std::vector<Bounds> areaParts;
    // Joined changes keep at most this many boxes apart; beyond, their `area` alone.
    static constexpr std::size_t kMostAreaParts = 8;
    // A line for the status bar's message field, empty to leave it. The piece count and the
    // elevation text are not carried: the window derives them from the document.
    std::string message;

    Change() = default;
    explicit Change(uint32_t changed) : parts(changed) {}

    bool has(uint32_t part) const { return (parts & part) != 0; }
    bool any() const { return parts != 0; }
    explicit operator bool() const { return any(); }
    bool replaced() const { return has(Replaced); }
    // The layout's drawing depends on it (everything but the file name does).
    bool redraw() const { return (parts & ~static_cast<uint32_t>(FileName)) != 0; }

    bool bounded() const { return !area.empty(); }

    // Bounds the change by the boxes given: `area` holds them all, `areaParts` each when
    // there are several. Empty boxes are left out; none left, the change is not bounded.
    void boundBy(const std::vector<Bounds>& boxes) {
        area = Bounds{};
        areaParts.clear();
        for (const Bounds& b : boxes)
            if (!b.empty()) {
                area.add(b.minX, b.minY);
                area.add(b.maxX, b.maxY);
                areaParts.push_back(b);
            }
        if (areaParts.size() < 2)
            areaParts.clear();
    }
    // The boxes that make up `area`: its parts, or `area` itself.
    std::vector<Bounds> areaBoxes() const {
        if (!areaParts.empty())
            return areaParts;
        return bounded() ? std::vector<Bounds>{area} : std::vector<Bounds>{};
    }

    // A change that says nothing but a status line (an export written, a tool's hint).
    static Change saying(std::string line) {
        Change c;
        c.message = std::move(line);
        return c;
    }
    // The change is worth showing: it changed something or has a line to say.
    bool reported() const { return any() || !message.empty(); }

    Change& operator|=(const Change& o) {
        // Joined changes stay bounded only while every part that changes the drawing is.
        const bool keep = (bounded() || !redraw()) && (o.bounded() || !o.redraw());
        if (keep && o.bounded()) {
            std::vector<Bounds> boxes = areaBoxes();
            for (const Bounds& b : o.areaBoxes())
                boxes.push_back(b);
            boundBy(boxes);
            if (areaParts.size() > kMostAreaParts)
                areaParts.clear();
        } else if (!keep) {
            area = Bounds{};
            areaParts.clear();
        }
        parts |= o.parts;
        modified = modified || o.modified;
        if (!o.message.empty())
            message = o.message;
        return *this;
    }
};

inline Change operator|(Change a, const Change& b) {
    return a |= b;
}

} // namespace plandor
