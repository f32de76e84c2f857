#include "app/MainWindowFactory.h"

#include "ui/MainFrame.h"

namespace plandor {

MainWindow createMainWindow() {
    auto* frame = new MainFrame();
    return MainWindow{frame, &frame->document().layout,
                      [frame](const std::string& path) { frame->openFromCommandLine(path); }};
}

} // namespace plandor
