// The command table's invariants, its key strokes and its enable rules, and the Edit menu's
// Cut and Paste through the canvas controller.
#include "CanvasHarness.h"

#include "core/app/Commands.h"
#include "core/canvas/CanvasController.h"
#include "core/document/Document.h"
#include "core/elevation/Tunnels.h"

#include <functional>

#include <gtest/gtest.h>

#include <set>

using namespace plandor;
using namespace plandor::testing;

namespace {

void collectMenuIds(const std::vector<MenuEntry>& entries, std::vector<int>& ids) {
    for (const MenuEntry& e : entries) {
        if (e.kind == ItemKind::Submenu)
            collectMenuIds(e.entries, ids);
        else if (e.kind != ItemKind::Separator)
            ids.push_back(e.id);
    }
}

std::vector<int> menuIds() {
    std::vector<int> ids;
    for (const MenuDef& menu : menuBarTable())
        collectMenuIds(menu.entries, ids);
    return ids;
}

} // namespace

TEST(CommandTable, IdsAndAcceleratorsAreUniqueAndEveryEntryHasARow) {
    std::set<int> ids;
    std::set<std::string> accelerators;
    for (const Command& c : commandTable()) {
        EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
        EXPECT_NE(c.kind, ItemKind::Separator) << c.id;
        EXPECT_NE(c.kind, ItemKind::Submenu) << c.id;
        EXPECT_FALSE(c.menuText.empty() && c.toolText.empty() && c.contextText.empty())
            << "command " << c.id << " unseen";
        EXPECT_TRUE(c.accelerator.empty() || !c.menuText.empty()) << c.id;
        if (c.accelerator.empty())
            continue;
        EXPECT_NE(parseAccelerator(c.accelerator).key, 0) << c.accelerator;
        EXPECT_TRUE(accelerators.insert(c.accelerator).second) << "duplicate " << c.accelerator;
        EXPECT_EQ(commandForKey(parseAccelerator(c.accelerator)), c.id) << c.accelerator;
    }

    const std::vector<int> inMenus = menuIds();
    EXPECT_EQ(std::set<int>(inMenus.begin(), inMenus.end()).size(), inMenus.size());
    for (int id : inMenus) {
        const Command* c = findCommand(id);
        ASSERT_NE(c, nullptr) << "menu entry " << id << " has no command row";
        EXPECT_FALSE(c->menuText.empty()) << id;
    }
    for (int id : toolBarTable()) {
        if (id == 0)
            continue;
        const Command* c = findCommand(id);
        ASSERT_NE(c, nullptr) << "tool " << id << " has no command row";
        EXPECT_FALSE(c->toolText.empty()) << id;
    }
    // Every row with menu text is in a menu.
    for (const Command& c : commandTable()) {
        const bool inAMenu = std::find(inMenus.begin(), inMenus.end(), c.id) != inMenus.end();
        EXPECT_EQ(inAMenu, !c.menuText.empty()) << c.id;
    }
}

