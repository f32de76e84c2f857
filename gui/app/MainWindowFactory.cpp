#include "gui/app/MainWindowFactory.h"

#include "gui/ui/MainFrame.h"

#include "core/model/LayoutFile.h"

#include <utility>

namespace plandor {

MainWindow createMainWindow() {
    auto* frame = new MainFrame();
    return MainWindow{frame, &frame->document().layout,
                      [frame](const std::string& path, LoadedLayout loaded) {
                          frame->openFromCommandLine(path, std::move(loaded));
                      },
                      [frame] { frame->offerRecovery(); }};
}

} // namespace plandor
