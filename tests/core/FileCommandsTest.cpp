#include "ScriptedPrompter.h"

#include "model/LayoutFile.h"
#include "shell/FileCommands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Every file under a folder with its content: "nothing changed" compares two of these.
std::map<std::string, std::string> contentsOf(const std::string& folder) {
    std::map<std::string, std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            out[entry.path().string()] = readFile(entry.path().string());
    return out;
}

Layout twoJoinedPieces() {
    Layout layout;
    layout.ensureDefaultLevel();
    for (int i = 0; i < 2; ++i) {
        PlacedPiece p = makePlacedPiece("24188");
        p.id = layout.takeId();
        p.x = 188.3 * i;
        layout.pieces.push_back(p);
    }
    layout.join(1, 1, 2, 0);
    return layout;
}

class FileCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "plandor-files-XXXXXX").string();
        root = mkdtemp(pattern.data());
        app = root + "/app";
        downloads = root + "/Downloads";
        source = root + "/source";
        for (const std::string& dir : {app, downloads, source})
            fs::create_directory(dir);
        files.setFolders({app, downloads, root});
    }
    void TearDown() override { fs::remove_all(root); }

    // A real layout file written by the layout writer.
    void writeLayout(const std::string& path, const Layout& layout, const std::string& name) {
        ASSERT_EQ(saveLayout(layout, path, name), "") << path;
    }

    // A document that is open from a file and has unsaved changes and an undo history.
    void makeEditedDocument() {
        doc.layout = twoJoinedPieces();
        doc.layout.pushUndo();
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
        EXPECT_TRUE(doc.layout.canUndo());
    }

    std::string root, app, downloads, source;
    Document doc;
    ScriptedPrompter prompter;
    FileCommands files{doc, prompter, prompter, Folders{}};
};

// ---- unsaved-changes question ------------------------------------------------------------

TEST_F(FileCommandsTest, UnmodifiedLayoutIsClearedWithoutAQuestion) {
    doc.layout = twoJoinedPieces();
    EXPECT_TRUE(files.newLayout());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(doc.layout.pieces.empty());
}

TEST_F(FileCommandsTest, CancelInTheUnsavedQuestionKeepsEverything) {
    makeEditedDocument();
    prompter.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(files.newLayout());
    ASSERT_EQ(prompter.messages.size(), 1u);
    const auto& q = prompter.messages[0];
    EXPECT_EQ(q.title, "Unsaved Changes");
    EXPECT_EQ(q.text, "You have unsaved changes. Save before continuing?");
    EXPECT_EQ(q.icon, PromptIcon::Question);
    EXPECT_EQ(q.kind, ScriptedPrompter::Kind::YesNoCancel);
    expectDocumentUnchanged();
}

TEST_F(FileCommandsTest, NoInTheUnsavedQuestionGoesOnWithoutSaving) {
    makeEditedDocument();
    prompter.answers = {PromptAnswer::No};
    EXPECT_TRUE(files.newLayout());
    EXPECT_TRUE(contentsOf(app).empty());
    EXPECT_TRUE(doc.layout.pieces.empty());
}

TEST_F(FileCommandsTest, YesThenCancelledNamePromptKeepsEverything) {
    makeEditedDocument();
    doc.path.clear(); // never saved: Save has to ask for a name
    prompter.answers = {PromptAnswer::Yes};
    prompter.texts = {std::nullopt};
    EXPECT_FALSE(files.newLayout());
    EXPECT_EQ(prompter.textPrompts.size(), 1u);
    EXPECT_EQ(doc.layout.pieces.size(), 2u);
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(contentsOf(app).empty());
}

TEST_F(FileCommandsTest, YesSavesUnderTheKeptPathBeforeGoingOn) {
    makeEditedDocument();
    prompter.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(files.newLayout());
    EXPECT_TRUE(prompter.textPrompts.empty());
    EXPECT_TRUE(fs::exists(app + "/Yard.plo"));
    EXPECT_TRUE(doc.layout.pieces.empty());
}