// The toolbar texts that follow the document come from the table with their enabling.
TEST(CommandTable, ToolTextsAndEnablingFollowTheDocument) {
    Document doc;
    doc.layout = emptyLayout();
    const Clipboard clipboard;
    std::vector<int32_t> chain{addPiece(doc.layout, "24188").id};
    chain.push_back(attachPiece(doc.layout, chain.back(), 1, "24188").id);
    const auto state = [&](int id) { return commandState(*findCommand(id), doc, clipboard); };
    struct Case {
        const char* name;
        std::function<void()> prepare;
        int id;
        bool enabled;
        std::string toolText;
    };
    const Case cases[] = {
        {"tunnel without a selection", [] {}, CmdTunnel, false, "Tunnel"},
        {"tunnel over a selected chain",
         [&] {
             for (PlacedPiece& p : doc.layout.pieces)
                 p.selected = true;
         },
         CmdTunnel, true, "Tunnel"},
        {"the chain already in a tunnel", [&] { runTunnelCommand(doc.layout); }, CmdTunnel, true,
         "Remove Tunnel"},
        {"labels shown", [] {}, CmdToggleLabels, true, "Hide Labels"},
        {"labels hidden", [&] { doc.layout.showLabels = false; }, CmdToggleLabels, true,
         "Show Labels"},
        {"a fixed text", [] {}, CmdUndo, false, "Undo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        EXPECT_EQ(state(c.id).enabled, c.enabled);
        EXPECT_EQ(state(c.id).toolText, c.toolText);
    }
}

TEST(CommandTable, EnablingFollowsTheLayoutAndTheClipboard) {
    Document doc;
    Layout& layout = doc.layout;
    layout = emptyLayout();
    Clipboard clipboard;
    const auto enabled = [&](int id) {
        return commandEnabled(findCommand(id)->enable, doc, clipboard);
    };
    const int32_t piece = addPiece(layout, "24188", 0, 0).id;
    EXPECT_FALSE(enabled(CmdUndo) || enabled(CmdRedo) || enabled(CmdPaste) || enabled(CmdTunnel));
    EXPECT_TRUE(enabled(CmdNew) && enabled(CmdMeasure) && enabled(CmdPolygon));

    // Scenery alone cannot be copied: the clipboard holds pieces only.
    addScenery(layout, "tree").selected = true;
    EXPECT_FALSE(enabled(CmdCopy) || enabled(CmdCut));

    layout.findPiece(piece)->selected = true;
    EXPECT_TRUE(enabled(CmdCopy) && enabled(CmdCut));
    copySelection(layout, clipboard);
    EXPECT_TRUE(enabled(CmdPaste));

    doc.begin().commit(Change(Change::Pieces));
    doc.undo();
    EXPECT_TRUE(enabled(CmdRedo) && !enabled(CmdUndo));
}

TEST(CanvasCutPaste, CutMovesPiecesToTheClipboardAndARefusalKeepsIt) {
    CanvasHarness canvas;
    const int32_t kept = addPiece(canvas.layout, "24188", 0, 0).id;
    canvas.layout.findPiece(kept)->selected = true;
    canvas.controller.copy();

    // A graded piece asks first; No leaves layout and clipboard alone.
    const int32_t graded = addPiece(canvas.layout, "24172", 500, 0).id;
    canvas.layout.findPiece(kept)->selected = false;
    canvas.layout.findPiece(graded)->selected = true;
    canvas.layout.findPiece(graded)->grade = 2.0;
    canvas.prompter.answers.push_back(PromptAnswer::No);
    EXPECT_FALSE(canvas.controller.cut().change.modified);
    EXPECT_EQ(canvas.controller.clipboard().pieces.at(0).part, "24188");
    EXPECT_EQ(canvas.layout.pieces.size(), 2u);

    canvas.prompter.answers.push_back(PromptAnswer::Yes);
    const CanvasReply reply = canvas.controller.cut();
    EXPECT_TRUE(reply.change.modified);
    EXPECT_EQ(canvas.layout.findPiece(graded), nullptr);
    EXPECT_EQ(canvas.controller.clipboard().pieces.at(0).part, "24172");
    EXPECT_TRUE(canvas.doc.canUndo());
}

TEST(CanvasCutPaste, PasteGoesToTheMouseOverTheCanvasElseToTheViewCentre) {
    // Screen (x, y) is world ((x - 100) / 2, (y - 50) / 2).
    const struct {
        const char* name;
        bool over;
        ScreenPoint mouse;
        Point world;
    } cases[] = {
        {"mouse over the canvas", true, {300, 250}, {100, 100}},
        {"mouse elsewhere", false, {300, 250}, {150, 125}},
        {"reported over but outside the client area", true, {800, 250}, {150, 125}},
    };
    for (const auto& c : cases) {
        CanvasHarness canvas;
        canvas.controller.view().setView(2.0, 100, 50);
        canvas.controller.resize(800, 600);
        const int32_t id = addPiece(canvas.layout, "24188", 0, 0).id;
        canvas.layout.findPiece(id)->selected = true;
        canvas.controller.copy();
        EXPECT_TRUE(canvas.controller.paste(c.over, c.mouse).change.modified) << c.name;
        const PlacedPiece& pasted = canvas.layout.pieces.back();
        EXPECT_DOUBLE_EQ(pasted.x, c.world.x) << c.name;
        EXPECT_DOUBLE_EQ(pasted.y, c.world.y) << c.name;
    }
}
