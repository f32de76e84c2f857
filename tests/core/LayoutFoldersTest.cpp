#include "TempFolder.h"
#include "core/base/Folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <unistd.h>
#endif

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
    using Rules = DataFolderRules;
    struct Case {
        const char* name;
        Rules rules;
        bool writable;
        const char* xdg;
        const char* appData;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"build folder", Rules::Xdg, true, "/x/data", "", "/home/u", "/opt/plandor/bin"},
        {"xdg data home", Rules::Xdg, false, "/x/data", "", "/home/u", "/x/data/plandor"},
        {"xdg unset", Rules::Xdg, false, "", "", "/home/u", "/home/u/.local/share/plandor"},
        {"xdg relative is ignored", Rules::Xdg, false, "rel/data", "", "/home/u",
         "/home/u/.local/share/plandor"},
        {"xdg ignores appdata", Rules::Xdg, false, "", "C:\\AD", "/home/u",
         "/home/u/.local/share/plandor"},
        {"unpacked zip", Rules::Windows, true, "", "C:\\Users\\u\\AppData\\Roaming", "C:\\Users\\u",
         "/opt/plandor/bin"},
        {"appdata", Rules::Windows, false, "/x/data", "C:\\Users\\u\\AppData\\Roaming",
         "C:\\Users\\u", "C:\\Users\\u\\AppData\\Roaming\\Plandor"},
        {"appdata with trailing separator", Rules::Windows, false, "", "D:\\Roaming\\",
         "C:\\Users\\u", "D:\\Roaming\\Plandor"},
        {"appdata on a share", Rules::Windows, false, "", "\\\\server\\u", "C:\\Users\\u",
         "\\\\server\\u\\Plandor"},
        {"appdata unset", Rules::Windows, false, "", "", "C:\\Users\\u",
         "C:\\Users\\u\\AppData\\Roaming\\Plandor"},
        {"appdata relative is ignored", Rules::Windows, false, "", "Roaming", "C:\\Users\\u",
         "C:\\Users\\u\\AppData\\Roaming\\Plandor"},
        {"appdata without a folder after the drive", Rules::Windows, false, "",
         "C:", "C:\\Users\\u", "C:\\Users\\u\\AppData\\Roaming\\Plandor"},
    };
    for (const Case& c : cases) {
        const UserDataEnvironment environment{c.rules, c.xdg, c.appData, c.home};
        EXPECT_EQ(layoutFolderFor("/opt/plandor/bin", c.writable, environment), c.expected)
            << c.name;
    }

    const std::string dir = tempFolder();
    EXPECT_TRUE(isWritableFolder(dir));
    EXPECT_FALSE(isWritableFolder(dir + "/missing"));
#ifndef _WIN32
    fs::permissions(dir, fs::perms::owner_write, fs::perm_options::remove);
    // Root may write anywhere; the check then rightly says so.
    EXPECT_EQ(isWritableFolder(dir), geteuid() == 0);
    fs::permissions(dir, fs::perms::owner_write, fs::perm_options::add);
#endif
    EXPECT_TRUE(fs::is_empty(dir)) << "the write test leaves nothing behind";

    EXPECT_TRUE(ensureFolder(dir + "/a/b"));
    touch(dir + "/a/b/shop.tsv");
    EXPECT_EQ(findFileIn({dir + "/missing", dir + "/a/b"}, "shop.tsv"), dir + "/a/b/shop.tsv");
    EXPECT_EQ(findFileIn({dir}, "shop.tsv"), "");
}
