#include "shell/MainWindowRules.h"
#include "catalog/TrackCatalog.h"
#include "model/Layout.h"
#include "shell/Commands.h"
#include "shell/Units.h"

#include <gtest/gtest.h>

#include <set>

using namespace plandor;

TEST(MainWindowTitle, FollowsNameThenPathThenModifiedMark) {
    const std::string base = "Plandor v1.3 by Korvane Models";
    struct Case {
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
    for (const Case& c : cases)
        EXPECT_EQ(windowTitle(c.name, c.path, c.modified), c.expected) << c.what;
}

TEST(MainWindowStatus, PieceCountAndTextAfterOpen) {
    EXPECT_EQ(pieceCountText(0), "Pieces: 0");
    EXPECT_EQ(pieceCountText(1234), "Pieces: 1234");

    Layout layout;
    EXPECT_EQ(statusAfterOpen(layout), "Ready");
    layout.gradeRuns = {GradeRun{2.0, 7, 1}, GradeRun{-1.25, 9, 0}};
    EXPECT_EQ(statusAfterOpen(layout), "[ELEV] 2.0 deg -1.2 deg  (right-click piece to stop)");
}

TEST(MainWindowCommandStates, UndoRedoFollowHistoriesAndDeleteFollowsSelection) {
    Layout layout;
    layout.pieces.push_back(makePlacedPiece("24188"));
    layout.pieces.back().id = layout.takeId();
    CommandStates s = commandStates(layout);
    EXPECT_FALSE(s.undo);
    EXPECT_FALSE(s.redo);
    EXPECT_FALSE(s.del);

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
}

TEST(MainWindowDrawingTools, MeasureAndPolygonExcludeEachOther) {
    ToolSwitch measure = switchDrawingTool(CmdMeasure, true);
    EXPECT_EQ(measure.mode, 3);
    EXPECT_EQ(measure.uncheck, CmdPolygon);
    EXPECT_TRUE(measure.crossHair);
    EXPECT_TRUE(measure.deselect);

    ToolSwitch polygon = switchDrawingTool(CmdPolygon, true);
    EXPECT_EQ(polygon.mode, 4);
    EXPECT_EQ(polygon.uncheck, CmdMeasure);
    EXPECT_TRUE(polygon.crossHair);

    for (int id : {CmdMeasure, CmdPolygon}) {
        ToolSwitch off = switchDrawingTool(id, false);
        EXPECT_EQ(off.mode, 0);
        EXPECT_EQ(off.uncheck, 0);
        EXPECT_FALSE(off.crossHair);
        EXPECT_FALSE(off.deselect);
    }
}

TEST(MainWindowViewAfterOpen, ZTrackPiecesGetTheLargeScale) {
    TrackCatalog catalog;
    catalog.registerPiece(TrackCatalog::makeStraight(CTrack, "C1", "C straight", 188.3));
    catalog.registerPiece(TrackCatalog::makeStraight(ZTrack, "Z1", "Z straight", 110));
    catalog.registerPiece(TrackCatalog::makeStraight(TrixCTrack, "T1", "TRIX straight", 188.3));

    auto layoutOf = [](std::initializer_list<const char*> parts) {
        Layout layout;
        for (const char* part : parts) {
            PlacedPiece p;
            p.part = part;
            layout.pieces.push_back(p);
        }
        return layout;
    };
    EXPECT_EQ(viewAfterOpen(layoutOf({}), catalog), ViewAfterOpen::ZoomToFit);
    EXPECT_EQ(viewAfterOpen(layoutOf({"C1", "T1"}), catalog), ViewAfterOpen::ZoomToFit);
    EXPECT_EQ(viewAfterOpen(layoutOf({"C1", "Z1"}), catalog), ViewAfterOpen::LargeScale);
    // Unknown parts are skipped, never taken for Z-Track.
    EXPECT_EQ(viewAfterOpen(layoutOf({"unknown"}), catalog), ViewAfterOpen::ZoomToFit);
}

TEST(MainWindowUnits, SwitchingUnitsKeepsStoredMillimetres) {
    const double stored = 1234.5;
    for (unsigned units : {0u, 1u, 2u}) {
        const double shown = toDisplayUnits(stored, units);
        EXPECT_NEAR(fromDisplayUnits(shown, units), stored, 1e-9) << units;
    }
    EXPECT_DOUBLE_EQ(toDisplayUnits(254, 2), 10);
    EXPECT_DOUBLE_EQ(fromDisplayUnits(3.5, 1), 35);
    EXPECT_EQ(formatLength(stored, 0), "1234 mm");
    EXPECT_EQ(formatLength(stored, 1), "123.5 cm");
    EXPECT_EQ(formatLength(stored, 2), "48.60 in");

    for (unsigned units : {0u, 1u, 2u})
        EXPECT_EQ(unitsOfCommand(unitsCommand(units)), static_cast<int>(units));
    EXPECT_EQ(unitsCommand(0), 2016);
    EXPECT_EQ(unitsCommand(2), 2018);
    EXPECT_EQ(unitsOfCommand(CmdLayoutShape), -1);
}

namespace {

void collectIds(const std::vector<MenuItemDef>& items, std::vector<int>& ids) {
    for (const MenuItemDef& item : items) {
        if (item.kind == ItemKind::Submenu)
            collectIds(item.items, ids);
        else if (item.kind != ItemKind::Separator)
            ids.push_back(item.id);
    }
}

} // namespace

TEST(CommandTable, MenuIdsAreUniqueAndToolsShareTheirMenuIds) {
    std::vector<int> ids;
    for (const MenuDef& menu : menuBarTable())
        collectIds(menu.items, ids);
    const std::set<int> unique(ids.begin(), ids.end());
    EXPECT_EQ(unique.size(), ids.size());
    EXPECT_EQ(ids.size(), 26u);

    // Toolbar commands that also sit in a menu must carry the menu's id.
    for (const ToolDef& tool : toolBarTable()) {
        if (tool.label == "Undo") {
            EXPECT_TRUE(unique.count(tool.id) && tool.id == CmdUndo);
        }
        if (tool.label == "Fit") {
            EXPECT_TRUE(unique.count(tool.id) && tool.id == CmdZoomToFit);
        }
    }
}

TEST(CommandTable, ToolbarGroupsEndInSeparatorsAndTunnelStartsDisabled) {
    std::vector<std::vector<std::string>> groups(1);
    for (const ToolDef& tool : toolBarTable()) {
        if (tool.kind == ItemKind::Separator)
            groups.emplace_back();
        else
            groups.back().push_back(tool.label);
        EXPECT_EQ(tool.enabled, tool.id != CmdTunnel) << tool.label;
    }
    const std::vector<std::vector<std::string>> expected = {
        {"Undo", "Redo"},
        {"Levels"},
        {"3D View"},
        {"Fit"},
        {"Hide Labels"},
        {"Tunnel", "Measure", "Polygon"},
        {}, // the final separator closes the last group
    };
    EXPECT_EQ(groups, expected);
}

TEST(CommandTable, ToolLabelsThatChangeWithState) {
    EXPECT_EQ(labelsToolLabel(true), "Hide Labels");
    EXPECT_EQ(labelsToolLabel(false), "Show Labels");
}
