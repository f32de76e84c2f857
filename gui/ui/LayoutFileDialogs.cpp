#include "gui/ui/LayoutFileDialogs.h"

#include "core/app/FileCommands.h"
#include "core/base/Folders.h"
#include "gui/platform/WxText.h"

#include <wx/button.h>
#include <wx/dirdlg.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace plandor {

namespace {

constexpr int kBorder = 8;
const long kResizableDialog = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER;

void fillList(wxListBox* list, const std::vector<std::string>& names) {
    list->Clear();
    for (const std::string& name : names)
        list->Append(toWx(name));
}

// A label, a growing text field and optionally a "Browse..." button in one row.
wxBoxSizer* fieldRow(wxWindow* parent, const char* label, wxTextCtrl* field, wxButton* browse) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
             kBorder);
    row->Add(field, 1, wxALIGN_CENTER_VERTICAL);
    if (browse)
        row->Add(browse, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, kBorder);
    return row;
}

// Lets the user pick a folder, starting at the field's text; the choice goes into the field.
void browseForFolder(wxWindow* parent, wxTextCtrl* field, const char* title) {
    wxDirDialog chooser(parent, title, field->GetValue());
    if (chooser.ShowModal() == wxID_OK)
        field->SetValue(chooser.GetPath());
}

} // namespace

// ---- Open ---------------------------------------------------------------------------------

OpenLayoutDialog::OpenLayoutDialog(wxWindow* parent, const std::vector<std::string>& names,
                                   std::function<bool(const std::string&)> deleteLayout)
    : wxDialog(parent, wxID_ANY, "Open Layout", wxDefaultPosition, wxSize(320, 420),
               kResizableDialog),
      deleteLayout_(std::move(deleteLayout)) {
    list_ =
        new wxListBox(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    fillList(list_, names);
    delete_ = new wxButton(this, wxID_ANY, "Delete...");
    open_ = new wxButton(this, wxID_OK, "Open");
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(delete_);
    buttons->AddStretchSpacer();
    buttons->Add(open_, 0, wxRIGHT, kBorder);
    buttons->Add(cancel);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(list_, 1, wxEXPAND | wxALL, kBorder);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kBorder);
    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    list_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { updateButtons(); });
    list_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) {
        if (list_->GetSelection() != wxNOT_FOUND)
            EndModal(wxID_OK);
    });
    delete_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onDelete(); });
    updateButtons();
}

std::string OpenLayoutDialog::selectedName() const {
    const int row = list_->GetSelection();
    return row == wxNOT_FOUND ? std::string() : fromWx(list_->GetString(row));
}

void OpenLayoutDialog::updateButtons() {
    const bool selected = list_->GetSelection() != wxNOT_FOUND;
    open_->Enable(selected);
    delete_->Enable(selected);
}

void OpenLayoutDialog::onDelete() {
    const int row = list_->GetSelection();
    if (row == wxNOT_FOUND)
        return;
    if (deleteLayout_(fromWx(list_->GetString(row))))
        list_->Delete(row);
    updateButtons();
}

// ---- Import -------------------------------------------------------------------------------

ImportLayoutDialog::ImportLayoutDialog(wxWindow* parent, const std::string& startFolder)
    : wxDialog(parent, wxID_ANY, "Import Layout", wxDefaultPosition, wxSize(440, 480),
               kResizableDialog) {
    folder_ = new wxTextCtrl(this, wxID_ANY, toWx(startFolder));
    auto* browse = new wxButton(this, wxID_ANY, "Browse...");
    list_ =
        new wxListBox(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    name_ = new wxTextCtrl(this, wxID_ANY);
    import_ = new wxButton(this, wxID_OK, "Import");
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(import_, 0, wxRIGHT, kBorder);
    buttons->Add(cancel);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(fieldRow(this, "Source folder:", folder_, browse), 0, wxEXPAND | wxALL, kBorder);
    top->Add(new wxStaticText(this, wxID_ANY, "Layout files in this folder:"), 0, wxLEFT | wxRIGHT,
             kBorder);
    top->Add(list_, 1, wxEXPAND | wxALL, kBorder);
    top->Add(fieldRow(this, "Import as:", name_, nullptr), 0, wxEXPAND | wxLEFT | wxRIGHT, kBorder);
    top->Add(buttons, 0, wxEXPAND | wxALL, kBorder);
    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    folder_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { refillList(); });
    browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        browseForFolder(this, folder_, "Choose folder containing layout file");
    });
    list_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { onSelect(); });
    list_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) {
        if (import_->IsEnabled())
            EndModal(wxID_OK);
    });
    name_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { updateButton(); });
    refillList();
}

