#include "core/app/Commands.h"

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

Command menuCommand(int id, const char* text, const char* accelerator, R enable = R::Always) {
    return {id, text, accelerator, "", "", ItemKind::Normal, enable, false};
}

std::vector<Command> buildCommands() {
    std::vector<Command> c = {
        menuCommand(CmdNew, "&New Layout", "Ctrl+N"),
        menuCommand(CmdOpen, "&Open Layout...", "Ctrl+O"),
        menuCommand(CmdSave, "&Save", "Ctrl+S"),
        menuCommand(CmdSaveAs, "Save &As...", "Ctrl+Shift+S"),
        menuCommand(CmdImport, "&Import Layout...", ""),
        menuCommand(CmdExport, "&Export Layout...", ""),
        menuCommand(CmdExportPlan, "Expo&rt Plan...", ""),
        menuCommand(CmdExportPartsList, "Export Parts Lis&t...", ""),
        menuCommand(CmdClose, "&Close Layout", "Ctrl+W"),
        menuCommand(CmdPageSetup, "Page Set&up...", ""),
        menuCommand(CmdPreview, "Print Pre&view...", "", R::Always),
        menuCommand(CmdPrint, "&Print...", "Ctrl+P", R::Always),
        menuCommand(CmdSaveLibraryBlock, "Save as &Library Block...", "", R::Always),
        menuCommand(CmdExit, "E&xit", ""),

        {CmdUndo, "&Undo", "Ctrl+Z", "Undo", "", ItemKind::Normal, R::CanUndo, false},
        {CmdRedo, "&Redo", "Ctrl+Y", "Redo", "", ItemKind::Normal, R::CanRedo, false},
        menuCommand(CmdCut, "Cu&t", "Ctrl+X", R::PiecesSelected),
        menuCommand(CmdCopy, "&Copy", "Ctrl+C", R::PiecesSelected),
        menuCommand(CmdPaste, "&Paste", "Ctrl+V", R::ClipboardFilled),
        menuCommand(CmdDelete, "&Delete", "Del", R::AnySelected),
        menuCommand(CmdSelectAll, "Select &All", "Ctrl+A"),

        menuCommand(CmdZoomIn, "Zoom &In", "+"),
        menuCommand(CmdZoomOut, "Zoom &Out", "-"),
        {CmdZoomToFit, "Zoom to &Fit", "Ctrl+0", "Fit", "", ItemKind::Normal, R::Always, false},
        {CmdShowGrid, "Show &Grid", "Ctrl+G", "", "", ItemKind::Check, R::Always, true},
        {CmdSnap, "&Snap", "Ctrl+Shift+G", "", "", ItemKind::Check, R::Always, true},

        {CmdUnitsMillimetres, "Millimetres (mm)", "", "", "", ItemKind::Radio, R::Always, true},
        {CmdUnitsCentimetres, "Centimetres (cm)", "", "", "", ItemKind::Radio, R::Always, false},
        {CmdUnitsInches, "Inches (in)", "", "", "", ItemKind::Radio, R::Always, false},
        menuCommand(CmdLayoutShape, "Layout &Shape...", "", R::Always),
        menuCommand(CmdCheckLayout, "&Check Layout...", "", R::Always),
        menuCommand(CmdTrackLengths, "&Track Lengths...", "", R::Always),
        menuCommand(CmdHelp, "&Help", "F1", R::Always),

        {CmdLevels, "", "", "Levels", "Manage layout levels (decks): height, color, and shape",
         ItemKind::Normal, R::Always, false},
        {Cmd3DView, "", "", "3D View", "", ItemKind::Normal, R::Always, false},
        {CmdToggleLabels, "", "", "Hide Labels", "Toggle track labels and join dots",
         ItemKind::Check, R::Always, false},
        {CmdTunnel, "", "", "Tunnel",
         "Place tunnel portals on the selected chain (or remove if already in a tunnel)",
         ItemKind::Normal, R::TunnelPossible, false},
        {CmdMeasure, "", "", "Measure",
         "Measuring tape: click two points on the canvas to lay down a length annotation",
         ItemKind::Check, R::Always, false},
        {CmdPolygon, "", "", "Polygon",
         "Draw a free-form polygon (access hatch, river, mountain, etc.)", ItemKind::Check,
         R::Always, false},
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
        {"&File", {entry(CmdNew),        entry(CmdOpen),
                   separator(),          entry(CmdSave),
                   entry(CmdSaveAs),     separator(),
                   entry(CmdImport),     entry(CmdExport),
                   entry(CmdExportPlan), entry(CmdExportPartsList),
                   separator(),          entry(CmdClose),
                   separator(),          entry(CmdPageSetup),
                   entry(CmdPreview),    entry(CmdPrint),
                   separator(),          entry(CmdSaveLibraryBlock),
                   separator(),          entry(CmdExit)}},
        {"&Edit",
         {entry(CmdUndo), entry(CmdRedo), separator(), entry(CmdCut), entry(CmdCopy),
          entry(CmdPaste), separator(), entry(CmdDelete), entry(CmdSelectAll)}},
        {"&View",
         {entry(CmdZoomIn), entry(CmdZoomOut), entry(CmdZoomToFit), separator(), entry(CmdShowGrid),
          entry(CmdSnap)}},
        {"&Layout",
         {submenu("Units of Measure",
                  {entry(CmdUnitsMillimetres), entry(CmdUnitsCentimetres), entry(CmdUnitsInches)}),
          separator(), entry(CmdLayoutShape), entry(CmdCheckLayout), entry(CmdTrackLengths)}},
        {"&Help", {entry(CmdHelp)}},
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
    return command.accelerator.empty() ? command.menuText
                                       : command.menuText + "\t" + command.accelerator;
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
    return labelsShown ? "Hide Labels" : "Show Labels";
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
