#include "core/app/FileCommands.h"
#include "core/base/FilePath.h"
#include "core/base/Translate.h"
#include "core/base/Units.h"
#include "core/model/LayoutFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace plandor {

namespace {

const char* const kDefaultLayoutName = TR_NOOP("My Layout");

std::string replaceQuestion(const std::string& name) {
    return trFormat("A layout named \"%s\" already exists.\n\nReplace it?", name.c_str());
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

void resetToEmptyLayout(Layout& layout) {
    layout.pieces.clear();
    layout.scenery.clear();
    layout.labels.clear();
    layout.measurements.clear();
    layout.shapes.clear();
    layout.tunnels.clear();
    layout.helices.clear();
    layout.baseboard.clear();
    layout.showBaseboard = true;
    layout.nextId = 1;
    layout.reservedIds.clear();
    layout.levels.clear();
    layout.ensureDefaultLevel();
    layout.activeLevel = 1;
    layout.gradeRuns.clear();
    layout.restoreGradeState();
}

FileCommands::FileCommands(Document& doc, Prompter& prompter, LayoutChooser& chooser,
                           Folders folders)
    : doc_(doc), prompter_(prompter), chooser_(chooser), folders_(std::move(folders)) {}

bool FileCommands::confirmUnsavedChanges() {
    if (!doc_.modified)
        return true;
    const PromptAnswer answer = prompter_.askYesNoCancel(
        tr("Unsaved Changes"), tr("You have unsaved changes. Save before continuing?"),
        PromptIcon::Question);
    if (answer == PromptAnswer::No)
        return true;
    if (answer == PromptAnswer::Yes)
        return save().any();
    return false;
}

Change FileCommands::newLayout() {
    if (!confirmUnsavedChanges())
        return Change{};
    Layout empty = doc_.layout;
    resetToEmptyLayout(empty);
    return doc_.replace(std::move(empty), {}, {});
}

Change FileCommands::openLayout() {
    if (!confirmUnsavedChanges())
        return Change{};
    std::vector<LayoutFileEntry> files = listLayoutFiles(folders_.application);
    if (files.empty()) {
        prompter_.message(tr("Open Layout"),
                          tr("No layouts found in") + "\n" + folders_.application,
                          PromptIcon::Information);
        return Change{};
    }
    // The open layout's own file may be deleted from the dialog: the title then shows it.
    const std::string pathBefore = doc_.path;
    const std::optional<std::string> chosen =
        chooser_.chooseLayoutToOpen(sortedLayoutNames(files), [&](const std::string& name) {
            return deleteLayoutFile(files, name);
        });
    const Change forgotten = doc_.path != pathBefore ? Change(Change::FileName) : Change{};
    if (!chosen)
        return forgotten;
    const LayoutFileEntry* file = findLayoutFile(files, *chosen);
    return (file ? openFromPath(file->path) : Change{}) | forgotten;
}

bool FileCommands::deleteLayoutFile(std::vector<LayoutFileEntry>& files, const std::string& name) {
    auto it = std::find_if(files.begin(), files.end(),
                           [&](const LayoutFileEntry& f) { return f.name == name; });
    if (it == files.end())
        return false;
    const std::string question =
        trFormat("Delete layout \"%s\"?\n\nThis cannot be undone.", name.c_str());
    if (!confirm(tr("Delete Layout"), question, PromptIcon::Warning, true))
        return false;
    if (!removeFile(it->path)) {
        prompter_.message(tr("Delete Failed"), tr("Could not delete:") + "\n" + it->path,
                          PromptIcon::Error);
        return false;
    }
    // The open layout stays open, now without a file: the next Save asks for a name.
    if (!doc_.path.empty() && samePath(doc_.path, it->path))
        doc_.forgetPath();
    files.erase(it);
    return true;
}

Change FileCommands::openFromPath(const std::string& path) {
    // Read into a copy so that a file failing half-way leaves the open layout whole.
    return openLoaded(path, loadLayoutCopy(path, doc_.layout));
}

Change FileCommands::openLoaded(const std::string& path, LoadedLayout loaded) {
    if (!loaded.error.empty()) {
        prompter_.message(tr("Open Failed"), loaded.error, PromptIcon::Error);
        return Change{};
    }
    loaded.layout.ensureDefaultLevel();
    return doc_.replace(std::move(loaded.layout), path, loaded.name);
}

std::string commandLinePath(const std::string& given) {
    std::error_code ec;
    std::string path = utf8Path(std::filesystem::absolute(fsPath(given), ec));
    return ec ? given : path;
}

Change FileCommands::openFromCommandLine(const std::string& given) {
    return openFromCommandLine(given, loadLayoutCopy(commandLinePath(given)));
}

Change FileCommands::openFromCommandLine(const std::string& given, LoadedLayout loaded) {
    namespace fs = std::filesystem;
    const std::string path = commandLinePath(given);
    if (!readsLikeNew(doc_.layout))
        loaded = loadLayoutCopy(path, doc_.layout);
    Change change = openLoaded(path, std::move(loaded));
    std::error_code ec;
    const fs::path application = fs::absolute(fsPath(folders_.application), ec);
    if (change.any() &&
        (ec || !samePath(utf8Path(fsPath(path).parent_path()), utf8Path(application)))) {
        change |= doc_.forgetPath();
        // Save then proposes the name the user knows the file by, not the one stored in it.
        doc_.name = layoutNameOf(path);
    }
    return change;
}

Change FileCommands::save() {
    if (!doc_.path.empty())
        return writeTo(doc_.path, doc_.name);
    return saveUnderChosenName();
}

Change FileCommands::saveAs() {
    return saveUnderChosenName();
}

Change FileCommands::saveUnderChosenName() {
    const std::string initial = doc_.name.empty() ? tr(kDefaultLayoutName) : doc_.name;
    std::string answer;
    if (!prompter_.askText(tr("Save Layout"), tr("Layout name:"), initial, answer))
        return Change{};
    std::string name = trimBlanks(answer);
    if (name.empty())
        name = tr(kDefaultLayoutName);
    if (refuseNameLeavingFolder(name, TR_NOOP("Save Failed")))
        return Change{};
    const std::string path = layoutPath(folders_.application, name);
    if (fileExists(path) &&
        !confirm(tr("Confirm Replace"), replaceQuestion(name), PromptIcon::Question, true))
        return Change{};
    return writeTo(path, name);
}

Change FileCommands::writeTo(const std::string& path, const std::string& name) {
    // The document takes the new path and name only once they hold the layout.
    const std::string error = saveLayout(doc_.layout, path, name);
    if (!error.empty()) {
        prompter_.message(tr("Save Failed"), error, PromptIcon::Error);
        return Change{};
    }
    return doc_.saved(path, name);
}

bool FileCommands::confirm(const std::string& title, const std::string& text, PromptIcon icon,
                           bool defaultNo) {
    return prompter_.askYesNo(title, text, icon, defaultNo) == PromptAnswer::Yes;
}

bool FileCommands::refuseNameLeavingFolder(const std::string& name, const char* failureTitle) {
    if (!nameLeavesFolder(name))
        return false;
    prompter_.message(tr(failureTitle),
                      trFormat("\"%s\" cannot be used as a layout name.\n\nA name may not "
                               "contain \"/\" and may not be \".\" or \"..\".",
                               name.c_str()),
                      PromptIcon::Error);
    return true;
}

Change FileCommands::importLayout() {
    const std::optional<ImportChoice> choice = chooser_.chooseImport(transferStartFolder(folders_));
    if (!choice)
        return Change{};
    const std::string name = trimBlanks(choice->name);
    if (name.empty() || choice->sourcePath.empty())
        return Change{};
    if (refuseNameLeavingFolder(name, TR_NOOP("Import Failed")))
        return Change{};
    const std::string target = layoutPath(folders_.application, name);
    if (fileExists(target) &&
        !confirm(tr("Confirm Replace"), replaceQuestion(name), PromptIcon::Question, true))
        return Change{};

    // Only a file the loader accepts is let into the application folder.
    Layout scratch;
    std::string storedName;
    const std::string error = loadLayout(scratch, choice->sourcePath, storedName);
    if (!error.empty()) {
        prompter_.message(tr("Import Failed"),
                          tr("This file does not appear to be a Plandor layout:") + "\n\n" + error,
                          PromptIcon::Error);
        return Change{};
    }
    if (!copyFileReplacing(choice->sourcePath, target)) {
        prompter_.message(tr("Import Failed"), tr("Could not copy the file to:") + "\n" + target,
                          PromptIcon::Error);
        return Change{};
    }
    if (!confirm(tr("Import"), trFormat("Imported successfully.\n\nOpen \"%s\" now?", name.c_str()),
                 PromptIcon::Question, false))
        return Change{};
    return confirmUnsavedChanges() ? openFromPath(target) : Change{};
}

void FileCommands::exportLayout() {
    const std::vector<LayoutFileEntry> files = listLayoutFiles(folders_.application);
    if (files.empty()) {
        prompter_.message(tr("Export Layout"), tr("No layouts to export. Save a layout first."),
                          PromptIcon::Information);
        return;
    }
    const std::vector<std::string> names = sortedLayoutNames(files);
    const std::optional<ExportChoice> choice = chooser_.chooseExport(
        names, exportInitialRow(names, doc_.name), transferStartFolder(folders_));
    if (!choice)
        return;
    const LayoutFileEntry* source = findLayoutFile(files, choice->layoutName);
    const std::string folder = trimBlanks(choice->folder);
    const std::string typed = trimBlanks(choice->saveAs);
    if (!source || folder.empty() || typed.empty())
        return;
    if (!isFolder(folder)) {
        prompter_.message(tr("Export Failed"),
                          tr("Destination folder does not exist:") + "\n" + folder,
                          PromptIcon::Error);
        return;
    }
    if (refuseNameLeavingFolder(typed, TR_NOOP("Export Failed")))
        return;
    const std::string name = dropExtension(typed);
    if (refuseNameLeavingFolder(name, TR_NOOP("Export Failed")))
        return;
    const std::string target = layoutPath(folder, name);
    if (fileExists(target) &&
        !confirm(tr("Confirm Replace"),
                 trFormat("\"%s\" already exists in that folder.\n\nReplace it?", name.c_str()),
                 PromptIcon::Question, true))
        return;
    if (copyFileReplacing(source->path, target))
        prompter_.message(tr("Export Layout"), tr("Exported to:") + "\n" + target,
                          PromptIcon::Information);
    else
        prompter_.message(tr("Export Failed"), tr("Could not copy the file to:") + "\n" + target,
                          PromptIcon::Error);
}

std::string importNameAfterSelection(const std::string& current, const std::string& fileName) {
    return current.empty() ? dropExtension(fileName) : current;
}

bool canImport(bool fileSelected, const std::string& importAs) {
    return fileSelected && !trimBlanks(importAs).empty();
}

int exportInitialRow(const std::vector<std::string>& names, const std::string& displayName) {
    if (displayName.empty())
        return -1;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (equalIgnoringCase(names[i], displayName))
            return static_cast<int>(i);
    return -1;
}

bool canExport(bool rowSelected, const std::string& saveAs) {
    return rowSelected && !saveAs.empty();
}

} // namespace plandor
