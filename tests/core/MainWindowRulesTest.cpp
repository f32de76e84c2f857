#include "app/MainWindowRules.h"
#include "model/Layout.h"
#include "app/Commands.h"

#include <gtest/gtest.h>

using namespace plandor;

TEST(MainWindowTitle, FollowsNameThenPathThenModifiedMark) {
    const std::string base = "Plandor v1.3 by Korvane Models";
    const struct {
        const char* what;
        std::string name, path;
        bool modified;
        std::string expected;
    } cases[] = {
        {"fresh", "", "", false, base},
        {"unnamed with changes", "", "", true, base + " *"},
        {"display name", "Yard", "/apps/plandor/Other.plo", false, base + " - Yard"},
        {"path only", "", "/apps/plandor/Branch Line.plo", false, base + " - Branch Line"},
        {"old extension", "", "/apps/plandor/Old.Yard.xml", true, base + " - Old.Yard *"},
        {"dotted folder", "", "/apps/v1.2/Depot", false, base + " - Depot"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowTitle(c.name, c.path, c.modified), c.expected) << c.what;
}

TEST(MainWindowCommandStates, UndoRedoFollowHistoriesAndDeleteFollowsSelection) {
    Layout layout;
    layout.pieces.push_back(makePlacedPiece("24188"));
    layout.pieces.back().id = layout.takeId();
    CommandStates s = commandStates(layout);
    EXPECT_FALSE(s.undo || s.redo || s.del);
    layout.pushUndo();
    s = commandStates(layout);
    EXPECT_TRUE(s.undo);
    EXPECT_FALSE(s.redo);
    layout.undo();
    s = commandStates(layout);
    EXPECT_FALSE(s.undo);
    EXPECT_TRUE(s.redo);

    // Only selected pieces and scenery make something to delete.
    layout.labels.push_back(LayoutLabel{5, "Station", 0, 0, true});
    layout.shapes.push_back(PolygonShape{});
    layout.shapes.back().selected = true;
    EXPECT_FALSE(commandStates(layout).del);
    layout.scenery.push_back(SceneryItem{});
    layout.scenery.back().selected = true;
    EXPECT_TRUE(commandStates(layout).del);
    layout.scenery.back().selected = false;
    layout.pieces.back().selected = true;
    EXPECT_TRUE(commandStates(layout).del);

    for (const ToolDef& tool : toolBarTable()) // the tunnel tool starts disabled
        EXPECT_EQ(tool.enabled, tool.id != CmdTunnel) << tool.label;
}
