#pragma once
// Layout building blocks shared by the renderer tests.

#include "catalog/TrackCatalog.h"
#include "model/Layout.h"

#include <gtest/gtest.h>

#include <string>

namespace plandor {

constexpr int kSurfaceWidth = 800;
constexpr int kSurfaceHeight = 600;

// A layout with only its first level, nothing drawn but what a test adds.
inline Layout bareLayout() {
    Layout layout;
    layout.ensureDefaultLevel();
    layout.showGrid = false;
    layout.showLabels = false;
    return layout;
}

inline PlacedPiece& addPiece(Layout& layout, const std::string& part, double x, double y,
                             double heading = 0) {
    PlacedPiece p = makePlacedPiece(part);
    p.id = layout.takeId();
    p.x = x;
    p.y = y;
    p.heading = heading;
    layout.pieces.push_back(p);
    return layout.pieces.back();
}

inline const PieceDef& catalogDef(const std::string& part) {
    const PieceDef* def = TrackCatalog::instance().find(part);
    if (!def)
        ADD_FAILURE() << "part " << part << " missing from the catalogue";
    static const PieceDef empty;
    return def ? *def : empty;
}

} // namespace plandor