// ---- New ----------------------------------------------------------------------------------

TEST_F(FileCommandsTest, NewClearsTheLayoutButKeepsDisplaySettings) {
    makeEditedDocument();
    doc.modified = false;
    Layout& l = doc.layout;
    Level upper;
    upper.id = 2;
    upper.name = "Upper";
    l.levels.push_back(upper);
    l.activeLevel = 2;
    l.scenery.push_back(SceneryItem{});
    l.measurements.push_back(Measurement{});
    l.baseboard = {{0, 0}, {100, 0}, {100, 100}};
    l.gradeRuns.push_back(GradeRun{2.0, 2, 1});
    l.restoreGradeState();
    l.units = 2;
    l.snapOn = false;

    ASSERT_TRUE(files.newLayout());
    EXPECT_TRUE(l.pieces.empty() && l.scenery.empty() && l.measurements.empty());
    EXPECT_TRUE(l.baseboard.empty() && l.gradeRuns.empty());
    EXPECT_FALSE(l.gradeActive);
    ASSERT_EQ(l.levels.size(), 1u);
    EXPECT_EQ(l.levels[0].name, "Level 1");
    EXPECT_EQ(l.activeLevel, 1);
    EXPECT_EQ(l.nextId, 1u);
    EXPECT_FALSE(l.canUndo());
    EXPECT_EQ(l.units, 2u);
    EXPECT_FALSE(l.snapOn);
    EXPECT_TRUE(doc.path.empty() && doc.name.empty());
    EXPECT_FALSE(doc.modified);
}

// ---- Save and Save As -----------------------------------------------------------------------

TEST_F(FileCommandsTest, BlankNameSavesAsMyLayout) {
    doc.layout = twoJoinedPieces();
    doc.modified = true;
    prompter.texts = {std::string("   ")};
    ASSERT_TRUE(files.save());
    ASSERT_EQ(prompter.textPrompts.size(), 1u);
    EXPECT_EQ(prompter.textPrompts[0].title, "Save Layout");
    EXPECT_EQ(prompter.textPrompts[0].text, "Layout name:");
    EXPECT_EQ(prompter.textPrompts[0].initial, "My Layout");
    EXPECT_TRUE(fs::exists(app + "/My Layout.plo"));
    EXPECT_EQ(doc.path, app + "/My Layout.plo");
    EXPECT_EQ(doc.name, "My Layout");
    EXPECT_FALSE(doc.modified);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(FileCommandsTest, SaveKeepsThePathButSaveAsAsksBeforeReplacing) {
    doc.layout = twoJoinedPieces();
    prompter.texts = {std::string(" Yard ")};
    ASSERT_TRUE(files.save());
    EXPECT_EQ(doc.path, app + "/Yard.plo");

    doc.modified = true;
    ASSERT_TRUE(files.save());
    EXPECT_EQ(prompter.textPrompts.size(), 1u); // no second name prompt
    EXPECT_TRUE(prompter.messages.empty());     // and no replace question
    EXPECT_FALSE(doc.modified);

    doc.modified = true;
    const std::string before = readFile(app + "/Yard.plo");
    prompter.texts = {std::string("Yard")};
    prompter.answers = {PromptAnswer::No};
    EXPECT_FALSE(files.saveAs());
    EXPECT_EQ(prompter.textPrompts.back().initial, "Yard");
    ASSERT_EQ(prompter.messages.size(), 1u);
    const auto& q = prompter.messages[0];
    EXPECT_EQ(q.title, "Confirm Replace");
    EXPECT_EQ(q.text, "A layout named \"Yard\" already exists.\n\nReplace it?");
    EXPECT_EQ(q.icon, PromptIcon::Question);
    EXPECT_EQ(q.kind, ScriptedPrompter::Kind::YesNo);
    EXPECT_TRUE(q.defaultNo);
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(readFile(app + "/Yard.plo"), before);

    prompter.texts = {std::string("Yard")};
    prompter.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(files.saveAs());
    EXPECT_FALSE(doc.modified);
}

TEST_F(FileCommandsTest, CancelledNamePromptSavesNothing) {
    doc.layout = twoJoinedPieces();
    doc.modified = true;
    prompter.texts = {std::nullopt};
    EXPECT_FALSE(files.saveAs());
    EXPECT_TRUE(contentsOf(app).empty());
    EXPECT_TRUE(doc.path.empty());
    EXPECT_TRUE(doc.modified);
}

TEST_F(FileCommandsTest, NamesThatLeaveTheFolderAreRefusedAndNothingIsWritten) {
    doc.layout = twoJoinedPieces();
    doc.modified = true;
    fs::create_directory(app + "/sub");
    for (const char* name : {"../Escape", "sub/Yard", ".", " .. ", "/tmp/Yard"}) {
        prompter.messages.clear();
        prompter.texts = {std::string(name)};
        EXPECT_FALSE(files.saveAs()) << name;
        ASSERT_EQ(prompter.messages.size(), 1u) << name;
        EXPECT_EQ(prompter.messages[0].title, "Save Failed");
        EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Error);
        EXPECT_TRUE(contentsOf(root).empty()) << name;
        EXPECT_TRUE(doc.path.empty() && doc.name.empty() && doc.modified);
    }
}

