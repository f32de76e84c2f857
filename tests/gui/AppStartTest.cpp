// Start-up: every step logged and the main window shown, and a main window that throws logged
// and never shown.
#include "gui/app/PlandorApp.h"

#include "GuiTestSupport.h"
#include "core/catalog/TrackCatalog.h"

#include <wx/frame.h>

#include <fstream>
#include <stdexcept>

using namespace plandor;
using namespace plandor::guitest;
namespace fs = std::filesystem;

namespace {

class StartUpTest : public ::testing::Test {
  protected:
    void TearDown() override {
        appLog().close();
        fs::remove_all(dir_);
    }

    // The log's messages with their timestamps ("hh:mm:ss.mmm ") cut off.
    static std::vector<std::string> logMessages(const std::string& folder) {
        std::ifstream in(folder + "/plandor.log");
        std::vector<std::string> messages;
        for (std::string line; std::getline(in, line);)
            messages.push_back(line.size() > 13 ? line.substr(13) : line);
        return messages;
    }
    static std::vector<std::string> firstSteps() {
        return {"=== Plandor starting ===",
                "Built-in catalog loaded - " + std::to_string(TrackCatalog::instance().count()) +
                    " pieces",
                "Creating MainFrame..."};
    }

    const std::string dir_ = tempFolder();
    const std::string preferred_ = dir_ + "/local/share/plandor";
    const std::string fallback_ = dir_ + "/tmp";
};

} // namespace

// Which folder takes the log and the format of its lines are checked in the core.
TEST_F(StartUpTest, LogsEveryStepAndShowsTheMainWindow) {
    const MainWindow window = runStartUp(preferred_, fallback_, createMainWindow);
    ASSERT_NE(window.frame, nullptr);
    EXPECT_TRUE(window.frame->IsShown());
    runShutDown();
    std::vector<std::string> steps = firstSteps();
    steps.insert(steps.end(), {"MainFrame created OK", "Show OK", "OnExit"});
    EXPECT_EQ(logMessages(preferred_), steps);
    window.frame->Destroy();
    wxTheApp->ProcessIdle();
}

TEST_F(StartUpTest, AMainWindowThatThrowsIsLoggedAndNeverShown) {
    struct Case {
        const char* name;
        MainWindowBuilder build;
        const char* logged;
    };
    const Case cases[] = {
        {"standard exception", []() -> MainWindow { throw std::runtime_error("menu bar failed"); },
         "EXCEPTION: menu bar failed"},
        {"anything else", []() -> MainWindow { throw 42; }, "UNKNOWN EXCEPTION in MainFrame"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t windowsBefore = wxTopLevelWindows.size();
        const MainWindow window = runStartUp(preferred_, fallback_, c.build);
        EXPECT_EQ(window.frame, nullptr);
        EXPECT_EQ(wxTopLevelWindows.size(), windowsBefore);
        std::vector<std::string> steps = firstSteps();
        steps.push_back(c.logged);
        EXPECT_EQ(logMessages(preferred_), steps);
    }
}