std::string ImportLayoutDialog::sourcePath() const {
    const int row = list_->GetSelection();
    if (row == wxNOT_FOUND)
        return {};
    return joinPath(trimBlanks(fromWx(folder_->GetValue())), fromWx(list_->GetString(row)));
}

std::string ImportLayoutDialog::importName() const {
    return fromWx(name_->GetValue());
}

void ImportLayoutDialog::refillList() {
    fillList(list_, listImportableFiles(fromWx(folder_->GetValue())));
    updateButton();
}

void ImportLayoutDialog::onSelect() {
    const int row = list_->GetSelection();
    if (row != wxNOT_FOUND) {
        const std::string name =
            importNameAfterSelection(fromWx(name_->GetValue()), fromWx(list_->GetString(row)));
        if (name != fromWx(name_->GetValue()))
            name_->ChangeValue(toWx(name));
    }
    updateButton();
}

void ImportLayoutDialog::updateButton() {
    import_->Enable(canImport(list_->GetSelection() != wxNOT_FOUND, fromWx(name_->GetValue())));
}

// ---- Export -------------------------------------------------------------------------------

ExportLayoutDialog::ExportLayoutDialog(wxWindow* parent, const std::vector<std::string>& names,
                                       int initialRow, const std::string& startFolder)
    : wxDialog(parent, wxID_ANY, "Export Layout", wxDefaultPosition, wxSize(440, 480),
               kResizableDialog) {
    list_ =
        new wxListBox(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    fillList(list_, names);
    folder_ = new wxTextCtrl(this, wxID_ANY, toWx(startFolder));
    auto* browse = new wxButton(this, wxID_ANY, "Browse...");
    saveAs_ = new wxTextCtrl(this, wxID_ANY);
    export_ = new wxButton(this, wxID_OK, "Export");
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(export_, 0, wxRIGHT, kBorder);
    buttons->Add(cancel);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, "Choose a layout to export:"), 0,
             wxLEFT | wxRIGHT | wxTOP, kBorder);
    top->Add(list_, 1, wxEXPAND | wxALL, kBorder);
    top->Add(fieldRow(this, "Destination:", folder_, browse), 0, wxEXPAND | wxLEFT | wxRIGHT,
             kBorder);
    top->Add(fieldRow(this, "Save as (no extension):", saveAs_, nullptr), 0,
             wxEXPAND | wxLEFT | wxRIGHT | wxTOP, kBorder);
    top->Add(buttons, 0, wxEXPAND | wxALL, kBorder);
    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        browseForFolder(this, folder_, "Choose destination folder");
    });
    list_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { onSelect(); });
    list_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) {
        if (export_->IsEnabled())
            EndModal(wxID_OK);
    });
    saveAs_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { updateButton(); });

    if (initialRow >= 0 && initialRow < static_cast<int>(list_->GetCount())) {
        list_->SetSelection(initialRow);
        onSelect();
    }
    updateButton();
}

std::string ExportLayoutDialog::selectedName() const {
    const int row = list_->GetSelection();
    return row == wxNOT_FOUND ? std::string() : fromWx(list_->GetString(row));
}

std::string ExportLayoutDialog::folder() const {
    return fromWx(folder_->GetValue());
}
std::string ExportLayoutDialog::saveAs() const {
    return fromWx(saveAs_->GetValue());
}

void ExportLayoutDialog::onSelect() {
    const int row = list_->GetSelection();
    if (row != wxNOT_FOUND)
        saveAs_->ChangeValue(list_->GetString(row));
    updateButton();
}

void ExportLayoutDialog::updateButton() {
    export_->Enable(canExport(list_->GetSelection() != wxNOT_FOUND, fromWx(saveAs_->GetValue())));
}

} // namespace plandor
