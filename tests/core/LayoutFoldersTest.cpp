#include "TempFolder.h"
#include "core/base/Folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

void touch(const std::string& path) {
    std::ofstream(path) << "x";
}

} // namespace

TEST(LayoutFolders, ListsPloBeforeXmlAndSkipsOtherFiles) {
    const std::string dir = tempFolder();
    for (const char* f : {"b.plo", "a.xml", "Yard.xml", "Yard.plo", "notes.txt", "x.PLO", ".plo"})
        touch(dir + "/" + f);
    fs::create_directory(dir + "/folder.plo");
    fs::create_directory(dir + "/sub");
    touch(dir + "/sub/Deep.plo");

    const std::vector<LayoutFileEntry> files = listLayoutFiles(dir);
    std::vector<std::string> paths;
    for (const LayoutFileEntry& f : files)
        paths.push_back(f.path.substr(dir.size() + 1));
    EXPECT_EQ(paths, (std::vector<std::string>{"Yard.plo", "b.plo", "Yard.xml", "a.xml"}));
    EXPECT_EQ(sortedLayoutNames(files), (std::vector<std::string>{"Yard", "Yard", "a", "b"}));
    EXPECT_EQ(findLayoutFile(files, "yard"), nullptr);

    EXPECT_EQ(listImportableFiles("  " + dir + " "),
              (std::vector<std::string>{"Yard.plo", "Yard.xml", "a.xml", "b.plo"}));
    EXPECT_TRUE(listImportableFiles("   ").empty());
    EXPECT_TRUE(listImportableFiles(dir + "/missing").empty());
    EXPECT_TRUE(listLayoutFiles(dir + "/missing").empty());
    fs::remove_all(dir);
}

TEST(LayoutFolders, NamesAndPaths) {
    struct Case {
        const char* typed;
        const char* withoutExtension;
        bool leavesFolder;
    } cases[] = {
        {"Yard.plo", "Yard", false},
        {"Yard.v2.txt", "Yard.v2", false},
        {".hidden", ".hidden", false},
        {"Yard.", "Yard", false},
        {"..", ".", true},
        {"../Yard", "../Yard", true},
        {"sub/Yard.plo", "sub/Yard", true},
        {"/etc/passwd", "/etc/passwd", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dropExtension(c.typed), c.withoutExtension) << c.typed;
        EXPECT_EQ(nameLeavesFolder(c.typed), c.leavesFolder) << c.typed;
    }
    EXPECT_EQ(trimBlanks("  My Yard \t"), "My Yard");
    EXPECT_EQ(layoutPath("/apps/plandor/", "Yard"), "/apps/plandor/Yard.plo");
    EXPECT_EQ(layoutNameOf("/apps/plandor/Old.Yard.xml"), "Old.Yard");
    EXPECT_TRUE(samePath("/apps//plandor/./Yard.plo", "/apps/plandor/Yard.plo"));
    EXPECT_FALSE(samePath("/apps/plandor/Yard.plo", "/apps/plandor/Yard.xml"));
}

TEST(LayoutFolders, AnUnwritableProgramFolderSendsLayoutsToTheUserDataFolder) {
    struct Case {
        const char* name;
        bool writable;
        const char* xdg;
        const char* expected;
    };
    const Case cases[] = {
        {"build folder", true, "/x/data", "/opt/plandor/bin"},
        {"xdg data home", false, "/x/data", "/x/data/plandor"},
        {"xdg unset", false, "", "/home/u/.local/share/plandor"},
        {"xdg relative is ignored", false, "rel/data", "/home/u/.local/share/plandor"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(layoutFolderFor("/opt/plandor/bin", c.writable, c.xdg, "/home/u"), c.expected)
            << c.name;

    const std::string dir = tempFolder();
    EXPECT_TRUE(isWritableFolder(dir));
    EXPECT_FALSE(isWritableFolder(dir + "/missing"));
    fs::permissions(dir, fs::perms::owner_write, fs::perm_options::remove);
    // Root may write anywhere; the check then rightly says so.
    EXPECT_EQ(isWritableFolder(dir), geteuid() == 0);
    fs::permissions(dir, fs::perms::owner_write, fs::perm_options::add);

    EXPECT_TRUE(ensureFolder(dir + "/a/b"));
    touch(dir + "/a/b/shop.tsv");
    EXPECT_EQ(findFileIn({dir + "/missing", dir + "/a/b"}, "shop.tsv"), dir + "/a/b/shop.tsv");
    EXPECT_EQ(findFileIn({dir}, "shop.tsv"), "");
}