TEST_F(FileCommandsTest, FailedWriteKeepsTheOldPathAndName) {
    doc.layout = twoJoinedPieces();
    doc.modified = true;
    files.setFolders({root + "/missing", downloads, root});
    prompter.texts = {std::string("Yard")};
    EXPECT_FALSE(files.save());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Save Failed");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Error);
    EXPECT_FALSE(prompter.messages[0].text.empty());
    EXPECT_TRUE(doc.path.empty());
    EXPECT_TRUE(doc.name.empty());
    EXPECT_TRUE(doc.modified);
}

// ---- Open -----------------------------------------------------------------------------------

TEST_F(FileCommandsTest, OpenWithNoLayoutsSaysSo) {
    writeFile(app + "/readme.txt", "not a layout");
    EXPECT_FALSE(files.openLayout());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Open Layout");
    EXPECT_EQ(prompter.messages[0].text, "No layouts found in\n" + app);
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Information);
    EXPECT_TRUE(prompter.openDialogNames.empty());
}

TEST_F(FileCommandsTest, PloWinsOverXmlOfTheSameName) {
    Layout one = twoJoinedPieces();
    one.pieces.pop_back();
    one.pieces[0].joints.assign(2, Joint{});
    writeLayout(app + "/Yard.xml", one, "Yard (old)");
    writeLayout(app + "/Yard.plo", twoJoinedPieces(), "Yard");
    prompter.layoutsToOpen = {std::string("Yard")};
    ASSERT_TRUE(files.openLayout());
    ASSERT_EQ(prompter.openDialogNames.size(), 1u);
    EXPECT_EQ(prompter.openDialogNames[0], (std::vector<std::string>{"Yard", "Yard"}));
    EXPECT_EQ(doc.path, app + "/Yard.plo");
    EXPECT_EQ(doc.name, "Yard");
    EXPECT_EQ(doc.layout.pieces.size(), 2u);
}

TEST_F(FileCommandsTest, OpeningClearsHistoryAndModifiedFlag) {
    writeLayout(app + "/Yard.plo", twoJoinedPieces(), "Yard");
    doc.layout.pushUndo();
    doc.layout.pushUndo();
    doc.layout.undo();
    ASSERT_TRUE(files.openFromPath(app + "/Yard.plo"));
    EXPECT_FALSE(doc.layout.canUndo());
    EXPECT_FALSE(doc.layout.canRedo());
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(doc.layout.levels.size(), 1u);
    EXPECT_EQ(doc.layout.pieces[0].jointAt(1).target, 2);
    EXPECT_EQ(doc.layout.pieces[1].jointAt(0).target, 1);
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
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].title, "Open Failed");
    EXPECT_EQ(prompter.messages[1].icon, PromptIcon::Error);
    EXPECT_EQ(prompter.messages[1].text, "Cannot open file: " + app + "/Broken.plo");
    expectDocumentUnchanged();

    prompter.messages.clear();
    EXPECT_FALSE(files.openFromPath(app + "/Missing.plo"));
    EXPECT_EQ(prompter.titles(), std::vector<std::string>{"Open Failed"});
    expectDocumentUnchanged();
}

