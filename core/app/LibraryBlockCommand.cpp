#include "core/app/LibraryBlockCommand.h"

#include "core/base/Folders.h"
#include "core/model/BlockFile.h"

#include <algorithm>

namespace plandor {

namespace {

const char* const kSaveTitle = "Save Block";
const char* const kFailedTitle = "Save Block Failed";

bool anythingSelected(const Layout& layout) {
    const auto selected = [](const auto& r) { return r.selected; };
    return std::any_of(layout.pieces.begin(), layout.pieces.end(), selected) ||
           std::any_of(layout.scenery.begin(), layout.scenery.end(), selected);
}

} // namespace

bool saveAsLibraryBlock(const Layout& layout, Prompter& prompter, const std::string& libraryFolder,
                        const std::function<void()>& saved) {
    if (!anythingSelected(layout)) {
        prompter.message(kSaveTitle, "Select pieces first to save as library block.",
                         PromptIcon::Information);
        return false;
    }
    std::string name;
    if (!prompter.askText("Save Library Block", "Block name:", "", name) || name.empty())
        return false;
    if (const std::string problem = blockNameProblem(name); !problem.empty()) {
        prompter.message(kFailedTitle, problem, PromptIcon::Error);
        return false;
    }
    if (!ensureFolder(libraryFolder)) {
        prompter.message(kFailedTitle, "Cannot create folder: " + libraryFolder, PromptIcon::Error);
        return false;
    }
    const std::string path = blockPath(libraryFolder, name);
    if (fileExists(path) &&
        prompter.askYesNo("Confirm Replace",
                          "A library block named \"" + name + "\" already exists.\n\nReplace it?",
                          PromptIcon::Question, true) != PromptAnswer::Yes)
        return false;
    if (const std::string error = saveBlock(layout, path, name); !error.empty()) {
        prompter.message(kFailedTitle, error, PromptIcon::Error);
        return false;
    }
    if (saved)
        saved();
    prompter.message(kSaveTitle, "Block saved: " + name, PromptIcon::Information);
    return true;
}

} // namespace plandor
