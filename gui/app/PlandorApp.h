#pragma once
// The application object and the start-up and exit steps it runs.

#include "core/model/LayoutFile.h"
#include "gui/app/MainWindowFactory.h"

#include <wx/app.h>

#include <atomic>
#include <functional>
#include <future>
#include <memory>
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

// Opens what is being read for `given` once the window has shown: the window appears as soon
// as it is built and the plan fills in after. While the file is still being read the status
// bar names it and the window takes no input.
// Where the reader keeps the share of the file read so far, in percent (-1 before it knows):
// the status bar shows it.
using ReadingProgress = std::shared_ptr<const std::atomic<int>>;
void openWhenRead(const MainWindow& window, const std::string& given,
                  std::future<LoadedLayout> reading, ReadingProgress progress = nullptr);
// True from `openWhenRead` until the layout has been opened.
bool stillReading();

class PlandorApp : public wxApp {
  public:
    bool OnInit() override;
    int OnExit() override;
    // Every text of the program is English, so its windows run left to right; this also spares
    // the toolkit building its table of languages to find that out.
    wxLayoutDirection GetLayoutDirection() const override;
    int FilterEvent(wxEvent& event) override;

  private:
    bool reportFirstPaint_ = false;
    bool reportInput_ = false;
};

} // namespace plandor
