// The Open, Import and Export dialogs built and driven the way a user drives them, without
// running them modally: which buttons are enabled, what the fields hold, what Delete... does.
#include "GuiTestSupport.h"

#include <fstream>

using namespace plandor;
using namespace plandor::guitest;
namespace fs = std::filesystem;

TEST(LayoutFileDialogs, OpenImportAndExportFollowTheSelection) {
    bool allowDelete = false;
    auto* open = new OpenLayoutDialog(nullptr, {"Attic", "Yard", "Yard"},
                                      [&](const std::string&) { return allowDelete; });
    select(open->list(), 2);
    EXPECT_EQ(open->selectedName(), "Yard");
    click(open->deleteButton()); // answered No: the row stays
    EXPECT_EQ(open->list()->GetCount(), 3u);
    allowDelete = true;
    click(open->deleteButton());
    EXPECT_EQ(open->list()->GetCount(), 2u);
    EXPECT_FALSE(open->openButton()->IsEnabled() || open->deleteButton()->IsEnabled());
    open->Destroy();

    const std::string dir = tempFolder();
    for (const char* f : {"Yard.plo", "Attic.xml", "notes.txt"})
        std::ofstream(dir + "/" + f) << "x";
    auto* import = new ImportLayoutDialog(nullptr, dir);
    ASSERT_EQ(import->list()->GetCount(), 2u);
    select(import->list(), 1);
    EXPECT_EQ(import->sourcePath(), dir + "/Yard.plo");
    select(import->list(), 0); // a typed name is not overwritten by choosing another file
    EXPECT_EQ(import->nameField()->GetValue().ToStdString(), "Yard");
    import->nameField()->SetValue("   ");
    EXPECT_FALSE(import->importButton()->IsEnabled());
    import->Destroy();
    fs::remove_all(dir);

    auto* exportDialog = new ExportLayoutDialog(nullptr, {"Attic", "Yard"}, 1, "/tmp");
    EXPECT_EQ(exportDialog->saveAs(), "Yard");
    EXPECT_TRUE(exportDialog->exportButton()->IsEnabled());
    select(exportDialog->list(), 0);
    EXPECT_EQ(exportDialog->saveAs(), "Attic");
    exportDialog->saveAsField()->SetValue("");
    EXPECT_FALSE(exportDialog->exportButton()->IsEnabled());
    exportDialog->Destroy();
}
