#include "core/app/Commands.h"
#include "core/base/Translate.h"

#include "core/document/Document.h"

#include "core/editing/Clipboard.h"
#include "core/editing/Selection.h"
#include "core/elevation/Tunnels.h"
#include "core/model/Layout.h"

#include <algorithm>
#include <cctype>

namespace plandor {

namespace {

using R = EnableRule;

// A row of the table: its menu, toolbar and enabling; not in the context menu.
Command row(int id, const char* menuText, const char* accelerator, const char* toolText,
            const char* tooltip, ItemKind kind, R enable, bool checkedAtStart,
            Command::ToolLabel toolLabel = Command::ToolLabel::Fixed) {
    Command c;
    c.id = id;
    c.menuText = menuText;
    c.accelerator = accelerator;
    c.toolText = toolText;
    c.tooltip = tooltip;
    c.kind = kind;
    c.enable = enable;
    c.checkedAtStart = checkedAtStart;
    c.toolLabel = toolLabel;
    return c;
}

Command menuCommand(int id, const char* text, const char* accelerator, R enable = R::Always) {
    return row(id, text, accelerator, "", "", ItemKind::Normal, enable, false);
}

Command contextCommand(Command c, const char* contextText) {
    c.contextText = contextText;
    return c;
}

std::vector<Command> buildCommands() {
    std::vector<Command> c = {
        menuCommand(CmdNew, TR_NOOP("&New Layout"), "Ctrl+N"),
        menuCommand(CmdOpen, TR_NOOP("&Open Layout..."), "Ctrl+O"),
        menuCommand(CmdSave, TR_NOOP("&Save"), "Ctrl+S"),
        menuCommand(CmdSaveAs, TR_NOOP("Save &As..."), "Ctrl+Shift+S"),
        menuCommand(CmdImport, TR_NOOP("&Import Layout..."), ""),
        menuCommand(CmdExport, TR_NOOP("&Export Layout..."), ""),
        menuCommand(CmdExportPlan, TR_NOOP("Expo&rt Plan..."), ""),
        menuCommand(CmdExportPartsList, TR_NOOP("Export Parts Lis&t..."), ""),
        menuCommand(CmdClose, TR_NOOP("&Close Layout"), "Ctrl+W"),
        menuCommand(CmdPageSetup, TR_NOOP("Page Set&up..."), ""),
        menuCommand(CmdPreview, TR_NOOP("Print Pre&view..."), "", R::Always),
        menuCommand(CmdPrint, TR_NOOP("&Print..."), "Ctrl+P", R::Always),
        menuCommand(CmdSaveLibraryBlock, TR_NOOP("Save as &Library Block..."), "", R::Always),
        menuCommand(CmdExit, TR_NOOP("E&xit"), ""),

        row(CmdUndo, TR_NOOP("&Undo"), "Ctrl+Z", TR_NOOP("Undo"), "", ItemKind::Normal, R::CanUndo,
            false),
        row(CmdRedo, TR_NOOP("&Redo"), "Ctrl+Y", TR_NOOP("Redo"), "", ItemKind::Normal, R::CanRedo,
            false),
        menuCommand(CmdCut, TR_NOOP("Cu&t"), "Ctrl+X", R::PiecesSelected),
        contextCommand(menuCommand(CmdCopy, TR_NOOP("&Copy"), "Ctrl+C", R::PiecesSelected),
                       TR_NOOP("Copy")),
        contextCommand(menuCommand(CmdPaste, TR_NOOP("&Paste"), "Ctrl+V", R::ClipboardFilled),
                       TR_NOOP("Paste")),
        menuCommand(CmdDelete, TR_NOOP("&Delete"), "Del", R::AnySelected),
        menuCommand(CmdSelectAll, TR_NOOP("Select &All"), "Ctrl+A"),

        menuCommand(CmdZoomIn, TR_NOOP("Zoom &In"), "+"),
        menuCommand(CmdZoomOut, TR_NOOP("Zoom &Out"), "-"),
        row(CmdZoomToFit, TR_NOOP("Zoom to &Fit"), "Ctrl+0", TR_NOOP("Fit"), "", ItemKind::Normal,
            R::Always, false),
        row(CmdShowGrid, TR_NOOP("Show &Grid"), "Ctrl+G", "", "", ItemKind::Check, R::Always, true),
        row(CmdSnap, TR_NOOP("&Snap"), "Ctrl+Shift+G", "", "", ItemKind::Check, R::Always, true),

        row(CmdUnitsMillimetres, TR_NOOP("Millimetres (mm)"), "", "", "", ItemKind::Radio,
            R::Always, true),
        row(CmdUnitsCentimetres, TR_NOOP("Centimetres (cm)"), "", "", "", ItemKind::Radio,
            R::Always, false),
        row(CmdUnitsInches, TR_NOOP("Inches (in)"), "", "", "", ItemKind::Radio, R::Always, false),
        menuCommand(CmdLayoutShape, TR_NOOP("Layout &Shape..."), "", R::Always),
        menuCommand(CmdCheckLayout, TR_NOOP("&Check Layout..."), "", R::Always),
        menuCommand(CmdTrackLengths, TR_NOOP("&Track Lengths..."), "", R::Always),
        menuCommand(CmdHelp, TR_NOOP("&Help"), "F1", R::Always),

        row(CmdLevels, "", "", TR_NOOP("Levels"),
            TR_NOOP("Manage layout levels (decks): height, color, and shape"), ItemKind::Normal,
            R::Always, false),
        row(Cmd3DView, "", "", TR_NOOP("3D View"), "", ItemKind::Normal, R::Always, false),
        row(CmdToggleLabels, "", "", TR_NOOP("Hide Labels"),
            TR_NOOP("Toggle track labels and join dots"), ItemKind::Check, R::Always, false,
            Command::ToolLabel::Labels),
        row(CmdTunnel, "", "", TR_NOOP("Tunnel"),
            TR_NOOP(
                "Place tunnel portals on the selected chain (or remove if already in a tunnel)"),
            ItemKind::Normal, R::TunnelPossible, false, Command::ToolLabel::Tunnel),
        row(CmdMeasure, "", "", TR_NOOP("Measure"),
            TR_NOOP(
                "Measuring tape: click two points on the canvas to lay down a length annotation"),
            ItemKind::Check, R::Always, false),
        row(CmdPolygon, "", "", TR_NOOP("Polygon"),
            TR_NOOP("Draw a free-form polygon (access hatch, river, mountain, etc.)"),
            ItemKind::Check, R::Always, false),

        contextCommand(menuCommand(CmdAutofillGap, "", ""), TR_NOOP("Autofill Gap...")),
        contextCommand(menuCommand(CmdEditLabel, "", ""), TR_NOOP("Edit Text...")),
    };
    return c;
}

MenuEntry entry(int id) {
    return {ItemKind::Normal, id, "", {}};
}
MenuEntry separator() {
    return {ItemKind::Separator, 0, "", {}};
}
MenuEntry submenu(const char* label, std::vector<MenuEntry> entries) {
    return {ItemKind::Submenu, 0, label, std::move(entries)};
}

std::vector<MenuDef> buildMenuBar() {
    return {
        {TR_NOOP("&File"), {entry(CmdNew),        entry(CmdOpen),
                            separator(),          entry(CmdSave),
                            entry(CmdSaveAs),     separator(),
                            entry(CmdImport),     entry(CmdExport),
                            entry(CmdExportPlan), entry(CmdExportPartsList),
                            separator(),          entry(CmdClose),
                            separator(),          entry(CmdPageSetup),
                            entry(CmdPreview),    entry(CmdPrint),
                            separator(),          entry(CmdSaveLibraryBlock),
                            separator(),          entry(CmdExit)}},
        {TR_NOOP("&Edit"),
         {entry(CmdUndo), entry(CmdRedo), separator(), entry(CmdCut), entry(CmdCopy),
          entry(CmdPaste), separator(), entry(CmdDelete), entry(CmdSelectAll)}},
        {TR_NOOP("&View"),
         {entry(CmdZoomIn), entry(CmdZoomOut), entry(CmdZoomToFit), separator(), entry(CmdShowGrid),
          entry(CmdSnap)}},
        {TR_NOOP("&Layout"),
         {submenu(TR_NOOP("Units of Measure"),
                  {entry(CmdUnitsMillimetres), entry(CmdUnitsCentimetres), entry(CmdUnitsInches)}),
          separator(), entry(CmdLayoutShape), entry(CmdCheckLayout), entry(CmdTrackLengths)}},
        {TR_NOOP("&Help"), {entry(CmdHelp)}},
    };
}

bool isSymbolKey(int key) {
    return key > ' ' && key < 127 && !std::isalnum(key);
}

} // namespace

bool commandEnabled(EnableRule rule, const Document& doc, const Clipboard& clipboard) {
    const Layout& layout = doc.layout;
    switch (rule) {
    case R::Always:
        return true;
    case R::CanUndo:
        return doc.canUndo();
    case R::CanRedo:
        return doc.canRedo();
    case R::AnySelected:
        return anythingSelected(layout);
    case R::PiecesSelected:
        return std::any_of(layout.pieces.begin(), layout.pieces.end(),
                           [](const PlacedPiece& p) { return p.selected; });
    case R::ClipboardFilled:
        return !clipboard.empty();
    case R::TunnelPossible:
        return tunnelToolState(analyseTunnelSelection(layout)).enabled;
    case R::NotBuilt:
        return false;
    }
    return false;
}

CommandState commandState(const Command& command, const Document& doc, const Clipboard& clipboard) {
    CommandState state;
    state.toolText = tr(command.toolText);
    switch (command.toolLabel) {
    case Command::ToolLabel::Tunnel: {
        const TunnelToolState tunnel = tunnelToolState(analyseTunnelSelection(doc.layout));
        state.enabled = tunnel.enabled;
        state.toolText = tunnel.label;
        return state;
    }
    case Command::ToolLabel::Labels:
        state.toolText = labelsToolLabel(doc.layout.showLabels);
        break;
    case Command::ToolLabel::Fixed:
        break;
    }
    state.enabled = commandEnabled(command.enable, doc, clipboard);
    return state;
}

std::string contextMenuText(int id) {
    const Command* command = findCommand(id);
    return command ? tr(command->contextText) : std::string();
}

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table = buildCommands();
    return table;
}

