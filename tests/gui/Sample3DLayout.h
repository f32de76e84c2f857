#pragma once
// A small layout with every kind of thing the 3D view draws: two levels, a graded climb onto a
// truss and an arch bridge, a helix, a tunnel with its portals, a raised shape, scenery and a
// baseboard.
#include "../core/LayoutBuilder.h"
#include "core/model/HelixPlacement.h"

#include <cmath>

namespace plandor::guitest {

inline Layout sample3DLayout() {
    Layout layout = emptyLayout();
    addLevel(layout, 2, 60);
    auto put = [&](const char* part, double x, double y, double heading, double z, double grade) {
        PlacedPiece& p = addPiece(layout, part, x, y, heading);
        p.z = z;
        p.grade = grade;
        return p.id;
    };
    // A climb at 4 degrees from the ground onto two bridges and on to a bumper.
    const double rise = 188.3 * std::sin(4 * kDegToRad);
    double x = 0, z = 0;
    put("24188", x, 0, 0, 0, 0);
    x += 188.3;
    for (int i = 0; i < 5; ++i, x += 188.3, z += rise)
        put("24188", x, 0, 0, z, 4);
    put("74620", x, 0, 0, z, 0);
    x += 188.3;
    put("74636", x, 0, 0, z, 0);
    x += 360;
    put("24188", x, 0, 0, z, 0);
    put("24977", x + 188.3, 0, 0, z, 0);

    // Three straights under a tunnel, with a portal at each end.
    Tunnel tunnel;
    tunnel.id = layout.takeId();
    for (int i = 0; i < 3; ++i)
        tunnel.covers.push_back(put("24188", 300 + 188.3 * i, 450, 0, 0, 0));
    layout.tunnels.push_back(tunnel);

    addScenery(layout, "tunnel_portal_single", 300, 450, 0);
    addScenery(layout, "tunnel_portal_single", 300 + 3 * 188.3, 450, 0);
    addScenery(layout, "station_small", 900, 120, 0);
    addScenery(layout, "tree_conifer", 80, 300, 0);
    addScenery(layout, "car", 1000, 300, 30);

    addShape(layout, {{1500, 80}, {1800, 60}, {1850, 250}, {1600, 300}}, 25);

    placeHelix(layout, -600, 350, 0, "proses_2_5_r1r2");
    layout.baseboard = {{-1150, -150}, {2000, -150}, {2000, 700},
                        {600, 700},    {600, 950},   {-1150, 950}};
    return layout;
}

} // namespace plandor::guitest
