#include "LayoutBuilder.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"

#include "core/app/FileCommands.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <sstream>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

// Every file under a folder with its content: "nothing changed" compares two of these.
std::map<std::string, std::string> contentsOf(const std::string& folder) {
    std::map<std::string, std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            out[entry.path().string()] = readFile(entry.path().string());
    return out;
}

Layout twoJoinedPieces() {
    Layout layout = emptyLayout();
    addPiece(layout, "24188");
    addPiece(layout, "24188", 188.3);
    layout.join(1, 1, 2, 0);
    return layout;
}

class FileCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = tempFolder();
        app = root + "/app";
        source = root + "/source";
        for (const std::string& dir : {app, source, root + "/Downloads"})
            fs::create_directory(dir);
        files.setFolders({app, root + "/Downloads", root});
    }
    void TearDown() override { fs::remove_all(root); }

    // A document open from a file, with unsaved changes and an undo history.
    void makeEditedDocument() {
        doc.layout = twoJoinedPieces();
        doc.begin().commit(Change(Change::Pieces));
        doc.path = app + "/Yard.plo";
        doc.name = "Yard";
        doc.modified = true;
    }

    void expectDocumentUnchanged() {
        EXPECT_EQ(doc.layout.pieces.size(), 2u);
        EXPECT_EQ(doc.layout.pieces[0].jointAt(1).target, 2);
        EXPECT_EQ(doc.path, app + "/Yard.plo");
        EXPECT_EQ(doc.name, "Yard");
        EXPECT_TRUE(doc.modified);
        EXPECT_TRUE(doc.canUndo());
    }

    std::string root, app, source;
    Document doc;
    ScriptedPrompter prompter;
    FileCommands files{doc, prompter, prompter, Folders{}};
};

TEST_F(FileCommandsTest, CancelInTheUnsavedQuestionKeepsEverything) {
    makeEditedDocument();
    prompter.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(files.newLayout());
    EXPECT_EQ(prompter.titles(), std::vector<std::string>{"Unsaved Changes"});
    EXPECT_EQ(prompter.messages[0].kind, ScriptedPrompter::Kind::YesNoCancel);
    expectDocumentUnchanged();
    EXPECT_TRUE(contentsOf(app).empty());
}

TEST_F(FileCommandsTest, BlankNameSavesAsMyLayoutThenSaveAsAsksBeforeReplacing) {
    const std::string path = app + "/My Layout.plo";
    doc.layout = twoJoinedPieces();
    prompter.texts = {std::string("   ")};
    ASSERT_TRUE(files.save());
    EXPECT_EQ(prompter.textPrompts.at(0), "My Layout");
    EXPECT_EQ(doc.path, path);
    doc.modified = true;
    ASSERT_TRUE(files.save()); // Save keeps the path: no name prompt, no replace question
    EXPECT_EQ(prompter.textPrompts.size(), 1u);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(doc.modified);

    doc.modified = true;
    doc.layout.pieces.pop_back();
    const std::string before = readFile(path);
    prompter.texts = {std::string("My Layout"), std::string("My Layout")};
    prompter.answers = {PromptAnswer::No, PromptAnswer::Yes};
    EXPECT_FALSE(files.saveAs());
    EXPECT_EQ(prompter.titles(), std::vector<std::string>{"Confirm Replace"});
    EXPECT_TRUE(prompter.messages[0].defaultNo);
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(readFile(path), before);
    EXPECT_TRUE(files.saveAs());
    EXPECT_NE(readFile(path), before);
}

// Names are UTF-8 throughout; on Windows the file system takes them as UTF-16.
TEST_F(FileCommandsTest, ANameOutsideAsciiSavesListsAndOpensAgain) {
    for (const std::string name : {"Bahnhof Süd", "Gare de l’Est", "Сортировочная"}) {
        doc.layout = twoJoinedPieces();
        doc.path.clear();
        doc.modified = true;
        prompter.texts = {name};
        ASSERT_TRUE(files.saveAs()) << name;
        EXPECT_EQ(doc.path, app + "/" + name + ".plo");
        EXPECT_TRUE(fs::exists(fs::u8path(doc.path))) << name;

        const auto listed = sortedLayoutNames(listLayoutFiles(app));
        EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end()) << name;

        doc.layout = emptyLayout();
        doc.modified = false;
        prompter.layoutsToOpen = {name};
        ASSERT_TRUE(files.openLayout()) << name;
        EXPECT_EQ(doc.name, name);
        EXPECT_EQ(doc.layout.pieces.size(), 2u) << name;
    }
}

