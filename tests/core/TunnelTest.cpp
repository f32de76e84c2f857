#include "EditingTestSupport.h"
#include "catalog/TrackCatalog.h"
#include "editing/EditLocks.h"
#include "elevation/Tunnels.h"
#include "model/HelixPlacement.h"
#include "model/Layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace plandor;

namespace {

int32_t addPiece(Layout& layout, const std::string& part, double x, double y, double heading) {
    PlacedPiece p = makePlacedPiece(part);
    p.id = layout.takeId();
    p.x = x;
    p.y = y;
    p.heading = heading;
    layout.pieces.push_back(p);
    return p.id;
}

// Adds a piece whose connector `c` mates connector `tc` of `target` head-on, joined on both sides.
int32_t attach(Layout& layout, const std::string& part, int32_t target, int tc, int c = 0) {
    const PlacedPiece& t = *layout.findPiece(target);
    const PieceDef& tdef = *TrackCatalog::instance().find(t.part);
    const Pose at = worldConnector(Pose{t.x, t.y, t.heading}, tdef, tc);
    const Pose pose = poseForMate(*TrackCatalog::instance().find(part), c, at.x, at.y, at.heading);
    const int32_t id = addPiece(layout, part, pose.x, pose.y, pose.heading);
    layout.join(target, tc, id, c);
    return id;
}

// A chain of `n` pieces of `part` laid from (x, y) along `heading`, each joined by its
// connector 0 to connector 1 of the one before. Returns the ids in order.
std::vector<int32_t> chain(Layout& layout, const std::string& part, int n, double x = 0,
                           double y = 0, double heading = 0) {
    std::vector<int32_t> ids{addPiece(layout, part, x, y, heading)};
    while (static_cast<int>(ids.size()) < n)
        ids.push_back(attach(layout, part, ids.back(), 1));
    return ids;
}

void select(Layout& layout, const std::vector<int32_t>& ids) {
    for (PlacedPiece& p : layout.pieces)
        p.selected = false;
    for (int32_t id : ids)
        layout.findPiece(id)->selected = true;
}

// Layout with a tunnel placed over the given chain; returns that tunnel's id.
int32_t placeTunnelOver(Layout& layout, const std::vector<int32_t>& ids) {
    select(layout, ids);
    EXPECT_EQ(runTunnelCommand(layout), TunnelChange::Placed);
    return layout.tunnels.back().id;
}

struct AnalysisCase {
    const char* name;
    std::function<void(Layout&)> build; // builds the layout and selects
    bool enabled;
    const char* label;
};

} // namespace

