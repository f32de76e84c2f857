#pragma once
// The main window's command set as data: one row per command with its id, menu text,
// accelerator, toolbar text, tooltip, kind and the rule that enables it. The menu bar and the
// toolbar are laid out from ids of this table, the window's keyboard shortcuts come from its
// accelerators, and whether a command is enabled is decided here from a small state record.

#include "core/base/CommandIds.h"
#include "core/base/Units.h"

#include <optional>
#include <string>
#include <vector>

namespace plandor {

struct Document;
struct Clipboard;

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
    std::string contextText; // "Copy" in the canvas's right-click menu; empty when not there
    // A toolbar text that follows the document (Tunnel, Hide Labels); Fixed keeps toolText.
    enum class ToolLabel { Fixed, Tunnel, Labels } toolLabel = ToolLabel::Fixed;
};

// What the window shows of a command now: enabled or not, and its toolbar text.
struct CommandState {
    bool enabled = false;
    std::string toolText;
};
// One look at the document serves both (the window asks whenever it is idle).
CommandState commandState(const Command& command, const Document& doc, const Clipboard& clipboard);
// The text of the command in the canvas's right-click menu.
std::string contextMenuText(int id);

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
