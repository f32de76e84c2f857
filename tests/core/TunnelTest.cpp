#include "EditingTestSupport.h"
#include "catalog/TrackCatalog.h"
#include "editing/EditLocks.h"
#include "elevation/Tunnels.h"
#include "model/Layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace plandor;

namespace {

// Adds a piece whose connector `c` mates connector `tc` of `target` head-on, joined on both sides.
int32_t attach(Layout& layout, const std::string& part, int32_t target, int tc, int c = 0) {
    const PlacedPiece& t = *layout.findPiece(target);
    const Pose at =
        worldConnector(Pose{t.x, t.y, t.heading}, *TrackCatalog::instance().find(t.part), tc);
    const Pose pose = poseForMate(*TrackCatalog::instance().find(part), c, at.x, at.y, at.heading);
    const int32_t id = addPiece(layout, part, pose.x, pose.y, pose.heading).id;
    layout.join(target, tc, id, c);
    return id;
}

// A chain of `n` pieces laid from (x, y) heading 0, each joined connector 1 to connector 0.
std::vector<int32_t> chain(Layout& layout, const std::string& part, int n, double x = 0,
                           double y = 0) {
    std::vector<int32_t> ids{addPiece(layout, part, x, y, 0).id};
    while (static_cast<int>(ids.size()) < n)
        ids.push_back(attach(layout, part, ids.back(), 1));
    return ids;
}

void select(Layout& layout, const std::vector<int32_t>& ids) {
    for (PlacedPiece& p : layout.pieces)
        p.selected = std::find(ids.begin(), ids.end(), p.id) != ids.end();
}

void placeTunnelOver(Layout& layout, const std::vector<int32_t>& ids) {
    select(layout, ids);
    EXPECT_EQ(runTunnelCommand(layout), TunnelChange::Placed);
}

} // namespace

TEST(TunnelAnalysis, ToolStateByShapeOfSelection) {
    struct Case {
        const char* name;
        void (*build)(Layout&); // builds the layout and selects
        bool enabled;
        const char* label;
    };
    const Case cases[] = {
        {"unjoined pair",
         [](Layout& l) { // touching but not joined
             select(l, {addPiece(l, "24188", 0, 0, 0).id, addPiece(l, "24188", 188.3, 0, 0).id});
         },
         false, "Tunnel"},
        {"joined pair", [](Layout& l) { select(l, chain(l, "24188", 2)); }, true, "Tunnel"},
        {"Y shape",
         [](Layout& l) {
             const int32_t t = addPiece(l, "24611", 0, 0, 0).id;
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
        {"exact covered chain",
         [](Layout& l) {
             const auto ids = chain(l, "24188", 4);
             placeTunnelOver(l, ids);
             select(l, ids);
         },
         true, "Remove Tunnel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        c.build(layout);
        const TunnelToolState state = tunnelToolState(analyseTunnelSelection(layout));
        EXPECT_EQ(state.enabled, c.enabled);
        EXPECT_EQ(state.label, c.label);
    }
}

TEST(TunnelCommand, PlacesPortalsAtChainEndsFacingOutward) {
    Layout layout;
    const auto ids = chain(layout, "24188", 3, 100, 50);
    select(layout, ids);
    ASSERT_EQ(runTunnelCommand(layout), TunnelChange::Placed);
    ASSERT_EQ(layout.tunnels.size(), 1u);
    const Tunnel& t = layout.tunnels[0];
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
}

TEST(TunnelCommand, RemovalTakesOnlyItsPortalsAndRecord) {
    Document doc;
    Layout& layout = doc.layout;
    const auto first = chain(layout, "24188", 3);
    placeTunnelOver(layout, first);
    placeTunnelOver(layout, chain(layout, "24188", 3, 0, 500));
    const Tunnel kept = layout.tunnels[1];
    const std::size_t piecesBefore = layout.pieces.size();

    select(layout, first);
    Edit edit = doc.begin();
    ASSERT_EQ(runTunnelCommand(layout), TunnelChange::Removed);
    edit.commit(Change(Change::Pieces | Change::Annotations));
    EXPECT_EQ(layout.pieces.size(), piecesBefore);
    ASSERT_EQ(layout.tunnels.size(), 1u);
    EXPECT_EQ(layout.tunnels[0].id, kept.id);
    ASSERT_EQ(layout.scenery.size(), 2u);
    EXPECT_NE(layout.findScenery(kept.portalA), nullptr);
    EXPECT_NE(layout.findScenery(kept.portalB), nullptr);
    doc.undo();
    EXPECT_EQ(layout.tunnels.size(), 2u);
    EXPECT_EQ(layout.scenery.size(), 4u);
}

TEST(TunnelLocks, RefusalsWithTheirMessages) {
    enum Pick { Track, Portal, Free };
    const char* del = "Selection includes tunnel track or portals. Remove the tunnel first, "
                      "then delete.";
    const char* move = "Selection includes tunnel track or portals. Remove the tunnel first, "
                       "then move.";
    const char* rotate = "Selection includes tunnel track or portals. Remove the tunnel first, "
                         "then rotate.";
    struct Case {
        const char* op;
        Pick pick;
        const char* text; // nullptr: allowed
    };
    const Case cases[] = {{"delete", Track, del}, {"rotate", Track, rotate},
                          {"move", Track, move},  {"delete", Portal, del},
                          {"move", Portal, move}, {"move", Free, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.op) + " " + std::to_string(c.pick));
        Layout layout;
        const auto covered = chain(layout, "24188", 3);
        placeTunnelOver(layout, covered);
        const int32_t free = addPiece(layout, "24188", 0, 800, 0).id;
        select(layout, {c.pick == Free ? free : c.pick == Track ? covered[1] : -1});
        layout.findScenery(layout.tunnels[0].portalB)->selected = c.pick == Portal;
        const std::vector<PlacedPiece> before = layout.pieces;

        ScriptedPrompter prompter;
        bool gradedMoveAccepted = false;
        const bool allowed = std::string(c.op) == "move"
                                 ? canMoveSelection(layout, prompter, gradedMoveAccepted)
                                 : canEdit(layout, prompter, c.op);
        EXPECT_EQ(layout.pieces.size(), before.size());
        EXPECT_EQ(allowed, c.text == nullptr);
        if (!c.text) {
            EXPECT_TRUE(prompter.messages.empty());
            continue;
        }
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].title, "Tunnel is locked");
        EXPECT_EQ(prompter.messages[0].text, c.text);
    }
}
