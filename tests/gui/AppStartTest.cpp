#include "app/PlandorApp.h"

#include "catalog/TrackCatalog.h"
#include "model/Layout.h"
#include "shell/TraceLog.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/toplevel.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

class StartUpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("plandor-startup-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "tmp");
        preferred_ = (dir_ / "local" / "share" / "plandor").string();
        fallback_ = (dir_ / "tmp").string();
    }
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

    static std::string catalogLine() {
        return "Built-in catalog loaded - " + std::to_string(TrackCatalog::instance().count()) +
               " pieces";
    }

    static void destroy(wxFrame* frame) {
        frame->Destroy();
        wxTheApp->ProcessIdle();
    }

    fs::path dir_;
    std::string preferred_;
    std::string fallback_;
};

} // namespace

TEST_F(StartUpTest, LogsEveryStepAndShowsTheTitledMainWindowWithItsFirstLevel) {
    const MainWindow window = runStartUp(preferred_, fallback_, createMainWindow);
    ASSERT_NE(window.frame, nullptr);
    EXPECT_EQ(window.frame->GetTitle(), "Plandor v1.3 by Korvane Models");
    EXPECT_EQ(window.frame->GetSize(), wxSize(1400, 900));
    EXPECT_TRUE(window.frame->IsShown());
    ASSERT_NE(window.layout, nullptr);
    ASSERT_EQ(window.layout->levels.size(), 1u);
    EXPECT_EQ(window.layout->levels[0].name, "Level 1");
    EXPECT_EQ(window.layout->levels[0].id, 1);

    // The construction trace goes to the same folder.
    traceMainFrame("A: wxFrame base constructed");
    EXPECT_TRUE(fs::exists(preferred_ + "/mainframe.log"));

    runShutDown();
    EXPECT_EQ(logMessages(preferred_),
              (std::vector<std::string>{"=== Plandor starting ===", catalogLine(),
                                        "Creating MainFrame...", "MainFrame created OK", "Show OK",
                                        "OnExit"}));
    EXPECT_FALSE(fs::exists(fallback_ + "/plandor.log"));
    destroy(window.frame);
}

TEST_F(StartUpTest, LogsIntoTheFallbackFolderWhenTheLocalDataFolderCannotBeMade) {
    std::ofstream(dir_ / "local") << "a file where a folder should be";
    const MainWindow window = runStartUp(preferred_, fallback_, createMainWindow);
    ASSERT_NE(window.frame, nullptr);
    runShutDown();
    EXPECT_EQ(logMessages(fallback_).size(), 6u);
    destroy(window.frame);
}

TEST_F(StartUpTest, StartsWithoutLogsWhenNoFolderIsUsable) {
    std::ofstream(dir_ / "local") << "x";
    const std::string unusable = (dir_ / "local" / "tmp").string();
    const MainWindow window = runStartUp(preferred_, unusable, createMainWindow);
    ASSERT_NE(window.frame, nullptr);
    EXPECT_TRUE(window.frame->IsShown());
    runShutDown();
    destroy(window.frame);
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
        EXPECT_EQ(logMessages(preferred_),
                  (std::vector<std::string>{"=== Plandor starting ===", catalogLine(),
                                            "Creating MainFrame...", c.logged}));
    }
}
