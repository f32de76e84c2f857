#include "core/app/LibraryBlockCommand.h"
#include "core/base/Translate.h"

#include "core/base/Folders.h"
#include "core/model/BlockFile.h"

#include <algorithm>

namespace plandor {

namespace {

const char* const kSaveTitle = TR_NOOP("Save Block");
const char* const kFailedTitle = TR_NOOP("Save Block Failed");

bool anythingSelected(const Layout& layout) {
    const auto selected = [](const auto& r) { return r.selected; };
    return std::any_of(layout.pieces.begin(), layout.pieces.end(), selected) ||
           std::any_of(layout.scenery.begin(), layout.scenery.end(), selected);
}

} // namespace

bool saveAsLibraryBlock(const Layout& layout, Prompter& prompter, const std::string& libraryFolder,
                        const std::function<void()>& saved) {
    if (!anythingSelected(layout)) {
        prompter.message(tr(kSaveTitle), tr("Select pieces first to save as library block."),
                         PromptIcon::Information);
        return false;
    }
    std::string name;
    if (!prompter.askText(tr("Save Library Block"), tr("Block name:"), "", name) || name.empty())
        return false;
    if (const std::string problem = blockNameProblem(name); !problem.empty()) {
        prompter.message(tr(kFailedTitle), problem, PromptIcon::Error);
        return false;
    }
    if (!ensureFolder(libraryFolder)) {
        prompter.message(tr(kFailedTitle), tr("Cannot create folder: ") + libraryFolder,
                         PromptIcon::Error);
        return false;
    }
    const std::string path = blockPath(libraryFolder, name);
    if (fileExists(path) &&
        prompter.askYesNo(
            tr("Confirm Replace"),
            trFormat("A library block named \"%s\" already exists.\n\nReplace it?", name.c_str()),
            PromptIcon::Question, true) != PromptAnswer::Yes)
        return false;
    if (const std::string error = saveBlock(layout, path, name); !error.empty()) {
        prompter.message(tr(kFailedTitle), error, PromptIcon::Error);
        return false;
    }
    if (saved)
        saved();
    prompter.message(tr(kSaveTitle), tr("Block saved: ") + name, PromptIcon::Information);
    return true;
}

} // namespace plandor
