// Start-up: the log lines written into the first usable folder, the main window shown, and a
// main window that throws logged and never shown.
#include "app/PlandorApp.h"

#include "GuiTestSupport.h"
#include "catalog/TrackCatalog.h"

#include <wx/frame.h>

#include <fstream>
#include <regex>
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

    // The log's messages with their timestamps checked and cut off.
    static std::vector<std::string> logMessages(const std::string& folder) {
        std::ifstream in(folder + "/plandor.log");
        std::vector<std::string> messages;
        const std::regex stamped(R"(\d\d:\d\d:\d\d\.\d\d\d (.*))");
        std::smatch m;
        for (std::string line; std::getline(in, line);) {
            EXPECT_TRUE(std::regex_match(line, m, stamped)) << line;
            messages.push_back(m.size() > 1 ? m[1].str() : line);
        }
        return messages;
    }
    static std::vector<std::string> firstSteps() {
        return {"=== Plandor starting ===",
                "Built-in catalog loaded - " + std::to_string(TrackCatalog::instance().count()) +
                    " pieces",
                "Creating MainFrame..."};
    }
    static void destroy(wxFrame* frame) {
        frame->Destroy();
        wxTheApp->ProcessIdle();
    }

    const std::string dir_ = tempFolder();
    const std::string preferred_ = dir_ + "/local/share/plandor";
    const std::string fallback_ = dir_ + "/tmp";
};

} // namespace

TEST_F(StartUpTest, LogsEveryStepInTheFirstUsableFolderAndShowsTheMainWindow) {
    std::vector<std::string> steps = firstSteps();
    steps.insert(steps.end(), {"MainFrame created OK", "Show OK", "OnExit"});
    fs::create_directories(fallback_);
    struct Case {
        const char* name;
        std::string fallback, logFolder; // no log folder: no log at all
    };
    for (const Case& c :
         {Case{"local data folder", fallback_, preferred_}, Case{"fallback", fallback_, fallback_},
          Case{"no usable folder", dir_ + "/local/tmp", ""}}) {
        SCOPED_TRACE(c.name);
        const MainWindow window = runStartUp(preferred_, c.fallback, createMainWindow);
        ASSERT_NE(window.frame, nullptr);
        EXPECT_EQ(window.frame->GetTitle(), "Plandor v1.3 by Korvane Models");
        EXPECT_TRUE(window.frame->IsShown());
        EXPECT_EQ(window.layout->levels.size(), 1u);
        runShutDown();
        if (!c.logFolder.empty()) {
            EXPECT_EQ(logMessages(c.logFolder), steps);
        }
        destroy(window.frame);
        appLog().close();
        // From now on the local data folder cannot be made.
        fs::remove_all(dir_ + "/local");
        std::ofstream(dir_ + "/local") << "a file where a folder should be";
    }
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
