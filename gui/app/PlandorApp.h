#pragma once
// The application object and the start-up and exit steps it runs.

#include "gui/app/MainWindowFactory.h"

#include <wx/app.h>

#include <functional>
#include <string>

namespace plandor {

using MainWindowBuilder = std::function<MainWindow()>;

// Opens "plandor.log" in the chosen log folder, loads the catalogue, builds the main window
// with `build` and shows it, logging each step. Returns the shown window, or a window with a
// null frame when building it threw (the caller then ends the program).
MainWindow runStartUp(const std::string& preferredLogFolder, const std::string& fallbackLogFolder,
                      const MainWindowBuilder& build);

// Logs "OnExit" and closes the application log.
void runShutDown();

// Starts reading the layout file named on the command line on a second thread, from the start
// of the process, while the toolkit starts and the window is built; the application opens what
// was read once its window shows.
void startReadingLayout(const std::string& given);

class PlandorApp : public wxApp {
  public:
    bool OnInit() override;
    int OnExit() override;
    // Every text of the program is English, so its windows run left to right; this also spares
    // the toolkit building its table of languages to find that out.
    wxLayoutDirection GetLayoutDirection() const override;
};

} // namespace plandor
