#include "EditingTestSupport.h"
#include "core/catalog/TrackCatalog.h"
#include "core/editing/EditLocks.h"
#include "core/elevation/Tunnels.h"
#include "core/model/Layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace plandor;

namespace {

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
    const struct {
        const char* name;
        void (*build)(Layout&); // builds the layout and selects
        const char* label;      // null: disabled
    } cases[] = {
        {"unjoined pair",
         [](Layout& l) {
             select(l, {addPiece(l, "24188").id, addPiece(l, "24188", 188.3).id});
         },
         nullptr},
        {"joined pair", [](Layout& l) { select(l, addChain(l, "24188", 2)); }, "Tunnel"},
        {"closed loop",
         [](Layout& l) {
             const auto ids = addChain(l, "24130", 12);
             l.join(ids.back(), 1, ids.front(), 0);
             select(l, ids);
         },
         nullptr},
        {"exact covered chain", [](Layout& l) { placeTunnelOver(l, addChain(l, "24188", 4)); },
         "Remove Tunnel"},
    };
    for (const auto& c : cases) {
        Layout layout;
        c.build(layout);
        const TunnelToolState state = tunnelToolState(analyseTunnelSelection(layout));
        EXPECT_EQ(state.enabled, c.label != nullptr) << c.name;
        EXPECT_EQ(state.label, c.label ? c.label : "Tunnel") << c.name;
    }
}

TEST(TunnelCommand, PlacesPortalsAtChainEndsFacingOutwardAndRemovesOnlyItsOwn) {
    Document doc;
    Layout& layout = doc.layout;
    const auto first = addChain(layout, "24188", 3, 100, 50);
    placeTunnelOver(layout, first);
    const Tunnel& t = layout.tunnels[0];
    EXPECT_EQ(t.covers, first);
    const SceneryItem* a = layout.findScenery(t.portalA);
    const SceneryItem* b = layout.findScenery(t.portalB);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->item, "tunnel_portal_single");
    EXPECT_NEAR(a->x, 100, 1e-9);
    EXPECT_NEAR(a->y, 50, 1e-9);
    EXPECT_NEAR(a->heading, 180, 1e-9);
    EXPECT_NEAR(b->x, 100 + 3 * 188.3, 1e-9);
    EXPECT_NEAR(b->heading, 0, 1e-9);

    placeTunnelOver(layout, addChain(layout, "24188", 3, 0, 500));
    const Tunnel kept = layout.tunnels[1];
    select(layout, first);
    Edit edit = doc.begin();
    ASSERT_EQ(runTunnelCommand(layout), TunnelChange::Removed);
    edit.commit(Change(Change::Pieces | Change::Annotations));
    EXPECT_EQ(layout.pieces.size(), 6u);
    ASSERT_EQ(layout.tunnels.size(), 1u);
    EXPECT_EQ(layout.tunnels[0].id, kept.id);
    ASSERT_EQ(layout.scenery.size(), 2u);
    EXPECT_NE(layout.findScenery(kept.portalA), nullptr);
    EXPECT_NE(layout.findScenery(kept.portalB), nullptr);
    doc.undo();
    EXPECT_EQ(layout.tunnels.size(), 2u);
    EXPECT_EQ(layout.scenery.size(), 4u);
}

// Deleting covered track is refused in the delete tests; here the other edits and the portals.
TEST(TunnelLocks, RefusalsWithTheirMessages) {
    enum Pick { Track, Portal, Free };
    const std::pair<const char*, Pick> cases[] = {
        {"rotate", Track}, {"move", Track}, {"delete", Portal}, {"move", Portal}, {"move", Free}};
    for (const auto& [op, pick] : cases) {
        SCOPED_TRACE(std::string(op) + " " + std::to_string(pick));
        Layout layout;
        const auto covered = addChain(layout, "24188", 3);
        placeTunnelOver(layout, covered);
        const int32_t free = addPiece(layout, "24188", 0, 800).id;
        select(layout, {pick == Free ? free : pick == Track ? covered[1] : -1});
        layout.findScenery(layout.tunnels[0].portalB)->selected = pick == Portal;
        ScriptedPrompter prompter;
        bool gradedMoveAccepted = false;
        const bool allowed = std::string(op) == "move"
                                 ? canMoveSelection(layout, prompter, gradedMoveAccepted)
                                 : canEdit(layout, prompter, op);
        EXPECT_EQ(allowed, pick == Free);
        ASSERT_EQ(prompter.messages.size(), allowed ? 0u : 1u);
        if (!allowed) {
            EXPECT_EQ(prompter.messages[0].title, "Tunnel is locked");
            EXPECT_EQ(prompter.messages[0].text, "Selection includes tunnel track or portals. "
                                                 "Remove the tunnel first, then " +
                                                     std::string(op) + ".");
        }
    }
}