TEST_F(FileCommandsTest, DeletingTheOpenLayoutLeavesItOpenWithoutAPath) {
    writeFile(app + "/Yard.plo", "yard");
    writeFile(app + "/Other.plo", "other");
    makeEditedDocument();
    doc.modified = false;
    prompter.deletesInOpenDialog = {"Yard"};
    prompter.answers = {PromptAnswer::Yes};
    prompter.layoutsToOpen = {std::nullopt};
    EXPECT_FALSE(files.openLayout());

    EXPECT_EQ(prompter.deleteResults, std::vector<bool>{true});
    ASSERT_EQ(prompter.messages.size(), 1u);
    const auto& q = prompter.messages[0];
    EXPECT_EQ(q.title, "Delete Layout");
    EXPECT_EQ(q.text, "Delete layout \"Yard\"?\n\nThis cannot be undone.");
    EXPECT_EQ(q.icon, PromptIcon::Warning);
    EXPECT_TRUE(q.defaultNo);
    EXPECT_FALSE(fs::exists(app + "/Yard.plo"));
    EXPECT_TRUE(fs::exists(app + "/Other.plo"));
    EXPECT_TRUE(doc.path.empty());
    EXPECT_EQ(doc.layout.pieces.size(), 2u);

    // With no path left, the next Save asks for a name.
    prompter.texts = {std::nullopt};
    EXPECT_FALSE(files.save());
    EXPECT_EQ(prompter.textPrompts.size(), 1u);
}

TEST_F(FileCommandsTest, DeleteRemovesThePloFirstAndThenTheXmlOfTheSameName) {
    writeFile(app + "/Yard.plo", "new");
    writeFile(app + "/Yard.xml", "old");
    prompter.deletesInOpenDialog = {"Yard", "Yard", "Yard"};
    prompter.answers = {PromptAnswer::No, PromptAnswer::Yes, PromptAnswer::Yes};
    prompter.layoutsToOpen = {std::nullopt};
    files.openLayout();
    EXPECT_EQ(prompter.deleteResults, (std::vector<bool>{false, true, true}));
    EXPECT_TRUE(contentsOf(app).empty());
}

TEST_F(FileCommandsTest, DeleteThatFailsSaysSoAndKeepsTheRow) {
    writeFile(app + "/Yard.plo", "yard");
    makeEditedDocument();
    doc.modified = false;
    prompter.onOpenDialog = [&] { fs::remove(app + "/Yard.plo"); };
    prompter.deletesInOpenDialog = {"Yard"};
    prompter.answers = {PromptAnswer::Yes};
    prompter.layoutsToOpen = {std::nullopt};
    files.openLayout();
    EXPECT_EQ(prompter.deleteResults, std::vector<bool>{false});
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].title, "Delete Failed");
    EXPECT_EQ(prompter.messages[1].text, "Could not delete:\n" + app + "/Yard.plo");
    EXPECT_EQ(prompter.messages[1].icon, PromptIcon::Error);
    EXPECT_EQ(doc.path, app + "/Yard.plo");
}

// ---- Import ---------------------------------------------------------------------------------

