#include "core/base/TraceLog.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

class TraceLogTest : public ::testing::Test {
  protected:
    void TearDown() override { fs::remove_all(dir_); }

    std::string read(const std::string& name) const {
        std::stringstream s;
        s << std::ifstream(dir_ + "/" + name, std::ios::binary).rdbuf();
        return s.str();
    }

    const std::string dir_ = tempFolder();
};

} // namespace

// Each line is flushed as it is written: readable while the log stays open.
TEST_F(TraceLogTest, TwoStartsLeaveOnlyTheSecondStartsLines) {
    AppLog log;
    ASSERT_TRUE(log.open(dir_));
    log.write("first run");
    log.close();
    ASSERT_TRUE(log.open(dir_));
    log.write("second run");
    const std::string text = read("plandor.log");
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\d\d:\d\d:\d\d\.\d\d\d second run\n)")))
        << text;
}

// Which folder is chosen is checked at start-up; here no usable folder leaves no trace.
TEST_F(TraceLogTest, WithoutAUsableFolderNothingIsWritten) {
    std::ofstream(dir_ + "/plain-file") << "x";
    const std::string none = chooseLogFolder(dir_ + "/plain-file/1", dir_ + "/plain-file/2");
    AppLog log;
    EXPECT_FALSE(log.open(none));
    log.write("nowhere to go");
    setTraceFolder(none);
    traceMainFrame("nowhere to go either");
    EXPECT_FALSE(fs::exists(none));
}