const Command* findCommand(int id) {
    for (const Command& c : commandTable())
        if (c.id == id)
            return &c;
    return nullptr;
}

std::string menuLabel(const Command& command) {
    const std::string text = tr(command.menuText);
    return command.accelerator.empty() ? text : text + "\t" + command.accelerator;
}

const std::vector<MenuDef>& menuBarTable() {
    static const std::vector<MenuDef> table = buildMenuBar();
    return table;
}

const std::vector<int>& toolBarTable() {
    static const std::vector<int> table = {
        CmdUndo, CmdRedo,         0, CmdLevels, 0,          Cmd3DView,  0, CmdZoomToFit,
        0,       CmdToggleLabels, 0, CmdTunnel, CmdMeasure, CmdPolygon, 0,
    };
    return table;
}

KeyStroke parseAccelerator(const std::string& text) {
    KeyStroke k;
    std::string rest = text;
    for (;;) {
        // A lone "+" is the key itself, not a separator.
        const std::size_t plus = rest.size() > 1 ? rest.find('+') : std::string::npos;
        if (plus == std::string::npos)
            break;
        const std::string modifier = rest.substr(0, plus);
        if (modifier == "Ctrl")
            k.ctrl = true;
        else if (modifier == "Shift")
            k.shift = true;
        else if (modifier == "Alt")
            k.alt = true;
        else
            return {};
        rest.erase(0, plus + 1);
    }
    if (rest.size() == 1)
        k.key = std::toupper(static_cast<unsigned char>(rest[0]));
    else if (rest == "Del")
        k.key = KeyDelete;
    else if (rest == "F1")
        k.key = KeyF1;
    else
        return {};
    return k;
}