TEST_F(FileCommandsTest, RejectedImportLeavesTheFolderUnchanged) {
    writeFile(app + "/Existing.plo", "existing");
    fs::create_directory(source + "/Folder.plo");
    const auto before = contentsOf(app);
    prompter.imports = {ImportChoice{source + "/Folder.plo", "Folder"},
                        ImportChoice{source + "/Vanished.plo", "Vanished"}};
    EXPECT_FALSE(files.importLayout());
    EXPECT_FALSE(files.importLayout());
    EXPECT_EQ(prompter.importStartFolders, std::vector<std::string>(2, downloads));
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].title, "Import Failed");
    EXPECT_EQ(prompter.messages[0].text,
              "This file does not appear to be a Plandor layout:\n\nCannot open file: " + source +
                  "/Folder.plo");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompter.messages[1].title, "Import Failed");
    EXPECT_EQ(contentsOf(app), before);
    EXPECT_FALSE(fs::exists(app + "/Folder.plo"));
}

TEST_F(FileCommandsTest, ImportOverAnExistingNameAsksFirst) {
    writeFile(app + "/Yard.plo", "existing");
    writeFile(source + "/Anything.plo", "whatever");
    prompter.imports = {ImportChoice{source + "/Anything.plo", "  Yard "}};
    prompter.answers = {PromptAnswer::No};
    EXPECT_FALSE(files.importLayout());
    EXPECT_EQ(prompter.titles(), std::vector<std::string>{"Confirm Replace"});
    EXPECT_EQ(prompter.messages[0].text, "A layout named \"Yard\" already exists.\n\nReplace it?");
    EXPECT_EQ(readFile(app + "/Yard.plo"), "existing");
}

