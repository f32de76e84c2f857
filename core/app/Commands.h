#pragma once
// The main window's command set as data: every menu item and every toolbar tool with its
// id, label, kind and initial state. Menus and toolbar are built from these tables, and
// menu and toolbar commands that share an id go to the same handler.

#include <string>
#include <vector>

namespace plandor {

// Command ids. The file, print and exit commands use the toolkit's stock ids.
enum CommandId : int {
    CmdOpen = 5000,
    CmdClose = 5001,
    CmdNew = 5002,
    CmdSave = 5003,
    CmdSaveAs = 5004,
    CmdExit = 5006,
    CmdPrint = 5010,
    CmdPageSetup = 5012,
    CmdPreview = 5013,
    CmdImport = 1900,
    CmdExport = 1901,
    Cmd3DView = 2000,
    CmdSaveLibraryBlock = 2001,
    CmdUndo = 2002,
    CmdRedo = 2003,
    CmdDelete = 2004,
    CmdSelectAll = 2005,
    CmdZoomIn = 2006,
    CmdZoomOut = 2007,
    CmdZoomToFit = 2008,
    CmdShowGrid = 2009,
    CmdSnap = 2010,
    CmdToggleLabels = 2011,
    CmdTunnel = 2012,
    CmdMeasure = 2013,
    CmdPolygon = 2014,
    CmdLayoutShape = 2015,
    CmdUnitsMillimetres = 2016,
    CmdUnitsCentimetres = 2017,
    CmdUnitsInches = 2018,
    CmdLevels = 2019,
    CmdHelp = 2022,
    CmdCheckLayout = 2023,
};

enum class ItemKind { Normal, Check, Radio, Separator, Submenu };

// One menu entry. Labels carry their accelerator after a tab ("&Save\tCtrl+S").
// A Submenu entry holds its own items; separators have id 0 and no label.
struct MenuItemDef {
    ItemKind kind = ItemKind::Normal;
    int id = 0;
    std::string label;
    bool checked = false;
    std::vector<MenuItemDef> items;
};

struct MenuDef {
    std::string title;
    std::vector<MenuItemDef> items;
};

// One toolbar entry; separators have id 0 and no label. Tools show text only.
struct ToolDef {
    ItemKind kind = ItemKind::Normal;
    int id = 0;
    std::string label;
    std::string tooltip;
    bool enabled = true;
};

// The menu bar, menus in order.
const std::vector<MenuDef>& menuBarTable();
// The toolbar, tools and separators in order.
const std::vector<ToolDef>& toolBarTable();

// Labels of the show-labels tool: "Hide Labels" while labels are shown, else "Show Labels".
std::string labelsToolLabel(bool labelsShown);

// The units radio item for a units index, and the units index of such an item (-1 for
// any other command).
int unitsCommand(unsigned units);
int unitsOfCommand(int commandId);

} // namespace plandor