int commandForKey(const KeyStroke& pressed) {
    for (const Command& c : commandTable()) {
        if (c.accelerator.empty())
            continue;
        KeyStroke accel = parseAccelerator(c.accelerator);
        KeyStroke asPressed = pressed;
        if (isSymbolKey(accel.key))
            asPressed.shift = accel.shift;
        if (accel.key != 0 && accel == asPressed)
            return c.id;
    }
    return 0;
}

bool textFieldKeepsKey(const KeyStroke& pressed) {
    if (pressed.alt || pressed.key == KeyF1)
        return false;
    if (!pressed.ctrl)
        return true;
    // The field's own clipboard, select-all and undo.
    return pressed.key == 'C' || pressed.key == 'X' || pressed.key == 'V' || pressed.key == 'A' ||
           pressed.key == 'Z' || pressed.key == 'Y';
}

std::string labelsToolLabel(bool labelsShown) {
    return labelsShown ? tr("Hide Labels") : tr("Show Labels");
}

int unitsCommand(Units units) {
    switch (units) {
    case Units::Centimetres:
        return CmdUnitsCentimetres;
    case Units::Inches:
        return CmdUnitsInches;
    default:
        return CmdUnitsMillimetres;
    }
}

std::optional<Units> unitsOfCommand(int commandId) {
    switch (commandId) {
    case CmdUnitsMillimetres:
        return Units::Millimetres;
    case CmdUnitsCentimetres:
        return Units::Centimetres;
    case CmdUnitsInches:
        return Units::Inches;
    default:
        return std::nullopt;
    }
}

} // namespace plandor
