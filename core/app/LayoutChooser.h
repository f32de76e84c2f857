#pragma once
// The three dialogs of the layout-file commands, behind an interface so that the commands
// run in tests with scripted choices: Open (with its Delete... button), Import and Export.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plandor {

// What the Import dialog hands back: the chosen file and the name to import it as
// (as typed, untrimmed).
struct ImportChoice {
    std::string sourcePath;
    std::string name;
};

// What the Export dialog hands back: the chosen layout name, the destination folder and
// the save-as name (as typed, untrimmed).
struct ExportChoice {
    std::string layoutName;
    std::string folder;
    std::string saveAs;
};

class LayoutChooser {
  public:
    virtual ~LayoutChooser() = default;

    // The Open Layout dialog over `names` (already sorted). Its Delete... button calls
    // `deleteLayout` with the selected name, which answers whether the row is gone.
    // Returns the name chosen to open, or nothing on Cancel.
    virtual std::optional<std::string>
    chooseLayoutToOpen(const std::vector<std::string>& names,
                       const std::function<bool(const std::string&)>& deleteLayout) = 0;
    // The Import Layout dialog, starting at `startFolder`; nothing on Cancel.
    virtual std::optional<ImportChoice> chooseImport(const std::string& startFolder) = 0;
    // The Export Layout dialog over `names` with row `initialRow` (or -1) selected and
    // `startFolder` as the destination; nothing on Cancel.
    virtual std::optional<ExportChoice> chooseExport(const std::vector<std::string>& names,
                                                     int initialRow,
                                                     const std::string& startFolder) = 0;
};

} // namespace plandor
