#include "render/LayoutFingerprint.h"
#include "model/Layout.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plandor;

namespace {

Layout sample() {
    Layout l;
    l.ensureDefaultLevel();
    PlacedPiece a = makePlacedPiece("24188");
    a.id = l.takeId();
    PlacedPiece b = makePlacedPiece("24188");
    b.id = l.takeId();
    b.x = 188.3;
    l.pieces = {a, b};
    l.join(a.id, 1, b.id, 0);
    l.scenery.push_back(SceneryItem{});
    l.labels.push_back(LayoutLabel{});
    l.measurements.push_back(Measurement{});
    PolygonShape s;
    s.vertices = {{0, 0}, {10, 0}, {0, 10}};
    l.shapes.push_back(s);
    l.helices.push_back(Helix{});
    l.tunnels.push_back(Tunnel{});
    l.gradeRuns.push_back(GradeRun{});
    l.baseboard = {{0, 0}, {100, 0}, {100, 100}};
    return l;
}

TEST(LayoutFingerprint, EveryDrawnChangeChangesIt) {
    const std::pair<const char*, std::function<void(Layout&)>> changes[] = {
        {"piece moved", [](Layout& l) { l.pieces[1].x += 0.001; }},
        {"piece raised", [](Layout& l) { l.pieces[0].z = 5; }},
        {"piece selected", [](Layout& l) { l.pieces[0].selected = true; }},
        {"piece colour", [](Layout& l) { l.pieces[0].colorG = 9; }},
        {"piece grade", [](Layout& l) { l.pieces[1].grade = 1.5; }},
        {"joint freed", [](Layout& l) { l.freeConnector(l.pieces[0].id, 1); }},
        {"scenery scaled", [](Layout& l) { l.scenery[0].scaleX = 2; }},
        {"label text", [](Layout& l) { l.labels[0].text = "Yard"; }},
        {"measurement label offset", [](Layout& l) { l.measurements[0].dy = 4; }},
        {"shape vertex", [](Layout& l) { l.shapes[0].vertices[2].y = 11; }},
        {"helix turned", [](Layout& l) { l.helices[0].heading = 30; }},
        {"tunnel covers", [](Layout& l) { l.tunnels[0].covers.push_back(1); }},
        {"grade run", [](Layout& l) { l.gradeRuns[0].deg = 2; }},
        {"level hidden", [](Layout& l) { l.levels[0].visible = false; }},
        {"baseboard", [](Layout& l) { l.baseboard[1].x = 101; }},
        {"grid switch", [](Layout& l) { l.showGrid = false; }},
        {"units", [](Layout& l) { l.units = 2; }},
    };
    const uint64_t base = layoutFingerprint(sample());
    EXPECT_EQ(layoutFingerprint(sample()), base);
    for (const auto& [name, change] : changes) {
        Layout l = sample();
        change(l);
        EXPECT_NE(layoutFingerprint(l), base) << name;
    }
}

TEST(LayoutFingerprint, MovingTextBetweenFieldsIsNotMistakenForNoChange) {
    Layout a = sample();
    Layout b = sample();
    a.labels[0].text = "ab";
    a.shapes[0].label = "";
    b.labels[0].text = "a";
    b.shapes[0].label = "b";
    EXPECT_NE(layoutFingerprint(a), layoutFingerprint(b));
}

} // namespace
