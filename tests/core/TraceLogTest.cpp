#include "shell/TraceLog.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

class TraceLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("plandor-tracelog-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    // A path that can never be a folder: it lies under a regular file.
    std::string underAFile(const std::string& name) {
        const std::string file = path("plain-file");
        std::ofstream(file) << "x";
        return file + "/" + name;
    }

    static std::string readFile(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir_;
};

std::chrono::system_clock::time_point localTime(int hour, int minute, int second, int millis) {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 15;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&t)) +
           std::chrono::milliseconds(millis);
}

} // namespace

TEST(LogTimestamp, IsLocalTimeWithMillisecondsAndATrailingBlank) {
    struct Case {
        const char* name;
        int h, m, s, ms;
        const char* expected;
    };
    const Case cases[] = {
        {"afternoon", 14, 3, 7, 42, "14:03:07.042 "},
        {"whole second", 9, 0, 0, 0, "09:00:00.000 "},
        {"last millisecond of the day", 23, 59, 59, 999, "23:59:59.999 "},
        {"first millisecond of the day", 0, 0, 0, 1, "00:00:00.001 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatLogTimestamp(localTime(c.h, c.m, c.s, c.ms)), c.expected) << c.name;
}

TEST_F(TraceLogTest, ReopeningTheLogKeepsOnlyTheSecondRunsLines) {
    AppLog log;
    ASSERT_TRUE(log.open(dir_.string()));
    log.write("first run");
    log.close();
    ASSERT_TRUE(log.open(dir_.string()));
    log.write("second run");
    log.write("second line");
    // Each line is flushed as it is written: readable while the log stays open.
    const std::string text = readFile(path("plandor.log"));
    const std::regex expected(R"(\d\d:\d\d:\d\d\.\d\d\d second run\n)"
                              R"(\d\d:\d\d:\d\d\.\d\d\d second line\n)");
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

TEST_F(TraceLogTest, WritesWhileClosedAreSilent) {
    AppLog log;
    log.write("before open");
    EXPECT_FALSE(log.isOpen());
    ASSERT_TRUE(log.open(dir_.string()));
    log.close();
    log.write("after close");
    EXPECT_EQ(readFile(path("plandor.log")), "");
}

TEST_F(TraceLogTest, LogFolderIsCreatedWithItsParentsOrFallsBack) {
    const std::string fallback = path("fallback");
    const std::string nested = path("a/b/plandor");
    EXPECT_EQ(chooseLogFolder(nested, fallback), nested);
    EXPECT_TRUE(fs::is_directory(nested));
    EXPECT_EQ(chooseLogFolder(nested, fallback), nested) << "an existing folder is kept";

    EXPECT_EQ(chooseLogFolder(underAFile("plandor"), fallback), fallback);
    EXPECT_EQ(chooseLogFolder(path("plain-file"), fallback), fallback)
        << "a regular file is no log folder";
    EXPECT_EQ(chooseLogFolder("", fallback), fallback);
}

TEST_F(TraceLogTest, UnusableFoldersLeaveLoggingSilent) {
    const std::string folder = chooseLogFolder(underAFile("one"), underAFile("two"));
    AppLog log;
    EXPECT_FALSE(log.open(folder));
    EXPECT_FALSE(log.isOpen());
    log.write("nowhere to go");
    log.close();

    setTraceFolder(folder);
    traceMainFrame("nowhere to go either");
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(TraceLogTest, MainFrameTraceReplacesTheOldFileThenAppendsCrLfLines) {
    std::ofstream(path("mainframe.log")) << "A: from the previous run\r\n";

    setTraceFolder(dir_.string());
    EXPECT_TRUE(fs::exists(path("mainframe.log"))) << "only a written line removes the old trace";
    traceMainFrame("A: wxFrame base constructed");
    traceMainFrame("B: MenuBar done");
    EXPECT_EQ(readFile(path("mainframe.log")),
              "A: wxFrame base constructed\r\nB: MenuBar done\r\n");

    // The next run starts its own trace.
    setTraceFolder(dir_.string());
    traceMainFrame("A: wxFrame base constructed");
    EXPECT_EQ(readFile(path("mainframe.log")), "A: wxFrame base constructed\r\n");
}
