#include "app/Commands.h"

namespace plandor {

namespace {

MenuItemDef item(int id, const char* label) {
    return {ItemKind::Normal, id, label, false, {}};
}
MenuItemDef check(int id, const char* label, bool checked) {
    return {ItemKind::Check, id, label, checked, {}};
}
MenuItemDef radio(int id, const char* label, bool checked) {
    return {ItemKind::Radio, id, label, checked, {}};
}
MenuItemDef separator() {
    return {ItemKind::Separator, 0, "", false, {}};
}
MenuItemDef submenu(const char* label, std::vector<MenuItemDef> items) {
    return {ItemKind::Submenu, 0, label, false, std::move(items)};
}

std::vector<MenuDef> buildMenuBar() {
    return {
        {"&File",
         {
             item(CmdNew, "&New Layout\tCtrl+N"),
             item(CmdOpen, "&Open Layout...\tCtrl+O"),
             separator(),
             item(CmdSave, "&Save\tCtrl+S"),
             item(CmdSaveAs, "Save &As...\tCtrl+Shift+S"),
             separator(),
             item(CmdImport, "&Import Layout..."),
             item(CmdExport, "&Export Layout..."),
             separator(),
             item(CmdClose, "&Close Layout\tCtrl+W"),
             separator(),
             item(CmdPageSetup, "Page Set&up..."),
             item(CmdPreview, "Print Pre&view..."),
             item(CmdPrint, "&Print...\tCtrl+P"),
             separator(),
             item(CmdSaveLibraryBlock, "Save as &Library Block..."),
             separator(),
             item(CmdExit, "E&xit"),
         }},
        {"&Edit",
         {
             item(CmdUndo, "&Undo\tCtrl+Z"),
             item(CmdRedo, "&Redo\tCtrl+Y"),
             separator(),
             item(CmdDelete, "&Delete\tDel"),
             item(CmdSelectAll, "Select &All\tCtrl+A"),
         }},
        {"&View",
         {
             item(CmdZoomIn, "Zoom &In\t+"),
             item(CmdZoomOut, "Zoom &Out\t-"),
             item(CmdZoomToFit, "Zoom to &Fit\tCtrl+0"),
             separator(),
             check(CmdShowGrid, "Show &Grid\tCtrl+G", true),
             check(CmdSnap, "&Snap\tCtrl+Shift+G", true),
         }},
        {"&Layout",
         {
             submenu("Units of Measure",
                     {
                         radio(CmdUnitsMillimetres, "Millimetres (mm)", true),
                         radio(CmdUnitsCentimetres, "Centimetres (cm)", false),
                         radio(CmdUnitsInches, "Inches (in)", false),
                     }),
             separator(),
             item(CmdLayoutShape, "Layout &Shape..."),
             item(CmdCheckLayout, "&Check Layout..."),
         }},
        {"&Help",
         {
             item(CmdHelp, "&Help\tF1"),
         }},
    };
}

ToolDef tool(int id, const char* label, const char* tooltip = "") {
    return {ItemKind::Normal, id, label, tooltip, true};
}
ToolDef checkTool(int id, const char* label, const char* tooltip) {
    return {ItemKind::Check, id, label, tooltip, true};
}
ToolDef toolSeparator() {
    return {ItemKind::Separator, 0, "", "", true};
}

std::vector<ToolDef> buildToolBar() {
    ToolDef tunnel = tool(CmdTunnel, "Tunnel",
                          "Place tunnel portals on the selected chain (or remove if already in a "
                          "tunnel)");
    // Nothing is selected at start, so there is no chain to tunnel over.
    tunnel.enabled = false;
    return {
        tool(CmdUndo, "Undo"),
        tool(CmdRedo, "Redo"),
        toolSeparator(),
        tool(CmdLevels, "Levels", "Manage layout levels (decks): height, color, and shape"),
        toolSeparator(),
        tool(Cmd3DView, "3D View"),
        toolSeparator(),
        tool(CmdZoomToFit, "Fit"),
        toolSeparator(),
        checkTool(CmdToggleLabels, "Hide Labels", "Toggle track labels and join dots"),
        toolSeparator(),
        tunnel,
        checkTool(CmdMeasure, "Measure",
                  "Measuring tape: click two points on the canvas to lay down a length "
                  "annotation"),
        checkTool(CmdPolygon, "Polygon",
                  "Draw a free-form polygon (access hatch, river, mountain, etc.)"),
        toolSeparator(),
    };
}

} // namespace

const std::vector<MenuDef>& menuBarTable() {
    static const std::vector<MenuDef> table = buildMenuBar();
    return table;
}

const std::vector<ToolDef>& toolBarTable() {
    static const std::vector<ToolDef> table = buildToolBar();
    return table;
}

std::string labelsToolLabel(bool labelsShown) {
    return labelsShown ? "Hide Labels" : "Show Labels";
}

int unitsCommand(unsigned units) {
    switch (units) {
    case 1:
        return CmdUnitsCentimetres;
    case 2:
        return CmdUnitsInches;
    default:
        return CmdUnitsMillimetres;
    }
}

int unitsOfCommand(int commandId) {
    switch (commandId) {
    case CmdUnitsMillimetres:
        return 0;
    case CmdUnitsCentimetres:
        return 1;
    case CmdUnitsInches:
        return 2;
    default:
        return -1;
    }
}

} // namespace plandor
