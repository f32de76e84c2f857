#pragma once
// The main window's command set as data: one row per command with its id, menu text,
// accelerator, toolbar text, tooltip, kind and the rule that enables it. The menu bar and the
// toolbar are laid out from ids of this table, the window's keyboard shortcuts come from its
// accelerators, and whether a command is enabled is decided here from a small state record.

#include "core/base/Units.h"

#include <optional>
#include <string>
#include <vector>

namespace plandor {

struct Document;
struct Clipboard;

// Command ids. The file, edit-clipboard, print and exit commands use the toolkit's stock ids.
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
    CmdCut = 5031,
    CmdCopy = 5032,
    CmdPaste = 5033,
    CmdImport = 1900,
    CmdExport = 1901,
    CmdExportPlan = 1902,
    CmdExportPartsList = 1903,
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
    CmdTrackLengths = 2024,
};

enum class ItemKind { Normal, Check, Radio, Separator, Submenu };

// When a command may run. NotBuilt marks a command whose feature does not exist yet: it stays
// disabled, never silent.
enum class EnableRule {
    Always,
    CanUndo,
    CanRedo,
    AnySelected,     // something Delete removes is selected (as for the Delete key)
    PiecesSelected,  // a placed piece is selected
    ClipboardFilled, // the clipboard holds pieces
    TunnelPossible,  // the tunnel analysis allows placing or removing one
    NotBuilt,
};

// Whether a command with the rule may run now. Only what the rule needs is looked at: the
// window asks for every command whenever it is idle.
bool commandEnabled(EnableRule rule, const Document& doc, const Clipboard& clipboard);

struct Command {
    int id = 0;
    std::string menuText;    // "&Save"; empty for a toolbar-only command
    std::string accelerator; // "Ctrl+S"; empty for none
    std::string toolText;    // "Undo"; empty when not on the toolbar
    std::string tooltip;
    ItemKind kind = ItemKind::Normal; // Normal, Check or Radio
    EnableRule enable = EnableRule::Always;
    bool checkedAtStart = false;
};

const std::vector<Command>& commandTable();
// The row of the id, or null.
const Command* findCommand(int id);
// The menu label: the text, then a tab and the accelerator when there is one.
std::string menuLabel(const Command& command);

// One entry of a menu: a command (by id), a separator, or a submenu with its own entries.
struct MenuEntry {
    ItemKind kind = ItemKind::Normal;
    int id = 0;
    std::string label; // submenus only
    std::vector<MenuEntry> entries;
};

struct MenuDef {
    std::string title;
    std::vector<MenuEntry> entries;
};

// The menu bar, menus in order.
const std::vector<MenuDef>& menuBarTable();
// The toolbar's command ids in order; 0 is a separator.
const std::vector<int>& toolBarTable();

// A key as the window reports it: printable keys by their upper-case character, the others by
// the names below.
enum KeyName : int { KeyDelete = 0x10000, KeyBackspace, KeyEscape, KeyEnter, KeyF1 };
struct KeyStroke {
    int key = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool operator==(const KeyStroke& o) const {
        return key == o.key && ctrl == o.ctrl && shift == o.shift && alt == o.alt;
    }
};

// "Ctrl+Shift+S", "Del", "F1", "+": the key stroke of an accelerator text; key 0 when the
// text names no key.
KeyStroke parseAccelerator(const std::string& text);
// The command whose accelerator the stroke presses, or 0. Shift is not compared for symbol
// keys such as "+", which many keyboards type with Shift.
int commandForKey(const KeyStroke& pressed);
// Whether a text field that has the keyboard needs the stroke itself (typing, deleting,
// its own clipboard and undo), so the window's shortcut must not take it.
bool textFieldKeepsKey(const KeyStroke& pressed);

// Labels of the show-labels tool: "Hide Labels" while labels are shown, else "Show Labels".
std::string labelsToolLabel(bool labelsShown);

// The units radio item for a unit, and the unit of such an item (nothing for any other
// command).
int unitsCommand(Units units);
std::optional<Units> unitsOfCommand(int commandId);

} // namespace plandor