TEST_F(FileCommandsTest, NamesThatLeaveTheFolderAreRefusedAndNothingIsWritten) {
    doc.layout = twoJoinedPieces();
    doc.modified = true;
    fs::create_directory(app + "/sub");
    writeFile(source + "/Yard.plo", "whatever");
    const auto before = contentsOf(root);
    for (const char* name : {"../Escape", "sub/Yard", ".", " .. ", "/tmp/Yard"}) {
        prompter.messages.clear();
        prompter.texts = {std::string(name)};
        EXPECT_FALSE(files.saveAs()) << name;
        prompter.imports = {ImportChoice{source + "/Yard.plo", name}};
        EXPECT_FALSE(files.importLayout()) << name;
        EXPECT_EQ(prompter.titles(), (std::vector<std::string>{"Save Failed", "Import Failed"}))
            << name;
        EXPECT_EQ(contentsOf(root), before) << name;
        EXPECT_TRUE(doc.path.empty() && doc.name.empty() && doc.modified);
    }
}

TEST_F(FileCommandsTest, PloWinsOverXmlOfTheSameName) {
    writeFile(app + "/Yard.xml", "not a layout: opening it would fail");
    ASSERT_EQ(saveLayout(twoJoinedPieces(), app + "/Yard.plo", "Yard"), "");
    prompter.layoutsToOpen = {std::string("Yard")};
    ASSERT_TRUE(files.openLayout());
    EXPECT_EQ(doc.path, app + "/Yard.plo");
    EXPECT_EQ(doc.layout.pieces.size(), 2u);
}

TEST_F(FileCommandsTest, FailedOpenLeavesTheDocumentUnchanged) {
    makeEditedDocument();
    // The listed file turns into a folder before it is read.
    writeFile(app + "/Broken.plo", "listed");
    prompter.onOpenDialog = [&] {
        fs::remove(app + "/Broken.plo");
        fs::create_directory(app + "/Broken.plo");
    };
    prompter.answers = {PromptAnswer::No};
    prompter.layoutsToOpen = {std::string("Broken")};
    EXPECT_FALSE(files.openLayout());
    EXPECT_EQ(prompter.titles(), (std::vector<std::string>{"Unsaved Changes", "Open Failed"}));
    EXPECT_EQ(prompter.messages[1].text, "Cannot open file: " + app + "/Broken.plo");
    expectDocumentUnchanged();
}

// A file named on the command line keeps its path only inside the layout folder; elsewhere
// Save asks for a name. A file that cannot be read changes nothing.
TEST_F(FileCommandsTest, CommandLineFileKeepsItsPathOnlyInTheLayoutFolder) {
    ASSERT_EQ(saveLayout(twoJoinedPieces(), app + "/Yard.plo", "Yard"), "");
    ASSERT_EQ(saveLayout(twoJoinedPieces(), source + "/Away.plo", "Away"), "");

    EXPECT_TRUE(files.openFromCommandLine(app + "/Yard.plo").replaced());
    EXPECT_EQ(doc.path, app + "/Yard.plo");
    EXPECT_EQ(doc.layout.pieces.size(), 2u);

    EXPECT_TRUE(files.openFromCommandLine(source + "/Away.plo").replaced());
    EXPECT_EQ(doc.path, "");
    EXPECT_EQ(doc.name, "Away");
    EXPECT_FALSE(doc.modified);
    prompter.texts = {"Away"};
    files.save();
    EXPECT_TRUE(fs::exists(app + "/Away.plo"));

    const std::string before = layoutFileText(doc.layout, doc.name);
    EXPECT_FALSE(files.openFromCommandLine(source + "/Missing.plo").any());
    EXPECT_EQ(prompter.titles().back(), "Open Failed");
    EXPECT_EQ(layoutFileText(doc.layout, doc.name), before);
}

