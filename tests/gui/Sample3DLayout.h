#pragma once
// A small layout with everything the 3D view draws: two levels, a graded climb onto a truss
// and an arch bridge, a helix, a tunnel with its portals, a raised shape, scenery and a
// baseboard.
#include "model/HelixPlacement.h"
#include "model/Layout.h"

#include <cmath>

namespace plandor::guitest {

inline Layout sample3DLayout() {
    Layout layout;
    layout.ensureDefaultLevel();
    Level upper;
    upper.id = 2;
    upper.name = "Level 2";
    upper.height = 60;
    layout.levels.push_back(upper);

    auto put = [&](const char* part, double x, double y, double heading, double z, double grade) {
        PlacedPiece p = makePlacedPiece(part);
        p.id = layout.takeId();
        p.x = x;
        p.y = y;
        p.heading = heading;
        p.z = z;
        p.grade = grade;
        layout.pieces.push_back(p);
        return p.id;
    };
    // A climb at 4 degrees from the ground onto two bridges and on to a bumper.
    const double rise = 188.3 * std::sin(4 * 3.14159265358979 / 180);
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

    auto scenery = [&](const char* type, double sx, double sy, double heading) {
        SceneryItem s;
        s.id = layout.takeId();
        s.item = type;
        s.x = sx;
        s.y = sy;
        s.heading = heading;
        layout.scenery.push_back(s);
    };
    scenery("tunnel_portal_single", 300, 450, 0);
    scenery("tunnel_portal_single", 300 + 3 * 188.3, 450, 0);
    scenery("station_small", 900, 120, 0);
    scenery("platform", 600, 60, 0);
    scenery("signal_semaphore_stop", 450, 30, 0);
    scenery("shed_1road", 1400, 450, 0);
    scenery("water_tower", 1150, 420, 0);
    for (int i = 0; i < 6; ++i)
        scenery(i % 2 ? "tree_conifer" : "tree_lg_dec", 80 + 60 * i, 300, 0);
    scenery("car", 1000, 300, 30);

    PolygonShape hill;
    hill.id = layout.takeId();
    hill.height = 25;
    hill.vertices = {{1500, 80}, {1800, 60}, {1850, 250}, {1600, 300}};
    layout.shapes.push_back(hill);

    placeHelix(layout, -600, 350, 0, "proses_2_5_r1r2");
    layout.baseboard = {{-1150, -150}, {2000, -150}, {2000, 700},
                        {600, 700},    {600, 950},   {-1150, 950}};
    return layout;
}

} // namespace plandor::guitest
