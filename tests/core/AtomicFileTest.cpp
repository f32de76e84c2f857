// Files the program keeps are replaced whole or not at all: a unique temporary file created
// exclusively beside the target, never a fixed name that something else may hold; a write
// that fails (a full disk) leaves the old file and says so. Every writer goes this way.
#include "FileSizeLimit.h"
#include "LayoutBuilder.h"
#include "TempFolder.h"

#include "core/app/PartsList.h"
#include "core/base/AtomicFile.h"
#include "core/base/Folders.h"
#include "core/model/BlockFile.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace plandor;
namespace fs = std::filesystem;

namespace {

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

// A layout large enough that every writer below writes more than a few hundred bytes.
Layout selectedLayout() {
    Layout layout = emptyLayout();
    for (int i = 0; i < 40; ++i)
        addPiece(layout, "24188", i * 200.0, 0).selected = true;
    return layout;
}

class AtomicFileTest : public ::testing::Test {
  protected:
    void SetUp() override { dir = tempFolder(); }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const std::string& name) const { return dir + "/" + name; }
    std::string dir;
};

// Every writer of a file the user keeps, writing to `path`.
struct Writer {
    const char* name;
    std::function<std::string(const std::string& path, const std::string& folder)> write;
};

const Writer kWriters[] = {
    {"Layout", [](const std::string& p,
                  const std::string&) { return saveLayout(selectedLayout(), p, "Yard"); }},
    {"Block", [](const std::string& p,
                 const std::string&) { return saveBlock(selectedLayout(), p, "Yard"); }},
    {"PartsList",
     [](const std::string& p, const std::string&) {
         Layout layout = emptyLayout();
         for (const PieceDef& def : TrackCatalog::instance().pieces())
             addPiece(layout, def.partNumber);
         return writePartsList(layout, ShopMap{}, p);
     }},
    {"Copy",
     [](const std::string& p, const std::string& folder) {
         const std::string source = folder + "/source.plo";
         if (!fs::exists(source)) {
             EXPECT_EQ(saveLayout(selectedLayout(), source, "Source"), "");
         }
         return copyFileAtomically(source, p);
     }},
};

} // namespace

TEST_F(AtomicFileTest, EveryWriterReplacesTheFileAndLeavesNothingBesideIt) {
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        const std::string path = at("target.plo");
        writeFile(path, "old");
#ifndef _WIN32
        ::chmod(path.c_str(), 0640);
#endif
        ASSERT_EQ(w.write(path, dir), "");
        EXPECT_GT(readFile(path).size(), 500u);
#ifndef _WIN32
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
            << "the new file keeps the old one's mode";
#endif
        std::set<std::string> names = namesIn(dir);
        names.erase("source.plo");
        EXPECT_EQ(names, std::set<std::string>{"target.plo"});
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
}

TEST_F(AtomicFileTest, AFullDiskLeavesTheOldFileAndSaysSo) {
    if (!kFileSizeCanBeLimited)
        GTEST_SKIP() << "no file size limit to stand for a full disk";
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        const std::string path = at("target.plo");
        writeFile(path, "the only copy");
        if (std::string(w.name) == "Copy") {
            EXPECT_EQ(saveLayout(selectedLayout(), at("source.plo"), "Source"), "");
        }
        std::string message;
        {
            const FileSizeLimit fullDisk(200);
            message = w.write(path, dir);
        }
        EXPECT_EQ(message,
                  "Cannot write file: " + path + "\nThe file that was there is unchanged.");
        EXPECT_EQ(readFile(path), "the only copy");
        std::set<std::string> names = namesIn(dir);
        names.erase("source.plo");
        EXPECT_EQ(names, std::set<std::string>{"target.plo"}) << "no temporary file is left";
    }
}

TEST_F(AtomicFileTest, ANewFileThatCannotBeWrittenWholeIsNotLeftHalfWritten) {
    if (!kFileSizeCanBeLimited)
        GTEST_SKIP() << "no file size limit to stand for a full disk";
    const std::string path = at("new.plo");
    {
        const FileSizeLimit fullDisk(200);
        EXPECT_EQ(saveLayout(selectedLayout(), path, "n"), "Cannot write file: " + path);
    }
    EXPECT_TRUE(namesIn(dir).empty());
}

TEST_F(AtomicFileTest, FilesAndLinksOfTheOldFixedTemporaryNameAreLeftAlone) {
#ifdef _WIN32
    GTEST_SKIP() << "links need extra privileges on Windows";
#endif
    const std::string path = at("Yard.plo");
    const std::string victim = at("victim.txt");
    writeFile(victim, "not yours");
    writeFile(path + ".tmp", "someone else's file");
    ASSERT_EQ(saveLayout(selectedLayout(), path, "Yard"), "");
    EXPECT_EQ(readFile(path + ".tmp"), "someone else's file");

    fs::remove(path + ".tmp");
    fs::create_symlink(victim, path + ".tmp");
    ASSERT_EQ(saveLayout(selectedLayout(), path, "Yard"), "");
    EXPECT_EQ(readFile(victim), "not yours") << "nothing is written through the link";
    EXPECT_TRUE(fs::is_symlink(path + ".tmp"));
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"Yard.plo", "Yard.plo.tmp", "victim.txt"}));
}

TEST_F(AtomicFileTest, SavingThroughALinkReplacesTheFileItPointsTo) {
#ifdef _WIN32
    GTEST_SKIP() << "links need extra privileges on Windows";
#endif
    fs::create_directories(at("real"));
    const std::string real = at("real/Yard.plo");
    writeFile(real, "old");
    fs::create_symlink(real, at("Yard.plo"));
    ASSERT_EQ(saveLayout(selectedLayout(), at("Yard.plo"), "Yard"), "");
    EXPECT_TRUE(fs::is_symlink(at("Yard.plo")));
    EXPECT_NE(readFile(real), "old");
    EXPECT_EQ(namesIn(at("real")), std::set<std::string>{"Yard.plo"});
}

TEST_F(AtomicFileTest, NothingIsCreatedWhereTheFolderIsMissing) {
    const std::string path = at("missing/Yard.plo");
    EXPECT_EQ(saveLayout(selectedLayout(), path, "Yard"), "Cannot open file: " + path);
    EXPECT_EQ(copyFileAtomically(at("none.plo"), at("copy.plo")),
              "Cannot open file: " + at("none.plo"));
    EXPECT_TRUE(namesIn(dir).empty());
}

TEST_F(AtomicFileTest, AnUncommittedFileIsRemovedAndTheTargetKept) {
    const std::string path = at("Yard.plo");
    writeFile(path, "old");
    {
        AtomicFile file(path);
        EXPECT_FALSE(file.failed());
        EXPECT_TRUE(file.write("half a layout"));
        EXPECT_EQ(namesIn(dir).size(), 2u);
    }
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"Yard.plo"});
}