// At start-up the file is read on another thread while the window is built. What it opens is
// what a read into the open layout gives; once that layout holds something of its own that a
// read keeps (a measurement, a view switch), the file is read again into it.
TEST_F(FileCommandsTest, CommandLineFileReadAheadOpensAsAReadIntoTheOpenLayout) {
    ASSERT_EQ(saveLayout(twoJoinedPieces(), source + "/Away.plo", "Away"), "");
    auto readAhead = [](const std::string& given) {
        return std::async(std::launch::async, loadLayoutCopy, commandLinePath(given), Layout{});
    };
    EXPECT_TRUE(readsLikeNew(doc.layout));
    EXPECT_TRUE(
        files.openFromCommandLine(source + "/Away.plo", readAhead(source + "/Away.plo").get())
            .replaced());
    const std::string opened = layoutFileText(doc.layout, doc.name);
    EXPECT_EQ(doc.layout.pieces.size(), 2u);
    EXPECT_EQ(doc.path, "");

    doc.layout.measurements.push_back(Measurement{});
    doc.layout.showGrid = false;
    EXPECT_FALSE(readsLikeNew(doc.layout));
    EXPECT_TRUE(
        files.openFromCommandLine(source + "/Away.plo", readAhead(source + "/Away.plo").get())
            .replaced());
    EXPECT_EQ(layoutFileText(doc.layout, doc.name), opened);
    EXPECT_EQ(doc.layout.measurements.size(), 1u);
    EXPECT_FALSE(doc.layout.showGrid);

    EXPECT_FALSE(files.openFromCommandLine("Missing.plo", readAhead("Missing.plo").get()).any());
    EXPECT_EQ(prompter.messages.back().text, "Cannot open file: " + commandLinePath("Missing.plo"));
}

// From elsewhere Save proposes the file's own name (driven in the window's CommandLineOpen);
// inside the layout folder the file keeps its path, and Save As proposes the stored name as
// Open does.
TEST_F(FileCommandsTest, CommandLineFileInTheFolderIsSavedAsUnderItsStoredName) {
    const std::string stored = "Golden & <Test> \"one\"";
    ASSERT_EQ(saveLayout(twoJoinedPieces(), app + "/Yard.plo", stored), "");
    ASSERT_TRUE(files.openFromCommandLine(app + "/Yard.plo").replaced());
    prompter.texts = {std::nullopt};
    EXPECT_FALSE(files.saveAs().any());
    EXPECT_EQ(prompter.textPrompts.back(), stored);
}

TEST_F(FileCommandsTest, DeletingTheOpenLayoutLeavesItOpenWithoutAPath) {
    writeFile(app + "/Yard.plo", "yard");
    writeFile(app + "/Other.plo", "other");
    makeEditedDocument();
    doc.modified = false;
    prompter.deletesInOpenDialog = {"Yard"};
    prompter.answers = {PromptAnswer::Yes};
    prompter.layoutsToOpen = {std::nullopt};
    // Nothing opened, but the title loses the file's name.
    EXPECT_EQ(files.openLayout().parts, static_cast<uint32_t>(Change::FileName));
    EXPECT_EQ(prompter.deleteResults, std::vector<bool>{true});
    EXPECT_EQ(prompter.titles(), std::vector<std::string>{"Delete Layout"});
    EXPECT_FALSE(fs::exists(app + "/Yard.plo"));
    EXPECT_TRUE(fs::exists(app + "/Other.plo"));
    EXPECT_TRUE(doc.path.empty());
    EXPECT_EQ(doc.layout.pieces.size(), 2u);
    // With no path left, the next Save asks for a name.
    prompter.texts = {std::nullopt};
    EXPECT_FALSE(files.save());
    EXPECT_EQ(prompter.textPrompts.size(), 1u);
}

TEST_F(FileCommandsTest, RejectedImportLeavesTheFolderUnchanged) {
    writeFile(app + "/Existing.plo", "existing");
    fs::create_directory(source + "/Folder.plo");
    const auto before = contentsOf(app);
    prompter.imports = {ImportChoice{source + "/Folder.plo", "Folder"},
                        ImportChoice{source + "/Vanished.plo", "Vanished"}};
    EXPECT_FALSE(files.importLayout());
    EXPECT_FALSE(files.importLayout());
    EXPECT_EQ(prompter.titles(), std::vector<std::string>(2, "Import Failed"));
    EXPECT_EQ(contentsOf(app), before);
}

TEST_F(FileCommandsTest, ExportDropsATypedExtension) {
    writeFile(app + "/Yard.plo", "yard bytes");
    prompter.exports = {ExportChoice{"Yard", " " + source + " ", " Copy.txt "}};
    files.exportLayout();
    EXPECT_EQ(readFile(source + "/Copy.plo"), "yard bytes");
    EXPECT_FALSE(fs::exists(source + "/Copy.txt.plo"));
    EXPECT_EQ(prompter.titles(), std::vector<std::string>{"Export Layout"});
}

} // namespace
