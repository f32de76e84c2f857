#pragma once
// The layout-file commands of the main window: New (and Close), Open with its Delete...,
// Save, Save As, Import and Export, and the unsaved-changes question they share. Layouts
// live in the application folder and are chosen by name. Every question and message goes
// through the Prompter and every dialog through the LayoutChooser; the caller refreshes its
// views from what each command returns.

#include "core/app/LayoutChooser.h"
#include "core/base/Folders.h"
#include "core/base/Prompter.h"
#include "core/document/Document.h"
#include "core/model/LayoutFile.h"

#include <string>
#include <vector>

namespace plandor {

// Empties the layout for a fresh start: every list, the levels (then "Level 1" again, active),
// the grade runs and grade state, and the id counter. Display settings
// (units, snap, grid, labels, last shape sizes) stay.
void resetToEmptyLayout(Layout& layout);

class FileCommands {
  public:
    FileCommands(Document& doc, Prompter& prompter, LayoutChooser& chooser, Folders folders);

    const Folders& folders() const { return folders_; }
    void setFolders(Folders folders) { folders_ = std::move(folders); }

    // "Unsaved Changes": true to go on (nothing modified, No, or Yes and the save succeeded).
    bool confirmUnsavedChanges();

    // Each command returns what it changed; no change when it was cancelled or failed.
    // New and Close: the document is cleared to an empty layout.
    Change newLayout();
    // The Open dialog.
    Change openLayout();
    // A file named on the command line: opened like Open when it lies in the layout folder;
    // any other file is read as Import reads it, keeping no path, so Save asks for a name and
    // writes into the layout folder. On failure "Open Failed" is shown and nothing changes.
    Change openFromCommandLine(const std::string& path);
    // The same with the file already read by loadLayoutCopy(commandLinePath(path)), on another
    // thread while the window was built; it is read again only when the open layout holds
    // something of its own that a read into it would keep.
    Change openFromCommandLine(const std::string& path, LoadedLayout loaded);
    // Loads a file in place of the open layout; on failure the document is unchanged.
    Change openFromPath(const std::string& path);
    // Save keeping the name (asks only when the layout has no path) and Save As (always asks).
    Change save();
    Change saveAs();
    // The Import dialog; the imported layout is opened when the user says so.
    Change importLayout();
    // The Export dialog.
    void exportLayout();

  private:
    // Puts what was read from `path` in place of the open layout, or shows why it failed.
    Change openLoaded(const std::string& path, LoadedLayout loaded);
    Change saveUnderChosenName();
    Change writeTo(const std::string& path, const std::string& name);
    bool deleteLayoutFile(std::vector<LayoutFileEntry>& files, const std::string& name);
    bool refuseNameLeavingFolder(const std::string& name, const char* failureTitle);
    // A Yes/No question; true only for Yes.
    bool confirm(const std::string& title, const std::string& text, PromptIcon icon,
                 bool defaultNo);

    Document& doc_;
    Prompter& prompter_;
    LayoutChooser& chooser_;
    Folders folders_;
};

// Where a file named on the command line is read from: its absolute path, or the name as
// given when there is none.
std::string commandLinePath(const std::string& given);

// Rules of the Import and Export dialogs.

// The "Import as:" text after a file row is selected: the file's name without extension,
// but only while the field is still empty.
std::string importNameAfterSelection(const std::string& current, const std::string& fileName);
// "Import" is enabled while a file is selected and the trimmed name is not empty.
bool canImport(bool fileSelected, const std::string& importAs);
// The row selected when Export opens: the name equal to the display name ignoring case, or -1.
int exportInitialRow(const std::vector<std::string>& names, const std::string& displayName);
// "Export" is enabled while a row is selected and the save-as name is not empty.
bool canExport(bool rowSelected, const std::string& saveAs);

} // namespace plandor