TEST_F(FileCommandsTest, ImportCopiesTheFileAndOffersToOpenIt) {
    writeLayout(source + "/Branch Line.plo", twoJoinedPieces(), "Branch Line");
    prompter.imports = {ImportChoice{source + "/Branch Line.plo", "Branch"},
                        ImportChoice{source + "/Branch Line.plo", "Branch"}};
    prompter.answers = {PromptAnswer::No, PromptAnswer::Yes, PromptAnswer::Yes};
    EXPECT_FALSE(files.importLayout());
    EXPECT_EQ(readFile(app + "/Branch.plo"), readFile(source + "/Branch Line.plo"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Import");
    EXPECT_EQ(prompter.messages[0].text, "Imported successfully.\n\nOpen \"Branch\" now?");
    EXPECT_TRUE(doc.path.empty());

    // Second time: replace, then open.
    EXPECT_TRUE(files.importLayout());
    EXPECT_EQ(prompter.titles(), (std::vector<std::string>{"Import", "Confirm Replace", "Import"}));
    EXPECT_EQ(doc.path, app + "/Branch.plo");
    EXPECT_EQ(doc.layout.pieces.size(), 2u);
}

TEST_F(FileCommandsTest, ImportNamesThatLeaveTheFolderAreRefused) {
    writeFile(source + "/Yard.plo", "whatever");
    const auto before = contentsOf(root);
    for (const char* name : {"../Yard", "..", "a/b"}) {
        prompter.imports = {ImportChoice{source + "/Yard.plo", name}};
        EXPECT_FALSE(files.importLayout());
    }
    EXPECT_EQ(prompter.titles(), std::vector<std::string>(3, "Import Failed"));
    EXPECT_EQ(contentsOf(root), before);

    prompter.messages.clear();
    prompter.imports = {ImportChoice{source + "/Yard.plo", "   "}};
    EXPECT_FALSE(files.importLayout());
    EXPECT_TRUE(prompter.messages.empty());
}

// ---- Export ---------------------------------------------------------------------------------

TEST_F(FileCommandsTest, ExportDropsATypedExtension) {
    writeFile(app + "/Yard.plo", "yard bytes");
    writeFile(app + "/Other.xml", "other bytes");
    doc.name = "YARD";
    prompter.exports = {ExportChoice{"Yard", " " + source + " ", " Copy.txt "}};
    files.exportLayout();
    ASSERT_EQ(prompter.exportCalls.size(), 1u);
    EXPECT_EQ(prompter.exportCalls[0].names, (std::vector<std::string>{"Other", "Yard"}));
    EXPECT_EQ(prompter.exportCalls[0].initialRow, 1);
    EXPECT_EQ(prompter.exportCalls[0].startFolder, downloads);
    EXPECT_EQ(readFile(source + "/Copy.plo"), "yard bytes");
    EXPECT_FALSE(fs::exists(source + "/Copy.txt.plo"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Export Layout");
    EXPECT_EQ(prompter.messages[0].text, "Exported to:\n" + source + "/Copy.plo");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Information);
}

TEST_F(FileCommandsTest, ExportRefusalsWriteNothing) {
    EXPECT_NO_FATAL_FAILURE(files.exportLayout());
    EXPECT_EQ(prompter.titles(), std::vector<std::string>{"Export Layout"});
    EXPECT_EQ(prompter.messages[0].text, "No layouts to export. Save a layout first.");

    writeFile(app + "/Yard.plo", "yard bytes");
    writeFile(source + "/Copy.plo", "older copy");
    const auto before = contentsOf(root);
    prompter.messages.clear();
    prompter.exports = {
        ExportChoice{"Yard", root + "/missing", "Copy"},
        ExportChoice{"Yard", source, "Copy.plo"},
        ExportChoice{"Yard", source, "../Copy"},
        ExportChoice{"Yard", source, ".."},
        ExportChoice{"Yard", source, "   "},
    };
    prompter.answers = {PromptAnswer::No};
    for (int i = 0; i < 5; ++i)
        files.exportLayout();
    EXPECT_EQ(prompter.titles(), (std::vector<std::string>{"Export Failed", "Confirm Replace",
                                                           "Export Failed", "Export Failed"}));
    EXPECT_EQ(prompter.messages[0].text,
              "Destination folder does not exist:\n" + root + "/missing");
    EXPECT_EQ(prompter.messages[1].text, "\"Copy\" already exists in that folder.\n\nReplace it?");
    EXPECT_TRUE(prompter.messages[1].defaultNo);
    EXPECT_EQ(contentsOf(root), before);
}

TEST_F(FileCommandsTest, ExportOntoItselfKeepsTheFile) {
    writeFile(app + "/Yard.plo", "yard bytes");
    prompter.exports = {ExportChoice{"Yard", app, "Yard"}};
    prompter.answers = {PromptAnswer::Yes};
    files.exportLayout();
    EXPECT_EQ(prompter.titles(), (std::vector<std::string>{"Confirm Replace", "Export Failed"}));
    EXPECT_EQ(prompter.messages[1].text, "Could not copy the file to:\n" + app + "/Yard.plo");
    EXPECT_EQ(readFile(app + "/Yard.plo"), "yard bytes");
}

// ---- dialog rules ---------------------------------------------------------------------------

TEST(FileDialogRules, ImportNameIsFilledOnlyWhileEmpty) {
    EXPECT_EQ(importNameAfterSelection("", "Branch Line.plo"), "Branch Line");
    EXPECT_EQ(importNameAfterSelection("", "Old.Yard.xml"), "Old.Yard");
    EXPECT_EQ(importNameAfterSelection("Typed", "Other.plo"), "Typed");
    EXPECT_TRUE(canImport(true, " a "));
    EXPECT_FALSE(canImport(true, "   "));
    EXPECT_FALSE(canImport(false, "a"));
}

TEST(FileDialogRules, ExportStartsOnTheOpenLayoutIgnoringCase) {
    const std::vector<std::string> names = {"Attic", "Yard", "yard2"};
    EXPECT_EQ(exportInitialRow(names, "yArD"), 1);
    EXPECT_EQ(exportInitialRow(names, "Yard2"), 2);
    EXPECT_EQ(exportInitialRow(names, "Cellar"), -1);
    EXPECT_EQ(exportInitialRow(names, ""), -1);
    EXPECT_TRUE(canExport(true, "x"));
    EXPECT_FALSE(canExport(true, ""));
    EXPECT_FALSE(canExport(false, "x"));
}

} // namespace
