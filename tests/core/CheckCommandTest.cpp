// `plandor --check`: what a club's script sees on a good, a bad and an unreadable file, and
// the clearance minimum that travels with the layout file.
#include "core/app/CheckCommand.h"
#include "TempFolder.h"
#include "core/app/CommandLine.h"

#include "EditingTestSupport.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace plandor;
using namespace plandor::testing;
namespace fs = std::filesystem;

namespace {

class CheckCommand : public ::testing::Test {
  protected:
    void SetUp() override { dir = tempFolder(); }
    void TearDown() override { fs::remove_all(dir); }

    std::string save(const Layout& layout, const std::string& file) {
        const std::string path = dir + "/" + file;
        EXPECT_EQ(saveLayout(layout, path, "club"), "");
        return path;
    }

    // Runs the check; the exit code, or -1 when the arguments were not taken as a check.
    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return runCheckCommand(args, out, err).value_or(-1);
    }

    std::string dir;
    std::ostringstream out, err;
};

// Two straights joined end to end, closed off with bumpers: nothing to find.
Layout goodLayout() {
    Layout l = emptyLayout();
    addPiece(l, "24977", 0, 0, 180);
    addPiece(l, "24188", 0, 0);
    addPiece(l, "24188", 188.3, 0);
    addPiece(l, "24977", 376.6, 0);
    l.join(1, 0, 2, 0);
    l.join(2, 1, 3, 0);
    l.join(3, 1, 4, 0);
    return l;
}

// A straight crossed by a second one 90 mm higher on level 2.
Layout crossedLayout() {
    Layout l = emptyLayout();
    addLevel(l, 2, 90);
    addPiece(l, "24188", 0, 0);
    addPiece(l, "24188", 94.15, -94.15, 90, 2);
    l.findPiece(2)->z = 90;
    return l;
}

} // namespace

TEST_F(CheckCommand, FindingsAreTabSeparatedLinesAndErrorsExitOne) {
    EXPECT_EQ(run({"--check", save(goodLayout(), "good.plo")}), kCheckClean);
    EXPECT_EQ(out.str(), "");

    Layout bad = goodLayout();
    addPiece(bad, "24188", 94.15, -94.15, 90); // across the first straight, at the same height
    EXPECT_EQ(run({"--check", save(bad, "bad.plo")}), kCheckFoundErrors);
    EXPECT_EQ(out.str(), "error\tCollision\t94.2\t0.0\t24188 #2 overlaps 24188 #5\n"
                         "warning\tOpen end\t94.2\t-94.2\tOpen end at 24188 #5\n"
                         "warning\tOpen end\t94.2\t94.2\tOpen end at 24188 #5\n");

    // Warnings alone do not fail the run.
    Layout open = goodLayout();
    open.freeConnector(3, 1);
    EXPECT_EQ(run({"--check", save(open, "open.plo")}), kCheckClean);
    EXPECT_NE(out.str().find("warning\tOpen end\t"), std::string::npos);
}

TEST_F(CheckCommand, UnreadableFilesExitTwo) {
    std::ofstream(dir + "/notes.plo") << "shopping list: 12 x 24188\n";
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {"Missing", {"--check", dir + "/missing.plo"}, "Cannot open file: "},
        {"NotALayout", {"--check", dir + "/notes.plo"}, "Not a layout file: "},
        {"NoFileGiven", {"--check"}, "Usage: plandor --check LAYOUT.plo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c.args), kCheckUnreadable);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str().rfind(c.message, 0), 0u) << err.str();
    }
    EXPECT_EQ(run({}), -1);
    EXPECT_EQ(run({"layout.plo"}), -1);
}

// A file the check refuses is refused by the exports too, with the same message and exit
// code, and nothing is written; a file cut off anywhere says where it ends.
TEST_F(CheckCommand, EveryCommandRefusesTheSameFiles) {
    const std::string whole = layoutFileText(goodLayout(), "club");
    const std::size_t firstPiece = whole.find("<piece ");
    const std::size_t labels = whole.find("  <lastshape");
    const struct {
        const char* name;
        std::string text;
        std::string message; // the start of it; the path follows
    } cases[] = {
        {"NotALayout", "shopping list: 12 x 24188\n", "Not a layout file: "},
        {"Empty", "", "Not a layout file: "},
        {"CutInFirstPieceLine", whole.substr(0, firstPiece + 40),
         "The file is cut off: it ends at line 4 inside <pieces>, so part of the layout is "
         "missing: "},
        {"CutBetweenPieces", whole.substr(0, whole.find("</piece>") + 9),
         "The file is cut off: it ends at line 6 inside <pieces>"},
        {"CutAfterThePieces", whole.substr(0, labels),
         "The file is cut off: it ends at line 21 inside <layout>"},
        {"CutInTheClosingTag", whole.substr(0, whole.size() - 4),
         "The file is cut off: it ends at line 23 inside <layout>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "/" + c.name + ".plo";
        std::ofstream(path, std::ios::binary) << c.text;
        EXPECT_EQ(run({"--check", path}), kCheckUnreadable);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str().rfind(c.message, 0), 0u) << err.str();
        EXPECT_NE(err.str().find(path), std::string::npos) << err.str();

        const std::string csv = dir + "/parts.csv";
        const CommandResult parts = exportPartsFile(path, csv, ShopMap{});
        EXPECT_EQ(parts.exitCode, kCheckUnreadable);
        EXPECT_EQ(parts.message + "\n", err.str());
        EXPECT_FALSE(fs::exists(csv));

        Layout layout = goodLayout();
        std::string name = "kept";
        EXPECT_EQ(loadLayout(layout, path, name) + "\n", err.str());
        EXPECT_EQ(layoutFileText(layout, name), layoutFileText(goodLayout(), "kept"))
            << "a refused file leaves the open layout as it was";
    }
    std::ofstream(dir + "/whole.plo", std::ios::binary) << whole;
    EXPECT_EQ(run({"--check", dir + "/whole.plo"}), kCheckClean);
    EXPECT_EQ(exportPartsFile(dir + "/whole.plo", dir + "/parts.csv", ShopMap{}).exitCode,
              kExitDone);
}

TEST_F(CheckCommand, ClearanceMinimumTravelsWithTheFile) {
    Layout l = crossedLayout();
    const std::string plain = save(l, "plain.plo");
    EXPECT_EQ(run({"--check", plain}), kCheckClean); // 90 mm clears the default 80 mm

    l.minClearanceH0 = 100;
    l.minClearanceZ = 40;
    const std::string strict = save(l, "strict.plo");
    EXPECT_EQ(run({"--check", strict}), kCheckFoundErrors);
    EXPECT_NE(out.str().find("Clearance of 90.0 mm between 24188 #1 and 24188 #2 (minimum "
                             "100.0 mm)"),
              std::string::npos);

    Layout back;
    std::string name;
    ASSERT_EQ(loadLayout(back, strict, name), "");
    EXPECT_EQ(back.minClearanceH0, 100);
    EXPECT_EQ(back.minClearanceZ, 40);
    // Unchanged settings are not written, so files stay as they were.
    std::ifstream in(plain);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text.find("clearance"), std::string::npos);
    ASSERT_EQ(loadLayout(back, plain, name), "");
    EXPECT_EQ(back.minClearanceH0, kDefaultClearanceH0);
}
