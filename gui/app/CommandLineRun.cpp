#include "gui/app/CommandLineRun.h"

#include "core/app/ShopMap.h"
#include "core/base/Folders.h"
#include "core/base/Translate.h"
#include "core/model/LayoutFile.h"
#include "gui/platform/SystemFolders.h"
#include "gui/wxrender/PlanExporter.h"

#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>

namespace plandor {

namespace {

class HeadlessApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

int fail(const std::string& message, int code = 1) {
    std::fprintf(stderr, "plandor: %s\n", message.c_str());
    return code;
}

// The shop data the window uses: beside the executable, or in the installed data folder.
ShopMap installedShop() {
    const std::string path = findFileIn(shippedDataFolders(), kShopMapFileName);
    return path.empty() ? ShopMap{} : loadShopMap(path).shop;
}

int exportPlan(const CommandLine& line, int argc, char** argv) {
    Layout layout;
    const CommandResult read = readLayoutForCommand(line.layoutPath, layout);
    if (read.exitCode != kExitDone)
        return fail(read.message, read.exitCode);
    // Text needs the toolkit's fonts, so the toolkit starts, but no window is made.
    wxApp::SetInstance(new HeadlessApp);
    if (!wxEntryStart(argc, argv))
        return fail(tr("cannot start the toolkit to draw the plan (is there a display?)"));
    const std::string written = exportPlanFile(layout, line.plan, line.output);
    wxEntryCleanup();
    return written.empty() ? kExitDone : fail(written, kExitWriteFailed);
}

} // namespace

int runCommandLine(const CommandLine& line, int argc, char** argv) {
    switch (line.action) {
    case CommandLineAction::ExportParts: {
        const CommandResult done =
            exportPartsFile(line.layoutPath, line.output, installedShop(), line.tracksOutput);
        return done.exitCode == kExitDone ? kExitDone : fail(done.message, done.exitCode);
    }
    case CommandLineAction::ExportPlan:
        return exportPlan(line, argc, argv);
    case CommandLineAction::Invalid:
        std::fprintf(stderr, "plandor: %s\n%s", line.error.c_str(), commandLineUsage().c_str());
        return 2;
    case CommandLineAction::OpenWindow:
        break;
    }
    return 0;
}

} // namespace plandor
