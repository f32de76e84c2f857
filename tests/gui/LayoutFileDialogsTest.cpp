// The Open, Import and Export dialogs driven the way a user drives them, without running
// them modally: which buttons are enabled, what the fields hold, what Delete... does.
#include "ui/LayoutFileDialogs.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

// Selects a row and tells the list's handlers, as a click does.
void select(wxListBox* list, int row) {
    list->SetSelection(row);
    wxCommandEvent event(wxEVT_LISTBOX, list->GetId());
    event.SetInt(row);
    event.SetEventObject(list);
    list->ProcessWindowEvent(event);
}

void click(wxButton* button) {
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

std::string tempFolder() {
    std::string pattern = (fs::temp_directory_path() / "plandor-dialogs-XXXXXX").string();
    return mkdtemp(pattern.data());
}

} // namespace

TEST(OpenLayoutDialog, ButtonsFollowTheSelectionAndDeleteRemovesTheRow) {
    std::vector<std::string> asked;
    bool allowDelete = false;
    auto* dialog =
        new OpenLayoutDialog(nullptr, {"Attic", "Yard", "Yard"}, [&](const std::string& name) {
            asked.push_back(name);
            return allowDelete;
        });
    EXPECT_EQ(dialog->GetTitle().ToStdString(), "Open Layout");
    EXPECT_EQ(dialog->GetSize(), wxSize(320, 420));
    EXPECT_EQ(dialog->list()->GetCount(), 3u);
    EXPECT_FALSE(dialog->openButton()->IsEnabled());
    EXPECT_FALSE(dialog->deleteButton()->IsEnabled());
    EXPECT_EQ(dialog->openButton()->GetId(), wxID_OK);

    select(dialog->list(), 2);
    EXPECT_TRUE(dialog->openButton()->IsEnabled());
    EXPECT_TRUE(dialog->deleteButton()->IsEnabled());
    EXPECT_EQ(dialog->selectedName(), "Yard");

    // Answered No (or failed): the row stays.
    click(dialog->deleteButton());
    EXPECT_EQ(dialog->list()->GetCount(), 3u);
    EXPECT_TRUE(dialog->openButton()->IsEnabled());

    allowDelete = true;
    click(dialog->deleteButton());
    EXPECT_EQ(asked, (std::vector<std::string>{"Yard", "Yard"}));
    EXPECT_EQ(dialog->list()->GetCount(), 2u);
    EXPECT_FALSE(dialog->openButton()->IsEnabled());
    EXPECT_FALSE(dialog->deleteButton()->IsEnabled());
    EXPECT_EQ(dialog->selectedName(), "");
    dialog->Destroy();
}

TEST(ImportLayoutDialog, ListFollowsTheFolderAndTypedNamesAreKept) {
    const std::string dir = tempFolder();
    for (const char* f : {"Yard.plo", "Attic.xml", "notes.txt"})
        std::ofstream(dir + "/" + f) << "x";
    auto* dialog = new ImportLayoutDialog(nullptr, dir);
    EXPECT_EQ(dialog->GetTitle().ToStdString(), "Import Layout");
    EXPECT_EQ(dialog->GetSize(), wxSize(440, 480));
    ASSERT_EQ(dialog->list()->GetCount(), 2u);
    EXPECT_EQ(dialog->list()->GetString(0).ToStdString(), "Attic.xml");
    EXPECT_FALSE(dialog->importButton()->IsEnabled());

    select(dialog->list(), 1);
    EXPECT_EQ(dialog->nameField()->GetValue().ToStdString(), "Yard");
    EXPECT_TRUE(dialog->importButton()->IsEnabled());
    EXPECT_EQ(dialog->sourcePath(), dir + "/Yard.plo");

    // A name already there is not overwritten by choosing another file.
    select(dialog->list(), 0);
    EXPECT_EQ(dialog->nameField()->GetValue().ToStdString(), "Yard");

    dialog->nameField()->SetValue("   ");
    EXPECT_FALSE(dialog->importButton()->IsEnabled());

    dialog->folderField()->SetValue(dir + "/missing");
    EXPECT_EQ(dialog->list()->GetCount(), 0u);
    EXPECT_FALSE(dialog->importButton()->IsEnabled());
    dialog->Destroy();
    fs::remove_all(dir);
}

TEST(ExportLayoutDialog, StartsOnTheGivenRowWithItsName) {
    auto* dialog = new ExportLayoutDialog(nullptr, {"Attic", "Yard"}, 1, "/tmp");
    EXPECT_EQ(dialog->GetTitle().ToStdString(), "Export Layout");
    EXPECT_EQ(dialog->selectedName(), "Yard");
    EXPECT_EQ(dialog->saveAs(), "Yard");
    EXPECT_EQ(dialog->folder(), "/tmp");
    EXPECT_TRUE(dialog->exportButton()->IsEnabled());

    select(dialog->list(), 0);
    EXPECT_EQ(dialog->saveAs(), "Attic");
    dialog->saveAsField()->SetValue("");
    EXPECT_FALSE(dialog->exportButton()->IsEnabled());
    dialog->Destroy();

    auto* none = new ExportLayoutDialog(nullptr, {"Attic"}, -1, "/tmp");
    EXPECT_FALSE(none->exportButton()->IsEnabled());
    EXPECT_EQ(none->saveAs(), "");
    none->Destroy();
}