TEST(TunnelAnalysis, ToolStateByShapeOfSelection) {
    const std::vector<AnalysisCase> cases = {
        {"nothing selected", [](Layout& l) { chain(l, "24188", 3); }, false, "Tunnel"},
        {"single piece", [](Layout& l) { select(l, {chain(l, "24188", 3)[1]}); }, false, "Tunnel"},
        {"unjoined pair",
         [](Layout& l) {
             const int32_t a = addPiece(l, "24188", 0, 0, 0);
             const int32_t b = addPiece(l, "24188", 188.3, 0, 0); // touching but not joined
             select(l, {a, b});
         },
         false, "Tunnel"},
        {"joined pair", [](Layout& l) { select(l, chain(l, "24188", 2)); }, true, "Tunnel"},
        {"pieces with a gap between them",
         [](Layout& l) {
             const auto ids = chain(l, "24188", 3);
             select(l, {ids[0], ids[2]});
         },
         false, "Tunnel"},
        {"Y shape",
         [](Layout& l) {
             const int32_t t = addPiece(l, "24611", 0, 0, 0);
             select(l, {t, attach(l, "24188", t, 0), attach(l, "24188", t, 1),
                        attach(l, "24188", t, 2)});
         },
         false, "Tunnel"},
        {"closed loop",
         [](Layout& l) {
             const auto ids = chain(l, "24130", 12);
             l.join(ids.back(), 1, ids.front(), 0);
             select(l, ids);
         },
         false, "Tunnel"},
        {"loop less one piece",
         [](Layout& l) {
             auto ids = chain(l, "24130", 12);
             l.join(ids.back(), 1, ids.front(), 0);
             ids.erase(ids.begin() + 5);
             select(l, ids);
         },
         true, "Tunnel"},
        {"pair joined at both connectors has no way out",
         [](Layout& l) {
             const int32_t a = addPiece(l, "24188", 0, 0, 0);
             const int32_t b = addPiece(l, "24188", 0, 0, 180);
             l.join(a, 0, b, 1);
             l.join(a, 1, b, 0);
             select(l, {a, b});
         },
         false, "Tunnel"},
        {"exact covered chain",
         [](Layout& l) {
             const auto ids = chain(l, "24188", 4);
             placeTunnelOver(l, ids);
             select(l, ids);
         },
         true, "Remove Tunnel"},
        {"covered chain plus one",
         [](Layout& l) {
             auto ids = chain(l, "24188", 5);
             placeTunnelOver(l, {ids[0], ids[1], ids[2], ids[3]});
             select(l, ids);
         },
         false, "Tunnel"},
        {"covered chain less one",
         [](Layout& l) {
             const auto ids = chain(l, "24188", 4);
             placeTunnelOver(l, ids);
             select(l, {ids[0], ids[1], ids[2]});
         },
         false, "Tunnel"},
        {"chain touching another tunnel",
         [](Layout& l) {
             const auto ids = chain(l, "24188", 6);
             placeTunnelOver(l, {ids[0], ids[1], ids[2]});
             select(l, {ids[2], ids[3], ids[4]});
         },
         false, "Tunnel"},
        {"chain beside another tunnel",
         [](Layout& l) {
             const auto ids = chain(l, "24188", 6);
             placeTunnelOver(l, {ids[0], ids[1], ids[2]});
             select(l, {ids[3], ids[4], ids[5]});
         },
         true, "Tunnel"},
    };
    for (const AnalysisCase& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        c.build(layout);
        const Layout before = layout;
        const TunnelToolState state = tunnelToolState(analyseTunnelSelection(layout));
        EXPECT_EQ(state.enabled, c.enabled);
        EXPECT_EQ(state.label, c.label);
        EXPECT_EQ(layout.pieces.size(), before.pieces.size());
        EXPECT_EQ(layout.tunnels.size(), before.tunnels.size());
    }
}

TEST(TunnelAnalysis, EndsInSelectionOrderWithOutwardConnectors) {
    Layout layout;
    const auto ids = chain(layout, "24188", 5);
    // Moving the last piece of the chain to the front of the list makes it the first end.
    std::rotate(layout.pieces.begin(), layout.pieces.end() - 1, layout.pieces.end());
    select(layout, {ids[1], ids[2], ids[3], ids[4]});

    const TunnelAnalysis a = analyseTunnelSelection(layout);
    ASSERT_TRUE(a.applicable);
    EXPECT_FALSE(a.inTunnel);
    EXPECT_EQ(a.endA, ids[4]);
    EXPECT_EQ(a.connA, 1); // free end
    EXPECT_EQ(a.endB, ids[1]);
    EXPECT_EQ(a.connB, 0); // joined to ids[0], outside the selection
    EXPECT_EQ(a.covered, (std::vector<int32_t>{ids[1], ids[2], ids[3], ids[4]}));
}

TEST(TunnelCommand, PlacesPortalsAtChainEndsFacingOutward) {
    Layout layout;
    layout.nextId = 20;
    const auto ids = chain(layout, "24188", 3, 100, 50, 0); // ids 20, 21, 22
    layout.scenery.push_back(SceneryItem{});                // unrelated item stays
    select(layout, ids);

    ASSERT_EQ(runTunnelCommand(layout), TunnelChange::Placed);
    EXPECT_EQ(layout.undoDepth(), 1u);
    ASSERT_EQ(layout.scenery.size(), 3u);
    ASSERT_EQ(layout.tunnels.size(), 1u);
    const Tunnel& t = layout.tunnels[0];
    EXPECT_EQ(t.portalA, 23);
    EXPECT_EQ(t.portalB, 24);
    EXPECT_EQ(t.id, 25);
    EXPECT_EQ(layout.nextId, 26u);
    EXPECT_EQ(t.anchorA, ids[0]);
    EXPECT_EQ(t.anchorB, ids[2]);
    EXPECT_EQ(t.covers, ids);

    const SceneryItem* a = layout.findScenery(t.portalA);
    const SceneryItem* b = layout.findScenery(t.portalB);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->item, "tunnel_portal_single");
    EXPECT_NEAR(a->x, 100, 1e-9);
    EXPECT_NEAR(a->y, 50, 1e-9);
    EXPECT_NEAR(a->heading, 180, 1e-9);
    EXPECT_NEAR(b->x, 100 + 3 * 188.3, 1e-9);
    EXPECT_NEAR(b->y, 50, 1e-9);
    EXPECT_NEAR(b->heading, 0, 1e-9);
    EXPECT_EQ(a->level, 1);
    EXPECT_EQ(a->scaleX, 1.0);
    EXPECT_EQ(a->scaleY, 1.0);
    EXPECT_FALSE(a->selected);
}

