#pragma once
// Every command id of the program in one list, and the key strokes that press them: the
// command table, the canvas's context menu and its keys all name commands from here.

namespace plandor {

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
    // The canvas's right-click menu only.
    CmdAutofillGap = 6001,
    CmdEditLabel = 6002,
};

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

} // namespace plandor