TEST(TunnelCommand, PortalPoseTurnsWithTheEndPiece) {
    // A 30-degree R1 curve at heading 90 whose connector 0 is joined inside the chain: the
    // portal stands at its connector 1, (180, 48.23) turned by 90 degrees, facing 120.
    Layout layout;
    const int32_t curve = addPiece(layout, "24130", 0, 0, 90);
    const int32_t straight = attach(layout, "24188", curve, 0, 1);
    select(layout, {curve, straight});
    ASSERT_EQ(runTunnelCommand(layout), TunnelChange::Placed);

    const Tunnel& t = layout.tunnels.at(0);
    EXPECT_EQ(t.anchorA, curve);
    const SceneryItem* a = layout.findScenery(t.portalA);
    ASSERT_NE(a, nullptr);
    const double dy = 360 * (1 - std::cos(3.141592653589793 / 6));
    EXPECT_NEAR(a->x, -dy, 1e-9);
    EXPECT_NEAR(a->y, 180, 1e-9);
    EXPECT_NEAR(a->heading, 120, 1e-9);
    // The straight's free end is its connector 0, facing away from the curve.
    const SceneryItem* b = layout.findScenery(t.portalB);
    ASSERT_NE(b, nullptr);
    EXPECT_NEAR(b->heading, 270, 1e-9);
    EXPECT_NEAR(b->x, 0, 1e-9);
    EXPECT_NEAR(b->y, -188.3, 1e-9);
}

TEST(TunnelCommand, RemovalTakesOnlyItsPortalsAndRecord) {
    Layout layout;
    const auto first = chain(layout, "24188", 3);
    const auto second = chain(layout, "24188", 3, 0, 500);
    placeTunnelOver(layout, first);
    placeTunnelOver(layout, second);
    SceneryItem tree;
    tree.id = layout.takeId();
    tree.item = "tree_small";
    layout.scenery.push_back(tree);
    const Tunnel kept = layout.tunnels[1];
    const std::size_t piecesBefore = layout.pieces.size();
    const std::size_t undoBefore = layout.undoDepth();

    select(layout, first);
    EXPECT_EQ(tunnelToolState(analyseTunnelSelection(layout)).label, "Remove Tunnel");
    ASSERT_EQ(runTunnelCommand(layout), TunnelChange::Removed);

    EXPECT_EQ(layout.undoDepth(), undoBefore + 1);
    EXPECT_EQ(layout.pieces.size(), piecesBefore);
    ASSERT_EQ(layout.tunnels.size(), 1u);
    EXPECT_EQ(layout.tunnels[0].id, kept.id);
    ASSERT_EQ(layout.scenery.size(), 3u);
    EXPECT_NE(layout.findScenery(kept.portalA), nullptr);
    EXPECT_NE(layout.findScenery(kept.portalB), nullptr);
    EXPECT_NE(layout.findScenery(tree.id), nullptr);
    // The same selection can now take a new tunnel.
    EXPECT_EQ(tunnelToolState(analyseTunnelSelection(layout)).label, "Tunnel");
    EXPECT_TRUE(tunnelToolState(analyseTunnelSelection(layout)).enabled);

    layout.undo();
    EXPECT_EQ(layout.tunnels.size(), 2u);
    EXPECT_EQ(layout.scenery.size(), 5u);
}

TEST(TunnelCommand, RefusalsChangeNothing) {
    struct Case {
        const char* name;
        std::function<void(Layout&)> build;
    };
    const std::vector<Case> cases = {
        {"unjoined pair",
         [](Layout& l) {
             select(l, {addPiece(l, "24188", 0, 0, 0), addPiece(l, "24188", 500, 0, 0)});
         }},
        {"end piece of unknown part",
         [](Layout& l) {
             const auto ids = chain(l, "24188", 2);
             l.findPiece(ids[0])->part = "99999";
             select(l, ids);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        c.build(layout);
        const uint32_t nextId = layout.nextId;
        EXPECT_EQ(runTunnelCommand(layout), TunnelChange::None);
        EXPECT_EQ(layout.undoDepth(), 0u);
        EXPECT_TRUE(layout.scenery.empty());
        EXPECT_TRUE(layout.tunnels.empty());
        EXPECT_EQ(layout.nextId, nextId);
    }
}

// The editing locks recognise the track and portals of a tunnel that the command placed.
TEST(TunnelLocks, RefusalsWithTheirMessages) {
    enum class Op { Delete, Rotate, Move };
    struct Case {
        const char* name;
        Op op;
        std::function<void(Layout&, const std::vector<int32_t>& covered)> pick;
        const char* title; // nullptr: allowed
        const char* text;
    };
    const auto pickPiece = [](int index) {
        return [index](Layout& l, const std::vector<int32_t>& covered) {
            select(l, {covered[index]});
        };
    };
    const auto pickPortal = [](Layout& l, const std::vector<int32_t>&) {
        select(l, {});
        l.findScenery(l.tunnels[0].portalB)->selected = true;
    };
    const auto pickHelixStub = [](Layout& l, const std::vector<int32_t>&) {
        select(l, {l.helices[0].bottomR2});
    };
    const auto pickWholeHelix = [](Layout& l, const std::vector<int32_t>&) {
        for (PlacedPiece& p : l.pieces)
            p.selected = p.helix != -1;
    };
    const auto pickFreeTrack = [](Layout& l, const std::vector<int32_t>&) {
        select(l, {l.pieces.back().id});
    };
    const std::vector<Case> cases = {
        {"delete covered track", Op::Delete, pickPiece(1), "Tunnel is locked",
         "Selection includes tunnel track or portals. Remove the tunnel first, then delete."},
        {"rotate covered track", Op::Rotate, pickPiece(0), "Tunnel is locked",
         "Selection includes tunnel track or portals. Remove the tunnel first, then rotate."},
        {"move covered track", Op::Move, pickPiece(2), "Tunnel is locked",
         "Selection includes tunnel track or portals. Remove the tunnel first, then move."},
        {"delete a portal", Op::Delete, pickPortal, "Tunnel is locked",
         "Selection includes tunnel track or portals. Remove the tunnel first, then delete."},
        {"move a portal", Op::Move, pickPortal, "Tunnel is locked",
         "Selection includes tunnel track or portals. Remove the tunnel first, then move."},
        {"delete helix track", Op::Delete, pickHelixStub, "Helix track is locked",
         "Selection includes track that is part of a helix. Helix track cannot be deleted "
         "individually."},
        {"rotate helix track", Op::Rotate, pickHelixStub, "Helix track is locked",
         "Selection includes track that is part of a helix. Helix track cannot be rotated "
         "individually."},
        {"move a whole helix", Op::Move, pickWholeHelix, nullptr, nullptr},
        {"delete free track", Op::Delete, pickFreeTrack, nullptr, nullptr},
        {"rotate free track", Op::Rotate, pickFreeTrack, nullptr, nullptr},
        {"move free track", Op::Move, pickFreeTrack, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        const auto covered = chain(layout, "24188", 3);
        placeTunnelOver(layout, covered);
        ASSERT_TRUE(placeHelix(layout, 2000, 0, 0, ""));
        addPiece(layout, "24188", 0, 800, 0);
        c.pick(layout, covered);
        const std::size_t undo = layout.undoDepth();

        plandor::testing::ScriptedPrompter prompter;
        bool allowed = false;
        bool gradedMoveAccepted = false;
        switch (c.op) {
        case Op::Delete:
            allowed = canEdit(layout, prompter, "delete");
            break;
        case Op::Rotate:
            allowed = canEdit(layout, prompter, "rotate");
            break;
        case Op::Move:
            allowed = canMoveSelection(layout, prompter, gradedMoveAccepted);
            break;
        }
        EXPECT_EQ(layout.undoDepth(), undo);
        if (!c.title) {
            EXPECT_TRUE(allowed);
            EXPECT_TRUE(prompter.shown.empty());
            continue;
        }
        EXPECT_FALSE(allowed);
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].title, c.title);
        EXPECT_EQ(prompter.shown[0].text, c.text);
        EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Information);
    }
}
